// The block lifted on the canvas: capturePage holds it, captureViewPage holds
// it composed over the page beneath it, which is what a stamp writes.
#pragma once

#include "image/page.h"

namespace zentil {

// Copies the rectangle of whole tiles (left, top, width, height) of `page`
// into capturePage, with the page's tile size and mode, and makes
// captureViewPage of the same size (key only). The page is not changed.
// Gives false when the block cannot be made.
bool liftBlock(const Page& page, int left, int top, int width, int height);

// Composes captureViewPage for the block standing at (left, top) over
// `page`, by the copy mode: 0 the block alone, 1 the block in front of the
// page's pixels, 2 behind them. Gives false, composing nothing, for any other
// mode.
bool composeBlockView(const Page& page, int left, int top, int copyMode);

// Writes captureViewPage, its padding columns and key pixels included, into
// `page` at (left, top).
void stampBlock(Page& page, int left, int top);

// Writes capturePage back at (left, top), opaquely.
void applyBlock(Page& page, int left, int top);

}  // namespace zentil
