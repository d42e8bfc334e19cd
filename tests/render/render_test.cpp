#include "render/classic_drawing.h"

#include <cstring>
#include <random>
#include <vector>

#include "test_support.h"

namespace zentil {
namespace {

using test::CoreTest;
using test::renderPage;

constexpr std::uint8_t kUntouched = 0xA5;

// An image of `format` whose every byte, row padding included, is kUntouched.
QImage untouchedImage(int w, int h, QImage::Format format) {
    QImage image(w, h, format);
    std::memset(image.bits(), kUntouched, static_cast<std::size_t>(image.sizeInBytes()));
    return image;
}

// The bytes of one image row, padding included.
std::vector<std::uint8_t> rowBytes(const QImage& image, int y) {
    const std::uint8_t* row = image.constScanLine(y);
    return {row, row + image.bytesPerLine()};
}

// A page of pseudo-random pixels, padding columns included, with a random palette.
void randomPage(Page& page, int w, int h, int mode, std::uint32_t seed) {
    ASSERT_TRUE(createSinglePage(page, w, h, mode));
    std::mt19937 rng(seed);
    Palette palette;
    for (auto& b : palette)
        b = static_cast<std::uint8_t>(rng());
    setPagePalette(page, palette);
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.stride; ++x)
            putPixel(page, x, y, rng() & (mode == kMode16 ? 0x7FFF : 0xFFFFFF));
}

// What renderPage must leave in an image of kUntouched bytes, computed pixel by
// pixel from the rules: rows and columns are checked one by one, 8-bit pixels
// are looked up in paletteQuad and written as B, G, R.
QImage expectedRender(const Page& page, int imageW, int imageH, int srcX, int srcY, int width,
                      int height) {
    const QImage::Format format =
        page.mode == kMode16 ? QImage::Format_RGB555 : QImage::Format_BGR888;
    QImage out = untouchedImage(imageW, imageH, format);
    const int count = width < imageW ? width : imageW;
    const int bpp = page.mode == kMode16 ? 2 : 3;
    for (int k = 0; k < height; ++k) {
        const int sy = srcY + k;
        if (k >= imageH || sy < 0 || sy >= page.height) continue;
        const int x0 = srcX < 0 ? 0 : srcX;
        for (int i = 0; i < count && x0 + i < page.stride; ++i) {
            const std::size_t at = static_cast<std::size_t>(sy) * page.stride + x0 + i;
            std::uint8_t* px = out.scanLine(k) + i * bpp;
            if (page.mode == kMode8) {
                const std::uint8_t* q = &page.paletteQuad[page.pixels8[at] * 4];
                px[0] = q[2];
                px[1] = q[1];
                px[2] = q[0];
            } else if (page.mode == kMode16) {
                std::memcpy(px, &page.pixels16[at], 2);
            } else {
                std::memcpy(px, &page.pixels24[at * 3], 3);
            }
        }
    }
    return out;
}

class RenderTest : public CoreTest {};

TEST_F(RenderTest, EightBitPagesShowTheQuadPaletteEvenWhenThePaletteDiffers) {
    Page page;
    ASSERT_TRUE(createSinglePage(page, 4, 1, kMode8));
    setPagePalette(page, test::rampPalette());
    // Entry 7 of the quad palette alone says red 0x10, green 0x20, blue 0x30.
    page.paletteQuad[7 * 4 + 0] = 0x10;
    page.paletteQuad[7 * 4 + 1] = 0x20;
    page.paletteQuad[7 * 4 + 2] = 0x30;
    page.paletteQuad[7 * 4 + 3] = 0x99;  // the fourth byte is never shown
    for (int x = 0; x < 4; ++x)
        putPixel(page, x, 0, x == 2 ? 7 : 200);
    QImage image(4, 1, QImage::Format_RGB32);
    renderPage(image, page, 0, 0, 4, 1);
    ASSERT_EQ(image.format(), QImage::Format_BGR888);
    EXPECT_EQ(image.pixel(2, 0), qRgb(0x10, 0x20, 0x30));
    const std::uint8_t* row = image.constScanLine(0);
    EXPECT_EQ(row[6], 0x30);  // B
    EXPECT_EQ(row[7], 0x20);  // G
    EXPECT_EQ(row[8], 0x10);  // R
    EXPECT_EQ(row[11], 200);  // entry 200 of the ramp: red 200 ...
    EXPECT_EQ(image.pixel(3, 0), qRgb(200, 55, (200 * 7) % 256));
}

TEST_F(RenderTest, SixteenBitPixelsShowAsTheirFiveBitChannels) {
    struct Case {
        std::uint16_t pixel;
        QRgb shown;
    };
    const Case cases[] = {{0x7C00, qRgb(255, 0, 0)},
                          {0x03E0, qRgb(0, 255, 0)},
                          {0x001F, qRgb(0, 0, 255)},
                          {0x0000, qRgb(0, 0, 0)},
                          {0x7FFF, qRgb(255, 255, 255)}};
    Page page;
    ASSERT_TRUE(createSinglePage(page, 6, 1, kMode16));
    for (int x = 0; x < 5; ++x)
        putPixel(page, x, 0, cases[x].pixel);
    QImage image(6, 1, QImage::Format_BGR888);
    renderPage(image, page, 0, 0, 6, 1);
    ASSERT_EQ(image.format(), QImage::Format_RGB555);
    for (int x = 0; x < 5; ++x) {
        SCOPED_TRACE(x);
        EXPECT_EQ(image.pixel(x, 0), cases[x].shown);
        std::uint16_t stored;
        std::memcpy(&stored, image.constScanLine(0) + x * 2, 2);
        EXPECT_EQ(stored, cases[x].pixel);
    }
}

TEST_F(RenderTest, TwentyFourBitRowsArriveUnchanged) {
    Page page;
    randomPage(page, 7, 3, kMode24, 5);
    QImage image(7, 3, QImage::Format_ARGB32);
    renderPage(image, page, 0, 0, 7, 3);
    ASSERT_EQ(image.format(), QImage::Format_BGR888);
    for (int y = 0; y < 3; ++y)
        EXPECT_EQ(std::memcmp(image.constScanLine(y), &page.pixels24[y * page.stride * 3], 7 * 3),
                  0)
            << "row " << y;
    EXPECT_EQ(image.pixel(0, 0), 0xFF000000u | pixelAt(page, 0, 0));
}

TEST_F(RenderTest, ImageKeepsItsSizeAndFollowsThePageMode) {
    Page p8, p16;
    ASSERT_TRUE(createSinglePage(p8, 8, 8, kMode8));
    ASSERT_TRUE(createSinglePage(p16, 8, 8, kMode16));
    QImage image(3, 5, QImage::Format_ARGB32);
    image.fill(qRgb(255, 0, 255));
    // Rows the call does not reach keep their picture across the format change.
    renderPage(image, p16, 0, 0, 3, 2);
    EXPECT_EQ(image.format(), QImage::Format_RGB555);
    EXPECT_EQ(image.size(), QSize(3, 5));
    EXPECT_EQ(image.pixel(2, 4), qRgb(255, 0, 255));
    renderPage(image, p8, 0, 0, 0, 0);  // nothing to draw, but the format is set
    EXPECT_EQ(image.format(), QImage::Format_BGR888);

    QImage null;
    renderPage(null, p8, 0, 0, 8, 8);
    EXPECT_TRUE(null.isNull());

    Page empty;
    QImage kept = untouchedImage(4, 4, QImage::Format_ARGB32);
    renderPage(kept, empty, 0, 0, 4, 4);
    EXPECT_EQ(kept.format(), QImage::Format_ARGB32);
    EXPECT_EQ(rowBytes(kept, 0), rowBytes(untouchedImage(4, 4, QImage::Format_ARGB32), 0));
}

// Every clipping rule at once, against the pixel-by-pixel rendering, for all
// three modes. Widths from 1 up exercise the end of the 8-bit row, which must
// not spill into the row's padding or the next row.
TEST_F(RenderTest, RectanglesAreClippedPixelByPixel) {
    struct Case {
        const char* what;
        int pageW, pageH, imageW, imageH, srcX, srcY, width, height;
    };
    const Case cases[] = {
        {"whole page", 13, 5, 16, 5, 0, 0, 16, 5},
        {"cut at the right edge", 13, 5, 9, 5, 0, 0, 16, 5},
        {"cut at the bottom", 13, 5, 16, 3, 0, 0, 16, 5},
        {"wider than the image and the page", 5, 4, 11, 6, 0, 0, 100, 100},
        {"negative srcX counts as 0", 13, 5, 16, 5, -3, 0, 16, 5},
        {"srcX inside the padding", 13, 5, 16, 5, 14, 0, 16, 5},
        {"srcX at the stride", 13, 5, 16, 5, 16, 0, 16, 5},
        {"srcX beyond the stride", 13, 5, 16, 5, 40, 0, 16, 5},
        {"rows above the page", 8, 4, 8, 6, 0, -2, 8, 6},
        {"rows below the page", 8, 4, 8, 6, 0, 3, 8, 6},
        {"all rows below the page", 8, 4, 8, 6, 0, 4, 8, 6},
        {"middle of a page", 40, 30, 7, 5, 9, 11, 6, 4},
        {"zero width", 8, 4, 8, 4, 0, 0, 0, 4},
        {"negative height", 8, 4, 8, 4, 0, 0, 8, -1},
    };
    for (const int mode : {kMode8, kMode16, kMode24}) {
        for (const Case& c : cases) {
            // Where rows end: from one pixel to past the image.
            std::vector<int> widths{c.width};
            if (c.width == 16) widths = {1, 2, 3, 4, 5, 6, 7, 9, 13, 16, 17};
            for (const int width : widths) {
                SCOPED_TRACE(testing::Message()
                             << c.what << ", mode " << mode << ", width " << width);
                Page page;
                randomPage(page, c.pageW, c.pageH, mode, static_cast<std::uint32_t>(width));
                const QImage expected =
                    expectedRender(page, c.imageW, c.imageH, c.srcX, c.srcY, width, c.height);
                QImage image = untouchedImage(c.imageW, c.imageH, expected.format());
                renderPage(image, page, c.srcX, c.srcY, width, c.height);
                ASSERT_EQ(image.format(), expected.format());
                for (int y = 0; y < c.imageH; ++y)
                    ASSERT_EQ(rowBytes(image, y), rowBytes(expected, y)) << "row " << y;
            }
        }
    }
}

TEST_F(RenderTest, LongEightBitRowsMatchTheLookUp) {
    Page page;
    randomPage(page, 301, 3, kMode8, 11);  // stride 304
    for (const int width : {301, 302, 303, 304, 305}) {
        SCOPED_TRACE(width);
        const QImage expected = expectedRender(page, width, 3, 0, 0, width, 3);
        QImage image = untouchedImage(width, 3, QImage::Format_BGR888);
        renderPage(image, page, 0, 0, width, 3);
        for (int y = 0; y < 3; ++y)
            ASSERT_EQ(rowBytes(image, y), rowBytes(expected, y)) << "row " << y;
    }
}

TEST_F(RenderTest, SharedImagesAreDetachedBeforeDrawing) {
    Page page;
    randomPage(page, 4, 4, kMode24, 3);
    QImage image = untouchedImage(4, 4, QImage::Format_BGR888);
    const QImage copy = image;
    renderPage(image, page, 0, 0, 4, 4);
    EXPECT_EQ(rowBytes(copy, 0), rowBytes(untouchedImage(4, 4, QImage::Format_BGR888), 0));
    EXPECT_NE(rowBytes(image, 0), rowBytes(copy, 0));
}

}  // namespace
}  // namespace zentil
