#include "formats/zlib_inflate.h"

#include <array>
#include <bit>
#include <cstring>

namespace zentil {
namespace {

constexpr int kMaxCodeBits = 15;
// zlib's limits on the code lengths a dynamic block lists.
constexpr int kMostLengthSymbols = 286;
constexpr int kMostDistanceSymbols = 30;
constexpr int kEndOfBlock = 256;

constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                       15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                       67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                         4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                         9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr std::array<std::uint8_t, 19> kCodeLengthOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                           11, 4,  12, 3, 13, 2, 14, 1, 15};

// The bits of a deflate stream, least significant first. Reading past the
// end gives zero bits and leaves the count below zero: the stream is cut.
class BitReader {
  public:
    BitReader(const std::uint8_t* begin, const std::uint8_t* end)
        : begin_(begin), at_(begin), end_(end) {}

    // At least 56 bits while the input lasts.
    void refill() {
        if (count_ >= 56) return;
        if (end_ - at_ >= 8) return refillFast();
        while (count_ <= 56 && at_ < end_) {
            bits_ |= std::uint64_t{*at_++} << count_;
            count_ += 8;
        }
    }
    // The same with 8 bytes left to read: no branch.
    void refillFast() {
        std::uint64_t word = 0;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&word, at_, sizeof word);
        } else {
            for (int n = 7; n >= 0; --n)
                word = (word << 8) | at_[n];
        }
        // The bits above the count are those of the next bytes, so loading
        // them again changes nothing.
        bits_ |= word << count_;
        at_ += (63 - count_) >> 3;
        count_ |= 56;
    }
    std::uint64_t peek() const { return bits_; }
    void drop(int n) {
        bits_ >>= n;
        count_ -= n;
    }
    // At most 32 bits; refills first when the count is lower.
    std::uint32_t take(int n) {
        if (count_ < n) refill();
        const auto value = static_cast<std::uint32_t>(bits_ & ((std::uint64_t{1} << n) - 1));
        drop(n);
        return value;
    }
    bool cut() const { return count_ < 0; }
    // Skips to the next whole byte and gives its offset.
    std::size_t toByte() {
        drop(count_ % 8);
        return static_cast<std::size_t>(at_ - begin_) - static_cast<std::size_t>(count_ / 8);
    }
    // The offset of the byte after the last bit read.
    std::size_t end() const {
        return static_cast<std::size_t>(at_ - begin_) - static_cast<std::size_t>(count_ / 8);
    }
    void seek(std::size_t offset) {
        at_ = begin_ + offset;
        bits_ = 0;
        count_ = 0;
    }
    std::size_t size() const { return static_cast<std::size_t>(end_ - begin_); }
    std::ptrdiff_t bytesLeft() const { return end_ - at_; }
    const std::uint8_t* at(std::size_t offset) const { return begin_ + offset; }

  private:
    const std::uint8_t* begin_;
    const std::uint8_t* at_;
    const std::uint8_t* end_;
    std::uint64_t bits_ = 0;
    int count_ = 0;
};

enum class CodeKind { CodeLengths, Lengths, Distances };

// What a symbol stands for, looked up with its codeword: the literal flag
// (bit 31), the literal, base length or base distance (bits 16 to 30), the
// kind (bits 12 to 14), the bits of the codeword (bits 8 to 11) and those of
// the codeword and its extra bits together (bits 0 to 5, which a shift by the
// entry takes alone).
enum Kind : std::uint32_t { kNone = 0, kLiteral = 1, kLength = 2, kEnd = 3, kRefused = 4 };
constexpr std::uint32_t kLiteralFlag = 1u << 31;
constexpr std::uint32_t entry(std::uint32_t value, std::uint32_t extra, Kind kind) {
    return (kind == kLiteral ? kLiteralFlag : 0) | value << 16 | std::uint32_t{kind} << 12 | extra;
}
constexpr int codewordBits(std::uint32_t e) {
    return static_cast<int>((e >> 8) & 15);
}
constexpr int allBits(std::uint32_t e) {
    return static_cast<int>(e & 63);
}
constexpr Kind kindOf(std::uint32_t e) {
    return static_cast<Kind>((e >> 12) & 7);
}
constexpr std::uint32_t valueOf(std::uint32_t e) {
    return (e >> 16) & 0x7FFF;
}
// The value with its extra bits, from the bits the codeword starts.
std::uint32_t valueWithExtra(std::uint32_t e, std::uint64_t bits) {
    const std::uint64_t withExtra = bits & ((std::uint64_t{1} << allBits(e)) - 1);
    return valueOf(e) + static_cast<std::uint32_t>(withExtra >> codewordBits(e));
}

// Codewords are stored from their first bit on, which is read first.
unsigned reversedBits(unsigned code, int length) {
    unsigned reversed = 0;
    for (int b = 0; b < length; ++b)
        reversed |= ((code >> b) & 1u) << (length - 1 - b);
    return reversed;
}

