// PNG speed, all in memory. A 1024 x 1024 8-bit palette picture is read into
// an IndexedPicture beside libspng's own decode of the same file into a plain
// buffer (and beside stb_image when it is installed); it is written at the
// level the editor uses beside libspng's default settings; a 2048 x 2048
// sprite sheet is written at every zlib level, which is what the editor's
// level was chosen from.
//
// Counters: x_spng is the time per read over libspng's plain decode, vs_stb
// how many times faster the reader is than stb_image, file_kB the size of the
// file written. The yardstick times are taken once per run, as the best of a
// few repetitions, and compared with the mean time per iteration of the loop.
#include <benchmark/benchmark.h>
#include <spng.h>

#include <algorithm>
#include <random>
#include <vector>

#include "bench_timing.h"
#include "formats/png_codec.h"
#include "formats/png_file.h"
#include "image/page.h"

#ifdef ZENTIL_BENCH_STB
#include <stb/stb_image.h>
#endif

namespace {

using namespace zentil;
using Bytes = std::vector<std::uint8_t>;

using bench::bestSeconds;
using bench::LoopTimer;

// A sheet of side x side palette indexes, top row first: key 0 around
// sprite-like shapes in tiles of 32, each a shaded body with an outline,
// every fourth one noisy, one tile in eight empty.
IndexedPicture spriteSheet(int side) {
    IndexedPicture picture;
    picture.width = picture.height = side;
    picture.indexes.assign(std::size_t(side) * side, 0);
    picture.transparentIndex = 0;
    std::mt19937 rng(static_cast<unsigned>(side));
    for (std::uint8_t& v : picture.palette)
        v = static_cast<std::uint8_t>(rng());
    constexpr int kTile = 32;
    for (int ty = 0; ty < side; ty += kTile)
        for (int tx = 0; tx < side; tx += kTile) {
            if (rng() % 8 == 0) continue;
            const double rx = 6 + rng() % 9, ry = 6 + rng() % 9;
            const double mx = tx + kTile / 2, my = ty + kTile / 2;
            const auto body = static_cast<std::uint8_t>(16 + rng() % 200);
            const bool noisy = rng() % 4 == 0;
            for (int y = ty; y < ty + kTile; ++y)
                for (int x = tx; x < tx + kTile; ++x) {
                    const double dx = (x - mx) / rx, dy = (y - my) / ry;
                    const double d = dx * dx + dy * dy;
                    if (d > 1.0) continue;
                    std::uint8_t& p = picture.indexes[std::size_t(side) * y + x];
                    if (d > 0.75)
                        p = static_cast<std::uint8_t>(body + 1);
                    else if (noisy)
                        p = static_cast<std::uint8_t>(rng());
                    else
                        p = static_cast<std::uint8_t>(body + (rng() % 3 == 0 ? rng() % 4 : 0));
                }
        }
    return picture;
}

// libspng's own decode of the file into a plain buffer of the PNG's samples,
// with the reader's settings (no Adler-32 check).
bool spngDecode(const Bytes& file, Bytes& out) {
    spng_ctx* ctx = spng_ctx_new(SPNG_CTX_IGNORE_ADLER32);
    if (!ctx) return false;
    std::size_t size = 0;
    const bool ok = spng_set_png_buffer(ctx, file.data(), file.size()) == 0 &&
                    spng_decoded_image_size(ctx, SPNG_FMT_PNG, &size) == 0 && size <= out.size() &&
                    spng_decode_image(ctx, out.data(), size, SPNG_FMT_PNG, 0) == 0;
    spng_ctx_free(ctx);
    return ok;
}

// libspng with nothing set but the picture: its default level and filters.
bool spngEncodeDefault(const IndexedPicture& picture, Bytes& file) {
    spng_ctx* ctx = spng_ctx_new(SPNG_CTX_ENCODER);
    if (!ctx) return false;
    spng_ihdr ihdr{};
    ihdr.width = static_cast<std::uint32_t>(picture.width);
    ihdr.height = static_cast<std::uint32_t>(picture.height);
    ihdr.bit_depth = 8;
    ihdr.color_type = SPNG_COLOR_TYPE_INDEXED;
    spng_plte plte{};
    plte.n_entries = kPaletteEntries;
    for (int n = 0; n < kPaletteEntries; ++n) {
        plte.entries[n].red = picture.palette[n * 3];
        plte.entries[n].green = picture.palette[n * 3 + 1];
        plte.entries[n].blue = picture.palette[n * 3 + 2];
    }
    bool ok = spng_set_option(ctx, SPNG_ENCODE_TO_BUFFER, 1) == 0 &&
              spng_set_ihdr(ctx, &ihdr) == 0 && spng_set_plte(ctx, &plte) == 0 &&
              spng_encode_image(ctx, picture.indexes.data(), picture.indexes.size(), SPNG_FMT_PNG,
                                SPNG_ENCODE_FINALIZE) == 0;
    if (ok) {
        std::size_t size = 0;
        int error = 0;
        auto* buffer = static_cast<std::uint8_t*>(spng_get_png_buffer(ctx, &size, &error));
        ok = buffer != nullptr && error == 0;
        if (ok) file.assign(buffer, buffer + size);
        free(buffer);
    }
    spng_ctx_free(ctx);
    return ok;
}

#ifdef ZENTIL_BENCH_STB
bool stbDecode(const Bytes& file) {
    int w = 0, h = 0, channels = 0;
    stbi_uc* pixels =
        stbi_load_from_memory(file.data(), static_cast<int>(file.size()), &w, &h, &channels, 0);
    benchmark::DoNotOptimize(pixels);
    stbi_image_free(pixels);
    return pixels != nullptr;
}
#endif

constexpr int kPictureSide = 1024;
constexpr std::int64_t kPicturePixels = std::int64_t{kPictureSide} * kPictureSide;

struct Picture {
    IndexedPicture picture;
    Bytes file;
    double spngSeconds = 0, stbSeconds = 0;
    const char* problem = nullptr;
};

const Picture& picture() {
    static const Picture p = [] {
        Picture p;
        p.picture = spriteSheet(kPictureSide);
        IndexedPicture back;
        if (!encodePng(p.picture, p.file) || !decodePng(p.file, back, kMaxPixelBufferBytes) ||
            back.indexes != p.picture.indexes) {
            p.problem = "the picture does not come back as written";
            return p;
        }
        Bytes plain(kPicturePixels);
        if (!spngDecode(p.file, plain) || plain != p.picture.indexes) {
            p.problem = "libspng reads the picture differently";
            return p;
        }
        p.spngSeconds = bestSeconds([&] { spngDecode(p.file, plain); });
#ifdef ZENTIL_BENCH_STB
        p.stbSeconds = bestSeconds([&] { stbDecode(p.file); });
#endif
        return p;
    }();
    return p;
}

void pngDecode(benchmark::State& state) {
    const Picture& p = picture();
    if (p.problem) {
        state.SkipWithError(p.problem);
        return;
    }
    IndexedPicture out;
    const LoopTimer timer;
    for (auto _ : state) {
        if (!decodePng(p.file, out, kMaxPixelBufferBytes)) {
            state.SkipWithError("decodePng refused the picture");
            break;
        }
        benchmark::DoNotOptimize(out.indexes.data());
    }
    state.SetItemsProcessed(state.iterations() * kPicturePixels);
    state.counters["file_kB"] = static_cast<double>(p.file.size()) / 1000.0;
    const double seconds = timer.secondsPerIteration(state);
    state.counters["x_spng"] = seconds / p.spngSeconds;
#ifdef ZENTIL_BENCH_STB
    state.counters["vs_stb"] = p.stbSeconds / seconds;
#endif
}

// The same file read into a page, as loading it does: the page layout on top
// of the decode.
void pngDecodePage(benchmark::State& state) {
    const Picture& p = picture();
    if (p.problem) {
        state.SkipWithError(p.problem);
        return;
    }
    Page page;
    const LoopTimer timer;
    for (auto _ : state) {
        if (!decodePngPage(p.file, page, {})) {
            state.SkipWithError("decodePngPage refused the picture");
            break;
        }
        benchmark::DoNotOptimize(page.pixels8.get());
    }
    state.SetItemsProcessed(state.iterations() * kPicturePixels);
    state.counters["x_spng"] = timer.secondsPerIteration(state) / p.spngSeconds;
}

void pngDecodeSpng(benchmark::State& state) {
    const Picture& p = picture();
    Bytes out(kPicturePixels);
    for (auto _ : state) {
        if (!spngDecode(p.file, out)) {
            state.SkipWithError("libspng refused the picture");
            break;
        }
        benchmark::DoNotOptimize(out.data());
    }
    state.SetItemsProcessed(state.iterations() * kPicturePixels);
}

#ifdef ZENTIL_BENCH_STB
void pngDecodeStb(benchmark::State& state) {
    const Picture& p = picture();
    for (auto _ : state) {
        if (!stbDecode(p.file)) {
            state.SkipWithError("stb_image refused the picture");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations() * kPicturePixels);
}
#endif

BENCHMARK(pngDecode)->Name("png/decode/decodePng")->Unit(benchmark::kMicrosecond);
BENCHMARK(pngDecodePage)->Name("png/decode/into_page")->Unit(benchmark::kMicrosecond);
BENCHMARK(pngDecodeSpng)->Name("png/decode/spng_plain")->Unit(benchmark::kMicrosecond);
#ifdef ZENTIL_BENCH_STB
BENCHMARK(pngDecodeStb)->Name("png/decode/stb_image")->Unit(benchmark::kMicrosecond);
#endif

// Writing the 1024 x 1024 picture: argument 0 is encodePng at the editor's
// level, 1 libspng's default settings.
void pngEncode(benchmark::State& state) {
    const IndexedPicture& in = picture().picture;
    Bytes file;
    for (auto _ : state) {
        file.clear();
        const bool ok = state.range(0) == 0 ? static_cast<bool>(encodePng(in, file))
                                            : spngEncodeDefault(in, file);
        if (!ok) {
            state.SkipWithError("the picture could not be written");
            break;
        }
        benchmark::DoNotOptimize(file.data());
    }
    state.SetItemsProcessed(state.iterations() * kPicturePixels);
    state.counters["file_kB"] = static_cast<double>(file.size()) / 1000.0;
}
BENCHMARK(pngEncode)
    ->Name("png/encode/1024")
    ->ArgName("spng_default")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

// The 2048 x 2048 sheet at zlib level state.range(0).
void pngEncodeSheet(benchmark::State& state) {
    static const IndexedPicture sheet = spriteSheet(2048);
    Bytes file;
    for (auto _ : state) {
        file.clear();
        if (!encodePng(sheet, file, static_cast<int>(state.range(0)))) {
            state.SkipWithError("the sheet could not be written");
            break;
        }
        benchmark::DoNotOptimize(file.data());
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t{2048} * 2048);
    state.counters["file_kB"] = static_cast<double>(file.size()) / 1000.0;
    state.counters["editor_level"] = state.range(0) == kPngCompressionLevel;
}
BENCHMARK(pngEncodeSheet)
    ->Name("png/encode/2048")
    ->ArgName("level")
    ->DenseRange(0, 9)
    ->Unit(benchmark::kMillisecond);

}  // namespace
