// What the page operations take besides the pages: plain values, which the
// dialogs hand back as they were filled in. Nothing here knows the workspace.
#pragma once

#include <cstdint>

#include "edit/retile.h"

namespace zentil {

// A new 8-bit sprite page: a grid of tiles, filled with the key, which is
// also the page's colour key.
struct NewImage {
    int cols = 1;
    int rows = 1;
    int tileWidth = 100;
    int tileHeight = 100;
    std::uint8_t key = 0;
};

// A new tile grid for pages, with or without an alignment of the old tiles
// in the new ones (the counts are used without one only).
struct TileGrid {
    int tileWidth = 0;
    int tileHeight = 0;
    int cols = 0;
    int rows = 0;
    TileAlign align = TileAlign::None;
};

// One colour value replaced by another, or by a similar colour the page
// offers, in each page's own mode.
struct ColourChange {
    std::uint32_t from = 0;
    std::uint32_t to = 0;
    bool similar = false;
};

}  // namespace zentil
