// Moving a whole page (or the lifted block) one pixel in one of eight directions.
#pragma once

#include "image/page.h"
#include "system/outcome.h"

namespace zentil {

enum class Nudge { LeftUp, Up, RightUp, Right, RightDown, Down, LeftDown, Left };

// Shifts every pixel of the buffer, padding included, one step; the row or
// column pushed over the edge is lost and the one left behind takes the key.
Outcome nudgePage(Page& page, Nudge direction);

}  // namespace zentil
