// The history of edits: undo and redo over a list of commands, bounded by the
// memory the commands keep (the oldest go first).
#pragma once

#include <cstddef>
#include <deque>
#include <memory>

#include "work/command.h"

namespace zentil {

inline constexpr std::size_t kDefaultHistoryBytes = std::size_t{512} << 20;

class History {
  public:
    explicit History(std::size_t limitBytes = kDefaultHistoryBytes) : limit_(limitBytes) {}

    // Records a command whose edit is done. The steps that could be redone
    // are dropped; a command that belongs with the last step joins it.
    // Steps are dropped from the oldest on while the history keeps more than
    // its limit; the newest step always stays.
    void push(std::unique_ptr<Command> command);
    // Ends the joining of commands into the last step (the button was released).
    void closeStep() { open_ = false; }
    // The last step while later commands may still join it (its press is
    // under way) and nothing was taken back since; else nullptr.
    const Command* openStep() const;
    // Takes the open step back and forgets it, as if it had never been
    // recorded (Escape during a stroke); nothing without an open step.
    void dropOpenStep(Workspace& workspace);

    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    // The command taken back or done again, or nullptr when there is none
    // (or the redo could not be done: `outcome` says why).
    Command* undo(Workspace& workspace);
    Command* redo(Workspace& workspace, Outcome& outcome);

    std::size_t undoCount() const { return done_; }
    std::size_t bytes() const { return bytes_; }
    std::size_t limit() const { return limit_; }
    void clear();

  private:
    void trim();

    std::deque<std::unique_ptr<Command>> steps_;
    std::size_t done_ = 0;
    std::size_t bytes_ = 0;
    std::size_t limit_;
    bool open_ = false;
};

}  // namespace zentil
