// 8-bit page rows to the screen's 24-bit rows (bytes B, G, R) through the
// page's palette: the look-up under a page shown at 1x.
#pragma once

#include <array>
#include <cstdint>

#include "image/page.h"

namespace zentil {

// One 24-bit screen pixel per palette entry, held in the first three bytes of
// a four-byte word (B, G, R, 0 in memory whatever the host's byte order).
using ScreenTable = std::array<std::uint32_t, kPaletteEntries>;

ScreenTable screenTable(const PaletteQuad& quad);

// n >= 1 indices to n B, G, R triples; nothing is written past the last.
void lookUpRow(std::uint8_t* out, const std::uint8_t* in, int n, const ScreenTable& table);

}  // namespace zentil
