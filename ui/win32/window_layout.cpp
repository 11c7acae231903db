#include "window_layout.h"

#include <commctrl.h>

namespace quillon::win32 {
namespace {

// Functions of newer Windows versions, looked up at run time so the program still starts
// on Windows 7, where each falls back to its system-DPI equivalent.
template <typename Function>
Function user32Function(const char* name) {
    const HMODULE user32 = GetModuleHandleW(L"user32.dll");
    // Going through void(*)() is the documented way to silence the cast warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

UINT systemDpi() {
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

const ControlDesign& design(ControlId id) {
    for (const ControlDesign& control : CONTROLS) {
        if (control.id == id) {
            return control;
        }
    }
    return CONTROLS.front();
}

RECT pixelRect(const TwipRect& place, UINT dpi) {
    const int left = twipsToPixels(place.left, dpi);
    const int top = twipsToPixels(place.top, dpi);
    return {left, top, left + twipsToPixels(place.width, dpi), top + twipsToPixels(place.height, dpi)};
}

// A drop-down list's own height is that of its selection field, which the control derives
// from the font; setting the field's height makes the closed list as tall as designed. How
// the field's height relates to the list's differs between versions of the control, so the
// result is measured and corrected once.
void fitListHeight(HWND list, int height) {
    const auto closedHeight = [list] {
        RECT outer{};
        GetWindowRect(list, &outer);
        return static_cast<int>(outer.bottom - outer.top);
    };
    const auto field = static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    int wanted = field + height - closedHeight();
    for (int attempt = 0; attempt < 2 && wanted > 0; ++attempt) {
        SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), wanted);
        wanted += height - closedHeight();
    }
}

// What the user may type or paste into a box; the program's own texts are never cut. The edit
// control lays out and repaints its whole line on every change, and for some texts (runs of
// direction marks or zero-width characters) that costs time growing with the square of the
// length: a mebibyte pasted into the search box froze the window for over a minute. A search
// text can only ever match a name of a few dozen characters, so a limit far above that
// changes no search and keeps every repaint short.
constexpr int SEARCH_TEXT_LIMIT = 4096;

// 0 lifts the platform's default limit.
int userInputLimit(ControlId id) {
    return id == Text2 ? SEARCH_TEXT_LIMIT : 0;
}

}  // namespace

TwipRect windowPlace(const ControlDesign& control) {
    if (control.frame == control.id) {
        return control.place;
    }
    const TwipRect frame = design(control.frame).place;
    return {frame.left + control.place.left, frame.top + control.place.top, control.place.width, control.place.height};
}

UINT windowDpi(HWND window) {
    if (const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow")) {
        if (const UINT dpi = getDpiForWindow(window)) {
            return dpi;
        }
    }
    return systemDpi();
}

HFONT createMessageFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (const auto forDpi = user32Function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi")) {
        forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    } else {
        SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
        metrics.lfMessageFont.lfHeight =
            MulDiv(metrics.lfMessageFont.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi()));
    }
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

RECT designWindowRect(UINT dpi) {
    const int clientLeft = twipsToPixels(CLIENT_LEFT_TWIPS, dpi);
    const int clientTop = twipsToPixels(CLIENT_TOP_TWIPS, dpi);
    RECT rect{clientLeft, clientTop, clientLeft + twipsToPixels(CLIENT_WIDTH_TWIPS, dpi),
              clientTop + twipsToPixels(CLIENT_HEIGHT_TWIPS, dpi)};
    if (const auto forDpi = user32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi")) {
        forDpi(&rect, WINDOW_STYLE, FALSE, WINDOW_EX_STYLE, dpi);
    } else {
        AdjustWindowRectEx(&rect, WINDOW_STYLE, FALSE, WINDOW_EX_STYLE);
    }

    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int left = rect.right > work.right ? work.right - width : rect.left;
    const int top = rect.bottom > work.bottom ? work.bottom - height : rect.top;
    rect.left = left < work.left ? work.left : left;
    rect.top = top < work.top ? work.top : top;
    rect.right = rect.left + width;
    rect.bottom = rect.top + height;
    return rect;
}

void createControls(HWND window, HINSTANCE instance) {
    HWND previous = HWND_TOP;
    for (const ControlDesign& control : CONTROLS) {
        HWND child =
            CreateWindowExW(control.exStyle, control.windowClass, control.caption, control.style, 0, 0, 0, 0, window,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
        // Dialog navigation follows the z-order, so it is made the tab order explicitly.
        SetWindowPos(child, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = child;
        if (control.windowClass[0] == L'C') {
            SendMessageW(child, CB_SETMINVISIBLE, LIST_VISIBLE_ITEMS, 0);
        } else if (control.windowClass[0] == L'E') {
            SendMessageW(child, EM_SETLIMITTEXT, static_cast<WPARAM>(userInputLimit(control.id)), 0);
        }
    }
}

void layoutControls(HWND window, UINT dpi, HFONT font) {
    for (const ControlDesign& control : CONTROLS) {
        HWND child = GetDlgItem(window, control.id);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        const RECT rect = pixelRect(windowPlace(control), dpi);
        const int height = rect.bottom - rect.top;
        const bool isList = control.windowClass[0] == L'C';
        // A list's window height is that of the list it drops down; its closed height is set
        // below.
        MoveWindow(child, rect.left, rect.top, rect.right - rect.left, isList ? height * LIST_VISIBLE_ITEMS : height,
                   FALSE);
        if (isList) {
            fitListHeight(child, height);
        }
    }
    InvalidateRect(window, nullptr, TRUE);
}

}  // namespace quillon::win32
