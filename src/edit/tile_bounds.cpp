#include "edit/tile_bounds.h"

#include <cstring>

#include "image/pixel.h"

namespace zentil {
namespace {

// Columns of the first and last pixel in [0, n) that differ from the key;
// false when all of them equal it.
bool rowExtent8(const std::uint8_t* row, int n, std::uint8_t key, int& first, int& last) {
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    const std::uint64_t keys = kOnes * key;
    int i = 0;
    // Eight pixels at a time: a word equal to eight keys holds nothing.
    while (i + 8 <= n) {
        std::uint64_t word;
        std::memcpy(&word, row + i, 8);
        if (word != keys) break;
        i += 8;
    }
    while (i < n && row[i] == key)
        ++i;
    if (i == n) return false;
    first = i;
    int j = n - 1;
    while (j - 7 > first) {
        std::uint64_t word;
        std::memcpy(&word, row + j - 7, 8);
        if (word != keys) break;
        j -= 8;
    }
    while (row[j] == key)
        --j;
    last = j;
    return true;
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
    for (int y = 0; y < th; ++y) {
        const std::size_t at = static_cast<std::size_t>(y0 + y) * page.stride + x0;
        int first = 0, last = 0;
        bool any = false;
        switch (page.mode) {
            case kMode8:
                any = rowExtent8(page.pixels8.get() + at, tw, static_cast<std::uint8_t>(key), first,
                                 last);
                break;
            case kMode16: {
                const std::uint16_t* row = page.pixels16.get() + at;
                any = rowExtentGeneric([row](int i) { return std::uint32_t{row[i]}; }, tw, key,
                                       first, last);
                break;
            }
            case kMode24: {
                const std::uint8_t* row = page.pixels24.get() + at * 3;
                any = rowExtentGeneric([row](int i) { return pixel24Value(row + i * 3); }, tw, key,
                                       first, last);
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
