// quillon.exe as the user meets it: started as its own process, driven with real input.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "catalogue.h"
#include "quillon_program.h"
#include "window_layout.h"

namespace quillon::testing {
namespace {

using namespace win32;

std::wstring descriptionOf(CategoryId id, int position) {
    const std::u16string_view d = entryAt(id, position)->description;
    return {d.begin(), d.end()};
}

int displayDpi() {
    const char* dpi = std::getenv("QUILLON_EXPECTED_DPI");
    return dpi != nullptr ? std::atoi(dpi) : 96;
}

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(window = program.waitForWindow(), nullptr);
        ASSERT_TRUE(focusMovesTo(Command1));
    }

    HWND control(ControlId id) const { return GetDlgItem(window, id); }
    int selection(ControlId list) const { return static_cast<int>(ask(control(list), CB_GETCURSEL).value_or(-2)); }
    std::array<int, 3> selections() const { return {selection(Combo2), selection(Combo3), selection(Combo4)}; }
    std::array<bool, 3> shown() const {
        return {IsWindowVisible(control(Combo2)) != 0, IsWindowVisible(control(Combo3)) != 0,
                IsWindowVisible(control(Combo4)) != 0};
    }
    std::wstring description() const { return textOf(control(Text1)); }
    bool descriptionBecomes(const std::wstring& expected) const {
        return waitUntil([&] { return description() == expected; });
    }
    bool focusMovesTo(ControlId id) const {
        return waitUntil([&] { return focusOf(window) == control(id); });
    }
    // Arrow keys in the focused list until the item is selected, each press a choice.
    bool arrowTo(ControlId list, int item) const {
        for (int before = selection(list); before != item; before = selection(list)) {
            pressKey(before < item ? VK_DOWN : VK_UP);
            if (!waitUntil([&] { return selection(list) != before; })) {
                return false;
            }
        }
        return true;
    }

    QuillonProgram program;
    HWND window = nullptr;
};

// Run at 96 DPI and, in the second prefix, at 144 DPI.
TEST_F(EndToEndTest, OpensAsDesignedWithNothingChosenAndTheFocusOnTheAboutButton) {
    const int dpi = displayDpi();
    const auto pixels = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, pixels(4575));
    EXPECT_EQ(client.bottom, pixels(3465));
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    EXPECT_EQ(origin.x, pixels(7380));
    EXPECT_EQ(origin.y, pixels(4440));
    EXPECT_EQ(textOf(window), L"Quillon--[Harlan]");
    // Left, top, width and height on the window's client area in twips, frames' offsets added.
    const struct {
        ControlId id;
        int left, top, width, height;
        std::wstring_view caption;
    } controls[] = {
        {Frame3, 120, 1500, 4335, 1575, L"说 明"},
        {Text1, 240, 1740, 4095, 1215, L""},
        {Frame2, 120, 780, 4335, 615, L"搜 索(即输即显-切忌多余空格)"},
        {Text2, 240, 1020, 4095, 270, L""},
        {Frame1, 120, 0, 4335, 675, L"选 择"},
        {Combo2, 1800, 240, 2535, 300, L""},
        {Combo3, 1800, 240, 2535, 300, L""},
        {Combo4, 1800, 240, 2535, 300, L""},
        {Combo1, 240, 240, 1455, 300, L""},
        {Check1, 120, 3180, 735, 255, L"置顶"},
        {Command1, 3720, 3180, 735, 255, L"关  于"},
    };
    for (const auto& c : controls) {
        SCOPED_TRACE(::testing::Message() << "control " << c.id << " at " << dpi << " DPI");
        RECT rect{};
        GetWindowRect(control(c.id), &rect);
        MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, pixels(c.left));
        EXPECT_EQ(rect.top, pixels(c.top));
        EXPECT_EQ(rect.right - rect.left, pixels(c.width));
        EXPECT_EQ(rect.bottom - rect.top, pixels(c.height));
        EXPECT_EQ(textOf(control(c.id)), c.caption);
    }
    const std::pair<ControlId, int> lists[] = {{Combo1, 3}, {Combo2, 275}, {Combo3, 20}, {Combo4, 29}};
    for (const auto& [list, items] : lists) {
        const auto style = GetWindowLongPtrW(control(list), GWL_STYLE);
        EXPECT_EQ(style & (CBS_DROPDOWNLIST | CBS_SORT), CBS_DROPDOWNLIST);
        EXPECT_EQ(ask(control(list), CB_GETCOUNT), items);
        // Only the version 6 controls answer this: the manifest took effect.
        EXPECT_EQ(ask(control(list), CB_GETMINVISIBLE), 20);
    }
    const auto descriptionStyle = GetWindowLongPtrW(control(Text1), GWL_STYLE);
    EXPECT_EQ(descriptionStyle & (ES_MULTILINE | WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL), ES_MULTILINE | WS_VSCROLL);
    EXPECT_EQ(shown(), (std::array<bool, 3>{}));
    EXPECT_EQ(selection(Combo1), CB_ERR);
    EXPECT_EQ(selections(), (std::array<int, 3>{CB_ERR, CB_ERR, CB_ERR}));
    EXPECT_EQ(description(), L"");
    EXPECT_EQ(textOf(control(Text2)), L"");
    EXPECT_EQ(ask(control(Check1), BM_GETCHECK), BST_UNCHECKED);
    EXPECT_EQ(focusOf(window), control(Command1));
}

