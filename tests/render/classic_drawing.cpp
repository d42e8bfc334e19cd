#include "render/classic_drawing.h"

#include <QPainter>
#include <QPen>
#include <QRect>
#include <QRegion>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "render/drawing.h"
#include "render/page_render.h"
#include "render/screen_row.h"

namespace zentil::test {
namespace {

// Ends of axis-parallel lines are limited to this distance from the origin
// before they reach the painter, far beyond any image, so that sums of page
// values cannot overflow; limiting the ends of such a line leaves its pixels
// inside the image as they were. Other lines only ever come as int ends.
constexpr std::int64_t kFar = std::int64_t{1} << 20;

int limited(std::int64_t v) {
    return static_cast<int>(std::clamp(v, -kFar, kFar));
}

// A painter on `image` set up for classic lines: no antialiasing, no brush,
// flat caps. The painter's one-pixel (cosmetic) pen with flat caps steps along
// the longer axis from the smaller to the larger coordinate and leaves out the
// pixel at the larger one; the default square cap would draw both ends. So a
// line running right or down loses its end point as wanted, and line() turns
// the others around.
class LinePainter {
  public:
    LinePainter(QImage& image, std::uint32_t color, int width, int style)
        : painter_(&image),
          bounds_(image.rect()),
          cosmetic_(width <= 1),
          image_(image),
          dotted_(style == kPenDotted) {
        if (!painter_.isActive()) return;
        // One pixel of the colour in the image's own format, for plotting
        // one-pixel lines straight into the rows.
        const int depth = image.depth();
        if (cosmetic_ && depth % 8 == 0 && depth <= 32) {
            QImage one(1, 1, image.format());
            one.fill(colorFromBgr(color));
            pixelBytes_ = depth / 8;
            std::memcpy(pixel_, one.constBits(), static_cast<std::size_t>(pixelBytes_));
        }
        painter_.setRenderHint(QPainter::Antialiasing, false);
        painter_.setBrush(Qt::NoBrush);
        QPen pen(colorFromBgr(color));
        pen.setStyle(style == kPenDotted ? Qt::DotLine : Qt::SolidLine);
        pen.setCapStyle(Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        pen.setWidth(cosmetic_ ? 1 : width);
        pen.setCosmetic(cosmetic_);
        painter_.setPen(pen);
    }

    void line(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
        // The painter draws a single pixel for a line of no length, where the
        // classic primitive, leaving out the end point, draws nothing.
        if (!painter_.isActive() || (x1 == x2 && y1 == y2)) return;
        if (plotForward(x1, y1, x2, y2)) return;
        if (x1 == x2 || y1 == y2) {
            // Along an axis the painter covers [min, max); a line running left
            // or up, moved one pixel on, covers (end, start] instead.
            if (x2 < x1) {
                ++x1;
                ++x2;
            }
            if (y2 < y1) {
                ++y1;
                ++y2;
            }
            painter_.drawLine(limited(x1), limited(y1), limited(x2), limited(y2));
            return;
        }
        const int ax = static_cast<int>(x1), ay = static_cast<int>(y1);
        const int bx = static_cast<int>(x2), by = static_cast<int>(y2);
        if ((bx > ax && by > ay) || !cosmetic_) {
            painter_.drawLine(ax, ay, bx, by);
            return;
        }
        // Any other slanted line: drawn with both ends, the end point clipped away.
        painter_.save();
        QPen pen = painter_.pen();
        pen.setCapStyle(Qt::SquareCap);
        painter_.setPen(pen);
        painter_.setClipRegion(QRegion(bounds_).subtracted(QRegion(bx, by, 1, 1)));
        painter_.drawLine(ax, ay, bx, by);
        painter_.restore();
    }

  private:
    // A one-pixel line running right or down along an axis, written straight
    // into the rows: the same pixels the painter sets ([start, end), dotted
    // as one on and two off from the start), without its per-line cost, which
    // dominates redraws of large pages.
    bool plotForward(std::int64_t x1, std::int64_t y1, std::int64_t x2, std::int64_t y2) {
        if (pixelBytes_ == 0 || x2 < x1 || y2 < y1 || (x1 != x2 && y1 != y2)) return false;
        const bool horizontal = y1 == y2;
        const std::int64_t fixed = horizontal ? y1 : x1;
        const std::int64_t limit = horizontal ? image_.height() : image_.width();
        if (fixed < 0 || fixed >= limit) return true;
        const std::int64_t start = horizontal ? x1 : y1;
        const std::int64_t end = std::min<std::int64_t>(
            horizontal ? x2 : y2, horizontal ? image_.width() : image_.height());
        const std::int64_t step = dotted_ ? 3 : 1;
        std::int64_t first = std::max<std::int64_t>(start, 0);
        if (dotted_) first = start + ((first - start + step - 1) / step) * step;
        uchar* bits = image_.bits();
        const qsizetype line = image_.bytesPerLine();
        for (std::int64_t v = first; v < end; v += step) {
            const std::int64_t x = horizontal ? v : fixed, y = horizontal ? fixed : v;
            std::memcpy(bits + y * line + x * pixelBytes_, pixel_,
                        static_cast<std::size_t>(pixelBytes_));
        }
        return true;
    }

    QPainter painter_;
    QRect bounds_;
    bool cosmetic_;
    QImage& image_;
    bool dotted_;
    int pixelBytes_ = 0;
    uchar pixel_[4] = {};
};

void outline(LinePainter& lines, std::int64_t x, std::int64_t y, std::int64_t w, std::int64_t h) {
    lines.line(x, y, x + w, y);
    lines.line(x + w, y, x + w, y + h);
    lines.line(x, y + h, x + w, y + h);
    lines.line(x, y, x, y + h);
}

}  // namespace

void renderPage(QImage& image, const Page& page, int srcX, int srcY, int width, int height) {
    const QImage::Format format = renderFormatFor(page.mode);
    if (format == QImage::Format_Invalid || page.stride <= 0) return;
    const bool hasPixels = (page.mode == kMode8 && page.pixels8) ||
                           (page.mode == kMode16 && page.pixels16) ||
                           (page.mode == kMode24 && page.pixels24);
    if (!hasPixels || image.isNull()) return;
    if (image.format() != format) image.convertTo(format);
    if (image.format() != format) return;  // conversion failed (out of memory)

    const int count = std::min(width, image.width());
    if (count <= 0 || height <= 0) return;
    const int firstColumn = std::max(srcX, 0);
    if (firstColumn >= page.stride) return;
    const int n = std::min(count, page.stride - firstColumn);

    // Image rows k with 0 <= srcY + k < page.height, k < height, k < image height.
    const std::int64_t top = srcY;
    const std::int64_t kBegin = std::max<std::int64_t>(0, -top);
    const std::int64_t kEnd = std::min(
        {std::int64_t{height}, std::int64_t{image.height()}, std::int64_t{page.height} - top});
    if (kBegin >= kEnd) return;

    std::uint8_t* const bits = image.bits();
    const auto bytesPerLine = static_cast<std::size_t>(image.bytesPerLine());
    const auto stride = static_cast<std::size_t>(page.stride);
    auto sourceIndex = [&](std::int64_t k) {
        return static_cast<std::size_t>(top + k) * stride + static_cast<std::size_t>(firstColumn);
    };

    switch (page.mode) {
        case kMode8: {
            const ScreenTable table = screenTable(page.paletteQuad);
            for (std::int64_t k = kBegin; k < kEnd; ++k)
                lookUpRow(bits + static_cast<std::size_t>(k) * bytesPerLine,
                          page.pixels8.get() + sourceIndex(k), n, table);
            break;
        }
        case kMode16:
            for (std::int64_t k = kBegin; k < kEnd; ++k)
                std::memcpy(bits + static_cast<std::size_t>(k) * bytesPerLine,
                            page.pixels16.get() + sourceIndex(k), static_cast<std::size_t>(n) * 2);
            break;
        case kMode24:
            for (std::int64_t k = kBegin; k < kEnd; ++k)
                std::memcpy(bits + static_cast<std::size_t>(k) * bytesPerLine,
                            page.pixels24.get() + sourceIndex(k) * 3,
                            static_cast<std::size_t>(n) * 3);
            break;
        default:
            break;
    }
}

void drawLine(QImage& image, int x1, int y1, int x2, int y2, std::uint32_t color, int width,
              int style) {
    if (image.isNull()) return;
    LinePainter lines(image, color, width, style);
    lines.line(x1, y1, x2, y2);
}

void drawTileGrid(QImage& image, int tileWidth, int tileHeight, std::uint32_t color) {
    if (image.isNull()) return;
    const std::int64_t w = image.width();
    const std::int64_t h = image.height();
    LinePainter lines(image, color, 1, kPenSolid);
    if (tileHeight > 0)
        for (std::int64_t y = tileHeight; y < h; y += tileHeight)
            lines.line(0, y, w, y);
    if (tileWidth > 0)
        for (std::int64_t x = tileWidth; x < w; x += tileWidth)
            lines.line(x, 0, x, h);
}

void drawTileCentres(QImage& image, int tileWidth, int tileHeight, std::uint32_t color) {
    if (image.isNull()) return;
    const std::int64_t w = image.width();
    const std::int64_t h = image.height();
    LinePainter lines(image, color, 1, kPenDotted);
    if (tileHeight > 0)
        for (std::int64_t t = 0; t < h; t += tileHeight)
            lines.line(0, t + tileHeight / 2, w, t + tileHeight / 2);
    if (tileWidth > 0)
        for (std::int64_t t = 0; t < w; t += tileWidth)
            lines.line(t + tileWidth / 2, 0, t + tileWidth / 2, h);
}

void drawRectOutline(QImage& image, int x, int y, int w, int h, std::uint32_t color, int width) {
    if (image.isNull()) return;
    LinePainter lines(image, color, width, kPenSolid);
    outline(lines, x, y, w, h);
}

void drawAreaOverlay(QImage& image, const Page& page, int layer) {
    if (image.isNull() || layer < 1 || layer > kAreaLayerCount) return;
    const AreaLayer* areas = page.areas[static_cast<std::size_t>(layer - 1)].get();
    if (areas == nullptr || page.cols <= 0) return;
    constexpr std::uint32_t kYellow = 0x0000FFFF;  // red 255, green 255, blue 0
    LinePainter lines(image, kYellow, 1, kPenSolid);
    const int tiles = std::min(page.tileCount, kAreaEntries);
    for (int i = 0; i < tiles; ++i) {
        const AreaRect& r = (*areas)[static_cast<std::size_t>(i)];
        if (r.right == 0) continue;
        const std::int64_t x = std::int64_t{r.left} + std::int64_t{i % page.cols} * page.tileWidth;
        const std::int64_t y = std::int64_t{r.top} + std::int64_t{i / page.cols} * page.tileHeight;
        outline(lines, x, y, std::int64_t{r.right} - r.left, std::int64_t{r.bottom} - r.top);
    }
}

}  // namespace zentil::test
