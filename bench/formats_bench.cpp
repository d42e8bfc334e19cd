// File-format speed, all in memory. TGA pictures of 1024 x 1024 are read
// beside a memcpy of their index plane (and beside stb_image when it is
// installed); a 2048 x 2048 sprite sheet is written and read beside the plain
// per-pixel writer and reader that the tests prove identical to the library.
//
// Counters: x_memcpy is the time per read over the memcpy time, vs_stb and
// vs_plain how many times faster the library is than the yardstick. The
// yardstick times are taken once per run, as the best of a few repetitions,
// and compared with the mean time per iteration of the loop.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "bench_timing.h"
#include "formats/gpf_file.h"
#include "formats/tga_file.h"
#include "gpf_reference.h"
#include "image/page.h"
#include "image/palette.h"
#include "sprite_sheet.h"

#ifdef ZENTIL_BENCH_STB
#include <stb/stb_image.h>
#endif

namespace {

using namespace zentil;
using Bytes = std::vector<std::uint8_t>;

using bench::bestSeconds;
using bench::LoopTimer;

// ---- TGA pictures ----------------------------------------------------------

constexpr int kPictureSide = 1024;
constexpr std::size_t kPicturePixels = std::size_t{kPictureSide} * kPictureSide;

// Palette indexes, top row first: a flat background with sprite-like shapes
// in a grid of 64-pixel cells, each a flat body with shaded noise, an outline
// and an occasional patch of pure noise.
Bytes pictureIndexes() {
    std::mt19937 rng(1024);
    Bytes plane(kPicturePixels, 0);
    constexpr int kCell = 64;
    for (int cy = 0; cy < kPictureSide; cy += kCell)
        for (int cx = 0; cx < kPictureSide; cx += kCell) {
            if (rng() % 5 == 0) continue;  // empty cell
            const int rx = 10 + static_cast<int>(rng() % 20),
                      ry = 10 + static_cast<int>(rng() % 20);
            const int mx = cx + kCell / 2, my = cy + kCell / 2;
            const auto body = static_cast<std::uint8_t>(16 + rng() % 200);
            const auto edge = static_cast<std::uint8_t>(body + 1);
            const bool noisy = rng() % 4 == 0;
            for (int y = cy; y < cy + kCell; ++y)
                for (int x = cx; x < cx + kCell; ++x) {
                    const double dx = double(x - mx) / rx, dy = double(y - my) / ry;
                    const double d = dx * dx + dy * dy;
                    if (d > 1.0) continue;
                    std::uint8_t& p = plane[std::size_t{kPictureSide} * y + x];
                    if (d > 0.8)
                        p = edge;
                    else if (noisy)
                        p = static_cast<std::uint8_t>(rng());
                    else
                        p = static_cast<std::uint8_t>(body + (rng() % 3 == 0 ? rng() % 4 : 0));
                }
        }
    return plane;
}

// The 18-byte header (a 256-entry colour map of 24-bit entries, 8-bit pixels,
// bottom row first) and the colour map.
Bytes tgaHeaderAndMap(int imageType) {
    Bytes b(18, 0);
    b[1] = 1;  // colour map present
    b[2] = static_cast<std::uint8_t>(imageType);
    b[6] = 1;  // 256 entries
    b[7] = 24;
    b[12] = b[14] = kPictureSide & 0xFF;
    b[13] = b[15] = kPictureSide >> 8;
    b[16] = 8;
    for (int i = 0; i < kPaletteEntries; ++i) {
        b.push_back(static_cast<std::uint8_t>(i));
        b.push_back(static_cast<std::uint8_t>(255 - i));
        b.push_back(static_cast<std::uint8_t>(i * 7));
    }
    return b;
}

// An image type 1 file: the rows as they are, bottom row first.
Bytes tgaColorMapped(const Bytes& plane) {
    Bytes b = tgaHeaderAndMap(1);
    for (int y = kPictureSide - 1; y >= 0; --y) {
        const auto row = plane.begin() + std::ptrdiff_t{kPictureSide} * y;
        b.insert(b.end(), row, row + kPictureSide);
    }
    return b;
}

// An image type 9 file: every row, bottom row first, as packets of at most 128
// pixels; repeat packets for two or more equal pixels, raw packets otherwise.
Bytes tgaRunLength(const Bytes& plane) {
    Bytes b = tgaHeaderAndMap(9);
    for (int y = kPictureSide - 1; y >= 0; --y) {
        const std::uint8_t* row = plane.data() + std::size_t{kPictureSide} * y;
        int x = 0;
        while (x < kPictureSide) {
            auto runAt = [&](int i) {
                int n = 1;
                while (i + n < kPictureSide && n < 128 && row[i + n] == row[i])
                    ++n;
                return n;
            };
            const int run = runAt(x);
            if (run >= 2) {
                b.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
                b.push_back(row[x]);
                x += run;
                continue;
            }
            int n = 1;
            while (x + n < kPictureSide && n < 128 && runAt(x + n) < 2)
                ++n;
            b.push_back(static_cast<std::uint8_t>(n - 1));
            b.insert(b.end(), row + x, row + x + n);
            x += n;
        }
    }
    return b;
}

struct Pictures {
    Bytes plane, type1, type9;
    double memcpySeconds = 0;
    double stbType1Seconds = 0, stbType9Seconds = 0;
    bool readable = false;
};

#ifdef ZENTIL_BENCH_STB
bool stbDecode(const Bytes& file) {
    int w = 0, h = 0, channels = 0;
    stbi_uc* pixels =
        stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &w, &h, &channels, 0);
    benchmark::DoNotOptimize(pixels);
    stbi_image_free(pixels);
    return pixels != nullptr && w == kPictureSide && h == kPictureSide;
}
#endif

