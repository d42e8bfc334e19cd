// What every canvas tool asks of the window it works in.
#pragma once

#include <memory>

#include "work/command.h"

namespace zentil {

class Workspace;

class CanvasToolHost {
  public:
    virtual ~CanvasToolHost() = default;
    virtual Workspace& workspace() = 0;
    // Records an edit as a step of the history (nullptr records nothing) and
    // lets the views follow it.
    virtual void record(std::unique_ptr<Command> command) = 0;
    // The press that joined edits into one step is over.
    virtual void closeStep() = 0;
    // Takes back and forgets the step of the press under way, the one first
    // recorded with `edit`, as if the press had never been.
    virtual void dropStep(const Command* edit) = 0;
    virtual void report(const Outcome& outcome) = 0;
    // The status panels for a page pixel of the current page.
    virtual void showPixelInfo(int x, int y) = 0;
    // False for a moment after a file command, while presses are ignored.
    virtual bool acceptsClicks() const = 0;
    // A number for the edits of one press, which the history joins into one
    // step; no two presses of any tool get the same.
    int nextStroke() { return ++strokes_; }

  private:
    int strokes_ = 0;
};

}  // namespace zentil
