// The logic behind the main window: one handler per control event. All state lives in the
// view's controls; the catalogue is read-only.
#pragma once

#include <string_view>

#include "main_view.h"

namespace quillon {

inline constexpr std::u16string_view ABOUT_TITLE = u"关于...";
// Five lines broken at fixed points, mid-phrase, exactly as the box shows them.
inline constexpr std::u16string_view ABOUT_TEXT =
    u"    该软件根据AMXX官方文档简要翻译而来,难免存在\n"
    u"错误,欢迎指正,如果要准确信息请参照原文,你可以自\n"
    u"\n"
    u"AMXX插件信息请访问Brightmoor论坛!\n"
    u"http://forum.brightmoor.example/(程序制作--[Harlan])";

// Handler names follow the controls they serve (Combo1_Click runs on Combo1's selection
// event), so the event table of the window reads one to one.
// NOLINTBEGIN(readability-identifier-naming)
class MainWindowController {
public:
    explicit MainWindowController(MainView& view) : view_(view) {}

    void Form_Load();
    void Combo1_Click();
    void Combo2_Click();
    void Combo3_Click();
    void Combo4_Click();
    void Text2_Change();
    void Check1_Click();
    void Command1_Click();

private:
    void FillCoreList();
    void FillFunList();
    void FillCstrikeList();
    void SetTopMost();
    void ClearTopMost();

    MainView& view_;
};
// NOLINTEND(readability-identifier-naming)

}  // namespace quillon
