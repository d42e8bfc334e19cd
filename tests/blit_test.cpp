#include "edit/blit.h"
#include "blit_reference.h"
#include "image/pixel.h"
#include "system/texts.h"
#include "test_support.h"

namespace zentil {
namespace {

using test::CoreTest;

class BlitTest : public CoreTest {
  protected:
    // A page whose pixel (x, y) holds base + y * 16 + x.
    static void numbered(Page& page, int w, int h, int mode, std::uint32_t base = 1) {
        ASSERT_TRUE(createSinglePage(page, w, h, mode));
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < page.stride; ++x)
                putPixel(page, x, y, base + y * 16 + x);
    }
    static void fill(Page& page, std::uint32_t v) {
        for (int y = 0; y < page.height; ++y)
            for (int x = 0; x < page.stride; ++x)
                putPixel(page, x, y, v);
    }
};

TEST_F(BlitTest, RectanglesHangingOverEdgesCopyOnlyWhatLiesInsideBoth) {
    Page src, dst;
    numbered(src, 4, 4, kMode8);
    ASSERT_TRUE(createSinglePage(dst, 4, 4, kMode8));
    fill(dst, 0xEE);
    // Source rectangle starts one pixel left of and above the source.
    copyPageRect(dst, 1, 1, src, -1, -1, 3, 3);
    EXPECT_EQ(pixelAt(dst, 1, 1), 0xEEu);  // source pixel outside: destination kept
    EXPECT_EQ(pixelAt(dst, 2, 1), 0xEEu);
    EXPECT_EQ(pixelAt(dst, 2, 2), 1u);  // source (0, 0)
    EXPECT_EQ(pixelAt(dst, 3, 3), 1u + 16 + 1);
    // Destination rectangle hanging over the right and bottom edges.
    copyPageRect(dst, 3, 3, src, 0, 0, 4, 4);
    EXPECT_EQ(pixelAt(dst, 3, 3), 1u);
    EXPECT_EQ(pixelAt(dst, 2, 3), 1u + 16);  // from the first copy, untouched by the second
}

TEST_F(BlitTest, PaddingColumnsAreCopiedLikeAnyOther) {
    Page src, dst;
    numbered(src, 5, 2, kMode8);  // stride 8
    ASSERT_TRUE(createSinglePage(dst, 5, 2, kMode8));
    copyPageRect(dst, 0, 0, src, 0, 0, 100, 100);
    EXPECT_EQ(pixelAt(dst, 7, 1), 1u + 16 + 7);
}

TEST_F(BlitTest, EmptyRectanglesStillHandOverTheKey) {
    Page src, dst;
    numbered(src, 4, 4, kMode16);
    numbered(dst, 4, 4, kMode16, 100);
    setColorKey(src, 0x1234);
    setColorKey(dst, 0x0001);
    copyPageRect(dst, 0, 0, src, 0, 0, 0, 4);
    EXPECT_EQ(dst.colorKey16, 0x1234);
    EXPECT_EQ(pixelAt(dst, 0, 0), 100u);
    setColorKey(src, 0x2222);
    copyPageRect(dst, 0, 0, src, 0, 0, 4, -1);
    EXPECT_EQ(dst.colorKey16, 0x2222);
}

TEST_F(BlitTest, PaletteFollowsOnlyWhenARowLiesInsideBothPages) {
    Page src, dst;
    numbered(src, 4, 4, kMode8);
    numbered(dst, 4, 4, kMode8);
    setPagePalette(src, test::rampPalette());
    setColorKey(src, 9);
    // All rows above the destination: no palette, but the key follows.
    copyPageRect(dst, 0, -10, src, 0, 0, 4, 4);
    EXPECT_EQ(dst.palette, Palette{});
    EXPECT_EQ(dst.colorKey8, 9);
    // A row passes while every column is outside: the palette follows.
    copyPageRect(dst, 100, 0, src, 0, 0, 4, 4);
    EXPECT_EQ(dst.palette, test::rampPalette());
    EXPECT_EQ(dst.paletteQuad[4 * 5 + 1], test::rampPalette()[3 * 5 + 1]);
}

TEST_F(BlitTest, LowerModesAreRefusedWithTheMessageAndNothingChanges) {
    Page src16, src24, dst;
    numbered(src16, 4, 4, kMode16);
    numbered(src24, 4, 4, kMode24);
    numbered(dst, 4, 4, kMode8);
    setColorKey(dst, 3);
    const test::RecordedMessage refused{"오류",
                                        "상위 컬러모드에서 하위 컬러모드로는 복사할 수 없습니다. "
                                        "(단, 24비트 -> 16비트 복사는 예외)"};
    EXPECT_EQ(test::said(copyPageRect(dst, 0, 0, src16, 0, 0, 4, 4)), refused);
    EXPECT_EQ(test::said(blitPage(dst, 0, 0, src24, 0, 0, 4, 4, kBlitBehind)), refused);
    EXPECT_EQ(dst.colorKey8, 3);
    EXPECT_EQ(pixelAt(dst, 1, 1), 1u + 16 + 1);

    Page dst16;
    numbered(dst16, 4, 4, kMode16);
    EXPECT_TRUE(copyPageRect(dst16, 0, 0, src24, 0, 0, 4, 4));
}

TEST_F(BlitTest, ConversionsFollowTheColourRules) {
    Page src16, dst24;
    ASSERT_TRUE(createSinglePage(src16, 4, 1, kMode16));
    ASSERT_TRUE(createSinglePage(dst24, 4, 1, kMode24));
    putPixel(src16, 0, 0, 0x7FFF);
    putPixel(src16, 1, 0, 0x0000);
    putPixel(src16, 2, 0, pack16(30, 0, 0));
    copyPageRect(dst24, 0, 0, src16, 0, 0, 3, 1);
    EXPECT_EQ(pixelAt(dst24, 0, 0), 0x00FFFFFFu);
    EXPECT_EQ(pixelAt(dst24, 1, 0), 0u);
    EXPECT_EQ(pixelAt(dst24, 2, 0), 0x00F00000u);

    Page src24, dst16;
    ASSERT_TRUE(createSinglePage(src24, 4, 1, kMode24));
    ASSERT_TRUE(createSinglePage(dst16, 4, 1, kMode16));
    putPixel(src24, 0, 0, 0x00C80005);  // R 200, G 0, B 5
    copyPageRect(dst16, 0, 0, src24, 0, 0, 1, 1);
    EXPECT_EQ(pixelAt(dst16, 0, 0), 0x6401u);

    // 8-bit sources convert through their own palette.
    Page src8, to16, to24;
    ASSERT_TRUE(createSinglePage(src8, 4, 1, kMode8));
    Palette p{};
    p[7 * 3 + 0] = 8;
    p[7 * 3 + 1] = 16;
    p[7 * 3 + 2] = 24;
    setPagePalette(src8, p);
    putPixel(src8, 0, 0, 7);
    ASSERT_TRUE(createSinglePage(to16, 4, 1, kMode16));
    ASSERT_TRUE(createSinglePage(to24, 4, 1, kMode24));
    copyPageRect(to16, 0, 0, src8, 0, 0, 1, 1);
    copyPageRect(to24, 0, 0, src8, 0, 0, 1, 1);
    EXPECT_EQ(pixelAt(to16, 0, 0), 0x0443u);
    EXPECT_EQ(pixelAt(to24, 0, 0), 0x00081018u);
}

TEST_F(BlitTest, FrontSkipsSourceKeysAndBehindKeepsNonKeyDestinations) {
    Page src, dst;
    ASSERT_TRUE(createSinglePage(src, 4, 1, kMode24));
    ASSERT_TRUE(createSinglePage(dst, 4, 1, kMode24));
    // Source: key, a, key, b. Destination: x, key, key, y.
    const std::uint32_t key = 0x00FF00FF, a = 0x111111, b = 0x222222, x = 0x333333, y = 0x444444;
    src.colorKey24 = key;
    dst.colorKey24 = key;
    putPixel(src, 0, 0, key);
    putPixel(src, 1, 0, a);
    putPixel(src, 2, 0, key);
    putPixel(src, 3, 0, b);
    putPixel(dst, 0, 0, x);
    putPixel(dst, 1, 0, key);
    putPixel(dst, 2, 0, key);
    putPixel(dst, 3, 0, y);

    Page front = test::clonePage(dst), behind = test::clonePage(dst);
    blitPage(front, 0, 0, src, 0, 0, 4, 1, kBlitFront);
    EXPECT_EQ(pixelAt(front, 0, 0), x);
    EXPECT_EQ(pixelAt(front, 1, 0), a);
    EXPECT_EQ(pixelAt(front, 2, 0), key);
    EXPECT_EQ(pixelAt(front, 3, 0), b);

    blitPage(behind, 0, 0, src, 0, 0, 4, 1, kBlitBehind);
    EXPECT_EQ(pixelAt(behind, 0, 0), x);
    EXPECT_EQ(pixelAt(behind, 1, 0), a);
    EXPECT_EQ(pixelAt(behind, 2, 0), key);
    EXPECT_EQ(pixelAt(behind, 3, 0), y);

    // The top byte of a 24-bit key plays no part in comparisons.
    src.colorKey24 = 0xAA000000 | key;
    Page front2 = test::clonePage(dst);
    blitPage(front2, 0, 0, src, 0, 0, 4, 1, kBlitFront);
    EXPECT_EQ(pixelAt(front2, 0, 0), x);
}

TEST_F(BlitTest, AcrossModesTheKeyIsReDetectedFromTheCorners) {
    Page src, dst;
    numbered(src, 4, 4, kMode8);
    ASSERT_TRUE(createSinglePage(dst, 4, 4, kMode24));
    dst.colorKey24 = 0x123456;
    fill(dst, 0x00ABCDEF);
    // Corners stay equal (the copy touches only the middle): the key becomes their value.
    copyPageRect(dst, 1, 1, src, 0, 0, 2, 2);
    EXPECT_EQ(dst.colorKey24, 0x00ABCDEFu);
    // Now one corner differs: the key stays.
    dst.colorKey24 = 0x654321;
    copyPageRect(dst, 0, 0, src, 0, 0, 1, 1);
    EXPECT_EQ(dst.colorKey24, 0x654321u);
}

TEST_F(BlitTest, MovingAPageOntoItselfFillsTheVacatedEdgeWithTheKey) {
    Page page;
    numbered(page, 4, 3, kMode8, 10);
    setColorKey(page, 0);
    // One pixel towards the top-left: (1, 1) of size (stride-1) x (height-1) to (0, 0).
    ASSERT_TRUE(movePageRect(page, 0, 0, page, 1, 1, page.stride - 1, page.height - 1));
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.stride; ++x) {
            const std::uint32_t expected =
                (x < page.stride - 1 && y < page.height - 1) ? 10u + (y + 1) * 16 + (x + 1) : 0u;
            ASSERT_EQ(pixelAt(page, x, y), expected) << x << "," << y;
        }
    // And back towards the bottom-right: the first row and column stay lost.
    ASSERT_TRUE(movePageRect(page, 1, 1, page, 0, 0, page.stride - 1, page.height - 1));
    EXPECT_EQ(pixelAt(page, 0, 0), 0u);
    EXPECT_EQ(pixelAt(page, 1, 0), 0u);
    EXPECT_EQ(pixelAt(page, 0, 1), 0u);
    EXPECT_EQ(pixelAt(page, 1, 1), 10u + 16 + 1);
    EXPECT_EQ(pixelAt(page, 3, 2), 10u + 32 + 3);
}

