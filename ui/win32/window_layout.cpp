#include "window_layout.h"

#include <commctrl.h>

#include <optional>
#include <stdexcept>
#include <string_view>

#include "accessible_name.h"

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
using GetDpiForSystemFunction = UINT(WINAPI*)();
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);

using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

bool isList(const ControlDesign& control) {
    return control.kind == ControlKind::List;
}

// Runs only while compiling: an id the table does not hold stops the build rather than
// lending a control another control's place.
consteval const ControlDesign& design(ControlId id) {
    for (const ControlDesign& control : CONTROLS) {
        if (control.id == id) {
            return control;
        }
    }
    throw std::logic_error("control id not in CONTROLS");
}

// Each control's rectangle on the window's client area, in twips, in table order.
consteval std::array<TwipRect, CONTROLS.size()> windowPlaces() {
    std::array<TwipRect, CONTROLS.size()> places{};
    for (std::size_t i = 0; i < CONTROLS.size(); ++i) {
        const ControlDesign& control = CONTROLS[i];
        const TwipRect frame = control.frame == control.id ? TwipRect{} : design(control.frame).place;
        places[i] = {frame.left + control.place.left, frame.top + control.place.top, control.place.width,
                     control.place.height};
    }
    return places;
}

constexpr std::array<TwipRect, CONTROLS.size()> WINDOW_PLACES = windowPlaces();

// What a screen reader says for the control: its caption, or else its own name.
constexpr std::wstring_view spokenName(const ControlDesign& control) {
    return *control.caption != L'\0' ? control.caption : control.accessibleName;
}

// A listener tells the controls apart only by what the reader says, so every control the
// focus reaches must be named, once, and no two alike; a caption and a name of its own would
// be two names for one control.
consteval bool everyControlNamedOnceAndApart() {
    for (std::size_t i = 0; i < CONTROLS.size(); ++i) {
        const ControlDesign& control = CONTROLS[i];
        const bool focusable = (control.style & WS_TABSTOP) != 0;
        if ((*control.caption != L'\0' && *control.accessibleName != L'\0') ||
            (focusable && spokenName(control).empty())) {
            return false;
        }
        for (std::size_t j = 0; j < i; ++j) {
            if (!spokenName(control).empty() && spokenName(control) == spokenName(CONTROLS[j])) {
                return false;
            }
        }
    }
    return true;
}
static_assert(everyControlNamedOnceAndApart(), "a control a screen reader cannot name or tell apart");

RECT pixelRect(const TwipRect& place, UINT dpi) {
    const int left = twipsToPixels(place.left, dpi);
    const int top = twipsToPixels(place.top, dpi);
    return {left, top, left + twipsToPixels(place.width, dpi), top + twipsToPixels(place.height, dpi)};
}

// A drop-down list's own height is that of its selection field, which the control derives
// from the font, and a frame; setting the field's height makes the closed list as tall as
// designed. How the value given to the control becomes a height differs between versions of
// it (and the value it reports does not always give back its own height), so the first list
// measures the frame from what one value gives. Every list has the same control and font,
// hence the same frame, and each of the others is given its height in one step; a list is
// measured after each step and put right only where it is off.
void fitListHeight(HWND list, int height, std::optional<int>& frame) {
    const auto closedHeight = [list] {
        RECT outer{};
        GetWindowRect(list, &outer);
        return static_cast<int>(outer.bottom - outer.top);
    };
    int closed = closedHeight();
    int wanted =
        frame ? height - *frame
              : static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0)) + height - closed;
    for (int attempt = 0; attempt < 3 && closed != height && wanted > 0; ++attempt) {
        SendMessageW(list, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), wanted);
        closed = closedHeight();
        frame = closed - wanted;
        wanted = height - *frame;
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

UINT systemDpi() {
    if (const auto getDpiForSystem = user32Function<GetDpiForSystemFunction>("GetDpiForSystem")) {
        return getDpiForSystem();
    }
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(dpi);
}

int systemMetricForDpi(int index, UINT dpi) {
    const auto forDpi = user32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    return forDpi ? forDpi(index, dpi) : GetSystemMetrics(index);
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

namespace {

// A list's window height is that of the list it drops down; its closed height, the designed
// one, is fitted after the font is set.
RECT windowRect(const ControlDesign& control, const RECT& designed) {
    RECT rect = designed;
    if (isList(control)) {
        rect.bottom = rect.top + (designed.bottom - designed.top) * LIST_VISIBLE_ITEMS;
    }
    return rect;
}

void giveFont(HWND child, const ControlDesign& control, const RECT& designed, HFONT font,
              std::optional<int>& listFrame) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (isList(control)) {
        fitListHeight(child, designed.bottom - designed.top, listFrame);
    }
}

}  // namespace

void createControls(HWND window, HINSTANCE instance, UINT dpi, HFONT font) {
    std::optional<int> listFrame;
    for (std::size_t i = 0; i < CONTROLS.size(); ++i) {
        const ControlDesign& control = CONTROLS[i];
        const RECT designed = pixelRect(WINDOW_PLACES[i], dpi);
        const RECT rect = windowRect(control, designed);
        // Children go below the siblings created before them, so the order of creation is
        // the z-order, which dialog navigation follows as the tab order.
        HWND child = CreateWindowExW(control.exStyle, windowClass(control.kind), control.caption, control.style,
                                     rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, window,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)), instance, nullptr);
        if (isList(control)) {
            SendMessageW(child, CB_SETMINVISIBLE, LIST_VISIBLE_ITEMS, 0);
        } else if (control.kind == ControlKind::TextBox) {
            SendMessageW(child, EM_SETLIMITTEXT, static_cast<WPARAM>(userInputLimit(control.id)), 0);
        }
        if (*control.accessibleName != L'\0') {
            giveAccessibleName(child);
        }
        giveFont(child, control, designed, font, listFrame);
    }
}

void layoutControls(HWND window, UINT dpi, HFONT font) {
    std::optional<int> listFrame;
    for (std::size_t i = 0; i < CONTROLS.size(); ++i) {
        const ControlDesign& control = CONTROLS[i];
        HWND child = GetDlgItem(window, control.id);
        const RECT designed = pixelRect(WINDOW_PLACES[i], dpi);
        const RECT rect = windowRect(control, designed);
        MoveWindow(child, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, FALSE);
        giveFont(child, control, designed, font, listFrame);
    }
    InvalidateRect(window, nullptr, TRUE);
}

}  // namespace quillon::win32
