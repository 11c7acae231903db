// What the real controls add to the MainView contract: the list's own search through the
// ANSI code page, the event raised by every setSelection, texts of any length, the band, the
// layout at each DPI and the keyboard order.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "catalogue.h"
#include "test_window.h"
#include "window_layout.h"

namespace quillon::testing {
namespace {

using win32::ControlId;

class Win32ViewTest : public ::testing::Test {
protected:
    void SetUp() override { window.controller().Form_Load(); }

    HWND control(ControlId id) { return GetDlgItem(window.handle(), id); }

    RECT placeOnClient(ControlId id) {
        RECT rect{};
        GetWindowRect(control(id), &rect);
        MapWindowPoints(HWND_DESKTOP, window.handle(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }

    void expectDesignLayout(UINT dpi) {
        RECT client{};
        GetClientRect(window.handle(), &client);
        EXPECT_EQ(client.right, win32::twipsToPixels(win32::CLIENT_WIDTH_TWIPS, dpi));
        EXPECT_EQ(client.bottom, win32::twipsToPixels(win32::CLIENT_HEIGHT_TWIPS, dpi));
        for (const win32::ControlDesign& design : win32::CONTROLS) {
            const win32::TwipRect place = win32::windowPlace(design);
            const RECT rect = placeOnClient(design.id);
            SCOPED_TRACE(::testing::Message() << "control " << design.id << " at " << dpi << " DPI");
            EXPECT_EQ(rect.left, win32::twipsToPixels(place.left, dpi));
            EXPECT_EQ(rect.top, win32::twipsToPixels(place.top, dpi));
            EXPECT_EQ(rect.right - rect.left, win32::twipsToPixels(place.width, dpi));
            EXPECT_EQ(rect.bottom - rect.top, win32::twipsToPixels(place.height, dpi));
        }
    }

    int fontHeight() {
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control(win32::Command1), WM_GETFONT, 0, 0)), sizeof font,
                   &font);
        return font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    }

    void sendDpiChanged(UINT dpi) {
        RECT suggested = win32::designWindowRect(dpi);
        SendMessageW(window.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    }

    TestWindow window;
};

// ---- the list's own search -------------------------------------------------------------

TEST_F(Win32ViewTest, ListSearchFindsANameWhateverItsCase) {
    const std::int16_t copy = findExact(CategoryId::Core, u"copy");
    ASSERT_NE(copy, NO_SELECTION);
    EXPECT_EQ(window.combo2().findExact(u"copy"), copy);
    EXPECT_EQ(window.combo2().findExact(u"COPY"), copy);
    EXPECT_EQ(window.combo2().findExact(u"CoPy"), copy);
    EXPECT_EQ(window.combo3().findExact(u"copy"), NO_SELECTION);
}

TEST_F(Win32ViewTest, ListSearchNeverMatchesALookAlikeOfAName) {
    // Best-fit conversion would make these "copy" in a Western code page.
    EXPECT_EQ(window.combo2().findExact(u"ｃｏｐｙ"), NO_SELECTION);
    EXPECT_EQ(window.combo2().findExact(u"cōpy"), NO_SELECTION);
    EXPECT_EQ(window.combo2().findExact(u"çopy"), NO_SELECTION);
}

TEST_F(Win32ViewTest, ListSearchNeverMatchesANameWithAnIgnorableCharacterInside) {
    EXPECT_EQ(window.combo2().findExact(u"co\u00ADpy"), NO_SELECTION);
    EXPECT_EQ(window.combo2().findExact(u"co\u0001py"), NO_SELECTION);
    EXPECT_EQ(window.combo2().findExact(u"copy\u200B"), NO_SELECTION);
}

TEST_F(Win32ViewTest, ListSearchNeverMatchesAPrefixEndedByANul) {
    constexpr char16_t withNul[] = u"copy\0x";
    EXPECT_EQ(window.combo2().findExact(std::u16string_view(withNul, 6)), NO_SELECTION);
    EXPECT_EQ(window.combo2().findExact(std::u16string_view(withNul, 5)), NO_SELECTION);
}

TEST_F(Win32ViewTest, ListSearchNeedsTheWholeName) {
    EXPECT_EQ(window.combo2().findExact(u""), NO_SELECTION);
    EXPECT_EQ(window.combo2().findExact(u"cop"), NO_SELECTION);
    EXPECT_EQ(window.combo2().findExact(u" copy"), NO_SELECTION);
    EXPECT_EQ(window.combo2().findExact(u"copy "), NO_SELECTION);
}

TEST_F(Win32ViewTest, ListSearchReadsOnlyTheViewNotWhatFollowsIt) {
    constexpr std::u16string_view longer = u"copyright";
    EXPECT_EQ(window.combo2().findExact(longer.substr(0, 4)), findExact(CategoryId::Core, u"copy"));
}

// ---- lists, text boxes, check box ----------------------------------------------------

TEST_F(Win32ViewTest, SettingTheSameSelectionAgainRaisesTheEventAgain) {
    window.combo3().setSelection(12);
    EXPECT_EQ(window.text1().text(), entryAt(CategoryId::Fun, 12)->description);
    window.text1().setText(u"");
    window.combo3().setSelection(12);
    EXPECT_EQ(window.text1().text(), entryAt(CategoryId::Fun, 12)->description);
}

TEST_F(Win32ViewTest, ListsAreUnsortedDropDownListsThatOpenToManyItems) {
    for (const ControlId id : {win32::Combo1, win32::Combo2, win32::Combo3, win32::Combo4}) {
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(control(id), GWL_STYLE));
        EXPECT_EQ(style & 3, static_cast<DWORD>(CBS_DROPDOWNLIST));
        EXPECT_EQ(style & CBS_SORT, 0u);
        // Only the version 6 controls answer this: it proves the manifest took effect.
        EXPECT_EQ(SendMessageW(control(id), CB_GETMINVISIBLE, 0, 0), win32::LIST_VISIBLE_ITEMS);
    }
    EXPECT_EQ(SendMessageW(control(win32::Combo1), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(control(win32::Combo2), CB_GETCOUNT, 0, 0), 275);
}

TEST_F(Win32ViewTest, TextBoxesTakeTextOfAnyLength) {
    // Past the edit control's default limit of 30000 characters.
    std::u16string longText;
    while (longText.size() < 40000) {
        longText += u"set_user_health give_item ";
    }
    for (TextBox* box : {&window.text1(), &window.text2()}) {
        box->setText(longText);
        EXPECT_EQ(box->text().size(), longText.size());
    }
}

TEST_F(Win32ViewTest, TextBoxesReadOnlyTheViewTheyAreGiven) {
    constexpr std::u16string_view words = u"give_item and more";
    window.text2().setText(words.substr(0, 9));
    EXPECT_EQ(window.text2().text(), u"give_item");
    EXPECT_EQ(window.combo3().selection(), findExact(CategoryId::Fun, u"give_item"));
}

TEST_F(Win32ViewTest, DescriptionBoxWrapsAndScrollsOnlyVertically) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(control(win32::Text1), GWL_STYLE));
    EXPECT_NE(style & ES_MULTILINE, 0u);
    EXPECT_NE(style & WS_VSCROLL, 0u);
    EXPECT_EQ(style & WS_HSCROLL, 0u);
    EXPECT_EQ(style & ES_AUTOHSCROLL, 0u);
    window.text2().setText(u"register_clcmd");
    EXPECT_GT(SendMessageW(control(win32::Text1), EM_GETLINECOUNT, 0, 0), 3);
}

