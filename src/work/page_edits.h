// Commands that change pages in place: the pixels of a rectangle with the
// palette and key (stamps, the write-back of a nudged block, clearing,
// colour replacement, keys, palettes), a nudge of a whole page, and rebuilds
// that change a page's size (re-layout, resizing, trimming).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "edit/nudge.h"
#include "work/command.h"
#include "work/page_patch.h"

namespace zentil {

using PageEdit = std::function<Outcome(Page&)>;

// Runs `edit` on `page`, keeping the pixels of `rect` (the edit must change
// none outside it) and the palette and key; of them only the rectangle
// around what the edit changed stays kept. Gives the command, or nullptr:
// when the edit changed nothing, or with `outcome` saying why when it failed
// (the page is then as it was). The edits of a press-drag-release go through
// strokeEdit instead.
std::unique_ptr<Command> editRect(Workspace& workspace, Page& page, PixelRect rect,
                                  const PageEdit& edit, Outcome& outcome);

// Runs an edit that may change any pixel but not the page's size; only the
// rectangle around what it did change is kept. Gives nullptr when the edit
// failed or changed nothing.
std::unique_ptr<Command> editPixels(Workspace& workspace, Page& page, const PageEdit& edit,
                                    Outcome& outcome);

// Moves the page one pixel; only the row and column pushed off are kept.
std::unique_ptr<Command> nudgePageStep(Workspace& workspace, Page& page, Nudge direction,
                                       Outcome& outcome);

// Runs an edit that rebuilds the page (a new size or grid); the old page is kept.
std::unique_ptr<Command> rebuildPage(Workspace& workspace, Page& page, const PageEdit& edit,
                                     Outcome& outcome);

// Makes `palette` the palette of the sprite pages and gives it to each of
// them that the editor made (kind 102), as a palette file applied does. With
// `paletteFile`, that file becomes the one the next start reads; undo and
// redo take it back and forth with the colours.
std::unique_ptr<Command> applySpritePalette(
    Workspace& workspace, const Palette& palette,
    const std::optional<std::string>& paletteFile = std::nullopt);

}  // namespace zentil
