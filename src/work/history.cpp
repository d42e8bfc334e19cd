#include "work/history.h"

#include <algorithm>

namespace zentil {

void CommandGroup::add(std::unique_ptr<Command> command) {
    if (command) parts_.push_back(std::move(command));
}

void CommandGroup::undo(Workspace& workspace) {
    for (auto part = parts_.rbegin(); part != parts_.rend(); ++part)
        (*part)->undo(workspace);
}

Outcome CommandGroup::redo(Workspace& workspace) {
    for (std::size_t i = 0; i < parts_.size(); ++i) {
        Outcome done = parts_[i]->redo(workspace);
        if (!done) {
            // What was done again is taken back, so the group is all or nothing.
            while (i-- > 0)
                parts_[i]->undo(workspace);
            return done;
        }
    }
    return Outcome::done();
}

std::size_t CommandGroup::bytes() const {
    std::size_t total = 0;
    for (const auto& part : parts_)
        total += part->bytes();
    return total;
}

Page* CommandGroup::touched() const {
    return parts_.empty() ? nullptr : parts_.back()->touched();
}

Change CommandGroup::changes() const {
    Change all;
    for (const auto& part : parts_)
        all.add(part->changes());
    return all;
}

void History::push(std::unique_ptr<Command> command) {
    if (!command) return;
    while (steps_.size() > done_) {
        bytes_ -= steps_.back()->bytes();
        steps_.pop_back();
    }
    if (open_ && done_ > 0) {
        Command& last = *steps_.back();
        const std::size_t before = last.bytes();
        if (last.absorb(*command)) {
            bytes_ = bytes_ - before + last.bytes();
            trim();
            return;
        }
    }
    bytes_ += command->bytes();
    steps_.push_back(std::move(command));
    done_ = steps_.size();
    open_ = true;
    trim();
}

const Command* History::openStep() const {
    return open_ && done_ > 0 && done_ == steps_.size() ? steps_.back().get() : nullptr;
}

void History::dropOpenStep(Workspace& workspace) {
    if (!openStep()) return;
    steps_.back()->undo(workspace);
    bytes_ -= steps_.back()->bytes();
    steps_.pop_back();
    done_ = steps_.size();
    open_ = false;
}

void History::trim() {
    while (bytes_ > limit_ && steps_.size() > 1 && done_ > 1) {
        bytes_ -= steps_.front()->bytes();
        steps_.pop_front();
        --done_;
    }
}

Command* History::undo(Workspace& workspace) {
    open_ = false;
    if (!canUndo()) return nullptr;
    Command* command = steps_[--done_].get();
    command->undo(workspace);
    return command;
}

Command* History::redo(Workspace& workspace, Outcome& outcome) {
    open_ = false;
    outcome = Outcome::done();
    if (!canRedo()) return nullptr;
    Command* command = steps_[done_].get();
    outcome = command->redo(workspace);
    if (!outcome) return nullptr;
    ++done_;
    return command;
}

void History::clear() {
    steps_.clear();
    done_ = 0;
    bytes_ = 0;
    open_ = false;
}

}  // namespace zentil
