// Reading a source from front to back a few bytes at a time, as decoders of
// packed pixel data do, through windows of its bytes rather than a call per
// byte.
#pragma once

#include <cstddef>
#include <cstdint>

#include "system/byte_source.h"

namespace zentil {

// The n bytes from `offset` where they lie in the source, else copied to
// `scratch` (n bytes); nullptr when the source ends first.
const std::uint8_t* bytesOrCopy(ByteSource& source, std::uint64_t offset, std::size_t n,
                                std::uint8_t* scratch);

class SourceCursor {
  public:
    SourceCursor(ByteSource& source, std::uint64_t at) : source_(source), at_(at) {}

    // Makes at least `need` bytes readable at data() unless the source ends
    // first; gives how many are (at most a window, 256 KiB, is asked for).
    std::size_t readable(std::size_t need) {
        if (available_ >= need) return available_;
        std::size_t got = 0;
        const std::uint8_t* from = source_.bytesAt(at_, kWindowBytes, got);
        in_ = from;
        available_ = from ? got : 0;
        return available_;
    }
    const std::uint8_t* data() const { return in_; }
    void consume(std::size_t k) {
        in_ += k;
        available_ -= k;
        at_ += k;
    }
    // Copies the next n bytes to `to`; false when the source ends first.
    bool copy(std::uint8_t* to, std::size_t n);

  private:
    static constexpr std::size_t kWindowBytes = std::size_t{256} << 10;
    ByteSource& source_;
    std::uint64_t at_;  // the source offset of in_
    const std::uint8_t* in_ = nullptr;
    std::size_t available_ = 0;
};

}  // namespace zentil
