// Bytes handed over a few at a time, as a file read piece by piece may hand
// them, so that readers meet every boundary between pieces.
#pragma once

#include <algorithm>
#include <span>

#include "system/byte_source.h"

namespace zentil::test {

class TrickleSource final : public ByteSource {
  public:
    explicit TrickleSource(std::span<const std::uint8_t> bytes, std::size_t piece = 7)
        : bytes_(bytes), piece_(piece) {}
    std::uint64_t size() const override { return bytes_.size(); }
    const std::uint8_t* bytesAt(std::uint64_t offset, std::size_t want, std::size_t& got) override {
        const std::uint64_t at = std::min<std::uint64_t>(offset, bytes_.size());
        got = static_cast<std::size_t>(std::min<std::uint64_t>({want, piece_, bytes_.size() - at}));
        return bytes_.data() + at;
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t piece_;
};

}  // namespace zentil::test
