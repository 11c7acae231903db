#include "main_window.h"

#include <commctrl.h>

#include <utility>

#include "catalogue.h"
#include "window_layout.h"

namespace quillon::win32 {
namespace {

constexpr int ICON_RESOURCE = 1;
// Held until the process ends; "Local\" keeps copies in other sessions apart.
constexpr wchar_t SINGLE_COPY_MUTEX[] = L"Local\\Quillon.SingleCopy.{5b1d3c8e-quillon}";

HICON iconForDpi(HINSTANCE instance, int widthMetric, int heightMetric, UINT dpi) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ICON_RESOURCE), IMAGE_ICON,
                                         systemMetricForDpi(widthMetric, dpi), systemMetricForDpi(heightMetric, dpi),
                                         0));
}

// The class's icons are made for the DPI the window is expected at; a window that ends up at
// another DPI is given icons of its own.
void registerWindowClass(HINSTANCE instance, WNDPROC procedure, UINT dpi) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = WINDOW_CLASS;
    windowClass.hIcon = iconForDpi(instance, SM_CXICON, SM_CYICON, dpi);
    windowClass.hIconSm = iconForDpi(instance, SM_CXSMICON, SM_CYSMICON, dpi);
    RegisterClassExW(&windowClass);
}

int storageFor(CategoryId id) {
    int characters = 0;
    for (const CatalogueEntry& entry : category(id).entries) {
        characters += static_cast<int>(entry.name.size()) + 1;
    }
    return characters;
}

}  // namespace

bool takeSingleCopyGuard() {
    // Never closed: the guard goes when the process does.
    CreateMutexW(nullptr, FALSE, SINGLE_COPY_MUTEX);
    return GetLastError() != ERROR_ALREADY_EXISTS;
}

MainWindow::MainWindow(HINSTANCE instance, bool anotherCopyRunning)
    : instance_(instance), anotherCopyRunning_(anotherCopyRunning) {
    // Form_Load turns a second copy away before anything is shown, so nothing is built for it.
    if (anotherCopyRunning_) {
        return;
    }
    const INITCOMMONCONTROLSEX commonControls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);
    // Everything is made once, at its place and with its font for the DPI the window is
    // expected to open at; only a window that lands on a monitor of another DPI is laid out
    // again.
    const UINT expectedDpi = systemDpi();
    registerWindowClass(instance, &MainWindow::windowProcedure, expectedDpi);
    font_ = createMessageFont(expectedDpi);
    const RECT place = designWindowRect(expectedDpi);
    CreateWindowExW(WINDOW_EX_STYLE, WINDOW_CLASS, WINDOW_CAPTION, WINDOW_STYLE, place.left, place.top,
                    place.right - place.left, place.bottom - place.top, nullptr, nullptr, instance, this);
    createControls(window_, instance, expectedDpi, font_);
    combo1_.attach(GetDlgItem(window_, Combo1));
    combo2_.attach(GetDlgItem(window_, Combo2));
    combo3_.attach(GetDlgItem(window_, Combo3));
    combo4_.attach(GetDlgItem(window_, Combo4));
    text1_.attach(GetDlgItem(window_, Text1));
    text2_.attach(GetDlgItem(window_, Text2));
    check1_.attach(GetDlgItem(window_, Check1));

    const UINT dpi = windowDpi(window_);
    if (dpi != expectedDpi) {
        const RECT actualPlace = designWindowRect(dpi);
        placeWindow(actualPlace.left, actualPlace.top, dpi);
        layoutControls(dpi);
    } else {
        fitClientArea(dpi);
    }
}

