// Page pixels to screen pixels: the one way a page reaches an image on screen.
#pragma once

#include <QImage>
#include <cstdint>

#include "image/page.h"

namespace zentil {

// The image format a page of `mode` is shown in: the page's own 24-bit row
// format (bytes B, G, R) for 8-bit and 24-bit pages, its own 16-bit format
// (R in bits 10-14, G 5-9, B 0-4) for 16-bit pages. Format_Invalid for any
// other mode.
QImage::Format renderFormatFor(int mode);

// Draws the width x height rectangle of `page` whose top-left is (srcX, srcY)
// at the top-left corner of `image`.
//
// The image keeps its size; its format becomes renderFormatFor(page.mode), the
// present picture converted when the format changes (a null image stays null
// and nothing is drawn). Per row at most min(width, image width) pixels are
// drawn. A negative srcX counts as 0; source columns at or beyond the page's
// stride, source rows outside the page and image rows at or beyond the image
// height are not drawn, and the image pixels there keep what they held.
// 8-bit pages are looked up in paletteQuad; 16-bit and 24-bit rows are copied
// unchanged. Nothing happens for an empty page.
void renderPage(QImage& image, const Page& page, int srcX, int srcY, int width, int height);

// The grid drawn over a page on the canvas: when shown, the tile grid and
// the centre lines in `color` (0x00BBGGRR).
struct GridLines {
    bool shown = false;
    std::uint32_t color = 0;
};

// The whole page, its padding columns included, with its grid over it.
void renderPageView(QImage& image, const Page& page, const GridLines& grid);

}  // namespace zentil
