// The compiled-in catalogue of AMX Mod X functions: three read-only tables and the two
// lookups the window needs. Nothing here allocates or touches a file.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace quillon {

// The value is also the category's position in the category selector.
enum class CategoryId : std::uint8_t { Core = 0, Fun = 1, Cstrike = 2 };

// List selections and catalogue positions are the same 16-bit signed numbers.
inline constexpr std::int16_t NO_SELECTION = -1;

struct CatalogueEntry {
    std::u16string_view name;         // ASCII lower-case letters, digits and '_'
    std::u16string_view description;  // one line: signature, then usually ":" and an explanation
};

struct Category {
    CategoryId id;
    std::u16string_view caption;
    std::span<const CatalogueEntry> entries;
};

struct Catalogue {
    Category core;
    Category fun;
    Category cstrike;
};

const Catalogue& catalogue();

const Category& category(CategoryId id);

// nullptr when the position is outside the category (NO_SELECTION included).
const CatalogueEntry* entryAt(CategoryId id, int position);

// The first position whose name equals the whole text, ignoring ASCII letter case;
// NO_SELECTION when none does. No trimming, no prefix matching.
std::int16_t findExact(CategoryId id, std::u16string_view text);

}  // namespace quillon
