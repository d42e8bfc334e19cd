#include "formats/tga_picture.h"
#include "file_builders.h"
#include "formats/tga_file.h"
#include "picture_files.h"
#include "system/texts.h"
#include "test_support.h"
#include "trickle_source.h"

namespace zentil {
namespace {

using test::Bytes;
using test::TgaLayout;

constexpr std::uint64_t kLimit = std::uint64_t{1} << 24;

// A 5-bit level as 8 bits, its top bits repeated below it.
std::uint8_t from5(std::uint32_t c) {
    return static_cast<std::uint8_t>((c << 3) | (c >> 2));
}

// The pixel (x, y) as stored: a run at the start of each row, then varied.
std::uint32_t stored(int x, int y) {
    return x < 40 ? 0x8A3C5E71u + y : (x * 2654435761u) ^ (y * 40503u);
}

// A stored pixel as red, green, blue and alpha.
std::array<std::uint8_t, 4> asRgba(std::uint32_t v, int type, int depth, bool alpha) {
    const auto byte = [](std::uint32_t b) { return static_cast<std::uint8_t>(b); };
    if (type == 3) return {byte(v), byte(v), byte(v), alpha ? byte(v >> 8) : byte(255)};
    if (depth <= 16)
        return {from5(v >> 10 & 31), from5(v >> 5 & 31), from5(v & 31),
                byte(alpha && !(v & 0x8000) ? 0 : 255)};
    return {byte(v >> 16), byte(v >> 8), byte(v), alpha ? byte(v >> 24) : byte(255)};
}

struct TrueColourCase {
    int type, depth, attributeBits;
    bool idAndMap;  // an ID field and a colour map the type does not use
};

// Pictures of every type, depth, order and coding read back as written,
// from memory and from a source that hands them over a few bytes at a time.
TEST(TgaPictureTest, EveryTrueColourAndGreyKindReadsBackAsWritten) {
    const TrueColourCase cases[] = {
        {2, 15, 0, false}, {2, 16, 0, false}, {2, 16, 1, false}, {2, 24, 0, false},
        {2, 24, 0, true},  {2, 32, 0, false}, {2, 32, 8, true},  {3, 8, 0, false},
        {3, 8, 0, true},   {3, 16, 0, false}, {3, 16, 8, false},
    };
    constexpr int w = 150, h = 3;  // packets run on from row to row
    for (const TrueColourCase& c : cases)
        for (int runs : {0, 8})
            for (int order : {0x00, 0x10, 0x20, 0x30}) {
                SCOPED_TRACE(testing::Message() << "type " << c.type + runs << ", " << c.depth
                                                << " bits, descriptor " << order);
                TgaLayout s{c.type + runs, c.depth, order | c.attributeBits, w, h, {}, 0, {}};
                if (c.idAndMap) {
                    s.id = {'z', 'e', 'n'};
                    s.mapEntries = 3;
                }
                Bytes expected;
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x) {
                        const std::uint32_t v =
                            stored(x, y) & (c.depth == 32 ? ~0u : (1u << c.depth) - 1);
                        s.pixels.push_back(v);
                        if (c.depth == 8)
                            expected.push_back(static_cast<std::uint8_t>(v));
                        else
                            for (std::uint8_t channel :
                                 asRgba(v, c.type, c.depth, c.attributeBits != 0))
                                expected.push_back(channel);
                    }
                const Bytes file = test::tgaFile(s);
                MemorySource memory(file);
                test::TrickleSource trickle(file);
                for (ByteSource* source : std::initializer_list<ByteSource*>{&memory, &trickle}) {
                    DecodedPicture read;
                    ASSERT_TRUE(decodeTgaPicture(*source, read, kLimit, {}));
                    if (c.depth == 8) {
                        const auto& got = std::get<IndexedPicture>(read);
                        EXPECT_EQ(got.indexes, expected);
                        EXPECT_EQ(got.palette[200 * 3 + 1], 200);  // a grey ramp
                    } else {
                        const auto& got = std::get<RgbaPicture>(read);
                        EXPECT_EQ(got.width, w);
                        EXPECT_EQ(got.rgba, expected);
                    }
                }
            }
}

// Pictures of 8-bit indexes give the picture reader what they give the page
// reader, refusals included.
TEST(TgaPictureTest, IndexedPicturesReadAsPagesRead) {
    auto layout = [](int type, int descriptor, int mapEntries) {
        TgaLayout s{type, 8, descriptor, 150, 3, {}, mapEntries, {}};
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 150; ++x)
                s.pixels.push_back(stored(x, y) & 0xFF);
        return s;
    };
    auto header = [](auto change) {
        test::TgaFields f;
        change(f);
        Bytes b = test::tgaHeader(f);
        b.resize(b.size() + 768 + 4, 1);
        return b;
    };
    TgaLayout withId = layout(1, 0, 256);
    withId.id = {1};
    const Bytes files[] = {
        test::tgaFile(layout(1, 0x00, 256)),
        test::tgaFile(layout(1, 0x30, 3)),
        test::tgaFile(layout(9, 0x10, 256)),
        test::tgaFile(layout(9, 0x20, 0)),
        test::tgaFile(layout(2, 0x00, 0)),
        test::tgaFile(layout(10, 0x20, 0)),
        test::tgaFile(withId),
        header([](test::TgaFields& f) { f.xOrigin = 2; }),
        header([](test::TgaFields& f) { f.depth = 16; }),
        header([](test::TgaFields& f) { f.type = 9, f.depth = 24; }),
        header([](test::TgaFields& f) { f.width = 0; }),
        header([](test::TgaFields& f) { f.mapBits = 8; }),
        header([](test::TgaFields& f) { f.height = 300; }),
    };
    PageDefaults defaults;
    defaults.palette = test::rampPalette();
    for (const Bytes& file : files) {
        Page page;
        DecodedPicture read;
        const Outcome asPage = decodeTga(file, page, defaults);
        const Outcome asPicture = decodeTgaPicture(file, read, kLimit, defaults.palette);
        ASSERT_EQ(asPicture.text, asPage.text);
        if (!asPage) continue;
        const auto& picture = std::get<IndexedPicture>(read);
        EXPECT_EQ(picture.palette, page.palette);
        for (int y = 0; y < page.height; ++y)
            for (int x = 0; x < page.width; ++x)
                ASSERT_EQ(picture.indexes[static_cast<std::size_t>(y) * page.width + x],
                          pixelAt(page, x, y));
    }
}

