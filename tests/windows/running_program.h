// quillon.exe started as its own process and driven from outside, as a user would: real
// keystrokes and mouse clicks through SendInput, state read back through window messages.
#pragma once

#include <windows.h>

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "window_layout.h"

namespace quillon::testing {

// Waits (pumping this thread's messages) until the condition holds; false after ten seconds.
// Limits are upper bounds only: every wait ends as soon as its condition holds.
inline constexpr DWORD WAIT_LIMIT_MS = 10000;
// The first program a new Wine prefix (or a prefix in a new locale) runs builds its font
// caches first, which on a busy machine takes well over ten seconds.
inline constexpr DWORD START_LIMIT_MS = 60000;

bool waitUntil(const std::function<bool()>& condition, DWORD limitMs = WAIT_LIMIT_MS);

// The Windows path of quillon.exe, from QUILLON_EXE (a Unix path of the build).
std::wstring programPath();

class RunningProgram {
public:
    RunningProgram() = default;
    explicit RunningProgram(const std::wstring& path) { start(path); }
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    void start(const std::wstring& path);
    DWORD processId() const { return process_.dwProcessId; }
    bool hasEnded() const;
    // The program's visible main window, or nullptr.
    // Its first visible top-level window of that class: by default Quillon's main window.
    HWND visibleWindow(std::wstring_view windowClass = win32::WINDOW_CLASS) const;
    // Its main window once shown; nullptr when it ended first or never showed one.
    HWND waitForWindow() const;
    // Waits for the process to end; its exit code, or STILL_ACTIVE.
    DWORD waitForExit();
    // Closes the window and waits for the process to end.
    void close();

private:
    PROCESS_INFORMATION process_{};
};

// Quillon's main windows on the desktop, shown or not, whichever process owns them.
int programWindowCount();

struct CrowdOutcome {
    int endedWithCodeZero = 0;
    int endedWithAnotherCode = 0;
    int showingTheirWindow = 0;
    int undecided = 0;  // neither ended nor showed a window within the wait
};

// Starts every copy one right after another, before any has had time to look for the others,
// then waits until each has ended or shown its window. The copies are left as they are.
CrowdOutcome startAtOnce(std::span<RunningProgram> copies);

std::wstring textOf(HWND window);
HWND focusedControl(HWND window);

void typeText(std::wstring_view text);
void pressKey(WORD virtualKey);
void pressKeyWithShift(WORD virtualKey);
void clickAt(POINT screenPoint);
void clickCentreOf(HWND control);
// Opens the drop-down list with the mouse and clicks the item; true once it is selected.
bool chooseWithMouse(HWND list, int item);

}  // namespace quillon::testing
