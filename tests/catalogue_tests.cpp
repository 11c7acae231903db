// The catalogue's lookups at their edges, and the facts its rows keep. A fact about the rows
// that fails is a build that fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "catalogue.h"
#include "random_session.h"

namespace quillon::testing {
namespace {

constexpr std::size_t signatureEnd(std::u16string_view d) {
    for (std::size_t i = d.find(u'('), depth = 0; i < d.size(); ++i) {
        depth += d[i] == u'(' ? 1 : 0;
        if (d[i] == u')' && --depth == 0) {
            return i + 1;
        }
    }
    return d.size();
}
constexpr std::u16string_view explanation(std::u16string_view d) {
    return d.substr(signatureEnd(d));
}
constexpr bool signatureOnly(std::u16string_view d) {
    return explanation(d).find_first_not_of(u' ') == std::u16string_view::npos;
}
constexpr bool spaceBeforeColon(std::u16string_view d) {
    return explanation(d).starts_with(u" :");
}
constexpr bool noColon(std::u16string_view d) {
    return !signatureOnly(d) && !explanation(d).starts_with(u":") && !spaceBeforeColon(d);
}
constexpr bool floatTag(std::u16string_view d) {
    return d.starts_with(u"Float: ");
}
constexpr bool english(std::u16string_view d) {
    return !signatureOnly(d) && std::ranges::none_of(d, [](char16_t c) { return c >= u'\u4e00' && c <= u'\u9fff'; });
}
constexpr bool questionMark(std::u16string_view d) {
    return d.find(u'?') != std::u16string_view::npos;
}
constexpr bool loneQuestionMark(std::u16string_view d) {
    for (std::size_t i = 0; i < d.size(); ++i) {
        if (d[i] == u'?' && (i == 0 || d[i - 1] != u'?') && (i + 1 == d.size() || d[i + 1] != u'?')) {
            return true;
        }
    }
    return false;
}
constexpr bool trailingSpace(std::u16string_view d) {
    return d.ends_with(u' ');
}
constexpr bool fullWidthPunctuation(std::u16string_view d) {
    return d.find_first_of(u"，：") != std::u16string_view::npos;
}
// "name ( a, b )" or "name ( )", after the optional return tag.
constexpr bool unspacedSignature(std::u16string_view d) {
    const std::u16string_view s = d.substr(0, signatureEnd(d)).substr(floatTag(d) ? 7 : 0);
    const std::u16string_view open = s.substr(s.find(u'('));
    return !(s.substr(s.find(u'(') - 1, 2) == u" (" && (open == u"( )" || (open.starts_with(u"( ") && open.ends_with(u" )"))));
}

constexpr auto longerThan(std::size_t length) {
    return [length](std::u16string_view d) { return d.size() > length; };
}

// How many rows of the tables first to last have the trait.
template <typename Trait>
constexpr int rows(Trait trait, std::size_t first = 0, std::size_t last = 2) {
    int count = 0;
    for (std::size_t t = first; t <= last; ++t) {
        count += static_cast<int>(std::ranges::count_if(TABLES[t], trait, &CatalogueEntry::description));
    }
    return count;
}

static_assert(rows(signatureOnly) == 8 && rows(noColon) == 2 && rows(floatTag) == 27 && rows(floatTag, 0, 0) == 24);
static_assert(rows(spaceBeforeColon) == 19 && rows(spaceBeforeColon, 1, 1) == 11 && rows(trailingSpace) == 9);
static_assert(rows(english) == 5 && rows(questionMark) == 5 && rows(loneQuestionMark) == 0);
static_assert(rows(fullWidthPunctuation, 0, 0) == 0 && rows(unspacedSignature, 0, 0) == 0);
static_assert(rows(longerThan(361)) == 1 && rows(longerThan(362)) == 0 && coreEntries[203].description.size() == 362);

// The fun and cstrike rows are fixed texts, spacing and punctuation included: any change to
// one of them changes this digest.
constexpr std::uint64_t digest(std::size_t first, std::size_t last) {
    std::uint64_t hash = 14695981039346656037u;
    for (std::size_t t = first; t <= last; ++t) {
        for (const CatalogueEntry& entry : TABLES[t]) {
            for (const char16_t c : entry.description) {
                hash = (hash ^ c) * 1099511628211u;
            }
        }
    }
    return hash;
}
static_assert(digest(1, 2) == 2712835227903308291u);

TEST(Catalogue, HasThreeCategoriesWithTheirCaptionsAndSizes) {
    const struct {
        CategoryId id;
        std::u16string_view caption;
        std::size_t size;
    } expected[] = {{CategoryId::Core, u"核心涵数", 275}, {CategoryId::Fun, u"娱乐涵数", 20}, {CategoryId::Cstrike, u"反恐涵数", 29}};
    for (const auto& [id, caption, size] : expected) {
        EXPECT_EQ(category(id).id, id);
        EXPECT_EQ(category(id).caption, caption);
        EXPECT_EQ(category(id).entries.size(), size);
        EXPECT_EQ(category(id).entries.data(), TABLES[static_cast<std::size_t>(id)].data());
    }
    EXPECT_EQ(&catalogue().cstrike, &category(CategoryId::Cstrike));
}

TEST(EntryAt, GivesTheRowInsideTheCategoryAndNothingOutside) {
    const struct {
        CategoryId id;
        int position;
        std::u16string_view name;  // empty: nothing
    } cases[] = {
        {CategoryId::Core, 0, u"access"},  {CategoryId::Core, 274, u"xvar_exists"}, {CategoryId::Core, 275, u""},
        {CategoryId::Core, -1, u""},       {CategoryId::Fun, 19, u"strip_user_weapons"}, {CategoryId::Fun, 20, u""},
        {CategoryId::Fun, -32768, u""},    {CategoryId::Fun, 32767, u""}, {CategoryId::Cstrike, 0, u"cs_get_hostage_foll"},
        {CategoryId::Cstrike, 28, u"cs_set_weapon_silen"}, {CategoryId::Cstrike, 29, u""}, {CategoryId::Fun, 0, u"get_client_listen"},
    };
    for (const auto& [id, position, name] : cases) {
        const CatalogueEntry* entry = entryAt(id, position);
        EXPECT_EQ(entry != nullptr ? entry->name : u"", name) << "category " << int(id) << ", position " << position;
    }
}

TEST(FindExact, MatchesTheWholeNameIgnoringAsciiLetterCaseOnly) {
    constexpr char16_t withNul[] = u"copy\0";
    const struct {
        CategoryId id;
        std::u16string_view text;
        int position;
    } cases[] = {
        {CategoryId::Core, u"COPY", 27},           {CategoryId::Core, u"CoPy", 27},
        {CategoryId::Core, u"copyc", 28},          {CategoryId::Core, u"Plugin_Init", 181},
        {CategoryId::Core, u"main", 166},          {CategoryId::Core, u"getarg", 86},
        {CategoryId::Core, u"get_basedir", 87},    {CategoryId::Core, u"isspace", 149},
        {CategoryId::Core, u"is_dedicated_server", 150}, {CategoryId::Cstrike, u"CS_SET_USER_MONEY", 21},
        {CategoryId::Core, u"copy ", -1},          {CategoryId::Core, u" copy", -1},
        {CategoryId::Core, u"cop", -1},            {CategoryId::Core, u"ｃｏｐｙ", -1},
        {CategoryId::Core, u"cōpy", -1},           {CategoryId::Core, {withNul, 5}, -1},
        {CategoryId::Core, u"get\u007fuser_ip", -1}, {CategoryId::Core, u"GET@USER_IP", -1},
        {CategoryId::Fun, u"access", -1},          {CategoryId::Fun, u"cs_get_user_money", -1},
        {CategoryId::Cstrike, u"give_item", -1},   {CategoryId::Core, u"", -1},
        {CategoryId::Fun, u"", -1},                {CategoryId::Cstrike, u"", -1},
    };
    for (const auto& [id, text, position] : cases) {
        EXPECT_EQ(findExact(id, text), position) << "category " << int(id) << ", text \"" << readable(text) << '"';
    }
}

TEST(FindExact, FindsEveryNameInAnyCaseInItsOwnCategoryOnly) {
    for (std::size_t t = 0; t < 3; ++t) {
        for (std::size_t i = 0; i < TABLES[t].size(); ++i) {
            std::u16string upper(TABLES[t][i].name);
            std::ranges::transform(upper, upper.begin(), [](char16_t c) { return c >= u'a' ? char16_t(c - 32) : c; });
            for (std::size_t other = 0; other < 3; ++other) {
                const int expected = other == t ? static_cast<int>(i) : NO_SELECTION;
                EXPECT_EQ(findExact(static_cast<CategoryId>(other), TABLES[t][i].name), expected) << readable(upper);
                EXPECT_EQ(findExact(static_cast<CategoryId>(other), upper), expected) << readable(upper);
            }
        }
    }
}

TEST(CoreTable, KeepsItsFixedRowsCharacterForCharacter) {
    const std::pair<int, std::u16string_view> rows[] = {
        {0, u"access ( id, level ):判断玩家是否有ADMIN标记,ID为玩家索引"},
        {11, u"clamp ( value, min=cellmin, max=cellmax ) :在最大与最小值之间返回一个值"},
        {22, u"colored_menus ( ):Checks if the current mod supports colored menus."},
        {42, u"Float: fgetf ( file ):从文件句柄读取一个浮点值(4 bytes, 8 on AMD64)"},
        {53, u"Float: floatacos ( Float:angle, radix ):反余弦????????"},
        {116, u"get_timeleft ( )返回地图剩余时间,格式为 new 变量名 = get_timeleft ( )"},
        {166, u"main ( val1, val2 ):在两个值间返回一个较低的值"},
        {253, u"tickcount ( [ &granularity ] ):未知"},
        {265, u"write_angle ( x )"},
        {272, u"write_short ( x ) "},
        {274, u"xvar_exists ( const name[] ):检查一个插件名的公共变量是否存在"},
    };
    for (const auto& [position, text] : rows) {
        EXPECT_EQ(entryAt(CategoryId::Core, position)->description, text) << "row " << position;
    }
}

}  // namespace
}  // namespace quillon::testing
