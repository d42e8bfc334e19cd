#include "edit/recolor.h"
#include "system/texts.h"
#include "test_support.h"

namespace zentil {
namespace {

using test::CoreTest;

TEST_F(CoreTest, SimilarColourChoicesFollowTheModes) {
    Page p8, p16, p24;
    ASSERT_TRUE(createSinglePage(p8, 4, 1, kMode8));
    ASSERT_TRUE(createSinglePage(p16, 4, 1, kMode16));
    ASSERT_TRUE(createSinglePage(p24, 4, 1, kMode24));
    Palette pal{};
    for (int i = 0; i < 256; ++i)
        pal[i * 3] = 200;  // everything far from black
    pal[0] = 0;            // entry 0 black
    pal[9 * 3] = 1;        // entry 9 one step from it
    setPagePalette(p8, pal);
    EXPECT_EQ(similarColor(p8, 0), 9u);
    pal[3 * 3] = 1;  // entry 3 just as near: the lower index wins
    setPagePalette(p8, pal);
    EXPECT_EQ(similarColor(p8, 0), 3u);
    pal[5 * 3] = 0;  // an identical colour elsewhere is the nearest of all
    setPagePalette(p8, pal);
    EXPECT_EQ(similarColor(p8, 0), 5u);

    EXPECT_EQ(similarColor(p16, 0), 1u);
    EXPECT_EQ(similarColor(p16, 0x7FFF), 0x7FFEu);
    EXPECT_EQ(similarColor(p24, 0), 1u);
    EXPECT_EQ(similarColor(p24, 0xFFFFFF), 0xFFFFFEu);
}

TEST_F(CoreTest, ReplacementCoversTheWholeBufferInEveryMode) {
    for (int mode : {kMode8, kMode16, kMode24}) {
        Page page;
        ASSERT_TRUE(createSinglePage(page, 5, 2, mode));  // padding columns included
        setColorKey(page, 7);
        clearPage(page);
        putPixel(page, 1, 1, 8);
        ASSERT_TRUE(replaceColor(page, 7, 0x2A, false));
        for (int y = 0; y < page.height; ++y)
            for (int x = 0; x < page.stride; ++x)
                ASSERT_EQ(pixelAt(page, x, y), (x == 1 && y == 1) ? 8u : 0x2Au) << mode;
        ASSERT_TRUE(replaceColor(page, 8, 0, true));  // similar: 9 on 16/24-bit pages
        if (mode != kMode8) {
            EXPECT_EQ(pixelAt(page, 1, 1), 9u);
        }
    }
}

TEST_F(CoreTest, OutOfRangeColoursAreReportedAndChangeNothing) {
    struct Case {
        int mode;
        std::uint32_t from, to;
        const char* message;
    };
    const Case cases[] = {
        {kMode8, 0, 256, "색상 범위가 255보다 큽니다."},
        {kMode8, 256, 0, "색상 범위가 255보다 큽니다."},
        {kMode16, 0x8000, 0, "색상 범위가 32767보다 큽니다."},
        {kMode24, 0, 0x1000000, "색상 범위가 16777215보다 큽니다."},
        {kMode24, static_cast<std::uint32_t>(-1), 0, "색상 범위가 16777215보다 큽니다."},
    };
    for (const Case& c : cases) {
        Page page;
        ASSERT_TRUE(createSinglePage(page, 4, 1, c.mode));
        EXPECT_EQ(test::said(replaceColor(page, c.from, c.to, false)),
                  (test::RecordedMessage{"오류", c.message}));
        EXPECT_EQ(pixelAt(page, 0, 0), 0u);
    }
    Page empty;
    EXPECT_FALSE(replaceColor(empty, 0, 1, false));
}

}  // namespace
}  // namespace zentil
