// Timing for the benchmarks that compare with a yardstick measured once per
// run: processor time of the calling thread, which other programs on a busy
// machine do not inflate, its best over a few calls, and the time per
// iteration of a benchmark loop.
#pragma once

#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>

namespace zentil::bench {

inline double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Best time in seconds of one call of `run`, over at least three calls and
// about `budgetSeconds`.
template <typename Run>
double bestSeconds(Run run, double budgetSeconds = 0.05) {
    double best = 1e30, spent = 0;
    for (int n = 0; n < 3 || (spent < budgetSeconds && n < 1000); ++n) {
        const double start = cpuSeconds();
        run();
        const double s = cpuSeconds() - start;
        best = std::min(best, s);
        spent += s;
    }
    return best;
}

// Started just before a benchmark loop: the time per iteration afterwards.
class LoopTimer {
  public:
    double secondsPerIteration(const benchmark::State& state) const {
        return (cpuSeconds() - start_) /
               static_cast<double>(std::max<benchmark::IterationCount>(state.iterations(), 1));
    }

  private:
    double start_ = cpuSeconds();
};

}  // namespace zentil::bench
