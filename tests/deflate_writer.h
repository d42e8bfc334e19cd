// zlib streams written bit by bit, so that tests and fuzz targets can build
// streams that break any rule of a deflate stream, and the PNG picture whose
// image data such a stream is.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "png_builder.h"

namespace zentil::test {

// Deflate bits, least significant first; codewords most significant first.
class BitWriter {
  public:
    void bits(unsigned value, int count) {
        for (int n = 0; n < count; ++n)
            bit((value >> n) & 1);
    }
    void codeword(unsigned code, int length) {
        for (int n = length - 1; n >= 0; --n)
            bit((code >> n) & 1);
    }
    // The zlib stream: header, the blocks, four bytes where the Adler-32 goes.
    PngBytes stream() const {
        PngBytes s(2 + bytes_.size() + 4, 0);
        s[0] = 0x78;
        s[1] = 0x01;
        std::copy(bytes_.begin(), bytes_.end(), s.begin() + 2);
        return s;
    }

  private:
    void bit(unsigned b) {
        if (used_ % 8 == 0) bytes_.push_back(0);
        bytes_.back() = static_cast<std::uint8_t>(bytes_.back() | b << (used_ % 8));
        ++used_;
    }
    PngBytes bytes_;
    int used_ = 0;
};

// The canonical codewords of code lengths.
inline std::vector<unsigned> codewords(const std::vector<int>& lengths) {
    std::vector<unsigned> count(16, 0), next(16, 0);
    for (int len : lengths)
        if (len) ++count[static_cast<std::size_t>(len)];
    for (std::size_t len = 1; len < 16; ++len)
        next[len] = (next[len - 1] + count[len - 1]) << 1;
    std::vector<unsigned> out(lengths.size());
    for (std::size_t s = 0; s < lengths.size(); ++s)
        if (lengths[s]) out[s] = next[static_cast<std::size_t>(lengths[s])]++;
    return out;
}

// The code lengths of the fixed literal and length code.
inline std::vector<int> fixedLitlenLengths() {
    std::vector<int> lengths(288);
    for (std::size_t s = 0; s < 288; ++s)
        lengths[s] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
    return lengths;
}

// An 8-bit grey picture one row high whose image data is `stream`, which
// inflates to `inflated` bytes: the row's filter and its pixels.
inline PngBytes greyRowPng(const PngBytes& stream, std::size_t inflated) {
    return pngFileOfImageData(static_cast<int>(inflated - 1), 1, 0, stream);
}

}  // namespace zentil::test
