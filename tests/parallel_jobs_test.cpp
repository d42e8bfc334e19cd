#include <gtest/gtest.h>

#include "one_processor.h"
#include "system/parallel_jobs.h"

namespace zentil::test {

// A thread held to one processor (taskset -c 0) starts no helpers: they
// would only take turns with it.
TEST(ParallelJobs, threadsFollowTheProcessorsAllowed) {
    OneProcessor one;
    ASSERT_TRUE(one.held());
    EXPECT_EQ(jobThreads(), 1u);
}

}  // namespace zentil::test
