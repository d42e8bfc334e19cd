#include "image/palette.h"

#include <algorithm>

namespace zentil {

void buildPaletteQuad(const Palette& palette, PaletteQuad& quad) {
    for (int i = 0; i < kPaletteEntries; ++i) {
        quad[i * 4 + 0] = palette[i * 3 + 0];
        quad[i * 4 + 1] = palette[i * 3 + 1];
        quad[i * 4 + 2] = palette[i * 3 + 2];
        quad[i * 4 + 3] = 0;
    }
}

bool isAllBlack(const Palette& palette) {
    return std::all_of(palette.begin(), palette.end(), [](std::uint8_t b) { return b == 0; });
}

}  // namespace zentil
