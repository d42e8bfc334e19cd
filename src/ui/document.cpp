#include "document.h"

namespace zentil {
namespace {

std::size_t heapBytes(const std::optional<ListSelection>& selection) {
    if (!selection) return 0;
    return (selection->sprites.selected.capacity() + selection->pictures.selected.capacity()) *
           sizeof(int);
}

// A step of the history with the lists' selection before and after it.
class SelectedStep final : public Command {
  public:
    SelectedStep(std::unique_ptr<Command> edit, std::optional<ListSelection> before)
        : edit_(std::move(edit)), before_(std::move(before)) {}

    void undo(Workspace& workspace) override { edit_->undo(workspace); }
    Outcome redo(Workspace& workspace) override { return edit_->redo(workspace); }
    std::size_t bytes() const override {
        return sizeof(*this) + edit_->bytes() + heapBytes(before_) + heapBytes(after_);
    }
    Page* touched() const override { return edit_->touched(); }
    Change changes() const override { return edit_->changes(); }
    // The stamps of one press are one step, which started where the first began.
    bool absorb(Command& next) override {
        auto* more = dynamic_cast<SelectedStep*>(&next);
        return more != nullptr && edit_->absorb(*more->edit_);
    }

    const Command* edit() const { return edit_.get(); }
    const std::optional<ListSelection>& before() const { return before_; }
    const std::optional<ListSelection>& after() const { return after_; }
    // The selection the edit ended with is the one at its first undo: until
    // then, every later step has been taken back.
    void keepAfter(const std::optional<ListSelection>& now) {
        if (!undoneOnce_) after_ = now;
        undoneOnce_ = true;
    }

  private:
    std::unique_ptr<Command> edit_;
    std::optional<ListSelection> before_, after_;
    bool undoneOnce_ = false;
};

}  // namespace

void Document::keepMarks(ListId list, const EntryMarks& marks) {
    if (list != ListId::None) selection_.marks(list) = marks;
}

void Document::choose(const ListSelection& selection, Change& change) {
    selection_ = selection;
    showSelected(workspace_, selection_);
    change.current = change.selection = true;
}

void Document::tell(Change change) {
    // Pages gone from the lists take their marks along; a page shown that
    // went with them gives way to the one the selection now points to.
    if (change.listed()) {
        const Page* shown = workspace_.currentPage();
        if (shown && !workspace_.placeOf(shown).valid()) change.current = true;
        if (change.current) {
            choose(selection_, change);
        } else if (ListSelection fitted = selection_; fitSelection(workspace_, fitted)) {
            selection_ = fitted;
            change.selection = true;
        }
    }
    emit changed(change);
}

void Document::show(ListId list) {
    ListSelection selection = selection_;
    selection.shown = list;
    Change change;
    choose(selection, change);
    emit changed(change);
}

void Document::select(const ListSelection& selection) {
    Change change;
    choose(selection, change);
    emit changed(change);
}

void Document::selectEntry(ListId list, int row) {
    if (list == ListId::None) return;
    ListSelection selection = selection_;
    selectOnly(selection, list, row);
    select(selection);
}

void Document::record(std::unique_ptr<Command> command, const std::optional<ListSelection>& after) {
    Change change;
    if (command) {
        change = command->changes();
        history_.push(std::make_unique<SelectedStep>(std::move(command), selection_));
    }
    if (after) choose(*after, change);
    tell(change);
}

void Document::notify(Change change, const std::optional<ListSelection>& after) {
    if (after) choose(*after, change);
    tell(change);
}

bool Document::dropOpenStep(const Command* edit) {
    const auto* step = dynamic_cast<const SelectedStep*>(history_.openStep());
    if (!edit || !step || step->edit() != edit) return false;
    const Change change = step->changes();
    history_.dropOpenStep(workspace_);
    tell(change);
    return true;
}

Command* Document::undo() {
    const ListSelection now = selection_;
    Command* command = history_.undo(workspace_);
    if (!command) return nullptr;
    Change change = command->changes();
    auto* step = dynamic_cast<SelectedStep*>(command);
    if (step) step->keepAfter(now);
    choose(step && step->before() ? *step->before() : selection_, change);
    tell(change);
    return command;
}

Command* Document::redo(Outcome& outcome) {
    Command* command = history_.redo(workspace_, outcome);
    if (!command) return nullptr;
    Change change = command->changes();
    const auto* step = dynamic_cast<const SelectedStep*>(command);
    choose(step && step->after() ? *step->after() : selection_, change);
    tell(change);
    return command;
}

}  // namespace zentil
