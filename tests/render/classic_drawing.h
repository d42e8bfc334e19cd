// The classic drawing of the canvas at 1x, kept as a reference model: a page
// rendered into an image of its own row format, then the tile grid, centre
// lines, rectangle outlines and area rectangles drawn over it with the line
// primitive. The tests prove the canvas view identical to it at 1x, and the
// benchmarks measure the canvas view and the page scaling against it. Free of
// the test framework, so that the benchmarks can link it too.
//
// Colours are screen colours, 0x00BBGGRR, as the settings keep the grid colour.
// Lines follow the classic line primitive: drawn without antialiasing, from the
// start point up to but not including the end point. Drawing works on any
// image QPainter can paint on, among them the formats renderPage gives; a null
// image is left alone.
#pragma once

#include <QImage>

#include <cstdint>

#include "image/page.h"

namespace zentil::test {

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

// Pen styles of drawLine.
inline constexpr int kPenSolid = 0;
inline constexpr int kPenDotted = 2;  // one pixel on, two off, from the start point

// A line from (x1, y1) towards (x2, y2), the end point itself not drawn, so a
// line whose ends coincide draws nothing. A width of 1 or less is a one-pixel
// pen; a wider pen covers `width` pixels across the line, and ends flat at the
// end point (lines along an axis) or is the flat-ended band between the two
// points (slanted lines). Dots are counted from the start point.
// Styles other than kPenDotted draw solid.
void drawLine(QImage& image, int x1, int y1, int x2, int y2, std::uint32_t color, int width,
              int style);

// Solid one-pixel lines across the whole image at every multiple of the tile
// height below the image height, then down the whole image at every multiple
// of the tile width below the image width; none at 0. Nothing in a direction
// whose tile size is 0 or less.
void drawTileGrid(QImage& image, int tileWidth, int tileHeight, std::uint32_t color);

// Dotted one-pixel lines through the middle of every tile: across at
// t + tileHeight / 2 for t = 0, tileHeight, ... below the image height, and
// down at t + tileWidth / 2 for t = 0, tileWidth, ... below the image width.
void drawTileCentres(QImage& image, int tileWidth, int tileHeight, std::uint32_t color);

// Four solid lines, each without its end point: (x, y)-(x + w, y),
// (x + w, y)-(x + w, y + h), (x, y + h)-(x + w, y + h), (x, y)-(x, y + h).
void drawRectOutline(QImage& image, int x, int y, int w, int h, std::uint32_t color, int width);

// The yellow one-pixel outlines of the set rectangles of area layer `layer`
// (1 to 5; any other value draws nothing) of the tiles 0 to
// min(tileCount, 1000) - 1. Entries whose right is 0 are unset and skipped.
void drawAreaOverlay(QImage& image, const Page& page, int layer);

}  // namespace zentil::test
