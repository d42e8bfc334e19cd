// Repainting the canvas view: the visible 1280 x 960 part of an 8-bit page at
// 8x with the tile grid, drawn onto a screen-format image as the widget's
// repaint does, beside the way a view could be had without the canvas
// renderer — the whole page rendered with its grid, then scaled onto the same
// screen-format image by QPainter::drawImage — in the same run. The same view of a
// 2048 x 2048 and an 8192 x 8192 page shows that the cost follows the view,
// not the page.
//
// Counter: vs_drawImage, how many times faster the view is than the whole
// page scaled by drawImage (the best of a few repetitions, taken once), both
// in processor time of the calling thread. Qt hands part of the reference's
// conversion to other threads, so its own wall time is longer still: the
// counter understates the difference.
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <memory>

#include "bench_timing.h"

#include "edit/canvas_projection.h"
#include "image/page.h"
#include "render/canvas_render.h"
#include "render/classic_drawing.h"
#include "render/page_render.h"

namespace {

using namespace zentil;

constexpr int kViewWidth = 1280, kViewHeight = 960, kTile = 32;
constexpr std::uint32_t kGrid = 0x00FFFFFF;
// The view's top-left shows this page pixel, cut part-way.
constexpr int kLeftPixel = 600, kTopPixel = 700, kCut = 3;

// A side x side page of 32 x 32 tiles holding a cheap pseudo-random pattern.
std::unique_ptr<Page> makeSheet(int side) {
    auto page = std::make_unique<Page>();
    if (!createPage(*page, kTile, side / kTile, kTile, side / kTile, kMode8)) return nullptr;
    Palette palette{};
    for (int i = 0; i < kPaletteEntries * 3; ++i)
        palette[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 37);
    setPagePalette(*page, palette);
    std::uint32_t state = 12345;
    std::uint8_t* pixels = page->pixels8.get();
    for (std::size_t i = 0; i < std::size_t{page->pixelCount}; ++i) {
        state = state * 1664525u + 1013904223u;
        pixels[i] = static_cast<std::uint8_t>(state >> 24);
    }
    return page;
}

CanvasProjection viewAt(int zoom) {
    CanvasProjection p;
    p.zoom = zoom;
    p.originX = -std::int64_t{kLeftPixel} * zoom - kCut;
    p.originY = -std::int64_t{kTopPixel} * zoom - kCut;
    return p;
}

CanvasOverlays gridOverlays() {
    CanvasOverlays o;
    o.grid = {true, kGrid};
    return o;
}

// The reference: the whole page with its grid and centre lines at 1x, drawn
// the classic way, then the part the view shows scaled by the painter
// (nearest pixel).
void scaledByPainter(const Page& page, QImage& whole, QImage& view, int zoom) {
    test::renderPage(whole, page, 0, 0, page.stride, page.height);
    test::drawTileGrid(whole, page.tileWidth, page.tileHeight, kGrid);
    test::drawTileCentres(whole, page.tileWidth, page.tileHeight, kGrid);
    QPainter painter(&view);
    const double cut = static_cast<double>(kCut) / zoom;
    painter.drawImage(QRectF(0, 0, kViewWidth, kViewHeight), whole,
                      QRectF(kLeftPixel + cut, kTopPixel + cut, double(kViewWidth) / zoom,
                             double(kViewHeight) / zoom));
}

double referenceSeconds(const Page& page, int zoom) {
    QImage whole(page.stride, page.height, renderFormatFor(page.mode));
    QImage view(kViewWidth, kViewHeight, QImage::Format_RGB32);
    return bench::bestSeconds([&] { scaledByPainter(page, whole, view, zoom); }, 0.0);
}

// range(0): the page's side; range(1): the zoom.
void canvasView(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0)), zoom = static_cast<int>(state.range(1));
    auto page = makeSheet(side);
    if (!page) return state.SkipWithError("page could not be created");
    QImage view(kViewWidth, kViewHeight, kCanvasFormat);
    QImage screen(kViewWidth, kViewHeight, QImage::Format_RGB32);
    const CanvasProjection projection = viewAt(zoom);
    const CanvasOverlays overlays = gridOverlays();
    const bench::LoopTimer timer;
    for (auto _ : state) {
        renderCanvasView(view, view.rect(), *page, projection, overlays);
        QPainter(&screen).drawImage(0, 0, view);
        benchmark::DoNotOptimize(screen.constBits());
        benchmark::ClobberMemory();
    }
    const double perView = timer.secondsPerIteration(state);
    if (side <= 2048) state.counters["vs_drawImage"] = referenceSeconds(*page, zoom) / perView;
    state.SetItemsProcessed(state.iterations() * std::int64_t{kViewWidth} * kViewHeight);
}

void wholePageScaledByPainter(benchmark::State& state) {
    const int side = static_cast<int>(state.range(0)), zoom = static_cast<int>(state.range(1));
    auto page = makeSheet(side);
    if (!page) return state.SkipWithError("page could not be created");
    QImage whole(page->stride, page->height, renderFormatFor(page->mode));
    QImage view(kViewWidth, kViewHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        scaledByPainter(*page, whole, view, zoom);
        benchmark::DoNotOptimize(view.constBits());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t{kViewWidth} * kViewHeight);
}

BENCHMARK(canvasView)
    ->Name("view/1280x960_grid")
    ->ArgNames({"page", "zoom"})
    ->Args({2048, 8})
    ->Args({8192, 8})
    ->Args({2048, 1})
    ->Args({2048, 32})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(wholePageScaledByPainter)
    ->Name("view/reference_whole_page_then_drawImage")
    ->ArgNames({"page", "zoom"})
    ->Args({2048, 8})
    ->Unit(benchmark::kMillisecond);

}  // namespace
