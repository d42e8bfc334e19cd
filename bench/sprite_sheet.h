// The sprite sheet the benchmarks encode: 2048 x 2048 pixels of 32 x 32
// tiles with sprite-like shapes on the key, the same in every run.
#pragma once

#include <cstdint>
#include <memory>
#include <random>

#include "image/page.h"

namespace zentil::bench {

inline constexpr int kSheetSide = 2048;
inline constexpr int kTileSide = 32;
inline constexpr std::size_t kSheetPixels = std::size_t{kSheetSide} * kSheetSide;
// Not the configured default key, so the reader must set every tile to it.
inline constexpr std::uint8_t kSheetKey = 255;

// 64 x 64 tiles of 32 x 32 (or as many as `side` holds): one in eight empty,
// the others one to three shaded blobs covering about a quarter of the tile.
inline std::unique_ptr<Page> spriteSheet(int side = kSheetSide) {
    auto page = std::make_unique<Page>();
    const int kTiles = side / kTileSide;
    if (!createPage(*page, kTileSide, kTiles, kTileSide, kTiles, kMode8)) return nullptr;
    setColorKey(*page, kSheetKey);
    clearPage(*page);
    std::mt19937 rng(2048);
    for (int t = 0; t < page->tileCount; ++t) {
        if (rng() % 8 == 0) continue;
        const int x0 = (t % kTiles) * kTileSide, y0 = (t / kTiles) * kTileSide;
        const int blobs = 1 + static_cast<int>(rng() % 3);
        // Radii chosen so that the blobs together cover about 290 of 1024 pixels.
        const double r = blobs == 1 ? 10.0 : blobs == 2 ? 7.2 : 5.9;
        for (int b = 0; b < blobs; ++b) {
            const double mx = 6 + rng() % 20, my = 6 + rng() % 20;
            const auto colour = static_cast<std::uint8_t>(1 + rng() % 250);
            for (int y = 0; y < kTileSide; ++y)
                for (int x = 0; x < kTileSide; ++x) {
                    const double dx = x - mx, dy = y - my;
                    if (dx * dx + dy * dy > r * r) continue;
                    putPixel(*page, x0 + x, y0 + y, colour + (rng() % 4 == 0 ? rng() % 3 : 0));
                }
        }
    }
    return page;
}

}  // namespace zentil::bench
