#include "main_window_controller.h"

#include <cstddef>
#include <initializer_list>

#include "catalogue.h"

namespace quillon {
namespace {

void fillList(ListControl& list, CategoryId id) {
    const auto entries = category(id).entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        list.addItem(entries[i].name, static_cast<std::int16_t>(i));
    }
}

// A cleared list (NO_SELECTION) leaves the description box as it is.
void showSelectedDescription(const ListControl& list, CategoryId id, TextBox& descriptionBox) {
    if (const CatalogueEntry* entry = entryAt(id, list.selection())) {
        descriptionBox.setText(entry->description);
    }
}

// The window's band is what counts: if the platform refused the change, the check box
// goes back to showing the band the window really is in.
void changeBand(MainView& view, WindowBand band) {
    if (!view.moveToBand(band)) {
        view.check1().setValue(view.band() == WindowBand::TopMost ? 1 : 0);
    }
}

}  // namespace

void MainWindowController::Form_Load() {
    if (view_.previousInstanceRunning()) {
        view_.endProgram();
        return;
    }
    ListControl& categories = view_.combo1();
    for (const Category* c : {&catalogue().core, &catalogue().fun, &catalogue().cstrike}) {
        categories.addItem(c->caption, static_cast<std::int16_t>(c->id));
    }
    FillCoreList();
    FillFunList();
    FillCstrikeList();
}

void MainWindowController::FillCoreList() {
    fillList(view_.combo2(), CategoryId::Core);
}
void MainWindowController::FillFunList() {
    fillList(view_.combo3(), CategoryId::Fun);
}
void MainWindowController::FillCstrikeList() {
    fillList(view_.combo4(), CategoryId::Cstrike);
}

void MainWindowController::Combo1_Click() {
    switch (view_.combo1().selection()) {
    case 0:
        view_.combo2().setVisible(true);
        view_.combo3().setVisible(false);
        view_.combo4().setVisible(false);
        break;
    case 1:
        view_.combo2().setVisible(false);
        view_.combo3().setVisible(true);
        view_.combo4().setVisible(false);
        break;
    case 2:
        view_.combo4().setVisible(true);
        view_.combo3().setVisible(false);
        view_.combo2().setVisible(false);
        break;
    default:
        break;
    }
    view_.text1().setText(u"");
}

void MainWindowController::Combo2_Click() {
    showSelectedDescription(view_.combo2(), CategoryId::Core, view_.text1());
}

void MainWindowController::Combo3_Click() {
    showSelectedDescription(view_.combo3(), CategoryId::Fun, view_.text1());
}

void MainWindowController::Combo4_Click() {
    showSelectedDescription(view_.combo4(), CategoryId::Cstrike, view_.text1());
}

// A match selects its name even in a hidden list, and the selection event shows the
// description before the next list is searched; every list without a match is cleared.
void MainWindowController::Text2_Change() {
    for (ListControl* list : {&view_.combo2(), &view_.combo3(), &view_.combo4()}) {
        const std::u16string_view searchText = view_.text2().text();
        list->setSelection(list->findExact(searchText));
    }
}

void MainWindowController::Check1_Click() {
    if (view_.check1().value() == 1) {
        SetTopMost();
    } else {
        ClearTopMost();
    }
}

void MainWindowController::SetTopMost() {
    changeBand(view_, WindowBand::TopMost);
}
void MainWindowController::ClearTopMost() {
    changeBand(view_, WindowBand::Normal);
}

void MainWindowController::Command1_Click() {
    view_.showMessage(ABOUT_TITLE, ABOUT_TEXT);
}

}  // namespace quillon
