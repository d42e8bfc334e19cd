// The workspace and its history as the windows share them: every edit is
// recorded here, taken back and done again here, and each time the document
// tells what changed, so that the lists, the canvas, the status bar and the
// watched files follow it.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <optional>

#include "list_selection.h"
#include "work/change.h"
#include "work/history.h"
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

    // Where the lists' selection is read. Each step keeps the selection as
    // it was when the step was recorded, and as it was when the step was
    // first taken back: the one the edit ended with, or where the user went
    // from there.
    void setSelectionSource(std::function<ListSelection()> source) {
        selectionSource_ = std::move(source);
    }

    // Records an edit already done as one step (nullptr records nothing, but
    // is told as a change of nothing, so that the views still catch up).
    void record(std::unique_ptr<Command> command);
    // The command taken back or done again, or nullptr when there is none
    // (or the redo could not be done: `outcome` says why). `selection`
    // becomes the selection to show: the one the edit started from after an
    // undo, the one it ended with after a redo (none without a source).
    Command* undo(std::optional<ListSelection>& selection);
    Command* redo(Outcome& outcome, std::optional<ListSelection>& selection);
    // Takes back the open step, the one a press under way is adding to, and
    // forgets it, when `edit` is the edit it was recorded with; false
    // otherwise (another step came since, or it was closed).
    bool dropOpenStep(const Command* edit);
    // A change that is no step of the history: files read or written, a work
    // session opened.
    void notify(const Change& change) { emit changed(change); }

  signals:
    void changed(const zentil::Change& change);

  private:
    std::optional<ListSelection> selectionNow() const;

    Workspace workspace_;
    History history_;
    std::function<ListSelection()> selectionSource_;
};

}  // namespace zentil
