#include "formats/bmp_picture.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <new>
#include <vector>

#include "formats/source_cursor.h"
#include "system/texts.h"

namespace zentil {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kLargestHeaderSize = 124;
// The old OS/2 header of 64 bytes numbers its own compressions from 3 on.
constexpr std::size_t kOs2HeaderSize = 64;

bool knownHeaderSize(std::size_t size) {
    for (std::size_t known : {kCoreHeaderSize, kInfoHeaderSize, std::size_t{52}, std::size_t{56},
                              kOs2HeaderSize, std::size_t{108}, kLargestHeaderSize})
        if (size == known) return true;
    return false;
}

std::uint32_t le16(const std::uint8_t* p) {
    return p[0] | (p[1] << 8);
}

std::uint32_t le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

Outcome refused(const char* reason) {
    return Outcome::error(formatText(texts::kBmpCannotReadBecauseF, reason));
}

// The file as its headers describe it.
struct Layout {
    BmpFacts facts;
    Palette palette{};
    std::uint64_t pixelsAt = 0;  // the offset of the pixel data
    std::size_t rowBytes = 0;    // a stored row with its padding to whole words
    std::size_t usedBytes = 0;   // a stored row without it
};

// A mask is a run of ones within the pixel's bits.
bool validMask(std::uint32_t mask, int bits) {
    if (mask == 0 || (bits < 32 && (mask >> bits) != 0)) return false;
    const std::uint32_t run = mask >> std::countr_zero(mask);
    return (run & (run + 1)) == 0;
}

bool validMasks(const std::array<std::uint32_t, 4>& m, int bits) {
    for (int c = 0; c < 3; ++c)
        if (!validMask(m[c], bits)) return false;
    if (m[3] != 0 && !validMask(m[3], bits)) return false;
    return (m[0] & m[1]) == 0 && (m[0] & m[2]) == 0 && (m[1] & m[2]) == 0 &&
           ((m[0] | m[1] | m[2]) & m[3]) == 0;
}

// The colour masks of 16- and 32-bit pixels: given in the header or after
// it, or the usual layouts. `end` moves past masks that follow the header.
Outcome readMasks(ByteSource& source, const std::uint8_t* header, Layout& l, std::uint64_t& end) {
    BmpFacts& f = l.facts;
    const bool given = f.compression == BmpCompression::Bitfields ||
                       f.compression == BmpCompression::AlphaBitfields;
    if (!given) {
        if (f.bitsPerPixel == 16) f.masks = {0x7C00, 0x03E0, 0x001F, 0};
        if (f.bitsPerPixel == 32) f.masks = {0xFF0000, 0xFF00, 0xFF, 0};
        return Outcome::done();
    }
    std::uint8_t after[16];
    const std::uint8_t* m = header + kInfoHeaderSize;
    const bool afterHeader = f.headerSize == static_cast<int>(kInfoHeaderSize);
    const bool alphaGiven =
        f.headerSize >= 56 || (afterHeader && f.compression == BmpCompression::AlphaBitfields);
    if (afterHeader) {
        const std::size_t n = f.compression == BmpCompression::AlphaBitfields ? 16 : 12;
        if (!source.copy(end, after, n)) return refused(texts::kPngReasonCut);
        end += n;
        m = after;
    }
    f.masks = {le32(m), le32(m + 4), le32(m + 8), alphaGiven ? le32(m + 12) : 0};
    if (!validMasks(f.masks, f.bitsPerPixel)) return refused(texts::kBmpReasonBadMasks);
    f.alpha = f.masks[3] != 0;
    return Outcome::done();
}

// Checks the depth and compression against each other.
Outcome checkKind(int headerSize, int bits, std::uint32_t compression) {
    if (bits != 1 && bits != 2 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return Outcome::error(formatText(texts::kBmpUnsupportedDepthF, bits));
    const bool os2 = headerSize == static_cast<int>(kOs2HeaderSize);
    if (compression > 6 || compression == 4 || compression == 5 || (os2 && compression >= 3))
        return Outcome::error(
            formatText(texts::kBmpUnsupportedCompressionF, static_cast<int>(compression)));
    using C = BmpCompression;
    const auto kind = static_cast<C>(compression);
    const bool fits =
        kind == C::None || (kind == C::Rle8 && bits == 8) || (kind == C::Rle4 && bits == 4) ||
        ((kind == C::Bitfields || kind == C::AlphaBitfields) && (bits == 16 || bits == 32));
    return fits ? Outcome::done() : refused(texts::kPngReasonDamaged);
}

// Reads the palette of a picture of indexes from `at`: the entries its
// colour count says, as far as they come before the pixels.
Outcome readPalette(ByteSource& source, std::uint64_t at, std::uint32_t colours, Layout& l) {
    BmpFacts& f = l.facts;
    if (f.bitsPerPixel > 8) return Outcome::done();
    const bool core = f.headerSize == static_cast<int>(kCoreHeaderSize);
    const std::uint64_t entryBytes = core ? 3 : 4;
    const std::uint32_t most = 1u << f.bitsPerPixel;
    std::uint64_t entries = colours == 0 || colours > most ? most : colours;
    entries = std::min(entries, (l.pixelsAt - at) / entryBytes);
    std::uint8_t bytes[256 * 4];
    if (!source.copy(at, bytes, entries * entryBytes)) return refused(texts::kPngReasonCut);
    for (std::size_t n = 0; n < entries; ++n) {
        const std::uint8_t* e = bytes + n * entryBytes;
        l.palette[n * 3 + 0] = e[2];
        l.palette[n * 3 + 1] = e[1];
        l.palette[n * 3 + 2] = e[0];
    }
    f.paletteEntries = static_cast<int>(entries);
    return Outcome::done();
}

Outcome readLayout(ByteSource& source, Layout& l) {
    const std::uint64_t fileSize = source.size();
    if (fileSize == 0) return refused(texts::kPngReasonEmpty);
    std::uint8_t file[kFileHeaderSize + 4];
    if (fileSize < 2 || !source.copy(0, file, 2) || file[0] != 'B' || file[1] != 'M')
        return refused(texts::kBmpReasonNotBmp);
    if (!source.copy(0, file, sizeof file)) return refused(texts::kPngReasonCut);
    const std::size_t headerSize = le32(file + kFileHeaderSize);
    if (!knownHeaderSize(headerSize)) return refused(texts::kBmpReasonNotBmp);
    std::uint8_t header[kLargestHeaderSize] = {};
    if (!source.copy(kFileHeaderSize, header, headerSize)) return refused(texts::kPngReasonCut);

    BmpFacts& f = l.facts;
    f.headerSize = static_cast<int>(headerSize);
    std::int64_t width = 0, height = 0;
    std::uint32_t compression = 0, colours = 0;
    if (headerSize == kCoreHeaderSize) {
        width = le16(header + 4);
        height = le16(header + 6);
        f.bitsPerPixel = static_cast<int>(le16(header + 10));
    } else {
        width = static_cast<std::int32_t>(le32(header + 4));
        height = static_cast<std::int32_t>(le32(header + 8));
        f.bitsPerPixel = static_cast<int>(le16(header + 14));
        compression = le32(header + 16);
        colours = le32(header + 32);
    }
    if (Outcome kind = checkKind(f.headerSize, f.bitsPerPixel, compression); !kind) return kind;
    f.compression = static_cast<BmpCompression>(compression);
    if (width <= 0 || height == 0 || height == INT32_MIN) return refused(texts::kPngReasonDamaged);
    f.width = static_cast<int>(width);
    f.topDown = height < 0;
    f.height = static_cast<int>(height < 0 ? -height : height);

    std::uint64_t end = kFileHeaderSize + headerSize;
    if (Outcome masks = readMasks(source, header, l, end); !masks) return masks;
    l.pixelsAt = le32(file + 10);
    if (l.pixelsAt < end) return refused(texts::kPngReasonDamaged);
    if (l.pixelsAt > fileSize) return refused(texts::kPngReasonCut);
    if (Outcome palette = readPalette(source, end, colours, l); !palette) return palette;
    const std::uint64_t rowBits = std::uint64_t{static_cast<std::uint32_t>(f.width)} *
                                  static_cast<std::uint32_t>(f.bitsPerPixel);
    l.rowBytes = static_cast<std::size_t>((rowBits + 31) / 32 * 4);
    l.usedBytes = static_cast<std::size_t>((rowBits + 7) / 8);
    return Outcome::done();
}

// ---- Pictures of indexes -------------------------------------------------------

// A stored row of indexes of `bits` bits, the first pixel in the top bits.
void unpackIndexes(const std::uint8_t* in, std::uint8_t* out, std::size_t n, int bits) {
    if (bits == 8) {
        std::memcpy(out, in, n);
        return;
    }
    const int perByte = 8 / bits;
    const unsigned mask = (1u << bits) - 1;
    for (std::size_t x = 0; x < n; ++x) {
        const int shift = 8 - bits * (1 + static_cast<int>(x % perByte));
        out[x] = static_cast<std::uint8_t>((in[x / perByte] >> shift) & mask);
    }
}

// Run-length coded indexes: pairs of a count and an index (two indexes in
// turn for 4-bit pictures), or escapes after a count of 0: the end of a
// line, the end of the picture, a jump right and down, or a run of indexes
// as they are, padded to whole words. Pixels no code reaches keep index 0.
class RunDecoder {
  public:
    RunDecoder(ByteSource& source, const Layout& l, IndexedPicture& picture)
        : in_(source, l.pixelsAt),
          w_(static_cast<std::size_t>(l.facts.width)),
          h_(static_cast<std::size_t>(l.facts.height)),
          topDown_(l.facts.topDown),
          four_(l.facts.compression == BmpCompression::Rle4),
          indexes_(picture.indexes.data()) {}

    Outcome run() {
        for (;;) {
            std::uint8_t pair[2];
            if (!in_.copy(pair, 2)) {
                // A picture complete but for its closing codes is taken.
                const bool complete = y_ >= h_ || (y_ + 1 == h_ && x_ == w_);
                return complete ? Outcome::done() : refused(texts::kPngReasonCut);
            }
            const std::uint8_t count = pair[0], code = pair[1];
            if (count > 0) {
                if (!room(count)) return refused(texts::kBmpReasonRunOutside);
                repeat(count, code);
            } else if (code == 0) {
                if (y_ >= h_) return refused(texts::kBmpReasonRunOutside);
                x_ = 0;
                ++y_;
            } else if (code == 1) {
                return Outcome::done();
            } else if (code == 2) {
                if (Outcome jumped = jump(); !jumped) return jumped;
            } else if (Outcome copied = literal(code); !copied) {
                return copied;
            }
        }
    }

  private:
    bool room(std::size_t n) const { return y_ < h_ && n <= w_ - x_; }
    std::uint8_t* at() { return indexes_ + (topDown_ ? y_ : h_ - 1 - y_) * w_ + x_; }

    void repeat(std::size_t n, std::uint8_t code) {
        std::uint8_t* to = at();
        if (four_) {
            for (std::size_t i = 0; i < n; ++i)
                to[i] = static_cast<std::uint8_t>(i % 2 ? code & 15 : code >> 4);
        } else {
            std::memset(to, code, n);
        }
        x_ += n;
    }

    Outcome jump() {
        std::uint8_t step[2];
        if (!in_.copy(step, 2)) return refused(texts::kPngReasonCut);
        const std::size_t dx = step[0], dy = step[1];
        if (dx > w_ - x_ || dy > h_ - y_) return refused(texts::kBmpReasonRunOutside);
        x_ += dx;
        y_ += dy;
        return Outcome::done();
    }

    Outcome literal(std::size_t n) {
        const std::size_t packed = four_ ? (n + 1) / 2 : n;
        const std::size_t padded = (packed + 1) & ~std::size_t{1};
        if (!room(n)) return refused(texts::kBmpReasonRunOutside);
        std::uint8_t bytes[256];
        if (!in_.copy(bytes, padded)) return refused(texts::kPngReasonCut);
        unpackIndexes(bytes, at(), n, four_ ? 4 : 8);
        x_ += n;
        return Outcome::done();
    }

    SourceCursor in_;
    std::size_t w_, h_;
    bool topDown_, four_;
    std::uint8_t* indexes_;
    std::size_t x_ = 0, y_ = 0;  // y counts stored rows
};

Outcome decodeIndexes(ByteSource& source, const Layout& l, DecodedPicture& out) {
    const BmpFacts& f = l.facts;
    const std::size_t w = static_cast<std::size_t>(f.width), h = static_cast<std::size_t>(f.height);
    IndexedPicture picture;
    picture.width = f.width;
    picture.height = f.height;
    picture.palette = l.palette;
    picture.indexes.resize(w * h);
    if (f.compression == BmpCompression::None) {
        std::vector<std::uint8_t> scratch(l.usedBytes);
        for (std::size_t n = 0; n < h; ++n) {
            const std::uint8_t* row =
                bytesOrCopy(source, l.pixelsAt + n * l.rowBytes, l.usedBytes, scratch.data());
            if (!row) return refused(texts::kPngReasonCut);
            unpackIndexes(row, picture.indexes.data() + (f.topDown ? n : h - 1 - n) * w, w,
                          f.bitsPerPixel);
        }
    } else if (Outcome decoded = RunDecoder(source, l, picture).run(); !decoded) {
        return decoded;
    }
    out = std::move(picture);
    return Outcome::done();
}

// ---- True-colour pictures ------------------------------------------------------

// One channel of a masked pixel, scaled to 8 bits (the top 8 bits of wider
// channels).
class Channel {
  public:
    explicit Channel(std::uint32_t mask) {
        if (mask == 0) {
            scale_.fill(255);
            return;
        }
        shift_ = std::countr_zero(mask);
        int bits = std::popcount(mask);
        if (bits > 8) {
            shift_ += bits - 8;
            bits = 8;
        }
        keep_ = (1u << bits) - 1;
        for (std::uint32_t v = 0; v <= keep_; ++v)
            scale_[v] = static_cast<std::uint8_t>((v * 255 + keep_ / 2) / keep_);
    }
    std::uint8_t operator()(std::uint32_t pixel) const { return scale_[(pixel >> shift_) & keep_]; }

  private:
    int shift_ = 0;
    std::uint32_t keep_ = 0;
    std::array<std::uint8_t, 256> scale_{};
};

// Pixels of 16 or 32 bits by their masks.
class MaskedPixels {
  public:
    explicit MaskedPixels(const BmpFacts& f)
        : red_(f.masks[0]),
          green_(f.masks[1]),
          blue_(f.masks[2]),
          alpha_(f.masks[3]),
          bytes_(f.bitsPerPixel / 8) {}

    void convert(const std::uint8_t* in, std::uint8_t* out, std::size_t n) const {
        for (std::size_t i = 0; i < n; ++i, in += bytes_, out += 4) {
            const std::uint32_t v = bytes_ == 2 ? le16(in) : le32(in);
            out[0] = red_(v);
            out[1] = green_(v);
            out[2] = blue_(v);
            out[3] = alpha_(v);
        }
    }

  private:
    Channel red_, green_, blue_, alpha_;
    std::size_t bytes_;
};

// Some writers give an alpha mask and leave every alpha byte 0: a picture
// that would show nothing at all is taken as opaque.
void keepSeen(std::vector<std::uint8_t>& rgba) {
    for (std::size_t n = 3; n < rgba.size(); n += 4)
        if (rgba[n] != 0) return;
    for (std::size_t n = 3; n < rgba.size(); n += 4)
        rgba[n] = 255;
}

Outcome decodeColours(ByteSource& source, const Layout& l, DecodedPicture& out) {
    const BmpFacts& f = l.facts;
    const std::size_t w = static_cast<std::size_t>(f.width), h = static_cast<std::size_t>(f.height);
    // Pixels of 8-bit channels in their usual places are swapped byte by byte.
    void (*bytewise)(const std::uint8_t*, std::uint8_t*, std::size_t) = nullptr;
    if (f.bitsPerPixel == 24) bytewise = bgrToRgba;
    if (f.bitsPerPixel == 32 && f.masks[0] == 0xFF0000 && f.masks[1] == 0xFF00 &&
        f.masks[2] == 0xFF)
        bytewise = f.masks[3] == 0xFF000000u ? bgraToRgba : f.masks[3] == 0 ? bgrxToRgba : nullptr;
    const MaskedPixels masked(f);
    RgbaPicture picture;
    picture.width = f.width;
    picture.height = f.height;
    picture.rgba.resize(w * h * 4);
    std::vector<std::uint8_t> scratch(l.usedBytes);
    for (std::size_t n = 0; n < h; ++n) {
        const std::uint8_t* row =
            bytesOrCopy(source, l.pixelsAt + n * l.rowBytes, l.usedBytes, scratch.data());
        if (!row) return refused(texts::kPngReasonCut);
        std::uint8_t* to = picture.rgba.data() + (f.topDown ? n : h - 1 - n) * w * 4;
        if (bytewise)
            bytewise(row, to, w);
        else
            masked.convert(row, to, w);
    }
    if (f.alpha) keepSeen(picture.rgba);
    out = std::move(picture);
    return Outcome::done();
}

Outcome decodeOrThrow(ByteSource& source, DecodedPicture& out, std::uint64_t maxPixels) {
    Layout l;
    if (Outcome read = readLayout(source, l); !read) return read;
    const BmpFacts& f = l.facts;
    if (!withinPixels(static_cast<std::uint64_t>(f.width), static_cast<std::uint64_t>(f.height),
                      maxPixels))
        return Outcome::error(texts::kCannotCreateImage);
    // Plain rows must all be there, the last one without its padding.
    const bool runs =
        f.compression == BmpCompression::Rle8 || f.compression == BmpCompression::Rle4;
    const std::uint64_t data = source.size() - l.pixelsAt;
    if (!runs && (data < l.usedBytes ||
                  (data - l.usedBytes) / l.rowBytes < static_cast<std::uint64_t>(f.height) - 1))
        return refused(texts::kPngReasonCut);
    return f.bitsPerPixel <= 8 ? decodeIndexes(source, l, out) : decodeColours(source, l, out);
}

}  // namespace

Outcome decodeBmp(ByteSource& source, DecodedPicture& out, std::uint64_t maxPixels) {
    try {
        return decodeOrThrow(source, out, maxPixels);
    } catch (const std::bad_alloc&) {
        return Outcome::error(texts::kCannotCreateImage);
    }
}

Outcome decodeBmp(std::span<const std::uint8_t> bytes, DecodedPicture& out, std::uint64_t maxPixels) {
    MemorySource source(bytes);
    return decodeBmp(source, out, maxPixels);
}

Outcome describeBmp(ByteSource& source, BmpFacts& out) {
    Layout l;
    if (Outcome read = readLayout(source, l); !read) return read;
    out = l.facts;
    return Outcome::done();
}

}  // namespace zentil
