// The controller's behaviour, written against MainView only: the same tests run against the
// in-memory view natively and against the real window under Wine.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "catalogue.h"
#include "view_harness.h"

namespace quillon::testing {
namespace {

class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        harness = makeViewHarness(false);
        controller().Form_Load();
    }

    MainView& view() { return harness->view(); }
    MainWindowController& controller() { return harness->controller(); }

    std::u16string description() { return std::u16string(view().text1().text()); }
    std::u16string descriptionOf(CategoryId id, int position) {
        return std::u16string(entryAt(id, position)->description);
    }

    // One change event a keystroke, as typing does.
    void type(std::u16string_view text) {
        std::u16string typed(view().text2().text());
        for (const char16_t c : text) {
            typed.push_back(c);
            view().text2().setText(typed);
        }
    }
    void chooseCategory(CategoryId id) { view().combo1().setSelection(static_cast<std::int16_t>(id)); }

    void expectSelections(int core, int fun, int cstrike) {
        EXPECT_EQ(view().combo2().selection(), core);
        EXPECT_EQ(view().combo3().selection(), fun);
        EXPECT_EQ(view().combo4().selection(), cstrike);
    }
    void expectVisible(bool core, bool fun, bool cstrike) {
        EXPECT_EQ(view().combo2().isVisible(), core);
        EXPECT_EQ(view().combo3().isVisible(), fun);
        EXPECT_EQ(view().combo4().isVisible(), cstrike);
    }

    std::unique_ptr<ViewHarness> harness;
};

TEST_F(ControllerTest, StartsWithFilledHiddenListsAndNothingChosen) {
    EXPECT_EQ(view().combo1().selection(), NO_SELECTION);
    expectSelections(NO_SELECTION, NO_SELECTION, NO_SELECTION);
    expectVisible(false, false, false);
    EXPECT_EQ(view().text1().text(), u"");
    EXPECT_EQ(view().text2().text(), u"");
    EXPECT_EQ(harness->endProgramCalls(), 0);
    EXPECT_EQ(view().check1().value(), 0);
}

TEST_F(ControllerTest, FillsEveryListInCatalogueOrder) {
    EXPECT_EQ(view().combo1().findExact(u"核心涵数"), 0);
    EXPECT_EQ(view().combo1().findExact(u"娱乐涵数"), 1);
    EXPECT_EQ(view().combo1().findExact(u"反恐涵数"), 2);
    ListControl* lists[] = {&view().combo2(), &view().combo3(), &view().combo4()};
    for (const CategoryId id : {CategoryId::Core, CategoryId::Fun, CategoryId::Cstrike}) {
        const auto entries = category(id).entries;
        ListControl& list = *lists[static_cast<int>(id)];
        for (std::size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(list.findExact(entries[i].name), static_cast<int>(i));
        }
    }
}

TEST_F(ControllerTest, ChoosingACategoryShowsOnlyItsListAndEmptiesTheDescription) {
    chooseCategory(CategoryId::Core);
    expectVisible(true, false, false);
    view().combo2().setSelection(27);
    EXPECT_EQ(description(), descriptionOf(CategoryId::Core, 27));

    chooseCategory(CategoryId::Fun);
    expectVisible(false, true, false);
    EXPECT_EQ(description(), u"");

    chooseCategory(CategoryId::Cstrike);
    expectVisible(false, false, true);

    chooseCategory(CategoryId::Core);
    expectVisible(true, false, false);
    EXPECT_EQ(description(), u"");
}

TEST_F(ControllerTest, ListsKeepTheirSelectionsAcrossCategoryChanges) {
    chooseCategory(CategoryId::Fun);
    view().combo3().setSelection(12);
    EXPECT_EQ(description(), descriptionOf(CategoryId::Fun, 12));
    chooseCategory(CategoryId::Core);
    chooseCategory(CategoryId::Fun);
    EXPECT_EQ(view().combo3().selection(), 12);
    EXPECT_EQ(description(), u"");
}

TEST_F(ControllerTest, ChoosingANameShowsItsDescriptionUnchanged) {
    chooseCategory(CategoryId::Cstrike);
    view().combo4().setSelection(24);
    EXPECT_EQ(description(), descriptionOf(CategoryId::Cstrike, 24));
    EXPECT_NE(description().find(u"之一： CS_CT_URBAN||"), std::u16string::npos);

    chooseCategory(CategoryId::Core);
    view().combo2().setSelection(203);
    EXPECT_EQ(description().size(), 362U);
    view().combo2().setSelection(274);
    EXPECT_EQ(description(), descriptionOf(CategoryId::Core, 274));
}

TEST_F(ControllerTest, ClearingASelectionKeepsTheDescription) {
    chooseCategory(CategoryId::Fun);
    view().combo3().setSelection(6);
    view().combo3().setSelection(NO_SELECTION);
    EXPECT_EQ(view().combo3().selection(), NO_SELECTION);
    EXPECT_EQ(description(), descriptionOf(CategoryId::Fun, 6));
}

