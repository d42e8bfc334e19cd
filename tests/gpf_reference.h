// Plain per-pixel versions of the tile bounding box and of the sprite file
// writer and reader, written straight from the format description. The tests
// prove the library versions identical to them, and the benchmarks measure
// the library against them. Free of the test framework, so that the
// benchmarks can link it too.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "edit/tile_bounds.h"
#include "image/page.h"

namespace zentil::test {

// Four scans over the tile with pixelAt, then the widening to whole words.
void referenceTileBounds(const Page& page, int tileIndex, TileRect& rect);

// Each tile's block copied pixel by pixel, reordered into columns and coded
// with one open run. Block columns past the end of a page row hold the key.
void referenceEncodeSpriteFile(const Page& page, std::vector<std::uint8_t>& out);

// Each block decoded into a w x h buffer (cut at w x h pixels, the rest left at
// the key), reordered into rows, put into a cleared tile-sized scratch page
// and copied into the page with copyPageRect. Takes the file apart with
// parseGpfLayout; false when that refuses it.
bool referenceDecodeSpriteFile(std::span<const std::uint8_t> bytes, Page& page,
                               const PageDefaults& defaults = {});

}  // namespace zentil::test
