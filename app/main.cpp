#include <windows.h>

#include <cstdlib>

#include "main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const bool anotherCopyRunning = !quillon::win32::takeSingleCopyGuard();
    quillon::win32::MainWindow window(instance, anotherCopyRunning);
    window.load();
    window.show(showCommand);
    return quillon::win32::runMessageLoop(window.handle());
}

// The program throws nothing; the standard library's verbose terminate handler would bring
// its name demangler along (a sixth of the program), so an abort replaces it.
// The reserved names are the library's own, which is the point.
// NOLINTBEGIN(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp,readability-identifier-naming)
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
// NOLINTEND(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp,readability-identifier-naming)
