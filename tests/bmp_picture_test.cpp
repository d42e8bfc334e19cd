#include <bit>
#include <climits>
#include <cmath>

#include "formats/bmp_picture.h"
#include "picture_files.h"
#include "system/texts.h"
#include "test_support.h"
#include "trickle_source.h"

namespace zentil {
namespace {

using test::BmpLayout;
using test::Bytes;

constexpr std::uint64_t kLimit = std::uint64_t{1} << 24;

struct BmpCase {
    const char* name;
    int width, bits, compression, headerSize;
    bool topDown;
    std::array<std::uint32_t, 4> masks;  // how true-colour pixels are packed
    std::uint32_t junk;                  // bits outside the masks, set in every pixel
    int paletteEntries;
};

// Channel c of pixel (x, y), as stored in a channel of `max` + 1 levels.
std::uint32_t level(int x, int y, int c, std::uint32_t max) {
    return static_cast<std::uint32_t>(x < 5 ? 40 * c + y : x * 37 + y * 11 + c * 50) % (max + 1);
}

// A stored level as 8 bits: scaled to the full range, or the top 8 bits of
// wider channels.
std::uint8_t eightBits(std::uint32_t v, int bits) {
    if (bits > 8) return static_cast<std::uint8_t>(v >> (bits - 8));
    return static_cast<std::uint8_t>(std::lround(v * 255.0 / ((1u << bits) - 1)));
}

// Files of every depth and compression read back as they were written, from
// memory and from a source that hands them over a few bytes at a time.
TEST(BmpPictureTest, EveryDepthAndCompressionReadsBackAsWritten) {
    constexpr std::array<std::uint32_t, 4> k555 = {0x7C00, 0x03E0, 0x001F, 0};
    constexpr std::array<std::uint32_t, 4> k888 = {0xFF0000, 0xFF00, 0xFF, 0};
    constexpr std::array<std::uint32_t, 4> k8888 = {0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    const BmpCase cases[] = {
        {"1-bit", 13, 1, 0, 40, false, {}, 0, 2},
        {"1-bit, old core header", 13, 1, 0, 12, false, {}, 0, 2},
        {"2-bit", 13, 2, 0, 40, false, {}, 0, 4},
        {"4-bit, top row first", 13, 4, 0, 40, true, {}, 0, 16},
        {"4-bit, 5 colours", 13, 4, 0, 40, false, {}, 0, 5},
        {"8-bit, no palette", 13, 8, 0, 40, false, {}, 0, 0},
        {"8-bit, 20 colours, v5 header", 13, 8, 0, 124, false, {}, 0, 20},
        {"RLE8", 13, 8, 1, 40, false, {}, 0, 256},
        {"RLE8, wide rows", 600, 8, 1, 108, false, {}, 0, 256},
        {"RLE4", 13, 4, 2, 40, false, {}, 0, 16},
        {"RLE4, wide rows", 599, 4, 2, 40, false, {}, 0, 16},
        {"16-bit 5-5-5", 13, 16, 0, 40, false, k555, 0x8000, 0},
        {"16-bit 5-6-5", 13, 16, 3, 40, false, {0xF800, 0x07E0, 0x001F, 0}, 0, 0},
        {"16-bit 4-4-4-4, v4 header", 13, 16, 3, 108, true, {0x0F00, 0xF0, 0xF, 0xF000}, 0, 0},
        {"24-bit", 13, 24, 0, 40, false, k888, 0, 0},
        {"24-bit, top row first, v5 header", 14, 24, 0, 124, true, k888, 0, 0},
        {"32-bit, fourth byte no alpha", 13, 32, 0, 40, false, k888, 0x5A000000, 0},
        {"32-bit with alpha, v5 header", 13, 32, 3, 124, false, k8888, 0, 0},
        {"32-bit with alpha after the header", 13, 32, 6, 40, false, k8888, 0, 0},
        {"32-bit bit fields, no alpha", 13, 32, 3, 52, false, k888, 0xFF000000, 0},
        {"32-bit 10-10-10", 13, 32, 3, 40, false, {0x3FF00000, 0xFFC00, 0x3FF, 0}, 0, 0},
        {"32-bit red in the low byte",
         13,
         32,
         3,
         56,
         false,
         {0xFF, 0xFF00, 0xFF0000, 0xFF000000},
         0,
         0},
    };
    for (const BmpCase& c : cases) {
        SCOPED_TRACE(c.name);
        BmpLayout s{c.width,   7,       c.bits,           c.compression,       c.headerSize,
                    c.topDown, c.masks, c.paletteEntries, test::rampPalette(), {}};
        IndexedPicture indexed{c.width, 7, {}, {}, -1, 0};
        RgbaPicture rgba{c.width, 7, {}};
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < c.width; ++x) {
                if (c.bits <= 8) {
                    s.pixels.push_back(level(x, y, 0, (1u << c.bits) - 1));
                    indexed.indexes.push_back(static_cast<std::uint8_t>(s.pixels.back()));
                    continue;
                }
                std::uint32_t v = c.junk;
                for (int k = 0; k < 4; ++k) {
                    const std::uint32_t m = c.masks[k];
                    const int bits = std::popcount(m);
                    const std::uint32_t l = m ? level(x, y, k, m >> std::countr_zero(m)) : 0;
                    v |= l << (m ? std::countr_zero(m) : 0);
                    rgba.rgba.push_back(m ? eightBits(l, bits) : 255);
                }
                s.pixels.push_back(v);
            }
        for (int e = 0; e < c.paletteEntries; ++e)
            std::copy_n(&s.palette[e * 3], 3, &indexed.palette[e * 3]);
        const Bytes file = test::bmpFile(s);
        MemorySource memory(file);
        test::TrickleSource trickle(file);
        for (ByteSource* source : std::initializer_list<ByteSource*>{&memory, &trickle}) {
            DecodedPicture read;
            const Outcome decoded = decodeBmp(*source, read, kLimit);
            ASSERT_TRUE(decoded) << decoded.text;
            if (c.bits <= 8) {
                ASSERT_TRUE(std::holds_alternative<IndexedPicture>(read));
                const auto& got = std::get<IndexedPicture>(read);
                EXPECT_EQ(got.indexes, indexed.indexes);
                EXPECT_EQ(got.palette, indexed.palette);
                EXPECT_EQ(got.transparentIndex, -1);
            } else {
                ASSERT_TRUE(std::holds_alternative<RgbaPicture>(read));
                const auto& got = std::get<RgbaPicture>(read);
                EXPECT_EQ(got.width, c.width);
                EXPECT_EQ(got.height, 7);
                EXPECT_EQ(got.rgba, rgba.rgba);
            }
        }
        BmpFacts facts;
        ASSERT_TRUE(describeBmp(memory, facts));
        EXPECT_EQ(facts.width, c.width);
        EXPECT_EQ(facts.height, 7);
        EXPECT_EQ(facts.topDown, c.topDown);
        EXPECT_EQ(facts.bitsPerPixel, c.bits);
        EXPECT_EQ(static_cast<int>(facts.compression), c.compression);
        EXPECT_EQ(facts.paletteEntries, c.paletteEntries);
        EXPECT_EQ(facts.alpha, c.compression >= 3 && c.masks[3] != 0);
    }
}

TEST(BmpPictureTest, AnAlphaMaskOverAlphaOfZeroEverywhereGivesAnOpaquePicture) {
    BmpLayout s{2, 1, 32, 3, 124, false, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 0, {}, {}};
    for (const auto& [pixels, alpha] :
         {std::pair{std::vector<std::uint32_t>{0x112233, 0x445566}, Bytes{255, 255}},
          std::pair{std::vector<std::uint32_t>{0x112233, 0x80445566}, Bytes{0, 0x80}}}) {
        s.pixels = pixels;
        DecodedPicture read;
        ASSERT_TRUE(decodeBmp(test::bmpFile(s), read, kLimit));
        const Bytes& rgba = std::get<RgbaPicture>(read).rgba;
        EXPECT_EQ((Bytes{rgba[3], rgba[7]}), alpha);
    }
}

// An RLE8 picture of w x h whose pixel data is `codes`.
Bytes withCodes(int w, int h, int bits, const Bytes& codes) {
    BmpLayout s{w, h, bits, bits == 8 ? 1 : 2, 40, false, {}, 0, {}, {}};
    s.pixels.assign(static_cast<std::size_t>(w) * h, 1);
    Bytes b = test::bmpFile(s);
    b.resize(b[10] | (b[11] << 8));
    b.insert(b.end(), codes.begin(), codes.end());
    return b;
}

TEST(BmpPictureTest, JumpsAndEarlyEndsLeaveIndexZero) {
    struct RunCase {
        const char* name;
        int bits;
        Bytes codes;
        Bytes indexes;  // 4 x 3, top row first
    };
    const RunCase cases[] = {
        {"a run, an end of line, a jump, the end",
         8,
         {2, 7, 0, 0, 0, 2, 1, 1, 1, 9, 0, 1},
         {0, 9, 0, 0, 0, 0, 0, 0, 7, 7, 0, 0}},
        {"runs of indexes as they are, padded",
         8,
         {0, 3, 4, 5, 6, 0, 1, 8, 0, 0, 0, 4, 1, 2, 3, 4, 0, 1},
         {0, 0, 0, 0, 1, 2, 3, 4, 4, 5, 6, 8}},
        {"4-bit runs alternate, odd runs as they are",
         4,
         {3, 0x12, 0, 0, 0, 3, 0x45, 0x60, 0, 1},
         {0, 0, 0, 0, 4, 5, 6, 0, 1, 2, 1, 0}},
        {"complete without its closing codes",
         8,
         {4, 1, 0, 0, 4, 2, 0, 0, 4, 3},
         {3, 3, 3, 3, 2, 2, 2, 2, 1, 1, 1, 1}},
    };
    for (const RunCase& c : cases) {
        DecodedPicture read;
        ASSERT_TRUE(decodeBmp(withCodes(4, 3, c.bits, c.codes), read, kLimit)) << c.name;
        EXPECT_EQ(std::get<IndexedPicture>(read).indexes, c.indexes) << c.name;
    }
}

// Sets the little-endian field of `bytes` bytes at `at`.
Bytes with(Bytes b, std::size_t at, std::int64_t v, int bytes = 4) {
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    return b;
}

TEST(BmpPictureTest, DamagedFilesAreRefusedWithTheirReason) {
    auto because = [](const char* reason) {
        return formatText(texts::kBmpCannotReadBecauseF, reason);
    };
    BmpLayout s{4, 4, 8, 0, 40, false, {}, 16, {}, {}};
    s.pixels.assign(16, 3);
    const Bytes plain = test::bmpFile(s);
    s.bits = 16;
    s.compression = 3;
    s.masks = {0xF800, 0x07E0, 0x1F, 0};
    s.paletteEntries = 0;
    const Bytes masked = test::bmpFile(s);  // masks at 54, 58, 62
    const Bytes cutShort(plain.begin(), plain.end() - 5);
    const struct {
        const char* name;
        Bytes file;
        std::string text;
    } cases[] = {
        {"empty", {}, because(texts::kPngReasonEmpty)},
        {"another signature", with(plain, 0, 'B' | 'X' << 8, 2), because(texts::kBmpReasonNotBmp)},
        {"header cut", Bytes(plain.begin(), plain.begin() + 30), because(texts::kPngReasonCut)},
        {"unknown header size", with(plain, 14, 50), because(texts::kBmpReasonNotBmp)},
        {"pixels past the end", with(plain, 10, 5000), because(texts::kPngReasonCut)},
        {"pixels inside the header", with(plain, 10, 40), because(texts::kPngReasonDamaged)},
        {"pixels cut short", cutShort, because(texts::kPngReasonCut)},
        {"no width", with(plain, 18, 0), because(texts::kPngReasonDamaged)},
        {"negative width", with(plain, 18, -4), because(texts::kPngReasonDamaged)},
        {"no height", with(plain, 22, INT_MIN), because(texts::kPngReasonDamaged)},
        {"7 bits", with(plain, 28, 7, 2), formatText(texts::kBmpUnsupportedDepthF, 7)},
        {"JPEG inside", with(plain, 30, 4), formatText(texts::kBmpUnsupportedCompressionF, 4)},
        {"RLE4 of 8 bits", with(plain, 30, 2), because(texts::kPngReasonDamaged)},
        {"bit fields of 8 bits", with(plain, 30, 3), because(texts::kPngReasonDamaged)},
        {"absurd size", with(with(plain, 18, 100000), 22, 100000), texts::kCannotCreateImage},
        {"masks overlap", with(masked, 58, 0x0FE0), because(texts::kBmpReasonBadMasks)},
        {"no red mask", with(masked, 54, 0), because(texts::kBmpReasonBadMasks)},
        {"a gap in a mask", with(masked, 62, 0x1B), because(texts::kBmpReasonBadMasks)},
        {"a mask past 16 bits", with(masked, 54, 0x1F0000), because(texts::kBmpReasonBadMasks)},
        {"masks cut", Bytes(masked.begin(), masked.begin() + 60), because(texts::kPngReasonCut)},
        {"a run past the row", withCodes(4, 3, 8, {5, 1}), because(texts::kBmpReasonRunOutside)},
        {"indexes past the row", withCodes(4, 3, 8, {2, 1, 0, 3, 1, 2, 3, 0}),
         because(texts::kBmpReasonRunOutside)},
        {"a jump past the picture", withCodes(4, 3, 8, {0, 2, 0, 4}),
         because(texts::kBmpReasonRunOutside)},
        {"a row past the last", withCodes(4, 1, 8, {0, 0, 1, 1}),
         because(texts::kBmpReasonRunOutside)},
        {"runs cut short", withCodes(4, 3, 8, {4, 1, 0, 0}), because(texts::kPngReasonCut)},
        {"indexes cut short", withCodes(4, 3, 4, {0, 4, 0x12}), because(texts::kPngReasonCut)},
        {"a jump cut short", withCodes(4, 3, 8, {0, 2, 1}), because(texts::kPngReasonCut)},
    };
    for (const auto& c : cases) {
        DecodedPicture read = RgbaPicture{9, 9, {}};
        EXPECT_EQ(decodeBmp(c.file, read, kLimit).text, c.text) << c.name;
        EXPECT_EQ(std::get<RgbaPicture>(read).width, 9) << c.name;
    }
}

}  // namespace
}  // namespace zentil
