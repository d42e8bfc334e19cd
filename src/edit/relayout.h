// Re-laying out a page's tiles into another number of columns.
#pragma once

#include "image/page.h"

namespace zentil {

// The smallest row count that holds `tileCount` tiles in `cols` columns.
int rowsForColumns(int tileCount, int cols);

// Moves the tiles, in reading order, into a grid of `newCols` columns and as
// few rows as hold them all. Cells past the last tile take the default key of
// the mode; the page keeps its key, palette, kind and name, and its area
// layers are emptied. The canvas is scrolled home and redrawn.
// Gives false, with a message and the page untouched, for fewer than one
// column or a grid whose buffer cannot be made.
bool relayoutColumns(Page& page, int newCols);

}  // namespace zentil
