// PNG files as the fuzz targets change them: every chunk's CRC made right
// again, so that changed chunks reach the decoder rather than stopping at
// their checksums.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <span>
#include <vector>

namespace zentil::fuzz {

// The file with the CRC of every whole chunk after the signature set to
// that of its type and data.
inline std::vector<std::uint8_t> withRightCrcs(std::span<const std::uint8_t> bytes) {
    std::vector<std::uint8_t> file(bytes.begin(), bytes.end());
    std::size_t at = 8;
    while (at <= file.size() && file.size() - at >= 12) {
        const std::uint32_t length = (std::uint32_t{file[at]} << 24) |
                                     (std::uint32_t{file[at + 1]} << 16) |
                                     (std::uint32_t{file[at + 2]} << 8) | file[at + 3];
        if (length > file.size() - at - 12) break;
        const auto crc = static_cast<std::uint32_t>(crc32(0, &file[at + 4], length + 4));
        std::uint8_t* to = &file[at + 8 + length];
        for (int n = 0; n < 4; ++n)
            to[n] = static_cast<std::uint8_t>(crc >> (24 - 8 * n));
        at += 12 + std::size_t{length};
    }
    return file;
}

}  // namespace zentil::fuzz
