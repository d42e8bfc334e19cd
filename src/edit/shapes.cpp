#include "edit/shapes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zentil {
namespace {

// The box's left or top edge and its size on one axis, wide enough for any
// two ints.
struct Span {
    std::int64_t start, size;
};

Span spanOf(int a, int b) {
    return {std::min(a, b), std::llabs(std::int64_t{b} - a) + 1};
}

// Towards `to` from `from` by `distance`; level counts as forward.
int toward(int from, int to, std::int64_t distance) {
    const std::int64_t end = to < from ? from - distance : from + distance;
    return static_cast<int>(std::clamp<std::int64_t>(end, INT32_MIN, INT32_MAX));
}

// The largest whole number whose square is at most `n`.
std::uint64_t squareRootFloor(std::uint64_t n) {
    auto root = static_cast<std::uint64_t>(std::sqrt(static_cast<long double>(n)));
    while (root > 0 && static_cast<unsigned __int128>(root) * root > n)
        --root;
    while (static_cast<unsigned __int128>(root + 1) * (root + 1) <= n)
        ++root;
    return root;
}

// The largest distance from the middle, in half pixels, of a pixel centre of
// a row of the ellipse: the row lies `v` half pixels from the box's middle,
// the box is `w` x `h` pixels. Centres lie an odd number of half pixels from
// the middle for an even width and an even number for an odd one.
std::int64_t ellipseReach(std::int64_t v, std::int64_t w, std::int64_t h) {
    const std::int64_t parity = (w - 1) % 2;
    // The middle row (two rows for an even height) spans the whole box.
    if (std::llabs(v) <= 1) return w - 1;
    // u² h² + v² w² <= w² h², in half pixels: u² <= w² (h² - v²) / h².
    using Wide = unsigned __int128;
    const Wide h2 = static_cast<Wide>(h) * static_cast<Wide>(h);
    const Wide rest = h2 - static_cast<Wide>(v) * static_cast<Wide>(v);
    const Wide limit =
        std::min<Wide>(static_cast<Wide>(w) * static_cast<Wide>(w) * rest / h2, UINT64_MAX);
    auto u = static_cast<std::int64_t>(squareRootFloor(static_cast<std::uint64_t>(limit)));
    if ((u - parity) % 2 != 0) --u;
    // The middle column (two for an even width) spans the whole box.
    return std::clamp(u, parity, w - 1);
}

}  // namespace

DragPoint squareEnd(DragPoint anchor, DragPoint to) {
    const std::int64_t side = std::max(std::llabs(std::int64_t{to.x} - anchor.x),
                                       std::llabs(std::int64_t{to.y} - anchor.y));
    return {toward(anchor.x, to.x, side), toward(anchor.y, to.y, side)};
}

DragPoint snappedLineEnd(DragPoint anchor, DragPoint to) {
    const std::int64_t dx = std::llabs(std::int64_t{to.x} - anchor.x);
    const std::int64_t dy = std::llabs(std::int64_t{to.y} - anchor.y);
    // Nearer level than diagonal: the angle is under 22.5 degrees, that is
    // dy < (sqrt 2 - 1) dx, or (dx + dy)² < 2 dx² (exact in whole numbers;
    // the two are never equal but at the anchor).
    const auto sum =
        static_cast<unsigned __int128>(dx + dy) * static_cast<unsigned __int128>(dx + dy);
    if (sum < 2 * static_cast<unsigned __int128>(dx) * static_cast<unsigned __int128>(dx))
        return {to.x, anchor.y};
    if (sum < 2 * static_cast<unsigned __int128>(dy) * static_cast<unsigned __int128>(dy))
        return {anchor.x, to.y};
    return squareEnd(anchor, to);
}

PixelRect shapeBox(const Shape& shape) {
    const Span x = spanOf(shape.from.x, shape.to.x), y = spanOf(shape.from.y, shape.to.y);
    // Sizes beyond an int are cut: no page is that large.
    const auto cut = [](std::int64_t size) {
        return static_cast<int>(std::min<std::int64_t>(size, INT32_MAX));
    };
    return {static_cast<int>(x.start), static_cast<int>(y.start), cut(x.size), cut(y.size)};
}

ShapeRun filledRun(const Shape& shape, int y) {
    const Span across = spanOf(shape.from.x, shape.to.x), down = spanOf(shape.from.y, shape.to.y);
    const std::int64_t row = std::int64_t{y} - down.start;
    if (row < 0 || row >= down.size) return {};
    const std::int64_t right = across.start + across.size - 1;
    if (shape.kind == ShapeKind::Rectangle)
        return {static_cast<int>(across.start), static_cast<int>(right)};
    const std::int64_t reach = ellipseReach(2 * row - (down.size - 1), across.size, down.size);
    const std::int64_t margin = (across.size - 1 - reach) / 2;
    return {static_cast<int>(across.start + margin), static_cast<int>(right - margin)};
}

PaintedArea paintShape(Page& page, const Shape& shape, std::uint8_t index) {
    PaintedArea area;
    if (page.mode != kMode8 || !page.pixels8 || page.width <= 0) return area;
    forShapeRuns(shape, 0, page.height - 1, [&](int y, int left, int right) {
        std::uint8_t* row = page.pixels8.get() + static_cast<std::size_t>(y) * page.stride;
        for (int x = std::max(left, 0), end = std::min(right, page.width - 1); x <= end; ++x) {
            if (row[x] == index) continue;
            row[x] = index;
            area.add(x, y);
        }
    });
    return area;
}

}  // namespace zentil
