#include "edit/tile_bounds.h"
#include "test_support.h"

namespace zentil {
namespace {

using test::CoreTest;

struct BoundsCase {
    const char* what;
    int mode;
    std::vector<std::pair<int, int>> pixels;  // non-transparent pixels inside tile 1
    TileRect expected;
};

class TileBoundsTest : public CoreTest, public ::testing::WithParamInterface<BoundsCase> {};

TEST_P(TileBoundsTest, FindsAndWidensTheBox) {
    const BoundsCase& c = GetParam();
    // Three tiles of 10 x 9 in a row; the neighbours are full of colour so that
    // they would show if the scan strayed outside tile 1.
    Page page;
    ASSERT_TRUE(createPage(page, 10, 3, 9, 1, c.mode));
    setColorKey(page, 0);
    clearPage(page);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 10; ++x) {
            putPixel(page, x, y, 0x11);
            putPixel(page, 20 + x, y, 0x11);
        }
    for (auto [x, y] : c.pixels)
        putPixel(page, 10 + x, y, 0x22);
    TileRect r;
    ASSERT_TRUE(tileBounds(page, 1, r));
    EXPECT_EQ(r, c.expected) << c.what << ": got " << r.x << "," << r.y << " " << r.w << "x" << r.h;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TileBoundsTest,
    ::testing::Values(
        BoundsCase{"all transparent", kMode8, {}, {0, 0, 0, 0}},
        BoundsCase{"single pixel at (5,7)", kMode8, {{5, 7}}, {2, 7, 4, 1}},
        BoundsCase{"single pixel at (1,0)", kMode8, {{1, 0}}, {0, 0, 4, 1}},
        BoundsCase{"8-bit box over the right edge", kMode8, {{9, 2}, {8, 4}}, {6, 2, 4, 3}},
        BoundsCase{"16-bit columns 3 to 5", kMode16, {{3, 1}, {5, 1}}, {2, 1, 4, 1}},
        BoundsCase{"24-bit columns 3 to 5", kMode24, {{3, 0}, {5, 8}}, {2, 0, 4, 9}},
        BoundsCase{"24-bit columns 3 and 4", kMode24, {{3, 3}, {4, 3}}, {1, 3, 4, 1}},
        BoundsCase{"16-bit even width stays", kMode16, {{0, 0}, {9, 8}}, {0, 0, 10, 9}},
        BoundsCase{"full 8-bit tile widens right", kMode8, {{0, 0}, {9, 8}}, {0, 0, 12, 9}}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST_F(CoreTest, TileBoundsRefusesTilesOutsideThePage) {
    Page page;
    ASSERT_TRUE(createPage(page, 4, 2, 4, 2, kMode8));
    TileRect r{1, 1, 1, 1};
    EXPECT_FALSE(tileBounds(page, 4, r));
    EXPECT_FALSE(tileBounds(page, -1, r));
    EXPECT_EQ(r, TileRect{});
    // Long rows of key with a pixel far in: the word-at-a-time scan finds it.
    Page wide;
    ASSERT_TRUE(createPage(wide, 100, 1, 3, 1, kMode8));
    putPixel(wide, 37, 1, 9);
    putPixel(wide, 61, 2, 9);
    ASSERT_TRUE(tileBounds(wide, 0, r));
    EXPECT_EQ(r, (TileRect{34, 1, 28, 2}));  // 25 wide, widened three to the left
}

}  // namespace
}  // namespace zentil
