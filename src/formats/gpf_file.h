// GPF sprite files: an 8-bit tile grid with its key, every tile stored as its
// bounding block, run-length coded column by column from the bottom row up.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "edit/tile_bounds.h"
#include "image/page.h"
#include "system/outcome.h"

namespace zentil {

inline constexpr std::int32_t kGpfMagic = 0x7839;
inline constexpr std::size_t kGpfHeaderSize = 36;

struct GpfHeader {
    std::int32_t magic = 0, one = 0, tilePixels = 0, cols = 0, rows = 0;
    std::int32_t tileWidth = 0, tileHeight = 0, tileCount = 0, colorKey = 0;
};

// A file taken apart, without decoding its blocks (for reports).
struct GpfLayout {
    GpfHeader header;
    std::vector<TileRect> rects;
    std::vector<std::int32_t> sizes;
    std::uint64_t dataBytes = 0;
};

// Checks that the file describes a page: magic, a grid whose tile count is
// cols x rows, positive sizes, a key of 0 to 255, and tables and data inside
// the file. On false
// `message` names what is wrong.
bool parseGpfLayout(std::span<const std::uint8_t> bytes, GpfLayout& layout, const char*& message);

// Builds the sprite page (kind 102, the default palette, the file's key; the
// padding columns keep the default key) in `page`. Refusals fail with their
// message and leave the page untouched. A block whose runs give too many
// pixels is cut at its size; one whose runs give too few leaves the rest at
// the key.
Outcome readSpriteFile(const std::string& path, Page& page, const PageDefaults& defaults);
Outcome decodeSpriteFile(std::span<const std::uint8_t> bytes, Page& page,
                         const PageDefaults& defaults);

// Only 8-bit pages can be stored; the old file survives a failed save.
Outcome writeSpriteFile(const std::string& path, const Page& page);
// The file image of a page; fails with a message for pages the format cannot hold.
Outcome encodeSpriteFile(const Page& page, std::vector<std::uint8_t>& out);

// What a page takes as a GPF file: the whole file, and per tile its entries
// in the rectangle and size tables with its coded block; the tiles and the
// 36-byte header add up to the file.
struct GpfSizes {
    std::uint64_t fileBytes = 0;
    std::vector<std::uint64_t> tileBytes;
};
inline constexpr std::uint64_t kGpfTileEntryBytes = 12;

// Encodes the page as a save would, into `scratch` (kept by the caller, so
// that measuring again does not allocate again), and reads the sizes off the
// file image. Fails as encodeSpriteFile does.
Outcome measureSpriteFile(const Page& page, std::vector<std::uint8_t>& scratch, GpfSizes& sizes);

// Appends the run-length code of one column of `h` pixels, given bottom first
// as pixel(0) .. pixel(h - 1).
void encodeColumn(const std::uint8_t* bottom, std::ptrdiff_t step, int h, std::uint8_t key,
                  std::vector<std::uint8_t>& out);

}  // namespace zentil
