// True-colour pictures made from nothing for the reduction tests, the
// benchmarks and the memory probe: a smooth ramp, noise, and a sheet of
// shaded sprites with soft edges.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "image/picture.h"

namespace zentil::test {

inline RgbaPicture blankPicture(int width, int height) {
    return {width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
}

inline void setPixel(RgbaPicture& p, int x, int y, std::uint32_t rgb, int alpha) {
    auto* q = &p.rgba[(static_cast<std::size_t>(y) * p.width + x) * 4];
    q[0] = static_cast<std::uint8_t>(rgb >> 16);
    q[1] = static_cast<std::uint8_t>(rgb >> 8);
    q[2] = static_cast<std::uint8_t>(rgb);
    q[3] = static_cast<std::uint8_t>(alpha);
}

// Red across, green down and blue along the diagonal: every pixel of a
// 256 x 256 picture a colour of its own.
inline RgbaPicture gradientPicture(int size) {
    RgbaPicture p = blankPicture(size, size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            setPixel(p, x, y,
                     std::uint32_t(x * 255 / (size - 1)) << 16 |
                         std::uint32_t(y * 255 / (size - 1)) << 8 |
                         std::uint32_t((x + y) * 255 / (2 * size - 2)),
                     255);
    return p;
}

inline RgbaPicture noisePicture(int size) {
    RgbaPicture p = blankPicture(size, size);
    std::mt19937 random(7);
    for (int i = 0; i < size * size; ++i)
        setPixel(p, i % size, i / size, random() & 0xFFFFFF, 255);
    return p;
}

// A sheet of tiles of 32 pixels, each a shaded ball of its own hue with a
// dark outline on a transparent ground, as drawn sprites look; with
// `softEdges` the outline fades out over two pixels, else it ends sharply.
inline RgbaPicture spriteSheetPicture(int side, bool softEdges = true) {
    RgbaPicture p = blankPicture(side, side);
    const int across = side / 32;
    for (int tile = 0; tile < across * across; ++tile) {
        const double hue = tile * 0.39;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x) {
                const double dx = x - 15.5, dy = y - 15.5, d = std::sqrt(dx * dx + dy * dy);
                if (d > 14) continue;
                const double light =
                    1.0 - std::sqrt((dx + 6) * (dx + 6) + (dy + 6) * (dy + 6)) / 34;
                auto channel = [&](double phase) {
                    const double c = (0.55 + 0.45 * std::sin(hue + phase)) * light;
                    return static_cast<std::uint32_t>(std::lround(255 * std::clamp(c, 0.0, 1.0)));
                };
                std::uint32_t rgb = channel(0) << 16 | channel(2.1) << 8 | channel(4.2);
                if (d > 11.5) rgb = 0x201010;  // the outline
                int alpha = 255;
                if (d > 12)
                    alpha = softEdges ? static_cast<int>(std::lround(255 * (14 - d) / 2)) : 255;
                setPixel(p, tile % across * 32 + x, tile / across * 32 + y, rgb, alpha);
            }
    }
    return p;
}

}  // namespace zentil::test
