#include "controls.h"

#include "catalogue.h"

namespace quillon::win32 {

const wchar_t* WideText::terminated(std::u16string_view text) {
    buffer_.assign(text.begin(), text.end());
    return buffer_.c_str();
}

void ComboList::addItem(std::u16string_view text, std::int16_t position) {
    SendMessageW(list_, CB_INSERTSTRING, static_cast<WPARAM>(position),
                 reinterpret_cast<LPARAM>(itemText_.terminated(text)));
}

std::int16_t ComboList::selection() const {
    return static_cast<std::int16_t>(SendMessageW(list_, CB_GETCURSEL, 0, 0));
}

// CB_SETCURSEL notifies nobody, so the selection event is raised here, as a user's pick
// raises it through CBN_SELCHANGE.
void ComboList::setSelection(std::int16_t position) {
    SendMessageW(list_, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
    raiseSelectionChange();
}

void ComboList::setVisible(bool visible) {
    ShowWindow(list_, visible ? SW_SHOWNA : SW_HIDE);
}

// The list's own state, whether or not the window around it is shown yet.
bool ComboList::isVisible() const {
    return (GetWindowLongPtrW(list_, GWL_STYLE) & WS_VISIBLE) != 0;
}

std::int16_t ComboList::findExact(std::u16string_view text) const {
    if (text.find(u'\0') != std::u16string_view::npos) {
        return NO_SELECTION;  // the ANSI text would end early and match a prefix of itself
    }
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const auto length = static_cast<int>(text.size());
    // Best-fit mapping would turn a character the code page lacks into a look-alike letter
    // ("cōpy" into "copy"); without it such a character becomes the default one and flags it.
    // A UTF-8 code page represents everything and accepts neither the flag nor the report.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefaultChar = FALSE;
    BOOL* usedDefault = utf8 ? nullptr : &usedDefaultChar;
    const int bytes =
        length == 0 ? 0 : WideCharToMultiByte(CP_ACP, flags, wide, length, nullptr, 0, nullptr, usedDefault);
    if (length != 0 && bytes == 0) {
        return NO_SELECTION;
    }
    ansiText_.assign(static_cast<std::size_t>(bytes), '\0');
    if (bytes != 0) {
        WideCharToMultiByte(CP_ACP, flags, wide, length, ansiText_.data(), bytes, nullptr, usedDefault);
    }
    if (usedDefaultChar != FALSE) {
        return NO_SELECTION;
    }
    const auto found = static_cast<std::int16_t>(
        SendMessageA(list_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(ansiText_.c_str())));
    // The control compares linguistically, and such a comparison gives some characters no
    // weight at all (a soft hyphen, control characters): "co\u00ADpy" would find "copy". Equal
    // names are equally long, so a hit of another length is no match.
    if (found != NO_SELECTION &&
        SendMessageW(list_, CB_GETLBTEXTLEN, static_cast<WPARAM>(found), 0) != static_cast<LRESULT>(text.size())) {
        return NO_SELECTION;
    }
    return found;
}

void ComboList::reserve(int items, int characters) {
    SendMessageW(list_, CB_INITSTORAGE, static_cast<WPARAM>(items),
                 static_cast<LPARAM>(characters) * static_cast<LPARAM>(sizeof(wchar_t)));
}

std::u16string_view EditBox::text() const {
    const auto length = static_cast<std::size_t>(SendMessageW(edit_, WM_GETTEXTLENGTH, 0, 0));
    currentText_.resize(length + 1);
    const int copied =
        GetWindowTextW(edit_, reinterpret_cast<wchar_t*>(currentText_.data()), static_cast<int>(length + 1));
    currentText_.resize(static_cast<std::size_t>(copied));
    return currentText_;
}

// WM_SETTEXT makes the edit control send EN_CHANGE, which is the search box's change event.
void EditBox::setText(std::u16string_view text) {
    SendMessageW(edit_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(newText_.terminated(text)));
}

int CheckButton::value() const {
    return SendMessageW(button_, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void CheckButton::setValue(int value) {
    SendMessageW(button_, BM_SETCHECK, value == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace quillon::win32