// What a symbol of the code stands for, without its codeword length.
std::uint32_t meaning(int symbol, CodeKind kind) {
    if (kind == CodeKind::CodeLengths)
        return entry(static_cast<std::uint32_t>(symbol), 0, kLiteral);
    if (kind == CodeKind::Distances) {
        if (symbol >= kMostDistanceSymbols) return entry(0, 0, kRefused);  // 30 and 31
        return entry(kDistanceBase[static_cast<std::size_t>(symbol)],
                     kDistanceExtra[static_cast<std::size_t>(symbol)], kLength);
    }
    if (symbol < kEndOfBlock) return entry(static_cast<std::uint32_t>(symbol), 0, kLiteral);
    if (symbol == kEndOfBlock) return entry(0, 0, kEnd);
    const auto index = static_cast<std::size_t>(symbol - 257);
    if (index >= kLengthBase.size()) return entry(0, 0, kRefused);  // 286 and 287
    return entry(kLengthBase[index], kLengthExtra[index], kLength);
}

// A canonical Huffman code as zlib builds it: codewords of up to kRootBits
// bits looked up at once, longer ones (and codewords of no symbol) decoded
// bit by bit from the counts.
template <int kRootBits>
class Code {
  public:
    // False where zlib refuses the lengths: an over-subscribed code, or an
    // incomplete one other than a single codeword of one bit (or, for
    // distances, no codeword at all). The code-length code must be complete.
    bool build(const std::uint8_t* lengths, int count, CodeKind kind) {
        counts_.fill(0);
        for (int s = 0; s < count; ++s)
            ++counts_[lengths[s]];
        counts_[0] = 0;
        root_.fill(entry(0, 0, kNone));
        int longest = 0;
        for (int len = 1; len <= kMaxCodeBits; ++len)
            if (counts_[len]) longest = len;
        if (longest == 0) return kind == CodeKind::Distances;  // decoding one then fails
        int left = 1;
        for (int len = 1; len <= kMaxCodeBits; ++len) {
            left = (left << 1) - counts_[len];
            if (left < 0) return false;
        }
        if (left > 0 && (kind == CodeKind::CodeLengths || longest != 1)) return false;

        std::array<std::uint16_t, kMaxCodeBits + 2> next{};
        for (int len = 1; len <= kMaxCodeBits; ++len)
            next[len + 1] = static_cast<std::uint16_t>(next[len] + counts_[len]);
        for (int s = 0; s < count; ++s)
            if (lengths[s]) {
                const std::uint16_t at = next[lengths[s]]++;
                const std::uint32_t bits = lengths[s];
                meanings_[at] = meaning(s, kind) + (bits | bits << 8);
            }

        unsigned code = 0;
        int index = 0;
        for (int len = 1; len <= kRootBits; ++len) {
            for (int n = 0; n < counts_[len]; ++n, ++code, ++index) {
                const unsigned reversed = reversedBits(code, len);
                for (unsigned i = reversed; i < kRootSize; i += 1u << len)
                    root_[i] = meanings_[index];
            }
            code <<= 1;
        }
        return true;
    }

    // The entry of the codeword the bits start with, which the caller drops;
    // kNone for a codeword of no symbol.
    std::uint32_t lookUp(std::uint64_t bits) const {
        const std::uint32_t e = root_[bits & (kRootSize - 1)];
        return kindOf(e) != kNone ? e : lookUpLong(bits);
    }
    // The same for codewords of up to kRootBits bits; kNone for others.
    std::uint32_t lookUpShort(std::uint64_t bits) const { return root_[bits & (kRootSize - 1)]; }

  private:
    std::uint32_t lookUpLong(std::uint64_t bits) const {
        int code = 0, first = 0, index = 0;
        for (int len = 1; len <= kMaxCodeBits; ++len) {
            code |= static_cast<int>((bits >> (len - 1)) & 1);
            if (code < first + counts_[len]) return meanings_[index + code - first];
            index += counts_[len];
            first = (first + counts_[len]) << 1;
            code <<= 1;
        }
        return entry(0, 0, kNone);
    }

    static constexpr unsigned kRootSize = 1u << kRootBits;
    // Filled by build, which comes first.
    std::array<std::uint32_t, kRootSize> root_;
    std::array<std::uint16_t, kMaxCodeBits + 1> counts_;
    std::array<std::uint32_t, 288> meanings_;  // in the order of their codewords
};

using LengthCode = Code<10>;
using DistanceCode = Code<8>;

struct BlockCodes {
    LengthCode lengths;
    DistanceCode distances;
};

