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

std::optional<ListSelection> Document::selectionNow() const {
    if (!selectionSource_) return std::nullopt;
    return selectionSource_();
}

void Document::record(std::unique_ptr<Command> command) {
    Change change;
    if (command) {
        change = command->changes();
        history_.push(std::make_unique<SelectedStep>(std::move(command), selectionNow()));
    }
    emit changed(change);
}

bool Document::dropOpenStep(const Command* edit) {
    const auto* step = dynamic_cast<const SelectedStep*>(history_.openStep());
    if (!edit || !step || step->edit() != edit) return false;
    const Change change = step->changes();
    history_.dropOpenStep(workspace_);
    emit changed(change);
    return true;
}

Command* Document::undo(std::optional<ListSelection>& selection) {
    const std::optional<ListSelection> now = selectionNow();
    Command* command = history_.undo(workspace_);
    if (!command) return nullptr;
    if (auto* step = dynamic_cast<SelectedStep*>(command)) {
        step->keepAfter(now);
        selection = step->before();
    }
    emit changed(command->changes());
    return command;
}

Command* Document::redo(Outcome& outcome, std::optional<ListSelection>& selection) {
    Command* command = history_.redo(workspace_, outcome);
    if (!command) return nullptr;
    if (const auto* step = dynamic_cast<const SelectedStep*>(command)) selection = step->after();
    emit changed(command->changes());
    return command;
}

}  // namespace zentil
