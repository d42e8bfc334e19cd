// Page rendering speed on 2048 x 2048 pages at 1x, through the scaling under
// every page picture (renderPageFitted): 8-bit pages beside Qt's own
// conversion of an indexed image with the same pixels and colours, 16-bit and
// 24-bit pages beside a memcpy of the same image bytes, and every mode beside
// the classic 1x renderer the tests keep, in the same run.
#include <QImage>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>

#include "image/page.h"
#include "memcpy_reference.h"
#include "render/classic_drawing.h"
#include "render/page_render.h"

namespace {

using namespace zentil;

constexpr int kSide = 2048;

std::unique_ptr<Page> makePage(int mode) {
    auto page = std::make_unique<Page>();
    if (!createSinglePage(*page, kSide, kSide, mode)) return nullptr;
    std::mt19937 rng(7);
    Palette palette{};
    for (auto& b : palette)
        b = static_cast<std::uint8_t>(rng());
    setPagePalette(*page, palette);
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            putPixel(*page, x, y, rng() & (mode == kMode16 ? 0x7FFF : 0xFFFFFF));
    return page;
}

using Renderer = void (*)(QImage&, const Page&, int, int, int, int);

void renderCase(benchmark::State& state, int mode, Renderer render) {
    auto page = makePage(mode);
    if (!page) {
        state.SkipWithError("page could not be created");
        return;
    }
    QImage image(kSide, kSide, renderFormatFor(mode));
    for (auto _ : state) {
        render(image, *page, 0, 0, kSide, kSide);
        benchmark::DoNotOptimize(image.constBits());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t{kSide} * kSide);
    state.SetBytesProcessed(state.iterations() * image.sizeInBytes());
}

// The same 8-bit pixels and palette as an indexed QImage, converted by Qt.
void qtIndexedToRgb888(benchmark::State& state) {
    auto page = makePage(kMode8);
    if (!page) {
        state.SkipWithError("page could not be created");
        return;
    }
    QImage indexed(kSide, kSide, QImage::Format_Indexed8);
    QList<QRgb> colors(kPaletteEntries);
    for (int i = 0; i < kPaletteEntries; ++i)
        colors[i] = qRgb(page->palette[i * 3], page->palette[i * 3 + 1], page->palette[i * 3 + 2]);
    indexed.setColorTable(colors);
    for (int y = 0; y < kSide; ++y)
        std::memcpy(indexed.scanLine(y), &page->pixels8[std::size_t{kSide} * y], kSide);
    for (auto _ : state) {
        QImage converted = indexed.convertToFormat(QImage::Format_RGB888);
        benchmark::DoNotOptimize(converted.constBits());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t{kSide} * kSide);
    state.SetBytesProcessed(state.iterations() * std::int64_t{kSide} * kSide * 3);
}

// memcpy of an image's worth of rows (bytes per pixel in range(0)).
void memcpyReference(benchmark::State& state) {
    const std::int64_t pixels = std::int64_t{kSide} * kSide;
    bench::runMemcpy(state, static_cast<std::size_t>(pixels * state.range(0)), pixels);
}

BENCHMARK_CAPTURE(renderCase, page8, kMode8, &renderPageFitted)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(renderCase, classic_page8, kMode8, &test::renderPage)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(qtIndexedToRgb888)->Name("qt_convert/indexed8_to_rgb888")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(renderCase, page16, kMode16, &renderPageFitted)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(renderCase, classic_page16, kMode16, &test::renderPage)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(renderCase, page24, kMode24, &renderPageFitted)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(renderCase, classic_page24, kMode24, &test::renderPage)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(memcpyReference)
    ->Name("memcpy/render_bytes_per_pixel")
    ->Arg(2)
    ->Arg(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