TEST(TgaPictureTest, DamagedTrueColourPicturesAreRefused) {
    TgaLayout s{2, 24, 0, 4, 4, {}, 0, std::vector<std::uint32_t>(16, 0x123456)};
    const Bytes plain = test::tgaFile(s);
    s.type = 10;
    const Bytes runs = test::tgaFile(s);
    auto with = [](Bytes b, std::size_t at, int v, int bytes = 2) {
        for (int i = 0; i < bytes; ++i)
            b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
        return b;
    };
    const struct {
        const char* name;
        Bytes file;
        std::string text;
        std::uint64_t limit = kLimit;
    } cases[] = {
        {"header cut", Bytes(plain.begin(), plain.begin() + 17), texts::kReadFailed},
        {"pixels cut", Bytes(plain.begin(), plain.end() - 1), texts::kReadFailed},
        {"packets cut", Bytes(runs.begin(), runs.end() - 1), texts::kReadFailed},
        {"packets too few for the size", with(with(runs, 12, 65535), 14, 65535),
         texts::kReadFailed},
        {"an ID field past the end", with(plain, 0, 200, 1), texts::kReadFailed},
        {"a colour map past the end", with(with(with(plain, 1, 1, 1), 5, 60), 7, 24, 1),
         texts::kReadFailed},
        {"more pixels than allowed", plain, texts::kCannotCreateImage, 15},
        {"no height", with(plain, 14, 0), texts::kTgaBadType},
        {"another type", with(plain, 2, 5, 1), texts::kTgaBadType},
        {"12 bits", with(plain, 16, 12, 1), formatText(texts::kTgaUnsupportedDepthF, 12)},
        {"24-bit grey", with(plain, 2, 3, 1), formatText(texts::kTgaUnsupportedDepthF, 24)},
    };
    for (const auto& c : cases) {
        DecodedPicture read = IndexedPicture{7, 7, {}, {}, -1, 0};
        EXPECT_EQ(decodeTgaPicture(c.file, read, c.limit, {}).text, c.text) << c.name;
        EXPECT_EQ(std::get<IndexedPicture>(read).width, 7) << c.name;
    }
}

}  // namespace
}  // namespace zentil
