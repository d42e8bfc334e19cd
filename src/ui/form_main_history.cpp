// The main window's history of edits and how it follows the document:
// recording each edit as one step, undo and redo (the 편집 menu's actions),
// the lists, the canvas and the mark of unsaved sprite pages after each
// change.
#include <QScopedValueRollback>

#include "block_tool.h"
#include "editor_status.h"
#include "form_main.h"
#include "message_sink.h"
#include "page_canvas.h"
#include "page_list.h"
#include "system/texts.h"
#include "ui_form_main.h"
#include "work/store_edits.h"

namespace zentil {

void TMainWin::connectHistory() {
    // Marks set by hand in a list are the document's selection.
    for (const ListId id : {ListId::Sprites, ListId::Pictures}) {
        PageList* list = &listWidget(id);
        const auto keep = [this, id, list] {
            if (!followingChange_) document_.keepMarks(id, list->marks());
        };
        connect(list, &QListWidget::itemSelectionChanged, this, keep);
        connect(list, &QListWidget::currentRowChanged, this, keep);
    }
    connect(&document_, &Document::changed, this, &TMainWin::followChange);
    followChange(Change{});
}

void TMainWin::record(std::unique_ptr<Command> command) {
    document_.record(std::move(command));
}

// Every view of the window follows what the document says changed, and
// only that.
void TMainWin::followChange(const Change& change) {
    {
        const QScopedValueRollback following(followingChange_, true);
        if (change.listed() || change.saved) syncLists();
        if (change.listed() || change.selection) {
            ui_->Lb_Spr->setMarks(document_.selection().sprites);
            ui_->Lb_Tga->setMarks(document_.selection().pictures);
        }
    }
    if (change.listed() || change.saved || !change.pages.empty())
        setWindowModified(workspace_.spritesModified());
    if (change.current) {
        showShownPage();
    } else if (const Page* shown = workspace_.currentPage();
               shown && canvas().page() == shown && change.touches(shown)) {
        // The canvas reads the page at every repaint; a page that changed
        // its size is laid out again.
        canvas().followEdit(workspace_.changes);
    }
    updateStatus();
}

void TMainWin::syncLists() {
    ui_->Lb_Spr->showPages(workspace_.sprites);
    ui_->Lb_Tga->showPages(workspace_.pictures);
}

void TMainWin::Btn_UndoClick() {
    // Not while an outline is being dragged out: it belongs to the page as it is.
    if (canvas().tool() && canvas().tool()->busy()) return;
    document_.undo();
}

void TMainWin::Btn_RedoClick() {
    if (canvas().tool() && canvas().tool()->busy()) return;
    Outcome outcome;
    document_.redo(outcome);
    report(outcome);
}

}  // namespace zentil
