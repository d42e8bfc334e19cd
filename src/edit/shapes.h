// The shapes a two-point drag paints into an 8-bit page: rectangles and
// ellipses, outlined or filled, in the box between the drag's two ends; and
// where Shift puts the drag's end (a square box, a line at 0, 45 or 90
// degrees).
//
// A shape is a set of whole pixels, given row by row as runs:
// - a filled rectangle is every pixel of its box;
// - a filled ellipse is every pixel of its box whose centre lies inside or
//   on the ellipse that touches the middle of each side of the box (semi-axes
//   half the box's width and height, measured between pixel edges), together
//   with the box's middle row and column (two of each for an even size), so
//   that the ellipse reaches all four sides of its box however flat it is;
// - an outline is the pixels of the filled shape that have a neighbour to the
//   left, right, above or below outside it: one pixel wide, 8-connected.
// A box one pixel wide or high is a line; one pixel, a dot.
#pragma once

#include <algorithm>
#include <cstdint>

#include "edit/paint.h"
#include "image/pixel_rect.h"

namespace zentil {

enum class ShapeKind : std::uint8_t { Rectangle, Ellipse };

struct DragPoint {
    int x = 0, y = 0;
    friend bool operator==(const DragPoint&, const DragPoint&) = default;
};

struct Shape {
    ShapeKind kind = ShapeKind::Rectangle;
    bool filled = false;
    // Two opposite corners of the box, both inside it, in either order.
    DragPoint from, to;
};

// The end of a drag from `anchor` toward `to` whose box is a square: as far
// on both axes as the larger of the two distances, each toward the pointer
// (right or down where the pointer is level with the anchor).
DragPoint squareEnd(DragPoint anchor, DragPoint to);

// The end of a line from `anchor` at 0, 45 or 90 degrees, whichever lies
// nearest the pointer's direction: level or plumb at the pointer's distance
// on that axis, diagonal as far as the larger distance.
DragPoint snappedLineEnd(DragPoint anchor, DragPoint to);

// The shape's box (empty for none), in page pixels.
PixelRect shapeBox(const Shape& shape);

// The run of the filled shape on row `y`: columns [left, right], both
// included; empty when the row is outside the box.
struct ShapeRun {
    int left = 0, right = -1;
    bool empty() const { return right < left; }
};
ShapeRun filledRun(const Shape& shape, int y);

// Calls visit(y, left, right) for each run of the shape's pixels (right
// included) on the rows from `firstRow` to `lastRow`, top to bottom, left to
// right; at most two runs a row.
template <typename Visit>
void forShapeRuns(const Shape& shape, int firstRow, int lastRow, Visit visit) {
    const PixelRect box = shapeBox(shape);
    const std::int64_t first = std::max<std::int64_t>(firstRow, box.y);
    const std::int64_t last = std::min<std::int64_t>(lastRow, std::int64_t{box.y} + box.h - 1);
    for (std::int64_t row = first; row <= last; ++row) {
        const int y = static_cast<int>(row);
        const ShapeRun run = filledRun(shape, y);
        if (run.empty()) continue;
        if (shape.filled) {
            visit(y, run.left, run.right);
            continue;
        }
        // Inside the outline: the pixels whose four neighbours all belong.
        const ShapeRun above = filledRun(shape, y - 1), below = filledRun(shape, y + 1);
        const int innerLeft = std::max({run.left + 1, above.left, below.left});
        const int innerRight = std::min({run.right - 1, above.right, below.right});
        if (above.empty() || below.empty() || innerLeft > innerRight) {
            visit(y, run.left, run.right);
            continue;
        }
        visit(y, run.left, innerLeft - 1);
        visit(y, innerRight + 1, run.right);
    }
}

// Paints `index` into the shape's pixels inside the page's width and height.
PaintedArea paintShape(Page& page, const Shape& shape, std::uint8_t index);

}  // namespace zentil
