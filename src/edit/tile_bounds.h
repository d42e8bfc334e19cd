// The smallest rectangle holding a tile's non-transparent pixels, widened so
// that one of its rows fills whole 4-byte words.
#pragma once

#include <cstdint>

#include "image/page.h"

namespace zentil {

// Relative to the tile's top-left corner.
struct TileRect {
    std::uint16_t x = 0;
    std::uint16_t y = 0;
    std::uint16_t w = 0;
    std::uint16_t h = 0;
    friend bool operator==(const TileRect&, const TileRect&) = default;
};

// The box of every pixel of tile `tileIndex` that differs from the page's key,
// then widened to the left while it can and to the right after that until
// w x bytes-per-pixel is a multiple of 4. An all-transparent tile gives
// (0, 0, 0, 0). Tiles wider than 65532 or taller than 65535 pixels cannot be described;
// gives false for them and for a tile index outside the page.
bool tileBounds(const Page& page, int tileIndex, TileRect& rect);

}  // namespace zentil
