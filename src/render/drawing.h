// Drawing of the window's small pictures: screen colours as the settings
// keep them, and the palette swatch grid.
#pragma once

#include <QColor>
#include <QImage>

#include <cstdint>

#include "image/palette.h"

namespace zentil {

// The colour of a 0x00BBGGRR value; the top byte is ignored.
QColor colorFromBgr(std::uint32_t bgr);

// The palette as 16 x 16 swatches of 16 x 16 pixels, entry n at column n mod 16
// and row n div 16: a black one-pixel outline over the cell's 16 x 16 pixels,
// the 14 x 14 inside filled with the entry's colour. Cells are drawn while
// their left edge is below the image width - 1 and their top below the image
// height - 1; a 256 x 256 image holds exactly the 256 cells.
void drawPaletteGrid(QImage& image, const Palette& palette);

}  // namespace zentil
