// The optimised transfer must match the plain per-pixel rules exactly, for
// every mode pair, blit mode, clipping case and same-page overlap, with the
// loops of every instruction set the processor has.
#include <random>

#include "blit_reference.h"
#include "edit/blit.h"
#include "test_support.h"

namespace zentil {
namespace {

using test::clonePage;
using test::referenceBlit;
using test::samePage;

class BlitRandomTest : public ::testing::TestWithParam<BlitInstructions> {
  protected:
    void SetUp() override {
        if (!useBlitInstructions(GetParam())) GTEST_SKIP() << "the processor lacks them";
    }
    // Back to the widest, as a program starts.
    void TearDown() override {
        for (const BlitInstructions set :
             {BlitInstructions::Avx512, BlitInstructions::Avx2, BlitInstructions::Baseline})
            if (useBlitInstructions(set)) return;
    }

    std::mt19937 rng{20261207};

    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

    // Pixels drawn from a few values so that keys are hit often.
    std::uint32_t randomPixel(int mode) {
        static constexpr std::uint32_t k24[] = {0x000000, 0xFF00FF, 0x123456, 0x070707, 0xFFFFFF};
        const bool few = uniform(0, 3) != 0;
        switch (mode) {
            case kMode8:
                return static_cast<std::uint32_t>(few ? uniform(0, 3) : uniform(0, 255));
            case kMode16:
                return static_cast<std::uint32_t>(few ? uniform(0, 3) * 0x1111
                                                      : uniform(0, 0x7FFF));
            default:
                return few ? k24[uniform(0, 4)] : static_cast<std::uint32_t>(uniform(0, 0xFFFFFF));
        }
    }

    // A random palette, so that every look-up through it shows, and random
    // pixels, padding columns included.
    void fillRandomly(Page& page) {
        Palette palette{};
        for (auto& b : palette)
            b = static_cast<std::uint8_t>(uniform(0, 255));
        setPagePalette(page, palette);
        for (int y = 0; y < page.height; ++y)
            for (int x = 0; x < page.stride; ++x)
                putPixel(page, x, y, randomPixel(page.mode));
    }

