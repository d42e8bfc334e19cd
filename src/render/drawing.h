// Line drawing on the canvas images: the tile grid and centre lines, rectangle
// outlines, the palette swatch grid and the area-layer overlay.
//
// Colours are screen colours, 0x00BBGGRR, as the settings keep the grid colour.
// Lines follow the classic line primitive: drawn without antialiasing, from the
// start point up to but not including the end point. Drawing works on any
// image QPainter can paint on, among them the render formats of page_render.h;
// a null image is left alone.
#pragma once

#include <QColor>
#include <QImage>

#include <cstdint>

#include "image/page.h"
#include "image/palette.h"

namespace zentil {

// Pen styles of drawLine.
inline constexpr int kPenSolid = 0;
inline constexpr int kPenDotted = 2;  // one pixel on, two off, from the start point

// The colour of a 0x00BBGGRR value; the top byte is ignored.
QColor colorFromBgr(std::uint32_t bgr);

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

// The palette as 16 x 16 swatches of 16 x 16 pixels, entry n at column n mod 16
// and row n div 16: a black one-pixel outline over the cell's 16 x 16 pixels,
// the 14 x 14 inside filled with the entry's colour. Cells are drawn while
// their left edge is below the image width - 1 and their top below the image
// height - 1; a 256 x 256 image holds exactly the 256 cells.
void drawPaletteGrid(QImage& image, const Palette& palette);

// The yellow one-pixel outlines of the set rectangles of area layer `layer`
// (1 to 5; any other value draws nothing) of the tiles 0 to
// min(tileCount, 1000) - 1. Entries whose right is 0 are unset and skipped.
void drawAreaOverlay(QImage& image, const Page& page, int layer);

}  // namespace zentil
