#include "render/drawing.h"

#include <QPainter>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <set>
#include <utility>

#include "render/classic_drawing.h"
#include "test_support.h"

namespace zentil {
namespace {

using test::CoreTest;
using test::drawAreaOverlay;
using test::drawLine;
using test::drawRectOutline;
using test::drawTileCentres;
using test::drawTileGrid;
using test::kPenDotted;
using test::kPenSolid;
using Points = std::set<std::pair<int, int>>;

constexpr std::uint32_t kRedBgr = 0x000000FF;
constexpr QRgb kWhite = 0xFFFFFFFF;

QImage whiteImage(int w, int h, QImage::Format format = QImage::Format_BGR888) {
    QImage image(w, h, format);
    image.fill(kWhite);
    return image;
}

// Every pixel that is no longer white.
Points painted(const QImage& image) {
    Points points;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != kWhite) points.insert({x, y});
    return points;
}

Points row(int y, int fromX, int toX) {
    Points points;
    for (int x = fromX; x <= toX; ++x)
        points.insert({x, y});
    return points;
}

Points column(int x, int fromY, int toY) {
    Points points;
    for (int y = fromY; y <= toY; ++y)
        points.insert({x, y});
    return points;
}

Points joined(std::initializer_list<Points> parts) {
    Points all;
    for (const Points& p : parts)
        all.insert(p.begin(), p.end());
    return all;
}

// The canvas formats of 8/24-bit and 16-bit pages, and a common 32-bit one.
const QImage::Format kFormats[] = {QImage::Format_BGR888, QImage::Format_RGB555,
                                   QImage::Format_RGB32};

TEST(ColorFromBgr, TakesRedFromTheLowByte) {
    EXPECT_EQ(colorFromBgr(0x00332211), QColor(0x11, 0x22, 0x33));
    EXPECT_EQ(colorFromBgr(0xFF0000FF), QColor(255, 0, 0));  // the top byte is ignored
    EXPECT_EQ(colorFromBgr(0x0000FFFF), QColor(255, 255, 0));
}

TEST(DrawLine, EveryLineStopsBeforeItsEndPoint) {
    struct Case {
        const char* what;
        int x1, y1, x2, y2;
        Points expected;
    };
    const Case cases[] = {
        {"rightwards", 1, 1, 6, 1, row(1, 1, 5)},
        {"leftwards", 6, 2, 1, 2, row(2, 2, 6)},
        {"downwards", 3, 0, 3, 4, column(3, 0, 3)},
        {"upwards", 4, 5, 4, 1, column(4, 2, 5)},
        {"diagonal", 0, 0, 4, 4, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        {"diagonal up-left", 9, 9, 6, 6, {{9, 9}, {8, 8}, {7, 7}}},
        {"one pixel long", 2, 3, 3, 3, {{2, 3}}},
        {"no length", 5, 5, 5, 5, {}},
        {"leaving the image", 5, 7, 20, 7, row(7, 5, 9)},
        {"entering the image", -5, 8, 3, 8, row(8, 0, 2)},
        {"wholly outside", -5, -1, 30, -1, {}},
    };
    for (const QImage::Format format : kFormats) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.what << ", format " << format);
            QImage image = whiteImage(10, 10, format);
            drawLine(image, c.x1, c.y1, c.x2, c.y2, kRedBgr, 1, kPenSolid);
            EXPECT_EQ(painted(image), c.expected);
            if (!c.expected.empty()) {
                const auto [x, y] = *c.expected.begin();
                EXPECT_EQ(image.pixel(x, y), qRgb(255, 0, 0));
            }
        }
    }
}

