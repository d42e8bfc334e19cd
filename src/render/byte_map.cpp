#include "render/byte_map.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <array>
#include <cstring>

#include "render/canvas_render.h"

namespace zentil {
namespace {

constexpr int kFigurePixelSize = 10;  // the figure's font, in view pixels
constexpr int kFigureMargin = 2;      // kept free on each side of a printed figure

// Blends view pixels towards the tint byte by byte, in 16-bit arithmetic
// the compiler vectorises: each byte becomes (byte x keep + add) / 256, where
// `add` holds the tint's byte (255 for alpha) times its alpha, laid out as
// the pixel's bytes are.
void tintRow(std::uint8_t* bytes, int count, const std::array<std::uint16_t, 4>& add) {
    constexpr std::uint16_t keep = 256 - kByteMapTintAlpha;
    for (int i = 0; i < count; ++i, bytes += 4)
        for (int c = 0; c < 4; ++c)
            bytes[c] = static_cast<std::uint8_t>((bytes[c] * keep + add[c]) >> 8);
}

void tintRect(QImage& image, const QRect& rect, QRgb tint) {
    std::uint8_t tintBytes[4];
    const QRgb opaque = tint | 0xFF000000u;
    std::memcpy(tintBytes, &opaque, 4);
    std::array<std::uint16_t, 4> add{};
    for (int c = 0; c < 4; ++c)
        add[static_cast<std::size_t>(c)] =
            static_cast<std::uint16_t>(tintBytes[c] * kByteMapTintAlpha);
    const qsizetype stride = image.bytesPerLine();
    std::uint8_t* first = image.bits() + rect.top() * stride + std::ptrdiff_t{rect.left()} * 4;
    for (int y = 0; y < rect.height(); ++y)
        tintRow(first + y * stride, rect.width(), add);
}

// The ten digits of the figures, each laid out and drawn once for the
// program's life: white with a dark outline (readable on every tint) on a
// clear ground, all as wide as the widest, so a figure is put together from
// them without laying out text at every repaint.
struct DigitAtlas {
    std::array<QImage, 10> digits;
    int advance = 0;  // view pixels from one digit to the next
    int width = 0, height = 0;
};

const DigitAtlas& digitAtlas() {
    static const DigitAtlas atlas = [] {
        DigitAtlas a;
        QFont font;
        font.setPixelSize(kFigurePixelSize);
        const QFontMetrics metrics(font);
        for (int d = 0; d < 10; ++d)
            a.advance = std::max(a.advance, metrics.horizontalAdvance(QChar('0' + d)));
        a.width = a.advance + 2;
        a.height = metrics.height() + 2;
        static constexpr int kOutline[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
        for (int d = 0; d < 10; ++d) {
            QImage& image = a.digits[static_cast<std::size_t>(d)];
            image = QImage(a.width, a.height, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setFont(font);
            const QString digit(QChar('0' + d));
            const QPointF base(1 + (a.advance - metrics.horizontalAdvance(digit)) / 2.0,
                               1 + metrics.ascent());
            painter.setPen(QColor(0, 0, 0));
            for (const auto& o : kOutline)
                painter.drawText(base + QPointF(o[0], o[1]), digit);
            painter.setPen(QColor(255, 255, 255));
            painter.drawText(base, digit);
        }
        return a;
    }();
    return atlas;
}

// The figure centred in the tile's view rectangle, when it fits inside.
void printFigure(QPainter& painter, const DigitAtlas& atlas, const QRect& tile,
                 std::uint64_t bytes) {
    char text[24];
    int length = 0;
    do {
        text[length++] = static_cast<char>('0' + bytes % 10);
        bytes /= 10;
    } while (bytes != 0);
    const int width = length * atlas.advance + 2;
    if (width > tile.width() - 2 * kFigureMargin || atlas.height > tile.height()) return;
    int x = tile.left() + (tile.width() - width) / 2;
    const int y = tile.top() + (tile.height() - atlas.height) / 2;
    for (int i = length - 1; i >= 0; --i, x += atlas.advance)
        painter.drawImage(x, y, atlas.digits[static_cast<std::size_t>(text[i] - '0')]);
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
    // Tiles too large for a QRect's width to hold are left without figures.
    constexpr std::int64_t kLargest = std::int64_t{1} << 24;
    const bool mayPrint = tileScreenW >= kByteMapFigureMinWidth &&
                          tileScreenH >= kByteMapFigureMinHeight && tileScreenW <= kLargest &&
                          tileScreenH <= kLargest;
    for (std::int64_t row = row0; row <= row1; ++row)
        for (std::int64_t col = col0; col <= col1; ++col) {
            const std::uint64_t bytes =
                sizes.tileBytes[static_cast<std::size_t>(row * page.cols + col)];
            const QRect tile = screenRect(projection, col * tw, row * th, tw, th);
            tintRect(image, tile.intersected(area),
                     byteMapTint(bytes, scale.cheapest(), scale.dearest()).rgb());
        }
    if (!mayPrint) return;

    // The figures, over the tints, each clipped to the area so that a tile
    // repainted in parts shows the same figure as one repainted whole.
    QPainter painter(&image);
    if (!painter.isActive()) return;
    painter.setClipRect(area);
    const DigitAtlas& atlas = digitAtlas();
    for (std::int64_t row = row0; row <= row1; ++row)
        for (std::int64_t col = col0; col <= col1; ++col)
            printFigure(painter, atlas, screenRect(projection, col * tw, row * th, tw, th),
                        sizes.tileBytes[static_cast<std::size_t>(row * page.cols + col)]);
}

}  // namespace zentil
