#include "document.h"

namespace zentil {

void Document::record(std::unique_ptr<Command> command) {
    Change change;
    if (command) {
        change = command->changes();
        history_.push(std::move(command));
    }
    emit changed(change);
}

Command* Document::undo() {
    Command* command = history_.undo(workspace_);
    if (command) emit changed(command->changes());
    return command;
}

Command* Document::redo(Outcome& outcome) {
    Command* command = history_.redo(workspace_, outcome);
    if (command) emit changed(command->changes());
    return command;
}

}  // namespace zentil
