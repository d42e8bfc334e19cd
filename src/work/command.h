// An edit of the workspace that can be taken back and done again.
//
// A command is made by doing its edit (the factories in page_edits.h and
// store_edits.h run it and keep what it changed); the history then calls
// undo() and redo() in turn. A command keeps only what its edit changed.
#pragma once

#include <cstddef>
#include <memory>

#include "system/outcome.h"
#include "work/change.h"
#include "work/workspace.h"

namespace zentil {

class Command {
  public:
    virtual ~Command() = default;
    // Puts back exactly what was there before the edit.
    virtual void undo(Workspace& workspace) = 0;
    // Does the edit again, exactly; fails, changing nothing, when it no longer
    // can (a store filled up meanwhile).
    virtual Outcome redo(Workspace& workspace) = 0;
    // The memory the command keeps, in bytes.
    virtual std::size_t bytes() const = 0;
    // The page to select and show after an undo or a redo (nullptr: the
    // current page stays).
    virtual Page* touched() const = 0;
    // What the edit changes each way (by default the page it touched).
    virtual Change changes() const {
        Change change;
        if (Page* page = touched()) change.pages.push_back(page);
        return change;
    }
    // Takes `next`, done right after this one, into this one when the two
    // are one step for the user (the stamps of one press-drag-release).
    virtual bool absorb(Command& next) {
        static_cast<void>(next);
        return false;
    }
};

// Several commands taken back and done again as one step (an edit of all the
// selected pages).
class CommandGroup final : public Command {
  public:
    void add(std::unique_ptr<Command> command);
    bool empty() const { return parts_.empty(); }
    void undo(Workspace& workspace) override;
    Outcome redo(Workspace& workspace) override;
    std::size_t bytes() const override;
    Page* touched() const override;
    Change changes() const override;

  private:
    std::vector<std::unique_ptr<Command>> parts_;
};

}  // namespace zentil
