#include "edit/colour_reduction.h"

#include <cmath>
#include <cstdint>
#include <random>
#include <set>
#include <vector>

#include "test_support.h"
#include "true_colour_pictures.h"

namespace zentil {
namespace {

using test::blankPicture;
using test::CoreTest;
using test::setPixel;

std::uint32_t entryRgb(const Palette& palette, int entry) {
    const auto* c = &palette[static_cast<std::size_t>(entry) * 3];
    return std::uint32_t{c[0]} << 16 | std::uint32_t{c[1]} << 8 | c[2];
}

// Checks the key rule over every pixel and gives the PSNR, in dB, of the
// opaque pixels' colours (99 when exact).
double checkedPsnr(const RgbaPicture& in, const IndexedPicture& out, int threshold, int key) {
    EXPECT_EQ(out.transparentIndex, key);
    double squares = 0;
    std::size_t opaque = 0;
    for (std::size_t i = 0; i < out.indexes.size(); ++i) {
        const auto* s = &in.rgba[i * 4];
        if (s[3] < threshold) {
            EXPECT_EQ(out.indexes[i], key) << i;
            continue;
        }
        EXPECT_NE(out.indexes[i], key) << i;
        const std::uint32_t got = entryRgb(out.palette, out.indexes[i]);
        for (int c = 0; c < 3; ++c) {
            const double d = double(s[c]) - double((got >> (16 - 8 * c)) & 0xFF);
            squares += d * d;
        }
        ++opaque;
    }
    if (squares == 0) return 99;
    return 10 * std::log10(255.0 * 255.0 * 3 * double(opaque) / squares);
}

// The PSNR of the opaque pixels each given the nearest entry but the key's by
// plain distance in RGB, the best any choice without dithering can do.
double nearestPsnr(const RgbaPicture& in, const Palette& palette, int key) {
    double squares = 0;
    std::size_t opaque = 0;
    for (std::size_t i = 0; i < in.rgba.size(); i += 4) {
        if (in.rgba[i + 3] < 128) continue;
        double best = 1e9;
        for (int e = 0; e < 256; ++e) {
            double d = 0;
            for (int c = 0; c < 3; ++c) {
                const double v = double(in.rgba[i + c]) - palette[std::size_t(e) * 3 + c];
                d += v * v;
            }
            if (e != key && d < best) best = d;
        }
        squares += best;
        ++opaque;
    }
    return 10 * std::log10(255.0 * 255.0 * 3 * double(opaque) / squares);
}

// Pictures of few colours keep them exactly, whatever the key's entry, and
// one colour too many is a reduction; the alpha threshold decides the key.
TEST_F(CoreTest, FewColoursAreKeptExactlyAndTheKeyFollowsTheThreshold) {
    struct Case {
        int opaqueColours, colours, keyIndex, threshold;
        bool reduced;
    };
    const Case cases[] = {
        {255, 256, 0, 128, false}, {255, 256, 255, 128, false}, {256, 256, 0, 128, true},
        {15, 16, 3, 1, false},     {16, 16, 3, 128, true},      {1, 2, 1, 256, false},
        {40, 64, 200, 0, false},
    };
    const int alphas[] = {0, 1, 127, 128, 200, 254, 255};
    for (const Case& c : cases) {
        RgbaPicture p = blankPicture(64, 32);
        for (int i = 0; i < 64 * 32; ++i)
            setPixel(p, i % 64, i / 64, 0x10101u * std::uint32_t(i % c.opaqueColours) ^ 0x00FF00,
                     i < 7 * 64 ? alphas[i % 7] : 255);
        ReductionSettings settings;
        settings.colours = c.colours;
        settings.keyIndex = c.keyIndex;
        settings.alphaThreshold = c.threshold;
        settings.keyColour = 0xFF00FF;
        IndexedPicture out;
        ReductionReport report;
        ASSERT_TRUE(reduceColours(p, settings, out, report)) << c.opaqueColours;
        const double psnr = checkedPsnr(p, out, c.threshold, c.keyIndex);
        EXPECT_EQ(report.reduced, c.reduced) << c.opaqueColours;
        EXPECT_EQ(psnr == 99, !c.reduced) << c.opaqueColours;
        EXPECT_EQ(entryRgb(out.palette, c.keyIndex), 0xFF00FFu);
        EXPECT_EQ(report.partlyTransparent, 5u * 64) << c.opaqueColours;
        std::set<std::uint32_t> before;
        std::uint64_t keyPixels = 0;
        for (int i = 0; i < 64 * 32; ++i) {
            if (p.rgba[i * 4 + 3] >= c.threshold)
                before.insert(0x10101u * std::uint32_t(i % c.opaqueColours) ^ 0x00FF00);
            keyPixels += p.rgba[i * 4 + 3] < c.threshold;
        }
        EXPECT_EQ(report.keyPixels, keyPixels) << c.opaqueColours;
        EXPECT_EQ(report.coloursBefore, before.size() + 1) << c.opaqueColours;
        EXPECT_LE(report.coloursAfter, c.colours);
        std::set<int> used(out.indexes.begin(), out.indexes.end());
        EXPECT_LE(int(used.size()), c.colours);
        if (c.keyIndex < c.colours) {  // the opaque entries fill the lowest other indexes
            EXPECT_LT(*used.rbegin(), c.colours);
        }
    }
}

// Reductions of generated pictures against PSNR floors about 1 dB under what
// libimagequant 2.17 reaches on them (the figures beside each; the same as
// calling it directly for one colour fewer, the key's entry being reserved),
// so a fault in the handling of its palette or indexes (an entry off by one,
// a channel swapped, the key taking opaque pixels) falls far below while a
// small change in the library does not.
TEST_F(CoreTest, ReductionsStayAboveTheirQualityFloors) {
    struct Case {
        const char* name;
        RgbaPicture picture;
        int colours;
        float dither;
        double floor;
    };
    const Case cases[] = {
        {"gradient 256", test::gradientPicture(256), 256, 0.0f, 34.5},           // 35.6 dB measured
        {"gradient 16", test::gradientPicture(256), 16, 0.0f, 22.5},             // 23.2
        {"gradient 16 dithered", test::gradientPicture(256), 16, 1.0f, 20.5},    // 21.4
        {"noise 256", test::noisePicture(128), 256, 0.0f, 26.0},                 // 26.8
        {"sprites 256", test::spriteSheetPicture(256), 256, 0.0f, 38.0},         // 39.1
        {"sprites 32 dithered", test::spriteSheetPicture(256), 32, 0.5f, 24.5},  // 25.6
    };
    for (const Case& c : cases) {
        ReductionSettings settings;
        settings.colours = c.colours;
        settings.dither = c.dither;
        settings.keyIndex = 5;
        IndexedPicture out;
        ReductionReport report;
        ASSERT_TRUE(reduceColours(c.picture, settings, out, report)) << c.name;
        EXPECT_TRUE(report.reduced) << c.name;
        EXPECT_LE(report.coloursAfter, c.colours) << c.name;
        EXPECT_GT(report.coloursAfter, c.colours * 3 / 4) << c.name;
        const double psnr = checkedPsnr(c.picture, out, 128, 5);
        EXPECT_GE(psnr, c.floor) << c.name;
    }
}

// A remap keeps the given palette entry for entry: colours it holds are kept
// (the first entry of a colour given twice), the rest take the nearest (as
// near, within 0.5 dB, as plain RGB distance; measured 0.04 dB off, 0.08
// dithered), and the key's entry goes to no opaque pixel even when it holds
// the colour.
TEST_F(CoreTest, RemapsKeepThePaletteAndItsKey) {
    Palette palette = test::rampPalette();
    const int key = 9;
    palette[20 * 3] = palette[30 * 3] = 77;  // entries 20 and 30 alike
    palette[20 * 3 + 1] = palette[30 * 3 + 1] = 1;
    palette[20 * 3 + 2] = palette[30 * 3 + 2] = 2;
    RgbaPicture p = blankPicture(256, 4);
    for (int x = 0; x < 256; ++x) {
        setPixel(p, x, 0, entryRgb(palette, x), 255);
        setPixel(p, x, 1, entryRgb(palette, x), x % 2 ? 130 : 90);
        setPixel(p, x, 2, entryRgb(palette, x) ^ 0x030201, 255);
        setPixel(p, x, 3, x * 0x10101u, 255);
    }
    for (float dither : {0.0f, 1.0f}) {
        ReductionSettings settings;
        settings.keyIndex = key;
        settings.dither = dither;
        IndexedPicture out;
        ReductionReport report;
        ASSERT_TRUE(remapColours(p, palette, settings, out, report));
        EXPECT_EQ(out.palette, palette);
        EXPECT_EQ(report.partlyTransparent, 256u);
        EXPECT_EQ(report.keyPixels, 128u);
        const double psnr = checkedPsnr(p, out, 128, key);
        EXPECT_GE(psnr, nearestPsnr(p, palette, key) - (dither > 0 ? 1.0 : 0.5)) << dither;
        if (dither == 0.0f) {
            for (int x = 0; x < 256; ++x) {
                const int expected = x == 30 ? 20 : x;
                if (x != key) {
                    EXPECT_EQ(out.indexes[x], expected) << x;
                }
            }
        }
    }
}

// An 8-bit page takes the palette; its pixels keep their colours and the key
// stays the key, dithered or not.
TEST_F(CoreTest, RemappedPagesKeepTheirColoursAndKey) {
    // Every entry but 251, whose colour only the new palette's key holds.
    auto entryAt = [](int x, int y) {
        const std::uint32_t e = std::uint32_t(y * 30 + x) % 256;
        return e == 251 ? 250 : e;
    };
    for (float dither : {0.0f, 0.8f}) {
        Page page;
        ASSERT_TRUE(createSinglePage(page, 30, 9, kMode8));  // a padded row
        Palette from = test::rampPalette();
        setPagePalette(page, from);
        setColorKey(page, 4);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 30; ++x)
                putPixel(page, x, y, entryAt(x, y));
        Palette to{};  // the ramp reversed: entry i holds the old entry 255 - i
        for (int i = 0; i < 256; ++i)
            for (int c = 0; c < 3; ++c)
                to[std::size_t(i) * 3 + c] = from[std::size_t(255 - i) * 3 + c];
        ASSERT_TRUE(remapPage(page, to, dither));
        EXPECT_EQ(page.palette, to);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 30; ++x) {
                const std::uint32_t was = entryAt(x, y);
                EXPECT_EQ(pixelAt(page, x, y), was == 4 ? 4 : 255 - was) << x << "," << y;
            }
    }
}

