// PNG pictures in memory: any PNG of at most 256 colours is read as palette
// indexes; palette pictures and true-colour pictures are written.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "image/palette.h"
#include "image/picture.h"
#include "system/byte_source.h"
#include "system/outcome.h"

namespace zentil {

// The colour types of PNG files, by their number in the header.
enum class PngColourType { Grey = 0, Rgb = 2, Palette = 3, GreyAlpha = 4, Rgba = 6 };

// What a PNG file holds as it is, before the editor makes a page of it.
struct PngFacts {
    int width = 0;
    int height = 0;
    int bitDepth = 0;  // per sample
    PngColourType colourType = PngColourType::Palette;
    bool interlaced = false;
    int paletteEntries = 0;          // of a palette picture
    int transparentEntries = 0;      // palette entries of alpha 0
    bool transparentColour = false;  // a grey level or colour made transparent
};

// The zlib level of saved pictures. On a 2048 x 2048 sprite sheet (see
// bench/png_bench.cpp) level 4 writes in about 36 ms a file 4 % larger than
// level 6 does in about 65 ms; level 1 is faster still (24 ms) but 17 %
// larger, and levels 8 and 9 take 170 and 475 ms for 1 to 3 % less. Level 4
// keeps the largest usual sheet well under the 100 ms a save may take, with
// room for a busy machine.
inline constexpr int kPngCompressionLevel = 4;

// Reads a PNG file into `out`:
//  - palette pictures of 1, 2, 4 or 8 bits keep their indexes and palette;
//  - grey pictures of 1 to 8 bits become indexes into a grey ramp (entry i is
//    the level the file's depth gives sample i);
//  - true-colour pictures of 8 bits per channel, with or without alpha, and
//    grey pictures with alpha, become indexes into their own colours in the
//    order they first appear, reading row by row; every pixel of alpha 0
//    goes to one entry, which counts as a colour. Other alpha values are
//    dropped.
// The transparent entry is the first palette entry of alpha 0 (the pixels
// of any other entry of alpha 0 take its index, so that they stay hidden),
// the grey level or colour of a tRNS chunk, or the entry of the pixels of
// alpha 0.
// Pictures of more than 256 colours and of 16 bits per channel are refused
// with "256색 이하의 PNG 파일만 불러올 수 있습니다."; damaged or cut files
// (a wrong chunk CRC, a broken deflate stream, missing data or end) with
// "PNG 파일을 읽을 수 없습니다." and a short reason in brackets (an empty
// file, not a PNG file, a file cut short, a damaged file); pictures of more
// than `maxPixels` pixels, or whose rows alone would take more than
// `maxPixels` bytes to decode, with "이미지를 생성할 수 없습니다." before
// any pixel buffer exists. `out` is only changed on success.
Outcome decodePng(std::span<const std::uint8_t> bytes, IndexedPicture& out,
                  std::uint64_t maxPixels);

// Where decodePngInto puts the indexes: given the picture's size, the first of
// `height` rows of `width` bytes each `stride` bytes apart, or nullptr when
// the memory cannot be had (the read then fails with "이미지를 생성할 수
// 없습니다.").
using PngDestination = std::function<std::uint8_t*(int width, int height, std::size_t& stride)>;

// As decodePng, with the indexes written to the destination's rows instead
// of `header.indexes`, which stays empty; the size, palette and transparent
// entry go to `header`, only on success.
Outcome decodePngInto(std::span<const std::uint8_t> bytes, IndexedPicture& header,
                      const PngDestination& destination, std::uint64_t maxPixels);
// The same from a source that may hand the file over a piece at a time.
Outcome decodePngInto(ByteSource& source, IndexedPicture& header, const PngDestination& destination,
                      std::uint64_t maxPixels);

// Reads any PNG file, of every colour type and depth, into `out`: as
// decodePng reads it (an IndexedPicture, the same in every index, entry and
// transparent index) wherever decodePng takes it; true-colour and grey
// pictures with alpha of more than 256 colours, and every picture of 16 bits
// per sample, as an RgbaPicture. A tRNS grey level or colour is alpha 0;
// other alpha values are kept as the file gives them. 16-bit samples are
// scaled to the nearest 8-bit value, v * 255 / 65535 rounded (the high byte
// alone would darken every sample whose low byte outweighs it, 0x00FF to 0
// rather than 1). Damaged files and sizes are refused as decodePng refuses
// them, the 16-bit row the library hands over (8 bytes a pixel) counted
// against `maxPixels` as the 8-bit one is; `out` is only changed on success.
Outcome decodePngPicture(std::span<const std::uint8_t> bytes, DecodedPicture& out,
                         std::uint64_t maxPixels);
// The same from a source that may hand the file over a piece at a time.
Outcome decodePngPicture(ByteSource& source, DecodedPicture& out, std::uint64_t maxPixels);

// Reads the header and the chunks before the image data of a PNG file,
// refusing what decodePng refuses there; `out` is only changed on success.
Outcome describePng(ByteSource& source, PngFacts& out);

// Writes an 8-bit palette picture with all 256 entries; when transparentIndex
// is 0..255 a tRNS chunk makes that entry, and no other, transparent.
// Pictures whose size and index count disagree are refused with
// "PNG 파일을 저장할 수 없습니다."; `out` is only changed on success.
Outcome encodePng(const IndexedPicture& in, std::vector<std::uint8_t>& out,
                  int level = kPngCompressionLevel);
// Writes an 8-bit-per-channel true-colour picture; a transparent colour
// goes into a tRNS chunk.
Outcome encodePngRgb(const RgbPicture& in, std::vector<std::uint8_t>& out,
                     int level = kPngCompressionLevel);

// Reads any PNG of 8 bits or less per sample as 8-bit red, green and blue
// (alpha dropped); the tRNS colour of a true-colour picture is kept. Refused
// as decodePng refuses, with the same limits; `out` only changes on success.
Outcome decodePngRgb(std::span<const std::uint8_t> bytes, RgbPicture& out, std::uint64_t maxPixels);
Outcome decodePngRgb(ByteSource& source, RgbPicture& out, std::uint64_t maxPixels);

}  // namespace zentil
