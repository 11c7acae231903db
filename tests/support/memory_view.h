// A MainView held in memory that behaves as the Win32 window does: lists keep items in
// insertion order, setSelection raises the selection event inside the call every time, the
// search box raises its change event on every change, and a list's search is its own exact,
// case-insensitive comparison of its items.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "main_view.h"
#include "main_window_controller.h"

namespace quillon::testing {

class MemoryList final : public ListControl {
public:
    void addItem(std::u16string_view text, std::int16_t position) override;
    std::int16_t selection() const override { return selection_; }
    void setSelection(std::int16_t position) override;
    void setVisible(bool visible) override { visible_ = visible; }
    bool isVisible() const override { return visible_; }
    std::int16_t findExact(std::u16string_view text) const override;

    const std::vector<std::u16string>& items() const { return items_; }

    std::function<void()> onSelectionChange;

private:
    std::vector<std::u16string> items_;
    std::int16_t selection_ = -1;
    bool visible_ = false;
};

class MemoryTextBox final : public TextBox {
public:
    std::u16string_view text() const override { return text_; }
    void setText(std::u16string_view text) override;

    std::function<void()> onChange;

private:
    std::u16string text_;
};

class MemoryCheckBox final : public CheckBox {
public:
    int value() const override { return value_; }
    void setValue(int value) override { value_ = value; }
    // A user's toggle: flips the state and raises the click event.
    void click();

    std::function<void()> onClick;

private:
    int value_ = 0;
};

class MemoryView final : public MainView {
public:
    ListControl& combo1() override { return lists[0]; }
    ListControl& combo2() override { return lists[1]; }
    ListControl& combo3() override { return lists[2]; }
    ListControl& combo4() override { return lists[3]; }
    TextBox& text1() override { return description; }
    TextBox& text2() override { return search; }
    CheckBox& check1() override { return stayOnTop; }

    bool previousInstanceRunning() override { return anotherCopyRunning; }
    void endProgram() override { ++endProgramCalls; }
    bool moveToBand(WindowBand newBand) override;
    WindowBand band() const override { return currentBand; }
    void showMessage(std::u16string_view title, std::u16string_view text) override;

    // Routes every control event to its handler, as the window's event table does.
    void connect(MainWindowController& controller);

    MemoryList lists[4];
    MemoryTextBox description;
    MemoryTextBox search;
    MemoryCheckBox stayOnTop;

    bool anotherCopyRunning = false;
    int endProgramCalls = 0;
    bool refuseBandChanges = false;
    WindowBand currentBand = WindowBand::Normal;
    int messagesShown = 0;
    std::u16string lastMessageTitle;
    std::u16string lastMessageText;
};

}  // namespace quillon::testing
