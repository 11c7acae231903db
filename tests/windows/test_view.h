// The real window in the test's own process, created hidden, with the two start-up operations
// that would end the test program stood in for.
#pragma once

#include <windows.h>

#include "main_window.h"
#include "window_layout.h"

namespace quillon::testing {

class TestView final : public win32::MainWindow {
public:
    explicit TestView(bool anotherCopyRunning = false)
        : MainWindow(GetModuleHandleW(nullptr)), anotherCopyRunning_(anotherCopyRunning) {}

    bool previousInstanceRunning() override { return anotherCopyRunning_; }
    void endProgram() override { ++endProgramCalls; }
    void clickCheckBox() { SendMessageW(GetDlgItem(handle(), win32::Check1), BM_CLICK, 0, 0); }

    int endProgramCalls = 0;

private:
    bool anotherCopyRunning_;
};

}  // namespace quillon::testing
