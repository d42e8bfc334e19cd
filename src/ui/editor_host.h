// What the dialogs may ask of the main window: the workspace, the selected
// pages, recording an edit as a step of the history, and showing pages and
// messages. The dialogs know nothing else of it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "work/command.h"
#include "work/workspace.h"

class QWidget;

namespace zentil {

class EditorHost {
  public:
    virtual ~EditorHost() = default;

    // The window the dialogs are centred over and that they disable.
    virtual QWidget* hostWindow() = 0;
    virtual Workspace& workspace() = 0;
    // Rows of the selected entries of a list, ascending.
    virtual std::vector<int> selectedRows(ListId list) const = 0;
    // Records an edit already done as one step of the history (nullptr, an
    // edit that changed nothing, records nothing).
    virtual void record(std::unique_ptr<Command> command) = 0;
    // Shows a failure that has something to tell.
    virtual void report(const Outcome& outcome) = 0;
    // Shows the active list's current entry again, as a click on the list does.
    virtual void showCurrent() = 0;
    // Makes `row` the only selected entry of the list and its current entry
    // (an entry that no longer exists leaves nothing selected), then shows
    // the list's current entry.
    virtual void showOnly(ListId list, int row) = 0;
    // Hides the outline of a block being dragged out.
    virtual void dropOutline() = 0;
    // Shows `key` in the panel of the current key.
    virtual void showKeyPanel(std::uint32_t key) = 0;
    // Screen pixels per page pixel on the canvas.
    virtual int canvasZoom() const { return 1; }

    // The pages of the selected entries, in list order.
    std::vector<Page*> selectedPages(ListId list);
};

}  // namespace zentil