const BlockCodes& fixedCodes() {
    static const BlockCodes codes = [] {
        BlockCodes c;
        std::array<std::uint8_t, 288> lengths{};
        for (int s = 0; s < 288; ++s)
            lengths[static_cast<std::size_t>(s)] = s < 144 ? 8 : s < 256 ? 9 : s < 280 ? 7 : 8;
        c.lengths.build(lengths.data(), 288, CodeKind::Lengths);
        std::array<std::uint8_t, 32> distances{};
        distances.fill(5);
        c.distances.build(distances.data(), 32, CodeKind::Distances);
        return c;
    }();
    return codes;
}

// The entry of the next codeword, dropped from the bits with its extra bits
// (which `bits` keeps); kNone for a codeword of no symbol.
template <class C>
std::uint32_t nextSymbol(BitReader& in, const C& code, std::uint64_t& bits) {
    in.refill();
    bits = in.peek();
    const std::uint32_t e = code.lookUp(bits);
    in.drop(allBits(e));
    return e;
}

// Reads a dynamic block's code lengths and builds its codes.
bool readDynamicCodes(BitReader& in, BlockCodes& codes) {
    const int lengthCount = static_cast<int>(in.take(5)) + 257;
    const int distanceCount = static_cast<int>(in.take(5)) + 1;
    const int codeLengthCount = static_cast<int>(in.take(4)) + 4;
    if (lengthCount > kMostLengthSymbols || distanceCount > kMostDistanceSymbols) return false;
    std::array<std::uint8_t, 19> codeLengths{};
    for (int n = 0; n < codeLengthCount; ++n)
        codeLengths[kCodeLengthOrder[static_cast<std::size_t>(n)]] =
            static_cast<std::uint8_t>(in.take(3));
    Code<7> codeLengthCode;
    if (in.cut() || !codeLengthCode.build(codeLengths.data(), 19, CodeKind::CodeLengths))
        return false;

    std::array<std::uint8_t, kMostLengthSymbols + kMostDistanceSymbols> lengths{};
    const int total = lengthCount + distanceCount;
    for (int have = 0; have < total;) {
        std::uint64_t bits = 0;
        const std::uint32_t e = nextSymbol(in, codeLengthCode, bits);
        if (in.cut() || kindOf(e) == kNone) return false;
        const std::uint32_t symbol = valueOf(e);
        if (symbol < 16) {
            lengths[static_cast<std::size_t>(have++)] = static_cast<std::uint8_t>(symbol);
            continue;
        }
        std::uint8_t repeated = 0;
        int copies = 0;
        if (symbol == 16) {
            if (have == 0) return false;
            repeated = lengths[static_cast<std::size_t>(have - 1)];
            copies = 3 + static_cast<int>(in.take(2));
        } else if (symbol == 17) {
            copies = 3 + static_cast<int>(in.take(3));
        } else {
            copies = 11 + static_cast<int>(in.take(7));
        }
        if (in.cut() || have + copies > total) return false;
        std::memset(&lengths[static_cast<std::size_t>(have)], repeated,
                    static_cast<std::size_t>(copies));
        have += copies;
    }
    return lengths[kEndOfBlock] != 0 &&
           codes.lengths.build(lengths.data(), lengthCount, CodeKind::Lengths) &&
           codes.distances.build(lengths.data() + lengthCount, distanceCount, CodeKind::Distances);
}

// Where the inflated bytes go: `end` is `size` bytes from `begin`, with
// kInflateSlack bytes of scratch after it.
struct Output {
    std::uint8_t* begin;
    std::uint8_t* at;
    std::uint8_t* end;
};

// Copies a match whose source lies `distance` bytes back, in 8-byte pieces
// (the first five whatever the length, which saves a branch on the length of
// most matches); the last pieces may write into later output or the slack.
[[gnu::always_inline]] inline void copyMatch(std::uint8_t* to, std::size_t distance,
                                             std::size_t length) {
    const std::uint8_t* from = to - distance;
    std::uint8_t* const stop = to + length;
    const auto piece = [&] {
        std::uint64_t word;
        std::memcpy(&word, from, 8);
        std::memcpy(to, &word, 8);
        to += 8;
        from += 8;
    };
    if (distance >= 8) {  // each piece read is complete before it is read
        piece();
        piece();
        piece();
        piece();
        piece();
        while (to < stop)
            piece();
    } else if (distance == 1) {
        const std::uint64_t word = from[0] * 0x0101010101010101ull;
        for (; to < stop; to += 8)
            std::memcpy(to, &word, 8);
    } else {
        for (; to < stop; ++to, ++from)
            *to = *from;
    }
}

// A match of the most bytes or two literals; two refills of at most 7 bytes
// each, each reading 8.
constexpr std::ptrdiff_t kRoomOut = 258;
constexpr std::ptrdiff_t kRoomIn = 16;

