#include "formats/tga_rows.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "formats/source_cursor.h"
#include "system/texts.h"

namespace zentil::tga {
namespace {

int le16(const std::uint8_t* p) {
    return p[0] | (p[1] << 8);
}

}  // namespace

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

// Run-length packets, decoded a row at a time.
class PacketSource {
  public:
    virtual ~PacketSource() = default;
    // Writes the next n pixels to `out`; false when the data ends first.
    virtual bool fill(std::uint8_t* out, std::size_t n) = 0;
};

namespace {

constexpr std::size_t kMaxPacket = 128;  // pixels
constexpr std::size_t kChunk = 16;
static_assert(kMaxPacket % kChunk == 0);

// Packets of N-byte pixels, read from the source a piece at a time; a packet
// may run on from one row into the next, and the part of the last one that
// reaches past the picture is left unread.
template <std::size_t N>
class PacketReader final : public PacketSource {
  public:
    PacketReader(ByteSource& source, std::uint64_t at) : in_(source, at) {}

    bool fill(std::uint8_t* out, std::size_t n) override {
        std::size_t done = std::min(left_, n);
        if (!take(out, done)) return false;
        left_ -= done;
        // While a whole packet fits on both sides, packets are taken whole
        // without looking at the ends of the data.
        while (n - done >= kMaxPacket && in_.readable(1 + N * kMaxPacket) >= 1 + N * kMaxPacket) {
            const std::uint8_t* in = in_.data();
            const std::uint8_t head = in[0];
            const std::size_t count = (head & 0x7Fu) + 1u;
            std::uint8_t* to = out + done * N;
            if constexpr (N == 1) {
                // One-byte pixels move in whole chunks of 16. A chunk may run
                // up to 15 bytes past its packet, but never past the 128
                // bytes of the largest packet; later packets overwrite what
                // lands in `out`. Short packets, the common case in pictures
                // worth coding, then cost one chunk each.
                if (head & 0x80u) {
                    for (std::size_t i = 0; i < count; i += kChunk)
                        std::memset(to + i, in[1], kChunk);
                    in_.consume(2);
                } else {
                    for (std::size_t i = 0; i < count; i += kChunk)
                        std::memcpy(to + i, in + 1 + i, kChunk);
                    in_.consume(1 + count);
                }
            } else if (head & 0x80u) {
                repeat(to, in + 1, count);
                in_.consume(1 + N);
            } else {
                std::memcpy(to, in + 1, count * N);
                in_.consume(1 + count * N);
            }
            done += count;
        }
        // The last packets of the row, exactly.
        while (done < n) {
            if (in_.readable(1) < 1) return false;
            const std::uint8_t head = in_.data()[0];
            in_.consume(1);
            run_ = (head & 0x80u) != 0;
            if (run_ && !in_.copy(value_, N)) return false;
            const std::size_t count = (head & 0x7Fu) + 1u;
            const std::size_t m = std::min(count, n - done);
            if (!take(out + done * N, m)) return false;
            left_ = count - m;
            done += m;
        }
        return true;
    }

  private:
    static void repeat(std::uint8_t* to, const std::uint8_t* value, std::size_t m) {
        if constexpr (N == 1) {
            std::memset(to, value[0], m);
        } else {
            for (std::size_t i = 0; i < m; ++i)
                std::memcpy(to + i * N, value, N);
        }
    }
    // The next m pixels of the current packet.
    bool take(std::uint8_t* out, std::size_t m) {
        if (!run_) return in_.copy(out, m * N);
        repeat(out, value_, m);
        return true;
    }

