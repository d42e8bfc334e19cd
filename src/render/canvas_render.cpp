#include "render/canvas_render.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <vector>

#include "render/page_render.h"

namespace zentil {
namespace {

constexpr std::uint32_t kAreaYellow = 0x0000FFFF;  // red 255, green 255, blue 0

// Writes straight into the rows of a kCanvasFormat image, never outside `clip`.
class Plotter {
  public:
    Plotter(QImage& image, const QRect& clip)
        : bits_(image.bits()), line_(image.bytesPerLine()), clip_(clip) {}

    // A 0x00BBGGRR colour as the image's 0xFFRRGGBB word.
    static std::uint32_t wordOf(std::uint32_t bgr) {
        return 0xFF000000u | ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
    }

    // Screen pixels [x0, x1) of row y, every `step`-th counted from `phase`.
    void row(std::int64_t y, std::int64_t x0, std::int64_t x1, std::uint32_t color, int step = 1,
             std::int64_t phase = 0) {
        if (y < clip_.top() || y > clip_.bottom()) return;
        x0 = std::max<std::int64_t>(x0, clip_.left());
        x1 = std::min<std::int64_t>(x1, std::int64_t{clip_.right()} + 1);
        if (step > 1) x0 += (step - (x0 - phase) % step) % step;
        const std::uint32_t word = wordOf(color);
        std::uint8_t* out = bits_ + y * line_;
        for (std::int64_t x = x0; x < x1; x += step)
            std::memcpy(out + x * 4, &word, 4);
    }

    // Screen pixels [y0, y1) of column x, every `step`-th counted from `phase`.
    void column(std::int64_t x, std::int64_t y0, std::int64_t y1, std::uint32_t color, int step = 1,
                std::int64_t phase = 0) {
        if (x < clip_.left() || x > clip_.right()) return;
        y0 = std::max<std::int64_t>(y0, clip_.top());
        y1 = std::min<std::int64_t>(y1, std::int64_t{clip_.bottom()} + 1);
        if (step > 1) y0 += (step - (y0 - phase) % step) % step;
        const std::uint32_t word = wordOf(color);
        for (std::int64_t y = y0; y < y1; y += step)
            std::memcpy(bits_ + y * line_ + x * 4, &word, 4);
    }

    // The classic primitive along an axis: from the start up to the end,
    // the end left out; a line running left or up covers (end, start].
    void axisLine(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2,
                  std::uint32_t color) {
        if (y1 == y2 && x1 != x2)
            x2 > x1 ? row(y1, x1, x2, color) : row(y1, x2 + 1, x1 + 1, color);
        else if (x1 == x2 && y1 != y2)
            y2 > y1 ? column(x1, y1, y2, color) : column(x1, y2 + 1, y1 + 1, color);
    }

    // Every pixel of the rectangle inside the clip.
    void fill(const QRect& rect, std::uint32_t color) {
        const QRect r = rect & clip_;
        for (int y = r.top(); y <= r.bottom(); ++y)
            row(y, r.left(), std::int64_t{r.right()} + 1, color);
    }

    // Moves pixels a quarter of the way to mid grey: a line that shows on
    // dark and light pixels alike without hiding them.
    void faintRow(std::int64_t y, std::int64_t x0, std::int64_t x1) {
        if (y < clip_.top() || y > clip_.bottom()) return;
        x0 = std::max<std::int64_t>(x0, clip_.left());
        x1 = std::min<std::int64_t>(x1, std::int64_t{clip_.right()} + 1);
        std::uint8_t* out = bits_ + y * line_;
        for (std::int64_t x = x0; x < x1; ++x)
            faint(out + x * 4);
    }
    void faintColumn(std::int64_t x, std::int64_t y0, std::int64_t y1, int skipEvery,
                     std::int64_t phase) {
        if (x < clip_.left() || x > clip_.right()) return;
        y0 = std::max<std::int64_t>(y0, clip_.top());
        y1 = std::min<std::int64_t>(y1, std::int64_t{clip_.bottom()} + 1);
        for (std::int64_t y = y0; y < y1; ++y) {
            if ((y - phase) % skipEvery == 0) continue;  // the row lines did these
            faint(bits_ + y * line_ + x * 4);
        }
    }

