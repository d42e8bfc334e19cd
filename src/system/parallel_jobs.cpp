#include "system/parallel_jobs.h"

#include <sched.h>

#include <algorithm>
#include <atomic>
#include <exception>
#include <thread>
#include <vector>

namespace zentil {

unsigned jobThreads() {
    // The processors this thread may run on (taskset, a container's CPU
    // set), not all the machine has: more threads than those only take
    // turns on them.
    unsigned processors = std::thread::hardware_concurrency();
#ifdef CPU_COUNT
    cpu_set_t allowed;
    if (sched_getaffinity(0, sizeof allowed, &allowed) == 0)
        processors = static_cast<unsigned>(CPU_COUNT(&allowed));
#endif
    return std::clamp(processors, 1u, 8u);
}

bool runJobs(std::size_t count, unsigned threads,
             const std::function<bool(std::size_t index, unsigned thread)>& job) {
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    const auto work = [&](unsigned thread) {
        for (std::size_t i = next++; i < count && !failed; i = next++) {
            try {
                if (!job(i, thread)) failed = true;
            } catch (const std::exception&) {
                failed = true;
            }
        }
    };
    std::vector<std::thread> helpers;
    const std::size_t wanted = std::min<std::size_t>(std::max(threads, 1u), count);
    for (unsigned n = 1; n < wanted; ++n) {
        try {
            helpers.emplace_back(work, n);
        } catch (const std::exception&) {
            break;  // the threads there are do the work
        }
    }
    work(0);
    for (std::thread& helper : helpers)
        helper.join();
    return !failed;
}

}  // namespace zentil
