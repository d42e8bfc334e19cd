// Blend-table building for palette files: the fast builder beside the plain
// entry-by-entry search in the same run, on a palette of random colours and on
// a palette of greys (all colours on one line, the hardest case for the fast
// builder's search lists).
#include <benchmark/benchmark.h>

#include <memory>
#include <random>

#include "bench_timing.h"
#include "blend_reference.h"
#include "formats/palette_file.h"

namespace {

using namespace zentil;

Palette benchPalette(int kind) {
    Palette palette{};
    std::mt19937 rng(7);
    for (int n = 0; n < kPaletteEntries; ++n) {
        for (int c = 0; c < 3; ++c) {
            const auto value = kind == 0 ? rng() : static_cast<unsigned>(n);
            palette[n * 3 + c] = static_cast<std::uint8_t>(value);
        }
    }
    return palette;
}

void fastBlendTable(benchmark::State& state) {
    const Palette palette = benchPalette(static_cast<int>(state.range(0)));
    std::unique_ptr<std::uint8_t[]> table(new std::uint8_t[kBlendTableBytes]);
    for (auto _ : state) {
        if (!buildBlendTable(palette, table.get())) state.SkipWithError("no memory");
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kBlendTableBytes));
}

void referenceBlendTable(benchmark::State& state) {
    const Palette palette = benchPalette(static_cast<int>(state.range(0)));
    std::unique_ptr<std::uint8_t[]> table(new std::uint8_t[kBlendTableBytes]);
    for (auto _ : state) {
        test::buildBlendTableReference(palette, table.get());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kBlendTableBytes));
}

// Argument: 0 random colours, 1 greys.
BENCHMARK(fastBlendTable)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(referenceBlendTable)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(bench::iterations(3));

}  // namespace
