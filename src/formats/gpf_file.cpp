#include "formats/gpf_file.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "formats/file_access.h"
#include "system/files.h"
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

std::uint16_t le16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

void putLe32(std::vector<std::uint8_t>& out, std::size_t at, std::int64_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<std::uint8_t>(u >> (8 * i));
}

void putLe16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t v) {
    out[at] = static_cast<std::uint8_t>(v);
    out[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

// Writes one decoded block into its tile, clipped to the tile. The tile
// already holds the key everywhere, so key runs only move the position.
void placeBlock(Page& page, int tileX, int tileY, const TileRect& r,
                std::span<const std::uint8_t> data, std::uint8_t key) {
    const std::int64_t w = r.w, h = r.h;
    if (w == 0 || h == 0) return;
    // Columns from colLimit on, and the lowest rowMin pixels of every column,
    // lie outside the tile.
    const std::int64_t colLimit = std::int64_t{page.tileWidth} - r.x;
    const std::int64_t rowMin = std::max<std::int64_t>(0, std::int64_t{r.y} + h - page.tileHeight);
    const std::ptrdiff_t stride = page.stride;
    std::uint8_t* const pixels = page.pixels8.get();
    // Pixel (col, up) of the block, counted from its bottom row up, is at
    // bottom + col - up x stride in the page.
    const std::ptrdiff_t bottom = (std::int64_t{tileY} + r.y + h - 1) * stride + tileX + r.x;
    std::int64_t col = 0, up = 0;
    std::size_t in = 0;
    // A count byte with nothing after it ends the block.
    while (col < w && in + 1 < data.size()) {
        const int n = data[in];
        if (data[in + 1] == key) {
            up += n;
            while (up >= h) {
                up -= h;
                ++col;
            }
            in += 2;
            continue;
        }
        const std::uint8_t* lit = data.data() + in + 1;
        std::int64_t left =
            static_cast<std::int64_t>(std::min<std::size_t>(n, data.size() - in - 1));
        in += static_cast<std::size_t>(n) + 1;
        // The literal pixels, one column piece at a time.
        while (left > 0 && col < w) {
            const std::int64_t piece = std::min(left, h - up);
            if (col < colLimit) {
                const std::int64_t skip = std::clamp<std::int64_t>(rowMin - up, 0, piece);
                std::uint8_t* p = pixels + bottom + col - (up + skip) * stride;
                for (std::int64_t i = skip; i < piece; ++i, p -= stride)
                    *p = lit[i];
            }
            lit += piece;
            left -= piece;
            up += piece;
            if (up == h) {
                up = 0;
                ++col;
            }
        }
    }
}

// Room the code of a column of h pixels may need: a literal run of one pixel
// between key pixels takes two bytes per pixel.
std::size_t maxColumnBytes(std::size_t h) {
    return 2 * h;
}

// Writes the runs of one column of h pixels, given bottom first as
// bottom[0], bottom[step], ..., to `to`; gives the end of what it wrote.
std::uint8_t* codeColumn(const std::uint8_t* bottom, std::ptrdiff_t step, int h, std::uint8_t key,
                         std::uint8_t* to) {
    std::ptrdiff_t at = 0;  // offset of pixel i
    int i = 0;
    while (i < h) {
        const int limit = std::min(h - i, kMaxRun);
        int n = 0;
        if (bottom[at] == key) {
            do {
                at += step;
                ++n;
            } while (n < limit && bottom[at] == key);
            *to++ = static_cast<std::uint8_t>(n);
            *to++ = key;
        } else {
            std::uint8_t* const countByte = to++;
            do {
                *to++ = bottom[at];
                at += step;
                ++n;
            } while (n < limit && bottom[at] != key);
            *countByte = static_cast<std::uint8_t>(n);
        }
        i += n;
    }
    return to;
}

}  // namespace

void encodeColumn(const std::uint8_t* bottom, std::ptrdiff_t step, int h, std::uint8_t key,
                  std::vector<std::uint8_t>& out) {
    const std::size_t before = out.size();
    out.resize(before + maxColumnBytes(h));
    out.resize(static_cast<std::size_t>(codeColumn(bottom, step, h, key, out.data() + before) -
                                        out.data()));
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
    // The key is a palette index: a file with another is damaged, not one
    // to read with some of the key's bits.
    if (hd.cols < 1 || hd.rows < 1 || hd.tileWidth < 1 || hd.tileHeight < 1 ||
        std::int64_t{hd.cols} * hd.rows != hd.tileCount || hd.colorKey < 0 ||
        hd.colorKey >= kPaletteEntries) {
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

static Outcome decodeSpriteFileOrThrow(std::span<const std::uint8_t> bytes, Page& page,
                                       const PageDefaults& defaults) {
    GpfLayout layout;
    const char* message = nullptr;
    if (!parseGpfLayout(bytes, layout, message)) return Outcome::error(message);
    const GpfHeader& hd = layout.header;
    // The tiles cover the page up to its width and are set to the file's key
    // below; the padding columns keep the default key.
    Page fresh;
    if (!createPageForOverwrite(fresh, hd.tileWidth, hd.cols, hd.tileHeight, hd.rows, kMode8,
                                defaults))
        return Outcome::error(texts::kCannotCreateImage);
    setColorKey(fresh, static_cast<std::uint32_t>(hd.colorKey));
    const std::uint8_t key = fresh.colorKey8;
    fillRect(fresh, 0, 0, fresh.width, fresh.height);
    std::size_t at = kGpfHeaderSize + layout.rects.size() * 12;
    for (int t = 0; t < hd.tileCount; ++t) {
        const int tileX = (t % hd.cols) * hd.tileWidth, tileY = (t / hd.cols) * hd.tileHeight;
        const auto size = static_cast<std::size_t>(layout.sizes[t]);
        placeBlock(fresh, tileX, tileY, layout.rects[t], bytes.subspan(at, size), key);
        at += size;
    }
    setPagePalette(fresh, defaults.palette);
    fresh.kind = kKindSprite;
    page = std::move(fresh);
    return Outcome::done();
}

static Outcome encodeSpriteFileOrThrow(const Page& page, std::vector<std::uint8_t>& out);

// Working memory that cannot be had ends a read or a write like a refusal.
Outcome decodeSpriteFile(std::span<const std::uint8_t> bytes, Page& page,
                         const PageDefaults& defaults) {
    try {
        return decodeSpriteFileOrThrow(bytes, page, defaults);
    } catch (const std::bad_alloc&) {
        return Outcome::error(texts::kCannotCreateImage);
    }
}

Outcome encodeSpriteFile(const Page& page, std::vector<std::uint8_t>& out) {
    try {
        return encodeSpriteFileOrThrow(page, out);
    } catch (const std::bad_alloc&) {
        out.clear();
        return Outcome::error(texts::kGpfCannotSave);
    }
}

Outcome readSpriteFile(const std::string& path, Page& page, const PageDefaults& defaults) {
    return readPageFile(path, kMaxGpfFileBytes, texts::kGpfCannotOpen, &decodeSpriteFile, page,
                        defaults);
}

Outcome encodeSpriteFileOrThrow(const Page& page, std::vector<std::uint8_t>& out) {
    if (page.mode != kMode8 || !page.pixels8) return Outcome::error(texts::kGpfOnly8Bit);
    if (page.tileWidth > 0xFFFC || page.tileHeight > 0xFFFF)
        return Outcome::error(texts::kGpfTileTooLarge);
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

    // The rectangles first, so that the data section can be given room for
    // its worst case at once.
    std::vector<TileRect> rects(count);
    std::size_t worst = dataStart;
    for (std::size_t t = 0; t < count; ++t) {
        tileBounds(page, static_cast<int>(t), rects[t]);
        worst += rects[t].w * maxColumnBytes(rects[t].h);
    }
    out.reserve(worst);

    const std::uint8_t key = page.colorKey8;
    const std::ptrdiff_t stride = page.stride;
    // Columns past the end of a page row are stored as the key.
    const std::vector<std::uint8_t> keyColumn(static_cast<std::size_t>(page.tileHeight), key);
    for (std::size_t t = 0; t < count; ++t) {
        const TileRect r = rects[t];
        const std::size_t before = out.size();
        out.resize(before + r.w * maxColumnBytes(r.h));
        std::uint8_t* to = out.data() + before;
        const std::int64_t tileX = static_cast<std::int64_t>(t % page.cols) * page.tileWidth;
        const std::int64_t tileY = static_cast<std::int64_t>(t / page.cols) * page.tileHeight;
        for (int c = 0; c < r.w; ++c) {
            const std::int64_t x = tileX + r.x + c;
            if (x < page.stride) {
                const std::uint8_t* bottom =
                    page.pixels8.get() + (tileY + r.y + r.h - 1) * stride + x;
                to = codeColumn(bottom, -stride, r.h, key, to);
            } else {
                to = codeColumn(keyColumn.data(), 1, r.h, key, to);
            }
        }
        const std::size_t size = static_cast<std::size_t>(to - (out.data() + before));
        out.resize(before + size);
        putLe16(out, kGpfHeaderSize + t * 8, r.x);
        putLe16(out, kGpfHeaderSize + t * 8 + 2, r.y);
        putLe16(out, kGpfHeaderSize + t * 8 + 4, r.w);
        putLe16(out, kGpfHeaderSize + t * 8 + 6, r.h);
        putLe32(out, kGpfHeaderSize + count * 8 + t * 4, static_cast<std::int64_t>(size));
    }
    return Outcome::done();
}

Outcome measureSpriteFile(const Page& page, std::vector<std::uint8_t>& scratch, GpfSizes& sizes) {
    if (Outcome encoded = encodeSpriteFile(page, scratch); !encoded) return encoded;
    const std::size_t count = static_cast<std::size_t>(page.tileCount);
    sizes.fileBytes = scratch.size();
    sizes.tileBytes.resize(count);
    const std::uint8_t* table = scratch.data() + kGpfHeaderSize + count * 8;
    for (std::size_t t = 0; t < count; ++t)
        sizes.tileBytes[t] = kGpfTileEntryBytes + static_cast<std::uint32_t>(le32(table + t * 4));
    return Outcome::done();
}

Outcome writeSpriteFile(const std::string& path, const Page& page) {
    std::vector<std::uint8_t> bytes;
    if (Outcome encoded = encodeSpriteFile(page, bytes); !encoded) return encoded;
    return saveFile(path, bytes, texts::kGpfCannotSave);
}

}  // namespace zentil
