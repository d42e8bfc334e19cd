// The one list of page formats, and PNG pictures as pages.
#include "formats/page_formats.h"
#include "file_builders.h"
#include "formats/png_file.h"
#include "image/pixel.h"
#include "test_support.h"

namespace zentil {
namespace {

// Which format a name is taken for: by what the load command finds in the
// file name (sprite files first), and by the last extension for the tool.
TEST(PageFormats, NamesAndExtensionsFindTheirFormat) {
    const struct {
        const char* name;
        const char* inName;  // extension found in the name, or ""
        const char* byExtension;
    } rows[] = {
        {"hero.tga", "TGA", "TGA"},     {"Hero.Png", "PNG", "PNG"},
        {"SHEET.GPF", "GPF", "GPF"},    {"hero.walk.tga", "TGA", "TGA"},
        {"hero.gpf.tga", "GPF", "TGA"},  // the load command's rule: sprite files first
        {"notes.txt", "", ""},          {"png", "", ""},
    };
    for (const auto& row : rows) {
        const PageFormat* inName = formatInName(row.name);
        const PageFormat* byExtension = formatOfExtension(row.name);
        EXPECT_EQ(inName ? inName->extension : std::string(), row.inName) << row.name;
        EXPECT_EQ(byExtension ? byExtension->extension : std::string(), row.byExtension)
            << row.name;
    }
    EXPECT_EQ(formatOfExtension("folder.png/file"), nullptr);
    EXPECT_EQ(filterOf(pageFormat(PageFormatId::Png)), "PNG 파일 (*.PNG)");
    EXPECT_EQ(pageFormat(PageFormatId::Gpf).loadsInto, LoadsInto::Sprites);
    EXPECT_EQ(pageFormat(PageFormatId::Png).loadsInto, LoadsInto::Pictures);
}

// A page written as PNG reads back with its pixels, palette and key; pages
// of more colours than a palette holds are written in colour.
TEST(PngPages, RoundTripKeepsPixelsPaletteAndKey) {
    test::TempDir dir;
    for (const int mode : {kMode8, kMode16, kMode24}) {
        Page page;
        ASSERT_TRUE(createPage(page, 7, 3, 5, 2, mode));  // 21 x 10, padding after 21
        setPagePalette(page, test::rampPalette());
        setColorKey(page, mode == kMode8 ? 200u : 0u);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 21; ++x)
                putPixel(page, x, y, mode == kMode16 ? ((x * 7 + y) % 32) << 5 : (x * 7 + y) % 240);
        const std::string path = dir.file("page.png");
        ASSERT_TRUE(writePngFile(path, page)) << mode;
        Page back;
        ASSERT_TRUE(readPngFile(path, back, {})) << mode;
        EXPECT_EQ(back.kind, kKindTga);
        EXPECT_EQ(back.width, 21);
        EXPECT_EQ(back.height, 10);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 21; ++x) {
                const std::uint32_t want = mode == kMode8    ? pixelAt(page, x, y)
                                           : mode == kMode16 ? widen16To24(pixelAt(page, x, y))
                                                             : pixelAt(page, x, y);
                const std::uint32_t got = mode == kMode8
                                              ? pixelAt(back, x, y)
                                              : paletteTo24(pixelAt(back, x, y), back.palette);
                ASSERT_EQ(got, want) << mode << " " << x << "," << y;
            }
        if (mode == kMode8) {
            EXPECT_EQ(back.palette, test::rampPalette());
            EXPECT_EQ(back.colorKey8, 200);  // the key entry is the transparent one
        }
    }
    Page untouched;
    EXPECT_EQ(readPngFile(dir.file("missing.png"), untouched, {}).text,
              "PNG 파일을 읽을 수 없습니다.");
    test::writeBytes(dir.file("bad.png"), test::Bytes(40, 7));
    EXPECT_FALSE(readPngFile(dir.file("bad.png"), untouched, {}));
    EXPECT_FALSE(untouched.inUse());
}

}  // namespace
}  // namespace zentil
