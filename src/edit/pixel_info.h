// The texts of the status panels for one pixel of the current page.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "image/page.h"

namespace zentil {

// A colour value and its red, green and blue, as shown.
using ColorTexts = std::array<std::string, 4>;

// What each panel shows; an empty optional means the panel keeps its text.
struct PixelInfo {
    std::string tileXY;                   // position inside the tile, "x, y"
    std::string tileNum;                  // tile number
    std::optional<std::string> tileSize;  // "w X h"
    std::optional<ColorTexts> pixel;
    std::optional<ColorTexts> defaultKey;  // the default key of the page's mode
    std::optional<ColorTexts> key;         // the page's own key
};

// A value in the page's own encoding with its components; 8-bit components
// come from the page's own palette.
ColorTexts colourTexts(const Page& page, std::uint32_t value);

// For pixel (x, y) of `page` (nullptr when there is no current page: every
// panel but the tile size shows "0").
PixelInfo pixelInfo(const Page* page, int x, int y, const PageDefaults& defaults);

}  // namespace zentil
