// The row loops for every x86-64 processor (and any other architecture), and
// the palette look-ups that every instruction set shares.
#include <bit>

#define ZENTIL_ROWS_TARGET
#include "edit/blit_rows.h"

namespace zentil {

const BlitKernels& baselineBlitKernels() {
    static const BlitKernels kernels = makeKernels();
    return kernels;
}

void lookUp16(std::uint16_t* __restrict d, const std::uint8_t* __restrict s, std::int64_t n,
              const std::uint16_t* table) {
    std::int64_t i = 0;
    if constexpr (std::endian::native == std::endian::little)
        for (; i + 8 <= n; i += 8)
            lookUp16Eight(d + i, s + i, table);
    for (; i < n; ++i)
        d[i] = table[s[i]];
}

void lookUp24(std::uint8_t* __restrict d, const std::uint8_t* __restrict s, std::int64_t n,
              const std::uint8_t (*table)[4]) {
    if (n <= 0) return;
    // Four bytes per pixel are written; the fourth is the next pixel's first,
    // which that pixel writes again. The last pixel writes only its three.
    // Eight indexes are read at a time while a ninth pixel follows them.
    std::int64_t i = 0;
    for (; i + 9 <= n; i += 8) {
        std::uint64_t eight;
        std::memcpy(&eight, s + i, 8);
        for (int j = 0; j < 8; ++j) {
            const int shift = std::endian::native == std::endian::little ? 8 * j : 56 - 8 * j;
            std::memcpy(d + 3 * (i + j), table[(eight >> shift) & 0xFF], 4);
        }
    }
    for (; i < n - 1; ++i)
        std::memcpy(d + 3 * i, table[s[i]], 4);
    std::memcpy(d + 3 * (n - 1), table[s[n - 1]], 3);
}

}  // namespace zentil
