#include <set>

#include "blit_reference.h"
#include "edit/area_layers.h"
#include "edit/block.h"
#include "edit/canvas_geometry.h"
#include "edit/canvas_projection.h"
#include "edit/nudge.h"
#include "test_support.h"

namespace zentil {
namespace {

using test::CoreTest;

TEST(CanvasGeometry, OutlinesGrowInWholeTilesAndStopAtTheEdges) {
    EXPECT_EQ(snap(37, 16), 32);
    EXPECT_EQ(snap(-5, 16), 0);  // truncation toward zero
    EXPECT_EQ(snap(-20, 16), -16);

    // Anchor tile column 5 of 16-pixel tiles (x 80), image 256 wide.
    int pos = 80, size = 16;
    dragTileAxis(pos, size, 80, 50, 16, 256);  // into column 3
    EXPECT_EQ(pos, 48);
    EXPECT_EQ(size, 48);                       // columns 3 to 5
    dragTileAxis(pos, size, 80, 85, 16, 256);  // back into the anchor tile
    EXPECT_EQ(pos, 80);
    EXPECT_EQ(size, 16);
    dragTileAxis(pos, size, 80, 130, 16, 256);  // to column 8
    EXPECT_EQ(pos, 80);
    EXPECT_EQ(size, 64);

    // At the right edge the width stays; at the left edge position and width stay.
    pos = 224, size = 32;
    dragTileAxis(pos, size, 224, 300, 16, 256);
    EXPECT_EQ(size, 32);
    pos = 0, size = 48;
    dragTileAxis(pos, size, 32, 5, 16, 256);
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(size, 48);

    // Far left of the image while the outline's edge is still above 0.
    pos = 16, size = 16;
    dragTileAxis(pos, size, 16, -20, 16, 256);
    EXPECT_EQ(pos, -16);
    EXPECT_EQ(size, 64);  // the distance to the anchor in whole tiles, and the anchor tile

    // Pixel grain.
    pos = 10, size = 1;
    dragPixelAxis(pos, size, 10, 4);
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(size, 5);
    dragPixelAxis(pos, size, 10, 17);
    EXPECT_EQ(pos, 10);
    EXPECT_EQ(size, 7);
}

// The page pixel under a screen pixel at every zoom, with origins on both
// sides of the view, and back: the screen pixel lies in its page pixel's
// square and in the square of the tile the canvas snaps it to.
TEST(CanvasProjection, MapsScreenPixelsToPagePixelsAndTilesAtEveryZoom) {
    struct Case {
        int zoom, originX, originY, screenX, screenY, pageX, pageY;
    };
    const Case cases[] = {
        {1, 0, 0, 37, 21, 37, 21},
        {1, 5, -3, 4, 0, -1, 3},
        {2, 1, 1, 1, 1, 0, 0},
        {2, 1, 1, 0, 0, -1, -1},
        {3, 10, 10, 9, 12, -1, 0},
        {4, -100, 7, 0, 6, 25, -1},
        {6, 0, 0, -1, -6, -1, -1},
        {6, 0, 0, -7, -7, -2, -2},
        {8, 33, 33, 40, 41, 0, 1},
        {12, -5, 0, 6, 23, 0, 1},
        {16, 0, 0, 255, 256, 15, 16},
        {24, 3, 3, 2, 26, -1, 0},
        {32, -64000, 0, 1000, 31, 2031, 0},
    };
    constexpr int kTile = 16;
    std::set<int> levels;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "zoom " << c.zoom << " at " << c.screenX << ", " << c.screenY);
        levels.insert(c.zoom);
        const CanvasProjection p{c.zoom, c.originX, c.originY};
        ASSERT_EQ(p.pageX(c.screenX), c.pageX);
        ASSERT_EQ(p.pageY(c.screenY), c.pageY);
        EXPECT_LE(p.screenX(c.pageX), c.screenX);
        EXPECT_GT(p.screenX(c.pageX + 1), c.screenX);
        EXPECT_LE(p.screenY(c.pageY), c.screenY);
        EXPECT_GT(p.screenY(c.pageY + 1), c.screenY);
        EXPECT_EQ(p.pageX(p.screenX(c.pageX + 1) - 1), c.pageX);
        if (c.pageX < 0 || c.pageY < 0) continue;
        const int tileX = snap(c.pageX, kTile), tileY = snap(c.pageY, kTile);
        EXPECT_LE(p.screenX(tileX), c.screenX);
        EXPECT_GT(p.screenX(tileX + kTile), c.screenX);
        EXPECT_LE(p.screenY(tileY), c.screenY);
        EXPECT_GT(p.screenY(tileY + kTile), c.screenY);
        EXPECT_EQ(p.screenX(tileX + kTile) - p.screenX(tileX), kTile * c.zoom);
    }
    EXPECT_EQ(levels, std::set<int>(kZoomLevels.begin(), kZoomLevels.end()));