  private:
    // Each colour channel of a 0xFFRRGGBB word.
    static void faint(std::uint8_t* px) {
        std::uint32_t word;
        std::memcpy(&word, px, 4);
        std::uint32_t out = 0xFF000000u;
        for (int shift = 0; shift < 24; shift += 8) {
            const int v = static_cast<int>((word >> shift) & 0xFF);
            out |= static_cast<std::uint32_t>(v + (128 - v) / 4) << shift;
        }
        std::memcpy(px, &out, 4);
    }

    std::uint8_t* bits_;
    std::int64_t line_;
    QRect clip_;
};

// a - b rounded up to a multiple of `step` past b: the first k * step + b at or above a.
std::int64_t firstMultipleFrom(std::int64_t a, std::int64_t step) {
    return -floorDiv(-a, step) * step;
}

void drawPagePixels(QImage& image, const QRect& area, const Page& page, const CanvasProjection& p) {
    const std::int64_t x0 = area.left(), x1 = std::int64_t{area.right()} + 1;
    const std::int64_t c0 = p.pageX(x0), c1 = p.pageX(x1 - 1);
    std::vector<ColumnSpan> spans;
    if (p.zoom == 1) {
        spans.push_back({static_cast<int>(c0), static_cast<int>(c1 - c0 + 1), 1});
    } else {
        // The first and last columns may show only part of their width.
        spans.push_back(
            {static_cast<int>(c0), 1, static_cast<int>(std::min(x1, p.screenX(c0 + 1)) - x0)});
        if (c1 - c0 > 1)
            spans.push_back({static_cast<int>(c0 + 1), static_cast<int>(c1 - c0 - 1), p.zoom});
        if (c1 > c0)
            spans.push_back({static_cast<int>(c1), 1, static_cast<int>(x1 - p.screenX(c1))});
    }
    std::vector<int> rows(static_cast<std::size_t>(area.height()));
    for (int k = 0; k < area.height(); ++k)
        rows[static_cast<std::size_t>(k)] = static_cast<int>(p.pageY(area.top() + k));
    renderPageSpans(image, area.left(), area.top(), page, spans, rows);
}

// Lines across the page at every multiple of `tile` in page rows from
// `first` on (the first, with `first` = tile / 2, are the centre lines).
template <typename Draw>
void everyTile(std::int64_t first, int tile, std::int64_t fromPage, std::int64_t toPage,
               std::int64_t limit, Draw draw) {
    if (tile <= 0) return;
    std::int64_t at = first + firstMultipleFrom(fromPage - first, tile);
    at = std::max(at, first);
    for (; at <= toPage && at < limit; at += tile)
        draw(at);
}

void drawGrid(Plotter& plot, const QRect& area, const Page& page, const CanvasProjection& p,
              const CanvasOverlays& o) {
    const std::int64_t left = area.left(), right = std::int64_t{area.right()} + 1;
    const std::int64_t top = area.top(), bottom = std::int64_t{area.bottom()} + 1;
    const std::int64_t r0 = p.pageY(top), r1 = p.pageY(bottom - 1);
    const std::int64_t c0 = p.pageX(left), c1 = p.pageX(right - 1);
    const int tw = page.tileWidth, th = page.tileHeight;
    const std::uint32_t color = o.grid.color;
    everyTile(th, th, r0, r1, page.height,
              [&](std::int64_t r) { plot.row(p.screenY(r), left, right, color); });
    everyTile(tw, tw, c0, c1, page.stride,
              [&](std::int64_t c) { plot.column(p.screenX(c), top, bottom, color); });
    if (!o.centreLines) return;
    everyTile(th / 2, th, r0, r1, page.height,
              [&](std::int64_t r) { plot.row(p.screenY(r), left, right, color, 3, p.originX); });
    everyTile(tw / 2, tw, c0, c1, page.stride,
              [&](std::int64_t c) { plot.column(p.screenX(c), top, bottom, color, 3, p.originY); });
}

void drawAreas(Plotter& plot, const Page& page, const CanvasProjection& p, int layer) {
    if (layer < 1 || layer > kAreaLayerCount || page.cols <= 0) return;
    const AreaLayer* areas = page.areas[static_cast<std::size_t>(layer - 1)].get();
    if (areas == nullptr) return;
    const int tiles = std::min(page.tileCount, kAreaEntries);
    for (int i = 0; i < tiles; ++i) {
        const AreaRect& r = (*areas)[static_cast<std::size_t>(i)];
        if (r.right == 0) continue;
        const std::int64_t x = std::int64_t{r.left} + std::int64_t{i % page.cols} * page.tileWidth;
        const std::int64_t y = std::int64_t{r.top} + std::int64_t{i / page.cols} * page.tileHeight;
        const std::int64_t sx0 = p.screenX(x), sy0 = p.screenY(y);
        const std::int64_t sx1 = p.screenX(x + r.right - r.left);
        const std::int64_t sy1 = p.screenY(y + r.bottom - r.top);
        plot.axisLine(sx0, sy0, sx1, sy0, kAreaYellow);
        plot.axisLine(sx1, sy0, sx1, sy1, kAreaYellow);
        plot.axisLine(sx0, sy1, sx1, sy1, kAreaYellow);
        plot.axisLine(sx0, sy0, sx0, sy1, kAreaYellow);
    }
}

void drawOutline(Plotter& plot, const CanvasProjection& p, const CanvasOutline& o) {
    const QRect r = screenRect(p, o.x, o.y, o.width, o.height);
    if (r.isEmpty()) return;
    const int t = std::max(o.thickness, 1);
    plot.fill(QRect(r.left(), r.top(), r.width(), std::min(t, r.height())), o.color);
    plot.fill(QRect(r.left(), r.bottom() - t + 1, r.width(), std::min(t, r.height())), o.color);
    plot.fill(QRect(r.left(), r.top(), std::min(t, r.width()), r.height()), o.color);
    plot.fill(QRect(r.right() - t + 1, r.top(), std::min(t, r.width()), r.height()), o.color);
}

}  // namespace

QRect screenRect(const CanvasProjection& projection, std::int64_t x, std::int64_t y,
                 std::int64_t width, std::int64_t height) {
    // Far beyond any screen, and small enough that widths stay in int.
    static constexpr std::int64_t kFar = std::int64_t{1} << 29;
    const auto limited = [](std::int64_t v) {
        return static_cast<int>(std::clamp(v, -kFar, kFar));
    };
    const int left = limited(projection.screenX(x)), top = limited(projection.screenY(y));
    const int right = limited(projection.screenX(x + std::max<std::int64_t>(width, 0)));
    const int bottom = limited(projection.screenY(y + std::max<std::int64_t>(height, 0)));
    return QRect(left, top, right - left, bottom - top);
}

void fillCanvasRect(QImage& image, const QRect& rect, std::uint32_t bgr) {
    if (image.format() != kCanvasFormat) return;
    Plotter(image, image.rect()).fill(rect, bgr);
}

void renderCanvasView(QImage& image, const QRect& clip, const Page& page,
                      const CanvasProjection& projection, const CanvasOverlays& overlays) {
    if (image.isNull() || projection.zoom <= 0) return;
    if (image.format() != kCanvasFormat) image.convertTo(kCanvasFormat);
    if (image.format() != kCanvasFormat) return;
    const QRect visible = clip & image.rect();
    if (visible.isEmpty()) return;
    Plotter plot(image, visible);
    const QRect area = visible & screenRect(projection, 0, 0, page.stride, page.height);
    if (!area.isEmpty()) {
        drawPagePixels(image, area, page, projection);
        const int z = projection.zoom;
        Plotter inPage(image, area);
        if (overlays.pixelGrid && z >= kPixelGridMinZoom) {
            const std::int64_t right = std::int64_t{area.right()} + 1;
            const std::int64_t bottom = std::int64_t{area.bottom()} + 1;
            for (std::int64_t y =
                     projection.originY + firstMultipleFrom(area.top() - projection.originY, z);
                 y < bottom; y += z)
                inPage.faintRow(y, area.left(), right);
            for (std::int64_t x =
                     projection.originX + firstMultipleFrom(area.left() - projection.originX, z);
                 x < right; x += z)
                inPage.faintColumn(x, area.top(), bottom, z, projection.originY);
        }
        if (overlays.grid.shown) drawGrid(inPage, area, page, projection, overlays);
        drawAreas(inPage, page, projection, overlays.areaLayer);
    }
    if (overlays.outline) drawOutline(plot, projection, *overlays.outline);
}

}  // namespace zentil
