// GIF pictures in memory, through giflib: every frame as a viewer shows it,
// the frames side by side as the tiles of one picture.
#pragma once

#include <cstdint>
#include <span>

#include "image/picture.h"
#include "system/outcome.h"

namespace zentil {

// The frames of a GIF file as one picture: frame n is the tile whose left
// edge is at n * tileWidth, all in one row, as an animation strip is laid out
// (the tile order is the frame order whatever the columns, which the column
// re-layout changes in one step).
struct GifSheet {
    DecodedPicture picture;
    int tileWidth = 0;  // the file's logical screen
    int tileHeight = 0;
    int frames = 0;
};

// Reads a GIF file into `out`. Each frame is drawn over what the screen
// showed after the one before, clipped to the screen, its transparent index
// (from its Graphics Control Extension) letting what lies beneath show; after
// it is shown, its disposal method leaves it (0, 1, and the unassigned 4 to
// 7), clears its rectangle (2) or brings back the screen from before it (3).
// The screen starts clear, and clearing leaves pixels clear rather than of
// the background colour, as the viewers most files are made for show them.
// When every frame has the same colour table, the picture is an
// IndexedPicture with the file's indexes and that table as its palette (an
// index past the table's end shows black); its transparent index is the one
// the frames give where they agree and no shown pixel has it, else the first
// entry no shown pixel has, and the clear pixels take it. With colour tables
// that differ, or clear pixels and all 256 entries shown, it is an
// RgbaPicture, clear pixels of alpha 0.
// Refused with "GIF 파일을 읽을 수 없습니다." and a short reason in
// brackets: an empty file, not a GIF file, a file cut short, or a damaged one
// (no screen, no frame, a frame without a colour table, a broken LZW stream,
// a frame whose image data is too short to describe its pixels); with
// "이미지를 생성할 수 없습니다." before any pixel buffer exists when the
// tiles, or the frames' own rectangles, come to more than `maxPixels`
// pixels. `out` is only changed on success.
Outcome decodeGif(std::span<const std::uint8_t> bytes, GifSheet& out, std::uint64_t maxPixels);

}  // namespace zentil