    // Zooming about a point keeps the page pixel under it, from every level
    // to every level.
    for (const Case& c : cases)
        for (const int to : kZoomLevels) {
            const CanvasProjection p =
                zoomedAbout({c.zoom, c.originX, c.originY}, to, c.screenX, c.screenY);
            EXPECT_EQ(p.zoom, to);
            EXPECT_EQ(p.pageX(c.screenX), c.pageX) << c.zoom << " to " << to;
            EXPECT_EQ(p.pageY(c.screenY), c.pageY) << c.zoom << " to " << to;
        }

    // Stepping through the levels, held at both ends; anything else counts
    // as the level below it.
    const struct {
        int zoom, steps, expected;
    } steps[] = {{1, 1, 2}, {1, -1, 1},    {32, 1, 32}, {5, 0, 4},   {5, 1, 6},
                 {0, 0, 1}, {100, -1, 24}, {8, -2, 4},  {2, 20, 32}, {12, 1, 16}};
    for (const auto& s : steps)
        EXPECT_EQ(zoomLevelAfter(s.zoom, s.steps), s.expected) << s.zoom << " by " << s.steps;
}

class BlockTest : public CoreTest {
  protected:
    // A 64 x 32 page of 16 x 16 tiles; pixel (x, y) = 1 + x + y (mod 200), key 0.
    void SetUp() override {
        ASSERT_TRUE(createPage(page, 16, 4, 16, 2, kMode8));
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 64; ++x)
                putPixel(page, x, y, 1 + (x + y) % 200);
    }
    Page page;
    LiftedBlock lifted;
};

TEST_F(BlockTest, LiftingCopiesTheRectangleAndLeavesThePage) {
    ASSERT_TRUE(liftBlock(lifted, page, 16, 16, 32, 16, {}));
    const Page& block = lifted.block;
    EXPECT_EQ(block.cols, 2);
    EXPECT_EQ(block.rows, 1);
    EXPECT_EQ(block.tileWidth, 16);
    EXPECT_EQ(pixelAt(block, 0, 0), pixelAt(page, 16, 16));
    EXPECT_EQ(pixelAt(block, 31, 15), pixelAt(page, 47, 31));
    EXPECT_EQ(lifted.view.stride, block.stride);
    EXPECT_EQ(pixelAt(lifted.view, 3, 3), 0u);  // key until composed
    EXPECT_EQ(lifted.originX, 16);
    EXPECT_EQ(lifted.originY, 16);

    // Over the left edge: columns outside the page keep the key.
    ASSERT_TRUE(liftBlock(lifted, page, -16, 0, 32, 16, {}));
    EXPECT_EQ(pixelAt(lifted.block, 15, 0), 0u);
    EXPECT_EQ(pixelAt(lifted.block, 16, 0), pixelAt(page, 0, 0));
}

