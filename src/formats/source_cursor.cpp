#include "formats/source_cursor.h"

#include <algorithm>
#include <cstring>

namespace zentil {

const std::uint8_t* bytesOrCopy(ByteSource& source, std::uint64_t offset, std::size_t n,
                                std::uint8_t* scratch) {
    std::size_t got = 0;
    const std::uint8_t* bytes = source.bytesAt(offset, n, got);
    if (bytes && got == n) return bytes;
    return source.copy(offset, scratch, n) ? scratch : nullptr;
}

bool SourceCursor::copy(std::uint8_t* to, std::size_t n) {
    while (n > 0) {
        const std::size_t k = std::min(readable(1), n);
        if (k == 0) return false;
        std::memcpy(to, in_, k);
        consume(k);
        to += k;
        n -= k;
    }
    return true;
}

}  // namespace zentil
