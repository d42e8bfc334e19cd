// The blend table computed the plain way, entry by entry with a full search of
// the palette, to prove the fast builder and to measure it against.
#pragma once

#include <cstdint>

#include "image/palette.h"

namespace zentil::test {

// Fills rows firstRow..lastRow - 1 (2048 bytes each) of the blend table into
// `out`, which holds the whole table (524288 bytes).
void buildBlendRowsReference(const Palette& palette, std::uint8_t* out, int firstRow, int lastRow);
void buildBlendTableReference(const Palette& palette, std::uint8_t* out);

}  // namespace zentil::test
