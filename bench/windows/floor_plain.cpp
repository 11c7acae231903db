// Start-up floor (c): the window a plain Win32 program would make of Quillon's design, with
// none of Quillon's code. The same eleven controls and captions, the system message font, the
// icon group and the manifest; each control is created straight at its pixel place for the
// system DPI and given the font, and nothing is measured or corrected afterwards. Its lists
// stay empty, and a list's closed height is whatever the control makes of the font.
#include <windows.h>

#include <commctrl.h>

namespace {

struct PlainControl {
    int id;
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
    int left, top, width, height;  // twips on the window's client area
    const wchar_t* caption;
};

constexpr DWORD CHILD = WS_CHILD | WS_VISIBLE;
constexpr DWORD LIST = WS_CHILD | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
constexpr DWORD GROUP = CHILD | WS_GROUP | BS_GROUPBOX;
constexpr PlainControl CONTROLS[] = {
    {100, L"BUTTON", CHILD | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 0, 3720, 3180, 735, 255, L"关  于"},
    {101, L"BUTTON", CHILD | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 120, 3180, 735, 255, L"置顶"},
    {102, L"BUTTON", GROUP, 0, 120, 0, 4335, 675, L"选 择"},
    {103, L"COMBOBOX", LIST | WS_VISIBLE, 0, 240, 240, 1455, 300, L""},
    {104, L"COMBOBOX", LIST, 0, 1800, 240, 2535, 300, L""},
    {105, L"COMBOBOX", LIST, 0, 1800, 240, 2535, 300, L""},
    {106, L"COMBOBOX", LIST, 0, 1800, 240, 2535, 300, L""},
    {107, L"BUTTON", GROUP, 0, 120, 780, 4335, 615, L"搜 索(即输即显-切忌多余空格)"},
    {108, L"BUTTON", GROUP, 0, 120, 1500, 4335, 1575, L"说 明"},
    {109, L"EDIT", CHILD | WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL, WS_EX_CLIENTEDGE, 240, 1740, 4095,
     1215, L""},
    {110, L"EDIT", CHILD | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 240, 1020, 4095, 270, L""},
};
constexpr DWORD WINDOW_STYLE = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    const INITCOMMONCONTROLSEX commonControls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const auto pixels = [dpi](int twips) { return MulDiv(twips, dpi, 1440); };
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"Quillon.MainWindow";  // the benchmark finds the window by it
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    windowClass.hIconSm = static_cast<HICON>(LoadImageW(
        instance, MAKEINTRESOURCEW(1), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    RegisterClassExW(&windowClass);
    RECT frame{pixels(7380), pixels(4440), pixels(7380 + 4575), pixels(4440 + 3465)};
    AdjustWindowRectEx(&frame, WINDOW_STYLE, FALSE, WS_EX_CONTROLPARENT);
    const HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, L"Quillon.MainWindow", L"Quillon--[Harlan]", WINDOW_STYLE,
                                        frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                                        nullptr, nullptr, instance, nullptr);
    for (const PlainControl& c : CONTROLS) {
        const bool list = c.windowClass[0] == L'C';
        const HWND child = CreateWindowExW(c.exStyle, c.windowClass, c.caption, c.style, pixels(c.left), pixels(c.top),
                                           pixels(c.width), pixels(c.height) * (list ? 20 : 1), window,
                                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    ShowWindow(window, showCommand);
    SetFocus(GetDlgItem(window, 100));
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message) == FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return 0;
}
