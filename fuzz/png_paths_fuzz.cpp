// Feeds the same bytes to the PNG reader held in memory (where small plain
// pictures inflate in one go) and handed over a few bytes at a time (as a
// file read piece by piece, streamed through the library), as indexes and as
// colours, once as they are and once with every chunk's CRC made right. Both
// must give the same answer: the same refusal, or the same picture.
//
// Bytes that do not start as a PNG file are taken as a zlib stream (or,
// after an F, as the symbols of a fixed-code block written as one), the
// image data of a grey picture one row high as long as zlib inflates it, and
// as long as libdeflate, a looser inflater, does: what libdeflate takes and
// zlib refuses must be refused held in memory too, and the in-memory
// inflater must give zlib's bytes.
#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <variant>
#include <vector>

#include "deflate_writer.h"
#include "formats/png_codec.h"
#include "formats/zlib_inflate.h"
#include "fuzz_support.h"
#include "image/page.h"
#include "png_chunks.h"
#include "trickle_source.h"

using namespace zentil;

namespace {

// Pictures of up to this many pixels are read: larger ones would spend the
// run filling memory.
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 22;

void checkIndexes(std::span<const std::uint8_t> bytes, std::size_t piece) {
    IndexedPicture inMemory;
    const Outcome whole = decodePng(bytes, inMemory, kMaxPixels);

    // A page's rows: further apart than the width.
    std::vector<std::uint8_t> rows;
    std::size_t width = 0, stride = 0;
    const auto intoRows = [&](int w, int h, std::size_t& s) {
        width = static_cast<std::size_t>(w);
        s = stride = width + 5;
        rows.assign(stride * static_cast<std::size_t>(h), 0);
        return rows.data();
    };
    test::TrickleSource source(bytes, piece);
    IndexedPicture pieced;
    const Outcome streamed = decodePngInto(source, pieced, intoRows, kMaxPixels);
    fuzz::require(whole.text == streamed.text, "the two paths answer differently");
    if (!whole) return;
    fuzz::require(inMemory.width == pieced.width && inMemory.height == pieced.height &&
                      inMemory.palette == pieced.palette &&
                      inMemory.transparentIndex == pieced.transparentIndex &&
                      inMemory.transparentEntries == pieced.transparentEntries,
                  "the two paths give another header");
    for (std::size_t y = 0; y < static_cast<std::size_t>(inMemory.height); ++y)
        fuzz::require(std::equal(rows.begin() + static_cast<std::ptrdiff_t>(y * stride),
                                 rows.begin() + static_cast<std::ptrdiff_t>(y * stride + width),
                                 inMemory.indexes.begin() + static_cast<std::ptrdiff_t>(y * width)),
                      "the two paths give other indexes");
}

void checkColours(std::span<const std::uint8_t> bytes, std::size_t piece) {
    RgbPicture inMemory, pieced;
    const Outcome whole = decodePngRgb(bytes, inMemory, kMaxPixels);
    test::TrickleSource source(bytes, piece);
    const Outcome streamed = decodePngRgb(source, pieced, kMaxPixels);
    fuzz::require(whole.text == streamed.text, "the two colour paths answer differently");
    if (!whole) return;
    fuzz::require(inMemory.width == pieced.width && inMemory.height == pieced.height &&
                      inMemory.rgb == pieced.rgb &&
                      inMemory.transparentColour == pieced.transparentColour,
                  "the two colour paths give other pictures");
}

// The reader of every kind, whose pictures of many colours or of 16-bit
// samples read a second time after the first read finds them too many.
void checkEveryKind(std::span<const std::uint8_t> bytes, std::size_t piece) {
    DecodedPicture inMemory, pieced;
    const Outcome whole = decodePngPicture(bytes, inMemory, kMaxPixels);
    test::TrickleSource source(bytes, piece);
    const Outcome streamed = decodePngPicture(source, pieced, kMaxPixels);
    fuzz::require(whole.text == streamed.text, "the two paths of every kind answer differently");
    if (!whole) return;
    fuzz::require(inMemory.index() == pieced.index(), "the two paths give other kinds");
    if (const auto* a = std::get_if<RgbaPicture>(&inMemory)) {
        const auto& b = std::get<RgbaPicture>(pieced);
        fuzz::require(a->width == b.width && a->height == b.height && a->rgba == b.rgba,
                      "the two paths give other colours");
        return;
    }
    const auto& a = std::get<IndexedPicture>(inMemory);
    const auto& b = std::get<IndexedPicture>(pieced);
    fuzz::require(a.width == b.width && a.height == b.height && a.indexes == b.indexes &&
                      a.palette == b.palette && a.transparentIndex == b.transparentIndex,
                  "the two paths give other indexes of every kind");
}

void check(std::span<const std::uint8_t> bytes) {
    // The size of the pieces from the file's own bytes, so that runs differ.
    const std::size_t piece = bytes.empty() ? 1 : 1 + bytes.back() % 64;
    checkIndexes(bytes, piece);
    checkColours(bytes, piece);
    checkEveryKind(bytes, piece);
}

// The most a stream is inflated to.
constexpr std::size_t kMostInflated = std::size_t{1} << 16;

// How many bytes zlib inflates the stream to, up to its end or the first
// thing it refuses, and whether it took it whole.
std::size_t zlibInflates(std::span<const std::uint8_t> stream, std::vector<std::uint8_t>& out,
                         bool& whole) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return 0;
    inflateValidate(&z, 0);  // as the PNG reader: the chunks' CRCs find damage
    out.resize(kMostInflated);
    z.next_in = const_cast<Bytef*>(stream.data());
    z.avail_in = static_cast<uInt>(stream.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    whole = inflate(&z, Z_FINISH) == Z_STREAM_END && z.avail_in == 0;
    const std::size_t made = z.total_out;
    inflateEnd(&z);
    out.resize(made);
    return made;
}

// The same from libdeflate, between the zlib header and the Adler-32, which
// it would check.
std::size_t libdeflateInflates(std::span<const std::uint8_t> stream) {
    thread_local libdeflate_decompressor* const decompressor = libdeflate_alloc_decompressor();
    thread_local std::vector<std::uint8_t> out(kMostInflated);
    std::size_t made = 0;
    const bool ok =
        decompressor && stream.size() >= 6 &&
        libdeflate_deflate_decompress(decompressor, stream.data() + 2, stream.size() - 6,
                                      out.data(), out.size(), &made) == LIBDEFLATE_SUCCESS;
    return ok ? made : 0;
}

void checkStream(std::span<const std::uint8_t> stream) {
    thread_local std::vector<std::uint8_t> want, got;
    bool whole = false;
    const std::size_t zlibSize = zlibInflates(stream, want, whole);
    for (const std::size_t size : {zlibSize, libdeflateInflates(stream)}) {
        if (size < 2) continue;
        const bool taken = inflateAsZlib(stream, size, got);
        fuzz::require(taken == (whole && size == zlibSize), "the inflater answers unlike zlib");
        if (taken)
            fuzz::require(std::equal(want.begin(), want.end(), got.begin()),
                          "the inflater gives other bytes than zlib");
        check(test::greyRowPng({stream.begin(), stream.end()}, size));
    }
}

// The bytes as the symbols of one fixed-code block, written as a zlib
// stream: two bytes give a symbol of any of the code's 288 (the end of the
// block ends the bytes), and a length symbol takes a third for its extra bits
// and two more for a distance symbol of any of the code's 32 and its extra
// bits. Symbols of no meaning, which a looser inflater takes, come up often.
std::vector<std::uint8_t> fixedBlockOf(std::span<const std::uint8_t> in) {
    static const std::vector<int> lengths = test::fixedLitlenLengths();
    static const std::vector<unsigned> litlen = test::codewords(lengths);
    test::BitWriter w;
    w.bits(1, 1);
    w.bits(1, 2);
    std::size_t at = 1;
    const auto next = [&] { return at < in.size() ? in[at++] : 0u; };
    for (;;) {
        const unsigned symbol = (next() | next() << 8) % 288;
        if (symbol == 256 || at >= in.size()) break;
        w.codeword(litlen[symbol], lengths[symbol]);
        if (symbol < 257) continue;
        w.bits(next(), symbol < 265 || symbol > 284 ? 0 : static_cast<int>((symbol - 261) / 4));
        const unsigned distance = next() % 32;
        w.codeword(distance, 5);
        w.bits(next() | next() << 8, distance < 4 ? 0 : static_cast<int>(distance / 2 - 1));
    }
    w.codeword(litlen[256], lengths[256]);
    return w.stream();
}

bool looksLikePng(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= 2 && bytes[0] == 0x89 && bytes[1] == 'P';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    if (!bytes.empty() && bytes[0] == 'F') {
        checkStream(fixedBlockOf(bytes));
        return 0;
    }
    if (!looksLikePng(bytes)) {
        checkStream(bytes);
        return 0;
    }
    check(bytes);
    const std::vector<std::uint8_t> repaired = fuzz::withRightCrcs(bytes);
    if (!std::equal(repaired.begin(), repaired.end(), bytes.begin())) check(repaired);
    return 0;
}
