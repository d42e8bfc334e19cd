#include "edit/pixel_info.h"

#include "image/pixel.h"

namespace zentil {
namespace {

// Two numbers joined by a separator. (Built step by step: GCC 12 warns falsely
// about operator+ chains of temporaries.)
std::string joined(int a, const char* separator, int b) {
    std::string text = std::to_string(a);
    text += separator;
    text += std::to_string(b);
    return text;
}

ColorTexts texts(std::uint32_t value, std::uint32_t r, std::uint32_t g, std::uint32_t b) {
    return {std::to_string(value), std::to_string(r), std::to_string(g), std::to_string(b)};
}

}  // namespace

ColorTexts colourTexts(const Page& page, std::uint32_t v) {
    switch (page.mode) {
        case kMode8: {
            const std::uint8_t* e = &page.palette[(v & 0xFFu) * 3];
            return texts(v & 0xFFu, e[0], e[1], e[2]);
        }
        case kMode16:
            return texts(v & 0xFFFFu, widenChannel((v >> 10) & 31u), widenChannel((v >> 5) & 31u),
                         widenChannel(v & 31u));
        default:
            return texts(v, (v >> 16) & 0xFFu, (v >> 8) & 0xFFu, v & 0xFFu);
    }
}

PixelInfo pixelInfo(const Page* page, int x, int y, const PageDefaults& defaults) {
    PixelInfo info;
    if (!page || !page->inUse() || page->tileWidth <= 0 || page->tileHeight <= 0) {
        const std::string zero(1, '0');
        info.tileXY = zero;
        info.tileNum = zero;
        info.pixel = info.defaultKey = info.key = ColorTexts{zero, zero, zero, zero};
        return info;
    }
    info.tileXY = joined(xInTile(*page, x), ", ", yInTile(*page, y));
    info.tileNum = std::to_string(tileIndexAt(*page, x, y));
    info.tileSize = joined(page->tileWidth, " X ", page->tileHeight);
    std::uint32_t defaultKey = 0;
    switch (page->mode) {
        case kMode8:
            defaultKey = defaults.key8;
            break;
        case kMode16:
            defaultKey = defaults.key16;
            break;
        case kMode24:
            defaultKey = defaults.key24;
            break;
        default:
            return info;
    }
    info.pixel = colourTexts(*page, pixelAt(*page, x, y));
    info.defaultKey = colourTexts(*page, defaultKey);
    info.key = colourTexts(*page, colorKeyOf(*page));
    return info;
}

}  // namespace zentil
