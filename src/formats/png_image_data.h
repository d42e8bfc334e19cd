// The image data of a small PNG held in memory, inflated in one go (with
// zlib's rules, zlib_inflate.h, so that it is refused where the library,
// streaming through zlib, refuses it). The library inflates a row at a time,
// and rows narrower than a deflate match keep zlib off its fast path; a
// workspace of many sprite pages spends most of its opening there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace zentil {

// The largest inflated image data (rows with their filter bytes) taken in one
// go; larger pictures are read a row at a time, with no second buffer.
inline constexpr std::size_t kWholeImageDataLimit = std::size_t{16} << 20;

// Writes the rows of a non-interlaced picture of `bytesPerPixel` 8-bit
// samples per pixel (1 or 3), `height` rows `stride` bytes apart from
// `firstRow`. The chunks before the first IDAT must have been checked (by the
// library) already. Takes only the plain shape of the file: IDAT chunks one
// after another, each with its right CRC, holding exactly one zlib stream of
// exactly the picture's rows with filters 0 to 4, then an empty IEND at the
// end of the file. For anything else it returns false without writing a row,
// and the caller reads the file the usual way (which finds what is wrong).
bool decodeWholeImageData(std::span<const std::uint8_t> file, std::size_t width, std::size_t height,
                          std::size_t bytesPerPixel, std::uint8_t* firstRow, std::size_t stride);

}  // namespace zentil