    SourceCursor in_;
    // The packet being taken apart.
    std::size_t left_ = 0;
    bool run_ = false;
    std::uint8_t value_[N] = {};
};

std::unique_ptr<PacketSource> packetReader(ByteSource& source, std::uint64_t at, int pixelBytes) {
    switch (pixelBytes) {
        case 1:
            return std::make_unique<PacketReader<1>>(source, at);
        case 2:
            return std::make_unique<PacketReader<2>>(source, at);
        case 3:
            return std::make_unique<PacketReader<3>>(source, at);
        default:
            return std::make_unique<PacketReader<4>>(source, at);
    }
}

}  // namespace

RowReader::RowReader(ByteSource& source, std::uint64_t at, const TgaInfo& info, int pixelBytes)
    : source_(source),
      at_(at),
      rowBytes_(static_cast<std::size_t>(info.width) * pixelBytes),
      height_(static_cast<std::size_t>(info.height)),
      pixelBytes_(pixelBytes),
      topFirst_((info.descriptor & kTopFirst) != 0),
      rightToLeft_((info.descriptor & kRightToLeft) != 0) {
    if (info.imageType & kRunLength) packets_ = packetReader(source, at, pixelBytes);
}

RowReader::~RowReader() = default;

bool RowReader::dataCanHold() const {
    const std::uint64_t dataBytes = source_.size() > at_ ? source_.size() - at_ : 0;
    const std::uint64_t pictureBytes = std::uint64_t{rowBytes_} * height_;
    if (!packets_) return dataBytes >= pictureBytes;
    // A run packet of 1 + pixelBytes bytes gives at most 128 pixels.
    const std::uint64_t pixels = pictureBytes / static_cast<std::uint64_t>(pixelBytes_);
    return pixels * static_cast<std::uint64_t>(1 + pixelBytes_) <= dataBytes * kMaxPacket;
}

bool RowReader::readRow(std::uint8_t* to) {
    const std::size_t n = rowsRead_++;
    if (packets_) return packets_->fill(to, rowBytes_ / static_cast<std::size_t>(pixelBytes_));
    return source_.copy(at_ + std::uint64_t{n} * rowBytes_, to, rowBytes_);
}

const std::uint8_t* RowReader::nextRow(std::uint8_t* scratch) {
    if (packets_) return readRow(scratch) ? scratch : nullptr;
    return bytesOrCopy(source_, at_ + std::uint64_t{rowsRead_++} * rowBytes_, rowBytes_, scratch);
}

}  // namespace zentil::tga

namespace zentil::tga {

Outcome openIndexedTga(ByteSource& source, IndexedTga& out) {
    std::uint8_t header[kHeaderSize];
    TgaInfo& info = out.info;
    if (!source.copy(0, header, kHeaderSize) || !readTgaHeader(header, info))
        return Outcome::error(texts::kReadFailed);
    if (info.idLength != 0 || info.xOrigin != 0 || info.yOrigin != 0)
        return Outcome::error(texts::kTgaNotTga);
    if (info.depth == 16 || info.depth == 24) return Outcome::error(texts::kTgaOnly8Bit);
    if (info.depth != 8)
        return Outcome::error(formatText(texts::kTgaUnsupportedDepthF, info.depth));
    const int type = info.imageType & ~kRunLength;
    if (type != kMapped && type != kTrueColour) return Outcome::error(texts::kTgaBadType);
    if (info.width == 0 || info.height == 0) return Outcome::error(texts::kTgaBadType);

    out.at = kHeaderSize;
    const MapResult map = readColorMap(info, source, out.at, out.palette);
    if (map == MapResult::Truncated || map == MapResult::BadEntrySize)
        return Outcome::error(map == MapResult::Truncated ? texts::kReadFailed
                                                          : texts::kTgaBadType);
    // Only colour-mapped pictures take their map; others read as indexes
    // into a palette the caller gives.
    out.ownPalette = type == kMapped && map == MapResult::Read;
    if (!RowReader(source, out.at, info, 1).dataCanHold())
        return Outcome::error(texts::kReadFailed);
    return Outcome::done();
}

bool readIndexRows(ByteSource& source, const IndexedTga& picture, std::uint8_t* rows,
                   std::size_t stride) {
    // Rows are stored bottom first unless the descriptor says otherwise, and
    // right to left when it says so; those are read into a row of their own
    // and turned round.
    RowReader reader(source, picture.at, picture.info, 1);
    const std::size_t w = static_cast<std::size_t>(picture.info.width);
    std::vector<std::uint8_t> reversed(reader.rightToLeft() ? w : 0);
    for (std::size_t n = 0; n < static_cast<std::size_t>(picture.info.height); ++n) {
        std::uint8_t* row = rows + reader.pictureRow(n) * stride;
        if (!reader.readRow(reader.rightToLeft() ? reversed.data() : row)) return false;
        if (reader.rightToLeft()) std::reverse_copy(reversed.begin(), reversed.end(), row);
    }
    return true;
}

}  // namespace zentil::tga
