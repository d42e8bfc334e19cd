// The GPF byte map over the canvas view: every tile tinted by the bytes it
// takes in a GPF file, from the cheapest tile of the page (cool) to the
// dearest (hot) on one scale, with its figure printed where the tile is
// large enough on screen.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdint>

#include "edit/canvas_projection.h"
#include "formats/gpf_file.h"
#include "image/page.h"
#include "render/byte_map_scale.h"

namespace zentil {

// How much of the tint covers the page (of 256): the page stays readable.
inline constexpr int kByteMapTintAlpha = 110;
// A tile's figure is printed when the tile covers at least this many view
// pixels (and the figure fits inside).
inline constexpr int kByteMapFigureMinWidth = 36;
inline constexpr int kByteMapFigureMinHeight = 14;

// The opaque colour of `bytes` on the scale from `cheapest` to `dearest`:
// the hue runs from blue (cheapest) over cyan, green and yellow to red
// (dearest). When all tiles are equal, they take the cheapest colour.
QColor byteMapTint(std::uint64_t bytes, std::uint64_t cheapest, std::uint64_t dearest);

// Tints every tile of `page` that `projection` puts inside `dirty`, over what
// `image` (a kCanvasFormat view, as renderCanvasView leaves it) already
// shows, and prints the figures of the large-enough tiles. `sizes` are the
// page's GPF sizes and `scale` their extremes; nothing is drawn when they do
// not describe the page's tiles. Pixels outside `dirty` keep what they held.
// Printing figures takes the fonts, so a QGuiApplication must exist then.
void drawByteMap(QImage& image, const QRect& dirty, const Page& page,
                 const CanvasProjection& projection, const GpfSizes& sizes,
                 const ByteMapScale& scale);

}  // namespace zentil
