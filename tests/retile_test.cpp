#include "edit/retile.h"
#include "edit/area_layers.h"
#include "test_support.h"

namespace zentil {
namespace {

using test::CoreTest;

constexpr std::uint32_t kKey = 255;

class RetileTest : public CoreTest {
  protected:
    // cols x rows tiles of tw x th (8-bit); pixel (x, y) of tile t is
    // 1 + t * 64 + y * 8 + x, so every pixel says where it came from.
    static void numberedTiles(Page& page, int tw, int th, int cols, int rows) {
        ASSERT_TRUE(createPage(page, tw, cols, th, rows, kMode8));
        setColorKey(page, kKey);
        clearPage(page);
        for (int t = 0; t < cols * rows; ++t)
            for (int y = 0; y < th; ++y)
                for (int x = 0; x < tw; ++x)
                    putPixel(page, (t % cols) * tw + x, (t / cols) * th + y,
                             1 + t * 64 + y * 8 + x);
    }
    static std::uint32_t old(int t, int x, int y) { return 1 + t * 64 + y * 8 + x; }
    // Pixel (x, y) of tile t of the page as it is now.
    static std::uint32_t at(const Page& page, int t, int x, int y) {
        return pixelAt(page, (t % page.cols) * page.tileWidth + x,
                       (t / page.cols) * page.tileHeight + y);
    }
};

TEST_F(RetileTest, CentreShrinkKeepsTheMiddleOfEveryTile) {
    Page page;
    numberedTiles(page, 8, 8, 3, 1);
    ASSERT_TRUE(retilePage(page, 4, 4, 0, 0, TileAlign::Center));
    EXPECT_EQ(page.tileWidth, 4);
    EXPECT_EQ(page.tileHeight, 4);
    EXPECT_EQ(page.cols, 3);
    EXPECT_EQ(page.rows, 1);
    for (int t = 0; t < 3; ++t)
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                ASSERT_EQ(at(page, t, x, y), old(t, x + 2, y + 2));
}

TEST_F(RetileTest, CentreGrowthAddsKeyMargins) {
    Page page;
    numberedTiles(page, 8, 8, 1, 3);
    ASSERT_TRUE(retilePage(page, 12, 12, 0, 0, TileAlign::Center));
    EXPECT_EQ(page.cols, 1);
    EXPECT_EQ(page.rows, 3);
    for (int t = 0; t < 3; ++t)
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) {
                const bool inside = x >= 2 && x < 10 && y >= 2 && y < 10;
                ASSERT_EQ(at(page, t, x, y), inside ? old(t, x - 2, y - 2) : kKey) << t;
            }

    // Width 5 to 8: one key column on the left, two on the right.
    Page narrow;
    numberedTiles(narrow, 5, 2, 2, 1);
    ASSERT_TRUE(retilePage(narrow, 8, 2, 0, 0, TileAlign::Center));
    for (int t = 0; t < 2; ++t) {
        EXPECT_EQ(at(narrow, t, 0, 1), kKey);
        for (int x = 1; x <= 5; ++x)
            EXPECT_EQ(at(narrow, t, x, 1), old(t, x - 1, 1));
        EXPECT_EQ(at(narrow, t, 6, 1), kKey);
        EXPECT_EQ(at(narrow, t, 7, 1), kKey);
    }
}

TEST_F(RetileTest, SevenPixelTilesOnAStrideOfEightRunIntoThePadding) {
    Page page;
    numberedTiles(page, 7, 2, 1, 1);  // stride 8: column 7 is padding (key)
    ASSERT_TRUE(retilePage(page, 5, 2, 0, 0, TileAlign::Center));
    EXPECT_EQ(page.stride, 8);
    EXPECT_EQ(page.width, 5);
    // Old columns 1..7 land in new columns 0..6; 5 and 6 are now padding.
    for (int x = 0; x < 7; ++x)
        EXPECT_EQ(pixelAt(page, x, 0), x + 1 < 7 ? old(0, x + 1, 0) : kKey) << x;

    // With two columns the second tile's copy overwrites what ran over.
    Page two;
    numberedTiles(two, 7, 2, 2, 1);  // width 14, stride 16
    ASSERT_TRUE(retilePage(two, 5, 2, 0, 0, TileAlign::Center));
    EXPECT_EQ(pixelAt(two, 4, 0), old(0, 5, 0));
    EXPECT_EQ(pixelAt(two, 5, 0), old(1, 1, 0));
    EXPECT_EQ(pixelAt(two, 6, 0), old(1, 2, 0));
}

TEST_F(RetileTest, EdgeAnchorsDropOrPadOnTheirSide) {
    Page right, left;
    numberedTiles(right, 8, 3, 2, 1);
    numberedTiles(left, 8, 3, 2, 1);
    ASSERT_TRUE(retilePage(right, 6, 3, 0, 0, TileAlign::Right));
    ASSERT_TRUE(retilePage(left, 6, 3, 0, 0, TileAlign::Left));
    for (int t = 0; t < 2; ++t)
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(at(right, t, x, 2), old(t, x + 2, 2));  // two leftmost dropped
            EXPECT_EQ(at(left, t, x, 2), old(t, x, 2));       // two rightmost dropped
        }

