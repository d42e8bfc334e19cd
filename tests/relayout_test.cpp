#include "edit/relayout.h"
#include "edit/area_layers.h"
#include "system/texts.h"
#include "test_support.h"

namespace zentil {
namespace {

using test::CoreTest;

class RelayoutTest : public CoreTest {
  protected:
    // A page of cols x rows tiles of 3 x 2 pixels; every pixel of tile t is t + 1.
    static void tiled(Page& page, int cols, int rows) {
        ASSERT_TRUE(createPage(page, 3, cols, 2, rows, kMode8));
        for (int t = 0; t < page.tileCount; ++t)
            for (int y = 0; y < 2; ++y)
                for (int x = 0; x < 3; ++x)
                    putPixel(page, (t % cols) * 3 + x, (t / cols) * 2 + y, t + 1);
    }
    static std::uint32_t tileValue(const Page& page, int t) {
        return pixelAt(page, (t % page.cols) * page.tileWidth, (t / page.cols) * page.tileHeight);
    }
};

TEST_F(RelayoutTest, FiveByTwoIntoFourColumnsKeepsOrderKeyAndPalette) {
    PageDefaults defaults;
    defaults.key8 = 200;
    Page page;
    tiled(page, 5, 2);
    page.kind = kKindSprite;
    setPageName(page, "WALK");
    setColorKey(page, 42);
    setPagePalette(page, test::rampPalette());
    setAreaEntries(page, 3, kAreaScopeOne, 3, AreaRect{1, 1, 2, 2});

    ASSERT_TRUE(relayoutColumns(page, 4, defaults));
    EXPECT_EQ(page.cols, 4);
    EXPECT_EQ(page.rows, 3);
    EXPECT_EQ(page.tileCount, 12);
    EXPECT_EQ(page.tileWidth, 3);
    EXPECT_EQ(page.tileHeight, 2);
    EXPECT_EQ(page.width, 12);
    EXPECT_EQ(page.height, 6);
    for (int t = 0; t < 10; ++t)
        EXPECT_EQ(tileValue(page, t), static_cast<std::uint32_t>(t + 1));
    EXPECT_EQ(tileValue(page, 10), 200u);  // cells past the last tile: the default key
    EXPECT_EQ(tileValue(page, 11), 200u);
    EXPECT_EQ(pixelAt(page, 2, 5), 9u);  // last pixel of tile 8, whole tiles moved
    EXPECT_EQ(page.colorKey8, 42);
    EXPECT_EQ(page.palette, test::rampPalette());
    EXPECT_EQ(page.kind, kKindSprite);
    EXPECT_EQ(pageName(page), "WALK");
    for (const auto& layer : page.areas)
        EXPECT_EQ(layer, nullptr);  // the new grid starts without area entries
}

TEST_F(RelayoutTest, SameColumnCountRebuildsTheSameGeometry) {
    Page page;
    tiled(page, 3, 2);
    ASSERT_TRUE(relayoutColumns(page, 3, {}));
    EXPECT_EQ(page.cols, 3);
    EXPECT_EQ(page.rows, 2);
    for (int t = 0; t < 6; ++t)
        EXPECT_EQ(tileValue(page, t), static_cast<std::uint32_t>(t + 1));
    // One column: six rows.
    ASSERT_TRUE(relayoutColumns(page, 1, {}));
    EXPECT_EQ(page.rows, 6);
    EXPECT_EQ(tileValue(page, 5), 6u);
}

TEST_F(RelayoutTest, RefusalsLeaveThePageUntouched) {
    Page page;
    tiled(page, 5, 2);
    const test::RecordedMessage columns{"오류", "가로 타일 수는 0보다 커야 합니다."};
    const test::RecordedMessage tooBig{"오류", "이미지를 생성할 수 없습니다."};
    EXPECT_EQ(test::said(relayoutColumns(page, 0, {})), columns);
    EXPECT_EQ(test::said(relayoutColumns(page, -3, {})), columns);
    // A grid whose buffer cannot exist.
    EXPECT_EQ(test::said(relayoutColumns(page, 1 << 30, {})), tooBig);
    EXPECT_EQ(page.cols, 5);
    EXPECT_EQ(tileValue(page, 9), 10u);
}

TEST(RowsForColumns, IsTheSmallestRowCountThatHoldsAllTiles) {
    EXPECT_EQ(rowsForColumns(10, 4), 3);
    EXPECT_EQ(rowsForColumns(12, 4), 3);
    EXPECT_EQ(rowsForColumns(13, 4), 4);
    EXPECT_EQ(rowsForColumns(1, 100), 1);
}

}  // namespace
}  // namespace zentil
