#include "edit/tile_bounds.h"

#include <algorithm>
#include <cstddef>

#include "image/pixel.h"

namespace zentil {
namespace {

// 8-bit tiles: which columns and rows hold a pixel other than the key, found
// in one pass over blocks of up to 256 columns with no branch per row, which
// the compiler vectorises. False when every pixel is the key.
bool bounds8(const std::uint8_t* tile, std::ptrdiff_t stride, int tw, int th, std::uint8_t key,
             int& left, int& right, int& top, int& bottom) {
    constexpr int kBlock = 256;
    left = tw;
    right = -1;
    top = th;
    bottom = -1;
    for (int x0 = 0; x0 < tw; x0 += kBlock) {
        const int m = std::min(kBlock, tw - x0);
        std::uint8_t columns[kBlock] = {};
        const std::uint8_t* row = tile + x0;
        for (int y = 0; y < th; ++y, row += stride) {
            std::uint8_t any = 0;
            for (int j = 0; j < m; ++j) {
                const std::uint8_t opaque = row[j] != key;
                columns[j] |= opaque;
                any |= opaque;
            }
            // Selects rather than branches; blocks after the first may only
            // widen what the earlier found.
            top = any && y < top ? y : top;
            bottom = any && y > bottom ? y : bottom;
        }
        for (int j = 0; j < m; ++j)
            if (columns[j]) {
                left = std::min(left, x0 + j);
                break;
            }
        for (int j = m - 1; j >= 0; --j)
            if (columns[j]) {
                right = std::max(right, x0 + j);
                break;
            }
    }
    return bottom >= 0;
}

template <typename Load>
bool rowExtentGeneric(Load load, int n, std::uint32_t key, int& first, int& last) {
    int i = 0;
    while (i < n && load(i) == key)
        ++i;
    if (i == n) return false;
    int j = n - 1;
    while (load(j) == key)
        --j;
    first = i;
    last = j;
    return true;
}

}  // namespace

bool tileBounds(const Page& page, int tileIndex, TileRect& rect) {
    rect = TileRect{};
    if (!page.inUse() || page.cols <= 0 || tileIndex < 0 || tileIndex >= page.tileCount)
        return false;
    // Widening adds up to three columns, and the result must fit 16 bits.
    if (page.tileWidth > 0xFFFC || page.tileHeight > 0xFFFF) return false;
    const int x0 = (tileIndex % page.cols) * page.tileWidth;
    const int y0 = (tileIndex / page.cols) * page.tileHeight;
    const int tw = page.tileWidth, th = page.tileHeight;
    const std::uint32_t key = colorKeyOf(page) & 0xFFFFFFu;

    int left = tw, right = -1, top = -1, bottom = -1;
    if (page.mode == kMode8) {
        if (!bounds8(page.pixels8.get() + static_cast<std::size_t>(y0) * page.stride + x0,
                     page.stride, tw, th, static_cast<std::uint8_t>(key), left, right, top, bottom))
            return true;  // all transparent
    } else {
        for (int y = 0; y < th; ++y) {
            const std::size_t at = static_cast<std::size_t>(y0 + y) * page.stride + x0;
            int first = 0, last = 0;
            bool any = false;
            switch (page.mode) {
                case kMode16: {
                    const std::uint16_t* row = page.pixels16.get() + at;
                    any = rowExtentGeneric([row](int i) { return std::uint32_t{row[i]}; }, tw, key,
                                           first, last);
                    break;
                }
                case kMode24: {
                    const std::uint8_t* row = page.pixels24.get() + at * 3;
                    any = rowExtentGeneric([row](int i) { return pixel24Value(row + i * 3); }, tw,
                                           key, first, last);
                    break;
                }
                default:
                    return false;
            }
            if (!any) continue;
            if (top < 0) top = y;
            bottom = y;
            if (first < left) left = first;
            if (last > right) right = last;
        }
        if (top < 0) return true;  // all transparent
    }

    int x = left, w = right - left + 1;
    while ((w * page.mode) % 4 != 0) {
        if (x > 0) --x;
        ++w;
    }
    rect.x = static_cast<std::uint16_t>(x);
    rect.y = static_cast<std::uint16_t>(top);
    rect.w = static_cast<std::uint16_t>(w);
    rect.h = static_cast<std::uint16_t>(bottom - top + 1);
    return true;
}

}  // namespace zentil
