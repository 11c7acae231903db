// The window as the controller sees it: plain control operations, no platform types, so the
// controller runs the same against the real window and against an in-memory one.
#pragma once

#include <cstdint>
#include <string_view>

namespace quillon {

class ListControl {
public:
    virtual void addItem(std::u16string_view text, std::int16_t position) = 0;
    // NO_SELECTION when nothing is selected.
    virtual std::int16_t selection() const = 0;
    // Selects the item (NO_SELECTION clears the selection) and then raises the list's
    // selection event inside the call, every time, as a user's choice does.
    virtual void setSelection(std::int16_t position) = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool isVisible() const = 0;
    // The list's own exact, case-insensitive search of its items; NO_SELECTION when none.
    virtual std::int16_t findExact(std::u16string_view text) const = 0;

protected:
    ~ListControl() = default;
};

class TextBox {
public:
    // Valid until the box's text next changes.
    virtual std::u16string_view text() const = 0;
    // Replaces the whole text; a box with a change event raises it, as an edit does.
    virtual void setText(std::u16string_view text) = 0;

protected:
    ~TextBox() = default;
};

class CheckBox {
public:
    // 1 when checked, 0 when not.
    virtual int value() const = 0;
    // Does not raise the click event: only the user's toggle does.
    virtual void setValue(int value) = 0;

protected:
    ~CheckBox() = default;
};

enum class WindowBand : std::uint8_t { Normal, TopMost };

class MainView {
public:
    virtual ListControl& combo1() = 0;  // category selector
    virtual ListControl& combo2() = 0;  // Core names
    virtual ListControl& combo3() = 0;  // Fun names
    virtual ListControl& combo4() = 0;  // Cstrike names
    virtual TextBox& text1() = 0;       // description box
    virtual TextBox& text2() = 0;       // search box
    virtual CheckBox& check1() = 0;     // stay on top

    virtual bool previousInstanceRunning() = 0;
    // Ends the program at once, without showing anything.
    virtual void endProgram() = 0;

    // False when the platform refused the change.
    virtual bool moveToBand(WindowBand band) = 0;
    virtual WindowBand band() const = 0;

    // A modal box with an OK button and no icon; returns when the user dismisses it.
    virtual void showMessage(std::u16string_view title, std::u16string_view text) = 0;

protected:
    ~MainView() = default;
};

}  // namespace quillon