// Both files decode to the plane they were made of.
bool picturesReadable(const Pictures& p) {
    for (const Bytes* file : {&p.type1, &p.type9}) {
        Page page;
        if (!decodeTga(*file, page, {}) || page.width != kPictureSide) return false;
        for (int y = 0; y < kPictureSide; ++y)
            if (std::memcmp(page.pixels8.get() + std::size_t{kPictureSide} * y,
                            p.plane.data() + std::size_t{kPictureSide} * y, kPictureSide) != 0)
                return false;
    }
    return true;
}

const Pictures& pictures() {
    static const Pictures p = [] {
        Pictures p;
        p.plane = pictureIndexes();
        p.type1 = tgaColorMapped(p.plane);
        p.type9 = tgaRunLength(p.plane);
        p.readable = picturesReadable(p);
        Bytes to(kPicturePixels);
        p.memcpySeconds = bestSeconds([&] {
            std::memcpy(to.data(), p.plane.data(), kPicturePixels);
            benchmark::ClobberMemory();
        });
#ifdef ZENTIL_BENCH_STB
        p.stbType1Seconds = bestSeconds([&] { stbDecode(p.type1); });
        p.stbType9Seconds = bestSeconds([&] { stbDecode(p.type9); });
#endif
        return p;
    }();
    return p;
}

void tgaMemcpy(benchmark::State& state) {
    const Bytes& from = pictures().plane;
    Bytes to(kPicturePixels);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), kPicturePixels);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t{kPicturePixels});
}

void tgaRead(benchmark::State& state, int imageType) {
    const Pictures& p = pictures();
    if (!p.readable) {
        state.SkipWithError("the pictures do not read back as drawn");
        return;
    }
    const Bytes& file = imageType == 1 ? p.type1 : p.type9;
    Page page;
    const LoopTimer timer;
    for (auto _ : state) {
        if (!decodeTga(file, page, {})) {
            state.SkipWithError("decodeTga refused the picture");
            break;
        }
        benchmark::DoNotOptimize(page.pixels8.get());
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t{kPicturePixels});
    state.counters["file_kB"] = static_cast<double>(file.size()) / 1000.0;
    const double seconds = timer.secondsPerIteration(state);
    state.counters["x_memcpy"] = seconds / p.memcpySeconds;
#ifdef ZENTIL_BENCH_STB
    state.counters["vs_stb"] = (imageType == 1 ? p.stbType1Seconds : p.stbType9Seconds) / seconds;
#endif
}

