// quillon.exe as the user meets it: started as its own process, driven with real input.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>

#include "catalogue.h"
#include "running_program.h"
#include "window_layout.h"

namespace quillon::testing {
namespace {

using win32::ControlId;

std::wstring wide(std::u16string_view text) {
    return std::wstring(text.begin(), text.end());
}

std::wstring descriptionOf(CategoryId id, int position) {
    return wide(entryAt(id, position)->description);
}

UINT expectedDpi() {
    const char* dpi = std::getenv("QUILLON_EXPECTED_DPI");
    return dpi != nullptr ? static_cast<UINT>(std::atoi(dpi)) : 96u;
}

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        program.start(programPath());
        ASSERT_NE(window = program.waitForWindow(), nullptr);
        ASSERT_TRUE(waitUntil([this] { return focusedControl(window) == control(win32::Command1); }));
    }

    HWND control(ControlId id) const { return GetDlgItem(window, id); }
    int selection(ControlId id) const { return static_cast<int>(SendMessageW(control(id), CB_GETCURSEL, 0, 0)); }
    bool visible(ControlId id) const { return IsWindowVisible(control(id)) != FALSE; }
    std::wstring description() const { return textOf(control(win32::Text1)); }

    bool descriptionBecomes(const std::wstring& expected) {
        return waitUntil([&] { return description() == expected; });
    }

    void chooseWithMouse(ControlId list, int item) {
        ASSERT_TRUE(quillon::testing::chooseWithMouse(control(list), item));
    }

    void clickIntoSearchBoxAndType(std::wstring_view text) {
        clickCentreOf(control(win32::Text2));
        ASSERT_TRUE(waitUntil([&] { return focusedControl(window) == control(win32::Text2); }));
        typeText(text);
        ASSERT_TRUE(waitUntil([&] { return textOf(control(win32::Text2)).size() == text.size(); }));
    }

    void expectSelections(int core, int fun, int cstrike) {
        EXPECT_EQ(selection(win32::Combo2), core);
        EXPECT_EQ(selection(win32::Combo3), fun);
        EXPECT_EQ(selection(win32::Combo4), cstrike);
    }

    RunningProgram program;
    HWND window = nullptr;
};

// ---- start --------------------------------------------------------------------------------

