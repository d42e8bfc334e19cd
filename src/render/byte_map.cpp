#include "render/byte_map.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <algorithm>

#include "render/canvas_render.h"

namespace zentil {
namespace {

constexpr int kFigurePixelSize = 10;  // the figure's font, in view pixels
constexpr int kFigureMargin = 2;      // kept free on each side of a printed figure

// Blends one row of view pixels towards `tint` (premultiplied by the alpha).
void tintRow(QRgb* row, int count, int red, int green, int blue) {
    constexpr int keep = 255 - kByteMapTintAlpha;
    for (int i = 0; i < count; ++i) {
        const QRgb p = row[i];
        row[i] = qRgb((qRed(p) * keep + red) / 255, (qGreen(p) * keep + green) / 255,
                      (qBlue(p) * keep + blue) / 255);
    }
}

void tintRect(QImage& image, const QRect& rect, const QColor& tint) {
    const int red = tint.red() * kByteMapTintAlpha, green = tint.green() * kByteMapTintAlpha,
              blue = tint.blue() * kByteMapTintAlpha;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        tintRow(reinterpret_cast<QRgb*>(image.scanLine(y)) + rect.left(), rect.width(), red, green,
                blue);
}

// White digits with a dark outline, readable on every tint.
void printFigure(QPainter& painter, const QRect& tile, const QString& text) {
    static constexpr int kOffsets[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    painter.setPen(QColor(0, 0, 0));
    for (const auto& o : kOffsets)
        painter.drawText(tile.translated(o[0], o[1]), flags, text);
    painter.setPen(QColor(255, 255, 255));
    painter.drawText(tile, flags, text);
}

}  // namespace

QColor byteMapTint(std::uint64_t bytes, std::uint64_t cheapest, std::uint64_t dearest) {
    double t = 0;
    if (dearest > cheapest) {
        const std::uint64_t above = std::clamp(bytes, cheapest, dearest) - cheapest;
        t = static_cast<double>(above) / static_cast<double>(dearest - cheapest);
    }
    // Hue 240 degrees (blue) for the cheapest down to 0 (red) for the dearest.
    return QColor::fromHsvF(static_cast<float>((1.0 - t) * (240.0 / 360.0)), 0.9f, 1.0f);
}

void drawByteMap(QImage& image, const QRect& dirty, const Page& page,
                 const CanvasProjection& projection, const GpfSizes& sizes,
                 const ByteMapScale& scale) {
    if (image.format() != kCanvasFormat || page.tileWidth <= 0 || page.tileHeight <= 0 ||
        page.cols <= 0 || page.rows <= 0 || !scale.known())
        return;
    const auto tiles = static_cast<std::size_t>(page.tileCount);
    if (sizes.tileBytes.size() != tiles || scale.tileCount() != tiles ||
        tiles != static_cast<std::size_t>(page.cols) * static_cast<std::size_t>(page.rows))
        return;
    const QRect area = dirty.intersected(image.rect())
                           .intersected(screenRect(projection, 0, 0, page.width, page.height));
    if (area.isEmpty()) return;

    // The tiles under the area: its corner pixels' page pixels, by tile.
    const std::int64_t tw = page.tileWidth, th = page.tileHeight;
    const std::int64_t col0 = std::max<std::int64_t>(0, projection.pageX(area.left()) / tw);
    const std::int64_t col1 =
        std::min<std::int64_t>(page.cols - 1, projection.pageX(area.right()) / tw);
    const std::int64_t row0 = std::max<std::int64_t>(0, projection.pageY(area.top()) / th);
    const std::int64_t row1 =
        std::min<std::int64_t>(page.rows - 1, projection.pageY(area.bottom()) / th);

    const std::int64_t tileScreenW = tw * projection.zoom, tileScreenH = th * projection.zoom;
    const bool mayPrint =
        tileScreenW >= kByteMapFigureMinWidth && tileScreenH >= kByteMapFigureMinHeight;
    for (std::int64_t row = row0; row <= row1; ++row)
        for (std::int64_t col = col0; col <= col1; ++col) {
            const std::uint64_t bytes =
                sizes.tileBytes[static_cast<std::size_t>(row * page.cols + col)];
            const QRect tile = screenRect(projection, col * tw, row * th, tw, th);
            tintRect(image, tile.intersected(area),
                     byteMapTint(bytes, scale.cheapest(), scale.dearest()));
        }
    if (!mayPrint) return;

    // The figures, over the tints, each clipped to the area so that a tile
    // repainted in parts shows the same figure as one repainted whole.
    QPainter painter(&image);
    if (!painter.isActive()) return;
    QFont font = painter.font();
    font.setPixelSize(kFigurePixelSize);
    painter.setFont(font);
    painter.setClipRect(area);
    const QFontMetrics metrics(font);
    const int fitWidth =
        static_cast<int>(std::min<std::int64_t>(tileScreenW, 1 << 20)) - 2 * kFigureMargin;
    if (metrics.height() > tileScreenH) return;
    for (std::int64_t row = row0; row <= row1; ++row)
        for (std::int64_t col = col0; col <= col1; ++col) {
            const QString text =
                QString::number(sizes.tileBytes[static_cast<std::size_t>(row * page.cols + col)]);
            if (metrics.horizontalAdvance(text) > fitWidth) continue;
            printFigure(painter, screenRect(projection, col * tw, row * th, tw, th), text);
        }
}

}  // namespace zentil
