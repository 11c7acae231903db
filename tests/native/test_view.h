// A MainView held in memory that behaves as the real window does: items keep the place they
// are inserted at, every setSelection raises the list's selection event inside the call, the
// search box raises its change event on every change, and a list searches its own items.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "main_window_controller.h"
#include "text_rules.h"

namespace quillon::testing {

using Handler = void (MainWindowController::*)();

struct MemoryList final : ListControl {
    MemoryList(MainWindowController& controller, Handler onSelection)
        : controller(controller), onSelection(onSelection) {}
    void addItem(std::u16string_view text, std::int16_t at) override {
        items.emplace(items.begin() + std::clamp<std::ptrdiff_t>(at, 0, std::ssize(items)), text);
    }
    std::int16_t selection() const override { return selected; }
    // An item that does not exist clears the selection, as in the real list.
    void setSelection(std::int16_t position) override {
        selected = position >= 0 && position < std::ssize(items) ? position : NO_SELECTION;
        (controller.*onSelection)();
    }
    void setVisible(bool visible) override { shown = visible; }
    bool isVisible() const override { return shown; }
    std::int16_t findExact(std::u16string_view text) const override {
        const auto found = std::ranges::find_if(
            items, [&](const std::u16string& item) { return equalsIgnoringAsciiCase(item, text); });
        return found == items.end() ? NO_SELECTION : static_cast<std::int16_t>(found - items.begin());
    }

    MainWindowController& controller;
    Handler onSelection;
    std::vector<std::u16string> items;
    std::int16_t selected = NO_SELECTION;
    bool shown = false;
};

// A text box, whose change event runs the handler when it has one, or a check box.
struct MemoryBox final : TextBox, CheckBox {
    std::u16string_view text() const override { return content; }
    void setText(std::u16string_view text) override {
        content = text;
        if (onChange != nullptr) {
            onChange->Text2_Change();
        }
    }
    int value() const override { return checked; }
    void setValue(int value) override { checked = value; }

    MainWindowController* onChange = nullptr;
    std::u16string content;
    int checked = 0;
};

class TestView final : public MainView {
public:
    explicit TestView(bool anotherCopyRunning = false) : anotherCopyRunning_(anotherCopyRunning) {
        text2_.onChange = &controller_;
    }
    MainWindowController& controller() { return controller_; }
    // The user's toggle: the state flips, then the click event.
    void clickCheckBox() {
        check1_.setValue(1 - check1_.value());
        controller_.Check1_Click();
    }

    ListControl& combo1() override { return combo1_; }
    ListControl& combo2() override { return combo2_; }
    ListControl& combo3() override { return combo3_; }
    ListControl& combo4() override { return combo4_; }
    TextBox& text1() override { return text1_; }
    TextBox& text2() override { return text2_; }
    CheckBox& check1() override { return check1_; }
    bool previousInstanceRunning() override { return anotherCopyRunning_; }
    void endProgram() override { ++endProgramCalls; }
    bool moveToBand(WindowBand band) override { return refuseBandChanges ? false : (band_ = band, true); }
    WindowBand band() const override { return band_; }
    void showMessage(std::u16string_view, std::u16string_view) override {}

    int endProgramCalls = 0;
    bool refuseBandChanges = false;

private:
    bool anotherCopyRunning_;
    WindowBand band_ = WindowBand::Normal;
    MainWindowController controller_{*this};
    MemoryList combo1_{controller_, &MainWindowController::Combo1_Click};
    MemoryList combo2_{controller_, &MainWindowController::Combo2_Click};
    MemoryList combo3_{controller_, &MainWindowController::Combo3_Click};
    MemoryList combo4_{controller_, &MainWindowController::Combo4_Click};
    MemoryBox text1_;
    MemoryBox text2_;
    MemoryBox check1_;
};

}  // namespace quillon::testing
