// quillon.exe started as its own process and driven as a user drives it: real keystrokes and
// pastes go in, window messages read the result back.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "window_layout.h"

namespace quillon::testing {

// Limits are upper bounds only: every wait ends as soon as its condition holds.
inline constexpr DWORD WAIT_LIMIT_MS = 10000;
// A new prefix, or a new locale in one, builds its font caches at its first program start,
// which on a busy machine takes well over ten seconds.
inline constexpr DWORD START_LIMIT_MS = 60000;
// How long the window may take to answer any message, a mebibyte paste included.
inline constexpr DWORD ANSWER_LIMIT_MS = 1000;

// Pumps this thread's messages while it waits; false when the limit passed first.
bool waitUntil(const std::function<bool()>& condition, DWORD limitMs = WAIT_LIMIT_MS);

// The Windows path of a file whose Unix path is in the environment variable.
std::wstring windowsPath(const char* variable);

class QuillonProgram {
public:
    explicit QuillonProgram(const std::wstring& path = windowsPath("QUILLON_EXE"));
    // Closes the window as a user does; a copy that does not end then is ended.
    ~QuillonProgram();
    QuillonProgram(const QuillonProgram&) = delete;
    QuillonProgram& operator=(const QuillonProgram&) = delete;

    bool hasEnded() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }
    // Waits for the process to end: its exit code, or STILL_ACTIVE when it did not.
    DWORD exitCode(DWORD limitMs = START_LIMIT_MS) const;
    // Its visible top-level window of that class, or nullptr.
    HWND window(const wchar_t* windowClass = win32::WINDOW_CLASS) const;
    // Its main window once shown; nullptr when it ended first or showed none in time.
    HWND waitForWindow() const;

private:
    PROCESS_INFORMATION process_{};
};

// Quillon's main windows on the desktop, shown or not, whichever process owns them.
int quillonWindowCount();

// The answer, when the window gave one within ANSWER_LIMIT_MS.
std::optional<LRESULT> ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
std::wstring textOf(HWND window);
HWND focusOf(HWND window);
void pressKey(WORD virtualKey, bool withShift = false);
// Selects all of the box's text and pastes the text over it through the clipboard; true when
// the box answered the paste in time.
bool pasteOver(HWND box, std::wstring_view text);

}  // namespace quillon::testing
