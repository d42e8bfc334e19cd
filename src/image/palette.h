// Palettes: 256 entries of red, green, blue.
#pragma once

#include <array>
#include <cstdint>

namespace zentil {

inline constexpr int kPaletteEntries = 256;
using Palette = std::array<std::uint8_t, kPaletteEntries * 3>;
// The palette again with one entry per four bytes: R, G, B, 0.
using PaletteQuad = std::array<std::uint8_t, kPaletteEntries * 4>;

// Rebuilds `quad` from `palette`, leaving every fourth byte 0.
void buildPaletteQuad(const Palette& palette, PaletteQuad& quad);

// Whether every entry is black: the sprite palette before any is applied,
// under which a page shows no colours at all.
bool isAllBlack(const Palette& palette);

}  // namespace zentil
