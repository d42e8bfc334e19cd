// Painting colour indexes into the pixels of an 8-bit page: a straight line
// and a fill. Only pixels inside the page's width and height are painted,
// never the padding columns; pages of other modes are left alone.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "image/page.h"

namespace zentil {

// The pixels a painting changed, as a rectangle (right and bottom
// exclusive); empty when it changed none.
struct PaintedArea {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool empty() const { return x1 <= x0 || y1 <= y0; }
    void add(int x, int y);
};

// Calls visit(x, y) for every pixel of the 8-connected line from (x0, y0) to
// (x1, y1), both ends included, from the first to the last: the pixels
// nearest the ideal line, one per step along the longer axis.
template <typename Visit>
void forLinePixels(int x0, int y0, int x1, int y1, Visit visit) {
    const std::int64_t dx = std::llabs(std::int64_t{x1} - x0);
    const std::int64_t dy = -std::llabs(std::int64_t{y1} - y0);
    const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    std::int64_t error = dx + dy;
    std::int64_t x = x0, y = y0;
    for (;;) {
        visit(static_cast<int>(x), static_cast<int>(y));
        if (x == x1 && y == y1) return;
        const std::int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

// Paints `index` along the line from (x0, y0) to (x1, y1), both ends included.
PaintedArea paintLine(Page& page, int x0, int y0, int x1, int y1, std::uint8_t index);

// Gives the 4-connected region of pixels of the same index as (x, y) the
// index `index`, row span by row span (no recursion, whatever the region's
// size). Nothing happens for a pixel outside the page or of that index already.
PaintedArea fillRegion(Page& page, int x, int y, std::uint8_t index);

}  // namespace zentil
