// What the canvas does at one pointer move over a lifted block, and at a
// stamp, measured with the same core and render calls the window makes (the
// move also beside the classic drawing the tests keep); and the GPF size the
// status bar shows after a stamp, beside the plain per-pixel writer that the
// tests prove identical to the library's.
#include <benchmark/benchmark.h>

#include <QImage>
#include <memory>
#include <random>

#include "bench_timing.h"
#include "edit/block.h"
#include "formats/gpf_figure.h"
#include "gpf_reference.h"
#include "image/page.h"
#include "render/canvas_render.h"
#include "render/classic_drawing.h"
#include "sprite_sheet.h"
#include "work/stroke_edit.h"

namespace {

using namespace zentil;

constexpr int kSide = 2048, kTile = 32, kBlock = 512;
constexpr std::uint32_t kGrid = 0x00FFFFFF, kRed = 0x0000FF;

std::unique_ptr<Page> makeSheet(int side = kSide) {
    auto page = std::make_unique<Page>();
    if (!createPage(*page, kTile, side / kTile, kTile, side / kTile, kMode8)) return nullptr;
    std::mt19937 rng(5);
    Palette palette{};
    for (auto& b : palette)
        b = static_cast<std::uint8_t>(rng());
    setPagePalette(*page, palette);
    setColorKey(*page, 0);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            putPixel(*page, x, y, rng() % 4 ? rng() % 256 : 0);
    return page;
}

// Copy mode 2: the page's pixels into the view, the block behind them, then
// the block drawn as the canvas draws it, its view with the tile grid and the
// red frame (range(0) 1), or as the classic drawing did, the view rendered at
// 1x and the grid and frame drawn over it (0).
void carryBlock(benchmark::State& state) {
    auto page = makeSheet();
    LiftedBlock lifted;
    if (!page || !liftBlock(lifted, *page, 256, 256, kBlock, kBlock, {}))
        return state.SkipWithError("pages could not be created");
    const bool canvas = state.range(0) == 1;
    QImage capture(kBlock, kBlock, canvas ? kCanvasFormat : QImage::Format_BGR888);
    CanvasOverlays overlays;
    overlays.grid = {true, kGrid};
    overlays.centreLines = false;
    overlays.outline = CanvasOutline{0, 0, kBlock, kBlock, kRed, 2};
    int step = 0;
    for (auto _ : state) {
        const int left = (step++ % 16) * kTile;
        composeBlockView(lifted, *page, left, 512, 2);
        if (canvas) {
            renderCanvasView(capture, capture.rect(), lifted.view, CanvasProjection{}, overlays);
        } else {
            test::renderPage(capture, lifted.view, 0, 0, kBlock, kBlock);
            test::drawTileGrid(capture, kTile, kTile, kGrid);
            test::drawRectOutline(capture, 1, 1, kBlock - 2, kBlock - 2, kRed, 2);
        }
        benchmark::DoNotOptimize(capture.constBits());
    }
}

// A stamp: the view written into the page, then a 1280 x 960 view of the
// page redrawn with its grid and centre lines.
void stampBlockAndRedraw(benchmark::State& state) {
    auto page = makeSheet();
    LiftedBlock lifted;
    if (!page || !liftBlock(lifted, *page, 256, 256, kBlock, kBlock, {}) ||
        !composeBlockView(lifted, *page, 0, 0, 0))
        return state.SkipWithError("pages could not be created");
    QImage canvas(1280, 960, kCanvasFormat);
    CanvasOverlays overlays;
    overlays.grid = {true, kGrid};
    for (auto _ : state) {
        stampBlock(*page, lifted, 1024, 1024);
        renderCanvasView(canvas, canvas.rect(), *page, CanvasProjection{}, overlays);
        benchmark::DoNotOptimize(canvas.constBits());
    }
}

// A stamp, then the page's GPF size and every tile's, as the status bar
// measures them (range(0) 1: the stamp a press's edit of the workspace, the
// figure brought up to date from its change log), or the size of the plain writer's
// whole file (0); on the sprite sheet (range(1) 0) or, as the worst case, on
// a sheet of noise, three quarters opaque in runs of one or two pixels (1),
// `side` pixels square.
void stampThenGpfSize(benchmark::State& state, int side) {
    auto page = state.range(1) == 0 ? bench::spriteSheet() : makeSheet(side);
    LiftedBlock lifted;
    if (!page || !liftBlock(lifted, *page, 256, 256, kBlock, kBlock, {}) ||
        !composeBlockView(lifted, *page, 0, 0, 0))
        return state.SkipWithError("pages could not be created");
    Workspace workspace;
    GpfFigure figure;
    if (!figure.update(*page, std::nullopt)) return state.SkipWithError("no GPF figure");
    int step = 0;
    for (auto _ : state) {
        const int x = (step++ % 4) * kBlock;
        if (state.range(0) == 1) {
            // A press that stamps, as the canvas makes it.
            Outcome outcome;
            std::unique_ptr<Command> stamp = strokeEdit(
                workspace, *page, {x, 1024, kBlock, kBlock},
                [&](Page& p) { return stampBlock(p, lifted, x, 1024); }, outcome, step);
            const Outcome& measured =
                figure.update(*page, workspace.changes.changedSince(*page, figure.revision()));
            if (!outcome || !measured) return state.SkipWithError("the page could not be measured");
            benchmark::DoNotOptimize(figure.sizes().fileBytes);
        } else {
            stampBlock(*page, lifted, x, 1024);
            std::vector<std::uint8_t> file;
            test::referenceEncodeSpriteFile(*page, file);
            benchmark::DoNotOptimize(file.size());
        }
    }
}

BENCHMARK(carryBlock)
    ->Name("canvas/move_512x512_block_copy_mode_2")
    ->ArgNames({"canvas"})
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(stampBlockAndRedraw)
    ->Name("canvas/stamp_and_redraw_1280x960_of_2048x2048")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(stampThenGpfSize, 2048, kSide)
    ->Name("canvas/stamp_then_gpf_size_2048x2048")
    ->ArgNames({"library", "noise"})
    ->Args({1, 0})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond);
// The figure's time does not grow with the page.
BENCHMARK_CAPTURE(stampThenGpfSize, 8192, bench::sized(8192, kSide))
    ->Name("canvas/stamp_then_gpf_size_8192x8192")
    ->ArgNames({"library", "noise"})
    ->Args({1, 1})
    ->Args({0, 1})
    ->Unit(benchmark::kMillisecond);

}  // namespace