TEST_F(BlitTest, MovingBetweenPagesClearsTheDestinationToItsOwnKey) {
    Page src, dst;
    numbered(src, 4, 4, kMode8);
    numbered(dst, 8, 4, kMode8, 100);
    setColorKey(src, 77);
    setColorKey(dst, 5);
    ASSERT_TRUE(movePageRect(dst, 4, 0, src, 0, 0, 2, 2));
    EXPECT_EQ(pixelAt(dst, 0, 0), 5u);  // cleared to the destination's key
    EXPECT_EQ(pixelAt(dst, 4, 0), 1u);  // the rectangle
    EXPECT_EQ(pixelAt(dst, 5, 1), 1u + 16 + 1);
    EXPECT_EQ(pixelAt(dst, 6, 0), 77u);  // scratch padding holds the source key
    EXPECT_EQ(dst.colorKey8, 77);        // same mode: the key follows the source
}

TEST_F(BlitTest, RefusedMovesLeaveTheDestinationAlone) {
    Page src, dst;
    numbered(src, 4, 4, kMode24);
    numbered(dst, 4, 4, kMode8);
    EXPECT_EQ(movePageRect(dst, 0, 0, src, 0, 0, 4, 4).text, texts::kModeRefused);
    EXPECT_EQ(pixelAt(dst, 2, 2), 1u + 32 + 2);
}

}  // namespace
}  // namespace zentil
