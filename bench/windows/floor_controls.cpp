// Start-up floor (b): Quillon's window with its eleven controls, laid out and given the
// font, but the lists left empty and no catalogue.
#include <windows.h>

#include <commctrl.h>

#include "floor_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace quillon::win32;
    const HWND window = createFloorWindow(instance);
    const INITCOMMONCONTROLSEX commonControls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);
    createControls(window, instance);
    const UINT dpi = windowDpi(window);
    placeFloorWindow(window, dpi);
    layoutControls(window, dpi, createMessageFont(dpi));
    ShowWindow(window, showCommand);
    SetFocus(GetDlgItem(window, Command1));
    return runFloorMessageLoop(window);
}
