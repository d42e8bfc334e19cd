// Independent jobs spread over the machine's processors: the pages of a work
// file are compressed and decoded this way.
#pragma once

#include <cstddef>
#include <functional>

namespace zentil {

// The threads worth starting for such jobs: the processors the calling
// thread may run on, at most 8, at least 1.
unsigned jobThreads();

// Runs job(i, thread) for every i below `count` on up to `threads` threads,
// the caller's among them; `thread` (below `threads`) lets a job keep
// buffers of its own. Each thread takes the next i when it is free. Once a
// job fails (returns false or throws) no further job starts. Returns whether
// every job succeeded. When no thread can be started, the caller's does all.
bool runJobs(std::size_t count, unsigned threads,
             const std::function<bool(std::size_t index, unsigned thread)>& job);

}  // namespace zentil
