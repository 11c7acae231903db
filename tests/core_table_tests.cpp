#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue.h"
#include "description_parts.h"

namespace quillon::testing {
namespace {

constexpr bool endsWithSpace(std::u16string_view d) {
    return d.ends_with(u' ');
}
constexpr bool hasFloatTag(std::u16string_view d) {
    return d.starts_with(u"Float: ");
}
constexpr bool isSignatureOnly(std::u16string_view d) {
    return !hasExplanation(d);
}
constexpr bool hasQuestionMarkRun(std::u16string_view d) {
    return d.find(u"??") != std::u16string_view::npos;
}

static_assert(countRows(isSignatureOnly) == 8);
static_assert(countRows(hasSpaceBeforeColon) == 19);
static_assert(countRows(hasFloatTag) == 27);
static_assert(countRows(endsWithSpace) == 9);

template <typename Predicate>
std::vector<std::u16string> namesWhere(Predicate predicate) {
    std::vector<std::u16string> names;
    for (const auto table : ALL_TABLES) {
        for (const CatalogueEntry& entry : table) {
            if (predicate(entry.description)) {
                names.emplace_back(entry.name);
            }
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

using Names = std::vector<std::u16string>;

TEST(CoreTable, HasItsNamesAtTheirListPositions) {
    EXPECT_EQ(category(CategoryId::Core).entries.size(), 275U);
    EXPECT_EQ(findExact(CategoryId::Core, u"Plugin_Init"), 181);
    EXPECT_EQ(findExact(CategoryId::Core, u"main"), 166);
    EXPECT_EQ(findExact(CategoryId::Core, u"getarg"), 86);
    EXPECT_EQ(findExact(CategoryId::Core, u"get_basedir"), 87);
    EXPECT_EQ(findExact(CategoryId::Core, u"isspace"), 149);
    EXPECT_EQ(findExact(CategoryId::Core, u"is_dedicated_server"), 150);
    EXPECT_EQ(findExact(CategoryId::Core, u"str_to_num"), 250);
    EXPECT_EQ(entryAt(CategoryId::Core, 274)->name, u"xvar_exists");
    EXPECT_EQ(entryAt(CategoryId::Core, 275), nullptr);
}

TEST(CoreTable, KeepsTheTellingRowsCharacterForCharacter) {
    const auto row = [](int position) { return entryAt(CategoryId::Core, position)->description; };
    EXPECT_EQ(row(0), u"access ( id, level ):判断玩家是否有ADMIN标记,ID为玩家索引");
    EXPECT_EQ(row(11), u"clamp ( value, min=cellmin, max=cellmax ) :在最大与最小值之间返回一个值");
    EXPECT_EQ(row(22), u"colored_menus ( ):Checks if the current mod supports colored menus.");
    EXPECT_EQ(row(42), u"Float: fgetf ( file ):从文件句柄读取一个浮点值(4 bytes, 8 on AMD64)");
    EXPECT_EQ(row(53), u"Float: floatacos ( Float:angle, radix ):反余弦????????");
    EXPECT_EQ(row(116), u"get_timeleft ( )返回地图剩余时间,格式为 new 变量名 = get_timeleft ( )");
    EXPECT_EQ(row(166), u"main ( val1, val2 ):在两个值间返回一个较低的值");
    EXPECT_EQ(row(253), u"tickcount ( [ &granularity ] ):未知");
    EXPECT_EQ(row(265), u"write_angle ( x )");
    EXPECT_EQ(row(272), u"write_short ( x ) ");
    EXPECT_EQ(row(274), u"xvar_exists ( const name[] ):检查一个插件名的公共变量是否存在");
}

TEST(WholeCatalogue, SignatureAloneOnlyInTheWriteRowsButWriteFile) {
    EXPECT_EQ(namesWhere(isSignatureOnly), (Names{u"write_angle", u"write_byte", u"write_char", u"write_coord",
                                                  u"write_entity", u"write_long", u"write_short", u"write_string"}));
}

TEST(WholeCatalogue, ColonFollowsTheSignatureInEveryExplainedRowButTwo) {
    EXPECT_EQ(namesWhere([](std::u16string_view d) { return hasExplanation(d) && !colonFollowsSignature(d); }),
              (Names{u"get_timeleft", u"str_to_num"}));
}

TEST(WholeCatalogue, SpaceBeforeTheColonInNineteenRows) {
    const Names names = namesWhere(hasSpaceBeforeColon);
    EXPECT_EQ(names.size(), 19U);
    EXPECT_TRUE(std::binary_search(names.begin(), names.end(), u"clamp"));
    int inFun = 0;
    for (const CatalogueEntry& entry : category(CategoryId::Fun).entries) {
        inFun += hasSpaceBeforeColon(entry.description) ? 1 : 0;
    }
    EXPECT_EQ(inFun, 11);
}

TEST(WholeCatalogue, FloatTagExactlyWhereTheFunctionReturnsFloat) {
    // Core functions declared "native Float:..." in the platform's include files.
    const Names upstreamFloat{u"fgetf",        u"float",           u"floatabs",       u"floatacos",   u"floatadd",
                              u"floatasin",    u"floatatan",       u"floatatan2",     u"floatcos",    u"floatdiv",
                              u"floatfract",   u"floatlog",        u"floatmul",       u"floatpower",  u"floatsin",
                              u"floatsqroot",  u"floatstr",        u"floatsub",       u"floattan",    u"get_cvar_float",
                              u"get_gametime", u"get_user_aiming", u"get_xvar_float", u"random_float"};
    Names core;
    for (const CatalogueEntry& entry : category(CategoryId::Core).entries) {
        if (hasFloatTag(entry.description)) {
            core.emplace_back(entry.name);
        }
    }
    EXPECT_EQ(core, upstreamFloat);
    EXPECT_EQ(namesWhere(hasFloatTag).size(), 27U);
}

TEST(WholeCatalogue, EnglishExplanationsOnlyInFiveRows) {
    EXPECT_EQ(namesWhere([](std::u16string_view d) { return hasExplanation(d) && !containsChinese(explanation(d)); }),
              (Names{u"colored_menus", u"floatround", u"read_logargc", u"read_logargv", u"swapchars"}));
}

TEST(WholeCatalogue, QuestionMarkRunsOnlyInFiveRows) {
    EXPECT_EQ(namesWhere(hasQuestionMarkRun),
              (Names{u"floatacos", u"floatasin", u"floatatan", u"floatcos", u"num_to_word"}));
    EXPECT_EQ(namesWhere([](std::u16string_view d) { return d.find(u'?') != std::u16string_view::npos; }),
              namesWhere(hasQuestionMarkRun));
}

TEST(WholeCatalogue, TrailingSpaceOnlyInNineRows) {
    EXPECT_EQ(namesWhere(endsWithSpace), (Names{u"find_player", u"floatsin", u"floattan", u"fseek", u"isspace",
                                                u"read_logargc", u"read_logargv", u"swapchars", u"write_short"}));
}

TEST(WholeCatalogue, RegisterClcmdHasTheLongestDescription) {
    std::size_t longest = 0;
    std::u16string_view longestName;
    for (const auto table : ALL_TABLES) {
        for (const CatalogueEntry& entry : table) {
            if (entry.description.size() > longest) {
                longest = entry.description.size();
                longestName = entry.name;
            }
        }
    }
    EXPECT_EQ(longestName, u"register_clcmd");
    EXPECT_EQ(longest, 362U);
}

TEST(WholeCatalogue, SignaturesAreSpacedInTheCatalogueStyle) {
    for (const CatalogueEntry& entry : category(CategoryId::Core).entries) {
        const std::u16string_view d = entry.description;
        const std::u16string_view signature = d.substr(0, signatureEnd(d));
        const std::size_t open = signature.find(u'(');
        ASSERT_NE(open, std::u16string_view::npos) << ascii(entry.name);
        EXPECT_EQ(signature.substr(open - 1, 3) == u" ( " || signature.substr(open - 1) == u" ( )", true)
            << ascii(entry.name);
        EXPECT_TRUE(signature.ends_with(u" )")) << ascii(entry.name);
    }
}

}  // namespace
}  // namespace quillon::testing
