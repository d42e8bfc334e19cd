#include "render/byte_map.h"

#include <QGuiApplication>
#include <algorithm>
#include <memory>
#include <optional>
#include <vector>

#include "edit/paint.h"
#include "formats/gpf_figure.h"
#include "render/canvas_render.h"
#include "test_support.h"

namespace zentil {
namespace {

// Printing the figures needs the fonts, which need an application object;
// it is made by the first test that prints and ends with the suite, so that
// the font library is shut down too.
class ApplicationEnd : public ::testing::Environment {
  public:
    void TearDown() override { delete QGuiApplication::instance(); }
};
[[maybe_unused]] ::testing::Environment* const kApplicationEnd =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnd);

void ensureApplication() {
    static int argc = 1;
    static char name[] = "zentil_render_tests";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance() == nullptr) new QGuiApplication(argc, argv);
}

constexpr QRgb kGrey = 0xFF808080;

// cols x rows tiles of 8 x 8 pixels; tile t holds (t * 5) % 40 + 1 pixels of
// index 7 in a diagonal streak over the key, so the tiles take different bytes.
std::unique_ptr<Page> makeSheet(int cols, int rows) {
    auto page = std::make_unique<Page>();
    if (!createPage(*page, 8, cols, 8, rows, kMode8)) return nullptr;
    for (int t = 0; t < page->tileCount; ++t) {
        const int x0 = (t % cols) * 8, y0 = (t / cols) * 8;
        for (int i = 0; i < (t * 5) % 40 + 1; ++i)
            putPixel(*page, x0 + (i * 3) % 8, y0 + (i * 5 + i / 8) % 8, 7);
    }
    return page;
}

// The extremes of the figure's tiles, counted plainly.
std::pair<std::uint64_t, std::uint64_t> extremes(const GpfSizes& sizes) {
    const auto [low, high] = std::minmax_element(sizes.tileBytes.begin(), sizes.tileBytes.end());
    return {*low, *high};
}

// The scale keeps the extremes of the figure through edits that raise, lower
// and take away the only cheapest or dearest tile, across its chunks, and
// through changes it cannot follow tile by tile.
TEST(ByteMapScale, FollowsTheFigureEditByEdit) {
    auto page = makeSheet(64, 40);  // 2560 tiles: three chunks
    ASSERT_TRUE(page);
    GpfFigure figure;
    ByteMapScale scale;
    ASSERT_TRUE(figure.update(*page, std::nullopt).ok);
    scale.update(*page, figure, std::nullopt);
    ASSERT_EQ(scale.tileCount(), 2560u);
    ASSERT_EQ(std::make_pair(scale.cheapest(), scale.dearest()), extremes(figure.sizes()));

    struct Edit {
        const char* what;
        int x0, y0, x1, y1;
        std::uint8_t index;
        bool tellChange;
    };
    const Edit edits[] = {
        {"a full tile row makes a new dearest", 0, 3, 511, 3, 7, true},
        {"the dearest goes back to the key", 0, 3, 511, 3, 0, true},
        {"a tile in the last chunk cleared", 504, 312, 511, 319, 0, true},
        {"a dab at a tile's left edge", 200, 100, 200, 100, 9, true},
        {"every tile cleared across chunks", 0, 0, 511, 319, 0, true},
        {"a block over many chunks", 100, 0, 300, 319, 3, true},
        {"an unknown change", 5, 5, 60, 5, 0, false},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.what);
        for (int y = e.y0; y <= e.y1; ++y)
            paintLine(*page, e.x0, y, e.x1, y, e.index);
        const PixelRect changed{e.x0, e.y0, e.x1 - e.x0 + 1, e.y1 - e.y0 + 1};
        ++page->revision;
        const std::optional<PixelRect> told =
            e.tellChange ? std::optional<PixelRect>(changed) : std::nullopt;
        ASSERT_TRUE(figure.update(*page, told).ok);
        scale.update(*page, figure, told);
        EXPECT_EQ(std::make_pair(scale.cheapest(), scale.dearest()), extremes(figure.sizes()));
    }

    // A new key is measured whole by the figure, and by the scale too.
    setColorKey(*page, 3);
    ++page->revision;
    ASSERT_TRUE(figure.update(*page, PixelRect{0, 0, 1, 1}).ok);
    scale.update(*page, figure, PixelRect{0, 0, 1, 1});
    EXPECT_EQ(std::make_pair(scale.cheapest(), scale.dearest()), extremes(figure.sizes()));

    // A figure of another revision leaves the scale unknown.
    ++page->revision;
    scale.update(*page, figure, std::nullopt);
    EXPECT_FALSE(scale.known());
}

// Along the scale the hue runs from blue to red, never back.
TEST(ByteMap, TintRunsFromCoolToHot) {
    EXPECT_EQ(byteMapTint(10, 10, 50).hue(), 240);
    EXPECT_EQ(byteMapTint(50, 10, 50).hue(), 0);
    int hue = 241;
    for (std::uint64_t b = 10; b <= 50; ++b) {
        const int h = byteMapTint(b, 10, 50).hue();
        EXPECT_LE(h, hue) << b;
        hue = h;
    }
    EXPECT_EQ(byteMapTint(7, 7, 7), byteMapTint(7, 10, 10));  // all equal: one colour
}

