#include "edit/trim.h"
#include "test_support.h"

namespace zentil {
namespace {

using test::CoreTest;

constexpr std::uint32_t kKey = 0;

class TrimTest : public CoreTest {
  protected:
    // cols x rows transparent tiles of tw x th (8-bit, key 0).
    static void emptyTiles(Page& page, int tw, int th, int cols, int rows) {
        ASSERT_TRUE(createPage(page, tw, cols, th, rows, kMode8));
        setColorKey(page, kKey);
        clearPage(page);
    }
    static void put(Page& page, int t, int x, int y, std::uint32_t v) {
        putPixel(page, (t % page.cols) * page.tileWidth + x, (t / page.cols) * page.tileHeight + y,
                 v);
    }
    static std::uint32_t at(const Page& page, int t, int x, int y) {
        return pixelAt(page, (t % page.cols) * page.tileWidth + x,
                       (t / page.cols) * page.tileHeight + y);
    }
};

TEST_F(TrimTest, EqualSideCutRoundedToFourAndExactRowCut) {
    // 16 x 8 tiles; together their pixels cover columns 3..9 and rows 2..5,
    // though no single tile does.
    Page page;
    emptyTiles(page, 16, 8, 2, 2);
    put(page, 0, 3, 2, 11);
    put(page, 1, 9, 5, 12);
    put(page, 3, 6, 4, 13);
    put(page, 3, 14, 4, 0);  // key: does not count
    Page out;
    ASSERT_TRUE(trimTiles(out, page));
    // Left 3, right margin 6: m = 3, width 10 rounded up to 12; height 4.
    EXPECT_EQ(out.tileWidth, 12);
    EXPECT_EQ(out.tileHeight, 4);
    EXPECT_EQ(out.cols, 2);
    EXPECT_EQ(out.rows, 2);
    // Each new tile is columns 3..14, rows 2..5 of its old tile.
    for (int t = 0; t < 4; ++t)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 12; ++x)
                ASSERT_EQ(at(out, t, x, y), at(page, t, x + 3, y + 2));
    EXPECT_EQ(at(out, 0, 0, 0), 11u);
    EXPECT_EQ(at(out, 1, 6, 3), 12u);
    EXPECT_EQ(at(out, 3, 3, 2), 13u);
    EXPECT_EQ(at(out, 2, 3, 2), kKey);  // tile 2 had nothing of its own
}

TEST_F(TrimTest, RoundingReachesIntoTheNextTile) {
    // 10-wide tiles touching their first and last column: the overlay's stride
    // is 12, the right margin 2, m = 0, and the new width 12.
    Page page;
    emptyTiles(page, 10, 3, 3, 1);
    for (int t = 0; t < 3; ++t)
        for (int x = 0; x < 10; ++x)
            put(page, t, x, 1, 1 + t * 10 + x);
    Page out;
    ASSERT_TRUE(trimTiles(out, page));
    EXPECT_EQ(out.tileWidth, 12);
    EXPECT_EQ(out.tileHeight, 1);
    EXPECT_EQ(at(out, 0, 10, 0), 11u);  // the next tile's first two columns
    EXPECT_EQ(at(out, 0, 11, 0), 12u);
    EXPECT_EQ(at(out, 2, 9, 0), 30u);
    EXPECT_EQ(at(out, 2, 10, 0), kKey);  // past the old page's row: transparent
}

TEST_F(TrimTest, KeepsKeyPaletteAndWorksInPlace) {
    Page page;
    emptyTiles(page, 8, 8, 2, 1);
    setPagePalette(page, test::rampPalette());
    page.kind = kKindSprite;
    setPageName(page, "FRAMES");
    put(page, 1, 4, 4, 9);
    ASSERT_TRUE(trimTiles(page, page));
    EXPECT_EQ(page.tileWidth, 4);  // m = min(4, 3) = 3, 8 - 6 = 2 rounded up to 4
    EXPECT_EQ(page.tileHeight, 1);
    EXPECT_EQ(at(page, 1, 1, 0), 9u);
    EXPECT_EQ(page.colorKey8, kKey);
    EXPECT_EQ(page.palette, test::rampPalette());
    EXPECT_EQ(page.kind, kKindSprite);
    EXPECT_EQ(pageName(page), "FRAMES");
}

TEST_F(TrimTest, AllTransparentPagesAreLeftAlone) {
    for (int mode : {kMode8, kMode16, kMode24}) {
        Page page;
        ASSERT_TRUE(createPage(page, 6, 2, 5, 2, mode));
        Page out;
        ASSERT_TRUE(createSinglePage(out, 1, 1, kMode8));
        EXPECT_FALSE(trimTiles(out, page));
        EXPECT_EQ(out.width, 1);
        EXPECT_EQ(page.tileWidth, 6);
    }
}

}  // namespace
}  // namespace zentil
