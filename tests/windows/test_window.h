// The real window in the test's own process, created hidden, with the two start-up
// operations that would end the test program stood in for.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "main_window.h"

namespace quillon::testing {

class TestWindow final : public win32::MainWindow {
public:
    explicit TestWindow(bool anotherCopyRunning = false)
        : MainWindow(GetModuleHandleW(nullptr)), anotherCopyRunning_(anotherCopyRunning) {}

    bool previousInstanceRunning() override { return anotherCopyRunning_; }
    void endProgram() override { ++endProgramCalls; }

    // The About box is the real modal box; a timer reads and dismisses it so the test goes on.
    void showMessage(std::u16string_view title, std::u16string_view text) override {
        SetTimer(handle(), 1, 50, &dismissMessageBox);
        MainWindow::showMessage(title, text);
        KillTimer(handle(), 1);
    }

    int endProgramCalls = 0;
    // What the last message box showed.
    static inline std::wstring boxText;

private:
    static std::wstring textOf(HWND window) {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
        return text;
    }

    static BOOL CALLBACK dismissIfMessageBox(HWND window, LPARAM) {
        wchar_t windowClass[16]{};
        GetClassNameW(window, windowClass, 16);
        if (std::wstring_view(windowClass) != L"#32770") {
            return TRUE;
        }
        // The message box's text is its static control 0xFFFF; empty until the box is ready.
        boxText = textOf(GetDlgItem(window, 0xFFFF));
        if (!boxText.empty()) {
            PostMessageW(window, WM_COMMAND, IDOK, 0);
        }
        return FALSE;
    }

    static void CALLBACK dismissMessageBox(HWND, UINT, UINT_PTR, DWORD) {
        EnumThreadWindows(GetCurrentThreadId(), &dismissIfMessageBox, 0);
    }

    bool anotherCopyRunning_;
};

}  // namespace quillon::testing
