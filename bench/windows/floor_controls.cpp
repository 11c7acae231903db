// Start-up floor (b): Quillon's own window, made and shown by its own code, but without
// Form_Load: no catalogue, empty lists.
#include <windows.h>

#include "main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    quillon::win32::MainWindow window(instance);
    window.show(showCommand);
    return quillon::win32::runMessageLoop(window.handle());
}
