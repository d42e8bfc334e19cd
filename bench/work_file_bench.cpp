// A day's workspace, 500 sprite pages of 256 x 256 (tiles of 32 x 32 with
// shapes on the key), saved as one work file and opened again through the
// real code path (files on disk, the safe writer), beside the same pages
// written and read as 500 GPF files. The 24-bit run shows the heaviest pages
// a workspace holds, which no GPF file can.
//
// Counters: file_MB is the size on disk, x_gpf the time over the GPF files',
// x_gpf_kept over the GPF files' with their pages kept.
// Times are wall-clock: the user waits for the whole of it.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "formats/gpf_file.h"
#include "work/work_file.h"

namespace {

using namespace zentil;
namespace fs = std::filesystem;

const int kPages = bench::sized(500, 20);
constexpr int kSide = 256, kTile = 32;

void fillPage(Page& page, std::mt19937& rng) {
    for (int ty = 0; ty < kSide / kTile; ++ty)
        for (int tx = 0; tx < kSide / kTile; ++tx) {
            const int r = 4 + static_cast<int>(rng() % 12);
            const std::uint32_t colour = 1 + rng() % 200;
            for (int y = 0; y < kTile; ++y)
                for (int x = 0; x < kTile; ++x) {
                    const int dx = x - kTile / 2, dy = y - kTile / 2;
                    if (dx * dx + dy * dy > r * r) continue;
                    // Shaded shapes with a little noise, as drawn sprites are.
                    const std::uint32_t shade = colour + (rng() % 8 == 0 ? rng() % 5 : 0);
                    const std::uint32_t value =
                        page.mode == kMode8 ? shade % 256 : shade * 0x010307u & 0xFFFFFFu;
                    putPixel(page, tx * kTile + x, ty * kTile + y, value);
                }
        }
}

Workspace& workspace(int mode) {
    static Workspace pages8, pages24;
    Workspace& ws = mode == kMode8 ? pages8 : pages24;
    if (ws.sprites.empty()) {
        std::mt19937 rng(5);
        for (int i = 0; i < kPages; ++i) {
            auto page = std::make_unique<Page>();
            createPage(*page, kTile, kSide / kTile, kTile, kSide / kTile, mode);
            page->kind = kKindSprite;
            setPageName(*page, "PAGE" + std::to_string(i));
            fillPage(*page, rng);
            ws.sprites.append(std::move(page));
        }
    }
    return ws;
}

std::string scratch() {
    static const std::string dir = [] {
        const fs::path path =
            fs::temp_directory_path() / ("zentil-work-bench-" + std::to_string(::getpid()));
        fs::create_directories(path);
        return path.string();
    }();
    return dir;
}

std::string gpfPath(int i) {
    return scratch() + "/page" + std::to_string(i) + ".gpf";
}

double gpfSaveSeconds = 0, gpfOpenSeconds = 0, gpfKeptSeconds = 0;

double seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void saveGpfFiles(benchmark::State& state) {
    const Workspace& ws = workspace(kMode8);
    std::uintmax_t bytes = 0;
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kPages; ++i)
            if (!writeSpriteFile(gpfPath(i), ws.sprites.at(i))) state.SkipWithError("GPF save");
        total += seconds(start);
    }
    gpfSaveSeconds = total / static_cast<double>(state.iterations());
    for (int i = 0; i < kPages; ++i)
        bytes += fs::file_size(gpfPath(i));
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}

void openGpfFiles(benchmark::State& state) {
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kPages; ++i) {
            Page page;
            if (!readSpriteFile(gpfPath(i), page, {})) state.SkipWithError("GPF read");
        }
        total += seconds(start);
    }
    gpfOpenSeconds = total / static_cast<double>(state.iterations());
}

// The same files with every page kept, as the editor keeps the pages it opens
// and as a work file's pages are kept: the pages' memory is new each time.
void openGpfFilesKept(benchmark::State& state) {
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        std::vector<std::unique_ptr<Page>> pages;
        for (int i = 0; i < kPages; ++i) {
            pages.push_back(std::make_unique<Page>());
            if (!readSpriteFile(gpfPath(i), *pages.back(), {})) state.SkipWithError("GPF read");
        }
        total += seconds(start);
    }
    gpfKeptSeconds = total / static_cast<double>(state.iterations());
}

void saveWork(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    const Workspace& ws = workspace(mode);
    const std::string path = scratch() + "/day" + std::to_string(mode) + ".zws";
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (!saveWorkFile(ws, path)) state.SkipWithError("work file save");
        total += seconds(start);
    }
    state.counters["file_MB"] = static_cast<double>(fs::file_size(path)) / 1e6;
    if (mode == kMode8 && gpfSaveSeconds > 0)
        state.counters["x_gpf"] = total / static_cast<double>(state.iterations()) / gpfSaveSeconds;
}

void openWork(benchmark::State& state) {
    const int mode = static_cast<int>(state.range(0));
    const std::string path = scratch() + "/day" + std::to_string(mode) + ".zws";
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        Workspace ws;
        if (!openWorkFile(path, ws) || ws.sprites.size() != kPages)
            state.SkipWithError("work file open");
        total += seconds(start);
    }
    const double perRun = total / static_cast<double>(state.iterations());
    if (mode == kMode8 && gpfOpenSeconds > 0) state.counters["x_gpf"] = perRun / gpfOpenSeconds;
    if (mode == kMode8 && gpfKeptSeconds > 0)
        state.counters["x_gpf_kept"] = perRun / gpfKeptSeconds;
}

// The GPF runs come first: the work file runs compare with their times.
BENCHMARK(saveGpfFiles)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(openGpfFiles)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(openGpfFilesKept)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(saveWork)->Arg(kMode8)->Arg(kMode24)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(openWork)->Arg(kMode8)->Arg(kMode24)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