#ifdef ZENTIL_BENCH_STB
void tgaReadStb(benchmark::State& state, int imageType) {
    const Bytes& file = imageType == 1 ? pictures().type1 : pictures().type9;
    for (auto _ : state) {
        if (!stbDecode(file)) {
            state.SkipWithError("stb_image refused the picture");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t{kPicturePixels});
}
#endif

BENCHMARK(tgaMemcpy)->Name("tga/memcpy_index_plane")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(tgaRead, type1, 1)->Name("tga/type1/decodeTga")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(tgaRead, type9, 9)->Name("tga/type9/decodeTga")->Unit(benchmark::kMicrosecond);
#ifdef ZENTIL_BENCH_STB
BENCHMARK_CAPTURE(tgaReadStb, type1, 1)->Name("tga/type1/stb_image")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(tgaReadStb, type9, 9)->Name("tga/type9/stb_image")->Unit(benchmark::kMicrosecond);
#endif

// ---- GPF sprite sheets -----------------------------------------------------

using bench::kSheetKey;
using bench::kSheetPixels;
using bench::kSheetSide;
using bench::spriteSheet;

struct Sheet {
    std::unique_ptr<Page> page;
    Bytes file;
    double opaqueShare = 0;
    double plainWriteSeconds = 0, plainReadSeconds = 0;
    const char* problem = nullptr;
};

bool samePixels(const Page& a, const Page& b) {
    return a.stride == b.stride && a.height == b.height && a.colorKey8 == b.colorKey8 &&
           a.palette == b.palette &&
           std::memcmp(a.pixels8.get(), b.pixels8.get(), pixelBufferBytes(a)) == 0;
}

const Sheet& sheet() {
    static const Sheet s = [] {
        Sheet s;
        s.page = spriteSheet();
        if (!s.page) {
            s.problem = "the sheet could not be created";
            return s;
        }
        std::size_t opaque = 0;
        for (std::size_t i = 0; i < kSheetPixels; ++i)
            opaque += s.page->pixels8[i] != kSheetKey;
        s.opaqueShare = static_cast<double>(opaque) / kSheetPixels;
        // The comparison is only fair when both sides do the same work.
        Bytes plainFile;
        test::referenceEncodeSpriteFile(*s.page, plainFile);
        if (!encodeSpriteFile(*s.page, s.file) || s.file != plainFile) {
            s.problem = "the library and the plain writer give different files";
            return s;
        }
        Page read, plainRead;
        if (!decodeSpriteFile(s.file, read, {}) ||
            !test::referenceDecodeSpriteFile(s.file, plainRead) || !samePixels(read, plainRead) ||
            !samePixels(read, *s.page)) {
            s.problem = "the library and the plain reader give different pages";
            return s;
        }
        s.plainWriteSeconds = bestSeconds([&] {
            Bytes out;
            test::referenceEncodeSpriteFile(*s.page, out);
            benchmark::DoNotOptimize(out.data());
        });
        s.plainReadSeconds = bestSeconds([&] {
            Page page;
            test::referenceDecodeSpriteFile(s.file, page);
            benchmark::DoNotOptimize(page.pixels8.get());
        });
        return s;
    }();
    return s;
}

void sheetCounters(benchmark::State& state, double seconds, double plainSeconds) {
    const Sheet& s = sheet();
    state.SetItemsProcessed(state.iterations() * std::int64_t{kSheetPixels});
    state.counters["file_kB"] = static_cast<double>(s.file.size()) / 1000.0;
    state.counters["opaque_%"] = 100.0 * s.opaqueShare;
    if (plainSeconds > 0) state.counters["vs_plain"] = plainSeconds / seconds;
}

// Every iteration starts from an empty byte vector, as a save does.
void gpfWrite(benchmark::State& state, bool plain) {
    const Sheet& s = sheet();
    if (s.problem) {
        state.SkipWithError(s.problem);
        return;
    }
    const LoopTimer timer;
    for (auto _ : state) {
        Bytes out;
        if (plain)
            test::referenceEncodeSpriteFile(*s.page, out);
        else
            encodeSpriteFile(*s.page, out);
        benchmark::DoNotOptimize(out.data());
    }
    sheetCounters(state, timer.secondsPerIteration(state), plain ? 0 : s.plainWriteSeconds);
}

void gpfRead(benchmark::State& state, bool plain) {
    const Sheet& s = sheet();
    if (s.problem) {
        state.SkipWithError(s.problem);
        return;
    }
    Page page;
    const LoopTimer timer;
    for (auto _ : state) {
        const bool read = plain ? test::referenceDecodeSpriteFile(s.file, page)
                                : decodeSpriteFile(s.file, page, {}).ok;
        if (!read) {
            state.SkipWithError("the sheet was refused");
            break;
        }
        benchmark::DoNotOptimize(page.pixels8.get());
    }
    sheetCounters(state, timer.secondsPerIteration(state), plain ? 0 : s.plainReadSeconds);
}

BENCHMARK_CAPTURE(gpfWrite, library, false)
    ->Name("gpf/write/encodeSpriteFile")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(gpfWrite, plain, true)->Name("gpf/write/plain")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(gpfRead, library, false)
    ->Name("gpf/read/decodeSpriteFile")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(gpfRead, plain, true)->Name("gpf/read/plain")->Unit(benchmark::kMillisecond);

}  // namespace
