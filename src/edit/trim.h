// Trimming the transparent border that all tiles of a page share.
#pragma once

#include "image/page.h"
#include "system/outcome.h"

namespace zentil {

// Builds in `dst` the page of `src`'s tiles cut to the smallest common size
// that keeps every non-transparent pixel of every tile: the same number of
// columns off both sides (the smaller empty margin), the width then rounded
// up to a multiple of 4, and exactly the empty rows above and below. `dst`
// keeps `src`'s mode, grid, key and palette. `dst` may be `src`.
// Fails, leaving `dst` untouched, silently when every tile is entirely
// transparent (there is nothing to keep), with a message when the result
// cannot be made.
Outcome trimTiles(Page& dst, const Page& src);

}  // namespace zentil
