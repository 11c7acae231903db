// Character rules shared by the catalogue's lookups and its compile-time checks.
#pragma once

#include <string_view>

namespace quillon {

constexpr char16_t asciiLower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

// Only ASCII letters fold: a non-ASCII character never equals a name's character, so no
// look-alike (full-width letters, accented letters) can select a function.
constexpr bool equalsIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

constexpr bool isNameCharacter(char16_t c) {
    return (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_';
}

}  // namespace quillon
