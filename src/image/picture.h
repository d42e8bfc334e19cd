// Pictures as files give them, before the editor makes a page of them:
// palette indexes with their palette, or true colour with alpha. Every
// reader of an outside format gives one of the two; what becomes of a
// picture of more colours than a page holds (reduced, remapped onto a
// palette, or kept as true colour) is decided apart from the reading.
#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "image/palette.h"

namespace zentil {

// A picture of palette indexes.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indexes;  // width x height, top row first
    Palette palette{};                  // entries the file does not give are black
    int transparentIndex = -1;          // -1 when no entry is transparent
    int transparentEntries = 0;         // entries of alpha 0 in a palette file's tRNS chunk
};

// A true-colour picture.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;        // red, green, blue per pixel, top row first
    std::int32_t transparentColour = -1;  // 0x00RRGGBB of the tRNS chunk, or -1
};

// A true-colour picture with alpha, 8 bits per channel (files of 16 bits
// per channel are scaled to 8 as they are read).
struct RgbaPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // red, green, blue, alpha per pixel, top row first
};

// What a reader of an outside format gives: palette indexes where the file's
// colours fit a palette, true colour with alpha otherwise.
using DecodedPicture = std::variant<IndexedPicture, RgbaPicture>;

}  // namespace zentil
