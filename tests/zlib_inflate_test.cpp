// The in-memory inflater must give zlib's answer for every stream: the bytes
// zlib gives, or a refusal where zlib refuses. zlib itself is the yardstick,
// over streams built to break each rule of a deflate stream next to their
// right twins, and over zlib's own streams with bits flipped. As the image
// data of a PNG picture, each built stream gets the same answer held in
// memory and read from a file piece by piece, which streams through zlib.
#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <string>
#include <vector>

#include "deflate_writer.h"
#include "formats/png_codec.h"
#include "formats/zlib_inflate.h"
#include "image/page.h"
#include "trickle_source.h"

namespace zentil {
namespace {

using Bytes = std::vector<std::uint8_t>;

// zlib's answer: the bytes when it inflates the stream to exactly `size`
// bytes ending at its last byte (without checking the Adler-32, as the PNG
// reader does not), nothing otherwise.
bool zlibInflates(const Bytes& stream, std::size_t size, Bytes& out) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return false;
    inflateValidate(&z, 0);
    out.assign(size + 1, 0);
    z.next_in = const_cast<Bytef*>(stream.data());
    z.avail_in = static_cast<uInt>(stream.size());
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    const int result = inflate(&z, Z_FINISH);
    const bool whole = result == Z_STREAM_END && z.total_out == size && z.avail_in == 0;
    inflateEnd(&z);
    out.resize(size);
    return whole;
}

// The stream as the image data of a grey row gets the same answer held in
// memory and read piece by piece.
void expectTheSameAnswerBothWays(const Bytes& stream, std::size_t size, const std::string& what) {
    const Bytes file = test::greyRowPng(stream, size);
    IndexedPicture inMemory, pieced;
    const Outcome whole = decodePng(file, inMemory, kMaxPixelBufferBytes);
    test::TrickleSource trickle(file, 1000);
    const auto intoPieced = [&pieced](int width, int height, std::size_t& stride) {
        stride = static_cast<std::size_t>(width);
        pieced.indexes.resize(stride * static_cast<std::size_t>(height));
        return pieced.indexes.data();
    };
    IndexedPicture ignored;
    const Outcome streamed = decodePngInto(trickle, ignored, intoPieced, kMaxPixelBufferBytes);
    EXPECT_EQ(whole.text, streamed.text) << what;
    if (whole && streamed) {
        EXPECT_EQ(inMemory.indexes, pieced.indexes) << what;
    }
}

void expectZlibsAnswer(const Bytes& stream, std::size_t size, const std::string& what) {
    Bytes want, got;
    const bool zlib = zlibInflates(stream, size, want);
    ASSERT_EQ(inflateAsZlib(stream, size, got), zlib) << what;
    if (zlib) {
        ASSERT_EQ(got.size(), size + kInflateSlack) << what;
        EXPECT_TRUE(std::equal(want.begin(), want.end(), got.begin())) << what;
    }
}

// One symbol of a block: a literal, or a match of `length` at `distance`
// given as its symbols and extra bits.
struct Symbol {
    int litlen;
    int lengthExtra = 0, lengthExtraBits = 0;
    int distance = -1, distanceExtra = 0, distanceExtraBits = 0;
};

void writeSymbols(test::BitWriter& w, const std::vector<int>& litlenLengths,
                  const std::vector<int>& distanceLengths, const std::vector<Symbol>& symbols) {
    const std::vector<unsigned> lit = test::codewords(litlenLengths);
    const std::vector<unsigned> dist = test::codewords(distanceLengths);
    for (const Symbol& s : symbols) {
        const auto l = static_cast<std::size_t>(s.litlen);
        w.codeword(lit[l], litlenLengths[l]);
        w.bits(static_cast<unsigned>(s.lengthExtra), s.lengthExtraBits);
        if (s.distance < 0) continue;
        const auto d = static_cast<std::size_t>(s.distance);
        w.codeword(dist[d], distanceLengths[d]);
        w.bits(static_cast<unsigned>(s.distanceExtra), s.distanceExtraBits);
    }
}

// A final fixed block of the symbols, then the end of the block.
Bytes fixedBlock(std::vector<Symbol> symbols) {
    test::BitWriter w;
    w.bits(1, 1);
    w.bits(1, 2);
    symbols.push_back({256});
    writeSymbols(w, test::fixedLitlenLengths(), std::vector<int>(32, 5), symbols);
    return w.stream();
}

// A dynamic block: its header as given (counts, code-length code, the code
// lengths as code-length symbols with their extra bits), then the symbols
// under the code lengths the list spells.
struct Dynamic {
    int hlit = 257, hdist = 1;
    std::vector<int> codeLengthLengths;     // in the order of the list, HCLEN + 4 of them
    std::vector<std::pair<int, int>> list;  // code-length symbol, its extra bits
    std::vector<int> litlen, distance;      // what the list spells, to write symbols with
    std::vector<Symbol> symbols;
};

constexpr int kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

Bytes dynamicBlock(const Dynamic& d) {
    test::BitWriter w;
    w.bits(1, 1);
    w.bits(2, 2);
    w.bits(static_cast<unsigned>(d.hlit - 257), 5);
    w.bits(static_cast<unsigned>(d.hdist - 1), 5);
    w.bits(static_cast<unsigned>(d.codeLengthLengths.size() - 4), 4);
    std::vector<int> byValue(19, 0);
    for (std::size_t n = 0; n < d.codeLengthLengths.size(); ++n) {
        w.bits(static_cast<unsigned>(d.codeLengthLengths[n]), 3);
        byValue[static_cast<std::size_t>(kOrder[n])] = d.codeLengthLengths[n];
    }
    const std::vector<unsigned> codes = test::codewords(byValue);
    for (const auto& [symbol, extra] : d.list) {
        const auto s = static_cast<std::size_t>(symbol);
        w.codeword(codes[s], byValue[s]);
        if (symbol == 16) w.bits(static_cast<unsigned>(extra), 2);
        if (symbol == 17) w.bits(static_cast<unsigned>(extra), 3);
        if (symbol == 18) w.bits(static_cast<unsigned>(extra), 7);
    }
    writeSymbols(w, d.litlen, d.distance, d.symbols);
    return w.stream();
}

// A complete code-length code: 4 bits for lengths 0 to 12, 5 bits for the
// rest, listed in the order of the header.
std::vector<int> codeLengthCode() {
    std::vector<int> lengths(19);
    for (std::size_t n = 0; n < 19; ++n)
        lengths[n] = kOrder[n] <= 12 ? 4 : 5;
    return lengths;
}

// The list spelling litlen lengths and distance lengths one by one.
std::vector<std::pair<int, int>> listOf(const std::vector<int>& litlen,
                                        const std::vector<int>& distance) {
    std::vector<std::pair<int, int>> list;
    for (int len : litlen)
        list.push_back({len, 0});
    for (int len : distance)
        list.push_back({len, 0});
    return list;
}

// A dynamic block of a complete literal code (the end of block and length
// symbol 257 of 2 bits, literals 0 to 3 of 3) and two distance codes of one
// bit, writing 0, 1, 2, 3 and then a match of 3 at distance 1.
Dynamic rightDynamic() {
    Dynamic d;
    d.litlen.assign(258, 0);
    for (std::size_t c = 0; c <= 3; ++c)
        d.litlen[c] = 3;
    d.litlen[256] = 2;
    d.litlen[257] = 2;
    d.hlit = 258;
    d.distance = {1, 1};
    d.hdist = 2;
    d.codeLengthLengths = codeLengthCode();
    d.list = listOf(d.litlen, d.distance);
    d.symbols = {{0}, {1}, {2}, {3}, {257, 0, 0, 0}, {256}};
    return d;
}

TEST(ZlibInflate, RefusesWhatZlibRefusesAndTakesItsRightTwin) {
    struct Case {
        std::string name;
        Bytes wrong, right;
        std::size_t size;
    };
    std::vector<Case> cases;
    // Fixed blocks: length symbols 286 and 287 and distance symbols 30 and
    // 31 have codewords but no meaning.
    for (int litlen : {286, 287})
        cases.push_back({"fixed block, length symbol " + std::to_string(litlen),
                         fixedBlock({{0}, {litlen, 0, 0, 0}}), fixedBlock({{0}, {285, 0, 0, 0}}),
                         259});
    for (int distance : {30, 31}) {
        std::vector<Symbol> far(40000 / 258 + 1, Symbol{285, 0, 0, 0});
        far.insert(far.begin(), {0});
        std::vector<Symbol> farWrong = far;
        farWrong.push_back({258, 0, 0, distance, 0, 13});
        std::vector<Symbol> farRight = far;
        farRight.push_back({258, 0, 0, 29, 0, 13});
        cases.push_back({"fixed block, distance symbol " + std::to_string(distance),
                         fixedBlock(farWrong), fixedBlock(farRight),
                         1 + far.size() * 258 - 258 + 4});
    }
    cases.push_back({"fixed block, distance past the start",
                     fixedBlock({{0}, {1}, {257, 0, 0, 2, 0, 0}}),
                     fixedBlock({{0}, {1}, {257, 0, 0, 1, 0, 0}}), 5});
    // Dynamic blocks whose header breaks a rule.
    const Dynamic right = rightDynamic();
    const Bytes rightBytes = dynamicBlock(right);
    const std::size_t rightSize = 7;
    const auto wrongDynamic = [&](const std::string& name, auto change) {
        Dynamic d = right;
        change(d);
        cases.push_back({"dynamic block, " + name, dynamicBlock(d), rightBytes, rightSize});
    };
    wrongDynamic("HLIT of 288 lengths", [](Dynamic& d) {
        d.hlit = 288;
        d.litlen.resize(288, 0);
        d.list = listOf(d.litlen, d.distance);
    });
    wrongDynamic("HLIT of 287 lengths", [](Dynamic& d) {
        d.hlit = 287;
        d.litlen.resize(287, 0);
        d.list = listOf(d.litlen, d.distance);
    });
    wrongDynamic("HDIST of 31 lengths", [](Dynamic& d) {
        d.hdist = 31;
        d.distance.resize(31, 0);
        d.list = listOf(d.litlen, d.distance);
    });
    wrongDynamic("a repeat of zeros past the list", [](Dynamic& d) {
        d.list.pop_back();
        d.list.push_back({17, 0});  // three zeros where one length is left
    });
    wrongDynamic("a repeat of the last length past the list", [](Dynamic& d) {
        d.list.pop_back();
        d.list.push_back({16, 0});
    });
    wrongDynamic("a repeat with nothing before it", [](Dynamic& d) {
        d.list.erase(d.list.begin(), d.list.begin() + 3);
        d.list.insert(d.list.begin(), {16, 0});
    });
    wrongDynamic("an incomplete code-length code", [](Dynamic& d) {
        d.codeLengthLengths[3] = 5;  // the code of length 0, one bit longer
    });
    wrongDynamic("a code-length code of one codeword of one bit", [](Dynamic& d) {
        d.codeLengthLengths.assign(19, 0);
        d.codeLengthLengths[3] = 1;  // only length 0
        d.list.assign(static_cast<std::size_t>(d.hlit + d.hdist), {0, 0});
    });
    wrongDynamic("no end of block", [](Dynamic& d) {
        d.litlen[256] = 0;
        d.list = listOf(d.litlen, d.distance);
    });
    wrongDynamic("an over-subscribed literal code", [](Dynamic& d) {
        d.litlen[4] = 2;
        d.list = listOf(d.litlen, d.distance);
    });
    wrongDynamic("an incomplete literal code", [](Dynamic& d) {
        d.litlen[2] = 0;
        d.list = listOf(d.litlen, d.distance);
    });
    wrongDynamic("an over-subscribed distance code", [](Dynamic& d) {
        d.distance = {1, 1, 1};
        d.hdist = 3;
        d.list = listOf(d.litlen, d.distance);
    });
    wrongDynamic("an incomplete distance code of two bits", [](Dynamic& d) {
        d.distance = {2, 0};
        d.list = listOf(d.litlen, d.distance);
    });
    wrongDynamic("the unused codeword of a distance code of one codeword", [](Dynamic& d) {
        d.distance = {1, 0};
        d.list = listOf(d.litlen, d.distance);
        d.symbols[4].distance = 1;  // written with the codeword '1', which no symbol has
        d.distance = {1, 1};
    });
    wrongDynamic("a match under a distance code of no codeword", [](Dynamic& d) {
        d.distance = {0, 0};
        d.list = listOf(d.litlen, d.distance);
        d.distance = {1, 1};
    });
    for (const Case& c : cases) {
        expectZlibsAnswer(c.wrong, c.size, c.name);
        expectTheSameAnswerBothWays(c.wrong, c.size, c.name);
        Bytes got;
        ASSERT_TRUE(inflateAsZlib(c.right, c.size, got)) << c.name << ", its right twin";
        expectZlibsAnswer(c.right, c.size, c.name + ", its right twin");
        expectTheSameAnswerBothWays(c.right, c.size, c.name + ", its right twin");
    }
}

// zlib's own streams of every kind of block, with a byte or two changed, cut,
// or lengthened, against zlib's answer.
TEST(ZlibInflate, GivesZlibsAnswerForDamagedStreams) {
    std::mt19937 rng(57);
    const int strategies[] = {Z_DEFAULT_STRATEGY, Z_FIXED, Z_HUFFMAN_ONLY, Z_RLE, Z_FILTERED};
    int taken = 0, refused = 0;
    for (int round = 0; round < 3000; ++round) {
        Bytes raw(static_cast<std::size_t>(rng() % 3000 + 1));
        const unsigned alphabet = rng() % 20 + 1;
        for (std::uint8_t& b : raw)
            b = static_cast<std::uint8_t>(rng() % 8 ? rng() % alphabet : rng());
        z_stream z{};
        ASSERT_EQ(deflateInit2(&z, static_cast<int>(rng() % 10), Z_DEFLATED, 15, 8,
                               strategies[rng() % 5]),
                  Z_OK);
        Bytes stream(deflateBound(&z, static_cast<uLong>(raw.size())) + 16);
        z.next_in = raw.data();
        z.avail_in = static_cast<uInt>(raw.size());
        z.next_out = stream.data();
        z.avail_out = static_cast<uInt>(stream.size());
        // Stored blocks and several blocks, now and then.
        if (round % 7 == 0) {
            z.avail_in = static_cast<uInt>(raw.size() / 2);
            deflate(&z, Z_FULL_FLUSH);
            z.avail_in = static_cast<uInt>(raw.size() - raw.size() / 2);
        }
        ASSERT_EQ(deflate(&z, Z_FINISH), Z_STREAM_END);
        stream.resize(z.total_out);
        deflateEnd(&z);

        const int damage = round % 5;
        const std::size_t at = rng() % stream.size();
        if (damage == 1) stream[at] ^= static_cast<std::uint8_t>(1u << (rng() % 8));
        if (damage == 2) stream[at] = static_cast<std::uint8_t>(rng());
        if (damage == 3) stream.resize(at);
        if (damage == 4) stream.push_back(static_cast<std::uint8_t>(rng()));
        std::size_t size = raw.size();
        if (round % 11 == 0) size = size + 1 - rng() % 3;  // a byte more or fewer expected
        expectZlibsAnswer(stream, size, "round " + std::to_string(round));
        Bytes out;
        (inflateAsZlib(stream, size, out) ? taken : refused)++;
    }
    // Both answers come up often.
    EXPECT_GT(taken, 600);
    EXPECT_GT(refused, 600);
}

}  // namespace
}  // namespace zentil
