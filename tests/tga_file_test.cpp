#include <filesystem>

#include "file_builders.h"
#include "formats/tga_file.h"
#include "system/texts.h"
#include "test_support.h"

namespace zentil {
namespace {

using test::Bytes;
using test::CoreTest;
using test::TgaFields;

// A picture of w x h pixels whose top-left-origin pixel (x, y) is x + 10 * y,
// stored as `descriptor` says, with a 256-entry map where entry i = (i, 2i, 3i).
Bytes mappedPicture(int w, int h, int descriptor) {
    TgaFields s;
    s.width = w;
    s.height = h;
    s.descriptor = descriptor;
    Bytes b = test::tgaHeader(s);
    for (int i = 0; i < 256; ++i) {
        b.push_back(static_cast<std::uint8_t>(3 * i));  // blue
        b.push_back(static_cast<std::uint8_t>(2 * i));  // green
        b.push_back(static_cast<std::uint8_t>(i));      // red
    }
    const bool topFirst = descriptor & 0x20, rightToLeft = descriptor & 0x10;
    for (int row = 0; row < h; ++row) {
        const int y = topFirst ? row : h - 1 - row;
        for (int col = 0; col < w; ++col) {
            const int x = rightToLeft ? w - 1 - col : col;
            b.push_back(static_cast<std::uint8_t>(x + 10 * y));
        }
    }
    return b;
}

class TgaTest : public CoreTest {
  protected:
    // A default key no corner has, so that a key from the corners shows.
    PageDefaults defaults{250, 0, 0, {}};
    test::TempDir dir;
};

TEST_F(TgaTest, EveryOrientationGivesTheSamePage) {
    for (int descriptor : {0x00, 0x20, 0x10, 0x30, 0x28 /* attribute bits ignored */}) {
        Page page;
        ASSERT_TRUE(decodeTga(mappedPicture(5, 3, descriptor), page, defaults)) << descriptor;
        EXPECT_EQ(page.kind, kKindTga);
        EXPECT_EQ(page.mode, kMode8);
        EXPECT_EQ(page.width, 5);
        EXPECT_EQ(page.stride, 8);
        EXPECT_EQ(page.tileWidth, 5);
        EXPECT_EQ(page.tileHeight, 3);
        EXPECT_EQ(page.tileCount, 1);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                ASSERT_EQ(pixelAt(page, x, y), static_cast<std::uint32_t>(x + 10 * y))
                    << "descriptor " << descriptor << " at " << x << "," << y;
        EXPECT_EQ(pixelAt(page, 6, 0), 250u);  // padding holds the default key
        EXPECT_EQ(page.palette[7 * 3 + 0], 7);
        EXPECT_EQ(page.palette[7 * 3 + 1], 14);
        EXPECT_EQ(page.palette[7 * 3 + 2], 21);
        EXPECT_EQ(page.paletteQuad[7 * 4 + 2], 21);
        EXPECT_EQ(page.colorKey8, 250);  // corners 0, 4, 20, 24 differ
    }
}

TEST_F(TgaTest, FourEqualCornersBecomeTheKey) {
    Bytes b = mappedPicture(4, 4, 0x20);
    const std::size_t pixels = b.size() - 16;
    for (int i : {0, 3, 12, 15})
        b[pixels + i] = 77;
    Page page;
    ASSERT_TRUE(decodeTga(b, page, defaults));
    EXPECT_EQ(page.colorKey8, 77);
}

TEST_F(TgaTest, ShortAndOffsetColourMapsGiveTheRightColours) {
    struct MapCase {
        int first, bits;
        Bytes entries;         // as stored
        int index;             // palette index to check
        std::uint8_t r, g, b;  // its colour
    };
    const MapCase cases[] = {
        {0, 24, {30, 20, 10, 60, 50, 40, 90, 80, 70}, 2, 70, 80, 90},
        {10, 24, {1, 2, 3, 4, 5, 6}, 11, 6, 5, 4},
        {0, 32, {1, 2, 3, 0xFF, 9, 8, 7, 0x80}, 1, 7, 8, 9},
        {0, 16, {0x1F, 0x7C}, 0, 0xFF, 0x00, 0xFF},  // red 31, blue 31
        {0, 15, {0x00, 0x00, 0xE0, 0x03}, 1, 0x00, 0xFF, 0x00},
    };
    for (const MapCase& c : cases) {
        TgaFields s;
        s.mapFirst = c.first;
        s.mapBits = c.bits;
        s.mapLength = static_cast<int>(c.entries.size()) / ((c.bits + 7) / 8);
        s.width = 2;
        s.height = 1;
        Bytes b = test::tgaHeader(s);
        b.insert(b.end(), c.entries.begin(), c.entries.end());
        b.push_back(static_cast<std::uint8_t>(c.index));
        b.push_back(static_cast<std::uint8_t>(c.first));
        Page page;
        ASSERT_TRUE(decodeTga(b, page, defaults)) << "first " << c.first << " bits " << c.bits;
        EXPECT_EQ(pixelAt(page, 0, 0), static_cast<std::uint32_t>(c.index));
        EXPECT_EQ(page.palette[c.index * 3 + 0], c.r);
        EXPECT_EQ(page.palette[c.index * 3 + 1], c.g);
        EXPECT_EQ(page.palette[c.index * 3 + 2], c.b);
        // Entries the map does not cover are black.
        EXPECT_EQ(page.palette[200 * 3 + 0] | page.palette[200 * 3 + 1] | page.palette[200 * 3 + 2],
                  0);
    }
}

TEST_F(TgaTest, UnmappedPicturesTakeTheDefaultPalette) {
    defaults.palette = test::rampPalette();
    TgaFields s;
    s.mapType = 0;
    s.type = 2;
    s.mapLength = 0;
    s.mapBits = 0;
    s.width = 2;
    s.height = 1;
    Bytes b = test::tgaHeader(s);
    b.push_back(4);
    b.push_back(5);
    Page page;
    ASSERT_TRUE(decodeTga(b, page, defaults));
    EXPECT_EQ(page.palette, test::rampPalette());
    EXPECT_EQ(pixelAt(page, 1, 0), 5u);
}

TEST_F(TgaTest, RunLengthPicturesDecodeLikeTheirPlainForm) {
    // Type 9 with a 2-entry map; packets: run of 3 x 7, raw 2 (8, 9), run of
    // 128 x 1 that is cut at the end of the picture.
    TgaFields s;
    s.type = 9;
    s.mapLength = 2;
    s.width = 4;
    s.height = 2;
    s.descriptor = 0x20;
    Bytes b = test::tgaHeader(s);
    b.insert(b.end(), {0, 0, 0, 255, 255, 255});
    b.insert(b.end(), {0x82, 7, 0x01, 8, 9, 0xFF, 1});
    Page page;
    ASSERT_TRUE(decodeTga(b, page, defaults));
    const std::uint32_t expected[8] = {7, 7, 7, 8, 9, 1, 1, 1};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(pixelAt(page, i % 4, i / 4), expected[i]) << i;
    EXPECT_EQ(page.palette[1 * 3], 255);

    // Type 10 (no map) stored bottom first.
    s.type = 10;
    s.mapType = 0;
    s.mapLength = 0;
    s.descriptor = 0;
    Bytes c = test::tgaHeader(s);
    c.insert(c.end(), {0x83, 1, 0x83, 2});
    ASSERT_TRUE(decodeTga(c, page, defaults));
    EXPECT_EQ(pixelAt(page, 0, 0), 2u);
    EXPECT_EQ(pixelAt(page, 3, 1), 1u);
}

TEST_F(TgaTest, RefusalsGiveTheirMessageAndLeaveThePageAlone) {
    auto with = [](auto change) {
        TgaFields s;
        change(s);
        Bytes b = test::tgaHeader(s);
        b.resize(b.size() + 768 + static_cast<std::size_t>(s.width) * s.height, 1);
        return b;
    };
    struct Refusal {
        const char* what;
        Bytes bytes;
        std::string message;
    };
    Bytes truncated = mappedPicture(8, 8, 0);
    truncated.resize(truncated.size() - 1);
    Bytes badRuns = with([](TgaFields& s) { s.type = 9; });
    badRuns.resize(18 + 768 + 3);  // packets end before the picture is complete
    const Refusal refusals[] = {
        {"id field", with([](TgaFields& s) { s.idLength = 1; }), "TGA 파일이 아닙니다."},
        {"x origin", with([](TgaFields& s) { s.xOrigin = 1; }), "TGA 파일이 아닙니다."},
        {"y origin", with([](TgaFields& s) { s.yOrigin = 3; }), "TGA 파일이 아닙니다."},
        {"24-bit", with([](TgaFields& s) { s.depth = 24; }), "8Bit TGA 파일만 불러올 수 있습니다."},
        {"16-bit", with([](TgaFields& s) { s.depth = 16; }), "8Bit TGA 파일만 불러올 수 있습니다."},
        {"32-bit", with([](TgaFields& s) { s.depth = 32; }), "지원하지 않는 TGA파일입니다. (32)"},
        {"grey type", with([](TgaFields& s) { s.type = 3; }), "TGA 파일 형식이 맞지 않습니다."},
        {"no width", with([](TgaFields& s) { s.width = 0; }), "TGA 파일 형식이 맞지 않습니다."},
        {"odd map entries", with([](TgaFields& s) { s.mapBits = 8; }),
         "TGA 파일 형식이 맞지 않습니다."},
        {"truncated pixels", truncated, "파일을 읽는데 실패했습니다."},
        {"truncated runs", badRuns, "파일을 읽는데 실패했습니다."},
        {"short header", Bytes(10, 0), "파일을 읽는데 실패했습니다."},
        {"map past the end", Bytes(test::tgaHeader(TgaFields{})), "파일을 읽는데 실패했습니다."},
    };
    for (const Refusal& r : refusals) {
        Page page;
        ASSERT_TRUE(createSinglePage(page, 3, 3, kMode8));
        page.kind = kKindSprite;
        EXPECT_EQ(test::said(decodeTga(r.bytes, page, defaults)),
                  (test::RecordedMessage{"오류", r.message}))
            << r.what;
        EXPECT_EQ(page.width, 3) << r.what;
        EXPECT_EQ(page.kind, kKindSprite) << r.what;
    }
    Page page;
    EXPECT_EQ(readTgaFile(dir.file("missing.tga"), page, defaults).text,
              "TGA 파일을 열 수 없습니다.");
}

TEST_F(TgaTest, EightBitPagesRoundTripThroughAFile) {
    Page page;
    ASSERT_TRUE(createPage(page, 3, 2, 5, 1, kMode8));  // 6 x 5, stride 8
    setPagePalette(page, test::rampPalette());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 8; ++x)
            putPixel(page, x, y, 1 + x + 8 * y);
    const std::string path = dir.file("Round Trip.TGA");
    ASSERT_TRUE(writeTgaFile(path, page));
    EXPECT_EQ(std::filesystem::file_size(path), 18u + 768u + 30u);  // padding is not written