TEST_F(Win32ViewTest, SettingTheCheckBoxDoesNotChangeTheBand) {
    window.check1().setValue(1);
    EXPECT_EQ(window.check1().value(), 1);
    EXPECT_EQ(window.band(), WindowBand::Normal);
    window.check1().setValue(0);
    EXPECT_EQ(window.check1().value(), 0);
}

TEST_F(Win32ViewTest, ClickingTheCheckBoxMovesTheWindowBetweenBands) {
    SendMessageW(control(win32::Check1), BM_CLICK, 0, 0);
    EXPECT_EQ(window.check1().value(), 1);
    EXPECT_EQ(window.band(), WindowBand::TopMost);
    EXPECT_NE(GetWindowLongPtrW(window.handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    SendMessageW(control(win32::Check1), BM_CLICK, 0, 0);
    EXPECT_EQ(window.check1().value(), 0);
    EXPECT_EQ(window.band(), WindowBand::Normal);
    EXPECT_EQ(GetWindowLongPtrW(window.handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
}

// ---- appearance ------------------------------------------------------------------------

TEST_F(Win32ViewTest, ControlsSitWhereTheDesignPutsThemAtTheWindowsDpi) {
    expectDesignLayout(win32::windowDpi(window.handle()));
}

TEST_F(Win32ViewTest, ADpiChangeScalesTheLayoutAndTheFont) {
    const UINT original = win32::windowDpi(window.handle());
    const int originalFont = fontHeight();
    for (const UINT dpi : {120u, 144u}) {
        sendDpiChanged(dpi);
        expectDesignLayout(dpi);
    }
    EXPECT_GT(fontHeight(), originalFont);
    sendDpiChanged(original);
    expectDesignLayout(original);
    EXPECT_EQ(fontHeight(), originalFont);
}

TEST_F(Win32ViewTest, TabVisitsTheVisibleControlsInTheirOrder) {
    const auto next = [this](ControlId from) { return GetNextDlgTabItem(window.handle(), control(from), FALSE); };
    EXPECT_EQ(next(win32::Command1), control(win32::Check1));
    EXPECT_EQ(next(win32::Check1), control(win32::Combo1));
    EXPECT_EQ(next(win32::Combo1), control(win32::Text1));
    EXPECT_EQ(next(win32::Text1), control(win32::Text2));
    EXPECT_EQ(next(win32::Text2), control(win32::Command1));
    window.combo1().setSelection(1);
    EXPECT_EQ(next(win32::Combo1), control(win32::Combo3));
    EXPECT_EQ(next(win32::Combo3), control(win32::Text1));
}

TEST_F(Win32ViewTest, ArrowKeysMoveBetweenTheButtonAndTheCheckBox) {
    const auto next = [this](ControlId from) { return GetNextDlgGroupItem(window.handle(), control(from), FALSE); };
    EXPECT_EQ(next(win32::Command1), control(win32::Check1));
    EXPECT_EQ(next(win32::Check1), control(win32::Command1));
}

}  // namespace
}  // namespace quillon::testing
