// Splits a description into its signature and its explanation, for checks of the tables.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "catalogue.h"
#include "core_entries.h"
#include "cstrike_entries.h"
#include "fun_entries.h"

namespace quillon::testing {

inline constexpr std::array<std::span<const CatalogueEntry>, 3> ALL_TABLES{coreEntries, funEntries, cstrikeEntries};

// Just past the ")" that closes the signature's first "(".
constexpr std::size_t signatureEnd(std::u16string_view description) {
    int depth = 0;
    for (std::size_t i = description.find(u'('); i < description.size(); ++i) {
        if (description[i] == u'(') {
            ++depth;
        } else if (description[i] == u')' && --depth == 0) {
            return i + 1;
        }
    }
    return description.size();
}

constexpr std::u16string_view explanation(std::u16string_view description) {
    return description.substr(signatureEnd(description));
}

constexpr bool hasExplanation(std::u16string_view description) {
    return explanation(description).find_first_not_of(u' ') != std::u16string_view::npos;
}

constexpr bool hasSpaceBeforeColon(std::u16string_view description) {
    return explanation(description).starts_with(u" :");
}

constexpr bool colonFollowsSignature(std::u16string_view description) {
    return explanation(description).starts_with(u":") || hasSpaceBeforeColon(description);
}

constexpr bool containsChinese(std::u16string_view text) {
    for (const char16_t c : text) {
        if (c >= u'\u4e00' && c <= u'\u9fff') {
            return true;
        }
    }
    return false;
}

// For failure messages: names are ASCII.
inline std::string ascii(std::u16string_view name) {
    std::string result;
    for (const char16_t c : name) {
        result.push_back(static_cast<char>(c));
    }
    return result;
}

template <typename Predicate>
constexpr int countRows(Predicate predicate) {
    int count = 0;
    for (const auto table : ALL_TABLES) {
        for (const CatalogueEntry& entry : table) {
            count += predicate(entry.description) ? 1 : 0;
        }
    }
    return count;
}

}  // namespace quillon::testing