    Page back;
    ASSERT_TRUE(readTgaFile(path, back, defaults));
    EXPECT_EQ(back.width, 6);
    EXPECT_EQ(back.height, 5);
    EXPECT_EQ(back.palette, test::rampPalette());
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(pixelAt(back, x, y), pixelAt(page, x, y));
}

TEST_F(TgaTest, TrueColourPagesAreWrittenBottomRowFirst) {
    Page p16, p24;
    ASSERT_TRUE(createSinglePage(p16, 3, 2, kMode16));
    ASSERT_TRUE(createSinglePage(p24, 1, 2, kMode24));
    putPixel(p16, 0, 1, 0x7C1F);
    putPixel(p24, 0, 0, 0x00112233);
    putPixel(p24, 0, 1, 0x00445566);
    const Bytes b16 = encodeTga(p16), b24 = encodeTga(p24);
    ASSERT_EQ(b16.size(), 18u + 12u);
    EXPECT_EQ(b16[1], 0);  // no colour map
    EXPECT_EQ(b16[2], 2);  // true colour
    EXPECT_EQ(b16[16], 16);
    EXPECT_EQ(b16[17], 0);
    EXPECT_EQ(b16[18], 0x1F);  // bottom row first
    EXPECT_EQ(b16[19], 0x7C);
    ASSERT_EQ(b24.size(), 18u + 6u);
    EXPECT_EQ(b24[16], 24);
    EXPECT_EQ((Bytes{b24.begin() + 18, b24.end()}), (Bytes{0x66, 0x55, 0x44, 0x33, 0x22, 0x11}));
}

TEST_F(TgaTest, SavingReplacesTheOldFileOnlyWhenComplete) {
    Page page;
    ASSERT_TRUE(createSinglePage(page, 4, 4, kMode8));
    const std::string path = dir.file("old.tga");
    test::writeBytes(path, Bytes{1, 2, 3});
    EXPECT_TRUE(writeTgaFile(path, page));
    EXPECT_EQ(test::readBytes(path).size(), 18u + 768u + 16u);

    // A target that cannot be replaced (a folder) fails with a message and leaves no debris.
    const std::string folder = dir.file("folder.tga");
    std::filesystem::create_directory(folder);
    EXPECT_EQ(test::said(writeTgaFile(folder, page)),
              (test::RecordedMessage{"오류", "TGA 파일을 저장할 수 없습니다."}));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        entries += !e.is_directory();
    EXPECT_EQ(entries, 1);  // only old.tga
}

}  // namespace
}  // namespace zentil
