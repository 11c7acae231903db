#include "running_program.h"

#include <cstdlib>
#include <vector>

#include "window_layout.h"

namespace quillon::testing {
namespace {

// A job that ends every program it holds when its last handle closes, so that a test killed
// by its time limit cannot leave a copy running that would turn every later copy away.
HANDLE programsJob() {
    static const HANDLE job = [] {
        const HANDLE created = CreateJobObjectW(nullptr, nullptr);
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(created, JobObjectExtendedLimitInformation, &limits, sizeof limits);
        return created;
    }();
    return job;
}

void send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    // Input reaches the other process through the server; let it get there before the next.
    Sleep(30);
}

INPUT keyInput(WORD virtualKey, WORD scanCode, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = flags;
    return input;
}

INPUT mouseInput(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    return input;
}

struct WindowSearch {
    DWORD processId;
    std::wstring_view windowClass;
    HWND found;
};

BOOL CALLBACK findVisibleWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t windowClass[64]{};
    GetClassNameW(window, windowClass, 64);
    if (owner == search->processId && IsWindowVisible(window) &&
        std::wstring_view(windowClass) == search->windowClass) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK countProgramWindows(HWND window, LPARAM parameter) {
    wchar_t windowClass[64]{};
    GetClassNameW(window, windowClass, 64);
    if (std::wstring_view(windowClass) == win32::WINDOW_CLASS) {
        ++*reinterpret_cast<int*>(parameter);
    }
    return TRUE;
}

}  // namespace

bool waitUntil(const std::function<bool()>& condition, DWORD limitMs) {
    const ULONGLONG deadline = GetTickCount64() + limitMs;
    while (!condition()) {
        if (GetTickCount64() > deadline) {
            return false;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&message);
        }
        Sleep(10);
    }
    return true;
}

std::wstring programPath() {
    const char* unixPath = std::getenv("QUILLON_EXE");
    std::wstring path = L"Z:";
    for (const char* c = unixPath != nullptr ? unixPath : ""; *c != '\0'; ++c) {
        path.push_back(*c == '/' ? L'\\' : static_cast<wchar_t>(*c));
    }
    return path;
}

RunningProgram::~RunningProgram() {
    if (process_.hProcess != nullptr) {
        close();
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
    }
}

void RunningProgram::start(const std::wstring& path) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + path + L"\"";
    CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_);
    AssignProcessToJobObject(programsJob(), process_.hProcess);
}

HWND RunningProgram::waitForWindow() const {
    HWND window = nullptr;
    waitUntil([&] { return (window = visibleWindow()) != nullptr || hasEnded(); }, START_LIMIT_MS);
    return window;
}

HWND RunningProgram::visibleWindow(std::wstring_view windowClass) const {
    WindowSearch search{process_.dwProcessId, windowClass, nullptr};
    EnumWindows(&findVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool RunningProgram::hasEnded() const {
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
}

DWORD RunningProgram::waitForExit() {
    WaitForSingleObject(process_.hProcess, START_LIMIT_MS);
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &exitCode);
    return exitCode;
}

void RunningProgram::close() {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) {
        return;
    }
    if (HWND window = visibleWindow()) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process_.hProcess, WAIT_LIMIT_MS) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, WAIT_LIMIT_MS);
    }
}

int programWindowCount() {
    int count = 0;
    EnumWindows(&countProgramWindows, reinterpret_cast<LPARAM>(&count));
    return count;
}

CrowdOutcome startAtOnce(std::span<RunningProgram> copies) {
    const std::wstring path = programPath();
    for (RunningProgram& copy : copies) {
        copy.start(path);
    }
    CrowdOutcome outcome;
    for (RunningProgram& copy : copies) {
        if (!waitUntil([&] { return copy.hasEnded() || copy.visibleWindow() != nullptr; }, START_LIMIT_MS)) {
            ++outcome.undecided;
        } else if (!copy.hasEnded()) {
            ++outcome.showingTheirWindow;
        } else if (copy.waitForExit() == 0) {
            ++outcome.endedWithCodeZero;
        } else {
            ++outcome.endedWithAnotherCode;
        }
    }
    return outcome;
}

std::wstring textOf(HWND window) {
    const auto length = static_cast<std::size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    const auto copied = static_cast<std::size_t>(
        SendMessageW(window, WM_GETTEXT, static_cast<WPARAM>(length + 1), reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied);
    return text;
}

HWND focusedControl(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

void typeText(std::wstring_view text) {
    for (const wchar_t c : text) {
        send({keyInput(0, c, KEYEVENTF_UNICODE), keyInput(0, c, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP)});
    }
}

void pressKey(WORD virtualKey) {
    send({keyInput(virtualKey, 0, 0), keyInput(virtualKey, 0, KEYEVENTF_KEYUP)});
}

void pressKeyWithShift(WORD virtualKey) {
    send({keyInput(VK_SHIFT, 0, 0), keyInput(virtualKey, 0, 0), keyInput(virtualKey, 0, KEYEVENTF_KEYUP),
          keyInput(VK_SHIFT, 0, KEYEVENTF_KEYUP)});
}

void clickAt(POINT screenPoint) {
    SetCursorPos(screenPoint.x, screenPoint.y);
    send({mouseInput(MOUSEEVENTF_LEFTDOWN), mouseInput(MOUSEEVENTF_LEFTUP)});
}

void clickCentreOf(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    clickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

bool chooseWithMouse(HWND list, int item) {
    clickCentreOf(list);
    if (!waitUntil([&] { return SendMessageW(list, CB_GETDROPPEDSTATE, 0, 0) != 0; })) {
        return false;
    }
    RECT closed{};
    GetWindowRect(list, &closed);
    const auto itemHeight = static_cast<int>(SendMessageW(list, CB_GETITEMHEIGHT, 0, 0));
    // The open list hangs below the closed one, one item height per row after its border.
    clickAt({(closed.left + closed.right) / 2, closed.bottom + 2 + itemHeight * item + itemHeight / 2});
    return waitUntil([&] { return SendMessageW(list, CB_GETCURSEL, 0, 0) == item; });
}

}  // namespace quillon::testing
