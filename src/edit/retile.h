// Giving a page a new tile size, with the old tiles anchored in the new ones.
#pragma once

#include "image/page.h"
#include "system/outcome.h"

namespace zentil {

// The size dialog's alignment choices, by item index.
enum class TileAlign : int { None = 0, Center = 1, Left = 2, Right = 3, Top = 4, Bottom = 5 };

// Without alignment the pixels keep their page positions and the page becomes
// newCols x newRows tiles of the new size. With an alignment every old tile
// (the row padding counts as a partial tile) is placed in its new tile at the
// anchor, and the grid keeps its columns and rows; the column count is then
// taken from the row stride, so very narrow tiles can gain a column.
// The page keeps its mode, name, kind, key and palette; its area layers are
// emptied. Fails, with the page untouched, silently for sizes below 1, with
// a message for a page whose buffer cannot be made.
Outcome retilePage(Page& page, int newTileWidth, int newTileHeight, int newCols, int newRows,
                   TileAlign align);

}  // namespace zentil