TEST_F(CoreTest, ReductionsRefuseWhatTheyCannotDo) {
    const RgbaPicture good = test::gradientPicture(16);
    RgbaPicture cut = good;
    cut.rgba.pop_back();
    RgbaPicture empty;
    struct Case {
        const RgbaPicture* picture;
        int colours, keyIndex, threshold;
        float dither;
    };
    const Case cases[] = {
        {&cut, 256, 0, 128, 0},   {&empty, 256, 0, 128, 0},  {&good, 1, 0, 128, 0},
        {&good, 257, 0, 128, 0},  {&good, 16, 256, 128, 0},  {&good, 16, 0, 257, 0},
        {&good, 16, 0, 128, NAN}, {&good, 16, 0, 128, 1.5f},
    };
    for (const Case& c : cases) {
        ReductionSettings settings{c.colours, c.dither, c.threshold, c.keyIndex, 0};
        IndexedPicture out;
        out.width = 3;
        ReductionReport report;
        EXPECT_FALSE(reduceColours(*c.picture, settings, out, report));
        if (c.colours >= 2 && c.colours <= 256) {
            EXPECT_FALSE(remapColours(*c.picture, Palette{}, settings, out, report));
        }
        EXPECT_EQ(out.width, 3);
    }
    Page page;
    ASSERT_TRUE(createSinglePage(page, 4, 4, kMode24));
    EXPECT_FALSE(remapPage(page, Palette{}, 0));
}

}  // namespace
}  // namespace zentil
