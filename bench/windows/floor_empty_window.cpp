// Start-up floor (a): one empty window of Quillon's class, style and size, and nothing else.
#include <windows.h>

#include "floor_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    using namespace quillon::win32;
    const HWND window = createFloorWindow(instance);
    placeFloorWindow(window, windowDpi(window));
    ShowWindow(window, showCommand);
    return runFloorMessageLoop(nullptr);
}
