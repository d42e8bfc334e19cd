// The drawing tools' work, measured with the same core and render calls the
// window makes: a pencil stroke position by position at 8x (paint, keep what
// changed in the step, bring the GPF figure up to date, redraw the touched
// part of the view) beside redrawing the whole view once; and a fill of a
// 4096 x 4096 region of one colour beside memset of its bytes.
#include <benchmark/benchmark.h>

#include <QImage>
#include <cstring>
#include <memory>

#include "edit/paint.h"
#include "formats/gpf_figure.h"
#include "image/page.h"
#include "render/canvas_render.h"
#include "work/history.h"
#include "work/stroke_edit.h"
#include "work/workspace.h"

namespace {

using namespace zentil;

constexpr int kSide = 2048, kTile = 32, kZoom = 8, kViewW = 1280, kViewH = 960;
constexpr int kPositions = 1000;

std::unique_ptr<Page> flatPage(int side, int tile) {
    auto page = std::make_unique<Page>();
    if (!createPage(*page, tile, side / tile, tile, side / tile, kMode8)) return nullptr;
    std::memset(pixelBytes(*page), 1, static_cast<std::size_t>(page->stride) * page->height);
    return page;
}

// The page pixel of position i of a stroke that zigzags across the view's
// part of the page, three pixels per pointer move.
QPoint strokeAt(int i) {
    const int x = 3 * (i % 50), row = i / 50;
    return {row % 2 ? 150 - x : x, 10 + 5 * row};
}

CanvasProjection zoomed() {
    CanvasProjection projection;
    projection.zoom = kZoom;
    return projection;
}

// One stroke of kPositions pointer positions per iteration, each position
// painted, kept, measured and redrawn as the canvas does; reported per position.
void pencilStroke(benchmark::State& state) {
    auto page = flatPage(kSide, kTile);
    if (!page) return state.SkipWithError("the page could not be created");
    Workspace workspace;
    History history;
    GpfFigure figure;
    figure.update(*page, std::nullopt);
    QImage view(kViewW, kViewH, kCanvasFormat);
    const CanvasProjection projection = zoomed();
    const CanvasOverlays overlays;
    int stroke = 0;
    for (auto _ : state) {
        ++stroke;
        QPoint previous = strokeAt(0);
        for (int i = 0; i < kPositions; ++i) {
            const QPoint to = strokeAt(i);
            const int x0 = std::min(previous.x(), to.x()), y0 = std::min(previous.y(), to.y());
            const PixelRect rect{x0, y0, std::abs(to.x() - previous.x()) + 1,
                                 std::abs(to.y() - previous.y()) + 1};
            Outcome outcome;
            history.push(strokeEdit(
                workspace, *page, rect,
                [&](Page& p) {
                    paintLine(p, previous.x(), previous.y(), to.x(), to.y(),
                              static_cast<std::uint8_t>(2 + stroke % 2));
                    return Outcome::done();
                },
                outcome, stroke));
            figure.update(*page, workspace.changes.changedSince(*page, figure.revision()));
            const QRect dirty =
                screenRect(projection, rect.x, rect.y, rect.w, rect.h) & view.rect();
            renderCanvasView(view, dirty, *page, projection, overlays);
            previous = to;
        }
        history.closeStep();
        benchmark::DoNotOptimize(view.constBits());
    }
    state.SetItemsProcessed(state.iterations() * kPositions);
}

// The reference: the whole 1280 x 960 view redrawn once at 8x.
void wholeViewRedraw(benchmark::State& state) {
    auto page = flatPage(kSide, kTile);
    if (!page) return state.SkipWithError("the page could not be created");
    QImage view(kViewW, kViewH, kCanvasFormat);
    const CanvasProjection projection = zoomed();
    for (auto _ : state) {
        renderCanvasView(view, view.rect(), *page, projection, CanvasOverlays{});
        benchmark::DoNotOptimize(view.constBits());
    }
}

constexpr int kFillSide = 4096;

// A fill of the whole 4096 x 4096 page of one colour, alternating colours so
// that every fill changes every pixel.
void fillRegionOfOneColour(benchmark::State& state) {
    auto page = flatPage(kFillSide, 64);
    if (!page) return state.SkipWithError("the page could not be created");
    std::uint8_t colour = 2;
    for (auto _ : state) {
        const PaintedArea area = fillRegion(*page, 100, 100, colour);
        colour = colour == 2 ? 3 : 2;
        benchmark::DoNotOptimize(area);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t{kFillSide} * kFillSide);
}

void memsetOfTheRegion(benchmark::State& state) {
    std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[std::size_t{kFillSide} * kFillSide]);
    std::uint8_t colour = 2;
    for (auto _ : state) {
        std::memset(bytes.get(), colour, std::size_t{kFillSide} * kFillSide);
        colour = colour == 2 ? 3 : 2;
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t{kFillSide} * kFillSide);
}

BENCHMARK(pencilStroke)
    ->Name("paint/pencil_stroke_1000_positions_2048x2048_at_8x")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(wholeViewRedraw)
    ->Name("paint/x_whole_view_redraw_1280x960_at_8x")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(fillRegionOfOneColour)->Name("paint/fill_4096x4096")->Unit(benchmark::kMillisecond);
BENCHMARK(memsetOfTheRegion)->Name("paint/x_memset_4096x4096")->Unit(benchmark::kMillisecond);

}  // namespace
