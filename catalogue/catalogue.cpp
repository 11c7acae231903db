#include "catalogue.h"

#include "core_entries.h"
#include "cstrike_entries.h"
#include "fun_entries.h"
#include "table_checks.h"
#include "text_rules.h"

namespace quillon {
namespace {

static_assert(coreEntries.size() == 275);
static_assert(funEntries.size() == 20);
static_assert(cstrikeEntries.size() == 29);

// Strictly ascending order also rules out a name occurring twice inside one table.
static_assert(checks::isWellFormedTable(coreEntries));
static_assert(checks::isWellFormedTable(funEntries));
static_assert(checks::isWellFormedTable(cstrikeEntries));
static_assert(checks::namesAreDisjoint(coreEntries, funEntries));
static_assert(checks::namesAreDisjoint(coreEntries, cstrikeEntries));
static_assert(checks::namesAreDisjoint(funEntries, cstrikeEntries));

// Positions travel as 16-bit list selections.
static_assert(coreEntries.size() <= 0x7fff);

constexpr Catalogue theCatalogue{
    {CategoryId::Core, u"核心涵数", coreEntries},
    {CategoryId::Fun, u"娱乐涵数", funEntries},
    {CategoryId::Cstrike, u"反恐涵数", cstrikeEntries},
};

}  // namespace

const Catalogue& catalogue() {
    return theCatalogue;
}

const Category& category(CategoryId id) {
    switch (id) {
    case CategoryId::Fun:
        return theCatalogue.fun;
    case CategoryId::Cstrike:
        return theCatalogue.cstrike;
    case CategoryId::Core:
        break;
    }
    return theCatalogue.core;
}

const CatalogueEntry* entryAt(CategoryId id, int position) {
    const std::span<const CatalogueEntry> entries = category(id).entries;
    if (position < 0 || static_cast<std::size_t>(position) >= entries.size()) {
        return nullptr;
    }
    return &entries[static_cast<std::size_t>(position)];
}

std::int16_t findExact(CategoryId id, std::u16string_view text) {
    const std::span<const CatalogueEntry> entries = category(id).entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (equalsIgnoringAsciiCase(entries[i].name, text)) {
            return static_cast<std::int16_t>(i);
        }
    }
    return NO_SELECTION;
}

}  // namespace quillon
