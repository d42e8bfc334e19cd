#include "formats/file_picture.h"

#include <algorithm>
#include <cstring>

namespace zentil {

namespace {

template <std::size_t kIn, bool kAlpha>
void fromBgr(const std::uint8_t* in, std::uint8_t* out, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i, in += kIn, out += 4) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
        out[3] = kAlpha ? in[3] : 255;
    }
}

}  // namespace

void bgrToRgba(const std::uint8_t* in, std::uint8_t* out, std::size_t n) {
    fromBgr<3, false>(in, out, n);
}

void bgraToRgba(const std::uint8_t* in, std::uint8_t* out, std::size_t n) {
    fromBgr<4, true>(in, out, n);
}

void bgrxToRgba(const std::uint8_t* in, std::uint8_t* out, std::size_t n) {
    fromBgr<4, false>(in, out, n);
}

void reverseRgbaRow(std::uint8_t* row, std::size_t n) {
    for (std::size_t a = 0, b = n; a + 1 < b; ++a, --b) {
        std::uint8_t t[4];
        std::memcpy(t, row + a * 4, 4);
        std::memcpy(row + a * 4, row + (b - 1) * 4, 4);
        std::memcpy(row + (b - 1) * 4, t, 4);
    }
}

Palette greyRamp() {
    Palette p{};
    for (int i = 0; i < kPaletteEntries; ++i)
        std::fill_n(&p[static_cast<std::size_t>(i) * 3], 3, static_cast<std::uint8_t>(i));
    return p;
}

}  // namespace zentil