// The frame's size comes from the system's metrics for the DPI; where they disagree with the
// frame actually drawn, the difference is measured on the client area and made up.
void MainWindow::placeWindow(int left, int top, UINT dpi) {
    const RECT design = designWindowRect(dpi);
    SetWindowPos(window_, nullptr, left, top, design.right - design.left, design.bottom - design.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    fitClientArea(dpi);
}

void MainWindow::fitClientArea(UINT dpi) {
    RECT client{};
    GetClientRect(window_, &client);
    const int missingWidth = twipsToPixels(CLIENT_WIDTH_TWIPS, dpi) - client.right;
    const int missingHeight = twipsToPixels(CLIENT_HEIGHT_TWIPS, dpi) - client.bottom;
    if (missingWidth != 0 || missingHeight != 0) {
        RECT outer{};
        GetWindowRect(window_, &outer);
        SetWindowPos(window_, nullptr, 0, 0, outer.right - outer.left + missingWidth,
                     outer.bottom - outer.top + missingHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

MainWindow::~MainWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    DeleteObject(font_);
    DestroyIcon(bigIcon_);
    DestroyIcon(smallIcon_);
}

void MainWindow::load() {
    const struct {
        ComboList& list;
        CategoryId id;
    } fills[] = {{combo2_, CategoryId::Core}, {combo3_, CategoryId::Fun}, {combo4_, CategoryId::Cstrike}};
    for (const auto& fill : fills) {
        fill.list.reserve(static_cast<int>(category(fill.id).entries.size()), storageFor(fill.id));
        SendMessageW(fill.list.handle(), WM_SETREDRAW, FALSE, 0);
    }
    controller_.Form_Load();
    for (const auto& fill : fills) {
        SendMessageW(fill.list.handle(), WM_SETREDRAW, TRUE, 0);
    }
}

void MainWindow::show(int showCommand) {
    ShowWindow(window_, showCommand);
    SetFocus(GetDlgItem(window_, Command1));
}

void MainWindow::layoutControls(UINT dpi) {
    const HFONT previous = font_;
    font_ = createMessageFont(dpi);
    win32::layoutControls(window_, dpi, font_);
    DeleteObject(previous);
    setIcons(dpi);
}

void MainWindow::setIcons(UINT dpi) {
    const HICON previousBig = bigIcon_;
    const HICON previousSmall = smallIcon_;
    bigIcon_ = iconForDpi(instance_, SM_CXICON, SM_CYICON, dpi);
    smallIcon_ = iconForDpi(instance_, SM_CXSMICON, SM_CYSMICON, dpi);
    SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
    DestroyIcon(previousBig);
    DestroyIcon(previousSmall);
}

bool MainWindow::previousInstanceRunning() {
    return anotherCopyRunning_;
}

void MainWindow::endProgram() {
    ExitProcess(0);
}

bool MainWindow::moveToBand(WindowBand band) {
    const HWND after = band == WindowBand::TopMost ? HWND_TOPMOST : HWND_NOTOPMOST;
    return SetWindowPos(window_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE) != FALSE;
}

WindowBand MainWindow::band() const {
    return (GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0 ? WindowBand::TopMost : WindowBand::Normal;
}

void MainWindow::showMessage(std::u16string_view title, std::u16string_view text) {
    MessageBoxW(window_, messageText_.terminated(text), messageTitle_.terminated(title), MB_OK);
}

LRESULT CALLBACK MainWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self != nullptr ? self->handle(message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NEXTDLGCTL:
        // A multi-line edit asks its parent for the next control when Tab is pressed in it.
        if (LOWORD(lParam) != 0) {
            SetFocus(reinterpret_cast<HWND>(wParam));
        } else {
            SetFocus(GetNextDlgTabItem(window_, GetFocus(), wParam != 0 ? TRUE : FALSE));
        }
        return 0;
    case WM_ACTIVATE:
        // Coming back (after the About box, from another program) returns the focus to the
        // control that had it, as in a dialog.
        if (LOWORD(wParam) == WA_INACTIVE) {
            focusBeforeDeactivation_ = GetFocus();
        } else if (focusBeforeDeactivation_ != nullptr && IsChild(window_, focusBeforeDeactivation_) != FALSE) {
            SetFocus(focusBeforeDeactivation_);
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        // The suggested place keeps the window under the pointer; its size is the design's.
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        const UINT dpi = HIWORD(wParam);
        placeWindow(suggested->left, suggested->top, dpi);
        layoutControls(dpi);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY: {
        const HWND window = window_;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::command(int id, int notification) {
    switch (id) {
    case Combo1:
    case Combo2:
    case Combo3:
    case Combo4:
        if (notification == CBN_SELCHANGE) {
            const std::pair<ControlId, ComboList*> lists[] = {
                {Combo1, &combo1_}, {Combo2, &combo2_}, {Combo3, &combo3_}, {Combo4, &combo4_}};
            for (const auto& [listId, list] : lists) {
                if (listId == id) {
                    list->raiseSelectionChange();
                }
            }
        }
        break;
    case Text2:
        if (notification == EN_CHANGE) {
            controller_.Text2_Change();
        }
        break;
    case Check1:
        if (notification == BN_CLICKED) {
            controller_.Check1_Click();
        }
        break;
    case Command1:
        if (notification == BN_CLICKED) {
            controller_.Command1_Click();
        }
        break;
    case IDOK:
        // Enter on the focused button presses it, as in a dialog.
        if (GetFocus() == GetDlgItem(window_, Command1)) {
            SendMessageW(GetFocus(), BM_CLICK, 0, 0);
        }
        break;
    default:
        break;
    }
}

int runMessageLoop(HWND window) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &message) == FALSE) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

}  // namespace quillon::win32
