// The block lifted on the canvas: the tiles it holds, the same tiles composed
// over the page beneath them (which is what a stamp writes), and the place it
// was lifted from (where the write-back puts it).
#pragma once

#include "image/page.h"
#include "system/outcome.h"

namespace zentil {

struct LiftedBlock {
    Page block;
    Page view;
    int originX = 0;
    int originY = 0;
};

// Copies the rectangle of whole tiles (left, top, width, height) of `page`
// into `lifted.block`, with the page's tile size and mode, and makes its view
// of the same size (key only). The page is not changed. On failure `lifted`
// may hold a partial block; the caller drops it.
Outcome liftBlock(LiftedBlock& lifted, const Page& page, int left, int top, int width, int height,
                  const PageDefaults& defaults);

// Composes the view of the block standing at (left, top) over `page`, by the
// copy mode: 0 the block alone, 1 the block in front of the page's pixels, 2
// behind them. Fails, composing nothing, for any other mode.
Outcome composeBlockView(LiftedBlock& lifted, const Page& page, int left, int top, int copyMode);

// Writes the view, its padding columns and key pixels included, into `page`
// at (left, top).
Outcome stampBlock(Page& page, const LiftedBlock& lifted, int left, int top);

// Writes the block back where it was lifted, opaquely.
Outcome applyBlock(Page& page, const LiftedBlock& lifted);

}  // namespace zentil
