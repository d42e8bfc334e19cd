// Pixel-transfer speed on 2048 x 2048 pages, each case beside a memcpy of the
// same destination bytes in the same run. Rates are by the clock on the wall,
// since large transfers go out over every processor.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>

#include "edit/blit.h"
#include "image/page.h"
#include "memcpy_reference.h"

namespace {

using namespace zentil;

constexpr int kSide = 2048;

// A page of pseudo-random pixels in which about one pixel in eight is the key.
std::unique_ptr<Page> makePage(int mode, std::uint32_t seed) {
    auto page = std::make_unique<Page>();
    if (!createSinglePage(*page, kSide, kSide, mode)) return nullptr;
    std::mt19937 rng(seed);
    Palette palette{};
    for (auto& b : palette)
        b = static_cast<std::uint8_t>(rng());
    setPagePalette(*page, palette);
    setColorKey(*page, 0);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            putPixel(*page, x, y, (rng() & 7) ? rng() & 0x7FFF : 0);
    return page;
}

void blitCase(benchmark::State& state, int srcMode, int dstMode, int blitMode) {
    auto src = makePage(srcMode, 1);
    auto dst = makePage(dstMode, 2);
    if (!src || !dst) {
        state.SkipWithError("page could not be created");
        return;
    }
    for (auto _ : state) {
        blitPage(*dst, 0, 0, *src, 0, 0, kSide, kSide, blitMode);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t{kSide} * kSide);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(pixelBufferBytes(*dst)));
}

// memcpy of a destination page's worth of bytes (bytes per pixel in range(0)).
void memcpyReference(benchmark::State& state) {
    const std::int64_t pixels = std::int64_t{kSide} * kSide;
    bench::runMemcpy(state, static_cast<std::size_t>(pixels * state.range(0)), pixels);
}

BENCHMARK(memcpyReference)
    ->Name("memcpy/dst_bytes_per_pixel")
    ->Arg(1)
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(blitCase, 8to8_opaque, kMode8, kMode8, kBlitOpaque)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(blitCase, 8to8_front, kMode8, kMode8, kBlitFront)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(blitCase, 8to8_behind, kMode8, kMode8, kBlitBehind)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(blitCase, 8to24_opaque, kMode8, kMode24, kBlitOpaque)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(blitCase, 8to16_opaque, kMode8, kMode16, kBlitOpaque)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(blitCase, 16to24_opaque, kMode16, kMode24, kBlitOpaque)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(blitCase, 24to16_opaque, kMode24, kMode16, kBlitOpaque)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(blitCase, 16to16_opaque, kMode16, kMode16, kBlitOpaque)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(blitCase, 24to24_opaque, kMode24, kMode24, kBlitOpaque)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(blitCase, 24to24_front, kMode24, kMode24, kBlitFront)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
