// Setting and clearing the per-tile rectangles of an area layer.
#pragma once

#include "image/page.h"

namespace zentil {

// Which entries an edit reaches: the tile alone, its row of tiles, or all.
inline constexpr int kAreaScopeOne = 0;
inline constexpr int kAreaScopeRow = 1;
inline constexpr int kAreaScopeAll = 2;

// Gives every entry of the scope around tile `tile` in layer `layer` (1 to 5)
// the rectangle `rect`; only tiles 0 to 999 have entries.
void setAreaEntries(Page& page, int layer, int scope, int tile, const AreaRect& rect);
// Marks the same entries unset.
void clearAreaEntries(Page& page, int layer, int scope, int tile);

}  // namespace zentil
