#include "render/page_render.h"

#include "render/drawing.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace zentil {
namespace {

// One 24-bit screen pixel per palette entry, held in the first three bytes of
// a four-byte word (B, G, R, 0 in memory whatever the host's byte order).
using ScreenTable = std::array<std::uint32_t, kPaletteEntries>;

ScreenTable screenTable(const PaletteQuad& quad) {
    ScreenTable table;
    for (int i = 0; i < kPaletteEntries; ++i) {
        const std::uint8_t bgr0[4] = {quad[i * 4 + 2], quad[i * 4 + 1], quad[i * 4 + 0], 0};
        std::memcpy(&table[i], bgr0, 4);
    }
    return table;
}

// n >= 1 indices to n B, G, R triples. Every pixel but the last is stored as a
// whole word whose fourth byte the next pixel overwrites; the last one is
// stored with three bytes so that nothing is written past the row.
void lookUpRow(std::uint8_t* out, const std::uint8_t* in, int n, const ScreenTable& table) {
    const int words = n - 1;
    int i = 0;
    for (; i + 4 <= words; i += 4) {
        const std::uint32_t a = table[in[i]];
        const std::uint32_t b = table[in[i + 1]];
        const std::uint32_t c = table[in[i + 2]];
        const std::uint32_t d = table[in[i + 3]];
        std::memcpy(out + i * 3, &a, 4);
        std::memcpy(out + i * 3 + 3, &b, 4);
        std::memcpy(out + i * 3 + 6, &c, 4);
        std::memcpy(out + i * 3 + 9, &d, 4);
    }
    for (; i < words; ++i)
        std::memcpy(out + i * 3, &table[in[i]], 4);
    std::memcpy(out + words * 3, &table[in[words]], 3);
}

}  // namespace

QImage::Format renderFormatFor(int mode) {
    switch (mode) {
        case kMode8:
        case kMode24:
            return QImage::Format_BGR888;
        case kMode16:
            return QImage::Format_RGB555;
        default:
            return QImage::Format_Invalid;
    }
}

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

void renderPageView(QImage& image, const Page& page, const GridLines& grid) {
    renderPage(image, page, 0, 0, page.stride, page.height);
    if (!grid.shown) return;
    drawTileGrid(image, page.tileWidth, page.tileHeight, grid.color);
    drawTileCentres(image, page.tileWidth, page.tileHeight, grid.color);
}

}  // namespace zentil
