// Page pixels to screen pixels: the one way a page reaches an image on screen.
#pragma once

#include <QImage>
#include <cstdint>
#include <span>

#include "image/page.h"

namespace zentil {

// The image format a page of `mode` is shown in: the page's own 24-bit row
// format (bytes B, G, R) for 8-bit and 24-bit pages, its own 16-bit format
// (R in bits 10-14, G 5-9, B 0-4) for 16-bit pages. Format_Invalid for any
// other mode.
QImage::Format renderFormatFor(int mode);

// A piece of a target row: page columns column .. column + count - 1, each
// shown `repeat` times side by side.
struct ColumnSpan {
    int column = 0;
    int count = 0;
    int repeat = 1;
};

// The scaling under every enlarged or reduced page on screen: target row
// top + k, from pixel `left` on, shows page row rows[k] through `spans` left
// to right; rows outside the page (-1, say) are left as they are. Pages of
// every mode are drawn into Format_RGB32 and Format_BGR888 images (16-bit
// pixels with their five-bit channels widened as the screen shows them),
// 16-bit pages also into Format_RGB555 images, unchanged; other images,
// spans outside the stride, and rows that would not fit in the image draw
// nothing.
void renderPageSpans(QImage& image, int left, int top, const Page& page,
                     std::span<const ColumnSpan> spans, std::span<const int> rows);

// The width x height rectangle of `page` at (srcX, srcY) stretched over the
// whole of `image`, which keeps its size and takes renderFormatFor(page.mode):
// target pixel (x, y) shows the page pixel under its centre. Target columns
// whose source lies outside the stride keep what they held.
void renderPageFitted(QImage& image, const Page& page, int srcX, int srcY, int width, int height);

}  // namespace zentil
