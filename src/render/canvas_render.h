// The canvas view: the visible part of a page at a zoom, nearest pixel, with
// what is drawn over it. Everything on the canvas reaches the screen through
// renderCanvasView and one CanvasProjection.
//
// Lines over the page lie on the edges between page pixels: a line at page
// column x is the first screen column of that page column, one screen pixel
// wide at every zoom, so that at zoom 1 each line is drawn where the classic
// line primitive draws it (the tests keep that drawing as their reference).
#pragma once

#include <QImage>
#include <QRect>
#include <cstdint>
#include <optional>

#include "edit/canvas_projection.h"
#include "image/page.h"

namespace zentil {

// The format of canvas views: the screen's own, so that a view reaches the
// window unconverted.
inline constexpr QImage::Format kCanvasFormat = QImage::Format_RGB32;

// The grid drawn over a page on the canvas: when shown, the tile grid and
// the centre lines in `color` (0x00BBGGRR).
struct GridLines {
    bool shown = false;
    std::uint32_t color = 0;
};

// A rectangle outline, on the inside of a rectangle of page pixels.
struct CanvasOutline {
    int x = 0, y = 0, width = 0, height = 0;  // page pixels
    std::uint32_t color = 0x0000FF;           // 0x00BBGGRR
    int thickness = 1;                        // screen pixels
};

// What is drawn over a page, in this order.
struct CanvasOverlays {
    // Faint lines along the edges of every page pixel, from kPixelGridMinZoom on.
    bool pixelGrid = false;
    // The tile grid: solid lines at every multiple of the tile size but 0;
    // with `centreLines`, dotted lines (one screen pixel on, two off, counted
    // from the page's edge) through the middle pixel row and column of every tile.
    GridLines grid;
    bool centreLines = true;
    // 1 to 5: the yellow outlines of that area layer's rectangles.
    int areaLayer = 0;
    // Drawn over everything, also beyond the page's edges.
    std::optional<CanvasOutline> outline;
};

// Draws the pixels of `page` (its padding columns included) that `projection`
// puts inside `clip`, with `overlays` over them, into `image`, which is made
// kCanvasFormat first. Pixels of the image outside the clip, and outside the
// page except under the outline, keep what they held.
void renderCanvasView(QImage& image, const QRect& clip, const Page& page,
                      const CanvasProjection& projection, const CanvasOverlays& overlays);

// Fills the part of `rect` inside the image with a 0x00BBGGRR colour
// (kCanvasFormat images only).
void fillCanvasRect(QImage& image, const QRect& rect, std::uint32_t bgr);

// The screen rectangle of a rectangle of page pixels, clipped to the range
// of int.
QRect screenRect(const CanvasProjection& projection, std::int64_t x, std::int64_t y,
                 std::int64_t width, std::int64_t height);

}  // namespace zentil
