#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "catalogue.h"
#include "cstrike_entries.h"
#include "fun_entries.h"

namespace quillon {
namespace {

constexpr CategoryId ALL_CATEGORIES[] = {CategoryId::Core, CategoryId::Fun, CategoryId::Cstrike};

std::u16string upper(std::u16string_view text) {
    std::u16string result(text);
    for (char16_t& c : result) {
        if (c >= u'a' && c <= u'z') {
            c = static_cast<char16_t>(c - 0x20);
        }
    }
    return result;
}

TEST(Catalogue, CategoriesHaveTheirCaptionsSizesAndIds) {
    EXPECT_EQ(category(CategoryId::Core).caption, u"核心涵数");
    EXPECT_EQ(category(CategoryId::Fun).caption, u"娱乐涵数");
    EXPECT_EQ(category(CategoryId::Cstrike).caption, u"反恐涵数");
    EXPECT_EQ(category(CategoryId::Core).entries.size(), 275U);
    EXPECT_EQ(category(CategoryId::Fun).entries.size(), 20U);
    EXPECT_EQ(category(CategoryId::Cstrike).entries.size(), 29U);
    for (const CategoryId id : ALL_CATEGORIES) {
        EXPECT_EQ(category(id).id, id);
    }
    EXPECT_EQ(&catalogue().fun, &category(CategoryId::Fun));
}

TEST(EntryAt, YieldsNothingOutsideTheCategory) {
    EXPECT_EQ(entryAt(CategoryId::Core, -1), nullptr);
    EXPECT_EQ(entryAt(CategoryId::Core, NO_SELECTION), nullptr);
    EXPECT_EQ(entryAt(CategoryId::Core, 275), nullptr);
    EXPECT_EQ(entryAt(CategoryId::Fun, 20), nullptr);
    EXPECT_EQ(entryAt(CategoryId::Cstrike, 29), nullptr);
    EXPECT_EQ(entryAt(CategoryId::Fun, -32768), nullptr);
    EXPECT_EQ(entryAt(CategoryId::Fun, 32767), nullptr);
}

TEST(EntryAt, YieldsTheRowAtEachEndOfEachCategory) {
    ASSERT_NE(entryAt(CategoryId::Cstrike, 28), nullptr);
    EXPECT_EQ(entryAt(CategoryId::Cstrike, 28)->name, u"cs_set_weapon_silen");
    ASSERT_NE(entryAt(CategoryId::Cstrike, 0), nullptr);
    EXPECT_EQ(entryAt(CategoryId::Cstrike, 0)->name, u"cs_get_hostage_foll");
    ASSERT_NE(entryAt(CategoryId::Fun, 19), nullptr);
    EXPECT_EQ(entryAt(CategoryId::Fun, 19)->name, u"strip_user_weapons");
    ASSERT_NE(entryAt(CategoryId::Core, 274), nullptr);
    EXPECT_EQ(entryAt(CategoryId::Core, 274)->name, u"xvar_exists");
    ASSERT_NE(entryAt(CategoryId::Core, 0), nullptr);
    EXPECT_EQ(entryAt(CategoryId::Core, 0)->name, u"access");
}

TEST(FindExact, FindsEveryNameInItsOwnCategoryOnly) {
    for (const CategoryId id : ALL_CATEGORIES) {
        const auto entries = category(id).entries;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const std::u16string_view name = entries[i].name;
            EXPECT_EQ(findExact(id, name), static_cast<int>(i));
            EXPECT_EQ(findExact(id, upper(name)), static_cast<int>(i));
            for (const CategoryId other : ALL_CATEGORIES) {
                if (other != id) {
                    EXPECT_EQ(findExact(other, name), NO_SELECTION);
                }
            }
        }
    }
}

TEST(FindExact, IgnoresCaseButNotSpacesPrefixesOrLookAlikes) {
    EXPECT_EQ(findExact(CategoryId::Core, u"COPY"), 27);
    EXPECT_EQ(findExact(CategoryId::Core, u"CoPy"), 27);
    EXPECT_EQ(findExact(CategoryId::Core, u"copy "), NO_SELECTION);
    EXPECT_EQ(findExact(CategoryId::Core, u" copy"), NO_SELECTION);
    EXPECT_EQ(findExact(CategoryId::Core, u"cop"), NO_SELECTION);
    EXPECT_EQ(findExact(CategoryId::Core, u"copyc"), 28);
    EXPECT_EQ(findExact(CategoryId::Core, u"ｃｏｐｙ"), NO_SELECTION);
    EXPECT_EQ(findExact(CategoryId::Core, u"cōpy"), NO_SELECTION);
    EXPECT_EQ(findExact(CategoryId::Core, std::u16string_view(u"copy\0", 5)), NO_SELECTION);
    EXPECT_EQ(findExact(CategoryId::Fun, u"access"), NO_SELECTION);
    EXPECT_EQ(findExact(CategoryId::Cstrike, u"CS_SET_USER_MONEY"), 21);
    EXPECT_EQ(findExact(CategoryId::Fun, u"cs_get_user_money"), NO_SELECTION);
    EXPECT_EQ(findExact(CategoryId::Cstrike, u"give_item"), NO_SELECTION);
    // Only A-Z fold: '@' (0x40) and '`' (0x60) differ by the case bit but are not letters.
    EXPECT_EQ(findExact(CategoryId::Core, u"get_user_ip"), findExact(CategoryId::Core, u"GET_USER_IP"));
    EXPECT_EQ(findExact(CategoryId::Core, u"get\u007fuser_ip"), NO_SELECTION);
}

TEST(FindExact, EmptyTextMatchesNothing) {
    for (const CategoryId id : ALL_CATEGORIES) {
        EXPECT_EQ(findExact(id, u""), NO_SELECTION);
    }
}

TEST(FunTable, KeepsTheTellingRowsCharacterForCharacter) {
    EXPECT_EQ(funEntries[4].description,
              u"Float: get_user_maxspeed ( index ) :浮点值,返回玩家最大速度,index表示玩家索引");
    EXPECT_EQ(
        funEntries[12].description,
        u"set_user_health ( index, health ) :设置玩家生命值,最高显示为255,如果你设置256,将显示1,此时失去5的生命,将显示251");
    EXPECT_EQ(funEntries[18].description, u"spawn ( index ):Spawns entity,不知道该如何翻译......");
}

TEST(CstrikeTable, KeepsTheTellingRowsCharacterForCharacter) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(cstrikeEntries[static_cast<std::size_t>(i)].description.find(u" ("), std::u16string_view::npos) << i;
    }
    const std::u16string_view team = cstrikeEntries[24].description;
    EXPECT_NE(team.find(u"模型之一： CS_CT_URBAN||CS_T_TERROR||"), std::u16string_view::npos);
    EXPECT_TRUE(team.ends_with(u"||CS_CT_SAS||CS_T_GUERILLA||CS_CT_VIP"));
    EXPECT_EQ(team.size(), 245U);
    EXPECT_TRUE(cstrikeEntries[21].description.starts_with(u"cs_set_user_money ( index , money, [ flash ] ):"));
}

}  // namespace
}  // namespace quillon
