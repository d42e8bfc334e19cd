#include "image/palette.h"

namespace zentil {

void buildPaletteQuad(const Palette& palette, PaletteQuad& quad) {
    for (int i = 0; i < kPaletteEntries; ++i) {
        quad[i * 4 + 0] = palette[i * 3 + 0];
        quad[i * 4 + 1] = palette[i * 3 + 1];
        quad[i * 4 + 2] = palette[i * 3 + 2];
        quad[i * 4 + 3] = 0;
    }
}

}  // namespace zentil
