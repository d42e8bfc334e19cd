// Small writers of BMP and TGA files of every depth and compression, from
// the published layouts, for the tests and fuzz seeds of the readers.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "image/palette.h"

namespace zentil::test {

using Bytes = std::vector<std::uint8_t>;

struct BmpLayout {
    int width = 1, height = 1;
    int bits = 8;
    int compression = 0;  // 0 plain, 1 RLE8, 2 RLE4, 3 bit fields, 6 bit fields with alpha
    int headerSize = 40;  // 12, 40, 52, 56, 108 or 124
    bool topDown = false;
    // Written after a 40-byte header, or in a larger one, with compression 3 or 6.
    std::array<std::uint32_t, 4> masks{};
    int paletteEntries = 0;  // written, and given in the colour count field unless 0
    Palette palette{};
    // Top row first: indexes, or pixels as stored (16 and 32 bits: the value
    // the masks take apart; 24 bits: 0xRRGGBB).
    std::vector<std::uint32_t> pixels;
};
Bytes bmpFile(const BmpLayout& layout);

struct TgaLayout {
    int type = 2;  // 1, 2, 3, or 9, 10, 11 for run-length packets
    int depth = 24;
    int descriptor = 0;  // attribute bits, right to left (0x10), top first (0x20)
    int width = 1, height = 1;
    Bytes id;            // the ID field
    int mapEntries = 0;  // a colour map of 24-bit entries i = (i, 2i, 3i) when not 0
    // Top row first, left to right: pixels as stored, little-endian.
    std::vector<std::uint32_t> pixels;
};
// Run-length packets run on from row to row, as the layout allows.
Bytes tgaFile(const TgaLayout& layout);

}  // namespace zentil::test
