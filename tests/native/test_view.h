// A MainView held in memory that behaves as the real window does: items keep the place they
// are inserted at, every setSelection raises the list's selection event inside the call, the
// search box raises its change event on every change, and a list searches its own items.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "main_window_controller.h"

namespace quillon::testing {

using Handler = void (MainWindowController::*)();

class MemoryList final : public ListControl {
public:
    MemoryList(MainWindowController& controller, Handler onSelection)
        : controller_(controller), handler_(onSelection) {}
    void addItem(std::u16string_view text, std::int16_t at) override {
        items_.emplace(items_.begin() + std::clamp<std::ptrdiff_t>(at, 0, std::ssize(items_)), text);
    }
    std::int16_t selection() const override { return selection_; }
    // An item that does not exist clears the selection, as in the real list.
    void setSelection(std::int16_t position) override {
        selection_ = position >= 0 && position < std::ssize(items_) ? position : NO_SELECTION;
        (controller_.*handler_)();
    }
    void setVisible(bool visible) override { visible_ = visible; }
    bool isVisible() const override { return visible_; }
    std::int16_t findExact(std::u16string_view text) const override {
        const auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
        const auto found = std::ranges::find_if(
            items_, [&](const std::u16string& item) { return std::ranges::equal(item, text, {}, lower, lower); });
        return found == items_.end() ? NO_SELECTION : static_cast<std::int16_t>(found - items_.begin());
    }

private:
    MainWindowController& controller_;
    Handler handler_;
    std::vector<std::u16string> items_;
    std::int16_t selection_ = NO_SELECTION;
    bool visible_ = false;
};

class MemoryBox final : public TextBox, public CheckBox {
public:
    explicit MemoryBox(MainWindowController* onChange = nullptr) : onChange_(onChange) {}
    std::u16string_view text() const override { return text_; }
    void setText(std::u16string_view text) override {
        text_ = text;
        if (onChange_ != nullptr) {
            onChange_->Text2_Change();
        }
    }
    int value() const override { return value_; }
    void setValue(int value) override { value_ = value; }

private:
    MainWindowController* onChange_;
    std::u16string text_;
    int value_ = 0;
};

class TestView final : public MainView {
public:
    explicit TestView(bool anotherCopyRunning = false) : anotherCopyRunning_(anotherCopyRunning) {}
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
    MemoryBox text2_{&controller_};
    MemoryBox check1_;
};

}  // namespace quillon::testing
