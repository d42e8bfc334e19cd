#include "formats/png_image_data.h"

#include <libdeflate.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "formats/zlib_inflate.h"

namespace zentil {
namespace {

constexpr std::size_t kKeptScratch = std::size_t{1} << 20;

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

// The zlib stream inside the IDAT chunks, gathered from the chunks; empty
// when the file does not have the plain shape.
bool gatherImageData(std::span<const std::uint8_t> file, std::vector<std::uint8_t>& stream) {
    if (file.size() < 8) return false;
    std::size_t at = 8;
    bool inImage = false;
    while (file.size() - at >= 12) {
        const std::uint32_t length = bigEndian32(file.data() + at);
        if (length > file.size() - at - 12) return false;
        const std::uint8_t* type = file.data() + at + 4;
        const bool idat = std::memcmp(type, "IDAT", 4) == 0;
        const bool iend = std::memcmp(type, "IEND", 4) == 0;
        if (inImage || idat || iend) {
            // Every chunk from the image on is checked here.
            const std::uint32_t crc = libdeflate_crc32(0, type, std::size_t{length} + 4);
            if (crc != bigEndian32(type + 4 + length)) return false;
        }
        if (iend) return inImage && length == 0 && at + 12 == file.size();
        if (idat) {
            inImage = true;
            stream.insert(stream.end(), type + 4, type + 4 + length);
        } else if (inImage) {
            return false;  // a chunk after the image other than the end
        }
        at += 12 + std::size_t{length};
    }
    return false;
}

std::uint8_t paeth(std::uint8_t a, std::uint8_t b, std::uint8_t c) {
    const int p = int{a} + int{b} - int{c};
    const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) return a;
    return pb <= pc ? b : c;
}

// Undoes the row's filter in place: `row` holds the filtered bytes, `above`
// the row above already unfiltered (nullptr for the first row).
void unfilter(int filter, std::uint8_t* row, const std::uint8_t* above, std::size_t bytes,
              std::size_t bpp) {
    switch (filter) {
        case 1:
            for (std::size_t i = bpp; i < bytes; ++i)
                row[i] = static_cast<std::uint8_t>(row[i] + row[i - bpp]);
            break;
        case 2:
            if (above)
                for (std::size_t i = 0; i < bytes; ++i)
                    row[i] = static_cast<std::uint8_t>(row[i] + above[i]);
            break;
        case 3:
            for (std::size_t i = 0; i < bytes; ++i) {
                const unsigned left = i >= bpp ? row[i - bpp] : 0;
                const unsigned up = above ? above[i] : 0;
                row[i] = static_cast<std::uint8_t>(row[i] + ((left + up) >> 1));
            }
            break;
        case 4:
            for (std::size_t i = 0; i < bytes; ++i) {
                const std::uint8_t left = i >= bpp ? row[i - bpp] : 0;
                const std::uint8_t up = above ? above[i] : 0;
                const std::uint8_t corner = above && i >= bpp ? above[i - bpp] : 0;
                row[i] = static_cast<std::uint8_t>(row[i] + paeth(left, up, corner));
            }
            break;
        default:
            break;  // 0: the bytes as they are
    }
}

}  // namespace

bool decodeWholeImageData(std::span<const std::uint8_t> file, std::size_t width, std::size_t height,
                          std::size_t bytesPerPixel, std::uint8_t* firstRow, std::size_t stride) {
    if (width == 0 || height == 0 || (bytesPerPixel != 1 && bytesPerPixel != 3)) return false;
    const std::size_t rowBytes = width * bytesPerPixel;
    if ((rowBytes + 1) > kWholeImageDataLimit / height) return false;
    // Buffers kept by the thread between pictures, as a workspace opens many
    // in a row; ones grown past kKeptScratch are let go after the picture.
    thread_local std::vector<std::uint8_t> stream, rows;
    struct Release {
        ~Release() {
            for (std::vector<std::uint8_t>* buffer : {&stream, &rows})
                if (buffer->capacity() > kKeptScratch) std::vector<std::uint8_t>().swap(*buffer);
        }
    } release;
    stream.clear();
    if (!gatherImageData(file, stream)) return false;
    if (!inflateAsZlib(stream, (rowBytes + 1) * height, rows)) return false;
    for (std::size_t y = 0; y < height; ++y)
        if (rows[y * (rowBytes + 1)] > 4) return false;
    const std::uint8_t* above = nullptr;
    for (std::size_t y = 0; y < height; ++y) {
        std::uint8_t* row = rows.data() + y * (rowBytes + 1);
        unfilter(row[0], row + 1, above, rowBytes, bytesPerPixel);
        std::memcpy(firstRow + y * stride, row + 1, rowBytes);
        above = row + 1;
    }
    return true;
}

}  // namespace zentil
