// What the real window adds in the test's own process: its layout follows a change of DPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "test_view.h"

namespace quillon::testing {
namespace {

std::vector<RECT> controlPlaces(HWND window) {
    std::vector<RECT> places;
    for (int id = win32::Command1; id <= win32::Text2; ++id) {
        RECT rect{};
        GetWindowRect(GetDlgItem(window, id), &rect);
        MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&rect), 2);
        places.push_back(rect);
    }
    RECT client{};
    GetClientRect(window, &client);
    places.push_back(client);
    return places;
}

int fontHeight(HWND window) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(GetDlgItem(window, win32::Command1), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    return font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
}

void changeDpi(HWND window, UINT dpi) {
    RECT suggested{0, 0, 0, 0};
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

// Every place in the design is a whole number of pixels at 96 DPI, so at twice that DPI every
// control and the client area are exactly twice as large and as far from the origin.
TEST(RealWindow, ADpiChangeScalesTheLayoutAndTheFontAndChangingBackRestoresThem) {
    TestView view;
    ASSERT_EQ(win32::windowDpi(view.handle()), 96u);
    const std::vector<RECT> before = controlPlaces(view.handle());
    const int font = fontHeight(view.handle());
    changeDpi(view.handle(), 192);
    const std::vector<RECT> after = controlPlaces(view.handle());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(after[i].left, 2 * before[i].left) << "control " << i;
        EXPECT_EQ(after[i].top, 2 * before[i].top) << "control " << i;
        EXPECT_EQ(after[i].right - after[i].left, 2 * (before[i].right - before[i].left)) << "control " << i;
        EXPECT_EQ(after[i].bottom - after[i].top, 2 * (before[i].bottom - before[i].top)) << "control " << i;
    }
    EXPECT_GT(fontHeight(view.handle()), font);
    changeDpi(view.handle(), 96);
    const std::vector<RECT> back = controlPlaces(view.handle());
    for (std::size_t i = 0; i < before.size(); ++i) {
        EXPECT_TRUE(EqualRect(&back[i], &before[i])) << "control " << i;
    }
    EXPECT_EQ(fontHeight(view.handle()), font);
}

}  // namespace
}  // namespace quillon::testing
