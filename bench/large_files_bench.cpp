// Large pictures on disk: the memory reading an 8192 x 8192 PNG or run-length
// TGA takes beside its page, and the editor's start with an 8192 x 8192 GPF
// named on its command line until the page shows, beside reading the file
// alone in a process of the same program (zentil_start_probe). The start
// runs are whole processes, timed on the wall clock.
//
// Counters: page_MiB is the page's pixel buffer, peak_MiB how far reading
// took the process's peak resident size, x_page the two's ratio; x_read the
// start's time over reading the file alone.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "formats/gpf_file.h"
#include "formats/png_file.h"
#include "formats/tga_file.h"
#include "memory_watch.h"
#include "sprite_sheet.h"

extern char** environ;

namespace {

using namespace zentil;
namespace fs = std::filesystem;

const int kSide = bench::sized(8192, 1024);

// A run-length TGA of the page (type 9, top row first): repeat packets for
// runs of two or more, raw packets for the rest.
std::vector<std::uint8_t> runLengthTga(const Page& page) {
    std::vector<std::uint8_t> out = {0, 1, 9, 0, 0, 0, 1, 24, 0, 0, 0, 0};
    for (const int size : {page.width, page.height})
        out.insert(out.end(),
                   {static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8)});
    out.insert(out.end(), {8, 0x20});
    for (int i = 0; i < kPaletteEntries; ++i)
        out.insert(out.end(),
                   {page.palette[i * 3 + 2], page.palette[i * 3 + 1], page.palette[i * 3]});
    for (int y = 0; y < page.height; ++y) {
        const std::uint8_t* row = page.pixels8.get() + std::size_t{1} * y * page.stride;
        for (int x = 0; x < page.width;) {
            int run = 1;
            while (x + run < page.width && run < 128 && row[x + run] == row[x])
                ++run;
            if (run > 1) {
                out.insert(out.end(), {static_cast<std::uint8_t>(0x80 | (run - 1)), row[x]});
                x += run;
                continue;
            }
            int raw = 1;
            while (x + raw < page.width && raw < 128 &&
                   !(x + raw + 1 < page.width && row[x + raw] == row[x + raw + 1]))
                ++raw;
            out.push_back(static_cast<std::uint8_t>(raw - 1));
            out.insert(out.end(), row + x, row + x + raw);
            x += raw;
        }
    }
    return out;
}

// The files, written once per run into a folder of their own.
struct LargeFiles {
    fs::path dir;
    std::string png, tga, gpf;
    bool ok = false;

    LargeFiles() {
        dir = fs::temp_directory_path() / ("zentil-large-bench-" + std::to_string(::getpid()));
        fs::create_directories(dir);
        png = (dir / "sheet.png").string();
        tga = (dir / "sheet.tga").string();
        gpf = (dir / "sheet.gpf").string();
        auto page = bench::spriteSheet(kSide);
        if (!page || !writePngFile(png, *page) || !writeSpriteFile(gpf, *page)) return;
        const std::vector<std::uint8_t> bytes = runLengthTga(*page);
        std::FILE* f = std::fopen(tga.c_str(), "wb");
        ok = f && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
        if (f) ok = std::fclose(f) == 0 && ok;
    }
    ~LargeFiles() {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
};

LargeFiles& files() {
    static LargeFiles f;
    return f;
}

void readPeak(benchmark::State& state,
              Outcome (*read)(const std::string&, Page&, const PageDefaults&), bool png) {
    LargeFiles& f = files();
    if (!f.ok) return state.SkipWithError("the files could not be written");
    const std::string& path = png ? f.png : f.tga;
    long peak = 0;
    for (auto _ : state) {
        bool read_ = false;
        peak = test::workPeakGrowthMiB([&] {
            Page page;
            read_ = read(path, page, {}).ok;
        });
        if (!read_) return state.SkipWithError("the file was not read");
        if (peak < 0) return state.SkipWithError("the process's peak cannot be set back");
    }
    const double pageMiB = static_cast<double>(kSide) * kSide / (1 << 20);
    state.counters["page_MiB"] = pageMiB;
    state.counters["peak_MiB"] = static_cast<double>(peak);
    state.counters["x_page"] = static_cast<double>(peak) / pageMiB;
}

BENCHMARK_CAPTURE(readPeak, png, &readPngFile, true)
    ->Name("read/8192x8192_png_file")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(readPeak, tga, &readTgaFile, false)
    ->Name("read/8192x8192_run_length_tga_file")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

#ifdef ZENTIL_START_PROBE

// Runs the probe to its end in the files' folder, where the editor may leave
// its settings, on the offscreen platform; its seconds, or -1 on a failure.
double runProbe(const std::vector<std::string>& args) {
    const std::string probe = ZENTIL_START_PROBE;
    std::vector<std::string> words = {probe};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);
    std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen",
                                    "XDG_CONFIG_HOME=" + files().dir.string()};
    for (char** e = environ; *e; ++e)
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0 &&
            std::strncmp(*e, "XDG_CONFIG_HOME=", 16) != 0)
            env.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, files().dir.c_str());
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned =
        posix_spawn(&pid, probe.c_str(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    if (spawned != 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return -1;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double readAloneSeconds = 0;

void startCase(benchmark::State& state, bool editor) {
    if (!files().ok) return state.SkipWithError("the files could not be written");
    double total = 0;
    for (auto _ : state) {
        const double s = editor ? runProbe({files().gpf}) : runProbe({"--read", files().gpf});
        if (s < 0) return state.SkipWithError("the probe failed");
        state.SetIterationTime(s);
        total += s;
    }
    const double perRun = total / static_cast<double>(state.iterations());
    if (!editor) readAloneSeconds = perRun;
    if (editor && readAloneSeconds > 0) state.counters["x_read"] = perRun / readAloneSeconds;
}

// Reading alone comes first: the start compares with its time.
BENCHMARK_CAPTURE(startCase, read, false)
    ->Name("start/read_8192x8192_gpf_alone")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(startCase, editor, true)
    ->Name("start/editor_until_page_shows_8192x8192_gpf")
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

#endif

}  // namespace
