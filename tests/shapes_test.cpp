// Rectangles and ellipses of a two-point drag against a plain model that
// tests every pixel by itself, and where Shift puts the drag's end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "edit/shapes.h"

namespace zentil {
namespace {

// The model: whether pixel (x, y) belongs to the filled shape. An ellipse
// takes the pixels whose centre lies inside or on the ellipse touching the
// middle of each side of the box, or that lie in the box's middle row or
// column; in half pixels from the box's middle (u, v), the ellipse is
// u² h² + v² w² <= w² h² for a box of w x h pixels.
bool inFilled(const Shape& s, int x, int y) {
    const int left = std::min(s.from.x, s.to.x), top = std::min(s.from.y, s.to.y);
    const long long w = std::abs(s.to.x - s.from.x) + 1, h = std::abs(s.to.y - s.from.y) + 1;
    if (x < left || y < top || x >= left + w || y >= top + h) return false;
    if (s.kind == ShapeKind::Rectangle) return true;
    const long long u = 2 * (x - left) - (w - 1), v = 2 * (y - top) - (h - 1);
    return u * u * h * h + v * v * w * w <= w * w * h * h || std::llabs(u) <= 1 ||
           std::llabs(v) <= 1;
}

// An outline keeps the pixels with a neighbour (left, right, up, down) outside.
bool inShape(const Shape& s, int x, int y) {
    if (!inFilled(s, x, y)) return false;
    if (s.filled) return true;
    return !inFilled(s, x - 1, y) || !inFilled(s, x + 1, y) || !inFilled(s, x, y - 1) ||
           !inFilled(s, x, y + 1);
}

Page blank(int w, int h) {
    Page page;
    createSinglePage(page, w, h, kMode8);
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.stride; ++x)
            putPixel(page, x, y, x < w ? 1 : 200);
    return page;
}

std::string describe(const Shape& s) {
    return std::string(s.kind == ShapeKind::Rectangle ? "rectangle" : "ellipse") +
           (s.filled ? " filled " : " outline ") + std::to_string(s.from.x) + "," +
           std::to_string(s.from.y) + " to " + std::to_string(s.to.x) + "," +
           std::to_string(s.to.y);
}

// The runs of a shape cover exactly the model's pixels, each once, on every
// row in and around the box; painted into a page they change exactly those
// inside the page's width and height.
void expectModel(const Shape& s, Page& page) {
    SCOPED_TRACE(describe(s));
    const PixelRect box = shapeBox(s);
    std::vector<int> covered(static_cast<std::size_t>(box.w + 2) * (box.h + 2), 0);
    forShapeRuns(s, box.y - 1, box.y + box.h, [&](int y, int left, int right) {
        ASSERT_LE(left, right);
        for (int x = left; x <= right; ++x) {
            ASSERT_TRUE(x >= box.x && x < box.x + box.w && y >= box.y && y < box.y + box.h);
            ++covered[static_cast<std::size_t>(y - box.y + 1) * (box.w + 2) + (x - box.x + 1)];
        }
    });
    for (int y = box.y - 1; y <= box.y + box.h; ++y)
        for (int x = box.x - 1; x <= box.x + box.w; ++x)
            ASSERT_EQ(
                covered[static_cast<std::size_t>(y - box.y + 1) * (box.w + 2) + (x - box.x + 1)],
                inShape(s, x, y) ? 1 : 0)
                << x << "," << y;

    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.stride; ++x)
            putPixel(page, x, y, x < page.width ? 1 : 200);
    const PaintedArea area = paintShape(page, s, 7);
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.stride; ++x) {
            const bool painted = x < page.width && inShape(s, x, y);
            ASSERT_EQ(pixelAt(page, x, y), painted          ? 7u
                                           : x < page.width ? 1u
                                                            : 200u)
                << x << "," << y;
            if (painted) {
                EXPECT_TRUE(x >= area.x0 && x < area.x1 && y >= area.y0 && y < area.y1);
            }
        }
}

