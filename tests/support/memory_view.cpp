#include "memory_view.h"

#include <cstddef>

#include "catalogue.h"

namespace quillon::testing {
namespace {

char16_t foldAscii(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c | 0x20) : c;
}

bool sameIgnoringCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldAscii(a[i]) != foldAscii(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

void MemoryList::addItem(std::u16string_view text, std::int16_t position) {
    const auto at =
        (position < 0 || static_cast<std::size_t>(position) > items_.size()) ? items_.end() : items_.begin() + position;
    items_.emplace(at, text);
}

void MemoryList::setSelection(std::int16_t position) {
    // Like CB_SETCURSEL: a position outside the list clears the selection.
    selection_ = (position >= 0 && static_cast<std::size_t>(position) < items_.size()) ? position : NO_SELECTION;
    if (onSelectionChange) {
        onSelectionChange();
    }
}

std::int16_t MemoryList::findExact(std::u16string_view text) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (sameIgnoringCase(items_[i], text)) {
            return static_cast<std::int16_t>(i);
        }
    }
    return -1;
}

void MemoryTextBox::setText(std::u16string_view text) {
    text_.assign(text);
    if (onChange) {
        onChange();
    }
}

void MemoryCheckBox::click() {
    value_ = value_ == 1 ? 0 : 1;
    if (onClick) {
        onClick();
    }
}

bool MemoryView::moveToBand(WindowBand newBand) {
    if (refuseBandChanges) {
        return false;
    }
    currentBand = newBand;
    return true;
}

void MemoryView::showMessage(std::u16string_view title, std::u16string_view text) {
    ++messagesShown;
    lastMessageTitle.assign(title);
    lastMessageText.assign(text);
}

void MemoryView::connect(MainWindowController& controller) {
    lists[0].onSelectionChange = [&controller] { controller.Combo1_Click(); };
    lists[1].onSelectionChange = [&controller] { controller.Combo2_Click(); };
    lists[2].onSelectionChange = [&controller] { controller.Combo3_Click(); };
    lists[3].onSelectionChange = [&controller] { controller.Combo4_Click(); };
    search.onChange = [&controller] { controller.Text2_Change(); };
    stayOnTop.onClick = [&controller] { controller.Check1_Click(); };
}

}  // namespace quillon::testing
