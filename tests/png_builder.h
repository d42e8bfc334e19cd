// PNG files built chunk by chunk from the published layout, with zlib for
// the compressed image data, for reader tests and fuzz seeds.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace zentil::test {

using PngBytes = std::vector<std::uint8_t>;

// A picture as samples: `channels` per pixel (1 grey or index, 2 grey and
// alpha, 3 RGB, 4 RGBA), top row first, each of `bitDepth` bits.
struct PngImage {
    int width = 0;
    int height = 0;
    int bitDepth = 8;
    int colourType = 3;  // 0 grey, 2 RGB, 3 palette, 4 grey and alpha, 6 RGBA
    bool interlaced = false;
    std::vector<std::uint16_t> samples;
};

inline int pngChannels(int colourType) {
    switch (colourType) {
        case 2:
            return 3;
        case 4:
            return 2;
        case 6:
            return 4;
        default:
            return 1;
    }
}

inline void pngPut32(PngBytes& b, std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8)
        b.push_back(static_cast<std::uint8_t>(v >> shift));
}

// Length, type, data and the CRC of type and data.
inline void pngAppendChunk(PngBytes& file, std::string_view type, const PngBytes& data) {
    pngPut32(file, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = file.size();
    file.insert(file.end(), type.begin(), type.end());
    file.insert(file.end(), data.begin(), data.end());
    pngPut32(file, static_cast<std::uint32_t>(
                       crc32(0, file.data() + start, static_cast<uInt>(file.size() - start))));
}

inline PngBytes zlibCompress(const PngBytes& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    PngBytes out(size);
    if (compress(out.data(), &size, raw.data(), static_cast<uLong>(raw.size())) != Z_OK)
        throw std::runtime_error("compress failed");
    out.resize(size);
    return out;
}

// The filtered scanlines (filter type 0) of the picture, pass by pass when
// it is interlaced.
inline PngBytes pngScanlines(const PngImage& img) {
    static constexpr int kFirstRow[7] = {0, 0, 4, 0, 2, 0, 1};
    static constexpr int kRowStep[7] = {8, 8, 8, 4, 4, 2, 2};
    static constexpr int kFirstColumn[7] = {0, 4, 0, 2, 0, 1, 0};
    static constexpr int kColumnStep[7] = {8, 8, 4, 4, 2, 2, 1};
    const int channels = pngChannels(img.colourType);
    PngBytes out;
    const int passes = img.interlaced ? 7 : 1;
    for (int pass = 0; pass < passes; ++pass) {
        const int y0 = img.interlaced ? kFirstRow[pass] : 0;
        const int dy = img.interlaced ? kRowStep[pass] : 1;
        const int x0 = img.interlaced ? kFirstColumn[pass] : 0;
        const int dx = img.interlaced ? kColumnStep[pass] : 1;
        if (x0 >= img.width) continue;  // an empty pass has no scanlines
        for (int y = y0; y < img.height; y += dy) {
            out.push_back(0);
            int bits = 0, filled = 0;
            for (int x = x0; x < img.width; x += dx) {
                for (int c = 0; c < channels; ++c) {
                    const std::uint16_t s =
                        img.samples[(static_cast<std::size_t>(y) * img.width + x) * channels + c];
                    if (img.bitDepth == 16) {
                        out.push_back(static_cast<std::uint8_t>(s >> 8));
                        out.push_back(static_cast<std::uint8_t>(s));
                    } else if (img.bitDepth == 8) {
                        out.push_back(static_cast<std::uint8_t>(s));
                    } else {
                        bits = (bits << img.bitDepth) | s;
                        filled += img.bitDepth;
                        if (filled == 8) {
                            out.push_back(static_cast<std::uint8_t>(bits));
                            bits = filled = 0;
                        }
                    }
                }
            }
            if (filled > 0) out.push_back(static_cast<std::uint8_t>(bits << (8 - filled)));
        }
    }
    return out;
}

inline PngBytes pngHeader(const PngImage& img) {
    PngBytes ihdr;
    pngPut32(ihdr, static_cast<std::uint32_t>(img.width));
    pngPut32(ihdr, static_cast<std::uint32_t>(img.height));
    ihdr.push_back(static_cast<std::uint8_t>(img.bitDepth));
    ihdr.push_back(static_cast<std::uint8_t>(img.colourType));
    ihdr.push_back(0);
    ihdr.push_back(0);
    ihdr.push_back(img.interlaced ? 1 : 0);
    return ihdr;
}

inline PngBytes pngSignature() {
    return {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
}

// The whole file: signature, IHDR, PLTE and tRNS when given, one IDAT, IEND.
inline PngBytes pngFile(const PngImage& img, const PngBytes& plte = {}, const PngBytes& trns = {}) {
    PngBytes file = pngSignature();
    pngAppendChunk(file, "IHDR", pngHeader(img));
    if (!plte.empty()) pngAppendChunk(file, "PLTE", plte);
    if (!trns.empty()) pngAppendChunk(file, "tRNS", trns);
    pngAppendChunk(file, "IDAT", zlibCompress(pngScanlines(img)));
    pngAppendChunk(file, "IEND", {});
    return file;
}

}  // namespace zentil::test
