// Pixel-transfer speed on 2048 x 2048 pages, each case beside a memcpy of the
// same destination bytes. Every case runs twice: by the clock on the wall
// with every processor (large transfers go out over all of them), and held
// to one processor, by the processor time of the one thread that then does
// the work, which other programs on a busy machine do not inflate; there the
// counter memcpy_% gives the case's rate as a share of memcpy's.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <string>

#include "bench_timing.h"
#include "edit/blit.h"
#include "image/page.h"
#include "memcpy_reference.h"
#include "one_processor.h"

namespace {

using namespace zentil;

const int kSide = bench::sized(2048, 256);

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
    // Straight into the buffer (the rows have no padding): a page of every
    // mode for every case is much of the smoke test's time.
    std::uint8_t* pixel = pixelBytes(*page);
    for (std::size_t i = 0; i < pixelBufferBytes(*page); i += static_cast<std::size_t>(mode)) {
        const std::uint32_t r = rng(), value = (r & 7) ? (r >> 8) & 0x7FFF : 0;
        std::memcpy(pixel + i, &value, static_cast<std::size_t>(mode));  // little-endian
    }
    return page;
}

// Processor time of this thread per memcpy of `bytes`, the mean over `times`
// copies after one that warms the buffers up, as the benchmark loop's time
// is a mean over its iterations.
double memcpySeconds(std::size_t bytes, std::int64_t times) {
    std::unique_ptr<std::uint8_t[]> from(new std::uint8_t[bytes]);
    std::unique_ptr<std::uint8_t[]> to(new std::uint8_t[bytes]);
    std::memset(from.get(), 1, bytes);
    std::memset(to.get(), 2, bytes);
    std::memcpy(to.get(), from.get(), bytes);
    const double start = bench::cpuSeconds();
    for (std::int64_t i = 0; i < times; ++i) {
        std::memcpy(to.get(), from.get(), bytes);
        benchmark::ClobberMemory();
    }
    return (bench::cpuSeconds() - start) / static_cast<double>(times);
}

enum class Processors { All, One };

void blitCase(benchmark::State& state, int srcMode, int dstMode, int blitMode,
              Processors processors) {
    auto src = makePage(srcMode, 1);
    auto dst = makePage(dstMode, 2);
    if (!src || !dst) {
        state.SkipWithError("page could not be created");
        return;
    }
    const auto bytes = static_cast<std::int64_t>(pixelBufferBytes(*dst));
    std::unique_ptr<test::OneProcessor> one;
    if (processors == Processors::One) {
        one = std::make_unique<test::OneProcessor>();
        if (!one->held()) {
            state.SkipWithError("the thread could not be held to one processor");
            return;
        }
    }
    const bench::LoopTimer timer;
    for (auto _ : state) {
        blitPage(*dst, 0, 0, *src, 0, 0, kSide, kSide, blitMode);
        benchmark::ClobberMemory();
    }
    if (one) {
        const double seconds = timer.secondsPerIteration(state);
        state.counters["memcpy_%"] = 100.0 *
                                     memcpySeconds(static_cast<std::size_t>(bytes),
                                                   std::max<std::int64_t>(state.iterations(), 1)) /
                                     seconds;
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t{kSide} * kSide);
    state.SetBytesProcessed(state.iterations() * bytes);
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

struct Case {
    const char* name;
    int srcMode, dstMode, blitMode;
};

constexpr Case kCases[] = {
    {"8to8_opaque", kMode8, kMode8, kBlitOpaque},
    {"8to8_front", kMode8, kMode8, kBlitFront},
    {"8to8_behind", kMode8, kMode8, kBlitBehind},
    {"8to24_opaque", kMode8, kMode24, kBlitOpaque},
    {"8to16_opaque", kMode8, kMode16, kBlitOpaque},
    {"16to24_opaque", kMode16, kMode24, kBlitOpaque},
    {"24to16_opaque", kMode24, kMode16, kBlitOpaque},
    {"16to16_opaque", kMode16, kMode16, kBlitOpaque},
    {"24to24_opaque", kMode24, kMode24, kBlitOpaque},
    {"24to24_front", kMode24, kMode24, kBlitFront},
};

// Each case by the wall clock on every processor, then on one processor.
const bool registered = [] {
    for (const Case& c : kCases) {
        const std::string name = std::string("blitCase/") + c.name;
        benchmark::RegisterBenchmark((name + "/wall").c_str(), blitCase, c.srcMode, c.dstMode,
                                     c.blitMode, Processors::All)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
        benchmark::RegisterBenchmark((name + "/one_processor").c_str(), blitCase, c.srcMode,
                                     c.dstMode, c.blitMode, Processors::One)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

}  // namespace
