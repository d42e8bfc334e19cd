// How much memory a piece of work takes: the growth of the process's peak
// resident size, and in sanitizer builds also the largest single allocation
// (C and C++ alike), which catches buffers that are set aside but never
// touched.
#pragma once

#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <fstream>
#include <functional>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define ZENTIL_MEMORY_WATCH_HOOKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZENTIL_MEMORY_WATCH_HOOKS 1
#endif
#endif
#if defined(ZENTIL_MEMORY_WATCH_HOOKS)
// From the sanitizer runtime: calls the hooks on every allocation and free.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*,
                                                                             std::size_t),
                                                         void (*free_hook)(const volatile void*));
#endif

namespace zentil::test {

class MemoryWatch {
  public:
    MemoryWatch() : peakBefore_(peakResidentMiB()) {
#if defined(ZENTIL_MEMORY_WATCH_HOOKS)
        static const bool installed =
            __sanitizer_install_malloc_and_free_hooks(&noteAllocation, &noteFree) != 0;
        (void)installed;
#endif
        largest().store(0);
    }
    long peakGrowthMiB() const {
        return peakResidentMiB() - peakBefore_;
    }
    long largestAllocationMiB() const {
        return static_cast<long>(largest().load() >> 20);
    }

  private:
    static long peakResidentMiB() {
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        return usage.ru_maxrss / 1024;
    }
    static std::atomic<std::size_t>& largest() {
        static std::atomic<std::size_t> size{0};
        return size;
    }
#if defined(ZENTIL_MEMORY_WATCH_HOOKS)
    static void noteAllocation(const volatile void*, std::size_t size) {
        std::size_t seen = largest().load();
        while (size > seen && !largest().compare_exchange_weak(seen, size)) {
        }
    }
    static void noteFree(const volatile void*) {}
#endif

    long peakBefore_;
};

// How far `work` takes the resident size above what the process holds before
// it, in MiB, or -1 when the kernel's peak cannot be set back. The peak is set
// back first, and memory the process freed but kept is handed back, so that
// neither what it took earlier nor what it freed hides what the work takes.
inline long workPeakGrowthMiB(const std::function<void()>& work) {
    ::malloc_trim(0);
    if (!(std::ofstream("/proc/self/clear_refs") << "5" << std::flush)) return -1;
    const auto statusKiB = [](const char* field) {
        std::ifstream status("/proc/self/status");
        std::string word;
        long kib = -1;
        while (status >> word)
            if (word == field) status >> kib;
        return kib;
    };
    const long before = statusKiB("VmRSS:");
    work();
    const long peak = statusKiB("VmHWM:");
    return before < 0 || peak < 0 ? -1 : std::max(0L, peak - before) / 1024;
}

}  // namespace zentil::test