    Page bottom, top;
    numberedTiles(bottom, 4, 10, 1, 2);
    numberedTiles(top, 4, 10, 1, 2);
    ASSERT_TRUE(retilePage(bottom, 4, 16, 0, 0, TileAlign::Bottom));
    ASSERT_TRUE(retilePage(top, 4, 16, 0, 0, TileAlign::Top));
    EXPECT_EQ(bottom.rows, 2);
    for (int t = 0; t < 2; ++t)
        for (int y = 0; y < 16; ++y) {
            EXPECT_EQ(at(bottom, t, 1, y), y < 6 ? kKey : old(t, 1, y - 6)) << t << "," << y;
            EXPECT_EQ(at(top, t, 1, y), y < 10 ? old(t, 1, y) : kKey) << t << "," << y;
        }
}

TEST_F(RetileTest, WithoutAlignmentPixelsKeepTheirPlaces) {
    Page grow;
    numberedTiles(grow, 4, 4, 2, 1);
    ASSERT_TRUE(retilePage(grow, 4, 4, 3, 2, TileAlign::None));
    EXPECT_EQ(grow.cols, 3);
    EXPECT_EQ(grow.rows, 2);
    EXPECT_EQ(pixelAt(grow, 7, 3), old(1, 3, 3));
    EXPECT_EQ(pixelAt(grow, 8, 0), kKey);  // the new tiles at the right
    EXPECT_EQ(pixelAt(grow, 0, 4), kKey);  // and below

    Page shrink;
    numberedTiles(shrink, 4, 4, 3, 1);
    ASSERT_TRUE(retilePage(shrink, 2, 2, 2, 1, TileAlign::None));
    EXPECT_EQ(shrink.width, 4);
    EXPECT_EQ(shrink.height, 2);
    EXPECT_EQ(pixelAt(shrink, 3, 1), old(0, 3, 1));

    // One-pixel tiles: the column count comes from the stride of 4.
    Page thin;
    numberedTiles(thin, 1, 1, 3, 1);
    ASSERT_TRUE(retilePage(thin, 1, 1, 3, 1, TileAlign::None));
    EXPECT_EQ(thin.cols, 4);
    EXPECT_EQ(thin.width, 4);
}

TEST_F(RetileTest, KeyPaletteIdentitySurviveAndAreasEmpty) {
    const PageDefaults keyed{3, 3, 3, {}};
    for (int mode : {kMode8, kMode16, kMode24}) {
        for (TileAlign align : {TileAlign::None, TileAlign::Center, TileAlign::Left,
                                TileAlign::Right, TileAlign::Top, TileAlign::Bottom}) {
            Page page;
            ASSERT_TRUE(createPage(page, 6, 2, 5, 2, mode, keyed));
            page.kind = kKindSprite;
            setPageName(page, "RUN");
            setColorKey(page, 77);
            setPagePalette(page, test::rampPalette());
            setAreaEntries(page, 5, kAreaScopeOne, 0, AreaRect{0, 0, 2, 2});
            ASSERT_TRUE(retilePage(page, 9, 3, 1, 3, align));
            EXPECT_EQ(page.mode, mode);
            EXPECT_EQ(colorKeyOf(page), 77u);
            EXPECT_EQ(page.palette, test::rampPalette());
            EXPECT_EQ(page.kind, kKindSprite);
            EXPECT_EQ(pageName(page), "RUN");
            EXPECT_EQ(page.areas[4], nullptr);
        }
    }
}

TEST_F(RetileTest, SizesBelowOneChangeNothing) {
    Page page;
    numberedTiles(page, 4, 4, 2, 1);
    EXPECT_FALSE(retilePage(page, 0, 4, 1, 1, TileAlign::Center));
    EXPECT_FALSE(retilePage(page, 4, 4, 0, 1, TileAlign::None));
    EXPECT_EQ(page.cols, 2);
    EXPECT_EQ(pixelAt(page, 5, 1), old(1, 1, 1));
}

}  // namespace
}  // namespace zentil
