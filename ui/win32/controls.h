// The controller's view of each kind of control, over the control's window handle.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "main_view.h"
#include "main_window_controller.h"

namespace quillon::win32 {

using Handler = void (MainWindowController::*)();

// Win32 texts end in a NUL, views need not: every text crosses into the platform through one
// of these reused buffers.
class WideText {
public:
    const wchar_t* terminated(std::u16string_view text);

private:
    std::wstring buffer_;
};

class ComboList final : public ListControl {
public:
    ComboList(MainWindowController& controller, Handler onSelectionChange)
        : controller_(controller), onSelectionChange_(onSelectionChange) {}

    void attach(HWND list) { list_ = list; }
    HWND handle() const { return list_; }
    void raiseSelectionChange() { (controller_.*onSelectionChange_)(); }

    void addItem(std::u16string_view text, std::int16_t position) override;
    std::int16_t selection() const override;
    void setSelection(std::int16_t position) override;
    void setVisible(bool visible) override;
    bool isVisible() const override;
    std::int16_t findExact(std::u16string_view text) const override;

    // Makes room for that many items before a fill, so the list grows once.
    void reserve(int items, int characters);

private:
    HWND list_ = nullptr;
    MainWindowController& controller_;
    Handler onSelectionChange_;
    WideText itemText_;
    mutable std::string ansiText_;
};

class EditBox final : public TextBox {
public:
    void attach(HWND edit) { edit_ = edit; }
    HWND handle() const { return edit_; }

    std::u16string_view text() const override;
    void setText(std::u16string_view text) override;

private:
    HWND edit_ = nullptr;
    WideText newText_;
    mutable std::u16string currentText_;
};

class CheckButton final : public CheckBox {
public:
    void attach(HWND button) { button_ = button; }
    HWND handle() const { return button_; }

    int value() const override;
    void setValue(int value) override;

private:
    HWND button_ = nullptr;
};

}  // namespace quillon::win32
