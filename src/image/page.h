// The page record: a grid of equally sized tiles held in one pixel buffer of
// one colour mode, with its palette, transparent colour and area layers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "image/palette.h"

namespace zentil {

// Colour modes; the number is also the bytes per pixel. 0 marks an empty record.
inline constexpr std::int32_t kModeNone = 0;
inline constexpr std::int32_t kMode8 = 1;
inline constexpr std::int32_t kMode16 = 2;
inline constexpr std::int32_t kMode24 = 3;

// Where a page came from.
inline constexpr std::int32_t kKindNone = 0;
inline constexpr std::int32_t kKindTga = 1;
inline constexpr std::int32_t kKindSprite = 102;

inline constexpr std::size_t kPageNameSize = 64;  // at most 63 characters and a zero

// A per-tile rectangle relative to the tile's top-left corner, right and
// bottom exclusive. An entry whose right is 0 is unset.
struct AreaRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const AreaRect&, const AreaRect&) = default;
};
inline constexpr int kAreaLayerCount = 5;
inline constexpr int kAreaEntries = 1000;  // tiles 0 to 999
using AreaLayer = std::array<AreaRect, kAreaEntries>;

// The largest pixel buffer a page may own. Sizes beyond it are refused rather
// than allocated.
inline constexpr std::uint64_t kMaxPixelBufferBytes = std::uint64_t{1} << 30;

// What a new page takes where it is not given a value: the key of its mode
// and, when it is 8-bit, the palette. The editor fills it from its settings
// and the palette of the sprite pages; the zero value is keys 0 and black.
struct PageDefaults {
    std::uint8_t key8 = 0;
    std::uint16_t key16 = 0;
    std::uint32_t key24 = 0;  // 0x00RRGGBB
    Palette palette{};
};

struct Page {
    std::int32_t mode = kModeNone;
    std::int32_t kind = kKindNone;
    char name[kPageNameSize] = {};
    std::int32_t width = 0;   // tileWidth x cols
    std::int32_t stride = 0;  // pixels per buffer row, a whole number of 4-byte words
    std::int32_t height = 0;  // tileHeight x rows
    std::int32_t tileWidth = 0;
    std::int32_t tileHeight = 0;
    std::int32_t cols = 0;
    std::int32_t rows = 0;
    std::int32_t tileCount = 0;
    std::uint32_t pixelCount = 0;  // stride x height
    PaletteQuad paletteQuad{};
    Palette palette{};
    // Only the buffer of the page's own mode exists.
    std::unique_ptr<std::uint8_t[]> pixels8;
    std::unique_ptr<std::uint16_t[]> pixels16;
    std::unique_ptr<std::uint8_t[]> pixels24;  // B, G, R per pixel
    std::uint8_t colorKey8 = 0;
    std::uint16_t colorKey16 = 0;
    std::uint32_t colorKey24 = 0;  // 0x00RRGGBB
    // A layer exists once an entry of it is set: most pages never have one,
    // and a workspace holds hundreds of pages.
    std::array<std::unique_ptr<AreaLayer>, kAreaLayerCount> areas;
    // Every edit gives the page a new revision and taking it back restores
    // the old one; the store keeps the revision the page had when it was
    // last read or saved (PageFile).
    std::uint64_t revision = 0;

    bool inUse() const { return stride != 0; }
};

// Builds a page of cols x rows tiles in `page`, freeing what it held before;
// `kind` and `name` are kept. The key is the default of the mode, an 8-bit
// page's palette the default palette, and every pixel, padding included, is
// set to the key. Gives false, leaving the record empty, when the mode is
// unknown, a size is negative, a count is below 1, or the buffer would exceed
// kMaxPixelBufferBytes or cannot be allocated.
bool createPage(Page& page, int tileWidth, int cols, int tileHeight, int rows, int mode,
                const PageDefaults& defaults = {});
bool createSinglePage(Page& page, int width, int height, int mode,
                      const PageDefaults& defaults = {});
// As createPage, but only the padding columns are set to the key: the pixels
// inside the width are left unset, for readers that write every one of them.
bool createPageForOverwrite(Page& page, int tileWidth, int cols, int tileHeight, int rows, int mode,
                            const PageDefaults& defaults);

// The bytes of the pixel buffer createPage would allocate for the shape, or 0
// when it refuses the shape; nothing is allocated.
std::uint64_t pageBufferBytes(int tileWidth, int cols, int tileHeight, int rows, int mode);

// Frees the page's buffers and sets every field to zero.
void releasePage(Page& page);

// Sets the rectangle to the page's key, clipped to the buffer.
void fillRect(Page& page, int x, int y, int w, int h);
// Sets every pixel, padding included, to the key.
void clearPage(Page& page);

// Writes `value` in the page's encoding (24-bit given as 0x00RRGGBB).
// Positions outside the buffer are ignored.
void putPixel(Page& page, int x, int y, std::uint32_t value);
// The pixel in the page's encoding (24-bit as 0x00RRGGBB); 0 outside the buffer.
std::uint32_t pixelAt(const Page& page, int x, int y);

void setColorKey(Page& page, std::uint32_t value);
// The key of the page's own mode (24-bit as 0x00RRGGBB).
std::uint32_t colorKeyOf(const Page& page);
// When the four corner pixels are equal, that value becomes the key.
void detectColorKey(Page& page);

int tileIndexAt(const Page& page, int x, int y);
int xInTile(const Page& page, int x);
int yInTile(const Page& page, int y);

// The name, cut to 63 characters.
void setPageName(Page& page, std::string_view name);
std::string_view pageName(const Page& page);

// Gives a page rebuilt in a fresh record what a rebuild in place keeps: the
// kind, the name and, on pages that are not 8-bit, the palette bytes.
void keepIdentity(Page& rebuilt, const Page& original);

// Re-cuts the page into tiles of tileWidth x tileHeight without moving a
// pixel; false, changing nothing, unless the page's size is a multiple of
// the tile size.
bool setTileGrid(Page& page, int tileWidth, int tileHeight);

// Copies `palette` into the page and rebuilds its four-byte copy.
void setPagePalette(Page& page, const Palette& palette);

// Size in bytes of the page's pixel buffer.
std::size_t pixelBufferBytes(const Page& page);
// The pixel buffer as bytes (nullptr for an empty page); a row is
// stride x mode bytes.
std::uint8_t* pixelBytes(Page& page);
const std::uint8_t* pixelBytes(const Page& page);

// Makes `copy` an exact copy of `page`: pixels, palette, key, grid, name,
// kind, area layers and revision. False, leaving `copy` as it was, when
// memory is short.
bool duplicatePage(Page& copy, const Page& page);

}  // namespace zentil
