#include "image/page.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "image/pixel.h"

namespace zentil {
namespace {

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

template <typename T>
std::unique_ptr<T[]> allocate(std::size_t count) {
    return std::unique_ptr<T[]>(new (std::nothrow) T[count]);
}

// The geometry of a page, computed wide so that no product can wrap.
struct Geometry {
    std::int64_t width, stride, height, pixelCount;
};

bool planGeometry(int tileWidth, int cols, int tileHeight, int rows, int mode, Geometry& g) {
    if (mode < kMode8 || mode > kMode24) return false;
    if (tileWidth < 0 || tileHeight < 0 || cols < 1 || rows < 1) return false;
    if (std::int64_t{cols} * rows > kInt32Max) return false;
    g.width = std::int64_t{tileWidth} * cols;
    g.height = std::int64_t{tileHeight} * rows;
    g.stride = g.width;
    while ((g.stride * mode) % 4 != 0)
        ++g.stride;
    if (g.stride > kInt32Max || g.height > kInt32Max) return false;
    g.pixelCount = g.stride * g.height;
    return static_cast<std::uint64_t>(g.pixelCount) * static_cast<std::uint64_t>(mode) <=
           kMaxPixelBufferBytes;
}

// The page of createPage. The pixels inside the width are set to the key only
// when `clearAll`; the padding columns always are.
bool buildPage(Page& page, int tileWidth, int cols, int tileHeight, int rows, int mode,
               const PageDefaults& defaults, bool clearAll) {
    Geometry g{};
    if (!planGeometry(tileWidth, cols, tileHeight, rows, mode, g)) {
        releasePage(page);
        return false;
    }
    Page fresh;
    fresh.mode = mode;
    fresh.kind = page.kind;
    std::memcpy(fresh.name, page.name, kPageNameSize);
    fresh.width = static_cast<std::int32_t>(g.width);
    fresh.stride = static_cast<std::int32_t>(g.stride);
    fresh.height = static_cast<std::int32_t>(g.height);
    fresh.tileWidth = fresh.width / cols;
    fresh.tileHeight = fresh.height / rows;
    fresh.cols = cols;
    fresh.rows = rows;
    fresh.tileCount = cols * rows;
    fresh.pixelCount = static_cast<std::uint32_t>(g.pixelCount);
    fresh.palette = page.palette;
    fresh.paletteQuad = page.paletteQuad;

    const std::size_t count = fresh.pixelCount;
    bool allocated = false;
    switch (mode) {
        case kMode8:
            fresh.pixels8 = allocate<std::uint8_t>(count);
            allocated = fresh.pixels8 != nullptr;
            fresh.colorKey8 = defaults.key8;
            setPagePalette(fresh, defaults.palette);
            break;
        case kMode16:
            fresh.pixels16 = allocate<std::uint16_t>(count);
            allocated = fresh.pixels16 != nullptr;
            fresh.colorKey16 = defaults.key16;
            break;
        default:
            fresh.pixels24 = allocate<std::uint8_t>(count * 3);
            allocated = fresh.pixels24 != nullptr;
            fresh.colorKey24 = defaults.key24;
            break;
    }
    if (!allocated) {
        releasePage(page);
        return false;
    }
    if (clearAll)
        clearPage(fresh);
    else
        fillRect(fresh, fresh.width, 0, fresh.stride - fresh.width, fresh.height);
    page = std::move(fresh);
    return true;
}

}  // namespace

bool createPage(Page& page, int tileWidth, int cols, int tileHeight, int rows, int mode,
                const PageDefaults& defaults) {
    return buildPage(page, tileWidth, cols, tileHeight, rows, mode, defaults, true);
}

bool createPageForOverwrite(Page& page, int tileWidth, int cols, int tileHeight, int rows, int mode,
                            const PageDefaults& defaults) {
    return buildPage(page, tileWidth, cols, tileHeight, rows, mode, defaults, false);
}

bool createSinglePage(Page& page, int width, int height, int mode, const PageDefaults& defaults) {
    return createPage(page, width, 1, height, 1, mode, defaults);
}

std::uint64_t pageBufferBytes(int tileWidth, int cols, int tileHeight, int rows, int mode) {
    Geometry g{};
    if (!planGeometry(tileWidth, cols, tileHeight, rows, mode, g)) return 0;
    return static_cast<std::uint64_t>(g.pixelCount) * static_cast<std::uint64_t>(mode);
}

void releasePage(Page& page) {
    page = Page{};
}

void fillRect(Page& page, int x, int y, int w, int h) {
    const std::int64_t x0 = std::max<std::int64_t>(x, 0);
    const std::int64_t y0 = std::max<std::int64_t>(y, 0);
    const std::int64_t x1 = std::min<std::int64_t>(std::int64_t{x} + w, page.stride);
    const std::int64_t y1 = std::min<std::int64_t>(std::int64_t{y} + h, page.height);
    if (x0 >= x1 || y0 >= y1) return;
    const std::size_t n = static_cast<std::size_t>(x1 - x0);
    for (std::int64_t row = y0; row < y1; ++row) {
        const std::size_t at = static_cast<std::size_t>(row * page.stride + x0);
        switch (page.mode) {
            case kMode8:
                if (page.pixels8) std::memset(page.pixels8.get() + at, page.colorKey8, n);
                break;
            case kMode16:
                if (page.pixels16) std::fill_n(page.pixels16.get() + at, n, page.colorKey16);
                break;
            case kMode24:
                if (page.pixels24) {
                    std::uint8_t* p = page.pixels24.get() + at * 3;
                    for (std::size_t i = 0; i < n; ++i, p += 3)
                        valueToPixel24(p, page.colorKey24);
                }
                break;
            default:
                return;
        }
    }
}

void clearPage(Page& page) {
    fillRect(page, 0, 0, page.stride, page.height);
}

void putPixel(Page& page, int x, int y, std::uint32_t value) {
    if (x < 0 || y < 0 || x >= page.stride || y >= page.height) return;
    const std::size_t at = static_cast<std::size_t>(y) * page.stride + x;
    switch (page.mode) {
        case kMode8:
            page.pixels8[at] = static_cast<std::uint8_t>(value);
            break;
        case kMode16:
            page.pixels16[at] = static_cast<std::uint16_t>(value);
            break;
        case kMode24:
            valueToPixel24(page.pixels24.get() + at * 3, value);
            break;
        default:
            break;
    }
}

std::uint32_t pixelAt(const Page& page, int x, int y) {
    if (x < 0 || y < 0 || x >= page.stride || y >= page.height) return 0;
    const std::size_t at = static_cast<std::size_t>(y) * page.stride + x;
    switch (page.mode) {
        case kMode8:
            return page.pixels8[at];
        case kMode16:
            return page.pixels16[at];
        case kMode24:
            return pixel24Value(page.pixels24.get() + at * 3);
        default:
            return 0;
    }
}

void setColorKey(Page& page, std::uint32_t value) {
    switch (page.mode) {
        case kMode8:
            page.colorKey8 = static_cast<std::uint8_t>(value);
            break;
        case kMode16:
            page.colorKey16 = static_cast<std::uint16_t>(value);
            break;
        case kMode24:
            page.colorKey24 = value;
            break;
        default:
            break;
    }
}

std::uint32_t colorKeyOf(const Page& page) {
    switch (page.mode) {
        case kMode8:
            return page.colorKey8;
        case kMode16:
            return page.colorKey16;
        case kMode24:
            return page.colorKey24;
        default:
            return 0;
    }
}

void detectColorKey(Page& page) {
    if (page.width <= 0 || page.height <= 0) return;
    const int right = page.width - 1, bottom = page.height - 1;
    const std::uint32_t topRight = pixelAt(page, right, 0);
    if (pixelAt(page, 0, 0) == topRight && pixelAt(page, 0, bottom) == topRight &&
        pixelAt(page, right, bottom) == topRight)
        setColorKey(page, topRight);
}

int tileIndexAt(const Page& page, int x, int y) {
    if (page.tileWidth == 0 || page.tileHeight == 0) return 0;
    return x / page.tileWidth + (y / page.tileHeight) * page.cols;
}

int xInTile(const Page& page, int x) {
    return page.tileWidth == 0 ? 0 : x % page.tileWidth;
}

int yInTile(const Page& page, int y) {
    return page.tileHeight == 0 ? 0 : y % page.tileHeight;
}

void setPageName(Page& page, std::string_view name) {
    std::size_t n = std::min(name.size(), kPageNameSize - 1);
    // Never cut a UTF-8 character in two.
    if (n < name.size())
        while (n > 0 && (static_cast<unsigned char>(name[n]) & 0xC0u) == 0x80u)
            --n;
    std::memset(page.name, 0, kPageNameSize);
    std::memcpy(page.name, name.data(), n);
}

std::string_view pageName(const Page& page) {
    return std::string_view(page.name, ::strnlen(page.name, kPageNameSize));
}

void keepIdentity(Page& rebuilt, const Page& original) {
    rebuilt.kind = original.kind;
    std::memcpy(rebuilt.name, original.name, kPageNameSize);
    if (rebuilt.mode != kMode8) {
        rebuilt.palette = original.palette;
        rebuilt.paletteQuad = original.paletteQuad;
    }
}

bool setTileGrid(Page& page, int tileWidth, int tileHeight) {
    if (!page.inUse() || tileWidth <= 0 || tileHeight <= 0 || page.width % tileWidth != 0 ||
        page.height % tileHeight != 0)
        return false;
    page.tileWidth = tileWidth;
    page.tileHeight = tileHeight;
    page.cols = page.width / tileWidth;
    page.rows = page.height / tileHeight;
    page.tileCount = page.cols * page.rows;
    return true;
}

void setPagePalette(Page& page, const Palette& palette) {
    page.palette = palette;
    buildPaletteQuad(page.palette, page.paletteQuad);
}

std::size_t pixelBufferBytes(const Page& page) {
    return static_cast<std::size_t>(page.pixelCount) *
           static_cast<std::size_t>(page.mode > 0 ? page.mode : 0);
}

std::uint8_t* pixelBytes(Page& page) {
    if (page.pixels8) return page.pixels8.get();
    if (page.pixels16) return reinterpret_cast<std::uint8_t*>(page.pixels16.get());
    return page.pixels24.get();
}

const std::uint8_t* pixelBytes(const Page& page) {
    return pixelBytes(const_cast<Page&>(page));
}

bool duplicatePage(Page& copy, const Page& page) {
    Page fresh;
    fresh.mode = page.mode;
    fresh.kind = page.kind;
    std::memcpy(fresh.name, page.name, kPageNameSize);
    fresh.width = page.width;
    fresh.stride = page.stride;
    fresh.height = page.height;
    fresh.tileWidth = page.tileWidth;
    fresh.tileHeight = page.tileHeight;
    fresh.cols = page.cols;
    fresh.rows = page.rows;
    fresh.tileCount = page.tileCount;
    fresh.pixelCount = page.pixelCount;
    fresh.paletteQuad = page.paletteQuad;
    fresh.palette = page.palette;
    fresh.colorKey8 = page.colorKey8;
    fresh.colorKey16 = page.colorKey16;
    fresh.colorKey24 = page.colorKey24;
    fresh.revision = page.revision;
    const std::size_t bytes = pixelBufferBytes(page);
    if (page.pixels8) fresh.pixels8 = allocate<std::uint8_t>(page.pixelCount);
    if (page.pixels16) fresh.pixels16 = allocate<std::uint16_t>(page.pixelCount);
    if (page.pixels24) fresh.pixels24 = allocate<std::uint8_t>(std::size_t{page.pixelCount} * 3);
    if (pixelBytes(page) != nullptr) {
        if (pixelBytes(fresh) == nullptr) return false;
        std::memcpy(pixelBytes(fresh), pixelBytes(page), bytes);
    }
    for (int i = 0; i < kAreaLayerCount; ++i) {
        if (!page.areas[i]) continue;
        fresh.areas[i].reset(new (std::nothrow) AreaLayer(*page.areas[i]));
        if (!fresh.areas[i]) return false;
    }
    copy = std::move(fresh);
    return true;
}

}  // namespace zentil