bool near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 1 && std::abs(qGreen(a) - qGreen(b)) <= 1 &&
           std::abs(qBlue(a) - qBlue(b)) <= 1;
}

QRgb tinted(QRgb base, const QColor& tint) {
    const double a = kByteMapTintAlpha / 256.0;
    const auto mix = [a](int from, int to) { return static_cast<int>(from * (1 - a) + to * a); };
    return qRgb(mix(qRed(base), tint.red()), mix(qGreen(base), tint.green()),
                mix(qBlue(base), tint.blue()));
}

// Every view pixel of a tile inside `dirty` takes the tile's tint over the
// grey, except figures in tiles large enough; every other pixel stays grey.
TEST(ByteMap, TintsTheTilesInsideTheRepaintedPartOnly) {
    ensureApplication();
    auto page = makeSheet(4, 3);
    ASSERT_TRUE(page);
    GpfFigure figure;
    ASSERT_TRUE(figure.update(*page, std::nullopt).ok);
    ByteMapScale scale;
    scale.update(*page, figure, std::nullopt);
    const auto [cheapest, dearest] = extremes(figure.sizes());
    ASSERT_LT(cheapest, dearest);

    struct Case {
        int zoom;
        QRect dirty;
        bool printed;  // whether the tiles are large enough for their figures
    };
    const Case cases[] = {
        {1, QRect(0, 0, 400, 300), false}, {4, QRect(0, 0, 400, 300), false},
        {6, QRect(0, 0, 400, 300), true},  {6, QRect(30, 20, 70, 90), true},
        {8, QRect(3, 3, 1, 1), true},      {3, QRect(-50, -50, 60, 900), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.zoom);
        SCOPED_TRACE(c.dirty.x());
        QImage view(400, 300, kCanvasFormat);
        view.fill(kGrey);
        const CanvasProjection projection{c.zoom, 5, 3};
        drawByteMap(view, c.dirty, *page, projection, figure.sizes(), scale);
        const QRect inside = c.dirty.intersected(
            screenRect(projection, 0, 0, page->width, page->height).intersected(view.rect()));
        std::vector<int> figurePixels(static_cast<std::size_t>(page->tileCount));
        for (int y = 0; y < view.height(); ++y)
            for (int x = 0; x < view.width(); ++x) {
                const QRgb p = view.pixel(x, y);
                if (!inside.contains(x, y)) {
                    ASSERT_EQ(p, kGrey) << x << "," << y;
                    continue;
                }
                const int tile = tileIndexAt(*page, static_cast<int>(projection.pageX(x)),
                                             static_cast<int>(projection.pageY(y)));
                const QColor tint = byteMapTint(
                    figure.sizes().tileBytes[static_cast<std::size_t>(tile)], cheapest, dearest);
                if (!near(p, tinted(kGrey, tint))) ++figurePixels[static_cast<std::size_t>(tile)];
            }
        for (int t = 0; t < page->tileCount; ++t) {
            // The figure is printed about the tile's middle.
            const QRect middle(
                screenRect(projection, (t % 4) * 8, (t / 4) * 8, 8, 8).center() - QPoint(4, 3),
                QSize(9, 7));
            const bool figureVisible = inside.contains(middle);
            const int changed = figurePixels[static_cast<std::size_t>(t)];
            if (!c.printed) {
                EXPECT_EQ(changed, 0) << t;
            } else if (figureVisible) {
                EXPECT_GT(changed, 10) << t;
            }
        }
    }
}

// Sizes that do not describe the page's tiles draw nothing.
TEST(ByteMap, DrawsNothingForSizesOfAnotherPage) {
    auto page = makeSheet(4, 3);
    ASSERT_TRUE(page);
    GpfFigure figure;
    ASSERT_TRUE(figure.update(*page, std::nullopt).ok);
    ByteMapScale scale;
    scale.update(*page, figure, std::nullopt);
    GpfSizes fewer = figure.sizes();
    fewer.tileBytes.pop_back();
    ByteMapScale fewerScale;
    fewerScale.measure(fewer);
    const ByteMapScale unknown;
    const struct {
        const char* what;
        GpfSizes sizes;
        const ByteMapScale& scale;
    } cases[] = {
        {"no sizes", GpfSizes{}, scale},
        {"one tile fewer", fewer, scale},
        {"a scale of fewer tiles", figure.sizes(), fewerScale},
        {"an unknown scale", figure.sizes(), unknown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QImage view(100, 80, kCanvasFormat);
        view.fill(kGrey);
        drawByteMap(view, view.rect(), *page, CanvasProjection{2, 0, 0}, c.sizes, c.scale);
        for (int y = 0; y < view.height(); ++y)
            for (int x = 0; x < view.width(); ++x)
                ASSERT_EQ(view.pixel(x, y), kGrey);
    }
}

}  // namespace
}  // namespace zentil
