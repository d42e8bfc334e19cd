#include "render/screen_row.h"

#include <cstring>

namespace zentil {

ScreenTable screenTable(const PaletteQuad& quad) {
    ScreenTable table;
    for (int i = 0; i < kPaletteEntries; ++i) {
        const std::uint8_t bgr0[4] = {quad[i * 4 + 2], quad[i * 4 + 1], quad[i * 4 + 0], 0};
        std::memcpy(&table[i], bgr0, 4);
    }
    return table;
}

// Every pixel but the last is stored as a whole word whose fourth byte the
// next pixel overwrites; the last one is stored with three bytes.
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

}  // namespace zentil
