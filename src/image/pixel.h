// Conversions of one colour between the three pixel encodings and palette
// entries.
//   24-bit value: 0x00RRGGBB.   3-byte pixel: B, G, R in memory.
//   16-bit value: B in bits 0-4, G in bits 5-9, R in bits 10-14, bit 15 zero.
#pragma once

#include <cstdint>

#include "image/palette.h"

namespace zentil {

constexpr std::uint16_t pack16(std::uint32_t r5, std::uint32_t g5, std::uint32_t b5) {
    return static_cast<std::uint16_t>((r5 << 10) | (g5 << 5) | b5);
}

constexpr std::uint16_t paletteTo16(std::uint8_t index, const Palette& palette) {
    const std::uint8_t* e = &palette[index * 3u];
    return pack16(e[0] >> 3, e[1] >> 3, e[2] >> 3);
}

constexpr std::uint32_t paletteTo24(std::uint8_t index, const Palette& palette) {
    const std::uint8_t* e = &palette[index * 3u];
    return (std::uint32_t{e[0]} << 16) | (std::uint32_t{e[1]} << 8) | e[2];
}

// Each 5-bit channel c becomes c << 3 (31 gives 248).
constexpr std::uint32_t widen16To24(std::uint16_t value) {
    const std::uint32_t r = (value >> 10) & 31u, g = (value >> 5) & 31u, b = value & 31u;
    return (r << 19) | (g << 11) | (b << 3);
}

constexpr std::uint32_t pixel24Value(const std::uint8_t* bytes) {
    return (std::uint32_t{bytes[2]} << 16) | (std::uint32_t{bytes[1]} << 8) | bytes[0];
}

// One 8-bit channel to 5 bits; a channel from 1 to 7 becomes 1 so that a
// colour never loses a channel that is not black.
constexpr std::uint32_t narrowChannel(std::uint32_t c8) {
    return (c8 > 0 && c8 < 8) ? 1u : c8 >> 3;
}

constexpr std::uint16_t narrow24To16(std::uint32_t value) {
    return pack16(narrowChannel((value >> 16) & 0xFFu), narrowChannel((value >> 8) & 0xFFu),
                  narrowChannel(value & 0xFFu));
}

constexpr void valueToPixel24(std::uint8_t* out, std::uint32_t value) {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
    out[2] = static_cast<std::uint8_t>(value >> 16);
}

constexpr void paletteToPixel24(std::uint8_t* out, std::uint8_t index, const Palette& palette) {
    const std::uint8_t* e = &palette[index * 3u];
    out[0] = e[2];
    out[1] = e[1];
    out[2] = e[0];
}

// One 5-bit channel to 8 bits for display: c << 3, except that 31 gives 255.
constexpr std::uint8_t widenChannel(std::uint32_t c5) {
    return c5 == 31u ? std::uint8_t{255} : static_cast<std::uint8_t>(c5 << 3);
}

constexpr void widen16ToPixel24(std::uint8_t* out, std::uint16_t value) {
    out[0] = widenChannel(value & 31u);
    out[1] = widenChannel((value >> 5) & 31u);
    out[2] = widenChannel((value >> 10) & 31u);
}

}  // namespace zentil
