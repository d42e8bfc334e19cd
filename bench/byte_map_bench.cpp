// The GPF byte map after one pencil dab on an 8192 x 8192 page of 8 x 8
// tiles (a million tiles): the pixel painted, the figure and the scale's
// extremes brought up to date from the changed pixel, and the part of the
// 8x view that the touched tile covers drawn again (page, then byte map with
// the tile's printed figure), as the canvas would repaint it.
//
// Counter: vs_whole_measure, how many times faster that is than measuring
// the page's figure and scale whole (the best of a few calls, taken once in
// the same run), both in processor time of the calling thread.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <memory>
#include <optional>
#include <random>

#include "bench_timing.h"

#include "edit/canvas_projection.h"
#include "edit/paint.h"
#include "formats/gpf_figure.h"
#include "image/page.h"
#include "render/byte_map.h"
#include "render/canvas_render.h"

namespace {

using namespace zentil;

const int kSide = bench::sized(8192, 2048);
constexpr int kTile = 8, kZoom = 8;
constexpr int kViewWidth = 1280, kViewHeight = 960;

// The figures are printed with the platform's fonts, which need an
// application object; the benchmarks run without a display.
void ensureApplication() {
    static int argc = 1;
    static char name[] = "zentil_bench";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(argc, argv);
}

// A sheet of noise, three quarters opaque, so that tiles differ in bytes.
std::unique_ptr<Page> makeSheet() {
    auto page = std::make_unique<Page>();
    if (!createPage(*page, kTile, kSide / kTile, kTile, kSide / kTile, kMode8)) return nullptr;
    std::mt19937 rng(11);
    Palette palette{};
    for (auto& b : palette)
        b = static_cast<std::uint8_t>(rng());
    setPagePalette(*page, palette);
    setColorKey(*page, 0);
    std::uint8_t* pixels = page->pixels8.get();
    for (std::size_t i = 0; i < std::size_t{page->pixelCount}; ++i) {
        const std::uint32_t r = rng();
        pixels[i] = (r & 3) ? static_cast<std::uint8_t>(r >> 8) : 0;
    }
    return page;
}

double wholeMeasureSeconds(const Page& page) {
    return bench::bestSeconds(
        [&] {
            GpfFigure figure;
            ByteMapScale scale;
            figure.update(page, std::nullopt);
            scale.update(page, figure, std::nullopt);
            benchmark::DoNotOptimize(scale.dearest());
        },
        0.0);
}

void afterDab(benchmark::State& state) {
    ensureApplication();
    auto page = makeSheet();
    if (!page) return state.SkipWithError("page could not be created");
    GpfFigure figure;
    ByteMapScale scale;
    if (!figure.update(*page, std::nullopt)) return state.SkipWithError("no GPF figure");
    scale.update(*page, figure, std::nullopt);
    // The view shows page pixels from (4000, 4000) on (of 8192 x 8192); dabs
    // fall inside it.
    const int origin = kSide / 2 - 96;
    const CanvasProjection projection{kZoom, -std::int64_t{origin} * kZoom,
                                      -std::int64_t{origin} * kZoom};
    QImage view(kViewWidth, kViewHeight, kCanvasFormat);
    renderCanvasView(view, view.rect(), *page, projection, {});
    drawByteMap(view, view.rect(), *page, projection, figure.sizes(), scale);
    std::mt19937 rng(3);
    const bench::LoopTimer timer;
    for (auto _ : state) {
        const int x = origin + static_cast<int>(rng() % (kViewWidth / kZoom));
        const int y = origin + static_cast<int>(rng() % (kViewHeight / kZoom));
        // A colour the pixel does not have, so that every dab is an edit.
        const auto index = static_cast<std::uint8_t>(pixelAt(*page, x, y) + 1 + rng() % 255);
        const PaintedArea painted = paintLine(*page, x, y, x, y, index);
        ++page->revision;
        const PixelRect changed{painted.x0, painted.y0, painted.x1 - painted.x0,
                                painted.y1 - painted.y0};
        if (!figure.update(*page, changed)) return state.SkipWithError("no GPF figure");
        scale.update(*page, figure, changed);
        const QRect tile =
            screenRect(projection, x / kTile * kTile, y / kTile * kTile, kTile, kTile);
        renderCanvasView(view, tile, *page, projection, {});
        drawByteMap(view, tile, *page, projection, figure.sizes(), scale);
        benchmark::DoNotOptimize(view.constBits());
        benchmark::ClobberMemory();
    }
    const double perDab = timer.secondsPerIteration(state);
    state.counters["vs_whole_measure"] = wholeMeasureSeconds(*page) / perDab;
}

// The whole 1280 x 960 view at 8x (300 tiles, each with its figure), as after
// an edit that moved the scale's ends; range(0) 0 draws the page only, the
// reference in the same run.
void wholeView(benchmark::State& state) {
    ensureApplication();
    auto page = std::make_unique<Page>();
    if (!createPage(*page, kTile, 2048 / kTile, kTile, 2048 / kTile, kMode8))
        return state.SkipWithError("page could not be created");
    for (int t = 0; t < page->tileCount; ++t)
        putPixel(*page, (t % page->cols) * kTile, (t / page->cols) * kTile, t % 7 + 1);
    GpfFigure figure;
    ByteMapScale scale;
    if (!figure.update(*page, std::nullopt)) return state.SkipWithError("no GPF figure");
    scale.update(*page, figure, std::nullopt);
    const CanvasProjection projection{kZoom, -500LL * kZoom, -500LL * kZoom};
    QImage view(kViewWidth, kViewHeight, kCanvasFormat);
    for (auto _ : state) {
        renderCanvasView(view, view.rect(), *page, projection, {});
        if (state.range(0) == 1)
            drawByteMap(view, view.rect(), *page, projection, figure.sizes(), scale);
        benchmark::DoNotOptimize(view.constBits());
        benchmark::ClobberMemory();
    }
}

BENCHMARK(afterDab)->Name("byte_map/after_dab_8192")->Unit(benchmark::kMillisecond);
BENCHMARK(wholeView)
    ->Name("byte_map/view_1280x960_8x")
    ->ArgNames({"byte_map"})
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);

}  // namespace