TEST(DrawLine, SteepAndShallowLinesLeaveOutOnlyTheEndPoint) {
    struct Case {
        int x1, y1, x2, y2;
    };
    const Case cases[] = {{1, 1, 8, 6}, {8, 6, 1, 1}, {2, 9, 5, 0}, {0, 3, 9, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2);
        QImage image = whiteImage(10, 10);
        drawLine(image, c.x1, c.y1, c.x2, c.y2, kRedBgr, 1, kPenSolid);
        const Points points = painted(image);
        EXPECT_TRUE(points.count({c.x1, c.y1}));
        EXPECT_FALSE(points.count({c.x2, c.y2}));
        // One pixel per step along the longer axis, the last step left out.
        const int steps = std::max(std::abs(c.x2 - c.x1), std::abs(c.y2 - c.y1));
        EXPECT_EQ(points.size(), static_cast<std::size_t>(steps));
    }
}

TEST(DrawLine, DottedLinesSetOnePixelInThree) {
    for (const QImage::Format format : kFormats) {
        SCOPED_TRACE(format);
        QImage solid = whiteImage(16, 16, format);
        drawLine(solid, 0, 2, 13, 2, kRedBgr, 1, kPenSolid);
        EXPECT_EQ(painted(solid), row(2, 0, 12));

        QImage dotted = whiteImage(16, 16, format);
        drawLine(dotted, 0, 2, 13, 2, kRedBgr, 1, kPenDotted);
        // Upwards: the pixels 14 up to 6, dotted from the start point.
        drawLine(dotted, 15, 14, 15, 5, kRedBgr, 1, kPenDotted);
        EXPECT_EQ(painted(dotted),
                  Points({{0, 2}, {3, 2}, {6, 2}, {9, 2}, {12, 2}, {15, 14}, {15, 11}, {15, 8}}));
    }
}

TEST(DrawLine, WidePensCoverTheirWidthAndEndFlat) {
    QImage image = whiteImage(12, 12);
    drawLine(image, 2, 5, 9, 5, kRedBgr, 3, kPenSolid);
    EXPECT_EQ(painted(image), joined({row(4, 2, 8), row(5, 2, 8), row(6, 2, 8)}));
    QImage backwards = whiteImage(12, 12);
    drawLine(backwards, 9, 5, 2, 5, kRedBgr, 3, kPenSolid);
    EXPECT_EQ(painted(backwards), joined({row(4, 3, 9), row(5, 3, 9), row(6, 3, 9)}));
    QImage upwards = whiteImage(12, 12);
    drawLine(upwards, 5, 9, 5, 2, kRedBgr, 2, kPenSolid);
    EXPECT_EQ(painted(upwards), joined({column(4, 3, 9), column(5, 3, 9)}));

    // Widths of 1 and less are all the one-pixel pen.
    for (const int width : {1, 0, -4}) {
        SCOPED_TRACE(width);
        QImage thin = whiteImage(12, 12);
        drawLine(thin, 2, 5, 9, 5, kRedBgr, width, kPenSolid);
        EXPECT_EQ(painted(thin), row(5, 2, 8));
    }
}

TEST(DrawLine, FarEndsAreClippedToTheImage) {
    QImage image = whiteImage(10, 10);
    drawLine(image, 2, 4, INT_MAX, 4, kRedBgr, 1, kPenSolid);
    drawLine(image, 5, INT_MIN, 5, 2, kRedBgr, 1, kPenSolid);
    drawLine(image, INT_MIN, INT_MIN, INT_MAX, INT_MAX, kRedBgr, 1, kPenSolid);
    const Points points = painted(image);
    EXPECT_TRUE(points.count({9, 4}));
    EXPECT_TRUE(points.count({5, 0}));
    EXPECT_FALSE(points.count({5, 2}));
}

