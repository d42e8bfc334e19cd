// A FIFO without a writer, and a guard that keeps a test from hanging on it:
// a plain open for reading waits on such a FIFO until a writer comes, so a
// reader that forgets to refuse it would stop the suite for good. The guard
// lets it go on after a few seconds and tells that it had to.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

namespace zentil::test {

inline bool makeFifo(const std::string& path) {
    return ::mkfifo(path.c_str(), 0600) == 0;
}

// While it lives, a thread watches the clock; once `patience` has passed it
// opens the FIFO's writing end again and again, each time closing it at once,
// so that every read blocked on the FIFO sees its end.
class FifoRescue {
  public:
    explicit FifoRescue(std::string fifo,
                        std::chrono::milliseconds patience = std::chrono::seconds(5))
        : fifo_(std::move(fifo)), watcher_([this, patience] { watch(patience); }) {}
    FifoRescue(const FifoRescue&) = delete;
    FifoRescue& operator=(const FifoRescue&) = delete;
    ~FifoRescue() { stop(); }

    // Ends the watch; true when the FIFO had to be opened to let a reader go.
    bool stop() {
        done_ = true;
        if (watcher_.joinable()) watcher_.join();
        return rescued_;
    }

  private:
    void watch(std::chrono::milliseconds patience) {
        const auto until = std::chrono::steady_clock::now() + patience;
        while (!done_ && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        while (!done_) {
            // Succeeds only while a reader is waiting in its open.
            const int fd = ::open(fifo_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                rescued_ = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    std::string fifo_;
    std::atomic<bool> done_{false};
    std::atomic<bool> rescued_{false};
    std::thread watcher_;
};

// Runs `call` under a FifoRescue; false when it waited on the FIFO.
template <typename Call>
bool returnsWithoutWaiting(const std::string& fifo, Call&& call) {
    FifoRescue rescue(fifo);
    call();
    return !rescue.stop();
}

}  // namespace zentil::test
