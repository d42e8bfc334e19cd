// The yardstick of the benchmarks: memcpy of a buffer of the given size,
// measured in the same run as the code it is compared with.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <memory>

namespace zentil::bench {

// Copies `bytes` once per iteration; `pixels` is what the copy stands for,
// reported as items so that pixel rates compare directly.
inline void runMemcpy(benchmark::State& state, std::size_t bytes, std::int64_t pixels) {
    std::unique_ptr<std::uint8_t[]> from(new std::uint8_t[bytes]);
    std::unique_ptr<std::uint8_t[]> to(new std::uint8_t[bytes]);
    std::memset(from.get(), 1, bytes);
    std::memset(to.get(), 2, bytes);
    for (auto _ : state) {
        std::memcpy(to.get(), from.get(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * pixels);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}

}  // namespace zentil::bench