// One-pixel lines along an axis are written straight into the rows; they
// must set exactly the pixels the painter itself sets, solid and dotted, in
// every image format the canvas uses, also when they run out of the image.
// (A dotted line that starts outside keeps its dots counted from its start;
// the painter restarts them at the image's edge, so those are left out here.)
TEST(DrawLine, DirectAxisLinesMatchThePainter) {
    std::srand(11);
    for (QImage::Format format :
         {QImage::Format_BGR888, QImage::Format_RGB555, QImage::Format_RGB32}) {
        for (int i = 0; i < 400; ++i) {
            const bool horizontal = std::rand() % 2 == 0;
            const bool dotted = std::rand() % 2 == 0;
            const int fixed = std::rand() % 24 - 2;
            const int a = std::rand() % 40 - (dotted ? 0 : 8), b = a + 1 + std::rand() % 40;
            QImage fast(30, 20, format), painted(30, 20, format);
            fast.fill(Qt::black);
            painted.fill(Qt::black);
            if (horizontal)
                drawLine(fast, a, fixed, b, fixed, 0x00FFFFFF, 1, dotted ? kPenDotted : kPenSolid);
            else
                drawLine(fast, fixed, a, fixed, b, 0x00FFFFFF, 1, dotted ? kPenDotted : kPenSolid);
            QPainter painter(&painted);
            QPen pen(Qt::white);
            pen.setStyle(dotted ? Qt::DotLine : Qt::SolidLine);
            pen.setCapStyle(Qt::FlatCap);
            pen.setCosmetic(true);
            pen.setWidth(1);
            painter.setPen(pen);
            if (horizontal)
                painter.drawLine(a, fixed, b, fixed);
            else
                painter.drawLine(fixed, a, fixed, b);
            painter.end();
            ASSERT_EQ(fast, painted)
                << "format " << format << (horizontal ? " row " : " column ") << fixed << " from "
                << a << " to " << b << (dotted ? " dotted" : " solid");
        }
    }
}

TEST(DrawLine, NullImagesAreLeftAlone) {
    QImage image;
    drawLine(image, 0, 0, 5, 5, kRedBgr, 1, kPenSolid);
    drawTileGrid(image, 4, 4, kRedBgr);
    drawTileCentres(image, 4, 4, kRedBgr);
    drawRectOutline(image, 0, 0, 3, 3, kRedBgr, 1);
    drawPaletteGrid(image, test::rampPalette());
    EXPECT_TRUE(image.isNull());
}

TEST(TileGrid, LinesAtEveryMultipleInsideTheImageAndNoneAtZero) {
    struct Case {
        int imageW, imageH, tileW, tileH;
    };
    const Case cases[] = {
        {48, 30, 16, 10},  // the last vertical line at 32: 48 is outside
        {50, 31, 16, 10},  // lines at 48 and 30, one pixel from the edges
        {20, 20, 32, 32},  // tiles larger than the image: no line
        {9, 7, 1, 1},      // every row and column but the first
        {10, 10, 0, 3},    // no vertical lines for a zero tile width
        {10, 10, 3, -2},   // nor horizontal ones for a negative height
    };
    for (const QImage::Format format : kFormats) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.imageW << "x" << c.imageH << " tiles " << c.tileW
                                            << "x" << c.tileH << ", format " << format);
            Points expected;
            for (int y = 0; y < c.imageH; ++y)
                for (int x = 0; x < c.imageW; ++x)
                    if ((c.tileW > 0 && x > 0 && x % c.tileW == 0) ||
                        (c.tileH > 0 && y > 0 && y % c.tileH == 0))
                        expected.insert({x, y});
            QImage image = whiteImage(c.imageW, c.imageH, format);
            drawTileGrid(image, c.tileW, c.tileH, kRedBgr);
            EXPECT_EQ(painted(image), expected);
        }
    }
}

