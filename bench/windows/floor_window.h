// What the two start-up floor programs share: a window of Quillon's class, caption, style and
// design place, and a message loop, so that the floors differ from each other and from
// Quillon only in what they measure.
#pragma once

#include <windows.h>

#include "window_layout.h"

namespace quillon::win32 {

inline LRESULT CALLBACK floorWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

inline HWND createFloorWindow(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &floorWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = WINDOW_CLASS;
    RegisterClassExW(&windowClass);
    return CreateWindowExW(WINDOW_EX_STYLE, WINDOW_CLASS, WINDOW_CAPTION, WINDOW_STYLE, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
}

inline void placeFloorWindow(HWND window, UINT dpi) {
    const RECT place = designWindowRect(dpi);
    SetWindowPos(window, nullptr, place.left, place.top, place.right - place.left, place.bottom - place.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

inline int runFloorMessageLoop(HWND dialogWindow) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (dialogWindow == nullptr || IsDialogMessageW(dialogWindow, &message) == FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}

}  // namespace quillon::win32
