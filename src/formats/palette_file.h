// Palette files and how pages receive a palette.
//
// A palette file holds the byte 1, the 256 colours (red, green, blue) and a
// blend table: for every ordered pair of entries (i, j) and every mixing step
// k = 1..8, the entry nearest to the colour made of k ninths of entry i and
// 9 - k ninths of entry j, at offset 769 + i * 2048 + j * 8 + (k - 1).
// Only the colours are ever read back; the table is for the handheld.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "image/page.h"
#include "image/page_store.h"
#include "image/palette.h"
#include "system/outcome.h"

namespace zentil {

inline constexpr std::uint8_t kPaletteFileMarker = 1;                        // the first byte
inline constexpr std::size_t kPaletteColourBytes = kPaletteEntries * 3;      // 768
inline constexpr std::size_t kPaletteHeaderBytes = 1 + kPaletteColourBytes;  // 769
inline constexpr std::size_t kBlendTableBytes = 256 * 256 * 8;               // 524288
inline constexpr std::size_t kPaletteFileBytes = kPaletteHeaderBytes + kBlendTableBytes;

// Copies the palette into an 8-bit page (its colours and the four-byte copy,
// whose fourth bytes are not touched) and gives true. Pages of other modes are
// left as they are and give false.
bool applyPalette(Page& page, const Palette& palette);

// Reads the colours of a palette file into `palette`. A file that cannot be
// opened or is shorter than 769 bytes fails with "팔레트 파일을 읽을 수
// 없습니다." and changes nothing.
Outcome readPaletteFile(const std::string& path, Palette& palette);

// Gives the palette to every sprite page made by the editor (kind 102); the
// pictures among them (kind 1) keep their own.
void applyPaletteToSprites(PageStore& sprites, const Palette& palette);

// The palette a page's colours are shown with: an 8-bit page's own, else
// (no page, or a page of 16 or 24 bits) the sprite palette.
const Palette& shownPalette(const Page* page, const Palette& spritePalette);

// The palette a palette file takes from `page`: the one the page is shown
// with, the sprite palette for a sprite page of 16 or 24 bits; a 16- or
// 24-bit picture has none (nullptr).
const Palette* paletteToSave(const Page& page, const Palette& spritePalette);

// Writes the colours with their blend table; any failure to write fails with
// its message. An existing file is replaced only when the whole new file has
// been written.
Outcome savePaletteFile(const std::string& path, const Palette& colours);
// Writes paletteToSave's palette of the page; a page without one fails with
// its message and nothing is written.
Outcome savePaletteFile(const std::string& path, const Page& page, const Palette& spritePalette);

// The entry nearest to the colour by the sum of the channel differences.
// Exact matches (distance 0) are passed over; of the others the first with the
// smallest distance wins. When every entry matches exactly the result is 0.
int nearestIndex(const Palette& palette, int red, int green, int blue);

// One channel of a blend-table mix: `step` ninths of `first` and 9 - `step`
// ninths of `second` (values 0..255, step 1..8), computed in 80-bit extended
// precision as first * (step * q) + (second * (9 - step)) * q with q = 1/9
// rounded to a 64-bit mantissa (just below 1/9), then cut toward zero. Two
// equal values therefore often mix to one less.
int blendChannel(int first, int second, int step);
// The same arithmetic in whole numbers, rounding every step as the 80-bit
// format does. blendChannel uses it where long double is not that format.
int blendChannelEmulated(int first, int second, int step);

// Fills `out` (kBlendTableBytes) with the blend table of `palette`. Gives
// false, with `out` incomplete, only when working memory cannot be had.
bool buildBlendTable(const Palette& palette, std::uint8_t* out);

}  // namespace zentil