TEST_F(EndToEndTest, StartsWithNoListShownAndTheFocusOnTheButton) {
    EXPECT_FALSE(visible(win32::Combo2));
    EXPECT_FALSE(visible(win32::Combo3));
    EXPECT_FALSE(visible(win32::Combo4));
    EXPECT_TRUE(visible(win32::Combo1));
    EXPECT_EQ(selection(win32::Combo1), CB_ERR);
    EXPECT_EQ(focusedControl(window), control(win32::Command1));
    EXPECT_EQ(description(), L"");
    EXPECT_EQ(textOf(control(win32::Text2)), L"");
    EXPECT_EQ(SendMessageW(control(win32::Check1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(control(win32::Combo1), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageW(control(win32::Combo2), CB_GETCOUNT, 0, 0), 275);
    EXPECT_EQ(SendMessageW(control(win32::Combo3), CB_GETCOUNT, 0, 0), 20);
    EXPECT_EQ(SendMessageW(control(win32::Combo4), CB_GETCOUNT, 0, 0), 29);
}

TEST_F(EndToEndTest, ShowsEveryCaption) {
    EXPECT_EQ(textOf(window), L"Quillon--[Harlan]");
    EXPECT_EQ(textOf(control(win32::Frame1)), L"选 择");
    EXPECT_EQ(textOf(control(win32::Frame2)), L"搜 索(即输即显-切忌多余空格)");
    EXPECT_EQ(textOf(control(win32::Frame3)), L"说 明");
    EXPECT_EQ(textOf(control(win32::Check1)), L"置顶");
    EXPECT_EQ(textOf(control(win32::Command1)), L"关  于");
}

// Run at 96 DPI and, in the second prefix, at 144 DPI.
TEST_F(EndToEndTest, LaysOutTheWindowAndEveryControlAtTheDisplaysDpi) {
    const UINT dpi = expectedDpi();
    const auto pixels = [dpi](int twips) { return MulDiv(twips, static_cast<int>(dpi), 1440); };
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, pixels(4575));
    EXPECT_EQ(client.bottom, pixels(3465));
    if (dpi == 96) {
        EXPECT_EQ(client.right, 305);
        EXPECT_EQ(client.bottom, 231);
    }
    // Left, top, width and height on the window's client area, frames' offsets added.
    const struct {
        ControlId id;
        int left, top, width, height;
    } expected[] = {
        {win32::Frame3, 120, 1500, 4335, 1575},  {win32::Text1, 240, 1740, 4095, 1215},
        {win32::Frame2, 120, 780, 4335, 615},    {win32::Text2, 240, 1020, 4095, 270},
        {win32::Frame1, 120, 0, 4335, 675},      {win32::Combo2, 1800, 240, 2535, 300},
        {win32::Combo3, 1800, 240, 2535, 300},   {win32::Combo4, 1800, 240, 2535, 300},
        {win32::Combo1, 240, 240, 1455, 300},    {win32::Check1, 120, 3180, 735, 255},
        {win32::Command1, 3720, 3180, 735, 255},
    };
    for (const auto& place : expected) {
        SCOPED_TRACE(::testing::Message() << "control " << place.id << " at " << dpi << " DPI");
        RECT rect{};
        GetWindowRect(control(place.id), &rect);
        MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, pixels(place.left));
        EXPECT_EQ(rect.top, pixels(place.top));
        EXPECT_EQ(rect.right - rect.left, pixels(place.width));
        EXPECT_EQ(rect.bottom - rect.top, pixels(place.height));
    }
}

TEST_F(EndToEndTest, OpensAtTheDesignPositionInsideTheWorkArea) {
    POINT clientOrigin{0, 0};
    ClientToScreen(window, &clientOrigin);
    EXPECT_EQ(clientOrigin.x, MulDiv(7380, static_cast<int>(expectedDpi()), 1440));
    EXPECT_EQ(clientOrigin.y, MulDiv(4440, static_cast<int>(expectedDpi()), 1440));
}

TEST_F(EndToEndTest, TabAndArrowKeysMoveBetweenControlsAsInADialog) {
    const auto focusMovesTo = [this](ControlId id) {
        return waitUntil([&] { return focusedControl(window) == control(id); });
    };
    pressKey(VK_TAB);
    EXPECT_TRUE(focusMovesTo(win32::Check1));
    pressKey(VK_TAB);
    EXPECT_TRUE(focusMovesTo(win32::Combo1));
    pressKey(VK_TAB);
    EXPECT_TRUE(focusMovesTo(win32::Text1));
    pressKey(VK_TAB);
    EXPECT_TRUE(focusMovesTo(win32::Text2));
    pressKey(VK_TAB);
    EXPECT_TRUE(focusMovesTo(win32::Command1));
    pressKeyWithShift(VK_TAB);
    EXPECT_TRUE(focusMovesTo(win32::Text2));
    pressKey(VK_TAB);
    EXPECT_TRUE(focusMovesTo(win32::Command1));
    pressKey(VK_DOWN);
    EXPECT_TRUE(focusMovesTo(win32::Check1));
    pressKey(VK_UP);
    EXPECT_TRUE(focusMovesTo(win32::Command1));
}

// ---- choosing ----------------------------------------------------------------------------

TEST_F(EndToEndTest, ChoosingACategoryWithTheMouseShowsItsListAndANameByKeyboardItsDescription) {
    chooseWithMouse(win32::Combo1, 1);
    EXPECT_FALSE(visible(win32::Combo2));
    EXPECT_TRUE(visible(win32::Combo3));
    EXPECT_FALSE(visible(win32::Combo4));
    EXPECT_EQ(description(), L"");

    // Tab skips the hidden lists to the shown one; each arrow press picks the next name.
    pressKey(VK_TAB);
    ASSERT_TRUE(waitUntil([this] { return focusedControl(window) == control(win32::Combo3); }));
    for (int press = 0; press <= 12; ++press) {
        pressKey(VK_DOWN);
    }
    EXPECT_TRUE(descriptionBecomes(descriptionOf(CategoryId::Fun, 12)));
    EXPECT_EQ(selection(win32::Combo3), 12);
}

TEST_F(EndToEndTest, ChoosingANameWithTheMouseShowsItsDescription) {
    chooseWithMouse(win32::Combo1, 2);
    EXPECT_TRUE(visible(win32::Combo4));
    chooseWithMouse(win32::Combo4, 5);
    EXPECT_TRUE(descriptionBecomes(descriptionOf(CategoryId::Cstrike, 5)));
}

TEST_F(EndToEndTest, ALongDescriptionWrapsAndScrollsVertically) {
    clickIntoSearchBoxAndType(L"register_clcmd");
    const std::int16_t position = findExact(CategoryId::Core, u"register_clcmd");
    ASSERT_TRUE(descriptionBecomes(descriptionOf(CategoryId::Core, position)));
    EXPECT_GT(SendMessageW(control(win32::Text1), EM_GETLINECOUNT, 0, 0), 3);
    const auto style = GetWindowLongPtrW(control(win32::Text1), GWL_STYLE);
    EXPECT_NE(style & WS_VSCROLL, 0);
    EXPECT_EQ(style & WS_HSCROLL, 0);
}

// ---- search --------------------------------------------------------------------------------

TEST_F(EndToEndTest, TypingANameFindsItInAHiddenList) {
    clickIntoSearchBoxAndType(L"set_user_health");
    EXPECT_TRUE(descriptionBecomes(descriptionOf(CategoryId::Fun, 12)));
    expectSelections(CB_ERR, 12, CB_ERR);
    EXPECT_EQ(selection(win32::Combo1), CB_ERR);
    EXPECT_FALSE(visible(win32::Combo2));
    EXPECT_FALSE(visible(win32::Combo3));
    EXPECT_FALSE(visible(win32::Combo4));
}

TEST_F(EndToEndTest, TypingANameInCapitalsFindsItAsWell) {
    clickIntoSearchBoxAndType(L"SET_USER_HEALTH");
    EXPECT_TRUE(descriptionBecomes(descriptionOf(CategoryId::Fun, 12)));
    expectSelections(CB_ERR, 12, CB_ERR);
}

TEST_F(EndToEndTest, AStraySpaceMatchesNothingAndKeepsTheDescription) {
    clickIntoSearchBoxAndType(L"access");
    ASSERT_TRUE(descriptionBecomes(descriptionOf(CategoryId::Core, 0)));
    EXPECT_EQ(selection(win32::Combo2), 0);
    pressKey(VK_HOME);
    typeText(L" ");
    ASSERT_TRUE(waitUntil([this] { return textOf(control(win32::Text2)) == L" access"; }));
    EXPECT_TRUE(waitUntil([this] { return selection(win32::Combo2) == CB_ERR; }));
    expectSelections(CB_ERR, CB_ERR, CB_ERR);
    EXPECT_EQ(description(), descriptionOf(CategoryId::Core, 0));
}

TEST_F(EndToEndTest, AnIncompleteNameMatchesNothingAndKeepsTheDescription) {
    clickIntoSearchBoxAndType(L"give_item");
    ASSERT_TRUE(descriptionBecomes(descriptionOf(CategoryId::Fun, 6)));
    pressKey(VK_BACK);
    EXPECT_TRUE(waitUntil([this] { return selection(win32::Combo3) == CB_ERR; }));
    expectSelections(CB_ERR, CB_ERR, CB_ERR);
    EXPECT_EQ(description(), descriptionOf(CategoryId::Fun, 6));
}

TEST_F(EndToEndTest, ALookAlikeOfANameMatchesNothing) {
    clickIntoSearchBoxAndType(L"cōpy");
    expectSelections(CB_ERR, CB_ERR, CB_ERR);
    EXPECT_EQ(description(), L"");
}

// ---- About and stay-on-top --------------------------------------------------------------

TEST_F(EndToEndTest, TheButtonShowsTheAboutBoxWithItsExactTextUntilOkIsPressed) {
    pressKey(VK_SPACE);
    // The message box is a dialog of the system's dialog class.
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = program.visibleWindow(L"#32770")) != nullptr; }));
    EXPECT_EQ(textOf(box), L"关于...");
    // The box's text is its static control 0xFFFF, its icon the static control 0x440.
    EXPECT_EQ(textOf(GetDlgItem(box, 0xFFFF)),
              L"    该软件根据AMXX官方文档简要翻译而来,难免存在\n"
              L"错误,欢迎指正,如果要准确信息请参照原文,你可以自\n"
              L"\n"
              L"AMXX插件信息请访问Brightmoor论坛!\n"
              L"http://forum.brightmoor.example/(程序制作--[Harlan])");
    const HWND icon = GetDlgItem(box, 0x440);
    EXPECT_TRUE(icon == nullptr || SendMessageW(icon, STM_GETICON, 0, 0) == 0);
    const HWND ok = GetDlgItem(box, IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_TRUE(IsWindowVisible(ok));
    for (const int other : {IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        const HWND button = GetDlgItem(box, other);
        EXPECT_TRUE(button == nullptr || !IsWindowVisible(button)) << "button " << other;
    }
    EXPECT_FALSE(IsWindowEnabled(window));

    pressKey(VK_RETURN);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(box); }));
    EXPECT_TRUE(waitUntil([this] { return IsWindowEnabled(window) != FALSE; }));
    EXPECT_TRUE(waitUntil([this] { return focusedControl(window) == control(win32::Command1); }));
}