TEST(TileCentres, DottedLinesThroughTheMiddleOfEveryTile) {
    struct Case {
        int imageW, imageH, tileW, tileH;
        std::set<int> xs, ys;
    };
    const Case cases[] = {
        {48, 30, 16, 10, {8, 24, 40}, {5, 15, 25}},
        // Odd sizes halve toward zero; a middle beyond the edge draws nothing.
        {12, 15, 5, 7, {2, 7}, {3, 10}},
        {6, 6, 1, 20, {0, 1, 2, 3, 4, 5}, {}},  // 20 / 2 = 10 is outside
        {6, 6, 0, 0, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.imageW << "x" << c.imageH << " tiles " << c.tileW << "x" << c.tileH);
        QImage image = whiteImage(c.imageW, c.imageH);
        drawTileCentres(image, c.tileW, c.tileH, kRedBgr);
        // Dots one pixel in three from each line's start at the image edge.
        Points expected;
        for (const int x : c.xs)
            for (int y = 0; y < c.imageH; y += 3)
                expected.insert({x, y});
        for (const int y : c.ys)
            for (int x = 0; x < c.imageW; x += 3)
                expected.insert({x, y});
        EXPECT_EQ(painted(image), expected);
    }
}

TEST(RectOutline, FourLinesEachWithoutItsEndPoint) {
    struct Case {
        const char* what;
        int x, y, w, h;
        Points expected;
    };
    const Case cases[] = {
        {"plain", 2, 3, 5, 4,
         // The corner (x + w, y + h) is the end point of two lines and stays unset.
         joined({row(3, 2, 6), column(7, 3, 6), row(7, 2, 6), column(2, 3, 6)})},
        {"no width", 2, 3, 0, 4, column(2, 3, 6)},
        {"no size", 2, 3, 0, 0, {}},
        {"hanging over the corner", 8, 9, 10, 10, joined({row(9, 8, 11), column(8, 9, 11)})},
        {"from outside", -2, -2, 4, 4, joined({column(2, 0, 1), row(2, 0, 1)})},
        // x + w = 4, computed without overflow; the line's far end is limited.
        {"from far outside", INT_MIN + 5, 3, INT_MAX, 0, row(3, 0, 3)},
    };
    for (const QImage::Format format : kFormats) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.what << ", format " << format);
            QImage image = whiteImage(12, 12, format);
            drawRectOutline(image, c.x, c.y, c.w, c.h, kRedBgr, 1);
            EXPECT_EQ(painted(image), c.expected);
        }
    }
}

