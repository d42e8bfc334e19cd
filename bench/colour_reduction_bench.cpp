// Colour reduction and remapping beside libimagequant called directly with
// the same settings in the same run: a 2048 x 2048 true-colour sprite sheet
// reduced to 256 colours without dithering (its sprites with sharp edges,
// which libimagequant reads in place, and with soft ones, whose alpha is
// rewritten row by row as it reads them), and a 4096 x 4096 sheet remapped
// onto a fixed palette of 256 colours.
//
// libimagequant spreads its work over threads, so both sides are timed in
// processor time of the whole process. Counters: x_liq is the time per call
// over libimagequant's own (the reference taken once per run, as the best of
// a few calls).
#include <benchmark/benchmark.h>
#include <libimagequant.h>

#include <vector>

#include "bench_timing.h"
#include "edit/colour_reduction.h"
#include "true_colour_pictures.h"

namespace {

using namespace zentil;

using bench::bestSeconds;
using bench::LoopTimer;
using bench::processCpuSeconds;

// libimagequant as its own documentation calls it: quantise, remap, read the
// palette. `fixed` gives the result's palette instead of quantising. Both
// leave its palette's order as it is, as a caller that needs no order would.
bool liqDirect(const RgbaPicture& picture, const Palette* fixed, std::vector<std::uint8_t>& out) {
    liq_attr* attr = liq_attr_create();
    liq_image* image =
        liq_image_create_rgba(attr, picture.rgba.data(), picture.width, picture.height, 0);
    liq_result* result = nullptr;
    bool ok = false;
    if (fixed) {
        // The same colours as the remap gives it: every entry but the key's
        // (entry 0) and a transparent one for the key.
        liq_histogram* histogram = liq_histogram_create(attr);
        ok = liq_histogram_add_fixed_color(histogram, {0, 0, 0, 0}, 0) == LIQ_OK;
        for (int i = 1; i < kPaletteEntries; ++i) {
            const auto* c = &(*fixed)[static_cast<std::size_t>(i) * 3];
            ok = ok &&
                 liq_histogram_add_fixed_color(histogram, {c[0], c[1], c[2], 255}, 0) == LIQ_OK;
        }
        const liq_histogram_entry one{{0, 0, 0, 0}, 1};
        ok = ok && liq_histogram_add_colors(histogram, attr, &one, 1, 0) == LIQ_OK &&
             liq_histogram_quantize(histogram, attr, &result) == LIQ_OK;
        liq_histogram_destroy(histogram);
    } else {
        ok = liq_set_max_colors(attr, kPaletteEntries) == LIQ_OK &&
             liq_image_quantize(image, attr, &result) == LIQ_OK;
    }
    ok = ok && liq_set_dithering_level(result, 0) == LIQ_OK &&
         liq_write_remapped_image(result, image, out.data(), out.size()) == LIQ_OK;
    if (ok) benchmark::DoNotOptimize(liq_get_palette(result));
    if (result) liq_result_destroy(result);
    liq_image_destroy(image);
    liq_attr_destroy(attr);
    return ok;
}

void reduceSheet(benchmark::State& state, bool softEdges) {
    const int side = bench::sized(2048, 64);
    const RgbaPicture sheet = test::spriteSheetPicture(side, softEdges);
    std::vector<std::uint8_t> plain(static_cast<std::size_t>(side) * side);
    if (!liqDirect(sheet, nullptr, plain)) {
        state.SkipWithError("libimagequant refused the sheet");
        return;
    }
    const double reference =
        bestSeconds([&] { liqDirect(sheet, nullptr, plain); }, 0.5, processCpuSeconds);
    const ReductionSettings settings;
    IndexedPicture out;
    ReductionReport report;
    const LoopTimer timer(processCpuSeconds);
    for (auto _ : state) {
        if (!reduceColours(sheet, settings, out, report)) {
            state.SkipWithError("reduceColours refused the sheet");
            break;
        }
        benchmark::DoNotOptimize(out.indexes.data());
    }
    state.SetItemsProcessed(state.iterations() * side * side);
    state.counters["x_liq"] = timer.secondsPerIteration(state) / reference;
    state.counters["colours_before"] = static_cast<double>(report.coloursBefore);
}

void remapSheet(benchmark::State& state) {
    const int side = bench::sized(4096, 64);
    const RgbaPicture sheet = test::spriteSheetPicture(side, false);
    // The palette the sheet's own reduction gives, as a sprite palette would be.
    IndexedPicture reduced;
    ReductionReport report;
    if (!reduceColours(test::spriteSheetPicture(512, false), {}, reduced, report)) {
        state.SkipWithError("no palette to remap onto");
        return;
    }
    std::vector<std::uint8_t> plain(static_cast<std::size_t>(side) * side);
    if (!liqDirect(sheet, &reduced.palette, plain)) {
        state.SkipWithError("libimagequant refused the sheet");
        return;
    }
    const double reference =
        bestSeconds([&] { liqDirect(sheet, &reduced.palette, plain); }, 0.5, processCpuSeconds);
    IndexedPicture out;
    const LoopTimer timer(processCpuSeconds);
    for (auto _ : state) {
        if (!remapColours(sheet, reduced.palette, {}, out, report)) {
            state.SkipWithError("remapColours refused the sheet");
            break;
        }
        benchmark::DoNotOptimize(out.indexes.data());
    }
    state.SetItemsProcessed(state.iterations() * side * side);
    state.counters["x_liq"] = timer.secondsPerIteration(state) / reference;
}

BENCHMARK_CAPTURE(reduceSheet, sharp_edges, false)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(bench::iterations(5));
BENCHMARK_CAPTURE(reduceSheet, soft_edges, true)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(bench::iterations(5));
BENCHMARK(remapSheet)->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(5));

}  // namespace
