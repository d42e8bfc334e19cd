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

// A picture of 8-bit samples (colour type 0 or 2) whose image data is
// `data`, as it is.
inline PngBytes pngFileOfImageData(int width, int height, int colourType, const PngBytes& data) {
    PngImage header;
    header.width = width;
    header.height = height;
    header.colourType = colourType;
    PngBytes file = pngSignature();
    pngAppendChunk(file, "IHDR", pngHeader(header));
    pngAppendChunk(file, "IDAT", data);
    pngAppendChunk(file, "IEND", {});
    return file;
}

// A PNG of 8-bit samples that are all zero (colour type 0 or 2), of any
// size. Compressing gigabytes of zeros would take seconds, so the image data
// is a deflate stream of one block of zeros, ending on a full flush, repeated
// as often as the rows need, then the rest as the final block.
inline PngBytes zeroPngFile(int width, int height, int colourType) {
    const std::uint64_t raw =
        std::uint64_t(height) * (1 + std::uint64_t(width) * std::uint64_t(pngChannels(colourType)));
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    const auto rawDeflate = [](std::size_t zeros, int flush) {
        z_stream stream{};
        if (deflateInit2(&stream, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw std::runtime_error("deflateInit2 failed");
        PngBytes in(zeros, 0), out(zeros / 64 + 64);
        stream.next_in = in.data();
        stream.avail_in = static_cast<uInt>(in.size());
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        const int result = deflate(&stream, flush);
        const std::size_t produced = out.size() - stream.avail_out;
        deflateEnd(&stream);
        if (stream.avail_in != 0 || result == Z_STREAM_ERROR)
            throw std::runtime_error("deflate failed");
        return PngBytes(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(produced));
    };
    const PngBytes piece = rawDeflate(kPiece, Z_FULL_FLUSH);
    PngBytes data = {0x78, 0x9C};
    for (std::uint64_t n = 0; n < raw / kPiece; ++n)
        data.insert(data.end(), piece.begin(), piece.end());
    const PngBytes last = rawDeflate(static_cast<std::size_t>(raw % kPiece), Z_FINISH);
    data.insert(data.end(), last.begin(), last.end());
    // Adler-32 of zeros: the first sum stays 1, the second counts the bytes.
    pngPut32(data, static_cast<std::uint32_t>((raw % 65521) << 16 | 1));

    return pngFileOfImageData(width, height, colourType, data);
}

}  // namespace zentil::test
