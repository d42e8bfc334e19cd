// True-colour BMP and TGA reads of a 4096 x 4096 picture, all in memory,
// beside memcpy of the picture's RGBA bytes (what each read gives) in the
// same run. The files come from the tests' picture writers.
//
// A read gives its picture in memory had afresh, and the first touch of each
// page of it costs the system more than the copy itself (on a loaded
// virtual machine, 30 ms for 64 MB against 7 ms for a memcpy into memory
// already touched). So the yardstick copies into memory had afresh as well,
// and the copy into memory already touched is shown beside it.
//
// The readers' own work, the stored pixels turned into red, green, blue and
// alpha, is also timed alone, into memory already touched.
//
// Counters: x_memcpy is the time per read over the time of the memcpy into
// fresh memory, x_memcpy_warm over the memcpy into memory already touched,
// file_MB the size of the file read. The memcpy times are taken once per
// run, as the best of a few repetitions, and compared with the mean time per
// iteration of the loop.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "bench_timing.h"
#include "formats/bmp_picture.h"
#include "formats/tga_picture.h"
#include "image/page.h"
#include "memcpy_reference.h"
#include "picture_files.h"

namespace {

using namespace zentil;
using Bytes = std::vector<std::uint8_t>;

enum class Kind { Bmp24, Tga24, Tga32, Tga32Runs };

struct Pictures {
    int side = 0;
    Bytes bmp24, tga24, tga32, tga32Runs;
    Bytes rgba;  // what every file holds
    double memcpySeconds = 0, warmMemcpySeconds = 0;
    bool readable = false;
};

// 0xAARRGGBB of pixel (x, y): flat cells of a colour with shaded edges and
// varied alpha, so that run-length packets see runs and single pixels.
std::uint32_t colourAt(int x, int y) {
    const std::uint32_t cell = static_cast<std::uint32_t>((x / 48) * 131 + (y / 48) * 71);
    const bool edge = x % 48 < 3 || y % 48 < 3;
    const std::uint32_t rgb = edge ? (x * 2654435761u ^ y * 40503u) & 0xFFFFFF : cell * 0x9E3779u;
    const std::uint32_t alpha = edge ? 0x80 : (cell % 3 == 0 ? 0 : 0xFF);
    return (alpha << 24) | (rgb & 0xFFFFFF);
}

bool readFile(const Bytes& file, Kind kind, DecodedPicture& picture) {
    return kind == Kind::Bmp24 ? decodeBmp(file, picture, kMaxPixelBufferBytes).ok
                               : decodeTgaPicture(file, picture, kMaxPixelBufferBytes, {}).ok;
}

bool readsAs(const Bytes& file, Kind kind, const Bytes& rgba) {
    DecodedPicture picture;
    if (!readFile(file, kind, picture) || !std::holds_alternative<RgbaPicture>(picture))
        return false;
    const Bytes& got = std::get<RgbaPicture>(picture).rgba;
    if (got.size() != rgba.size()) return false;
    // 24-bit files hold no alpha.
    for (std::size_t n = 0; n < got.size(); ++n)
        if (got[n] !=
            ((n % 4 == 3 && kind != Kind::Tga32 && kind != Kind::Tga32Runs) ? 255 : rgba[n]))
            return false;
    return true;
}

// A copy of `bytes` into memory had for it.
void freshCopy(const Bytes& bytes) {
    std::unique_ptr<std::uint8_t[]> to(new std::uint8_t[bytes.size()]);
    std::memcpy(to.get(), bytes.data(), bytes.size());
    benchmark::DoNotOptimize(to.get());
    benchmark::ClobberMemory();
}

const Pictures& pictures() {
    static const Pictures p = [] {
        Pictures p;
        p.side = bench::sized(4096, 64);
        const int side = p.side;
        std::vector<std::uint32_t> argb, rgb;
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                const std::uint32_t c = colourAt(x, y);
                argb.push_back(c);
                rgb.push_back(c & 0xFFFFFF);
                p.rgba.insert(
                    p.rgba.end(),
                    {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8),
                     static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 24)});
            }
        test::BmpLayout bmp;
        bmp.width = bmp.height = side;
        bmp.bits = 24;
        bmp.pixels = rgb;
        p.bmp24 = test::bmpFile(bmp);
        test::TgaLayout tga{2, 24, 0, side, side, {}, 0, rgb};
        p.tga24 = test::tgaFile(tga);
        tga = {2, 32, 8, side, side, {}, 0, argb};
        p.tga32 = test::tgaFile(tga);
        tga.type = 10;
        p.tga32Runs = test::tgaFile(tga);
        p.readable =
            readsAs(p.bmp24, Kind::Bmp24, p.rgba) && readsAs(p.tga24, Kind::Tga24, p.rgba) &&
            readsAs(p.tga32, Kind::Tga32, p.rgba) && readsAs(p.tga32Runs, Kind::Tga32Runs, p.rgba);
        Bytes to(p.rgba.size());
        p.warmMemcpySeconds = bench::bestSeconds([&] {
            std::memcpy(to.data(), p.rgba.data(), p.rgba.size());
            benchmark::ClobberMemory();
        });
        p.memcpySeconds = bench::bestSeconds([&] { freshCopy(p.rgba); });
        return p;
    }();
    return p;
}