// One block's symbols up to its end.
bool inflateSymbols(BitReader& reader, const BlockCodes& codes, Output& out) {
    BitReader in = reader;  // copies the compiler keeps in registers
    std::uint8_t* at = out.at;
    std::uint8_t* const begin = out.begin;
    std::uint8_t* const end = out.end;
    const auto finish = [&](bool ended) {
        reader = in;
        out.at = at;
        return ended;
    };
    const auto roomy = [&] { return in.bytesLeft() >= kRoomIn && end - at >= kRoomOut; };
    for (;;) {
        // While the input and the output have room, a refill gives every bit
        // the next symbols take, and only the codewords and distances need
        // checking. The entry of the next codeword is looked up before the
        // refill, from bits already there, so that the two overlap.
        if (roomy()) {
            in.refillFast();
            std::uint32_t e = codes.lengths.lookUpShort(in.peek());
            do {
                if (e & kLiteralFlag) {  // codewords of at most kRootBits
                    in.drop(allBits(e));
                    *at++ = static_cast<std::uint8_t>(e >> 16);
                    e = codes.lengths.lookUpShort(in.peek());
                    if (e & kLiteralFlag) {
                        in.drop(allBits(e));
                        *at++ = static_cast<std::uint8_t>(e >> 16);
                        e = codes.lengths.lookUpShort(in.peek());
                    }
                    in.refillFast();
                    continue;
                }
                if (kindOf(e) != kLength) break;  // the end, or a long or wrong codeword
                const std::size_t length = valueWithExtra(e, in.peek());
                in.drop(allBits(e));
                const std::uint32_t d = codes.distances.lookUp(in.peek());
                const std::size_t distance = valueWithExtra(d, in.peek());
                in.drop(allBits(d));
                e = codes.lengths.lookUpShort(in.peek());
                in.refillFast();
                if (kindOf(d) != kLength || distance > static_cast<std::size_t>(at - begin))
                    return finish(false);  // no symbol, 30 or 31, or too far back
                copyMatch(at, distance, length);
                at += length;
            } while (roomy());
        }
        // Otherwise one symbol with every step checked.
        std::uint64_t bits = 0;
        const std::uint32_t e = nextSymbol(in, codes.lengths, bits);
        const Kind kind = kindOf(e);
        if (kind == kLiteral) {
            if (at == end || in.cut()) return finish(false);
            *at++ = static_cast<std::uint8_t>(valueOf(e));
            continue;
        }
        if (kind != kLength) return finish(kind == kEnd && !in.cut());
        const std::size_t length = valueWithExtra(e, bits);
        const std::uint32_t d = nextSymbol(in, codes.distances, bits);
        const std::size_t distance = valueWithExtra(d, bits);
        if (kindOf(d) != kLength || in.cut() || distance > static_cast<std::size_t>(at - begin) ||
            length > static_cast<std::size_t>(end - at))
            return finish(false);
        copyMatch(at, distance, length);
        at += length;
    }
}

bool copyStored(BitReader& in, Output& out) {
    const std::size_t at = in.toByte();
    if (in.size() - at < 4) return false;
    const std::uint8_t* p = in.at(at);
    const std::size_t length = p[0] | std::size_t{p[1]} << 8;
    const std::size_t complement = p[2] | std::size_t{p[3]} << 8;
    if (length != (~complement & 0xFFFFu) || in.size() - at - 4 < length ||
        length > static_cast<std::size_t>(out.end - out.at))
        return false;
    std::memcpy(out.at, p + 4, length);
    out.at += length;
    in.seek(at + 4 + length);
    return true;
}

}  // namespace

bool inflateAsZlib(std::span<const std::uint8_t> stream, std::size_t size,
                   std::vector<std::uint8_t>& out) {
    constexpr std::size_t kHeader = 2, kAdler = 4;
    if (stream.size() < kHeader + kAdler) return false;
    // Deflate, a window of at most 32 KiB, no preset dictionary, the check.
    const unsigned cmf = stream[0], flg = stream[1];
    if ((cmf & 15) != 8 || (cmf >> 4) > 7 || (flg & 0x20) != 0 || (cmf * 256 + flg) % 31 != 0)
        return false;
    out.resize(size + kInflateSlack);
    Output to{out.data(), out.data(), out.data() + size};
    BitReader in(stream.data() + kHeader, stream.data() + stream.size() - kAdler);
    BlockCodes dynamic;
    bool last = false;
    while (!last) {
        last = in.take(1) != 0;
        const std::uint32_t type = in.take(2);
        if (in.cut()) return false;
        bool ok = false;
        if (type == 0) {
            ok = copyStored(in, to);
        } else if (type == 1) {
            ok = inflateSymbols(in, fixedCodes(), to);
        } else if (type == 2) {
            ok = readDynamicCodes(in, dynamic) && inflateSymbols(in, dynamic, to);
        }
        if (!ok) return false;
    }
    return in.end() == in.size() && to.at == to.end;
}

}  // namespace zentil
