// A sprite sheet cut into tiles in one step: a picture whose tiles stand on
// a grid, with a margin around them and spacing between them, becomes one
// sprite page of those tiles side by side, laid out as they stood.
#pragma once

#include "work/page_operations.h"

namespace zentil {

// Where the tiles of a sheet stand: their size, the margin before the first
// column and row, and the spacing between tiles.
struct SheetCut {
    int tileWidth = 32;
    int tileHeight = 32;
    int margin = 0;
    int spacing = 0;
    bool operator==(const SheetCut&) const = default;
};

// The whole tiles a sheet of `width` x `height` holds across and down; none
// when the cut is not a sensible one (a tile of no size, a negative margin
// or spacing).
struct SheetGrid {
    int across = 0;
    int down = 0;
    bool empty() const { return across <= 0 || down <= 0; }
};
SheetGrid sheetGrid(int width, int height, const SheetCut& cut);

// One sprite page of the sheet's whole tiles, called "NoName" and its
// place, in the picture's mode and with its key, as one step; like every
// sprite page it shows the sprite palette. A cut that
// holds no whole tile makes nothing and says so.
OperationResult importSheet(Workspace& workspace, const Page& sheet, const SheetCut& cut);

}  // namespace zentil
