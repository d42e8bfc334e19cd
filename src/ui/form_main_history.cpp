// The main window's history of edits: recording each edit as one step, the
// undo and redo buttons and keys, and the mark of unsaved sprite pages.
#include <QKeySequence>
#include <QShortcut>

#include "block_tool.h"
#include "form_main.h"
#include "message_sink.h"
#include "page_list.h"
#include "system/texts.h"
#include "ui_form_main.h"
#include "window_key_claim.h"
#include "work/store_edits.h"
#include "work_session.h"

namespace zentil {

void TMainWin::connectHistory() {
    connect(ui_->Btn_Undo, &QToolButton::clicked, this, &TMainWin::Btn_UndoClick);
    connect(ui_->Btn_Redo, &QToolButton::clicked, this, &TMainWin::Btn_RedoClick);
    // The platform's keys, and on every platform Ctrl+Shift+Z and Ctrl+Y for redo.
    QList<QKeySequence> claimed;
    const auto bind = [this, &claimed](QList<QKeySequence> keys, void (TMainWin::*slot)()) {
        QList<QKeySequence> unique;
        for (const QKeySequence& k : keys)
            if (!unique.contains(k)) unique.append(k);
        auto* shortcut = new QShortcut(this);
        shortcut->setKeys(unique);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
        claimed += unique;
    };
    bind(QKeySequence::keyBindings(QKeySequence::Undo), &TMainWin::Btn_UndoClick);
    bind(QKeySequence::keyBindings(QKeySequence::Redo) +
             QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                 QKeySequence(Qt::CTRL | Qt::Key_Y)},
         &TMainWin::Btn_RedoClick);
    // The column field would take them for its own text; in this window
    // they always step through the history.
    new WindowKeyClaim(this, claimed);
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
    ui_->Btn_Undo->setEnabled(history_.canUndo());
    ui_->Btn_Redo->setEnabled(history_.canRedo());
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
