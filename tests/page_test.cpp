#include <limits>
#include <string>

#include "image/page.h"
#include "test_support.h"

namespace zentil {
namespace {

using test::CoreTest;

// One suite across the three colour modes.
template <int Mode>
struct ModeTag {
    static constexpr int kMode = Mode;
};
using AllModes = ::testing::Types<ModeTag<kMode8>, ModeTag<kMode16>, ModeTag<kMode24>>;

template <typename Tag>
class PageModeTest : public CoreTest {
  protected:
    static constexpr int kMode = Tag::kMode;
    // A key value that is valid in every mode and not zero.
    static constexpr std::uint32_t kKey = 0x15;
    // Every page of these tests is made with these defaults.
    static PageDefaults keyed() {
        PageDefaults d;
        d.key8 = static_cast<std::uint8_t>(kKey);
        d.key16 = static_cast<std::uint16_t>(kKey);
        d.key24 = kKey;
        return d;
    }
};
TYPED_TEST_SUITE(PageModeTest, AllModes);

TYPED_TEST(PageModeTest, GeometryRoundsTheStrideToWholeWords) {
    Page page;
    ASSERT_TRUE(createPage(page, 5, 1, 3, 2, this->kMode, this->keyed()));
    const int expectedStride = this->kMode == kMode16 ? 6 : 8;
    EXPECT_EQ(page.mode, this->kMode);
    EXPECT_EQ(page.width, 5);
    EXPECT_EQ(page.stride, expectedStride);
    EXPECT_EQ(page.height, 6);
    EXPECT_EQ(page.tileWidth, 5);
    EXPECT_EQ(page.tileHeight, 3);
    EXPECT_EQ(page.cols, 1);
    EXPECT_EQ(page.rows, 2);
    EXPECT_EQ(page.tileCount, 2);
    EXPECT_EQ(page.pixelCount, static_cast<std::uint32_t>(expectedStride * 6));
    EXPECT_EQ(pixelBufferBytes(page) % 4, 0u);
    EXPECT_EQ(colorKeyOf(page), this->kKey);
    // Only the buffer of the page's own mode exists.
    EXPECT_EQ(page.pixels8 != nullptr, this->kMode == kMode8);
    EXPECT_EQ(page.pixels16 != nullptr, this->kMode == kMode16);
    EXPECT_EQ(page.pixels24 != nullptr, this->kMode == kMode24);
    // Every pixel, padding included, holds the key.
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.stride; ++x)
            ASSERT_EQ(pixelAt(page, x, y), this->kKey) << x;
    // A new page has no area layer until an entry is set.
    for (const auto& layer : page.areas)
        EXPECT_EQ(layer, nullptr);
}

TYPED_TEST(PageModeTest, ClearingSetsPaddingAndFillRectClips) {
    Page page;
    ASSERT_TRUE(createSinglePage(page, 5, 4, this->kMode, this->keyed()));
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.stride; ++x)
            putPixel(page, x, y, 0x7);
    setColorKey(page, 0x3);
    fillRect(page, -2, 2, 3, 100);  // hangs over the left and bottom edges
    EXPECT_EQ(pixelAt(page, 0, 2), 0x3u);
    EXPECT_EQ(pixelAt(page, 0, 3), 0x3u);
    EXPECT_EQ(pixelAt(page, 1, 2), 0x7u);
    EXPECT_EQ(pixelAt(page, 0, 1), 0x7u);

    clearPage(page);
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.stride; ++x)
            ASSERT_EQ(pixelAt(page, x, y), 0x3u);
    // Writes outside the buffer are ignored, reads give 0.
    putPixel(page, page.stride, 0, 0x9);
    putPixel(page, 0, -1, 0x9);
    EXPECT_EQ(pixelAt(page, page.stride, 0), 0u);
}

TYPED_TEST(PageModeTest, KeyIsDetectedOnlyFromFourEqualCorners) {
    Page page;
    ASSERT_TRUE(
        createSinglePage(page, 5, 3, this->kMode, this->keyed()));  // every mode has padding
    setColorKey(page, 1);
    const int r = page.width - 1, b = page.height - 1;
    putPixel(page, r, 0, 7);
    putPixel(page, 0, 0, 7);
    putPixel(page, 0, b, 7);
    putPixel(page, r, b, 8);
    detectColorKey(page);
    EXPECT_EQ(colorKeyOf(page), 1u);
    putPixel(page, r, b, 7);
    // A padding column that differs does not matter: corners use the width.
    putPixel(page, page.stride - 1, b, 9);
    detectColorKey(page);
    EXPECT_EQ(colorKeyOf(page), 7u);
}

TYPED_TEST(PageModeTest, RebuildingInPlaceKeepsKindAndNameAndFreesTheOldBuffers) {
    Page page;
    ASSERT_TRUE(createPage(page, 8, 4, 8, 4, this->kMode, this->keyed()));
    page.kind = kKindSprite;
    setPageName(page, "HERO");
    ASSERT_TRUE(createPage(page, 2, 3, 4, 5, this->kMode,
                           this->keyed()));  // the sanitizer build checks for leaks
    EXPECT_EQ(page.kind, kKindSprite);
    EXPECT_EQ(pageName(page), "HERO");
    EXPECT_EQ(page.width, 6);
    releasePage(page);
    EXPECT_FALSE(page.inUse());
    EXPECT_EQ(page.mode, kModeNone);
    EXPECT_EQ(page.kind, kKindNone);
    EXPECT_EQ(pageName(page), "");
    EXPECT_EQ(page.areas[0], nullptr);
    releasePage(page);  // releasing an empty record is harmless
}

