// The workspace, its history and the lists' selection as the windows share
// them: every edit is recorded here, taken back and done again here, the
// page shown and the selection are chosen here, and each time the document
// tells what changed, so that the lists, the canvas, the status bar and the
// watched files follow it.
#pragma once

#include <QObject>
#include <memory>
#include <optional>

#include "work/change.h"
#include "work/history.h"
#include "work/list_selection.h"
#include "work/workspace.h"

namespace zentil {

class Document final : public QObject {
    Q_OBJECT
  public:
    explicit Document(QObject* parent = nullptr) : QObject(parent) {}

    Workspace& workspace() { return workspace_; }
    const Workspace& workspace() const { return workspace_; }
    History& history() { return history_; }
    const History& history() const { return history_; }

    // The lists' selection and the list shown. Each step keeps the
    // selection as it was when the step was recorded, and as it was when the
    // step was first taken back: the one the edit ended with, or where the
    // user went from there.
    const ListSelection& selection() const { return selection_; }
    // The marks a list was given by hand: kept, and told to no one, since
    // the list shows them already.
    void keepMarks(ListId list, const EntryMarks& marks);
    // Shows the current entry of `list`, as a click on the list does.
    void show(ListId list);
    // Makes `selection` the lists' selection and shows the page it points to.
    void select(const ListSelection& selection);
    // Makes `row` the only selected and the current entry of `list`, the
    // other list's marks kept, and shows it.
    void selectEntry(ListId list, int row);

    // Records an edit already done as one step (nullptr records nothing, but
    // is told as a change of nothing, so that the views still catch up),
    // then makes `after`, when given, the selection and shows its page.
    void record(std::unique_ptr<Command> command,
                const std::optional<ListSelection>& after = std::nullopt);
    // The command taken back or done again, or nullptr when there is none
    // (or the redo could not be done: `outcome` says why). The selection
    // becomes the one the edit started from after an undo, the one it ended
    // with after a redo.
    Command* undo();
    Command* redo(Outcome& outcome);
    // Takes back the open step, the one a press under way is adding to, and
    // forgets it, when `edit` is the edit it was recorded with; false
    // otherwise (another step came since, or it was closed).
    bool dropOpenStep(const Command* edit);
    // A change that is no step of the history: files read or written, a work
    // session opened; then `after`, when given, as in `record`.
    void notify(Change change, const std::optional<ListSelection>& after = std::nullopt);

  signals:
    void changed(const zentil::Change& change);

  private:
    // Makes `selection` the selection and shows its page, as `change` tells.
    void choose(const ListSelection& selection, Change& change);
    // Tells `change`, once the page shown is one still listed.
    void tell(Change change);

    Workspace workspace_;
    History history_;
    ListSelection selection_;
};

}  // namespace zentil
