// The pieces of true-colour decoding the readers of outside picture formats
// share; what they give is a DecodedPicture (image/picture.h).
#pragma once

#include <cstddef>
#include <cstdint>

#include "image/picture.h"

namespace zentil {

// Whether a picture of w x h pixels stays within `maxPixels`.
inline bool withinPixels(std::uint64_t w, std::uint64_t h, std::uint64_t maxPixels) {
    return w != 0 && h <= maxPixels / w;
}

// Stored pixels of 8-bit channels to red, green, blue, alpha, n at a time:
// blue, green, red; blue, green, red, alpha; and blue, green, red and a byte
// that is no alpha.
void bgrToRgba(const std::uint8_t* in, std::uint8_t* out, std::size_t n);
void bgraToRgba(const std::uint8_t* in, std::uint8_t* out, std::size_t n);
void bgrxToRgba(const std::uint8_t* in, std::uint8_t* out, std::size_t n);

// Turns round a row of n four-byte pixels, for files stored right to left.
void reverseRgbaRow(std::uint8_t* row, std::size_t n);

// The 256-entry grey ramp: entry i is (i, i, i).
Palette greyRamp();

}  // namespace zentil