    void randomPage(Page& page, int mode) {
        ASSERT_TRUE(
            createPage(page, uniform(1, 9), uniform(1, 3), uniform(1, 7), uniform(1, 3), mode));
        fillRandomly(page);
        setColorKey(page, randomPixel(mode));
        // Sometimes make all four corners equal, so key re-detection can fire.
        if (uniform(0, 2) == 0) {
            const std::uint32_t c = randomPixel(mode);
            putPixel(page, 0, 0, c);
            putPixel(page, page.width - 1, 0, c);
            putPixel(page, 0, page.height - 1, c);
            putPixel(page, page.width - 1, page.height - 1, c);
        }
    }
};

TEST_P(BlitRandomTest, MatchesThePerPixelRulesAcrossModesAndEdges) {
    int compared = 0;
    for (int iteration = 0; iteration < 6000; ++iteration) {
        const int srcMode = uniform(1, 3), dstMode = uniform(1, 3), blitMode = uniform(0, 2);
        Page src, dst;
        randomPage(src, srcMode);
        randomPage(dst, dstMode);
        const int w = uniform(-2, src.stride + 4), h = uniform(-2, src.height + 4);
        const int sx = uniform(-src.stride, src.stride), sy = uniform(-src.height, src.height);
        const int dx = uniform(-dst.stride, dst.stride), dy = uniform(-dst.height, dst.height);

        Page expectedDst = clonePage(dst);
        referenceBlit(expectedDst, dx, dy, src, sx, sy, w, h, blitMode);
        const bool allowed = blitPage(dst, dx, dy, src, sx, sy, w, h, blitMode).ok;
        EXPECT_EQ(allowed, blitAllowed(srcMode, dstMode));
        ASSERT_TRUE(samePage(dst, expectedDst))
            << "iteration " << iteration << ": " << srcMode << "->" << dstMode << " mode "
            << blitMode << " rect " << w << "x" << h << " from (" << sx << "," << sy << ") to ("
            << dx << "," << dy << ")";
        ++compared;
    }
    EXPECT_EQ(compared, 6000);
}

TEST_P(BlitRandomTest, OverlappingCopiesWithinOnePageReadWhatTheyWrote) {
    for (int iteration = 0; iteration < 4000; ++iteration) {
        const int mode = uniform(1, 3), blitMode = uniform(0, 2);
        Page page;
        randomPage(page, mode);
        const int w = uniform(0, page.stride + 2), h = uniform(0, page.height + 2);
        const int sx = uniform(-2, page.stride), sy = uniform(-2, page.height);
        // Mostly small offsets on the same rows, where the overlap matters most.
        const int dx = sx + uniform(-3, 3);
        const int dy = uniform(0, 2) == 0 ? sy + uniform(-2, 2) : sy;

        Page expected = clonePage(page);
        referenceBlit(expected, dx, dy, expected, sx, sy, w, h, blitMode);
        blitPage(page, dx, dy, page, sx, sy, w, h, blitMode);
        ASSERT_TRUE(samePage(page, expected))
            << "iteration " << iteration << ": mode " << mode << " blit " << blitMode << " rect "
            << w << "x" << h << " from (" << sx << "," << sy << ") to (" << dx << "," << dy << ")";
    }
}

TEST_P(BlitRandomTest, LongRowsTakeTheSameRoadAsShortOnes) {
    // Rows long enough for vectorised loops and for several chunks of the
    // keyed and converting loops, with odd offsets and lengths.
    for (int iteration = 0; iteration < 300; ++iteration) {
        const int srcMode = uniform(1, 3), blitMode = uniform(0, 2);
        const int dstMode = srcMode == kMode24 ? uniform(2, 3) : uniform(srcMode, 3);
        Page src, dst;
        ASSERT_TRUE(createSinglePage(src, uniform(60, 700), 3, srcMode));
        ASSERT_TRUE(createSinglePage(dst, uniform(60, 700), 3, dstMode));
        fillRandomly(src);
        fillRandomly(dst);
        setColorKey(src, randomPixel(srcMode));
        setColorKey(dst, randomPixel(dstMode));
        const int dx = uniform(-40, 40), sx = uniform(-40, 40), w = uniform(0, 720);
        Page expected = clonePage(dst);
        referenceBlit(expected, dx, 0, src, sx, 0, w, 3, blitMode);
        blitPage(dst, dx, 0, src, sx, 0, w, 3, blitMode);
        ASSERT_TRUE(samePage(dst, expected)) << "iteration " << iteration;
    }
}

TEST_P(BlitRandomTest, LargeRectanglesGoneOverInBandsMatchToo) {
    // Over a million pixels, so that the rows are shared among the processors;
    // uneven row counts and offsets so that bands differ in size.
    static constexpr int kPairs[][2] = {{kMode8, kMode8},   {kMode8, kMode16},  {kMode8, kMode24},
                                        {kMode16, kMode16}, {kMode16, kMode24}, {kMode24, kMode16},
                                        {kMode24, kMode24}};
    for (const auto& [srcMode, dstMode] : kPairs) {
        const int blitMode = uniform(0, 2);
        Page src, dst;
        ASSERT_TRUE(createSinglePage(src, 1030, uniform(1020, 1040), srcMode));
        ASSERT_TRUE(createSinglePage(dst, 1040, uniform(1020, 1040), dstMode));
        fillRandomly(src);
        fillRandomly(dst);
        setColorKey(src, randomPixel(srcMode));
        setColorKey(dst, randomPixel(dstMode));
        const int dx = uniform(0, 9), dy = uniform(0, 9);
        Page expected = clonePage(dst);
        referenceBlit(expected, dx, dy, src, 1, 2, 1029, 1028, blitMode);
        blitPage(dst, dx, dy, src, 1, 2, 1029, 1028, blitMode);
        ASSERT_TRUE(samePage(dst, expected)) << srcMode << "->" << dstMode << " mode " << blitMode;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryInstructionSet, BlitRandomTest,
                         ::testing::Values(BlitInstructions::Baseline, BlitInstructions::Avx2,
                                           BlitInstructions::Avx512),
                         [](const ::testing::TestParamInfo<BlitInstructions>& info) {
                             return info.param == BlitInstructions::Avx512 ? "Avx512"
                                    : info.param == BlitInstructions::Avx2 ? "Avx2"
                                                                           : "Baseline";
                         });

}  // namespace
}  // namespace zentil
