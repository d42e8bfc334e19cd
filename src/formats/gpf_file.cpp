#include "formats/gpf_file.h"

#include <algorithm>
#include <cstring>

#include "formats/save_file.h"
#include "system/files.h"
#include "system/messages.h"
#include "system/texts.h"

namespace zentil {
namespace {

constexpr int kMaxRun = 255;
// Larger than any file a page can produce: at most two bytes per stored pixel.
constexpr std::uint64_t kMaxGpfFileBytes = 3 * kMaxPixelBufferBytes;

std::int32_t le32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(p[0]) | (std::uint32_t{p[1]} << 8) |
                                     (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24));
}

std::uint16_t le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

void putLe32(std::vector<std::uint8_t>& out, std::size_t at, std::int64_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<std::uint8_t>(u >> (8 * i));
}

void putLe16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void fail(const char* text) { showMessage(texts::kCaptionError, text); }

// Writes one decoded block into its tile, clipped to the tile. The tile
// already holds the key everywhere, so key runs only move the position.
void placeBlock(Page& page, int tileX, int tileY, const TileRect& r,
                std::span<const std::uint8_t> data, std::uint8_t key) {
    const std::int64_t w = r.w, h = r.h;
    if (w == 0 || h == 0) return;
    // Columns from colLimit on and rows counted from the bottom below rowMin
    // lie outside the tile.
    const std::int64_t colLimit = std::int64_t{page.tileWidth} - r.x;
    const std::int64_t rowMin = std::max<std::int64_t>(0, std::int64_t{r.y} + h - page.tileHeight);
    const std::ptrdiff_t stride = page.stride;
    std::uint8_t* base = page.pixels8.get();
    // Pixel (col, up) of the block is page pixel (tileX + x + col, tileY + y + h - 1 - up).
    auto at = [&](std::int64_t col, std::int64_t up) {
        return base + (tileY + r.y + h - 1 - up) * stride + tileX + r.x + col;
    };
    std::int64_t col = 0, up = 0;
    std::size_t in = 0;
    // A count byte with nothing after it ends the block.
    while (col < w && in + 1 < data.size()) {
        const int n = data[in];
        if (data[in + 1] == key) {
            const std::int64_t pos = up + n;
            col += pos / h;
            up = pos % h;
            in += 2;
            continue;
        }
        const std::size_t avail = std::min<std::size_t>(n, data.size() - in - 1);
        const std::uint8_t* lit = data.data() + in + 1;
        for (std::size_t i = 0; i < avail && col < w; ++i) {
            if (col < colLimit && up >= rowMin) *at(col, up) = lit[i];
            if (++up == h) {
                up = 0;
                ++col;
            }
        }
        in += static_cast<std::size_t>(n) + 1;
    }
}

}  // namespace

void encodeColumn(const std::uint8_t* bottom, std::ptrdiff_t step, int h, std::uint8_t key,
                  std::vector<std::uint8_t>& out) {
    int i = 0;
    while (i < h) {
        const bool isKey = bottom[i * step] == key;
        int n = 1;
        while (i + n < h && n < kMaxRun && (bottom[(i + n) * step] == key) == isKey) ++n;
        out.push_back(static_cast<std::uint8_t>(n));
        if (isKey) {
            out.push_back(key);
        } else {
            for (int k = 0; k < n; ++k) out.push_back(bottom[(i + k) * step]);
        }
        i += n;
    }
}

bool parseGpfLayout(std::span<const std::uint8_t> bytes, GpfLayout& layout, const char*& message) {
    message = nullptr;
    if (bytes.size() < 4 || le32(bytes.data()) != kGpfMagic) {
        message = texts::kGpfNotGpf;
        return false;
    }
    if (bytes.size() < kGpfHeaderSize) {
        message = texts::kReadFailed;
        return false;
    }
    GpfHeader& hd = layout.header;
    const std::uint8_t* p = bytes.data();
    hd.magic = le32(p);
    hd.one = le32(p + 4);
    hd.tilePixels = le32(p + 8);
    hd.cols = le32(p + 12);
    hd.rows = le32(p + 16);
    hd.tileWidth = le32(p + 20);
    hd.tileHeight = le32(p + 24);
    hd.tileCount = le32(p + 28);
    hd.colorKey = le32(p + 32);
    if (hd.cols < 1 || hd.rows < 1 || hd.tileWidth < 1 || hd.tileHeight < 1 ||
        std::int64_t{hd.cols} * hd.rows != hd.tileCount) {
        message = texts::kGpfDamaged;
        return false;
    }
    const std::uint64_t count = static_cast<std::uint64_t>(hd.tileCount);
    const std::uint64_t tablesEnd = kGpfHeaderSize + count * 12;
    if (tablesEnd > bytes.size()) {
        message = texts::kGpfDamaged;
        return false;
    }
    layout.rects.resize(count);
    layout.sizes.resize(count);
    const std::uint8_t* rp = p + kGpfHeaderSize;
    const std::uint8_t* sp = rp + count * 8;
    std::uint64_t total = 0;
    for (std::uint64_t t = 0; t < count; ++t) {
        layout.rects[t] = {le16(rp + t * 8), le16(rp + t * 8 + 2), le16(rp + t * 8 + 4),
                           le16(rp + t * 8 + 6)};
        layout.sizes[t] = le32(sp + t * 4);
        if (layout.sizes[t] < 0) {
            message = texts::kGpfDamaged;
            return false;
        }
        total += static_cast<std::uint64_t>(layout.sizes[t]);
    }
    if (tablesEnd + total > bytes.size()) {
        message = texts::kGpfDamaged;
        return false;
    }
    layout.dataBytes = total;
    return true;
}