TEST_F(CoreTest, EightBitPagesTakeTheDefaultPaletteAndOthersKeepTheirs) {
    PageDefaults defaults;
    defaults.palette = test::rampPalette();
    Page page;
    ASSERT_TRUE(createSinglePage(page, 4, 4, kMode8, defaults));
    EXPECT_EQ(page.palette, test::rampPalette());
    for (int i = 0; i < kPaletteEntries; ++i) {
        EXPECT_EQ(page.paletteQuad[i * 4 + 0], page.palette[i * 3 + 0]);
        EXPECT_EQ(page.paletteQuad[i * 4 + 1], page.palette[i * 3 + 1]);
        EXPECT_EQ(page.paletteQuad[i * 4 + 2], page.palette[i * 3 + 2]);
        EXPECT_EQ(page.paletteQuad[i * 4 + 3], 0);
    }
    Page other;
    ASSERT_TRUE(createSinglePage(other, 4, 4, kMode24));
    EXPECT_EQ(other.palette, Palette{});
}

TEST_F(CoreTest, ImpossibleSizesAreRefusedAndLeaveTheRecordEmpty) {
    const int big = std::numeric_limits<int>::max();
    struct Case {
        int tw, cols, th, rows, mode;
    };
    const Case cases[] = {
        {65536, 65536, 1, 1, kMode8},   // width wraps in 32 bits
        {65536, 1, 65536, 1, kMode8},   // pixel count wraps in 32 bits
        {big, 1, 1, 1, kMode16},        // stride rounding passes the int range
        {46341, 1, 46341, 1, kMode24},  // over the buffer limit
        {32768, 1, 32769, 1, kMode8},   // just over 1 GiB
        {-1, 1, 4, 1, kMode8},          // negative size
        {4, 0, 4, 1, kMode8},           // no columns
        {4, 1, 4, -3, kMode8},          // negative rows
        {4, 1, 4, 1, 0},                // no mode
        {4, 1, 4, 1, 4},                // unknown mode
        {1, 65536, 1, 65536, kMode8},   // tile count wraps
    };
    for (const Case& c : cases) {
        Page page;
        ASSERT_TRUE(createSinglePage(page, 4, 4, kMode8));
        page.kind = kKindSprite;
        EXPECT_FALSE(createPage(page, c.tw, c.cols, c.th, c.rows, c.mode))
            << c.tw << "x" << c.cols << " " << c.th << "x" << c.rows << " mode " << c.mode;
        EXPECT_FALSE(page.inUse());
        EXPECT_EQ(page.mode, kModeNone);
        EXPECT_EQ(page.pixels8, nullptr);
        EXPECT_EQ(page.areas[0], nullptr);
    }
    Page page;
    EXPECT_TRUE(createPage(page, 64, 32, 64, 32, kMode24));
    EXPECT_EQ(pixelBufferBytes(page), 2048u * 2048u * 3u);
}

TEST_F(CoreTest, NamesAreCutTo63BytesWithoutSplittingACharacter) {
    Page page;
    setPageName(page, std::string(80, 'A'));
    EXPECT_EQ(pageName(page), std::string(63, 'A'));
    // 62 ASCII bytes then a three-byte character: it does not fit and is dropped whole.
    setPageName(page, std::string(62, 'B') + "가나");
    EXPECT_EQ(pageName(page), std::string(62, 'B'));
    setPageName(page, "짧은");
    EXPECT_EQ(pageName(page), "짧은");
}

TEST_F(CoreTest, TileArithmeticTruncates) {
    Page page;
    ASSERT_TRUE(createPage(page, 16, 4, 8, 3, kMode8));
    EXPECT_EQ(tileIndexAt(page, 0, 0), 0);
    EXPECT_EQ(tileIndexAt(page, 15, 7), 0);
    EXPECT_EQ(tileIndexAt(page, 16, 7), 1);
    EXPECT_EQ(tileIndexAt(page, 63, 8), 7);
    EXPECT_EQ(tileIndexAt(page, 17, 23), 9);
    EXPECT_EQ(xInTile(page, 35), 3);
    EXPECT_EQ(yInTile(page, 17), 1);
}

}  // namespace
}  // namespace zentil

namespace zentil {
namespace {

using test::CoreTest;

TEST_F(CoreTest, TileGridIsReCutOnlyAlongWholeTiles) {
    Page page;
    ASSERT_TRUE(createSinglePage(page, 48, 20, kMode8));
    putPixel(page, 47, 19, 3);
    EXPECT_FALSE(setTileGrid(page, 7, 10));
    EXPECT_FALSE(setTileGrid(page, 16, 0));
    EXPECT_EQ(page.tileCount, 1);
    ASSERT_TRUE(setTileGrid(page, 16, 10));
    EXPECT_EQ(page.cols, 3);
    EXPECT_EQ(page.rows, 2);
    EXPECT_EQ(page.tileCount, 6);
    EXPECT_EQ(tileIndexAt(page, 47, 19), 5);
    EXPECT_EQ(pixelAt(page, 47, 19), 3u);
}

}  // namespace
}  // namespace zentil
