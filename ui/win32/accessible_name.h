// The name a screen reader hears for a control that has no caption of its own.
#pragma once

#include <windows.h>

namespace quillon::win32 {

// From the first time a screen reader asks for the control's accessible object on, it gets the
// platform's standard object for the control with only its name replaced by the one the
// control table gives it.
void giveAccessibleName(HWND control);

}  // namespace quillon::win32