bool decodeSpriteFile(std::span<const std::uint8_t> bytes, Page& page) {
    GpfLayout layout;
    const char* message = nullptr;
    if (!parseGpfLayout(bytes, layout, message)) {
        fail(message);
        return false;
    }
    const GpfHeader& hd = layout.header;
    Page fresh;
    if (!createPage(fresh, hd.tileWidth, hd.cols, hd.tileHeight, hd.rows, kMode8)) {
        fail(texts::kCannotCreateImage);
        return false;
    }
    // The file's key replaces the default; padding columns keep the default.
    setColorKey(fresh, static_cast<std::uint32_t>(hd.colorKey));
    const std::uint8_t key = fresh.colorKey8;
    std::size_t at = kGpfHeaderSize + layout.rects.size() * 12;
    for (int t = 0; t < hd.tileCount; ++t) {
        const int tileX = (t % hd.cols) * hd.tileWidth, tileY = (t / hd.cols) * hd.tileHeight;
        fillRect(fresh, tileX, tileY, hd.tileWidth, hd.tileHeight);
        const auto size = static_cast<std::size_t>(layout.sizes[t]);
        placeBlock(fresh, tileX, tileY, layout.rects[t], bytes.subspan(at, size), key);
        at += size;
    }
    setPagePalette(fresh, defaultPalette());
    fresh.kind = kKindSprite;
    page = std::move(fresh);
    return true;
}

bool readSpriteFile(const std::string& path, Page& page) {
    std::vector<std::uint8_t> bytes;
    switch (readWholeFile(path, bytes, kMaxGpfFileBytes)) {
        case ReadResult::Ok:
            return decodeSpriteFile(bytes, page);
        case ReadResult::CannotOpen:
            fail(texts::kGpfCannotOpen);
            return false;
        case ReadResult::TooLarge:
            fail(texts::kCannotCreateImage);
            return false;
        default:
            fail(texts::kReadFailed);
            return false;
    }
}

bool encodeSpriteFile(const Page& page, std::vector<std::uint8_t>& out) {
    if (page.mode != kMode8 || !page.pixels8) {
        fail(texts::kGpfOnly8Bit);
        return false;
    }
    if (page.tileWidth > 0xFFFC || page.tileHeight > 0xFFFF) {
        fail(texts::kGpfTileTooLarge);
        return false;
    }
    const std::size_t count = static_cast<std::size_t>(page.tileCount);
    const std::size_t dataStart = kGpfHeaderSize + count * 12;
    out.assign(dataStart, 0);
    putLe32(out, 0, kGpfMagic);
    putLe32(out, 4, 1);
    putLe32(out, 8, std::int64_t{page.tileWidth} * page.tileHeight);
    putLe32(out, 12, page.cols);
    putLe32(out, 16, page.rows);
    putLe32(out, 20, page.tileWidth);
    putLe32(out, 24, page.tileHeight);
    putLe32(out, 28, page.tileCount);
    putLe32(out, 32, page.colorKey8);

    const std::uint8_t key = page.colorKey8;
    const std::ptrdiff_t stride = page.stride;
    // Columns past the end of a page row are stored as the key.
    std::vector<std::uint8_t> keyColumn;
    for (std::size_t t = 0; t < count; ++t) {
        TileRect r;
        tileBounds(page, static_cast<int>(t), r);
        const std::size_t before = out.size();
        const std::int64_t tileX = static_cast<std::int64_t>(t % page.cols) * page.tileWidth;
        const std::int64_t tileY = static_cast<std::int64_t>(t / page.cols) * page.tileHeight;
        for (int c = 0; c < r.w; ++c) {
            const std::int64_t x = tileX + r.x + c;
            if (x < page.stride) {
                const std::uint8_t* bottom =
                    page.pixels8.get() + (tileY + r.y + r.h - 1) * stride + x;
                encodeColumn(bottom, -stride, r.h, key, out);
            } else {
                keyColumn.assign(r.h, key);
                encodeColumn(keyColumn.data(), 1, r.h, key, out);
            }
        }
        putLe16(out, kGpfHeaderSize + t * 8, r.x);
        putLe16(out, kGpfHeaderSize + t * 8 + 2, r.y);
        putLe16(out, kGpfHeaderSize + t * 8 + 4, r.w);
        putLe16(out, kGpfHeaderSize + t * 8 + 6, r.h);
        putLe32(out, kGpfHeaderSize + count * 8 + t * 4,
                static_cast<std::int64_t>(out.size() - before));
    }
    return true;
}

bool writeSpriteFile(const std::string& path, const Page& page) {
    std::vector<std::uint8_t> bytes;
    if (!encodeSpriteFile(page, bytes)) return false;
    return saveFileAsked(path, bytes, texts::kGpfCannotSave);
}

}  // namespace zentil
