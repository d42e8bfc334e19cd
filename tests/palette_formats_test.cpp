// Palette files of the formats artists use: each written and read back, told
// apart by content, and refused when damaged.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "formats/palette_file.h"
#include "formats/palette_formats.h"
#include "formats/png_codec.h"
#include "system/texts.h"

namespace zentil {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes text(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

Palette randomPalette(unsigned seed) {
    std::mt19937 rng(seed);
    Palette p;
    for (std::uint8_t& v : p)
        v = static_cast<std::uint8_t>(rng());
    return p;
}

// A palette whose first entries are `colours` and the rest black.
Palette leading(const std::vector<std::array<int, 3>>& colours) {
    Palette p{};
    for (std::size_t n = 0; n < colours.size(); ++n)
        for (int c = 0; c < 3; ++c)
            p[n * 3 + c] = static_cast<std::uint8_t>(colours[n][c]);
    return p;
}

TEST(PaletteFormatsTest, EveryFormatComesBackAsWritten) {
    const Palette palette = randomPalette(7);
    for (PaletteFormat format :
         {PaletteFormat::Own, PaletteFormat::Jasc, PaletteFormat::Gimp, PaletteFormat::Act}) {
        SCOPED_TRACE(static_cast<int>(format));
        const Bytes file = writePaletteFormat(palette, format);
        Palette back{};
        const Outcome outcome = parsePaletteFile(file, back);
        ASSERT_TRUE(outcome) << outcome.text;
        EXPECT_EQ(back, palette);
        if (format == PaletteFormat::Own) {
            ASSERT_EQ(file.size(), kPaletteFileBytes);
            EXPECT_EQ(file[0], 1);
        }
        if (format == PaletteFormat::Act) {
            EXPECT_EQ(file.size(), 768u);
        }
    }
}

TEST(PaletteFormatsTest, TellsTheFormatsApartByContent) {
    Bytes own(kPaletteHeaderBytes, 0);
    own[0] = 1;
    own[1] = 200, own[2] = 100, own[3] = 50, own[768] = 9;
    // A colour table whose first colours spell a text header, and a text
    // palette of a colour table's size.
    Bytes act = text("JASC-PAL");
    act.resize(768, 0);
    act[767] = 4;
    Bytes jascOf768 = text("JASC-PAL\r\n0100\r\n1\r\n7 8 9\r\n");
    jascOf768.resize(768, '\n');
    // A colour table of 2 colours with entry 1 transparent, the rest of its bytes not black.
    Bytes actCounted(772, 33);
    actCounted[768] = 0, actCounted[769] = 2, actCounted[770] = 0, actCounted[771] = 1;
    // 772 bytes whose end is no colour count: the editor's own file.
    Bytes ownOf772(772, 44);
    ownOf772[0] = 1;
    ownOf772[768] = 3;
    IndexedPicture picture;
    picture.width = picture.height = 2;
    picture.indexes = {0, 1, 1, 0};
    picture.palette = randomPalette(8);
    Bytes png;
    ASSERT_TRUE(encodePng(picture, png));

    Palette ownWant{};
    ownWant[0] = 200, ownWant[1] = 100, ownWant[2] = 50, ownWant[767] = 9;
    Palette actWant{};
    std::copy(act.begin(), act.end(), actWant.begin());
    Palette ownOf772Want;
    ownOf772Want.fill(44);
    ownOf772Want[767] = 3;
    struct Case {
        const char* name;
        Bytes file;
        Palette want;
    };
    const std::vector<Case> cases = {
        {"own .pal, colours only", own, ownWant},
        {"own .pal with its blend table", writePaletteFormat(ownWant, PaletteFormat::Own), ownWant},
        {"JASC .pal, LF", text("JASC-PAL\n0100\n3\n255 0 0\n0 128 0\n1 2 3\n"),
         leading({{255, 0, 0}, {0, 128, 0}, {1, 2, 3}})},
        {"JASC .pal, CRLF, UTF-8 mark, blanks, no last line end",
         text("\xEF\xBB\xBFJASC-PAL\r\n0100\r\n2 \r\n 10  20 30\r\n\r\n40 50 60"),
         leading({{10, 20, 30}, {40, 50, 60}})},
        {"GIMP",
         text("GIMP Palette\nName: Test\nColumns: 4\n# a comment\n  0   0   0\tBlack\n"
              "255 255 255 White one\n\n 12 34 56\n"),
         leading({{0, 0, 0}, {255, 255, 255}, {12, 34, 56}})},
        {"GIMP, CRLF", text("GIMP Palette\r\n1 2 3\r\n"), leading({{1, 2, 3}})},
        {"Adobe, 768 bytes", act, actWant},
        {"JASC of 768 bytes", jascOf768, leading({{7, 8, 9}})},
        {"Adobe, 772 bytes with a count", actCounted, leading({{33, 33, 33}, {33, 33, 33}})},
        {"772 bytes without a count", ownOf772, ownOf772Want},
        {"PNG picture", png, picture.palette},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Palette got = randomPalette(9);
        const Outcome outcome = parsePaletteFile(c.file, got);
        ASSERT_TRUE(outcome) << outcome.text;
        EXPECT_EQ(got, c.want);
    }
}

TEST(PaletteFormatsTest, RefusesShortAndDamagedFiles) {
    Bytes gimpTooMany = text("GIMP Palette\n");
    for (int n = 0; n < 257; ++n)
        gimpTooMany.insert(gimpTooMany.end(), {'1', ' ', '2', ' ', '3', '\n'});
    Bytes ownWithoutMarker(kPaletteHeaderBytes, 0);
    Bytes actBadCount(772, 0);
    actBadCount[768] = 1;  // 256 + 1 colours
    actBadCount[769] = 1;
    const std::vector<Bytes> cases = {
        {},
        text("hello, palette"),
        Bytes(767, 1),
        ownWithoutMarker,
        actBadCount,
        text("JASC-PAL\n0100\n0\n"),
        text("JASC-PAL\n0100\n257\n"),
        text("JASC-PAL\n0200\n1\n1 2 3\n"),
        text("JASC-PAL\n0100\n3\n1 2 3\n4 5 6\n"),
        text("JASC-PAL\n0100\n1\n1 2 256\n"),
        text("JASC-PAL\n0100\n1\n1 2\n"),
        text("JASC-PAL\n0100\n1\n1 2 3 4\n"),
        text("JASC-PAL\n0100\n1\n1 2 x\n"),
        text("JASC-PAL\n0100\n1\n-1 2 3\n"),
        text("JASC-PAL\n0100\n1\n1 2 99999999999999999999\n"),
        text("GIMP Palette\n"),
        text("GIMP Palette\nName: only a name\n"),
        text("GIMP Palette\n1 2\n"),
        text("GIMP Palette\n1 2 3x\n"),
        gimpTooMany,
        Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0},
    };
    for (std::size_t n = 0; n < cases.size(); ++n) {
        SCOPED_TRACE(n);
        const Palette before = randomPalette(10);
        Palette got = before;
        const Outcome outcome = parsePaletteFile(cases[n], got);
        EXPECT_FALSE(outcome);
        EXPECT_TRUE(outcome.reportable());
        if (n + 1 < cases.size()) {
            EXPECT_EQ(outcome.text, texts::kCannotReadPalette);
        }
        EXPECT_EQ(got, before);
    }
}

TEST(PaletteFormatsTest, ExtensionsNameTheFormat) {
    const std::vector<std::pair<const char*, PaletteFormat>> cases = {
        {"New.pal", PaletteFormat::Own},       {"NEW.PAL", PaletteFormat::Own},
        {"a/b.GpL", PaletteFormat::Gimp},      {"colours.act", PaletteFormat::Act},
        {"x.act/palette", PaletteFormat::Own}, {"noextension", PaletteFormat::Own},
        {"picture.png", PaletteFormat::Own},
    };
    for (const auto& [path, format] : cases)
        EXPECT_EQ(paletteFormatForExtension(path), format) << path;
    // Pictures give their palette but are no palette files.
    for (const char* path : {"a/b.Tga", "art.png"}) {
        const PaletteFileType* type = paletteFileTypeOf(path);
        ASSERT_NE(type, nullptr) << path;
        EXPECT_TRUE(type->picture) << path;
    }
    for (const char* path : {"x.act/palette", "noextension", "sheet.gpf", "a.pal.bak"})
        EXPECT_EQ(paletteFileTypeOf(path), nullptr) << path;
}

}  // namespace
}  // namespace zentil
