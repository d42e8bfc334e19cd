// Shared helpers for the core tests: what an operation said, a palette of
// distinct colours, and a limit on the size of files written.
#pragma once

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "image/page.h"
#include "image/palette.h"
#include "system/outcome.h"

namespace zentil::test {

// What an operation said, as the window would show it.
struct RecordedMessage {
    std::string caption;
    std::string text;
    bool operator==(const RecordedMessage&) const = default;
};

inline RecordedMessage said(const Outcome& outcome) {
    return {outcome.caption, outcome.text};
}

inline std::ostream& operator<<(std::ostream& os, const RecordedMessage& m) {
    return os << m.caption << ": " << m.text;
}

// The fixture of the core tests. The core keeps no state of its own between
// calls, so each test starts from nothing but what it makes.
class CoreTest : public ::testing::Test {};

// A palette whose entry i is (i, 255 - i, i * 7 mod 256), so that every entry differs.
inline Palette rampPalette() {
    Palette p{};
    for (int i = 0; i < kPaletteEntries; ++i) {
        p[i * 3 + 0] = static_cast<std::uint8_t>(i);
        p[i * 3 + 1] = static_cast<std::uint8_t>(255 - i);
        p[i * 3 + 2] = static_cast<std::uint8_t>((i * 7) % 256);
    }
    return p;
}

// Limits the size of files this process may write for the life of the guard,
// so that writing past it fails (with the signal that would end the process
// ignored).
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ok_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    bool ok() const { return ok_; }

  private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
    bool ok_ = false;
};

}  // namespace zentil::test
