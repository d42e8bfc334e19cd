#include "edit/recolor.h"

#include <algorithm>
#include <cstdlib>

#include "image/pixel.h"
#include "system/texts.h"

namespace zentil {

std::uint32_t colorLimit(int mode) {
    switch (mode) {
        case kMode8:
            return 0xFFu;
        case kMode16:
            return 0x7FFFu;
        case kMode24:
            return 0xFFFFFFu;
        default:
            return 0;
    }
}

std::uint32_t similarColor(const Page& page, std::uint32_t from) {
    if (page.mode != kMode8) {
        const std::uint32_t limit = colorLimit(page.mode);
        return from >= limit ? limit - 1 : from + 1;
    }
    const std::uint8_t* f = &page.palette[(from & 0xFFu) * 3];
    int best = -1, bestDistance = 0;
    for (int i = 0; i < kPaletteEntries; ++i) {
        if (static_cast<std::uint32_t>(i) == from) continue;
        const std::uint8_t* e = &page.palette[i * 3];
        const int d = std::abs(e[0] - f[0]) + std::abs(e[1] - f[1]) + std::abs(e[2] - f[2]);
        if (best < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return static_cast<std::uint32_t>(best);
}

Outcome replaceColor(Page& page, std::uint32_t from, std::uint32_t to, bool similar) {
    const std::uint32_t limit = colorLimit(page.mode);
    if (limit == 0 || !page.inUse()) return Outcome::silent();
    if (from > limit || to > limit)
        return Outcome::error(page.mode == kMode8    ? texts::kColorRange8
                              : page.mode == kMode16 ? texts::kColorRange16
                                                     : texts::kColorRange24);
    if (similar) to = similarColor(page, from);
    const std::size_t n = page.pixelCount;
    switch (page.mode) {
        case kMode8:
            std::replace(page.pixels8.get(), page.pixels8.get() + n,
                         static_cast<std::uint8_t>(from), static_cast<std::uint8_t>(to));
            break;
        case kMode16:
            std::replace(page.pixels16.get(), page.pixels16.get() + n,
                         static_cast<std::uint16_t>(from), static_cast<std::uint16_t>(to));
            break;
        default: {
            std::uint8_t* p = page.pixels24.get();
            for (std::size_t i = 0; i < n; ++i, p += 3)
                if (pixel24Value(p) == from) valueToPixel24(p, to);
            break;
        }
    }
    return Outcome::done();
}

}  // namespace zentil
