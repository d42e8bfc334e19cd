// The main window's history of edits: recording each edit as one step, undo
// and redo (the 편집 menu's actions), and the mark of unsaved sprite pages.
#include "block_tool.h"
#include "form_main.h"
#include "message_sink.h"
#include "page_list.h"
#include "system/texts.h"
#include "ui_form_main.h"
#include "work/store_edits.h"
#include "work_session.h"

namespace zentil {

void TMainWin::connectHistory() {
    document_.setSelectionSource([this] {
        return ListSelection{workspace_.activeList(), ui_->Lb_Spr->marks(), ui_->Lb_Tga->marks()};
    });
    connect(&document_, &Document::changed, this, &TMainWin::followChange);
    followChange(Change{});
}

void TMainWin::record(std::unique_ptr<Command> command) {
    document_.record(std::move(command));
}

// Every view of the window follows what the document says changed.
void TMainWin::followChange(const Change& change) {
    syncLists();
    setWindowModified(workspace_.spritesModified());
    // The canvas reads the page at every repaint; a page that changed its
    // size is laid out again.
    if (const Page* shown = workspace_.currentPage();
        shown && canvas().page() == shown && change.touches(shown))
        canvas().followEdit(workspace_.changes);
    updateStatus();
    if (change.pictures || change.saved || !change.pages.empty()) session_->watchPictures();
}

void TMainWin::syncLists() {
    ui_->Lb_Spr->showPages(workspace_.sprites);
    ui_->Lb_Tga->showPages(workspace_.pictures);
}

void TMainWin::Btn_UndoClick() {
    // Not while an outline is being dragged out: it belongs to the page as it is.
    if (canvas().tool() && canvas().tool()->busy()) return;
    std::optional<ListSelection> selection;
    if (document_.undo(selection)) showSelection(selection);
}

void TMainWin::Btn_RedoClick() {
    if (canvas().tool() && canvas().tool()->busy()) return;
    Outcome outcome;
    std::optional<ListSelection> selection;
    const bool redone = document_.redo(outcome, selection) != nullptr;
    report(outcome);
    if (redone) showSelection(selection);
}

void TMainWin::showSelection(const std::optional<ListSelection>& selection) {
    ListId shown = workspace_.activeList();
    if (selection) {
        ui_->Lb_Spr->setMarks(selection->sprites);
        ui_->Lb_Tga->setMarks(selection->pictures);
        shown = selection->shown;
    }
    // An empty list shows the other one, or nothing.
    shown == ListId::Pictures ? Lb_TgaClick() : Lb_SprClick();
}

}  // namespace zentil
