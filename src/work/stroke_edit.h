// One press-drag-release on a page as one step of the history: every edit the
// press makes (a stamp at each tile the pointer reaches) joins the step, and
// the step keeps each pixel it changed once, however often it was painted.
#pragma once

#include <memory>

#include "work/page_edits.h"

namespace zentil {

// The side of the square cells a stroke keeps a page's old pixels in. A cell
// is kept the first time an edit of the stroke changes a pixel in it.
inline constexpr int kStrokeCell = 64;

// Runs `edit`, which changes no pixel outside `rect`, as a part of stroke
// number `stroke` (numbers above 0; the history joins the parts of one
// number into one step). Gives the part, keeping the cells whose pixels the
// edit changed as they were before it; nullptr with a done `outcome` when the
// edit changed nothing (pixels, palette and key), nullptr with the failure
// when it failed (the page is then as it was).
std::unique_ptr<Command> strokeEdit(Workspace& workspace, Page& page, PixelRect rect,
                                    const PageEdit& edit, Outcome& outcome, int stroke);

}  // namespace zentil
