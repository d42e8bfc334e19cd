#include <filesystem>

#include "edit/pixel_info.h"
#include "edit/store_page.h"
#include "file_builders.h"
#include "system/config_file.h"
#include "system/texts.h"
#include "test_support.h"

namespace zentil {
namespace {

using test::CoreTest;

TEST_F(CoreTest, StatusTextsDescribeTheTileAndColours) {
    Page page;
    ASSERT_TRUE(createPage(page, 16, 4, 16, 2, kMode8));
    Palette pal{};
    pal[7 * 3 + 0] = 10;  // the default key 7 takes the page's own colours
    pal[7 * 3 + 1] = 20;
    pal[7 * 3 + 2] = 30;
    setPagePalette(page, pal);
    PageDefaults defaults;
    defaults.key8 = 7;
    defaults.key24 = 0x00FF8001;
    setColorKey(page, 0);
    putPixel(page, 37, 5, 7);
    PixelInfo info = pixelInfo(&page, 37, 5, defaults);
    EXPECT_EQ(info.tileXY, "5, 5");
    EXPECT_EQ(info.tileNum, "2");
    EXPECT_EQ(info.tileSize, "16 X 16");
    EXPECT_EQ(info.pixel, (ColorTexts{"7", "10", "20", "30"}));
    EXPECT_EQ(info.defaultKey, (ColorTexts{"7", "10", "20", "30"}));
    EXPECT_EQ(info.key, (ColorTexts{"0", "0", "0", "0"}));
    EXPECT_EQ(pixelInfo(&page, 3, 20, defaults).tileNum, "4");

    Page deep;
    ASSERT_TRUE(createSinglePage(deep, 4, 4, kMode16));
    putPixel(deep, 0, 0, 0x7FFF);
    putPixel(deep, 1, 0, 0x4210);
    EXPECT_EQ(pixelInfo(&deep, 0, 0, defaults).pixel, (ColorTexts{"32767", "255", "255", "255"}));
    EXPECT_EQ(pixelInfo(&deep, 1, 0, defaults).pixel, (ColorTexts{"16912", "128", "128", "128"}));

    Page full;
    ASSERT_TRUE(createSinglePage(full, 4, 4, kMode24));
    putPixel(full, 2, 2, 0x00123456);
    info = pixelInfo(&full, 2, 2, defaults);
    EXPECT_EQ(info.pixel, (ColorTexts{"1193046", "18", "52", "86"}));
    EXPECT_EQ(info.defaultKey, (ColorTexts{"16744449", "255", "128", "1"}));

    // No current page: zeros everywhere, the tile size keeps its text.
    info = pixelInfo(nullptr, 0, 0, defaults);
    EXPECT_EQ(info.tileXY, "0");
    EXPECT_EQ(info.tileNum, "0");
    EXPECT_FALSE(info.tileSize.has_value());
    EXPECT_EQ(info.key, (ColorTexts{"0", "0", "0", "0"}));
}

TEST_F(CoreTest, NewStorePagesAreNamedAndTakeTheDefaults) {
    PageDefaults defaults;
    defaults.key8 = 12;
    defaults.palette = test::rampPalette();
    Page page;
    ASSERT_TRUE(newStorePage(page, 3, 2, 8, 5, "", 3, kMode8, defaults));
    EXPECT_EQ(pageName(page), "NoName3");
    EXPECT_EQ(page.kind, kKindSprite);
    EXPECT_EQ(page.cols, 3);
    EXPECT_EQ(page.rows, 2);
    EXPECT_EQ(page.tileCount, 6);
    EXPECT_EQ(page.width, 24);
    EXPECT_EQ(page.palette, test::rampPalette());
    EXPECT_EQ(pixelAt(page, 23, 9), 12u);

    Page image;
    ASSERT_TRUE(newStorePage(image, 1, 1, 320, 240, std::string(70, 'N'), 4, kMode8, defaults));
    EXPECT_EQ(pageName(image), std::string(63, 'N'));
    EXPECT_EQ(image.tileWidth, 320);
    EXPECT_EQ(image.cols, 1);

    // A page that cannot exist is reported and leaves the record empty.
    Page huge;
    EXPECT_EQ(test::said(newStorePage(huge, 65536, 65536, 1, 1, "X", 5, kMode8, defaults)),
              (test::RecordedMessage{"오류", "이미지를 생성할 수 없습니다."}));
    EXPECT_FALSE(huge.inUse());
}

TEST(FormatText, LongTextsAreNotCut) {
    const std::string path(600, 'p');
    EXPECT_EQ(formatText("%s 없음 (%d)", path.c_str(), 16), path + " 없음 (16)");
}

TEST(ConfigFile, OnlyAWholeRecordIsTrusted) {
    test::TempDir dir;
    const std::string path = dir.file(kConfigFileName);
    Config record{};
    EXPECT_EQ(readConfigFile(path, record), ConfigRead::Missing);

    Config saved{};
    setConfigDefaults(saved);
    saved.windowLeft = 40;
    saved.maximized = 1;
    saved.defaultColorKey8 = 9;
    setConfigText(saved.palettePath, "/palettes/Game.Pal");
    ASSERT_TRUE(writeConfigFile(path, saved));
    EXPECT_EQ(std::filesystem::file_size(path), kConfigSize);
    ASSERT_EQ(readConfigFile(path, record), ConfigRead::Loaded);
    EXPECT_EQ(encodeConfig(record), encodeConfig(saved));
    EXPECT_EQ(configText(record.openDirectory), "/");
    EXPECT_EQ(record.gridColor, 0x00FFFFFF);

    for (std::size_t size : {std::size_t{0}, std::size_t{100}, kConfigSize - 1, kConfigSize + 1}) {
        test::writeBytes(path, test::Bytes(size, 0x41));
        Config untouched = saved;
        EXPECT_EQ(readConfigFile(path, untouched), ConfigRead::Damaged) << size;
        EXPECT_EQ(encodeConfig(untouched), encodeConfig(saved)) << size;
    }
}

}  // namespace
}  // namespace zentil
