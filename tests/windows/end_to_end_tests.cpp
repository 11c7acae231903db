// quillon.exe as the user meets it: started as its own process, driven with real input.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <ole2.h>
#include <oleacc.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "catalogue.h"
#include "main_window.h"
#include "quillon_program.h"

namespace quillon::testing {
namespace {

using namespace win32;

// What the screen shows of the window: blue, green, red and a spare byte a pixel, the top row
// first.
std::vector<DWORD> onScreen(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    BITMAPINFO info{{sizeof(BITMAPINFOHEADER), r.right - r.left, r.top - r.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    void* bits = nullptr;
    const HDC desktop = GetDC(nullptr);
    const HDC copy = CreateCompatibleDC(desktop);
    const HBITMAP picture = CreateDIBSection(copy, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ previous = SelectObject(copy, picture);
    BitBlt(copy, 0, 0, r.right - r.left, r.bottom - r.top, desktop, r.left, r.top, SRCCOPY);
    GdiFlush();
    std::vector<DWORD> pixels(static_cast<const DWORD*>(bits),
                              static_cast<const DWORD*>(bits) + (r.right - r.left) * (r.bottom - r.top));
    DeleteObject(SelectObject(copy, previous));
    DeleteDC(copy);
    ReleaseDC(nullptr, desktop);
    return pixels;
}

// Waits until the control shows the same pixels twice in a row, and none of the earlier
// pictures, and keeps them: what the user sees, once drawn. False when nothing new is drawn.
bool drawnAnew(HWND control, std::vector<DWORD>& kept, const std::vector<std::vector<DWORD>>& earlier = {}) {
    std::vector<DWORD> last;
    return waitUntil([&] {
        std::vector<DWORD> now = onScreen(control);
        const bool settled = now == last && std::ranges::find(earlier, now) == earlier.end();
        last = std::move(now);
        kept = settled ? last : kept;
        return settled;
    });
}

class EndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(waitUntil([&] { return (window = program.window()) != nullptr; }, START_LIMIT_MS));
        ASSERT_TRUE(focusMovesTo(Command1));
    }

    HWND control(ControlId id) const { return GetDlgItem(window, id); }
    int selection(ControlId list) const { return static_cast<int>(ask(control(list), CB_GETCURSEL).value_or(-2)); }
    std::array<bool, 3> shown() const {
        return {IsWindowVisible(control(Combo2)) != 0, IsWindowVisible(control(Combo3)) != 0,
                IsWindowVisible(control(Combo4)) != 0};
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

// The client size, and every control's place, caption and, where the window is this process's
// own, font height, against the design at the DPI.
void expectDesignedLayout(HWND window, int dpi, LONG ownFontHeight = 0) {
    const auto pixels = [dpi](int twips) -> LONG { return MulDiv(twips, dpi, 1440); };
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ((std::array{client.right, client.bottom}), (std::array{pixels(4575), pixels(3465)})) << dpi << " DPI";
    // Left, top, width and height on the window's client area in twips, frames' offsets added.
    // clang-format off
    const std::tuple<ControlId, std::array<int, 4>, std::wstring_view> controls[] = {
        {Frame3, {120, 1500, 4335, 1575}, L"说 明"}, {Text1, {240, 1740, 4095, 1215}, L""},
        {Frame2, {120, 780, 4335, 615}, L"搜 索(即输即显-切忌多余空格)"}, {Text2, {240, 1020, 4095, 270}, L""},
        {Frame1, {120, 0, 4335, 675}, L"选 择"}, {Combo2, {1800, 240, 2535, 300}, L""},
        {Combo3, {1800, 240, 2535, 300}, L""}, {Combo4, {1800, 240, 2535, 300}, L""},
        {Combo1, {240, 240, 1455, 300}, L""}, {Check1, {120, 3180, 735, 255}, L"置顶"},
        {Command1, {3720, 3180, 735, 255}, L"关  于"}};
    // clang-format on
    for (const auto& [id, twips, caption] : controls) {
        RECT r{};
        GetWindowRect(GetDlgItem(window, id), &r);
        MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ((std::array{r.left, r.top, r.right - r.left, r.bottom - r.top}),
                  (std::array{pixels(twips[0]), pixels(twips[1]), pixels(twips[2]), pixels(twips[3])}))
            << "control " << id << " at " << dpi << " DPI";
        EXPECT_EQ(textOf(GetDlgItem(window, id)), caption);
        LOGFONTW font{};
        GetObjectW(reinterpret_cast<HFONT>(ask(GetDlgItem(window, id), WM_GETFONT).value_or(0)), sizeof font, &font);
        EXPECT_TRUE(ownFontHeight == 0 || font.lfHeight == ownFontHeight)
            << "control " << id << " at " << dpi << " DPI";
    }
}

// Run at 96 DPI and, in the second prefix, at 144 DPI.
TEST_F(EndToEndTest, OpensAsDesignedWithNoListShownAndTheFocusOnTheAboutButton) {
    const char* expectedDpi = std::getenv("QUILLON_EXPECTED_DPI");
    const int dpi = expectedDpi != nullptr ? std::atoi(expectedDpi) : 96;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    EXPECT_EQ((std::array{origin.x, origin.y}),
              (std::array<LONG, 2>{MulDiv(7380, dpi, 1440), MulDiv(4440, dpi, 1440)}));
    EXPECT_EQ(textOf(window), L"Quillon--[Harlan]");
    expectDesignedLayout(window, dpi);
    for (const ControlId list : {Combo1, Combo2, Combo3, Combo4}) {
        EXPECT_EQ(GetWindowLongPtrW(control(list), GWL_STYLE) & (CBS_DROPDOWNLIST | CBS_SORT), CBS_DROPDOWNLIST);
        // Only the version 6 controls answer this: the manifest took effect.
        EXPECT_EQ(ask(control(list), CB_GETMINVISIBLE), 20);
    }
    EXPECT_EQ(GetWindowLongPtrW(control(Text1), GWL_STYLE) & (ES_MULTILINE | WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL),
              ES_MULTILINE | WS_VSCROLL);
    EXPECT_EQ(shown(), (std::array<bool, 3>{}));
}

// WM_DPICHANGED carries a pointer, and a font is this process's own, so both are tried on
// Quillon's window made in this process at 96 DPI: to 144 DPI and back, at the suggested place.
TEST(DpiChange, LaysTheWindowOutAgainForTheNewDpi) {
    win32::MainWindow quillon(GetModuleHandleW(nullptr));
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    for (const int dpi : {144, 96}) {
        RECT suggested{50, 60, 50 + MulDiv(600, dpi, 96), 60 + MulDiv(500, dpi, 96)};
        SendMessageW(quillon.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        RECT outer{};
        GetWindowRect(quillon.handle(), &outer);
        EXPECT_EQ((std::array{outer.left, outer.top}), (std::array{50L, 60L}));
        expectDesignedLayout(quillon.handle(), dpi, MulDiv(metrics.lfMessageFont.lfHeight, dpi, 96));
    }
}

TEST_F(EndToEndTest, TabAndArrowKeysMoveTheFocusAsInADialog) {
    const std::tuple<WORD, bool, ControlId> steps[] = {
        {VK_TAB, false, Check1},   {VK_TAB, false, Combo1},   {VK_TAB, false, Text1},
        {VK_TAB, false, Text2},    {VK_TAB, false, Command1}, {VK_TAB, true, Text2},
        {VK_TAB, false, Command1}, {VK_DOWN, false, Check1},  {VK_UP, false, Command1}};
    for (const auto& [key, shift, focus] : steps) {
        pressKey(key, shift);
        EXPECT_TRUE(focusMovesTo(focus)) << "key " << key << (shift ? " with shift" : "");
    }
}

// By keyboard: each category shows its own list only, each list's names their rows. Fun's row
// 12 is left showing for the screenshot.
TEST_F(EndToEndTest, ChoosingACategoryShowsItsListAndChoosingANameItsDescription) {
    using Pixels = std::vector<DWORD>;
    Pixels description;
    Pixels field;
    Pixels named;
    ASSERT_TRUE(drawnAnew(control(Text1), description));
    pressKey(VK_TAB);
    pressKey(VK_TAB);
    for (const auto& [id, list] :
         {std::pair{CategoryId::Core, Combo2}, {CategoryId::Cstrike, Combo4}, {CategoryId::Fun, Combo3}}) {
        const std::array<bool, 3> expected{id == CategoryId::Core, id == CategoryId::Fun, id == CategoryId::Cstrike};
        ASSERT_TRUE(focusMovesTo(Combo1));
        ASSERT_TRUE(arrowTo(Combo1, static_cast<int>(id)));
        EXPECT_TRUE(waitUntil([&] { return shown() == expected; })) << "category " << int(id);
        // The emptied description box is drawn empty; the first category finds it empty.
        EXPECT_TRUE(id == CategoryId::Core || drawnAnew(control(Text1), description, {description}));
        pressKey(VK_TAB);
        ASSERT_TRUE(focusMovesTo(list) && drawnAnew(control(list), field));
        for (const int item : {3, id == CategoryId::Fun ? 12 : 1}) {
            ASSERT_TRUE(arrowTo(list, item));
            const std::u16string_view d = entryAt(id, item)->description;
            EXPECT_TRUE(waitUntil([&] { return textOf(control(Text1)) == std::wstring(d.begin(), d.end()); }));
            EXPECT_TRUE(drawnAnew(control(list), named, {field, named})) << "category " << int(id) << ", item " << item;
        }
        EXPECT_TRUE(drawnAnew(control(Text1), description, {description})) << "category " << int(id);
        if (id != CategoryId::Fun) {
            pressKey(VK_TAB, true);
        }
    }
    if (const char* raw = std::getenv("QUILLON_SCREENSHOT_RAW")) {
        const Pixels pixels = onScreen(GetDesktopWindow());
        FILE* out = std::fopen(raw, "wb");
        ASSERT_TRUE(out && std::fwrite(pixels.data(), pixels.size() * sizeof(DWORD), 1, out) && std::fclose(out) == 0);
    }
}

TEST_F(EndToEndTest, TheAboutButtonShowsItsExactTextUntilOkIsPressed) {
    pressKey(VK_RETURN);  // on the focused button, as in a dialog
    HWND box = nullptr;
    ASSERT_TRUE(waitUntil([&] { return (box = program.window(L"#32770")) != nullptr; }));
    EXPECT_EQ(textOf(box), L"关于...");
    // The box's text is its static control 0xFFFF, its icon the static control 0x440.
    EXPECT_EQ(textOf(GetDlgItem(box, 0xFFFF)),
              L"    该软件根据AMXX官方文档简要翻译而来,难免存在\n错误,欢迎指正,如果要准确信息请参照原文,你可以自\n\n"
              L"AMXX插件信息请访问Brightmoor论坛!\nhttp://forum.brightmoor.example/(程序制作--[Harlan])");
    EXPECT_EQ(ask(GetDlgItem(box, 0x440), STM_GETICON).value_or(0), 0);
    for (const int button : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO}) {
        EXPECT_EQ(IsWindowVisible(GetDlgItem(box, button)) != FALSE, button == IDOK) << "button " << button;
    }
    EXPECT_FALSE(IsWindowEnabled(window));
    pressKey(VK_RETURN);
    EXPECT_TRUE(waitUntil([&] { return !IsWindow(box) && IsWindowEnabled(window); }));
    EXPECT_TRUE(focusMovesTo(Command1));
}

// What a screen reader hears of a control's own element: its name, role, state and value.
struct Heard {
    std::wstring name;
    LONG role = 0;
    LONG state = 0;
    std::wstring value;
    bool operator==(const Heard&) const = default;
};

std::string utf8(std::wstring_view text) {
    std::string bytes(text.size() * 3, '\0');
    bytes.resize(
        static_cast<std::size_t>(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                                     bytes.data(), static_cast<int>(bytes.size()), nullptr, nullptr)));
    return bytes;
}

void PrintTo(const Heard& heard, std::ostream* out) {
    *out << "name \"" << utf8(heard.name) << "\", role " << heard.role << ", state " << heard.state << ", value \""
         << utf8(heard.value) << "\"";
}

// The element a control's object stands for itself, not one of its parts.
VARIANT self() {
    VARIANT element{};
    element.vt = VT_I4;
    element.lVal = CHILDID_SELF;
    return element;
}

std::wstring heardText(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*property)(VARIANT, BSTR*)) {
    BSTR text = nullptr;
    const HRESULT answer = (object->*property)(self(), &text);
    std::wstring heard = answer == S_OK && text != nullptr ? text : L"";
    SysFreeString(text);
    return heard;
}

// Through the object the control hands out, as a reader in another process gets it; with
// `standard`, through the platform's own object for the same window, made in this process:
// what a reader hears of a control that names nothing itself.
Heard hear(HWND control, bool standard = false) {
    IAccessible* object = nullptr;
    const auto out = reinterpret_cast<void**>(&object);
    if (FAILED(standard ? CreateStdAccessibleObject(control, OBJID_CLIENT, __uuidof(IAccessible), out)
                        : AccessibleObjectFromWindow(control, OBJID_CLIENT, __uuidof(IAccessible), out))) {
        return {};
    }
    Heard heard{heardText(object, &IAccessible::get_accName), 0, 0, heardText(object, &IAccessible::get_accValue)};
    VARIANT role{};
    VARIANT state{};
    object->get_accRole(self(), &role);
    object->get_accState(self(), &state);
    heard.role = role.vt == VT_I4 ? role.lVal : -1;
    heard.state = state.vt == VT_I4 ? state.lVal : -1;
    object->Release();
    return heard;
}

// A frame's caption as it is spoken: without the spaces that spread its letters, and without
// the hint in brackets.
std::wstring spoken(std::wstring caption) {
    caption = caption.substr(0, caption.find(L'('));
    std::erase(caption, L' ');
    return caption;
}

// As a reader in another process hears the window, before any category is chosen and with each
// function list shown in turn: every control it shows has a name, no two the same; a control
// in a frame is named by the frame's caption, a function list by the category the selector
// shows for it. All else it hears is the platform's own, and what the window shows is as
// designed.
TEST_F(EndToEndTest, AScreenReaderHearsEveryControlByANameOfItsOwnAndTheRestAsThePlatformSaysIt) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    const std::pair<CategoryId, ControlId> categories[] = {
        {CategoryId::Core, Combo2}, {CategoryId::Fun, Combo3}, {CategoryId::Cstrike, Combo4}};
    pressKey(VK_TAB);
    pressKey(VK_TAB);
    ASSERT_TRUE(focusMovesTo(Combo1));
    for (int round = -1; round < 3; ++round) {
        if (round >= 0) {
            ASSERT_TRUE(arrowTo(Combo1, static_cast<int>(categories[round].first)));
            ASSERT_TRUE(waitUntil([&] { return IsWindowVisible(control(categories[round].second)) != FALSE; }));
        }
        std::set<std::wstring> names;
        std::string heardNames;
        for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            if (IsWindowVisible(child) == FALSE) {
                continue;
            }
            const auto id = static_cast<ControlId>(GetDlgCtrlID(child));
            const Heard heard = hear(child);
            Heard standard = hear(child, true);
            standard.name = heard.name;
            EXPECT_EQ(heard, standard) << "control " << id << " sounds other than the platform's own";
            EXPECT_FALSE(heard.name.empty()) << "control " << id;
            EXPECT_TRUE(names.insert(heard.name).second) << "control " << id << " shares its name";
            const auto design = std::ranges::find(CONTROLS, id, &ControlDesign::id);
            if (design != CONTROLS.end() && design->frame != id) {
                const std::wstring frame = spoken(textOf(control(design->frame)));
                EXPECT_NE(heard.name.find(frame), std::wstring::npos) << "control " << id << " not named by its frame";
            }
            heardNames += " " + std::to_string(id) + "=" + utf8(heard.name);
        }
        if (round >= 0) {
            EXPECT_NE(hear(control(categories[round].second)).name.find(textOf(control(Combo1))), std::wstring::npos)
                << "list " << categories[round].second << " not named by its category";
        } else {
            expectDesignedLayout(window, 96);
        }
        std::printf("heard:%s\n", heardNames.c_str());
    }
    // A text box's value is its text: what the search found, and the description it showed.
    ASSERT_TRUE(pasteOver(control(Text2), L"give_item"));
    ASSERT_TRUE(waitUntil([&] { return !textOf(control(Text1)).empty(); }));
    EXPECT_EQ(hear(control(Text2)).value, L"give_item");
    EXPECT_EQ(hear(control(Text1)).value, textOf(control(Text1)));
    CoUninitialize();
}

// A reader may keep a control's object after the window is gone; every call on it then fails.
TEST(ScreenReader, KeepsAnObjectThatAnswersEveryCallWithAnErrorOnceTheWindowIsGone) {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    IAccessible* kept = nullptr;
    {
        win32::MainWindow quillon(GetModuleHandleW(nullptr));
        ASSERT_EQ(AccessibleObjectFromWindow(GetDlgItem(quillon.handle(), Text1), OBJID_CLIENT, __uuidof(IAccessible),
                                             reinterpret_cast<void**>(&kept)),
                  S_OK);
        EXPECT_FALSE(heardText(kept, &IAccessible::get_accName).empty());
    }
    BSTR text = nullptr;
    VARIANT role{};
    EXPECT_TRUE(FAILED(kept->get_accName(self(), &text)));
    EXPECT_TRUE(FAILED(kept->get_accValue(self(), &text)));
    EXPECT_TRUE(FAILED(kept->get_accRole(self(), &role)));
    kept->Release();
    CoUninitialize();
}

// However the copies race for the single-copy guard, one keeps its window and the others end
// with code 0 without ever showing one. The copies are let go together; one deadline for the
// crowd only tells a copy that hangs, far above the slowest start seen on a loaded machine.
TEST(SingleCopy, EightCopiesStartedAtOnceLeaveOneWindowAndSevenQuietEnds) {
    std::vector<std::unique_ptr<QuillonProgram>> copies;
    for (int i = 0; i < 8; ++i) {
        copies.push_back(std::make_unique<QuillonProgram>(windowsPath("QUILLON_EXE"), true));
    }
    std::ranges::for_each(copies, [](const auto& copy) { copy->release(); });
    const auto decided = [](const auto& copy) { return copy->hasEnded() || copy->window() != nullptr; };
    ASSERT_TRUE(waitUntil([&] { return std::ranges::all_of(copies, decided); }, 3 * START_LIMIT_MS))
        << std::ranges::count_if(copies, decided) << " of 8 copies ended or showed a window; the others hang";
    EXPECT_EQ(std::ranges::count_if(copies, [](const auto& copy) { return !copy->hasEnded(); }), 1);
    EXPECT_EQ(std::ranges::count_if(copies, [](const auto& copy) { return copy->hasEnded() && copy->exitCode() == 0; }),
              7);
}

// A mebibyte of text that is costly to lay out (characters outside the BMP, direction marks,
// invisible and combining characters) is taken in moments, and the window answers within a
// second after it; the box keeps what it takes and goes on searching.
TEST_F(EndToEndTest, AMebibytePasteLeavesTheWindowAnsweringWithinASecond) {
    const HWND search = control(Text2);
    const auto limit = static_cast<std::size_t>(ask(search, EM_GETLIMITTEXT).value_or(0));
    for (const std::wstring_view piece :
         {L"\U0001F600", L"说明\U0001F600\u202Eypoc\u200Bco\u00ADpy\t\u0001ｃｏｐｙ", L"\u202E\u200B\u0304"}) {
        std::wstring text;
        while (text.size() < 1024 * 1024) {
            text += piece;
        }
        ASSERT_TRUE(pasteOver(search, text)) << "the paste was not taken within ten seconds";
        ASSERT_TRUE(ask(window, WM_NULL).has_value()) << "no answer within a second after the paste";
        EXPECT_EQ(textOf(search), text.substr(0, limit));
        ASSERT_TRUE(pasteOver(search, L"cs_set_user_money"));
        EXPECT_EQ(selection(Combo4), 21);
    }
}

}  // namespace
}  // namespace quillon::testing
