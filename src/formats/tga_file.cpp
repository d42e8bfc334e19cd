#include "formats/tga_file.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "formats/file_access.h"
#include "image/pixel.h"
#include "system/byte_source.h"
#include "system/files.h"
#include "system/texts.h"

namespace zentil {
namespace {

constexpr std::size_t kHeaderSize = 18;
// Large enough for any picture a page can hold, run-length coded at its worst.
constexpr std::uint64_t kMaxTgaFileBytes = 3 * kMaxPixelBufferBytes;

int le16(const std::uint8_t* p) {
    return p[0] | (p[1] << 8);
}

void putLe16(std::uint8_t* p, int v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

// 5-bit channel to 8 bits across the full range.
std::uint8_t expand5(int c) {
    return static_cast<std::uint8_t>((c << 3) | (c >> 2));
}

enum class MapResult { Absent, Read, Truncated, BadEntrySize };

// Reads the colour map the header describes into `palette`; entries it does
// not cover stay black.
MapResult readColorMap(const TgaInfo& info, ByteSource& source, std::uint64_t& at,
                       Palette& palette) {
    if (info.colorMapType == 0) return MapResult::Absent;
    if (info.mapLength > 0 && info.mapEntryBits != 15 && info.mapEntryBits != 16 &&
        info.mapEntryBits != 24 && info.mapEntryBits != 32)
        return MapResult::BadEntrySize;
    const int entryBytes = (info.mapEntryBits + 7) / 8;
    const std::size_t size = static_cast<std::size_t>(info.mapLength) * entryBytes;
    std::vector<std::uint8_t> bytes(size);
    if (!source.copy(at, bytes.data(), size)) return MapResult::Truncated;
    const std::uint8_t* map = bytes.data();
    for (int n = 0; n < info.mapLength; ++n) {
        const int index = info.mapFirst + n;
        if (index >= kPaletteEntries) break;
        const std::uint8_t* e = map + static_cast<std::size_t>(n) * entryBytes;
        std::uint8_t* rgb = &palette[static_cast<std::size_t>(index) * 3];
        if (entryBytes == 2) {
            const int v = le16(e);
            rgb[0] = expand5((v >> 10) & 31);
            rgb[1] = expand5((v >> 5) & 31);
            rgb[2] = expand5(v & 31);
        } else {
            rgb[0] = e[2];
            rgb[1] = e[1];
            rgb[2] = e[0];
        }
    }
    at += size;
    return MapResult::Read;
}

constexpr std::size_t kMaxPacket = 128;  // pixels
constexpr std::size_t kChunk = 16;
static_assert(kMaxPacket % kChunk == 0);

// Run-length packets of one-byte pixels, read from the source a piece at a
// time and decoded a row at a time; a packet may run on from one row into
// the next, and the part of the last one that reaches past the picture is
// left unread.
class PacketReader {
  public:
    PacketReader(ByteSource& source, std::uint64_t at) : source_(source), at_(at) {}

    // Writes the next n pixels to `out`; false when the data ends first.
    bool fill(std::uint8_t* out, std::size_t n) {
        std::size_t done = std::min(left_, n);
        if (!take(out, done)) return false;
        left_ -= done;
        // While a whole packet fits on both sides, pixels move in whole
        // chunks of 16. A chunk may run up to 15 bytes past its packet, but
        // never past the 128 bytes of the largest packet; later packets
        // overwrite what lands in `out`. Short packets, the common case in
        // pictures worth coding, then cost one chunk each.
        while (n - done >= kMaxPacket && readable(1 + kMaxPacket) >= 1 + kMaxPacket) {
            const std::uint8_t head = in_[0];
            const std::size_t count = (head & 0x7Fu) + 1u;
            std::uint8_t* to = out + done;
            if (head & 0x80u) {
                const std::uint8_t value = in_[1];
                for (std::size_t i = 0; i < count; i += kChunk)
                    std::memset(to + i, value, kChunk);
                consume(2);
            } else {
                for (std::size_t i = 0; i < count; i += kChunk)
                    std::memcpy(to + i, in_ + 1 + i, kChunk);
                consume(1 + count);
            }
            done += count;
        }
        // The last packets of the row, exactly.
        while (done < n) {
            if (readable(1) < 1) return false;
            const std::uint8_t head = in_[0];
            consume(1);
            run_ = (head & 0x80u) != 0;
            if (run_) {
                if (readable(1) < 1) return false;
                value_ = in_[0];
                consume(1);
            }
            const std::size_t count = (head & 0x7Fu) + 1u;
            const std::size_t m = std::min(count, n - done);
            if (!take(out + done, m)) return false;
            left_ = count - m;
            done += m;
        }
        return true;
    }

  private:
    // The next m pixels of the current packet.
    bool take(std::uint8_t* out, std::size_t m) {
        if (run_) {
            std::memset(out, value_, m);
            return true;
        }
        while (m > 0) {
            const std::size_t k = std::min(readable(1), m);
            if (k == 0) return false;
            std::memcpy(out, in_, k);
            consume(k);
            out += k;
            m -= k;
        }
        return true;
    }

    // Makes at least `need` bytes readable at in_ unless the data ends
    // first; gives how many are.
    std::size_t readable(std::size_t need) {
        if (available_ >= need) return available_;
        std::size_t got = 0;
        const std::uint8_t* from = source_.bytesAt(at_, kReadBytes, got);
        in_ = from;
        available_ = from ? got : 0;
        return available_;
    }
    void consume(std::size_t k) {
        in_ += k;
        available_ -= k;
        at_ += k;
    }

    static constexpr std::size_t kReadBytes = std::size_t{256} << 10;
    ByteSource& source_;
    std::uint64_t at_;  // the file offset of in_
    const std::uint8_t* in_ = nullptr;
    std::size_t available_ = 0;
    // The packet being taken apart.
    std::size_t left_ = 0;
    bool run_ = false;
    std::uint8_t value_ = 0;
};

Outcome decodeTgaOrThrow(ByteSource& source, Page& page, const PageDefaults& defaults) {
    std::uint8_t header[kHeaderSize];
    TgaInfo info;
    if (!source.copy(0, header, kHeaderSize) || !readTgaHeader(header, info))
        return Outcome::error(texts::kReadFailed);
    if (info.idLength != 0 || info.xOrigin != 0 || info.yOrigin != 0)
        return Outcome::error(texts::kTgaNotTga);
    if (info.depth == 16 || info.depth == 24) return Outcome::error(texts::kTgaOnly8Bit);
    if (info.depth != 8)
        return Outcome::error(formatText(texts::kTgaUnsupportedDepthF, info.depth));
    const bool runLength = info.imageType == 9 || info.imageType == 10;
    const bool mapped = info.imageType == 1 || info.imageType == 9;
    if (!mapped && info.imageType != 2 && info.imageType != 10)
        return Outcome::error(texts::kTgaBadType);
    if (info.width == 0 || info.height == 0) return Outcome::error(texts::kTgaBadType);

    std::uint64_t at = kHeaderSize;
    Palette palette{};
    const MapResult map = readColorMap(info, source, at, palette);
    if (map == MapResult::Truncated || map == MapResult::BadEntrySize)
        return Outcome::error(map == MapResult::Truncated ? texts::kReadFailed
                                                          : texts::kTgaBadType);
    // Pictures without a colour map of their own take the default palette.
    if (!mapped || map == MapResult::Absent) palette = defaults.palette;

    const std::size_t w = static_cast<std::size_t>(info.width);
    const std::size_t h = static_cast<std::size_t>(info.height);
    const std::uint64_t dataBytes = source.size() - at;
    if (runLength) {
        // Two bytes of packets give at most 128 pixels. Packets too short for
        // the picture, and pictures no page can hold, are refused before the
        // page is made.
        if (w * h > dataBytes * 64) return Outcome::error(texts::kReadFailed);
        if (w * h > kMaxPixelBufferBytes) return Outcome::error(texts::kCannotCreateImage);
    } else if (dataBytes < w * h) {
        return Outcome::error(texts::kReadFailed);
    }

    // Every pixel inside the width is written below, or the picture is refused.
    Page fresh;
    if (!createPageForOverwrite(fresh, info.width, 1, info.height, 1, kMode8, defaults))
        return Outcome::error(texts::kCannotCreateImage);
    // Rows are stored bottom first unless bit 5 is set, right to left when
    // bit 4 is; those are read into a row of their own and turned round.
    const bool topFirst = (info.descriptor & 0x20) != 0;
    const bool rightToLeft = (info.descriptor & 0x10) != 0;
    std::vector<std::uint8_t> reversed(rightToLeft ? w : 0);
    PacketReader packets(source, at);
    for (std::size_t y = 0; y < h; ++y) {
        std::uint8_t* row = fresh.pixels8.get() +
                            (topFirst ? y : h - 1 - y) * static_cast<std::size_t>(fresh.stride);
        std::uint8_t* to = rightToLeft ? reversed.data() : row;
        const bool read = runLength ? packets.fill(to, w) : source.copy(at + y * w, to, w);
        if (!read) return Outcome::error(texts::kReadFailed);
        if (rightToLeft) std::reverse_copy(reversed.begin(), reversed.end(), row);
    }
    setPagePalette(fresh, palette);
    detectColorKey(fresh);
    fresh.kind = kKindTga;
    page = std::move(fresh);
    return Outcome::done();
}

// Working memory that cannot be had ends a read like a refusal.
Outcome decodeTgaFrom(ByteSource& source, Page& page, const PageDefaults& defaults) {
    try {
        return decodeTgaOrThrow(source, page, defaults);
    } catch (const std::bad_alloc&) {
        return Outcome::error(texts::kCannotCreateImage);
    }
}

}  // namespace

bool readTgaHeader(std::span<const std::uint8_t> bytes, TgaInfo& info) {
    if (bytes.size() < kHeaderSize) return false;
    const std::uint8_t* h = bytes.data();
    info.idLength = h[0];
    info.colorMapType = h[1];
    info.imageType = h[2];
    info.mapFirst = le16(h + 3);
    info.mapLength = le16(h + 5);
    info.mapEntryBits = h[7];
    info.xOrigin = le16(h + 8);
    info.yOrigin = le16(h + 10);
    info.width = le16(h + 12);
    info.height = le16(h + 14);
    info.depth = h[16];
    info.descriptor = h[17];
    return true;
}

Outcome decodeTga(std::span<const std::uint8_t> bytes, Page& page, const PageDefaults& defaults) {
    MemorySource source(bytes);
    return decodeTgaFrom(source, page, defaults);
}

Outcome decodeTga(ByteSource& source, Page& page, const PageDefaults& defaults) {
    return decodeTgaFrom(source, page, defaults);
}

Outcome readTgaFile(const std::string& path, Page& page, const PageDefaults& defaults) {
    return readPageSource(path, kMaxTgaFileBytes, texts::kTgaCannotOpen, &decodeTgaFrom, page,
                          defaults);
}

std::vector<std::uint8_t> encodeTga(const Page& page) {
    const bool mapped = page.mode == kMode8;
    const std::size_t rowBytes = static_cast<std::size_t>(page.width) * page.mode;
    std::vector<std::uint8_t> out(kHeaderSize + (mapped ? 768 : 0) + rowBytes * page.height);
    std::uint8_t* h = out.data();
    h[1] = mapped ? 1 : 0;
    h[2] = mapped ? 1 : 2;
    putLe16(h + 5, mapped ? 256 : 0);
    h[7] = mapped ? 24 : 0;
    putLe16(h + 12, page.width);
    putLe16(h + 14, page.height);
    h[16] = static_cast<std::uint8_t>(8 * page.mode);
    std::uint8_t* p = out.data() + kHeaderSize;
    if (mapped) {
        for (int i = 0; i < kPaletteEntries; ++i) {
            *p++ = page.palette[i * 3 + 2];
            *p++ = page.palette[i * 3 + 1];
            *p++ = page.palette[i * 3 + 0];
        }
    }
    for (int y = page.height - 1; y >= 0; --y) {
        const std::size_t row = static_cast<std::size_t>(y) * page.stride;
        if (page.mode == kMode8) {
            std::memcpy(p, page.pixels8.get() + row, rowBytes);
        } else if (page.mode == kMode16) {
            // 16-bit values little-endian, as the file layout wants.
            for (int x = 0; x < page.width; ++x)
                putLe16(p + x * 2, page.pixels16[row + x]);
        } else {
            std::memcpy(p, page.pixels24.get() + row * 3, rowBytes);
        }
        p += rowBytes;
    }
    return out;
}

Outcome writeTgaFile(const std::string& path, const Page& page) {
    if (!page.inUse()) return Outcome::silent();
    // Sizes are 16-bit fields in the header.
    if (page.width > 0xFFFF || page.height > 0xFFFF) return Outcome::error(texts::kTgaCannotSave);
    std::vector<std::uint8_t> bytes;
    try {
        bytes = encodeTga(page);
    } catch (const std::bad_alloc&) {
        return Outcome::error(texts::kTgaCannotSave);
    }
    return saveFile(path, bytes, texts::kTgaCannotSave);
}

}  // namespace zentil
