// Trimming and tile resizing on a 2048 x 2048 8-bit sheet of 32 x 32 tiles,
// beside a memcpy of the page's bytes in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>

#include "edit/retile.h"
#include "edit/trim.h"
#include "image/page.h"
#include "memcpy_reference.h"

namespace {

using namespace zentil;

constexpr int kSide = 2048, kTile = 32;

// Every tile holds a blob of colour inside a transparent border of 4 pixels,
// so trimming has a margin to cut.
void fillSheet(Page& page) {
    std::mt19937 rng(3);
    setColorKey(page, 0);
    clearPage(page);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x) {
            const int tx = x % kTile, ty = y % kTile;
            if (tx >= 4 && tx < 28 && ty >= 5 && ty < 27 && rng() % 3 != 0)
                putPixel(page, x, y, 1 + rng() % 250);
        }
}

std::unique_ptr<Page> makeSheet() {
    auto page = std::make_unique<Page>();
    if (!createPage(*page, kTile, kSide / kTile, kTile, kSide / kTile, kMode8)) return nullptr;
    fillSheet(*page);
    return page;
}

void memcpyPage(benchmark::State& state) {
    bench::runMemcpy(state, std::size_t{kSide} * kSide, std::int64_t{kSide} * kSide);
}

void trimSheet(benchmark::State& state) {
    auto sheet = makeSheet();
    if (!sheet) return state.SkipWithError("page could not be created");
    Page out;
    for (auto _ : state) {
        trimTiles(out, *sheet);
        benchmark::DoNotOptimize(out.pixels8.get());
    }
    state.counters["tile_width"] = out.tileWidth;
    state.SetBytesProcessed(state.iterations() * std::int64_t{kSide} * kSide);
}

void retileSheetCentre(benchmark::State& state) {
    auto sheet = makeSheet();
    if (!sheet) return state.SkipWithError("page could not be created");
    Page page;
    for (auto _ : state) {
        state.PauseTiming();
        page = Page{};
        createPage(page, kTile, kSide / kTile, kTile, kSide / kTile, kMode8);
        std::memcpy(page.pixels8.get(), sheet->pixels8.get(), pixelBufferBytes(*sheet));
        state.ResumeTiming();
        retilePage(page, 40, 40, 0, 0, TileAlign::Center);
        benchmark::DoNotOptimize(page.pixels8.get());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t{kSide} * kSide);
}

BENCHMARK(memcpyPage)->Name("memcpy/2048x2048x8bit")->Unit(benchmark::kMillisecond);
BENCHMARK(trimSheet)->Name("trimTiles/2048x2048_32x32")->Unit(benchmark::kMillisecond);
BENCHMARK(retileSheetCentre)
    ->Name("retilePage/2048x2048_32x32_to_40x40_centre")
    ->Unit(benchmark::kMillisecond);

}  // namespace
