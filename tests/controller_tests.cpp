// What the user sees of the controller, through MainView alone: these tests run natively
// against the in-memory view and under Wine against the real window.
#include <gtest/gtest.h>

#include "random_session.h"

namespace quillon::testing {
namespace {

#ifdef _WIN32
constexpr int SESSIONS = 150;
#else
constexpr int SESSIONS = 2000;
#endif

TEST(RandomSessions, TheWindowAlwaysShowsWhatTheModelExpects) {
    for (int seed = 1; seed <= SESSIONS; ++seed) {
        RandomSession session(static_cast<std::uint64_t>(seed));
        for (int i = 0; i <= seed % 40; ++i) {
            const std::string action = i == 0 ? "the start" : session.step();
            ASSERT_TRUE(session.shown() == session.expected())
                << "seed " << seed << ", step " << i << ", after: " << action << "\n  the window shows "
                << session.shown().describe() << "\n  expected         " << session.expected().describe();
        }
    }
}

class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override { view.controller().Form_Load(); }
    TestView view;
};

TEST_F(ControllerTest, StartsWithEveryListFilledInCatalogueOrderAndTheWindowInItsNormalBand) {
    constexpr std::u16string_view captions[] = {u"核心涵数", u"娱乐涵数", u"反恐涵数"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(view.combo1().findExact(captions[i]), i);
    }
    ListControl* lists[] = {&view.combo2(), &view.combo3(), &view.combo4()};
    for (int list = 0; list < 3; ++list) {
        for (std::size_t i = 0; i < TABLES[list].size(); ++i) {
            EXPECT_EQ(lists[list]->findExact(TABLES[list][i].name), static_cast<int>(i)) << "list " << list;
        }
    }
    EXPECT_EQ(view.check1().value(), 0);
    EXPECT_EQ(view.band(), WindowBand::Normal);
    EXPECT_EQ(view.endProgramCalls, 0);
}

TEST(ControllerStartUp, ASecondCopyEndsTheProgramAndFillsNothing) {
    TestView view(true);
    view.controller().Form_Load();
    EXPECT_EQ(view.endProgramCalls, 1);
    EXPECT_EQ(view.combo1().findExact(u"核心涵数"), NO_SELECTION);
    EXPECT_EQ(view.combo2().findExact(u"access"), NO_SELECTION);
    EXPECT_EQ(view.combo3().findExact(u"give_item"), NO_SELECTION);
    EXPECT_EQ(view.combo4().findExact(u"cs_get_hostage_id"), NO_SELECTION);
}

// The list's own search decides what the search box finds: the whole name, letter case aside,
// and never a look-alike, a name with an ignorable or rare character in it, or one cut short by
// a NUL. Under Wine this runs in code pages 936 and 1252.
TEST_F(ControllerTest, AListFindsTheWholeNameIgnoringLetterCaseAndNothingLikeIt) {
    constexpr char16_t withNul[] = u"copy\0x";
    constexpr std::u16string_view copyright = u"copyright";
    const std::pair<std::u16string_view, int> texts[] = {
        {u"copy", 27},       {u"COPY", 27},           {u"CoPy", 27},         {copyright.substr(0, 4), 27},
        {u"cop", -1},        {u" copy", -1},          {u"copy ", -1},        {u"", -1},
        {{withNul, 6}, -1},  {{withNul, 5}, -1},      {u"ｃｏｐｙ", -1},     {u"ＣＯＰＹ", -1},
        {u"cōpy", -1},       {u"çopy", -1},           {u"сору", -1},         {u"𝐜𝐨𝐩𝐲", -1},
        {u"ﬁle_exists", -1}, {u"user_\u212Aill", -1}, {u"\u0130sspace", -1}, {u"\u017Fet_cvar_num", -1},
    };
    for (const auto& [text, position] : texts) {
        EXPECT_EQ(view.combo2().findExact(text), position) << "searching for \"" << readable(text) << '"';
    }
    for (const std::u16string_view rare :
         {u"\U0001F600", u"\xD83D", u"\xDE00\xD83D", u"\u200F", u"\u202E", u"\u0001", u"\u0007", u"\t", u"\u007F",
          u"\u00AD", u"\u200B", u"\u2060", u"\uFEFF", u"\u0304", u"说 明", u"مرحبا"}) {
        for (const std::u16string& text : {u"co" + std::u16string(rare) + u"py", u"copy" + std::u16string(rare)}) {
            EXPECT_EQ(view.combo2().findExact(text), NO_SELECTION) << "searching for \"" << readable(text) << '"';
        }
    }
}

TEST_F(ControllerTest, TheCheckBoxPutsTheWindowOnTopAndTakesItOffAndShowsTheBandItIsIn) {
    view.clickCheckBox();
    EXPECT_EQ(view.check1().value(), 1);
    EXPECT_EQ(view.band(), WindowBand::TopMost);
    view.clickCheckBox();
    EXPECT_EQ(view.check1().value(), 0);
    EXPECT_EQ(view.band(), WindowBand::Normal);
    view.check1().setValue(1);
    EXPECT_EQ(view.band(), WindowBand::Normal);
#ifndef _WIN32
    // A window manager that refuses the change: the check box goes back to the real band.
    view.check1().setValue(0);
    view.refuseBandChanges = true;
    view.clickCheckBox();
    EXPECT_EQ(view.check1().value(), 0);
    view.refuseBandChanges = false;
    view.clickCheckBox();
    view.refuseBandChanges = true;
    view.clickCheckBox();
    EXPECT_EQ(view.check1().value(), 1);
    EXPECT_EQ(view.band(), WindowBand::TopMost);
#endif
}

}  // namespace
}  // namespace quillon::testing
