#include <filesystem>
#include <random>

#include "file_builders.h"
#include "formats/gpf_file.h"
#include "system/texts.h"
#include "test_support.h"

namespace zentil {
namespace {

using test::Bytes;
using test::CoreTest;

constexpr std::uint8_t K = 200;  // the key used in these files

Bytes column(const Bytes& bottomUp) {
    Bytes out;
    encodeColumn(bottomUp.data(), 1, static_cast<int>(bottomUp.size()), K, out);
    return out;
}

TEST(GpfColumns, RunsFollowTheWorkedExamples) {
    EXPECT_EQ(column(Bytes(300, K)), (Bytes{255, K, 45, K}));
    EXPECT_EQ(column(Bytes{K, 5, 6, K, K}), (Bytes{1, K, 2, 5, 6, 2, K}));
    Bytes literal(256, 7);
    Bytes expected{255};
    expected.insert(expected.end(), 255, 7);
    expected.insert(expected.end(), {1, 7});
    EXPECT_EQ(column(literal), expected);
    EXPECT_EQ(column(Bytes{}), Bytes{});
}

// A header, rectangles, sizes and data assembled by hand.
Bytes gpfFile(int cols, int rows, int tw, int th, int count, int key,
              const std::vector<TileRect>& rects, const std::vector<Bytes>& blocks, int one = 1,
              int tilePixels = -1) {
    Bytes b;
    test::put32(b, kGpfMagic);
    test::put32(b, one);
    test::put32(b, tilePixels < 0 ? std::int64_t{tw} * th : tilePixels);
    for (int v : {cols, rows, tw, th, count, key})
        test::put32(b, v);
    for (const TileRect& r : rects)
        for (int v : {r.x, r.y, r.w, r.h})
            test::put16(b, v);
    for (const Bytes& d : blocks)
        test::put32(b, static_cast<std::int64_t>(d.size()));
    for (const Bytes& d : blocks)
        b.insert(b.end(), d.begin(), d.end());
    return b;
}

class GpfTest : public CoreTest {
  protected:
    // Pages read take this palette, and keep this key in their padding.
    PageDefaults defaults{9, 0, 0, test::rampPalette()};
    test::TempDir dir;
};

TEST_F(GpfTest, ColumnsAreStoredBottomUpAndTheFileKeyReplacesTheDefault) {
    // One 6 x 3 tile (stride 8); block at (1, 0) of 4 x 3: column 0 from the
    // bottom is 1, 2, 3; the other columns are key.
    const Bytes data{3, 1, 2, 3, 3, K, 3, K, 3, K};
    Page page;
    ASSERT_TRUE(
        decodeSpriteFile(gpfFile(1, 1, 6, 3, 1, K, {{1, 0, 4, 3}}, {data}, 77, 5), page, defaults));
    EXPECT_EQ(page.kind, kKindSprite);
    EXPECT_EQ(page.colorKey8, K);
    EXPECT_EQ(page.palette, test::rampPalette());
    EXPECT_EQ(pixelAt(page, 1, 2), 1u);
    EXPECT_EQ(pixelAt(page, 1, 1), 2u);
    EXPECT_EQ(pixelAt(page, 1, 0), 3u);
    EXPECT_EQ(pixelAt(page, 0, 0), K);
    EXPECT_EQ(pixelAt(page, 5, 2), K);
    EXPECT_EQ(pixelAt(page, 6, 0), 9u);  // padding keeps the default key
    EXPECT_EQ(pixelAt(page, 7, 2), 9u);
}

TEST_F(GpfTest, PagesRoundTripWithGridKeyAndPixels) {
    std::mt19937 rng(7);
    struct Grid {
        int tw, th, cols, rows;
    };
    for (const Grid g : {Grid{8, 8, 4, 3}, Grid{5, 7, 3, 2}, Grid{6, 4, 2, 2}, Grid{1, 1, 3, 1},
                         Grid{13, 300, 2, 1}}) {
        Page page;
        ASSERT_TRUE(createPage(page, g.tw, g.cols, g.th, g.rows, kMode8));
        setColorKey(page, K);
        clearPage(page);
        // Sprites: a quarter of the pixels opaque; one tile left empty.
        for (int y = 0; y < page.height; ++y)
            for (int x = 0; x < page.width; ++x)
                if (tileIndexAt(page, x, y) != 1 && rng() % 4 == 0)
                    putPixel(page, x, y, rng() % 4 == 0 ? K - 1 : rng() % 200);
        const std::string path = dir.file("sheet " + std::to_string(g.tw) + ".GPF");
        ASSERT_TRUE(writeSpriteFile(path, page));

        Page back;
        ASSERT_TRUE(readSpriteFile(path, back, defaults));
        EXPECT_EQ(back.cols, g.cols);
        EXPECT_EQ(back.rows, g.rows);
        EXPECT_EQ(back.tileWidth, g.tw);
        EXPECT_EQ(back.tileHeight, g.th);
        EXPECT_EQ(back.colorKey8, K);
        for (int y = 0; y < page.height; ++y)
            for (int x = 0; x < page.width; ++x)
                ASSERT_EQ(pixelAt(back, x, y), pixelAt(page, x, y))
                    << g.tw << ": " << x << "," << y;

        // The empty tile is stored as an empty rectangle with no data.
        GpfLayout layout;
        const char* message = nullptr;
        ASSERT_TRUE(parseGpfLayout(test::readBytes(path), layout, message));
        EXPECT_EQ(layout.rects[1], TileRect{});
        EXPECT_EQ(layout.sizes[1], 0);
        EXPECT_EQ(layout.header.tilePixels, g.tw * g.th);
        EXPECT_EQ(layout.header.one, 1);
    }
}

TEST_F(GpfTest, BlockColumnsPastTheRowEndAreStoredAsKey) {
    // Two 6-wide tiles: width 12 = stride 12. Tile 1 has pixels in its columns
    // 0 and 5, so its block widens from 6 to 8 columns, two past the row end.
    Page page;
    ASSERT_TRUE(createPage(page, 6, 2, 2, 1, kMode8));
    setColorKey(page, K);
    clearPage(page);
    putPixel(page, 6, 0, 1);
    putPixel(page, 11, 1, 2);
    Bytes file;
    ASSERT_TRUE(encodeSpriteFile(page, file));
    GpfLayout layout;
    const char* message = nullptr;
    ASSERT_TRUE(parseGpfLayout(file, layout, message));
    EXPECT_EQ(layout.rects[1], (TileRect{0, 0, 8, 2}));
    // The last two columns of tile 1's data are key runs.
    const Bytes tail(file.end() - 4, file.end());
    EXPECT_EQ(tail, (Bytes{2, K, 2, K}));
}

TEST_F(GpfTest, DamagedHeadersAreRefusedAndLeaveThePageAlone) {
    const Bytes good = gpfFile(2, 1, 4, 4, 2, K, {{0, 0, 4, 1}, {}}, {{4, 1, 2, 3, 4}, {}});
    Bytes wrongMagic = good;
    wrongMagic[0] = 0x38;
    Bytes dataCut = good;
    dataCut.pop_back();
    Bytes negativeSize = gpfFile(1, 1, 4, 4, 1, K, {{}}, {{}});
    negativeSize[36 + 8 + 3] = 0x80;
    struct Refusal {
        const char* what;
        Bytes bytes;
        std::string message;
    };
    const Refusal refusals[] = {
        {"wrong magic", wrongMagic, "GPF 파일이 아닙니다."},
        {"tiny file", Bytes{1, 2}, "GPF 파일이 아닙니다."},
        {"header cut", Bytes(good.begin(), good.begin() + 20), "파일을 읽는데 실패했습니다."},
        {"count not cols x rows", gpfFile(2, 2, 4, 4, 3, K, {{}, {}, {}}, {{}, {}, {}}),
         "GPF 파일이 손상되었습니다."},
        {"zero columns", gpfFile(0, 1, 4, 4, 0, K, {}, {}), "GPF 파일이 손상되었습니다."},
        {"negative width", gpfFile(1, 1, -4, 4, 1, K, {{}}, {{}}), "GPF 파일이 손상되었습니다."},
        {"zero height", gpfFile(1, 1, 4, 0, 1, K, {{}}, {{}}), "GPF 파일이 손상되었습니다."},
        {"tables past the end", Bytes(good.begin(), good.begin() + 50),
         "GPF 파일이 손상되었습니다."},
        {"data past the end", dataCut, "GPF 파일이 손상되었습니다."},
        {"negative data size", negativeSize, "GPF 파일이 손상되었습니다."},
        {"key above 255", gpfFile(1, 1, 4, 4, 1, 256 + K, {{}}, {{}}),
         "GPF 파일이 손상되었습니다."},
        {"negative key", gpfFile(1, 1, 4, 4, 1, -1, {{}}, {{}}), "GPF 파일이 손상되었습니다."},
        {"absurd grid", gpfFile(65536, 1, 65536, 1, 65536, K, {}, {}),
         "GPF 파일이 손상되었습니다."},
        {"page too large", gpfFile(1, 1, 65536, 65536, 1, K, {{}}, {{}}),
         "이미지를 생성할 수 없습니다."},
    };
    for (const Refusal& r : refusals) {
        Page page;
        ASSERT_TRUE(createSinglePage(page, 3, 3, kMode8));
        EXPECT_EQ(test::said(decodeSpriteFile(r.bytes, page, defaults)),
                  (test::RecordedMessage{"오류", r.message}))
            << r.what;
        EXPECT_EQ(page.width, 3) << r.what;
    }
    Page page;
    EXPECT_TRUE(decodeSpriteFile(good, page, defaults));
    EXPECT_EQ(readSpriteFile(dir.file("nothing.gpf"), page, defaults).text,
              "GPF 파일을 열 수 없습니다.");
}

TEST_F(GpfTest, DamagedBlocksAreCutAtTheirSizeAndStayInsideTheirTile) {
    // Tile 0: a 4 x 2 block whose runs give 300 pixels; tile 1: runs give 3 of
    // 8; tile 2: a rectangle reaching past the tile; tile 3: count byte alone.
    Bytes tooManyLiteral{200};
    tooManyLiteral.insert(tooManyLiteral.end(), 200, 6);
    Bytes tooFew{3, 1, 2, 3};
    Bytes outside{8};
    outside.insert(outside.end(), 8, 4);
    const Bytes file =
        gpfFile(4, 1, 4, 2, 4, K, {{0, 0, 4, 2}, {0, 0, 4, 2}, {2, 1, 4, 2}, {0, 0, 4, 2}},
                {tooManyLiteral, tooFew, outside, {7}});
    Page page;
    ASSERT_TRUE(decodeSpriteFile(file, page, defaults));
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 2; ++y)
            EXPECT_EQ(pixelAt(page, x, y), 6u) << x << "," << y;
    EXPECT_EQ(pixelAt(page, 4, 1), 1u);  // tile 1 column 0, bottom up: 1, 2
    EXPECT_EQ(pixelAt(page, 4, 0), 2u);
    EXPECT_EQ(pixelAt(page, 5, 1), 3u);
    EXPECT_EQ(pixelAt(page, 5, 0), K);  // what is missing stays key
    EXPECT_EQ(pixelAt(page, 7, 1), K);
    // Tile 2 covers page columns 8..11: its block at (2, 1) only fits 2 x 1.
    EXPECT_EQ(pixelAt(page, 10, 1), 4u);
    EXPECT_EQ(pixelAt(page, 11, 1), 4u);
    EXPECT_EQ(pixelAt(page, 10, 0), K);
    EXPECT_EQ(pixelAt(page, 12, 0), K);  // tile 3 untouched by tile 2's overflow
    EXPECT_EQ(pixelAt(page, 13, 1), K);
}

TEST_F(GpfTest, OnlyEightBitPagesCanBeSaved) {
    Page page;
    ASSERT_TRUE(createSinglePage(page, 4, 4, kMode16));
    const std::string path = dir.file("deep.gpf");
    EXPECT_EQ(writeSpriteFile(path, page).text, texts::kGpfOnly8Bit);
    EXPECT_FALSE(std::filesystem::exists(path));
}

// The sizes the status bar shows are those of the file a save writes: per
// tile its table entries and its coded block, adding up with the header to
// the file; measured again after an edit, with the same scratch buffer.
TEST(GpfSizesTest, TilesAndHeaderAddUpToTheFileASaveWrites) {
    Page page;
    ASSERT_TRUE(createPage(page, 8, 3, 6, 2, kMode8));
    setColorKey(page, K);
    clearPage(page);
    std::mt19937 rng(3);
    std::vector<std::uint8_t> scratch;
    for (int round = 0; round < 3; ++round) {
        // Tiles from empty to full, differently each round.
        for (int t = 0; t < page.tileCount; ++t)
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 8; ++x)
                    if (static_cast<int>(rng() % 6) < (t + round) % 6)
                        putPixel(page, (t % 3) * 8 + x, (t / 3) * 6 + y, rng() % 200);
        GpfSizes sizes;
        ASSERT_TRUE(measureSpriteFile(page, scratch, sizes));
        Bytes file;
        ASSERT_TRUE(encodeSpriteFile(page, file));
        GpfLayout layout;
        const char* message = nullptr;
        ASSERT_TRUE(parseGpfLayout(file, layout, message));
        EXPECT_EQ(sizes.fileBytes, file.size());
        ASSERT_EQ(sizes.tileBytes.size(), 6u);
        std::uint64_t sum = kGpfHeaderSize;
        for (std::size_t t = 0; t < 6; ++t) {
            EXPECT_EQ(sizes.tileBytes[t], 12u + static_cast<std::uint64_t>(layout.sizes[t]));
            sum += sizes.tileBytes[t];
        }
        EXPECT_EQ(sum, sizes.fileBytes);
    }
    Page deep;
    ASSERT_TRUE(createPage(deep, 8, 1, 8, 1, kMode16));
    GpfSizes none;
    const Outcome refused = measureSpriteFile(deep, scratch, none);
    EXPECT_FALSE(refused);
    EXPECT_EQ(refused.text, texts::kGpfOnly8Bit);
}

}  // namespace
}  // namespace zentil
