// What every reader of TGA files shares: the colour map and the pixel rows,
// stored plain or in run-length packets, handed over one row at a time in
// the order the file stores them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "formats/tga_file.h"
#include "image/palette.h"
#include "system/byte_source.h"
#include "system/outcome.h"

namespace zentil::tga {

inline constexpr std::size_t kHeaderSize = 18;

// Image types.
inline constexpr int kMapped = 1, kTrueColour = 2, kGrey = 3;
inline constexpr int kRunLength = 8;  // added to a type for its run-length form

// Descriptor bits.
inline constexpr int kAlphaBits = 0x0F, kRightToLeft = 0x10, kTopFirst = 0x20;

// 5-bit channel to 8 bits across the full range.
inline std::uint8_t expand5(int c) {
    return static_cast<std::uint8_t>((c << 3) | (c >> 2));
}

enum class MapResult { Absent, Read, Truncated, BadEntrySize };

// Reads the colour map the header describes, from `at`, into `palette`;
// entries it does not cover stay black. `at` moves past it.
MapResult readColorMap(const TgaInfo& info, ByteSource& source, std::uint64_t& at,
                       Palette& palette);

// A picture of palette indexes as today's TGA pages are read: its header
// checked, its colour map read, and where its pixel rows start.
struct IndexedTga {
    TgaInfo info;
    Palette palette{};
    bool ownPalette = false;  // false without a colour map: the caller gives one
    std::uint64_t at = 0;
};

// Reads the header and colour map of a picture of 8-bit indexes (image type
// 1 or 9, or 2 or 10 of 8 bits), refusing anything else, a picture whose
// data cannot hold it included, with its message.
Outcome openIndexedTga(ByteSource& source, IndexedTga& out);
// Reads its indexes into the rows from `rows` on, `stride` bytes apart, top
// row first; false when the data ends first.
bool readIndexRows(ByteSource& source, const IndexedTga& picture, std::uint8_t* rows,
                   std::size_t stride);

class PacketSource;

// The stored rows of a picture of `pixelBytes` bytes per pixel, from `at`.
class RowReader {
  public:
    RowReader(ByteSource& source, std::uint64_t at, const TgaInfo& info, int pixelBytes);
    ~RowReader();

    // Whether the data from `at` can hold the picture at all: plain rows in
    // full, or packets enough for every pixel. Checked before the picture's
    // memory is had.
    bool dataCanHold() const;
    // Copies the next stored row (width x pixelBytes bytes) to `to`; false
    // when the data ends first.
    bool readRow(std::uint8_t* to);
    // The next stored row where it lies in the source, or copied to
    // `scratch` (a row's bytes); nullptr when the data ends first.
    const std::uint8_t* nextRow(std::uint8_t* scratch);
    // The row of the picture, counted from the top, that stored row n is.
    std::size_t pictureRow(std::size_t n) const { return topFirst_ ? n : height_ - 1 - n; }
    bool rightToLeft() const { return rightToLeft_; }

  private:
    ByteSource& source_;
    std::uint64_t at_;
    std::size_t rowBytes_, height_;
    std::size_t rowsRead_ = 0;
    int pixelBytes_;
    bool topFirst_, rightToLeft_;
    std::unique_ptr<PacketSource> packets_;  // null for plain rows
};

}  // namespace zentil::tga
