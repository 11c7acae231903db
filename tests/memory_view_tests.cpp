// Behaviour that needs the in-memory view's instruments: counted events, a refusing window
// manager and the message box's contents.
#include <gtest/gtest.h>

#include <string_view>

#include "memory_view.h"

namespace quillon::testing {
namespace {

TEST(MemoryList, RaisesTheSelectionEventOnEverySetSelectionAndClampsToTheList) {
    MemoryList list;
    int events = 0;
    list.onSelectionChange = [&events] { ++events; };
    list.addItem(u"b", 0);
    list.addItem(u"a", 0);
    list.addItem(u"c", 2);
    EXPECT_EQ(list.items(), (std::vector<std::u16string>{u"a", u"b", u"c"}));
    list.setSelection(1);
    list.setSelection(1);
    EXPECT_EQ(events, 2);
    list.setSelection(3);
    EXPECT_EQ(list.selection(), -1);
    list.setSelection(-7);
    EXPECT_EQ(list.selection(), -1);
    EXPECT_EQ(events, 4);
    EXPECT_EQ(list.findExact(u"B"), 1);
    EXPECT_EQ(list.findExact(u"b "), -1);
}

class WindowFeaturesTest : public ::testing::Test {
protected:
    void SetUp() override {
        view.connect(controller);
        controller.Form_Load();
    }
    MemoryView view;
    MainWindowController controller{view};
};

TEST_F(WindowFeaturesTest, CheckBoxMovesTheWindowBetweenBands) {
    view.stayOnTop.click();
    EXPECT_EQ(view.currentBand, WindowBand::TopMost);
    EXPECT_EQ(view.stayOnTop.value(), 1);
    view.stayOnTop.click();
    EXPECT_EQ(view.currentBand, WindowBand::Normal);
    EXPECT_EQ(view.stayOnTop.value(), 0);
}

TEST_F(WindowFeaturesTest, RefusedBandChangeSetsTheCheckBoxBackToTheRealBand) {
    view.refuseBandChanges = true;
    view.stayOnTop.click();
    EXPECT_EQ(view.stayOnTop.value(), 0);
    EXPECT_EQ(view.currentBand, WindowBand::Normal);

    view.refuseBandChanges = false;
    view.stayOnTop.click();
    ASSERT_EQ(view.currentBand, WindowBand::TopMost);
    view.refuseBandChanges = true;
    view.stayOnTop.click();
    EXPECT_EQ(view.stayOnTop.value(), 1);
    EXPECT_EQ(view.currentBand, WindowBand::TopMost);
}

TEST_F(WindowFeaturesTest, AboutShowsFiveFixedLines) {
    controller.Command1_Click();
    EXPECT_EQ(view.messagesShown, 1);
    EXPECT_EQ(view.lastMessageTitle, u"关于...");
    const std::u16string_view text = view.lastMessageText;
    EXPECT_EQ(std::count(text.begin(), text.end(), u'\n'), 4);
    EXPECT_FALSE(text.ends_with(u"\n"));
    EXPECT_TRUE(text.starts_with(
        u"    该软件根据AMXX官方文档简要翻译而来,难免存在\n错误,欢迎指正,如果要准确信息请参照原文,你可以自\n\n"
        u"AMXX插件信息请访问Brightmoor论坛!\n"));
    const std::u16string_view lastLine = text.substr(text.rfind(u'\n') + 1);
    EXPECT_TRUE(lastLine.starts_with(u"http://"));
    EXPECT_TRUE(lastLine.ends_with(u"/(程序制作--[Harlan])"));
    EXPECT_EQ(lastLine.find(u' '), std::u16string_view::npos);
}

TEST_F(WindowFeaturesTest, AboutLeavesTheRestOfTheWindowAlone) {
    view.search.setText(u"give_item");
    controller.Command1_Click();
    EXPECT_EQ(view.lists[2].selection(), 6);
    EXPECT_EQ(view.search.text(), u"give_item");
    EXPECT_EQ(view.currentBand, WindowBand::Normal);
}

}  // namespace
}  // namespace quillon::testing