void memcpyPicture(benchmark::State& state) {
    const Pictures& p = pictures();
    bench::runMemcpy(state, p.rgba.size(), std::int64_t{p.side} * p.side);
}

void memcpyFresh(benchmark::State& state) {
    const Pictures& p = pictures();
    for (auto _ : state)
        freshCopy(p.rgba);
    state.SetItemsProcessed(state.iterations() * std::int64_t{p.side} * p.side);
}

void readPicture(benchmark::State& state, Kind kind) {
    const Pictures& p = pictures();
    if (!p.readable) return state.SkipWithError("the files do not read back as written");
    const Bytes& file = kind == Kind::Bmp24   ? p.bmp24
                        : kind == Kind::Tga24 ? p.tga24
                        : kind == Kind::Tga32 ? p.tga32
                                              : p.tga32Runs;
    const bench::LoopTimer timer;
    for (auto _ : state) {
        DecodedPicture picture;
        if (!readFile(file, kind, picture))
            return state.SkipWithError("the reader refused the file");
        benchmark::DoNotOptimize(std::get<RgbaPicture>(picture).rgba.data());
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t{p.side} * p.side);
    state.counters["file_MB"] = static_cast<double>(file.size()) / 1e6;
    const double seconds = timer.secondsPerIteration(state);
    state.counters["x_memcpy"] = seconds / p.memcpySeconds;
    state.counters["x_memcpy_warm"] = seconds / p.warmMemcpySeconds;
}

// The pixels of a whole 24- or 32-bit file turned into red, green, blue and
// alpha, row by row into memory already touched.
void convertPixels(benchmark::State& state, int bytes) {
    const Pictures& p = pictures();
    const Bytes& file = bytes == 3 ? p.tga24 : p.tga32;
    const std::size_t w = static_cast<std::size_t>(p.side), rowBytes = w * bytes;
    Bytes to(p.rgba.size());
    const bench::LoopTimer timer;
    for (auto _ : state) {
        for (std::size_t y = 0; y < w; ++y) {
            const std::uint8_t* row = file.data() + 18 + y * rowBytes;
            if (bytes == 3)
                bgrToRgba(row, to.data() + y * w * 4, w);
            else
                bgraToRgba(row, to.data() + y * w * 4, w);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t{p.side} * p.side);
    state.counters["x_memcpy_warm"] = timer.secondsPerIteration(state) / p.warmMemcpySeconds;
}

BENCHMARK(memcpyPicture)->Name("picture_read/memcpy_rgba_warm")->Unit(benchmark::kMillisecond);
BENCHMARK(memcpyFresh)->Name("picture_read/memcpy_rgba_fresh")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readPicture, bmp24, Kind::Bmp24)
    ->Name("picture_read/bmp24")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readPicture, tga24, Kind::Tga24)
    ->Name("picture_read/tga24")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readPicture, tga32, Kind::Tga32)
    ->Name("picture_read/tga32")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readPicture, tga32_runs, Kind::Tga32Runs)
    ->Name("picture_read/tga32_run_length")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(convertPixels, bgr, 3)
    ->Name("picture_read/convert_24bit_warm")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(convertPixels, bgra, 4)
    ->Name("picture_read/convert_32bit_warm")
    ->Unit(benchmark::kMillisecond);

}  // namespace
