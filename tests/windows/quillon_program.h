// quillon.exe started as its own process and driven as a user drives it: real keystrokes and
// pastes go in, window messages read the result back.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
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
// How long the window may take to answer a message.
inline constexpr DWORD ANSWER_LIMIT_MS = 1000;

// Pumps this thread's messages while it waits; false when the limit passed first.
inline bool waitUntil(const std::function<bool()>& condition, DWORD limitMs = WAIT_LIMIT_MS) {
    const ULONGLONG deadline = GetTickCount64() + limitMs;
    for (MSG message; !condition(); Sleep(10)) {
        if (GetTickCount64() > deadline) {
            return false;
        }
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
    }
    return true;
}

// The Windows path of a file whose Unix path is in the environment variable.
inline std::wstring windowsPath(const char* variable) {
    const std::string_view unixPath = std::getenv(variable) != nullptr ? std::getenv(variable) : "";
    return L"Z:" + std::wstring(unixPath.begin(), unixPath.end());
}

class QuillonProgram {
public:
    // A copy started held is added to the job and runs only once released, so that a crowd of
    // copies can be let go at the same moment.
    explicit QuillonProgram(const std::wstring& path = windowsPath("QUILLON_EXE"), bool held = false) {
        // One job holds every copy and ends them all when this program ends, so that a test
        // stopped by its time limit leaves no copy behind to turn the next ones away.
        static const HANDLE job = [] {
            const HANDLE created = CreateJobObjectW(nullptr, nullptr);
            JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
            limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
            SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof limits);
            return created;
        }();
        std::wstring commandLine = L"\"" + path + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        // On a busy machine Wine now and then fails to start a process before any of its code
        // runs; that start is told apart and tried again.
        for (int attempt = 1; attempt <= 3 && !CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                                              CREATE_SUSPENDED, nullptr, nullptr, &startup, &process_);
             ++attempt) {
            std::fprintf(stderr, "Wine could not start quillon.exe (attempt %d, error %lu)\n", attempt, GetLastError());
        }
        AssignProcessToJobObject(job, process_.hProcess);
        if (!held) {
            release();
        }
    }
    // Closes the window as a user does; a copy that does not end then is ended.
    ~QuillonProgram() {
        if (const HWND shown = window()) {
            PostMessageW(shown, WM_CLOSE, 0, 0);
        }
        if (exitCode(WAIT_LIMIT_MS) == STILL_ACTIVE) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, WAIT_LIMIT_MS);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
    QuillonProgram(const QuillonProgram&) = delete;
    QuillonProgram& operator=(const QuillonProgram&) = delete;

    void release() const { ResumeThread(process_.hThread); }
    bool hasEnded() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0; }
    // Waits for the process to end: its exit code, or STILL_ACTIVE when it did not.
    DWORD exitCode(DWORD limitMs = START_LIMIT_MS) const {
        WaitForSingleObject(process_.hProcess, limitMs);
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }
    // Its visible top-level window of that class, or nullptr.
    HWND window(const wchar_t* windowClass = win32::WINDOW_CLASS) const {
        for (HWND found = nullptr; (found = FindWindowExW(nullptr, found, windowClass, nullptr)) != nullptr;) {
            DWORD owner = 0;
            GetWindowThreadProcessId(found, &owner);
            if (owner == process_.dwProcessId && IsWindowVisible(found)) {
                return found;
            }
        }
        return nullptr;
    }

private:
    PROCESS_INFORMATION process_{};
};

// The answer, when the window gave one within the limit.
inline std::optional<LRESULT> ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  DWORD limitMs = ANSWER_LIMIT_MS) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, limitMs, &result) == 0) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

inline std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(ask(window, WM_GETTEXTLENGTH).value_or(0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())).value_or(0)));
    return text;
}

inline HWND focusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

inline void pressKey(WORD virtualKey, bool withShift = false) {
    if (withShift) keybd_event(VK_SHIFT, 0, 0, 0);
    keybd_event(static_cast<BYTE>(virtualKey), 0, 0, 0);
    keybd_event(static_cast<BYTE>(virtualKey), 0, KEYEVENTF_KEYUP, 0);
    if (withShift) keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
    // Input reaches the other process through the server; let it get there before the next.
    Sleep(30);
}

// Selects all of the box's text and pastes the text over it through the clipboard; true when
// the box took it within WAIT_LIMIT_MS. Fetching the text through Wine's clipboard alone can
// take over a second on a fresh or busy machine, so a paste gets the longer limit.
inline bool pasteOver(HWND box, std::wstring_view text) {
    // Putting text on the clipboard needs a window of this process as its owner.
    static const HWND owner =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    // Another program (Wine's own clipboard keeper) may hold it open for a moment.
    if (!waitUntil([] { return OpenClipboard(owner) != FALSE; })) {
        return false;
    }
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    *std::copy(text.begin(), text.end(), static_cast<wchar_t*>(GlobalLock(memory))) = L'\0';
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    return ask(box, EM_SETSEL, 0, -1) && ask(box, WM_PASTE, 0, 0, WAIT_LIMIT_MS);
}

}  // namespace quillon::testing