TEST_F(EndToEndTest, TabAndArrowKeysMoveTheFocusAsInADialog) {
    const struct {
        WORD key;
        bool shift;
        ControlId focus;
    } steps[] = {
        {VK_TAB, false, Check1}, {VK_TAB, false, Combo1}, {VK_TAB, false, Text1},   {VK_TAB, false, Text2},
        {VK_TAB, false, Command1}, {VK_TAB, true, Text2}, {VK_TAB, false, Command1}, {VK_DOWN, false, Check1},
        {VK_UP, false, Command1},
    };
    for (const auto& step : steps) {
        pressKey(step.key, step.shift);
        EXPECT_TRUE(focusMovesTo(step.focus)) << "key " << step.key << (step.shift ? " with shift" : "");
    }
}

// By keyboard: each category shows its own list only, each list's names their rows. Fun's
// row 12 is left showing for the screenshot.
TEST_F(EndToEndTest, ChoosingACategoryShowsItsListAndChoosingANameItsDescription) {
    const std::pair<CategoryId, ControlId> lists[] = {
        {CategoryId::Core, Combo2}, {CategoryId::Cstrike, Combo4}, {CategoryId::Fun, Combo3}};
    pressKey(VK_TAB);
    pressKey(VK_TAB);
    for (const auto& [id, list] : lists) {
        const auto index = static_cast<std::size_t>(id);
        SCOPED_TRACE(::testing::Message() << "category " << index);
        ASSERT_TRUE(focusMovesTo(Combo1));
        ASSERT_TRUE(arrowTo(Combo1, static_cast<int>(index)));
        std::array<bool, 3> expected{};
        expected[index] = true;
        EXPECT_TRUE(waitUntil([&] { return shown() == expected; }));
        EXPECT_EQ(description(), L"");
        pressKey(VK_TAB);
        ASSERT_TRUE(focusMovesTo(list));
        ASSERT_TRUE(arrowTo(list, 3));
        EXPECT_TRUE(descriptionBecomes(descriptionOf(id, 3)));
        ASSERT_TRUE(arrowTo(list, 1));
        EXPECT_TRUE(descriptionBecomes(descriptionOf(id, 1)));
        pressKey(VK_TAB, true);
    }
    pressKey(VK_TAB);
    ASSERT_TRUE(arrowTo(Combo3, 12));
    ASSERT_TRUE(descriptionBecomes(descriptionOf(CategoryId::Fun, 12)));
    if (const char* bitmap = std::getenv("QUILLON_SCREENSHOT_BMP")) {
        Sleep(300);  // the last repaint has reached the screen
        const int width = GetSystemMetrics(SM_CXSCREEN);
        const int height = GetSystemMetrics(SM_CYSCREEN);
        const HDC screen = GetDC(nullptr);
        const HDC memory = CreateCompatibleDC(screen);
        const HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
        SelectObject(memory, picture);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        BITMAPINFOHEADER info{};
        info = {sizeof info, width, height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        std::vector<char> pixels(4 * static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        GetDIBits(memory, picture, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
                  DIB_RGB_COLORS);
        const DWORD headers = sizeof(BITMAPFILEHEADER) + sizeof info;
        const BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(headers + pixels.size()), 0, 0, headers};
        FILE* out = std::fopen(bitmap, "wb");
        ASSERT_NE(out, nullptr) << bitmap;
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&info, sizeof info, 1, out);
        std::fwrite(pixels.data(), 1, pixels.size(), out);
        std::fclose(out);
    }
}