TEST_F(BlockTest, StampsFollowTheCopyMode) {
    // A block of one 16 x 16 tile: a 2 x 1 mark of colour 250 on key.
    ASSERT_TRUE(liftBlock(lifted, page, 0, 0, 16, 16, {}));
    clearPage(lifted.block);
    putPixel(lifted.block, 1, 1, 250);
    putPixel(lifted.block, 2, 1, 250);
    Page target;
    ASSERT_TRUE(createSinglePage(target, 16, 16, kMode8));
    for (int x = 0; x < 16; ++x)
        putPixel(target, x, 1, x < 2 ? 0 : 7);  // key under (1, 1)

    struct Case {
        int mode;
        std::uint32_t at0, at1, at2;  // row 1, columns 0 to 2, after the stamp
    };
    for (const Case c : {Case{0, 0, 250, 250}, Case{1, 0, 250, 250}, Case{2, 0, 250, 7}}) {
        Page p = test::clonePage(target);
        ASSERT_TRUE(composeBlockView(lifted, p, 0, 0, c.mode));
        stampBlock(p, lifted, 0, 0);
        EXPECT_EQ(pixelAt(p, 0, 1), c.at0) << c.mode;
        EXPECT_EQ(pixelAt(p, 1, 1), c.at1) << c.mode;
        EXPECT_EQ(pixelAt(p, 2, 1), c.at2) << c.mode;
        EXPECT_EQ(pixelAt(p, 5, 1), c.mode == 0 ? 0u : 7u) << c.mode;  // key written in mode 0
    }
    EXPECT_FALSE(composeBlockView(lifted, target, 0, 0, 3));
}

TEST_F(BlockTest, StampsWriteTheBlocksPaddingColumns) {
    // A 30-pixel-wide block has stride 32: two padding columns follow it.
    Page wide;
    ASSERT_TRUE(createPage(wide, 30, 1, 2, 1, kMode8));
    for (int x = 0; x < 30; ++x)
        putPixel(wide, x, 0, 9);
    ASSERT_TRUE(liftBlock(lifted, wide, 0, 0, 30, 2, {}));
    Page target;
    ASSERT_TRUE(createSinglePage(target, 64, 2, kMode8));
    for (int x = 0; x < 64; ++x)
        putPixel(target, x, 0, 5);
    ASSERT_TRUE(composeBlockView(lifted, target, 0, 0, 0));
    stampBlock(target, lifted, 0, 0);
    EXPECT_EQ(pixelAt(target, 29, 0), 9u);
    EXPECT_EQ(pixelAt(target, 30, 0), 0u);  // padding: the key in mode 0
    EXPECT_EQ(pixelAt(target, 31, 0), 0u);
    EXPECT_EQ(pixelAt(target, 32, 0), 5u);
    ASSERT_TRUE(composeBlockView(lifted, target, 32, 0, 1));
    stampBlock(target, lifted, 32, 0);
    EXPECT_EQ(pixelAt(target, 62, 0), 5u);  // modes 1 and 2: the page's own pixels
}

