// Lines and fills painted into 8-bit pages, against plain references.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <deque>
#include <random>
#include <vector>

#include "edit/blit.h"
#include "edit/paint.h"

namespace zentil {
namespace {

// A page of `w` x `h` (stride rounded up) with the padding at 200.
Page blank(int w, int h, std::uint8_t value) {
    Page page;
    createSinglePage(page, w, h, kMode8);
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.stride; ++x)
            putPixel(page, x, y, x < w ? value : 200);
    return page;
}

// Every line runs 8-connected from its first end to its last, one pixel per
// step of the longer axis, never more than half a pixel off the ideal line;
// only pixels inside the page's width and height change.
TEST(PaintTest, LinesInEveryOctantAndAcrossTheEdges) {
    const struct {
        int x0, y0, x1, y1;
    } lines[] = {
        {5, 5, 25, 9},   {5, 5, 9, 25},     {25, 5, 5, 9},     {9, 5, 5, 25},   {5, 25, 25, 21},
        {5, 25, 9, 5},   {25, 25, 5, 21},   {25, 25, 21, 5},   {3, 3, 3, 3},    {0, 10, 29, 10},
        {12, 0, 12, 29}, {-40, -7, 45, 33}, {29, 29, 200, 31}, {-5, 14, -1, 2},
    };
    for (const auto& l : lines) {
        SCOPED_TRACE(::testing::Message() << l.x0 << "," << l.y0 << " to " << l.x1 << "," << l.y1);
        std::vector<std::pair<int, int>> visited;
        forLinePixels(l.x0, l.y0, l.x1, l.y1, [&](int x, int y) { visited.emplace_back(x, y); });
        const int dx = l.x1 - l.x0, dy = l.y1 - l.y0;
        ASSERT_EQ(visited.size(),
                  static_cast<std::size_t>(std::max(std::abs(dx), std::abs(dy))) + 1);
        EXPECT_EQ(visited.front(), std::make_pair(l.x0, l.y0));
        EXPECT_EQ(visited.back(), std::make_pair(l.x1, l.y1));
        const double length = std::hypot(dx, dy);
        for (std::size_t i = 0; i < visited.size(); ++i) {
            const auto [x, y] = visited[i];
            if (i > 0) {
                EXPECT_LE(std::abs(x - visited[i - 1].first), 1);
                EXPECT_LE(std::abs(y - visited[i - 1].second), 1);
            }
            if (length > 0) {
                // Off the ideal line along the shorter axis by at most half a pixel.
                const double across = std::abs((x - l.x0) * dy - (y - l.y0) * dx) / length;
                const double along = std::max(std::abs(dx), std::abs(dy)) / length;
                EXPECT_LE(across, 0.5 * along + 1e-9);
            }
        }
        Page page = blank(30, 30, 1);
        const PaintedArea area = paintLine(page, l.x0, l.y0, l.x1, l.y1, 7);
        for (int y = 0; y < page.height; ++y)
            for (int x = 0; x < page.stride; ++x) {
                const bool onLine = x < 30 && std::find(visited.begin(), visited.end(),
                                                        std::make_pair(x, y)) != visited.end();
                ASSERT_EQ(pixelAt(page, x, y), onLine ? 7u : x < 30 ? 1u : 200u) << x << "," << y;
                if (onLine) {
                    EXPECT_TRUE(x >= area.x0 && x < area.x1 && y >= area.y0 && y < area.y1);
                }
            }
    }
}

// Fills of random shapes with holes, started anywhere, equal a plain
// breadth-first fill; the padding columns are never reached.
TEST(PaintTest, FillsEqualAPlainFloodFill) {
    std::mt19937 rng(5);
    for (int round = 0; round < 300; ++round) {
        const int w = 1 + static_cast<int>(rng() % 70), h = 1 + static_cast<int>(rng() % 40);
        Page page = blank(w, h, 0);
        // Blobs and lines of a few indexes: many regions, holes, thin walls.
        const int colours = 2 + static_cast<int>(rng() % 3);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                putPixel(page, x, y, (rng() % 5 < 3) ? 0 : rng() % colours);
        const int sx = static_cast<int>(rng() % w), sy = static_cast<int>(rng() % h);
        const std::uint8_t value = static_cast<std::uint8_t>(rng() % (colours + 1));

        Page expected = blank(w, h, 0);
        copyPageRect(expected, 0, 0, page, 0, 0, page.stride, page.height);
        const std::uint32_t target = pixelAt(expected, sx, sy);
        if (target != value) {
            std::deque<std::pair<int, int>> queue{{sx, sy}};
            putPixel(expected, sx, sy, value);
            while (!queue.empty()) {
                const auto [x, y] = queue.front();
                queue.pop_front();
                for (const auto& [nx, ny] : {std::pair{x - 1, y}, std::pair{x + 1, y},
                                             std::pair{x, y - 1}, std::pair{x, y + 1}})
                    if (nx >= 0 && ny >= 0 && nx < w && ny < h &&
                        pixelAt(expected, nx, ny) == target) {
                        putPixel(expected, nx, ny, value);
                        queue.emplace_back(nx, ny);
                    }
            }
        }
        fillRegion(page, sx, sy, value);
        for (int y = 0; y < h; ++y)
            ASSERT_EQ(0, std::memcmp(pixelBytes(page) + y * page.stride,
                                     pixelBytes(expected) + y * page.stride, page.stride))
                << "round " << round << " row " << y;
    }
    // Outside the page, nothing.
    Page page = blank(10, 10, 3);
    EXPECT_TRUE(fillRegion(page, 10, 2, 4).empty());
    EXPECT_TRUE(fillRegion(page, -1, 2, 4).empty());
    const PaintedArea all = fillRegion(page, 4, 4, 4);
    EXPECT_EQ(all.x0, 0);
    EXPECT_EQ(all.x1, 10);
    EXPECT_EQ(all.y1, 10);
    EXPECT_EQ(pixelAt(page, 10, 0), 200u);
}

}  // namespace
}  // namespace zentil