TEST_F(EndToEndTest, TheAboutButtonShowsItsExactTextUntilOkIsPressed) {
    pressKey(VK_SPACE);
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = program.window(L"#32770")) != nullptr; }));
    EXPECT_EQ(textOf(box), L"关于...");
    // The box's text is its static control 0xFFFF, its icon the static control 0x440.
    EXPECT_EQ(textOf(GetDlgItem(box, 0xFFFF)),
              L"    该软件根据AMXX官方文档简要翻译而来,难免存在\n错误,欢迎指正,如果要准确信息请参照原文,你可以自\n\n"
              L"AMXX插件信息请访问Brightmoor论坛!\nhttp://forum.brightmoor.example/(程序制作--[Harlan])");
    const HWND icon = GetDlgItem(box, 0x440);
    EXPECT_TRUE(icon == nullptr || ask(icon, STM_GETICON) == 0);
    for (const int button : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        EXPECT_EQ(IsWindowVisible(GetDlgItem(box, button)) != FALSE, button == IDOK) << "button " << button;
    }
    EXPECT_FALSE(IsWindowEnabled(window));
    pressKey(VK_RETURN);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(box) && IsWindowEnabled(window); }));
    EXPECT_TRUE(focusMovesTo(Command1));
}

TEST_F(EndToEndTest, ASecondCopyEndsWithCodeZeroWithoutShowingAWindow) {
    const QuillonProgram second;
    EXPECT_EQ(second.exitCode(), 0u);
    EXPECT_EQ(second.window(), nullptr);
    EXPECT_EQ(quillonWindowCount(), 1);
    EXPECT_TRUE(IsWindowVisible(window));
}

TEST(SingleCopy, EightCopiesStartedAtOnceLeaveOneWindowAndSevenQuietEnds) {
    ASSERT_EQ(quillonWindowCount(), 0);
    std::vector<std::unique_ptr<QuillonProgram>> copies;
    for (int i = 0; i < 8; ++i) {
        copies.push_back(std::make_unique<QuillonProgram>());
    }
    int shownWindows = 0;
    int quietEnds = 0;
    for (const auto& copy : copies) {
        ASSERT_TRUE(waitUntil([&] { return copy->hasEnded() || copy->window() != nullptr; }, START_LIMIT_MS));
        shownWindows += copy->hasEnded() ? 0 : 1;
        quietEnds += copy->hasEnded() && copy->exitCode() == 0 ? 1 : 0;
    }
    EXPECT_EQ(shownWindows, 1);
    EXPECT_EQ(quietEnds, 7);
    EXPECT_EQ(quillonWindowCount(), 1);
}

// The window answers at once even after a mebibyte of text that is costly to lay out (direction
// marks, invisible and combining characters); the box keeps what it takes and goes on searching.
TEST_F(EndToEndTest, AMebibytePasteLeavesTheWindowAnsweringWithinASecond) {
    const HWND search = control(Text2);
    const auto limit = static_cast<std::size_t>(ask(search, EM_GETLIMITTEXT).value_or(0));
    for (const std::wstring_view piece : {L"a", L"说明\U0001F600\u202Eypoc\u200Bco\u00ADpy\t\u0001ｃｏｐｙ", L"\u202E\u200B\u0304"}) {
        std::wstring text;
        while (text.size() < 1024 * 1024) {
            text += piece;
        }
        ASSERT_TRUE(pasteOver(search, text)) << "no answer to the paste within a second";
        ASSERT_TRUE(ask(window, WM_NULL).has_value()) << "no answer after the paste within a second";
        EXPECT_EQ(textOf(search), text.substr(0, limit));
        ASSERT_TRUE(pasteOver(search, L"cs_set_user_money"));
        EXPECT_EQ(selections(), (std::array<int, 3>{-1, -1, 21}));
    }
}

}  // namespace
}  // namespace quillon::testing