TEST_F(EndToEndTest, TheCheckBoxPutsTheWindowOnTopAndTakesItOffAgain) {
    const auto topMost = [this] { return (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    EXPECT_FALSE(topMost());
    clickCentreOf(control(win32::Check1));
    EXPECT_TRUE(waitUntil(topMost));
    EXPECT_EQ(SendMessageW(control(win32::Check1), BM_GETCHECK, 0, 0), BST_CHECKED);
    clickCentreOf(control(win32::Check1));
    EXPECT_TRUE(waitUntil([&] { return !topMost(); }));
    EXPECT_EQ(SendMessageW(control(win32::Check1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    pressKey(VK_SPACE);  // the check box has the focus now
    EXPECT_TRUE(waitUntil(topMost));
}

TEST_F(EndToEndTest, ASecondCopyEndsWithCodeZeroWithoutAWindow) {
    RunningProgram second(programPath());
    EXPECT_EQ(second.waitForExit(), 0u);
    EXPECT_EQ(second.visibleWindow(), nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
}

// ---- single copy under a crowd -------------------------------------------------------------

TEST(SingleCopy, EightCopiesStartedAtOnceLeaveOneWindow) {
    ASSERT_EQ(programWindowCount(), 0);
    std::array<RunningProgram, 8> copies;
    const CrowdOutcome outcome = startAtOnce(copies);
    EXPECT_EQ(outcome.endedWithCodeZero, 7);
    EXPECT_EQ(outcome.endedWithAnotherCode, 0);
    EXPECT_EQ(outcome.showingTheirWindow, 1);
    EXPECT_EQ(outcome.undecided, 0);
    EXPECT_EQ(programWindowCount(), 1);
}

}  // namespace
}  // namespace quillon::testing
