#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "system/config.h"

namespace zentil {
namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t{p[3]} << 24);
}

Config sampleRecord() {
    Config c{};
    c.windowLeft = -5;
    c.windowTop = 40;
    c.windowWidth = 1024;
    c.windowHeight = 768;
    c.maximized = 1;
    c.showGrid = 1;
    c.gridColor = 0x00FFFFFF;
    c.defaultColorKey8 = 0xAB;
    c.defaultColorKey16 = 0x7C1F;
    c.defaultColorKey24 = 0x00FF00FF;
    setConfigText(c.palettePath, "New.Pal");
    setConfigText(c.startDirectory, "/home/user/시작");
    setConfigText(c.openDirectory, "/data/open");
    setConfigText(c.saveDirectory, "/data/save");
    return c;
}

TEST(ConfigRecord, FileImagePutsEveryFieldAtItsOffsetLittleEndian) {
    const auto image = encodeConfig(sampleRecord());
    ASSERT_EQ(image.size(), 4132u);
    EXPECT_EQ(le32(&image[0]), 0xFFFFFFFBu);
    EXPECT_EQ(le32(&image[4]), 40u);
    EXPECT_EQ(le32(&image[8]), 1024u);
    EXPECT_EQ(le32(&image[12]), 768u);
    EXPECT_EQ(le32(&image[16]), 1u);
    EXPECT_EQ(le32(&image[20]), 1u);
    EXPECT_EQ(le32(&image[24]), 0x00FFFFFFu);
    EXPECT_EQ(image[28], 0xAB);
    EXPECT_EQ(image[29], 0);
    EXPECT_EQ(image[30], 0x1F);
    EXPECT_EQ(image[31], 0x7C);
    EXPECT_EQ(le32(&image[32]), 0x00FF00FFu);
    EXPECT_EQ(std::strcmp(reinterpret_cast<const char*>(&image[36]), "New.Pal"), 0);
    EXPECT_EQ(std::strcmp(reinterpret_cast<const char*>(&image[1060]), "/home/user/시작"), 0);
    EXPECT_EQ(std::strcmp(reinterpret_cast<const char*>(&image[2084]), "/data/open"), 0);
    EXPECT_EQ(std::strcmp(reinterpret_cast<const char*>(&image[3108]), "/data/save"), 0);

    Config back{};
    decodeConfig(image, back);
    EXPECT_EQ(encodeConfig(back), image);
}

TEST(ConfigRecord, ShortOrUnterminatedImagesAreReadSafely) {
    // A short image replaces only the start of the record.
    Config record = sampleRecord();
    const std::vector<std::uint8_t> shortImage(8, 0);
    decodeConfig(shortImage, record);
    EXPECT_EQ(record.windowLeft, 0);
    EXPECT_EQ(record.windowTop, 0);
    EXPECT_EQ(record.windowWidth, 1024);
    EXPECT_EQ(configText(record.palettePath), "New.Pal");

    // Texts filling their whole field end within it.
    std::vector<std::uint8_t> full(kConfigSize, 'x');
    decodeConfig(full, record);
    EXPECT_EQ(configText(record.palettePath).size(), kConfigTextSize - 1);
    EXPECT_EQ(configText(record.saveDirectory).size(), kConfigTextSize - 1);

    // Over-long texts are cut to fit with their terminating zero.
    setConfigText(record.openDirectory, std::string(5000, 'd'));
    EXPECT_EQ(configText(record.openDirectory).size(), kConfigTextSize - 1);
}

}  // namespace
}  // namespace zentil