TEST(PaletteGrid, SixteenBySixteenOutlinedSwatches) {
    const Palette palette = test::rampPalette();
    for (const QImage::Format format : {QImage::Format_BGR888, QImage::Format_RGB32}) {
        SCOPED_TRACE(format);
        QImage image = whiteImage(256, 256, format);
        drawPaletteGrid(image, palette);
        int wrong = 0;
        for (int y = 0; y < 256; ++y) {
            for (int x = 0; x < 256; ++x) {
                const int n = (y / 16) * 16 + x / 16;
                const bool edge = x % 16 == 0 || x % 16 == 15 || y % 16 == 0 || y % 16 == 15;
                const QRgb expected =
                    edge ? qRgb(0, 0, 0)
                         : qRgb(palette[n * 3], palette[n * 3 + 1], palette[n * 3 + 2]);
                if (image.pixel(x, y) != expected && ++wrong <= 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << " of entry " << n;
            }
        }
        EXPECT_EQ(wrong, 0);
    }
}

TEST(PaletteGrid, CellsStartOnlyInsideAllButTheLastRowAndColumn) {
    // Cell column 2 starts at x = 32 = width - 1 and cell row 1 at y = 16 =
    // height - 1: neither is drawn. Cells that start inside are cut at the edge.
    QImage image = whiteImage(33, 17);
    drawPaletteGrid(image, test::rampPalette());
    EXPECT_EQ(image.pixel(32, 0), kWhite);
    EXPECT_EQ(image.pixel(32, 16), kWhite);
    EXPECT_EQ(image.pixel(0, 16), kWhite);
    EXPECT_EQ(image.pixel(31, 15), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(16, 0), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(17, 1), qRgb(1, 254, 7));  // entry 1 of the ramp

    QImage wider = whiteImage(34, 18);
    drawPaletteGrid(wider, test::rampPalette());
    EXPECT_EQ(wider.pixel(32, 0), qRgb(0, 0, 0));  // column 2 starts at 32 < 33
    EXPECT_EQ(wider.pixel(33, 1), qRgb(2, 253, 14));
    EXPECT_EQ(wider.pixel(0, 16), qRgb(0, 0, 0));  // row 1 starts at 16 < 17
}

class AreaOverlayTest : public CoreTest {
  protected:
    // Four columns and two rows of 8 x 8 tiles.
    void SetUp() override {
        CoreTest::SetUp();
        ASSERT_TRUE(createPage(page, 8, 4, 8, 2, kMode8));
    }
    // The entry, its layer made when the page has none yet.
    AreaRect& entry(int layer, int tile) {
        auto& held = page.areas[static_cast<std::size_t>(layer - 1)];
        if (!held) held = std::make_unique<AreaLayer>();
        return (*held)[static_cast<std::size_t>(tile)];
    }
    Points overlay(int layer, int w = 32, int h = 16) {
        QImage image = whiteImage(w, h);
        drawAreaOverlay(image, page, layer);
        for (const auto& [x, y] : painted(image))
            EXPECT_EQ(image.pixel(x, y), qRgb(255, 255, 0)) << x << "," << y;
        return painted(image);
    }
    Page page;
};

TEST_F(AreaOverlayTest, SetEntriesAreOutlinedInTheirTile) {
    entry(2, 5) = {1, 2, 5, 6};  // tile 5: column 1, row 1
    const Points tile5 =
        joined({row(10, 9, 12), column(13, 10, 13), row(14, 9, 12), column(9, 10, 13)});
    EXPECT_EQ(overlay(2), tile5);
    // Only the chosen layer is drawn; 0 and values past 5 draw nothing.
    for (const int layer : {0, 1, 3, 5, 6, -1})
        EXPECT_EQ(overlay(layer), Points{}) << "layer " << layer;
}

TEST_F(AreaOverlayTest, AnEntryIsSetExactlyWhenItsRightIsNotZero) {
    entry(1, 0) = {2, 2, 0, 5};  // right 0: unset, whatever else it holds
    EXPECT_EQ(overlay(1), Points{});
    entry(1, 0) = {0, 0, 3, 2};  // left 0 with right > 0 is set
    EXPECT_EQ(overlay(1), joined({row(0, 0, 2), column(3, 0, 1), row(2, 0, 2), column(0, 0, 1)}));
}

TEST_F(AreaOverlayTest, OnlyTheTilesOfThePageAreOutlined) {
    // Entry 8 lies past the page's 8 tiles; it would land in the image's third
    // tile row, here made visible.
    entry(1, 8) = {0, 0, 2, 2};
    entry(1, 7) = {0, 0, 2, 2};
    EXPECT_EQ(overlay(1, 32, 24),
              joined({row(8, 24, 25), column(26, 8, 9), row(10, 24, 25), column(24, 8, 9)}));
}

TEST_F(AreaOverlayTest, PagesOfMoreThanAThousandTilesShowTheFirstThousand) {
    // 1010 tiles of 2 x 4 in one row; every entry of the layer set to the
    // tile's top-left 1 x 1 pixel.
    ASSERT_TRUE(createPage(page, 2, 1010, 4, 1, kMode8));
    for (int tile = 0; tile < kAreaEntries; ++tile)
        entry(1, tile) = {0, 0, 1, 1};
    QImage image = whiteImage(2020, 4);
    drawAreaOverlay(image, page, 1);
    const Points points = painted(image);
    EXPECT_TRUE(points.count({999 * 2, 0}));
    EXPECT_EQ(points.size(), 1000u * 3);  // (0,0), (0,1) left and right (1,0) per tile
    EXPECT_EQ(points.upper_bound({1999, 99}), points.end());  // nothing from x = 2000 on
}

}  // namespace
}  // namespace zentil
