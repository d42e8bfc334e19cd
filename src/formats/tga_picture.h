// TGA pictures as the file holds them, for pages of any colour count: palette
// indexes, grey levels, or true colour with alpha.
#pragma once

#include <cstdint>
#include <span>

#include "formats/file_picture.h"
#include "image/palette.h"
#include "system/byte_source.h"
#include "system/outcome.h"

namespace zentil {

// Reads a TGA picture into `out`:
//  - 8-bit palette indexes (image types 1 and 9, and 2 and 10 of 8 bits) as
//    the TGA page reader reads them, with the same refusals: the file's
//    colour map, or `unmapped` for a picture without one;
//  - grey levels (types 3 and 11) of 8 bits as indexes into a grey ramp,
//    grey with alpha (16 bits) as true colour;
//  - true colour (types 2 and 10) of 15, 16, 24 and 32 bits, with alpha from
//    the attribute bit of 16-bit pixels or the fourth byte of 32-bit ones
//    only when the descriptor gives the pixels attribute bits; other pixels
//    are opaque.
// Rows come top first, left to right, whatever order the file stores them
// in. An ID field is passed over and the origin ignored in pictures other
// than 8-bit indexes. Refused, before any pixel buffer exists: other types
// ("TGA 파일 형식이 맞지 않습니다."), other depths ("지원하지 않는
// TGA파일입니다. (%d)"), data too short for the picture ("파일을 읽는데
// 실패했습니다."), pictures of more than `maxPixels` pixels ("이미지를 생성할
// 수 없습니다."). `out` is only changed on success.
Outcome decodeTgaPicture(ByteSource& source, DecodedPicture& out, std::uint64_t maxPixels,
                         const Palette& unmapped);
Outcome decodeTgaPicture(std::span<const std::uint8_t> bytes, DecodedPicture& out,
                         std::uint64_t maxPixels, const Palette& unmapped);

}  // namespace zentil