TEST_F(ControllerTest, SearchFindsANameInAHiddenList) {
    type(u"set_user_health");
    expectSelections(NO_SELECTION, 12, NO_SELECTION);
    EXPECT_EQ(description(), descriptionOf(CategoryId::Fun, 12));
    EXPECT_EQ(view().combo1().selection(), NO_SELECTION);
    expectVisible(false, false, false);
}

TEST_F(ControllerTest, SearchIgnoresCase) {
    type(u"SET_USER_HEALTH");
    expectSelections(NO_SELECTION, 12, NO_SELECTION);
    EXPECT_EQ(description(), descriptionOf(CategoryId::Fun, 12));
    EXPECT_EQ(view().text2().text(), u"SET_USER_HEALTH");
}

TEST_F(ControllerTest, SearchMissClearsEverySelectionAndKeepsTheDescription) {
    chooseCategory(CategoryId::Core);
    view().combo2().setSelection(0);
    type(u"set_user_healt");
    expectSelections(NO_SELECTION, NO_SELECTION, NO_SELECTION);
    EXPECT_EQ(description(), descriptionOf(CategoryId::Core, 0));
    expectVisible(true, false, false);
}

TEST_F(ControllerTest, SearchDoesNotTrimSpaces) {
    type(u" access");
    expectSelections(NO_SELECTION, NO_SELECTION, NO_SELECTION);
    EXPECT_EQ(description(), u"");
    view().text2().setText(u"");
    type(u"access ");
    expectSelections(NO_SELECTION, NO_SELECTION, NO_SELECTION);
    EXPECT_EQ(description(), descriptionOf(CategoryId::Core, 0));
}

TEST_F(ControllerTest, SearchMatchMovesFromListToListAsTheTextGrows) {
    chooseCategory(CategoryId::Fun);
    view().combo3().setSelection(3);
    type(u"copy");
    expectSelections(27, NO_SELECTION, NO_SELECTION);
    EXPECT_EQ(description(), descriptionOf(CategoryId::Core, 27));
    type(u"c");
    expectSelections(28, NO_SELECTION, NO_SELECTION);
    EXPECT_EQ(description(), descriptionOf(CategoryId::Core, 28));
    view().text2().setText(u"cs_set_user_money");
    expectSelections(NO_SELECTION, NO_SELECTION, 21);
    EXPECT_EQ(description(), descriptionOf(CategoryId::Cstrike, 21));
    expectVisible(false, true, false);
    EXPECT_EQ(view().combo1().selection(), 1);
}

TEST_F(ControllerTest, PastedMatchClearsTheSelectionOfEveryOtherList) {
    chooseCategory(CategoryId::Cstrike);
    view().combo4().setSelection(5);
    view().combo3().setSelection(7);
    view().text2().setText(u"copy");
    expectSelections(27, NO_SELECTION, NO_SELECTION);
    EXPECT_EQ(description(), descriptionOf(CategoryId::Core, 27));
}

TEST_F(ControllerTest, EmptyingTheSearchBoxClearsSelectionsOnly) {
    type(u"give_item");
    EXPECT_EQ(description(), descriptionOf(CategoryId::Fun, 6));
    view().text2().setText(u"");
    expectSelections(NO_SELECTION, NO_SELECTION, NO_SELECTION);
    EXPECT_EQ(description(), descriptionOf(CategoryId::Fun, 6));
}

TEST_F(ControllerTest, SearchFindsEveryNameOfTheCatalogue) {
    ListControl* lists[] = {&view().combo2(), &view().combo3(), &view().combo4()};
    for (const CategoryId id : {CategoryId::Core, CategoryId::Fun, CategoryId::Cstrike}) {
        const auto entries = category(id).entries;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            view().text2().setText(entries[i].name);
            for (int list = 0; list < 3; ++list) {
                EXPECT_EQ(lists[list]->selection(), list == static_cast<int>(id) ? static_cast<int>(i) : NO_SELECTION);
            }
            EXPECT_EQ(view().text1().text(), entries[i].description);
        }
    }
}

TEST(ControllerStartUp, SecondCopyEndsTheProgramAndDoesNothingElse) {
    const auto harness = makeViewHarness(true);
    harness->controller().Form_Load();
    EXPECT_EQ(harness->endProgramCalls(), 1);
    MainView& view = harness->view();
    EXPECT_EQ(view.combo1().findExact(u"核心涵数"), NO_SELECTION);
    for (ListControl* list : {&view.combo2(), &view.combo3(), &view.combo4()}) {
        EXPECT_EQ(list->findExact(u"access"), NO_SELECTION);
        EXPECT_EQ(list->findExact(u"give_item"), NO_SELECTION);
        EXPECT_EQ(list->findExact(u"cs_get_hostage_id"), NO_SELECTION);
        EXPECT_FALSE(list->isVisible());
    }
    EXPECT_EQ(view.text1().text(), u"");
}

}  // namespace
}  // namespace quillon::testing