// Every box of 1 to 13 pixels a side, dragged each of four ways, both kinds,
// outlined and filled; boxes standing over each edge of the page; boxes made
// square by Shift.
TEST(ShapesTest, EveryShapeEqualsTheModel) {
    Page page = blank(30, 22);  // rows of 32 with the padding
    for (const ShapeKind kind : {ShapeKind::Rectangle, ShapeKind::Ellipse})
        for (const bool filled : {false, true}) {
            for (int w = 1; w <= 13; ++w)
                for (int h = 1; h <= 13; ++h)
                    for (const bool flipX : {false, true})
                        for (const bool flipY : {false, true}) {
                            const DragPoint a{4, 5}, b{4 + w - 1, 5 + h - 1};
                            expectModel({kind,
                                         filled,
                                         {flipX ? b.x : a.x, flipY ? b.y : a.y},
                                         {flipX ? a.x : b.x, flipY ? a.y : b.y}},
                                        page);
                        }
            const struct {
                DragPoint from, to;
            } clipped[] = {
                {{-6, -4}, {5, 6}},    {{24, 3}, {37, 12}},  {{10, 15}, {21, 29}},
                {{-9, 8}, {40, 14}},   {{-3, -50}, {3, 60}}, {{-20, -20}, {50, 41}},
                {{35, 2}, {44, 9}},    {{0, 0}, {29, 21}},   {{29, 21}, {0, 0}},
                {{-100, 3}, {100, 4}}, {{12, -1}, {13, 22}},
            };
            for (const auto& c : clipped)
                expectModel({kind, filled, c.from, c.to}, page);
            const DragPoint anchor{14, 10};
            for (const DragPoint pointer :
                 {DragPoint{20, 12}, DragPoint{16, 19}, DragPoint{8, 7}, DragPoint{11, 2},
                  DragPoint{14, 3}, DragPoint{25, 10}, DragPoint{14, 10}, DragPoint{3, 30}}) {
                const DragPoint end = squareEnd(anchor, pointer);
                EXPECT_EQ(std::abs(end.x - anchor.x), std::abs(end.y - anchor.y));
                expectModel({kind, filled, anchor, end}, page);
            }
        }
}

// The rule itself, drawn: the small circles a pixel artist draws by hand, and
// flat ellipses that still reach the ends of their box.
TEST(ShapesTest, SmallEllipsesLookAsDrawnByHand) {
    const struct {
        int w, h;
        bool filled;
        std::vector<std::string> rows;
    } pictures[] = {
        {5, 5, false, {".###.", "#...#", "#...#", "#...#", ".###."}},
        {4, 4, true, {".##.", "####", "####", ".##."}},
        {7,
         7,
         false,
         {"..###..", ".#...#.", "#.....#", "#.....#", "#.....#", ".#...#.", "..###.."}},
        {8,
         8,
         false,
         {"..####..", ".#....#.", "#......#", "#......#", "#......#", "#......#", ".#....#.",
          "..####.."}},
        {9, 2, false, {"#########", "#########"}},
        {11, 3, true, {".#########.", "###########", ".#########."}},
        {1, 4, false, {"#", "#", "#", "#"}},
    };
    for (const auto& p : pictures) {
        const Shape s{ShapeKind::Ellipse, p.filled, {0, 0}, {p.w - 1, p.h - 1}};
        std::vector<std::string> drawn(static_cast<std::size_t>(p.h), std::string(p.w, '.'));
        forShapeRuns(s, 0, p.h - 1, [&](int y, int left, int right) {
            for (int x = left; x <= right; ++x)
                drawn[y][x] = '#';
        });
        EXPECT_EQ(drawn, p.rows) << p.w << "x" << p.h;
    }
}

TEST(ShapesTest, ShiftPutsTheEndOnASquareOrAnEighthOfATurn) {
    const struct {
        DragPoint to, square, line;
    } cases[] = {
        {{10, 0}, {10, 10}, {10, 0}},    // level: a square downward
        {{10, 3}, {10, 10}, {10, 0}},    // under 22.5 degrees: level
        {{10, 5}, {10, 10}, {10, 10}},   // over it: diagonal, as far as the larger
        {{4, 9}, {9, 9}, {9, 9}},        // under 67.5 degrees: diagonal
        {{3, 9}, {9, 9}, {0, 9}},        // over it: plumb
        {{-7, -2}, {-7, -7}, {-7, 0}},   // and in the other quarters
        {{-4, 12}, {-12, 12}, {0, 12}},  //
        {{6, -6}, {6, -6}, {6, -6}},     // exactly diagonal
        {{0, 0}, {0, 0}, {0, 0}},        // no drag at all
        {{0, -4}, {4, -4}, {0, -4}},     // plumb: a square to the right
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.to.x << "," << c.to.y);
        EXPECT_EQ(squareEnd({0, 0}, c.to), c.square);
        EXPECT_EQ(snappedLineEnd({0, 0}, c.to), c.line);
        // The same from anywhere else.
        const DragPoint from{-40, 17};
        const DragPoint moved{c.to.x - 40, c.to.y + 17};
        EXPECT_EQ(snappedLineEnd(from, moved), (DragPoint{c.line.x - 40, c.line.y + 17}));
    }
    // Far beyond any page, without overflow.
    EXPECT_EQ(squareEnd({INT32_MAX, 0}, {INT32_MAX - 1, 1 << 30}),
              (DragPoint{INT32_MAX - (1 << 30), 1 << 30}));
}

}  // namespace
}  // namespace zentil
