// Re-laying out a page's tiles into another number of columns.
#pragma once

#include "image/page.h"
#include "system/outcome.h"

namespace zentil {

// The smallest row count that holds `tileCount` tiles in `cols` columns.
int rowsForColumns(int tileCount, int cols);

// Moves the tiles, in reading order, into a grid of `newCols` columns and as
// few rows as hold them all. Cells past the last tile take the default key of
// the mode; the page keeps its key, palette, kind and name, and its area
// layers are emptied. Fails, with the page untouched, for fewer than one
// column or a grid whose buffer cannot be made.
Outcome relayoutColumns(Page& page, int newCols, const PageDefaults& defaults);

}  // namespace zentil
