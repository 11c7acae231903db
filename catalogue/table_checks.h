// Compile-time checks of the tables: a table that breaks one of these rules does not build.
#pragma once

#include <span>
#include <string_view>

#include "catalogue.h"
#include "text_rules.h"

namespace quillon::checks {

inline constexpr std::u16string_view FLOAT_TAG = u"Float: ";

constexpr bool isWellFormedName(std::u16string_view name) {
    if (name.empty()) {
        return false;
    }
    for (const char16_t c : name) {
        if (!isNameCharacter(c)) {
            return false;
        }
    }
    return true;
}

// Digits, then letters, then '_': "getarg" comes before "get_basedir", "isspace" before
// "is_dedicated_server".
constexpr int listRank(char16_t c) {
    if (c == u'_') {
        return 1000;
    }
    return static_cast<int>(c);
}

constexpr bool comesBefore(std::u16string_view a, std::u16string_view b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        if (a[i] != b[i]) {
            return listRank(a[i]) < listRank(b[i]);
        }
    }
    return a.size() < b.size();
}

constexpr std::u16string_view withoutFloatTag(std::u16string_view description) {
    return description.starts_with(FLOAT_TAG) ? description.substr(FLOAT_TAG.size()) : description;
}

constexpr bool isOneLine(std::u16string_view text) {
    for (const char16_t c : text) {
        if (c == u'\n' || c == u'\r' || c == u'\u2028' || c == u'\u2029' || c == u'\u0085') {
            return false;
        }
    }
    return true;
}

constexpr bool isWellFormedTable(std::span<const CatalogueEntry> entries) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const CatalogueEntry& entry = entries[i];
        if (!isWellFormedName(entry.name) || !isOneLine(entry.description) ||
            !withoutFloatTag(entry.description).starts_with(entry.name)) {
            return false;
        }
        if (i > 0 && !comesBefore(entries[i - 1].name, entry.name)) {
            return false;
        }
    }
    return true;
}

constexpr bool namesAreDisjoint(std::span<const CatalogueEntry> a, std::span<const CatalogueEntry> b) {
    for (const CatalogueEntry& x : a) {
        for (const CatalogueEntry& y : b) {
            if (equalsIgnoringAsciiCase(x.name, y.name)) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace quillon::checks
