// The picture of the window for the README: Fun row 12 shown, saved as a bitmap of the whole
// screen at QUILLON_SCREENSHOT_BMP.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "catalogue.h"
#include "running_program.h"
#include "window_layout.h"

namespace quillon::testing {
namespace {

void saveScreenAsBitmap(const std::wstring& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const HDC screen = GetDC(nullptr);
    const HDC memory = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    const HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, previous);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    const auto stride = static_cast<DWORD>((width * 3 + 3) & ~3);
    std::vector<unsigned char> pixels(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
    GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(), reinterpret_cast<BITMAPINFO*>(&info),
              DIB_RGB_COLORS);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
    const HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &info, sizeof info, &written, nullptr);
    WriteFile(out, pixels.data(), static_cast<DWORD>(pixels.size()), &written, nullptr);
    CloseHandle(out);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST(Screenshot, WindowShowingFunRow12) {
    RunningProgram program(programPath());
    HWND window = nullptr;
    ASSERT_NE(window = program.waitForWindow(), nullptr);
    ASSERT_TRUE(chooseWithMouse(GetDlgItem(window, win32::Combo1), 1));
    ASSERT_TRUE(chooseWithMouse(GetDlgItem(window, win32::Combo3), 12));
    const std::u16string_view expected = entryAt(CategoryId::Fun, 12)->description;
    ASSERT_TRUE(waitUntil(
        [&] { return textOf(GetDlgItem(window, win32::Text1)) == std::wstring(expected.begin(), expected.end()); }));
    const char* target = std::getenv("QUILLON_SCREENSHOT_BMP");
    ASSERT_NE(target, nullptr);
    std::wstring path = L"Z:";
    for (const char* c = target; *c != '\0'; ++c) {
        path.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(*c));
    }
    Sleep(300);  // the last repaint has reached the screen
    saveScreenAsBitmap(path);
    EXPECT_NE(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace quillon::testing
