#include "render/canvas_render.h"

#include <cstring>
#include <random>
#include <vector>

#include "render/classic_drawing.h"
#include "test_support.h"

namespace zentil {
namespace {

using test::CoreTest;

constexpr std::uint8_t kUntouched = 0xA5;
constexpr std::uint32_t kUntouchedWord = 0xA5A5A5A5;
constexpr std::uint32_t kGridColor = 0x00C0FFEE;  // 0x00BBGGRR
constexpr std::uint32_t kYellow = 0x0000FFFF;

// 3 x 3 tiles of 5 x 4 pixels: 15 wide, stride 16, 12 high; random pixels,
// the padding included, a random palette, and two rectangles in area layer 1.
void makePage(Page& page, int mode) {
    ASSERT_TRUE(createPage(page, 5, 3, 4, 3, mode));
    std::mt19937 rng(static_cast<std::uint32_t>(mode));
    Palette palette;
    for (auto& b : palette)
        b = static_cast<std::uint8_t>(rng());
    setPagePalette(page, palette);
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.stride; ++x)
            putPixel(page, x, y, rng() & (mode == kMode16 ? 0x7FFF : 0xFFFFFF));
    page.areas[0] = std::make_unique<AreaLayer>();
    (*page.areas[0])[0] = AreaRect{1, 1, 4, 3};
    (*page.areas[0])[4] = AreaRect{0, 0, 5, 4};
}

// The view's pixels are 0xFFRRGGBB words.
std::uint32_t word(int r, int g, int b) {
    return 0xFF000000u | (std::uint32_t(r) << 16) | (std::uint32_t(g) << 8) | std::uint32_t(b);
}

std::uint32_t wordOf(std::uint32_t bgr) {
    return word(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

// A page pixel as the screen shows it.
std::uint32_t shown(const Page& page, int x, int y) {
    const std::size_t at = static_cast<std::size_t>(y) * page.stride + x;
    if (page.mode == kMode8) {
        const std::uint8_t* q = &page.paletteQuad[page.pixels8[at] * 4];
        return word(q[0], q[1], q[2]);
    }
    if (page.mode == kMode24)
        return word(page.pixels24[at * 3 + 2], page.pixels24[at * 3 + 1], page.pixels24[at * 3]);
    const std::uint16_t v = page.pixels16[at];
    const auto widen = [](int c) { return (c << 3) | (c >> 2); };
    return word(widen((v >> 10) & 31), widen((v >> 5) & 31), widen(v & 31));
}

int floorMod(std::int64_t a, int b) {
    return static_cast<int>(((a % b) + b) % b);
}

struct Case {
    int zoom, originX, originY;
    QRect clip;
    bool pixelGrid, grid;
    int areaLayer;
    QRect outline;  // empty: none
    int thickness;
};

// What the view must hold at screen pixel (sx, sy), from the rules alone.
std::uint32_t expectedAt(const Page& page, const Case& c, int sx, int sy) {
    std::uint32_t out = kUntouchedWord;
    if (!c.clip.contains(sx, sy)) return out;
    const CanvasProjection p{c.zoom, c.originX, c.originY};
    const std::int64_t px = p.pageX(sx), py = p.pageY(sy);
    if (px >= 0 && py >= 0 && px < page.stride && py < page.height) {
        out = shown(page, static_cast<int>(px), static_cast<int>(py));
        const bool firstColumn = sx == p.screenX(px), firstRow = sy == p.screenY(py);
        if (c.pixelGrid && c.zoom >= kPixelGridMinZoom && (firstColumn || firstRow)) {
            const auto faint = [&](int shift) {
                const int v = static_cast<int>((out >> shift) & 0xFF);
                return v + (128 - v) / 4;
            };
            out = word(faint(16), faint(8), faint(0));
        }
        const int tw = page.tileWidth, th = page.tileHeight;
        const bool dotX = floorMod(sx - c.originX, 3) == 0, dotY = floorMod(sy - c.originY, 3) == 0;
        if (c.grid &&
            ((firstRow && py > 0 && py % th == 0) || (firstColumn && px > 0 && px % tw == 0) ||
             (firstRow && py % th == th / 2 && dotX) || (firstColumn && px % tw == tw / 2 && dotY)))
            out = wordOf(kGridColor);
        if (c.areaLayer == 1)
            for (int i = 0; i < page.tileCount; ++i) {
                const AreaRect& r = (*page.areas[0])[static_cast<std::size_t>(i)];
                if (r.right == 0) continue;
                const int x = r.left + (i % page.cols) * tw, y = r.top + (i / page.cols) * th;
                const std::int64_t x0 = p.screenX(x), x1 = p.screenX(x + r.right - r.left);
                const std::int64_t y0 = p.screenY(y), y1 = p.screenY(y + r.bottom - r.top);
                if (((sy == y0 || sy == y1) && sx >= x0 && sx < x1) ||
                    ((sx == x0 || sx == x1) && sy >= y0 && sy < y1))
                    out = wordOf(kYellow);
            }
    }
    if (!c.outline.isEmpty()) {
        const QRect o = c.outline;
        const std::int64_t x0 = p.screenX(o.x()), x1 = p.screenX(o.x() + o.width());
        const std::int64_t y0 = p.screenY(o.y()), y1 = p.screenY(o.y() + o.height());
        if (sx >= x0 && sx < x1 && sy >= y0 && sy < y1 &&
            (sx < x0 + c.thickness || sx >= x1 - c.thickness || sy < y0 + c.thickness ||
             sy >= y1 - c.thickness))
            out = wordOf(0x0000FF);
    }
    return out;
}

QImage untouched(int w, int h) {
    QImage image(w, h, kCanvasFormat);
    std::memset(image.bits(), kUntouched, static_cast<std::size_t>(image.sizeInBytes()));
    return image;
}

// Every zoom level, origins left of and above the view and inside it, clips,
// the pixel grid, tile grid and centre lines, area rectangles and outlines of
// both thicknesses, for pages of all three modes, against the rules pixel by
// pixel.
TEST(CanvasRenderTest, TheViewMatchesThePlainPerPixelRules) {
    const QRect all(0, 0, 60, 50);
    const Case cases[] = {
        {1, 0, 0, all, false, true, 1, QRect(3, 2, 7, 5), 1},
        {1, 7, 3, QRect(10, 4, 20, 9), false, true, 0, {}, 1},
        {2, -3, 5, all, true, true, 1, QRect(-2, -1, 10, 8), 1},
        {3, 4, -7, QRect(5, 5, 30, 20), false, true, 1, QRect(5, 4, 5, 4), 2},
        {4, -9, -9, all, false, false, 1, {}, 1},
        {6, 1, 2, all, true, true, 0, QRect(0, 0, 5, 4), 2},
        {8, -17, -13, all, true, true, 1, QRect(1, 1, 3, 2), 2},
        {12, -40, -30, QRect(7, 3, 41, 33), true, true, 1, {}, 1},
        {16, -70, -50, all, true, true, 1, QRect(5, 4, 5, 4), 2},
        {24, -100, -90, all, false, true, 1, {}, 1},
        {32, -200, -150, all, true, true, 1, QRect(6, 4, 1, 1), 2},
    };
    for (const int mode : {kMode8, kMode16, kMode24}) {
        Page page;
        makePage(page, mode);
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "mode " << mode << ", zoom " << c.zoom << ", origin "
                                            << c.originX << ", " << c.originY);
            CanvasOverlays overlays;
            overlays.pixelGrid = c.pixelGrid;
            overlays.grid = {c.grid, kGridColor};
            overlays.areaLayer = c.areaLayer;
            if (!c.outline.isEmpty())
                overlays.outline =
                    CanvasOutline{c.outline.x(),      c.outline.y(), c.outline.width(),
                                  c.outline.height(), 0x0000FF,      c.thickness};
            QImage image = untouched(all.width(), all.height());
            renderCanvasView(image, c.clip, page, {c.zoom, c.originX, c.originY}, overlays);
            ASSERT_EQ(image.format(), kCanvasFormat);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    ASSERT_EQ(reinterpret_cast<const std::uint32_t*>(image.constScanLine(y))[x],
                              expectedAt(page, c, x, y))
                        << "at " << x << ", " << y;
        }
    }
}

// At 1x with the origin on the image's corner, the view is what the classic
// drawing of the canvas gave (classic_drawing.h): the page, its grid, centre
// lines and area rectangles.
TEST(CanvasRenderTest, AtOneToOneTheViewIsTheClassicDrawing) {
    for (const int mode : {kMode8, kMode24}) {
        SCOPED_TRACE(mode);
        Page page;
        makePage(page, mode);
        QImage classic = untouched(page.stride, page.height);
        test::renderPage(classic, page, 0, 0, page.stride, page.height);
        test::drawTileGrid(classic, page.tileWidth, page.tileHeight, kGridColor);
        test::drawTileCentres(classic, page.tileWidth, page.tileHeight, kGridColor);
        test::drawAreaOverlay(classic, page, 1);
        QImage view = untouched(page.stride, page.height);
        CanvasOverlays overlays;
        overlays.grid = {true, kGridColor};
        overlays.areaLayer = 1;
        renderCanvasView(view, view.rect(), page, CanvasProjection{}, overlays);
        for (int y = 0; y < page.height; ++y)
            for (int x = 0; x < page.stride; ++x)
                ASSERT_EQ(classic.pixel(x, y), view.pixel(x, y)) << "at " << x << ", " << y;
    }
}

}  // namespace
}  // namespace zentil
