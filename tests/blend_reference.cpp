#include "blend_reference.h"

#include <cstdlib>
#include <limits>

#include "formats/palette_file.h"

namespace zentil::test {

namespace {

int referenceNearest(const Palette& p, int red, int green, int blue) {
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (int n = 0; n < 256; ++n) {
        const int d = std::abs(p[n * 3] - red) + std::abs(p[n * 3 + 1] - green) +
                      std::abs(p[n * 3 + 2] - blue);
        if (d == 0) continue;
        if (d < bestDistance) {
            bestDistance = d;
            best = n;
        }
    }
    return best;
}

int referenceMix(int first, int second, int k) {
    if constexpr (std::numeric_limits<long double>::digits == 64) {
        const long double q = 1.0L / 9;
        return static_cast<int>(first * (k * q) + (second * (9 - k)) * q);
    } else {
        return blendChannelEmulated(first, second, k);
    }
}

}  // namespace

void buildBlendRowsReference(const Palette& p, std::uint8_t* out, int firstRow, int lastRow) {
    for (int i = firstRow; i < lastRow; ++i) {
        for (int j = 0; j < 256; ++j) {
            for (int k = 1; k <= 8; ++k) {
                int mix[3];
                for (int c = 0; c < 3; ++c)
                    mix[c] = referenceMix(p[i * 3 + c], p[j * 3 + c], k);
                out[i * 2048 + j * 8 + (k - 1)] =
                    static_cast<std::uint8_t>(referenceNearest(p, mix[0], mix[1], mix[2]));
            }
        }
    }
}

void buildBlendTableReference(const Palette& palette, std::uint8_t* out) {
    buildBlendRowsReference(palette, out, 0, 256);
}

}  // namespace zentil::test
