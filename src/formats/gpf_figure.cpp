#include "formats/gpf_figure.h"

#include <algorithm>
#include <new>

#include "edit/tile_bounds.h"
#include "system/texts.h"

namespace zentil {
namespace {

constexpr int kMaxRun = 255;  // pixels one run of the code holds

// The code of a column that lies past the end of the page's rows: all key.
std::uint64_t keyColumnBytes(int h) {
    return 2 * static_cast<std::uint64_t>((h + kMaxRun - 1) / kMaxRun);
}

// The code of one column of h pixels, bottom[0], bottom[step], ..., counted
// run by run as the encoder cuts them (a run ends at the other kind of pixel
// or after 255 pixels): two bytes per key run, one plus its pixels per
// literal run.
std::uint64_t columnBytes(const std::uint8_t* bottom, std::ptrdiff_t step, int h,
                          std::uint8_t key) {
    std::uint64_t bytes = 0;
    for (int i = 0; i < h;) {
        const int limit = std::min(h - i, kMaxRun);
        const bool keyRun = bottom[i * step] == key;
        int n = 0;
        while (n < limit && (bottom[(i + n) * step] == key) == keyRun)
            ++n;
        bytes += keyRun ? 2 : 1 + static_cast<std::uint64_t>(n);
        i += n;
    }
    return bytes;
}

// The code of w columns of h <= 255 pixels whose top row starts at `top`.
// No run is cut at 255 then, so a column takes its literal pixels, one byte
// per run and one more per key run. Counted row by row over up to 64
// columns at a time, which the compiler vectorises: every column starts
// with one run (2 bytes, whatever its first pixel), and each further pixel
// adds 1 when it is literal, 1 when it starts a run, and 1 more when that
// run is of keys.
std::uint64_t columnsBytes(const std::uint8_t* top, std::ptrdiff_t stride, int h, int w,
                           std::uint8_t key) {
    constexpr int kBlock = 64;
    std::uint64_t total = 0;
    for (int x0 = 0; x0 < w; x0 += kBlock) {
        const int m = std::min(kBlock, w - x0);
        std::uint16_t bytes[kBlock];
        std::uint8_t above[kBlock];  // 1 where the pixel above is the key
        const std::uint8_t* row = top + x0;
        for (int j = 0; j < m; ++j) {
            above[j] = row[j] == key;
            bytes[j] = 2;
        }
        for (int y = 1; y < h; ++y) {
            row += stride;
            for (int j = 0; j < m; ++j) {
                const std::uint8_t k = row[j] == key, p = above[j];
                bytes[j] = static_cast<std::uint16_t>(bytes[j] + (1 - k) + (k ^ p) + (k & (p ^ 1)));
                above[j] = k;
            }
        }
        for (int j = 0; j < m; ++j)
            total += bytes[j];
    }
    return total;
}

}  // namespace

std::uint64_t gpfTileBytes(const Page& page, int tile) {
    TileRect r;
    tileBounds(page, tile, r);
    std::uint64_t bytes = kGpfTileEntryBytes;
    if (r.w == 0 || r.h == 0) return bytes;
    const std::int64_t tileX = static_cast<std::int64_t>(tile % page.cols) * page.tileWidth;
    const std::int64_t tileY = static_cast<std::int64_t>(tile / page.cols) * page.tileHeight;
    const std::int64_t x0 = tileX + r.x;
    // Columns from the end of the page's rows on are coded as the key.
    const int inside = static_cast<int>(std::clamp<std::int64_t>(page.stride - x0, 0, r.w));
    bytes += static_cast<std::uint64_t>(r.w - inside) * keyColumnBytes(r.h);
    const std::ptrdiff_t stride = page.stride;
    const std::uint8_t key = page.colorKey8;
    const std::uint8_t* top = page.pixels8.get() + (tileY + r.y) * stride + x0;
    if (r.h <= kMaxRun) return bytes + columnsBytes(top, stride, r.h, inside, key);
    for (int c = 0; c < inside; ++c)
        bytes += columnBytes(top + c + (r.h - 1) * stride, -stride, r.h, key);
    return bytes;
}

GpfFigure::Shape GpfFigure::shapeOf(const Page& page) {
    return {page.mode,       page.stride, page.height, page.tileWidth,
            page.tileHeight, page.cols,   page.rows,   page.colorKey8};
}

const Outcome& GpfFigure::update(const Page& page, std::optional<PixelRect> changed) {
    const Shape shape = shapeOf(page);
    const bool known = page_ == &page && shape == shape_ && outcome_.ok;
    if (known && revision_ == page.revision) return outcome_;
    if (known && changed)
        measureTiles(page, *changed);
    else
        measureAll(page);
    page_ = &page;
    revision_ = page.revision;
    shape_ = shape;
    return outcome_;
}

void GpfFigure::measureAll(const Page& page) {
    sizes_ = GpfSizes{};
    if (page.mode != kMode8 || !page.pixels8 || page.cols < 1) {
        outcome_ = Outcome::error(texts::kGpfOnly8Bit);
        return;
    }
    if (page.tileWidth > 0xFFFC || page.tileHeight > 0xFFFF) {
        outcome_ = Outcome::error(texts::kGpfTileTooLarge);
        return;
    }
    try {
        sizes_.tileBytes.resize(static_cast<std::size_t>(page.tileCount));
    } catch (const std::bad_alloc&) {
        outcome_ = Outcome::error(texts::kGpfCannotSave);
        return;
    }
    sizes_.fileBytes = kGpfHeaderSize;
    for (int t = 0; t < page.tileCount; ++t) {
        sizes_.tileBytes[static_cast<std::size_t>(t)] = gpfTileBytes(page, t);
        sizes_.fileBytes += sizes_.tileBytes[static_cast<std::size_t>(t)];
    }
    outcome_ = Outcome::done();
}

TileBlock gpfTilesTouched(const Page& page, PixelRect changed) {
    const std::int64_t x0 = std::max(changed.x, 0), y0 = std::max(changed.y, 0);
    const std::int64_t x1 =
        std::min<std::int64_t>(std::int64_t{changed.x} + changed.w, page.stride);
    const std::int64_t y1 =
        std::min<std::int64_t>(std::int64_t{changed.y} + changed.h, page.height);
    if (x0 >= x1 || y0 >= y1 || page.tileWidth <= 0 || page.tileHeight <= 0) return {};
    const std::int64_t tw = page.tileWidth, th = page.tileHeight;
    TileBlock block;
    block.col0 = static_cast<int>(std::max<std::int64_t>(0, (x0 - 3) / tw));
    block.col1 = static_cast<int>(std::min<std::int64_t>(page.cols - 1, (x1 - 1) / tw));
    block.row0 = static_cast<int>(y0 / th);
    block.row1 = static_cast<int>(std::min<std::int64_t>(page.rows - 1, (y1 - 1) / th));
    return block;
}

void GpfFigure::measureTiles(const Page& page, PixelRect changed) {
    const TileBlock touched = gpfTilesTouched(page, changed);
    for (std::int64_t row = touched.row0; row <= touched.row1; ++row)
        for (std::int64_t col = touched.col0; col <= touched.col1; ++col) {
            const auto t = static_cast<std::size_t>(row * page.cols + col);
            sizes_.fileBytes -= sizes_.tileBytes[t];
            sizes_.tileBytes[t] = gpfTileBytes(page, static_cast<int>(t));
            sizes_.fileBytes += sizes_.tileBytes[t];
        }
}

}  // namespace zentil
