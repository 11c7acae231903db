// The catalogue's lookups at their edges, and the facts its rows keep. A fact about the rows
// that fails is a build that fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>

#include "catalogue.h"
#include "random_session.h"
#include "table_checks.h"

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
using Text = std::u16string_view;
constexpr auto NONE = Text::npos;
constexpr auto explanation = [](Text d) { return d.substr(signatureEnd(d)); };
constexpr auto signatureOnly = [](Text d) { return explanation(d).find_first_not_of(u' ') == NONE; };
constexpr auto spaceBeforeColon = [](Text d) { return explanation(d).starts_with(u" :"); };
constexpr auto noColon = [](Text d) { return !signatureOnly(d) && explanation(d).find(u':') > 1; };
constexpr auto floatTag = [](Text d) { return d.starts_with(checks::FLOAT_TAG); };
constexpr auto chinese = [](char16_t c) { return c >= u'\u4e00' && c <= u'\u9fff'; };
constexpr auto english = [](Text d) { return !signatureOnly(d) && std::ranges::none_of(d, chinese); };
constexpr auto questionMark = [](Text d) { return d.find(u'?') != NONE; };
constexpr auto questionMarks = [](Text d) { return d.find(u"??") != NONE; };
constexpr auto trailingSpace = [](Text d) { return d.ends_with(u' '); };
constexpr auto fullWidthPunctuation = [](Text d) { return d.find_first_of(u"，：") != NONE; };
constexpr auto longerThan = [](std::size_t length) { return [length](Text d) { return d.size() > length; }; };
// Not "name ( a, b )" or "name ( )" after the optional return tag.
constexpr auto unspacedSignature = [](Text d) {
    const Text s = checks::withoutFloatTag(d.substr(0, signatureEnd(d)));
    const Text open = s.substr(s.find(u'('));
    return s[s.find(u'(') - 1] != u' ' || !(open == u"( )" || (open.starts_with(u"( ") && open.ends_with(u" )")));
};

// A parenthesis holds one fact; one opened inside another makes a row read two ways.
constexpr auto nestedParenthesis = [](Text d) {
    int depth = 0;
    for (const char16_t c : explanation(d)) {
        depth += c == u'(' ? 1 : (c == u')' ? -1 : 0);
        if (depth > 1) {
            return true;
        }
    }
    return false;
};

// How many rows of the tables first to last have the trait.
constexpr int rows(auto trait, std::size_t first = 0, std::size_t last = 2) {
    int count = 0;
    for (std::size_t t = first; t <= last; ++t) {
        count += static_cast<int>(std::ranges::count_if(TABLES[t], trait, &CatalogueEntry::description));
    }
    return count;
}

static_assert(rows(signatureOnly) == 8 && rows(noColon) == 2 && rows(floatTag) == 27 && rows(floatTag, 0, 0) == 24);
static_assert(rows(spaceBeforeColon) == 19 && rows(spaceBeforeColon, 1, 1) == 11 && rows(trailingSpace) == 9);
static_assert(rows(english) == 5 && rows(questionMark) == 5 && rows(questionMarks) == 5);
static_assert(rows(fullWidthPunctuation, 0, 0) == 0 && rows(unspacedSignature, 0, 0) == 0);
static_assert(rows(nestedParenthesis, 0, 0) == 0);
static_assert(rows(longerThan(361)) == 1 && rows(longerThan(362)) == 0 && coreEntries[203].description.size() == 362);

// The core rows whose text is fixed, character for character.
static_assert(coreEntries[0].description == u"access ( id, level ):判断玩家是否有ADMIN标记,ID为玩家索引");
static_assert(coreEntries[11].description ==
              u"clamp ( value, min=cellmin, max=cellmax ) :在最大与最小值之间返回一个值");
static_assert(coreEntries[22].description == u"colored_menus ( ):Checks if the current mod supports colored menus.");
static_assert(coreEntries[42].description == u"Float: fgetf ( file ):从文件句柄读取一个浮点值(4 bytes, 8 on AMD64)");
static_assert(coreEntries[53].description == u"Float: floatacos ( Float:angle, radix ):反余弦????????");
static_assert(coreEntries[116].description == u"get_timeleft ( )返回地图剩余时间,格式为 new 变量名 = get_timeleft ( )");
static_assert(coreEntries[166].description == u"main ( val1, val2 ):在两个值间返回一个较低的值");
static_assert(coreEntries[253].description == u"tickcount ( [ &granularity ] ):未知");
static_assert(coreEntries[265].description == u"write_angle ( x )" &&
              coreEntries[272].description == u"write_short ( x ) ");
static_assert(coreEntries[274].description == u"xvar_exists ( const name[] ):检查一个插件名的公共变量是否存在");

// Every name is fixed, and so is every fun and cstrike row, spacing and punctuation included:
// any change to one of them changes its digest.
using TextField = Text CatalogueEntry::*;
constexpr std::uint64_t digest(TextField field, std::size_t first) {
    std::uint64_t hash = 14695981039346656037u;
    for (std::size_t t = first; t < 3; ++t) {
        for (const CatalogueEntry& entry : TABLES[t]) {
            for (const char16_t c : entry.*field) {
                hash = (hash ^ c) * 1099511628211u;
            }
        }
    }
    return hash;
}
static_assert(digest(&CatalogueEntry::description, 1) == 2712835227903308291u);
static_assert(digest(&CatalogueEntry::name, 0) == 14778110461939819798u);

using enum CategoryId;

TEST(FindExact, MatchesTheWholeNameIgnoringAsciiLetterCaseOnly) {
    constexpr char16_t withNul[] = u"copy\0";
    // clang-format off
    const std::tuple<CategoryId, Text, int> cases[] = {
        {Core, u"COPY", 27}, {Core, u"CoPy", 27}, {Core, u"copyc", 28}, {Core, u"Plugin_Init", 181},
        {Core, u"main", 166}, {Core, u"getarg", 86}, {Core, u"get_basedir", 87}, {Core, u"isspace", 149},
        {Core, u"is_dedicated_server", 150}, {Cstrike, u"CS_SET_USER_MONEY", 21}, {Core, u"copy ", -1},
        {Core, u" copy", -1}, {Core, u"cop", -1}, {Core, u"ｃｏｐｙ", -1}, {Core, u"cōpy", -1}, {Core, {withNul, 5}, -1},
        {Core, u"get\u007fuser_ip", -1}, {Core, u"GET@USER_IP", -1}, {Fun, u"access", -1},
        {Fun, u"cs_get_user_money", -1}, {Cstrike, u"give_item", -1}, {Core, u"", -1}, {Fun, u"", -1},
        {Cstrike, u"", -1}};
    // clang-format on
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

}  // namespace
}  // namespace quillon::testing
