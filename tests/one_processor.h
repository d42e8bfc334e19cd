// Holds the calling thread to the processor it is running on while it lives:
// the work spread over the processors then stays on this thread alone, as on
// a machine with one processor.
#pragma once

#include <sched.h>

namespace zentil::test {

class OneProcessor {
  public:
    OneProcessor() {
        if (sched_getaffinity(0, sizeof before_, &before_) != 0) return;
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(sched_getcpu(), &one);
        held_ = sched_setaffinity(0, sizeof one, &one) == 0;
    }
    ~OneProcessor() {
        if (held_) sched_setaffinity(0, sizeof before_, &before_);
    }
    OneProcessor(const OneProcessor&) = delete;
    OneProcessor& operator=(const OneProcessor&) = delete;

    bool held() const { return held_; }
    // How many processors the thread could run on before.
    int before() const { return CPU_COUNT(&before_); }

  private:
    cpu_set_t before_{};
    bool held_ = false;
};

}  // namespace zentil::test
