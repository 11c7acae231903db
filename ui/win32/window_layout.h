// The main window's fixed design: its controls, their places in twips and their tab order,
// and the conversions to pixels at a given DPI. The window is made from it, and the Windows
// tests and the start-up benchmark hold the real window against it.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>

namespace quillon::win32 {

inline constexpr wchar_t WINDOW_CLASS[] = L"Quillon.MainWindow";
inline constexpr wchar_t WINDOW_CAPTION[] = L"Quillon--[Harlan]";

inline constexpr int CLIENT_WIDTH_TWIPS = 4575;
inline constexpr int CLIENT_HEIGHT_TWIPS = 3465;
// Where the client area opens, from the screen's top-left corner.
inline constexpr int CLIENT_LEFT_TWIPS = 7380;
inline constexpr int CLIENT_TOP_TWIPS = 4440;

inline constexpr DWORD WINDOW_STYLE = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
inline constexpr DWORD WINDOW_EX_STYLE = WS_EX_CONTROLPARENT;

// Control identifiers, in tab order; none collides with IDOK or IDCANCEL, which the dialog
// navigation sends for Enter and Esc.
enum ControlId : int {
    Command1 = 100,
    Check1,
    Frame1,
    Combo1,
    Combo4,
    Combo3,
    Combo2,
    Frame2,
    Frame3,
    Text1,
    Text2,
};

struct TwipRect {
    int left;
    int top;
    int width;
    int height;
};

// What a control is; its window class follows from it, and so does what is done to it
// beyond its place and font.
enum class ControlKind : std::uint8_t { PushButton, CheckBox, Frame, List, TextBox };

constexpr const wchar_t* windowClass(ControlKind kind) {
    switch (kind) {
    case ControlKind::List:
        return L"COMBOBOX";
    case ControlKind::TextBox:
        return L"EDIT";
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::Frame:
        break;
    }
    return L"BUTTON";
}

struct ControlDesign {
    ControlId id;
    ControlId frame;  // the frame it sits in, or itself for a control placed on the window
    ControlKind kind;
    DWORD style;
    DWORD exStyle;
    TwipRect place;  // relative to the frame's client origin or to the window's
    const wchar_t* caption;
    // What a screen reader calls a control that shows no caption of its own, taken from what a
    // sighted user sees around it and in it; empty where the caption names the control.
    const wchar_t* accessibleName;
};

inline constexpr DWORD LIST_STYLE = WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
inline constexpr DWORD FRAME_STYLE = WS_CHILD | WS_VISIBLE | WS_GROUP | BS_GROUPBOX;

// Listed in tab order, which is also the order of creation and of the z-order.
inline constexpr std::array<ControlDesign, 11> CONTROLS{{
    {Command1,
     Command1,
     ControlKind::PushButton,
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON,
     0,
     {3720, 3180, 735, 255},
     L"关  于",
     L""},
    {Check1,
     Check1,
     ControlKind::CheckBox,
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
     0,
     {120, 3180, 735, 255},
     L"置顶",
     L""},
    {Frame1, Frame1, ControlKind::Frame, FRAME_STYLE, 0, {120, 0, 4335, 675}, L"选 择", L""},
    {Combo1, Frame1, ControlKind::List, LIST_STYLE | WS_VISIBLE, 0, {120, 240, 1455, 300}, L"", L"选择类别"},
    {Combo4, Frame1, ControlKind::List, LIST_STYLE, 0, {1680, 240, 2535, 300}, L"", L"选择反恐涵数"},
    {Combo3, Frame1, ControlKind::List, LIST_STYLE, 0, {1680, 240, 2535, 300}, L"", L"选择娱乐涵数"},
    {Combo2, Frame1, ControlKind::List, LIST_STYLE, 0, {1680, 240, 2535, 300}, L"", L"选择核心涵数"},
    {Frame2, Frame2, ControlKind::Frame, FRAME_STYLE, 0, {120, 780, 4335, 615}, L"搜 索(即输即显-切忌多余空格)", L""},
    {Frame3, Frame3, ControlKind::Frame, FRAME_STYLE, 0, {120, 1500, 4335, 1575}, L"说 明", L""},
    {Text1,
     Frame3,
     ControlKind::TextBox,
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL,
     WS_EX_CLIENTEDGE,
     {120, 240, 4095, 1215},
     L"",
     L"涵数说明"},
    {Text2,
     Frame2,
     ControlKind::TextBox,
     WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
     WS_EX_CLIENTEDGE,
     {120, 240, 4095, 270},
     L"",
     L"搜索涵数名"},
}};

// How many names an open list shows before it scrolls.
inline constexpr int LIST_VISIBLE_ITEMS = 20;

inline int twipsToPixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

// The system's DPI, the one thing the platform tells before a window exists; a window that
// opens on a monitor of another DPI learns its own once it exists.
UINT systemDpi();

// A system metric (SM_CXICON, ...) at that DPI.
int systemMetricForDpi(int index, UINT dpi);

// The DPI the window is shown at: its monitor's under per-monitor awareness, else the system's.
UINT windowDpi(HWND window);

// The system message font at that DPI; the caller owns it.
HFONT createMessageFont(UINT dpi);

// The outer rectangle of a window whose client area has the design size at that DPI and
// opens at the design position, moved into the work area of the monitor it lands on.
RECT designWindowRect(UINT dpi);

// Creates the controls as children of the window in tab order, captions set, lists empty,
// each at its place for the DPI and with the font.
void createControls(HWND window, HINSTANCE instance, UINT dpi, HFONT font);

// Moves and sizes every control for a new DPI and gives them the font.
void layoutControls(HWND window, UINT dpi, HFONT font);

}  // namespace quillon::win32
