// BMP pictures as the file holds them: palette indexes kept as they are, or
// true colour with alpha.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "formats/file_picture.h"
#include "system/byte_source.h"
#include "system/outcome.h"

namespace zentil {

// How the pixels are stored, by the number the header gives.
enum class BmpCompression { None = 0, Rle8 = 1, Rle4 = 2, Bitfields = 3, AlphaBitfields = 6 };

// What a BMP file holds as it is, before the editor makes a page of it.
struct BmpFacts {
    int width = 0;
    int height = 0;        // rows, whichever way they are stored
    bool topDown = false;  // rows stored top first (a negative height in the file)
    int headerSize = 0;    // 12 (the old core header), 40, 52, 56, 64, 108 or 124
    int bitsPerPixel = 0;
    BmpCompression compression = BmpCompression::None;
    int paletteEntries = 0;  // palette entries read, for pictures of 8 bits or fewer
    // Red, green, blue and alpha of 16- and 32-bit pixels (alpha 0: none).
    std::array<std::uint32_t, 4> masks{};
    bool alpha = false;
};

// Reads a BMP picture into `out`: pictures of 1, 2, 4 and 8 bits, plain or
// run-length coded (RLE8, RLE4), as an IndexedPicture with the indexes as
// stored and the palette the file gives (as many entries as its colour count
// says, or as fit before the pixels; entries it does not give are black;
// pixels a run-length picture skips take index 0); pictures of 16, 24 and 32
// bits as an RgbaPicture, 16- and 32-bit ones by their colour masks or the
// usual 5-5-5 and 8-8-8 layouts, alpha only from an alpha mask (a picture
// whose every alpha is 0 is taken as opaque), every channel scaled to 8 bits. Rows come top first
// whichever way they are stored. Refused, before any pixel buffer exists: "BMP 파일을 읽을 수
// 없습니다." with the reason in brackets (an empty file, not a BMP file, a
// file cut short, a damaged file, wrong colour masks, compressed pixels
// outside the picture); depths and compressions it does not read with their
// number; pictures of more than `maxPixels` pixels with "이미지를 생성할 수
// 없습니다.". `out` is only changed on success.
Outcome decodeBmp(ByteSource& source, DecodedPicture& out, std::uint64_t maxPixels);
Outcome decodeBmp(std::span<const std::uint8_t> bytes, DecodedPicture& out, std::uint64_t maxPixels);

// Reads the headers and the palette, refusing what decodeBmp refuses there
// (all but the pixels and the size); `out` is only changed on success.
Outcome describeBmp(ByteSource& source, BmpFacts& out);

}  // namespace zentil