TEST_F(BlockTest, NudgesShiftByOnePixelAndFillWithTheKey) {
    Page p = test::clonePage(page);
    ASSERT_TRUE(nudgePage(p, Nudge::Left));
    for (int x = 0; x < 63; ++x)
        ASSERT_EQ(pixelAt(p, x, 5), pixelAt(page, x + 1, 5));
    EXPECT_EQ(pixelAt(p, 63, 5), 0u);

    p = test::clonePage(page);
    ASSERT_TRUE(nudgePage(p, Nudge::LeftUp));
    EXPECT_EQ(pixelAt(p, 0, 0), pixelAt(page, 1, 1));
    EXPECT_EQ(pixelAt(p, 63, 3), 0u);
    EXPECT_EQ(pixelAt(p, 3, 31), 0u);

    // A 30-wide page (stride 32): right pushes the last column into the
    // padding and left brings it back.
    Page narrow;
    ASSERT_TRUE(createSinglePage(narrow, 30, 2, kMode8));
    for (int x = 0; x < 30; ++x)
        putPixel(narrow, x, 0, 1 + x);
    ASSERT_TRUE(nudgePage(narrow, Nudge::Right));
    EXPECT_EQ(pixelAt(narrow, 30, 0), 30u);
    ASSERT_TRUE(nudgePage(narrow, Nudge::Left));
    EXPECT_EQ(pixelAt(narrow, 29, 0), 30u);
    EXPECT_EQ(pixelAt(narrow, 0, 0), 1u);  // nothing was lost on the way
    EXPECT_EQ(pixelAt(narrow, 31, 0), 0u);

    for (Nudge n : {Nudge::Up, Nudge::RightUp, Nudge::RightDown, Nudge::Down, Nudge::LeftDown}) {
        Page q = test::clonePage(page);
        ASSERT_TRUE(nudgePage(q, n));
        const int dx = (n == Nudge::RightUp || n == Nudge::RightDown) ? 1
                       : n == Nudge::LeftDown                         ? -1
                                                                      : 0;
        const int dy = (n == Nudge::Up || n == Nudge::RightUp) ? -1 : 1;
        EXPECT_EQ(pixelAt(q, 10 + dx, 10 + dy), pixelAt(page, 10, 10)) << static_cast<int>(n);
    }
}

TEST_F(BlockTest, AMovedBlockIsAppliedWhereItWasLifted) {
    ASSERT_TRUE(liftBlock(lifted, page, 16, 0, 32, 16, {}));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(nudgePage(lifted.block, Nudge::Right));
    Page p = test::clonePage(page);
    applyBlock(p, lifted);
    for (int x = 16; x < 19; ++x)
        EXPECT_EQ(pixelAt(p, x, 4), 0u);
    EXPECT_EQ(pixelAt(p, 19, 4), pixelAt(page, 16, 4));
    EXPECT_EQ(pixelAt(p, 47, 4), pixelAt(page, 44, 4));
    EXPECT_EQ(pixelAt(p, 48, 4), pixelAt(page, 48, 4));  // outside the rectangle: unchanged
    EXPECT_EQ(pixelAt(p, 20, 16), pixelAt(page, 20, 16));
}

TEST_F(CoreTest, AreaScopesReachTheTileItsRowOrAll) {
    Page page;
    ASSERT_TRUE(createPage(page, 8, 8, 8, 2, kMode8));
    const AreaRect r{1, 2, 5, 6};
    setAreaEntries(page, 3, kAreaScopeRow, 10, r);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ((*page.areas[2])[i], (i >= 8 ? r : AreaRect{})) << i;
    clearAreaEntries(page, 3, kAreaScopeOne, 9);
    EXPECT_EQ((*page.areas[2])[9], AreaRect{});
    EXPECT_EQ((*page.areas[2])[10], r);
    setAreaEntries(page, 1, kAreaScopeAll, 0, r);
    EXPECT_EQ((*page.areas[0])[15], r);
    EXPECT_EQ((*page.areas[0])[16], AreaRect{});
    setAreaEntries(page, 6, kAreaScopeAll, 0, r);  // no such layer: nothing happens
    clearAreaEntries(page, 2, kAreaScopeAll, 0);   // clearing makes no layer
    EXPECT_EQ(page.areas[1], nullptr);

    Page big;
    ASSERT_TRUE(createPage(big, 1, 100, 1, 20, kMode8));  // 2000 tiles
    setAreaEntries(big, 2, kAreaScopeAll, 0, r);
    EXPECT_EQ((*big.areas[1])[999], r);
    setAreaEntries(big, 5, kAreaScopeRow, 1500, r);  // rows past 999 have no entries
    EXPECT_EQ((*big.areas[4])[999], AreaRect{});
}

}  // namespace
}  // namespace zentil
