#include <gtest/gtest.h>

#include <array>

#include "image/pixel.h"

namespace zentil {
namespace {

Palette withEntry(int index, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    Palette p{};
    p[index * 3 + 0] = r;
    p[index * 3 + 1] = g;
    p[index * 3 + 2] = b;
    return p;
}

TEST(ColourConversion, PaletteEntriesToSixteenAndTwentyFourBits) {
    EXPECT_EQ(paletteTo16(9, withEntry(9, 255, 255, 255)), 0x7FFF);
    EXPECT_EQ(paletteTo16(9, withEntry(9, 8, 16, 24)), 0x0443);
    EXPECT_EQ(paletteTo16(0, withEntry(0, 7, 7, 7)), 0x0000);  // no rounding up here
    EXPECT_EQ(paletteTo24(200, withEntry(200, 1, 2, 3)), 0x00010203u);

    std::array<std::uint8_t, 3> out{};
    paletteToPixel24(out.data(), 200, withEntry(200, 1, 2, 3));
    EXPECT_EQ(out, (std::array<std::uint8_t, 3>{3, 2, 1}));
}

TEST(ColourConversion, NarrowingKeepsEveryChannelThatIsNotBlack) {
    EXPECT_EQ(narrow24To16(0x00C80005u), 0x6401);
    EXPECT_EQ(narrow24To16(0x00070707u), 0x0421);
    EXPECT_EQ(narrow24To16(0x00080808u), 0x0421);
    EXPECT_EQ(narrow24To16(0), 0);
    EXPECT_EQ(narrow24To16(0x00FFFFFFu), 0x7FFF);
    EXPECT_EQ(narrow24To16(0x00010000u), 0x0400);  // red 1 alone stays red
}

TEST(ColourConversion, TheTwoWideningsDifferOnlyAtTheTopValue) {
    EXPECT_EQ(widen16To24(0x7FFF), 0x00F8F8F8u);
    std::array<std::uint8_t, 3> out{};
    widen16ToPixel24(out.data(), 0x7FFF);
    EXPECT_EQ(out, (std::array<std::uint8_t, 3>{0xFF, 0xFF, 0xFF}));

    // Channel value 30 gives 240 in both; red 30, green 1, blue 0.
    const std::uint16_t v = pack16(30, 1, 0);
    EXPECT_EQ(widen16To24(v), 0x00F00800u);
    widen16ToPixel24(out.data(), v);
    EXPECT_EQ(out, (std::array<std::uint8_t, 3>{0x00, 0x08, 0xF0}));

    // Bit 15 is ignored by both.
    EXPECT_EQ(widen16To24(0x8000), 0u);
}

TEST(ColourConversion, ThreeBytePixelsAreBlueGreenRed) {
    const std::array<std::uint8_t, 3> bytes{0x11, 0x22, 0x33};
    EXPECT_EQ(pixel24Value(bytes.data()), 0x00332211u);
    std::array<std::uint8_t, 3> out{};
    valueToPixel24(out.data(), 0xAA332211u);  // the top byte is not stored
    EXPECT_EQ(out, bytes);
}

}  // namespace
}  // namespace zentil
