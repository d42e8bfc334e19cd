// Timing for the benchmarks that compare with a yardstick measured once per
// run: processor time of the calling thread, which other programs on a busy
// machine do not inflate, its best over a few calls, and the time per
// iteration of a benchmark loop.
#pragma once

#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <cstdlib>

namespace zentil::bench {

// A smoke run (ZENTIL_BENCH_SMOKE set, as by the test suite) only shows that
// every benchmark runs: yardsticks take one call, fixed iteration counts one,
// and the largest pages and sets are made small.
inline bool smokeRun() {
    static const bool smoke = std::getenv("ZENTIL_BENCH_SMOKE") != nullptr;
    return smoke;
}

inline benchmark::IterationCount iterations(benchmark::IterationCount count) {
    return smokeRun() ? 1 : count;
}

// A page's side or a count of pages: `full`, or in a smoke run `smoke`, small
// enough for a moment's work on the same code paths.
inline int sized(int full, int smoke) {
    return smokeRun() ? smoke : full;
}

inline double secondsOf(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

inline double cpuSeconds() {
    return secondsOf(CLOCK_THREAD_CPUTIME_ID);
}

// Processor time of every thread of the process, for work that a library
// spreads over threads of its own (libimagequant through OpenMP).
inline double processCpuSeconds() {
    return secondsOf(CLOCK_PROCESS_CPUTIME_ID);
}

using Clock = double (*)();

// Best time in seconds of one call of `run`, over at least three calls and
// about `budgetSeconds` (one call in a smoke run).
template <typename Run>
double bestSeconds(Run run, double budgetSeconds = 0.05, Clock clock = cpuSeconds) {
    if (smokeRun()) budgetSeconds = 0;
    double best = 1e30, spent = 0;
    for (int n = 0; n < (smokeRun() ? 1 : 3) || (spent < budgetSeconds && n < 1000); ++n) {
        const double start = clock();
        run();
        const double s = clock() - start;
        best = std::min(best, s);
        spent += s;
    }
    return best;
}

// Started just before a benchmark loop: the time per iteration afterwards.
class LoopTimer {
  public:
    explicit LoopTimer(Clock clock = cpuSeconds) : clock_(clock), start_(clock()) {}
    double secondsPerIteration(const benchmark::State& state) const {
        return (clock_() - start_) /
               static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    }

  private:
    Clock clock_;
    double start_;
};

}  // namespace zentil::bench
