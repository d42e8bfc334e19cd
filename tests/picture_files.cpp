#include "picture_files.h"

#include <algorithm>
#include <cstddef>

namespace zentil::test {
namespace {

void put(Bytes& b, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// Packed indexes of a row, first pixel in the top bits, padded to whole words.
Bytes packedRow(const std::uint32_t* p, int w, int bits) {
    Bytes row((static_cast<std::size_t>(w) * bits + 31) / 32 * 4, 0);
    for (int x = 0; x < w; ++x) {
        const int bit = x * bits;
        row[bit / 8] |= static_cast<std::uint8_t>(p[x] << (8 - bits - bit % 8));
    }
    return row;
}

// RLE8 or RLE4 rows: runs of equal indexes as counted pairs, anything else as
// runs of indexes as they are (three or more, padded to whole words), an end
// of line after every row and an end of picture after the last.
void appendRleRows(const BmpLayout& s, Bytes& b) {
    const bool four = s.bits == 4;
    for (int r = 0; r < s.height; ++r) {
        const int y = s.topDown ? r : s.height - 1 - r;
        const std::uint32_t* p = s.pixels.data() + static_cast<std::size_t>(y) * s.width;
        int x = 0;
        while (x < s.width) {
            int run = 1;
            while (x + run < s.width && run < 255 && p[x + run] == p[x])
                ++run;
            int literal = 0;
            while (run == 1 && x + literal < s.width && literal < 255 &&
                   (x + literal + 1 >= s.width || p[x + literal + 1] != p[x + literal]))
                ++literal;
            if (literal >= 3) {
                b.push_back(0);
                b.push_back(static_cast<std::uint8_t>(literal));
                const Bytes data =
                    four ? packedRow(p + x, literal, 4) : Bytes(p + x, p + x + literal);
                const std::size_t bytes = four ? (literal + 1) / 2 : literal;
                b.insert(b.end(), data.begin(), data.begin() + bytes);
                if (bytes % 2) b.push_back(0);
                x += literal;
            } else {
                b.push_back(static_cast<std::uint8_t>(run));
                b.push_back(static_cast<std::uint8_t>(four ? p[x] * 17 : p[x]));
                x += run;
            }
        }
        b.insert(b.end(), {0, 0});
    }
    b.insert(b.end(), {0, 1});
}

}  // namespace

Bytes bmpFile(const BmpLayout& s) {
    const bool core = s.headerSize == 12;
    const bool masksAfter = s.headerSize == 40 && (s.compression == 3 || s.compression == 6);
    const std::size_t paletteBytes = static_cast<std::size_t>(s.paletteEntries) * (core ? 3 : 4);
    const std::size_t pixelsAt =
        14 + s.headerSize + (masksAfter ? (s.compression == 6 ? 16 : 12) : 0) + paletteBytes;
    Bytes b = {'B', 'M'};
    put(b, 0, 4);  // the file size, filled in at the end
    put(b, 0, 4);
    put(b, pixelsAt, 4);
    put(b, s.headerSize, 4);
    if (core) {
        put(b, s.width, 2);
        put(b, s.height, 2);
        put(b, 1, 2);
        put(b, s.bits, 2);
    } else {
        put(b, static_cast<std::uint32_t>(s.width), 4);
        put(b, static_cast<std::uint32_t>(s.topDown ? -s.height : s.height), 4);
        put(b, 1, 2);
        put(b, s.bits, 2);
        put(b, s.compression, 4);
        put(b, 0, 4);  // image size
        put(b, 2835, 4);
        put(b, 2835, 4);
        put(b, s.paletteEntries, 4);
        put(b, 0, 4);
        const int maskCount = masksAfter ? (s.compression == 6 ? 4 : 3) : 0;
        for (int m = 0; m < maskCount; ++m)
            put(b, s.masks[m], 4);
        // Larger headers hold the masks and then fields of no concern here.
        for (int m = 0; b.size() < 14u + s.headerSize; ++m)
            put(b, m < 4 ? s.masks[m] : 0, 4);
    }
    for (int e = 0; e < s.paletteEntries; ++e) {
        b.push_back(s.palette[e * 3 + 2]);
        b.push_back(s.palette[e * 3 + 1]);
        b.push_back(s.palette[e * 3 + 0]);
        if (!core) b.push_back(0);
    }
    if (s.compression == 1 || s.compression == 2) {
        appendRleRows(s, b);
    } else {
        for (int r = 0; r < s.height; ++r) {
            const int y = s.topDown ? r : s.height - 1 - r;
            const std::uint32_t* p = s.pixels.data() + static_cast<std::size_t>(y) * s.width;
            if (s.bits <= 8) {
                const Bytes row = packedRow(p, s.width, s.bits);
                b.insert(b.end(), row.begin(), row.end());
                continue;
            }
            const std::size_t start = b.size();
            for (int x = 0; x < s.width; ++x)
                put(b, p[x], s.bits / 8);
            while ((b.size() - start) % 4)
                b.push_back(0);
        }
    }
    for (int i = 0; i < 4; ++i)
        b[2 + i] = static_cast<std::uint8_t>(b.size() >> (8 * i));
    return b;
}

Bytes tgaFile(const TgaLayout& s) {
    const int pixelBytes = (s.depth + 7) / 8;
    Bytes b;
    b.push_back(static_cast<std::uint8_t>(s.id.size()));
    b.push_back(s.mapEntries ? 1 : 0);
    b.push_back(static_cast<std::uint8_t>(s.type));
    put(b, 0, 2);
    put(b, s.mapEntries, 2);
    b.push_back(s.mapEntries ? 24 : 0);
    put(b, 0, 4);  // origin
    put(b, s.width, 2);
    put(b, s.height, 2);
    b.push_back(static_cast<std::uint8_t>(s.depth));
    b.push_back(static_cast<std::uint8_t>(s.descriptor));
    b.insert(b.end(), s.id.begin(), s.id.end());
    for (int e = 0; e < s.mapEntries; ++e)
        b.insert(b.end(), {static_cast<std::uint8_t>(3 * e), static_cast<std::uint8_t>(2 * e),
                           static_cast<std::uint8_t>(e)});
    // The pixels in storage order.
    std::vector<std::uint32_t> stored;
    for (int r = 0; r < s.height; ++r) {
        const int y = (s.descriptor & 0x20) ? r : s.height - 1 - r;
        for (int c = 0; c < s.width; ++c) {
            const int x = (s.descriptor & 0x10) ? s.width - 1 - c : c;
            stored.push_back(s.pixels[static_cast<std::size_t>(y) * s.width + x]);
        }
    }
    if (s.type < 8) {
        for (std::uint32_t v : stored)
            put(b, v, pixelBytes);
        return b;
    }
    for (std::size_t i = 0; i < stored.size();) {
        std::size_t run = 1;
        while (i + run < stored.size() && run < 128 && stored[i + run] == stored[i])
            ++run;
        if (run >= 2) {
            b.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
            put(b, stored[i], pixelBytes);
            i += run;
            continue;
        }
        std::size_t raw = 1;
        while (i + raw < stored.size() && raw < 128 && stored[i + raw] != stored[i + raw - 1])
            ++raw;
        b.push_back(static_cast<std::uint8_t>(raw - 1));
        for (std::size_t k = 0; k < raw; ++k)
            put(b, stored[i + k], pixelBytes);
        i += raw;
    }
    return b;
}

}  // namespace zentil::test
