// Quillon's one window: the real controls behind MainView, and the event table that routes
// their notifications to MainWindowController.
#pragma once

#include <windows.h>

#include "controls.h"
#include "main_view.h"
#include "main_window_controller.h"

namespace quillon::win32 {

class MainWindow : public MainView {
public:
    // Creates the window hidden, its controls in place and its lists empty; for a second copy,
    // which Form_Load will end, nothing.
    explicit MainWindow(HINSTANCE instance, bool anotherCopyRunning = false);
    virtual ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return window_; }
    MainWindowController& controller() { return controller_; }

    // Form_Load, with the lists' storage made ready and their redrawing held back.
    void load();
    // Shows the window with the keyboard focus on the About button.
    void show(int showCommand);

    // Places the controls and the font for a DPI other than the one they were made for.
    void layoutControls(UINT dpi);

    ListControl& combo1() override { return combo1_; }
    ListControl& combo2() override { return combo2_; }
    ListControl& combo3() override { return combo3_; }
    ListControl& combo4() override { return combo4_; }
    TextBox& text1() override { return text1_; }
    TextBox& text2() override { return text2_; }
    CheckBox& check1() override { return check1_; }

    bool previousInstanceRunning() override;
    void endProgram() override;
    bool moveToBand(WindowBand band) override;
    WindowBand band() const override;
    void showMessage(std::u16string_view title, std::u16string_view text) override;

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void command(int id, int notification);
    void setIcons(UINT dpi);
    void placeWindow(int left, int top, UINT dpi);
    void fitClientArea(UINT dpi);

    MainWindowController controller_{*this};
    ComboList combo1_{controller_, &MainWindowController::Combo1_Click};
    ComboList combo2_{controller_, &MainWindowController::Combo2_Click};
    ComboList combo3_{controller_, &MainWindowController::Combo3_Click};
    ComboList combo4_{controller_, &MainWindowController::Combo4_Click};
    EditBox text1_;
    EditBox text2_;
    CheckButton check1_;
    HINSTANCE instance_;
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    HWND focusBeforeDeactivation_ = nullptr;
    bool anotherCopyRunning_;
    WideText messageTitle_;
    WideText messageText_;
};

// Takes the single-copy guard for the rest of the process's life; false when another copy
// holds it already. Taken first of all, before any window of this copy exists.
bool takeSingleCopyGuard();

// Runs the window's messages with dialog keyboard navigation until it is closed.
int runMessageLoop(HWND window);

}  // namespace quillon::win32
