#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "file_builders.h"
#include "formats/gpf_file.h"
#include "formats/tga_file.h"
#include "image/palette.h"
#include "system/config.h"
#include "tool_commands.h"

namespace zentil {
namespace {

struct ToolRun {
    int code;
    std::string out, err;
};

ToolRun run(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int code = tool::runTool(args, out, err);
    return {code, out.str(), err.str()};
}

class ToolTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A 64 x 32 picture: two 32 x 32 tiles, the left one with a small
        // sprite, the right one empty; index 0 in every corner.
        Page page;
        ASSERT_TRUE(createSinglePage(page, 64, 32, kMode8));
        for (int y = 10; y < 14; ++y)
            for (int x = 3; x < 9; ++x)
                putPixel(page, x, y, 5 + x);
        picture = dir.file("Sheet.tga");
        test::writeBytes(picture, encodeTga(page));
    }
    test::TempDir dir;
    std::string picture;
};

TEST_F(ToolTest, ConvertsAPictureIntoATiledSpriteFileAndBack) {
    const std::string gpf = dir.file("out.GPF");
    ToolRun r = run({"convert", picture, gpf, "--tile", "32x32", "--key", "0"});
    ASSERT_EQ(r.code, 0) << r.err;

    ToolRun info = run({"info", gpf});
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_NE(info.out.find("GPF 2 x 1 tiles of 32 x 32, key 0"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("tile 0: 1,10 8 x 4"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("tile 1: 0,0 0 x 0, 0 bytes"), std::string::npos) << info.out;

    const std::string back = dir.file("back.Tga");
    r = run({"convert", gpf, back});
    ASSERT_EQ(r.code, 0) << r.err;
    Page original, roundTrip;
    ASSERT_TRUE(readTgaFile(picture, original, {}));
    ASSERT_TRUE(readTgaFile(back, roundTrip, {}));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(pixelAt(roundTrip, x, y), pixelAt(original, x, y));
}

TEST_F(ToolTest, ExistingOutputsAreReplacedOnlyWithForce) {
    const std::string gpf = dir.file("keep.gpf");
    test::writeBytes(gpf, test::Bytes{9, 9});
    ToolRun r = run({"convert", picture, gpf});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("--force"), std::string::npos);
    EXPECT_EQ(test::readBytes(gpf), (test::Bytes{9, 9}));
    r = run({"convert", picture, gpf, "--force"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_GT(test::readBytes(gpf).size(), 36u);
}

TEST_F(ToolTest, FailuresSayWhyAndExitNonZero) {
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err;
    };
    const std::string out = dir.file("x.gpf");
    test::writeBytes(dir.file("empty.tga"), {});
    test::writeBytes(dir.file("bad.gpf"), {1, 2, 3, 4});
    const Case cases[] = {
        {{"info", dir.file("empty.tga")}, 1, "empty.tga: unreadable"},
        {{"info", dir.file("bad.gpf")}, 1, "GPF"},
        {{"convert", dir.file("missing.tga"), out}, 1, "TGA 파일을 열 수 없습니다."},
        {{"convert", picture, out, "--tile", "30x32"}, 1, "is not a whole number"},
        {{"convert", picture, out, "--tile", "big"}, 2, "--tile takes WxH"},
        {{"convert", picture, out, "--key", "300"}, 2, "0 to 255"},
        {{"convert", picture, dir.file("x.bmp")}, 2, "must be a .TGA, .GPF or .PNG"},
        {{"convert", picture}, 2, "usage"},
        {{"convert", picture, out, "--bogus"}, 2, "unknown option"},
        {{"info", dir.file("x.bmp")}, 1, "not a picture, sprite or palette file"},
        {{"info", picture, "--tile", "30x32"}, 1, "is not a whole number"},
        {{"palette", picture, dir.file("p.pal"), "--format", "bmp"}, 2, "--format takes"},
        {{"frobnicate"}, 2, "unknown command"},
        {{}, 2, "commands:"},
    };
    for (const Case& c : cases) {
        const ToolRun r = run(c.args);
        EXPECT_EQ(r.code, c.code) << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << "wanted '" << c.err << "' in: " << r.err;
        EXPECT_EQ(r.out.find("unreadable"), std::string::npos) << r.out;  // failures go to err
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    const ToolRun help = run({"convert", "--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("--palette"), std::string::npos);
}

// Pictures go to PNG and back unchanged; info tells a build script what every
// tile costs; palettes travel between every format.
TEST_F(ToolTest, PngAndPaletteFormatsTravelBothWays) {
    const std::string png = dir.file("Sheet.PNG"), back = dir.file("back.tga");
    ASSERT_EQ(run({"convert", picture, png}).code, 0);
    ASSERT_EQ(run({"convert", png, back}).code, 0);
    Page original, roundTrip;
    ASSERT_TRUE(readTgaFile(picture, original, {}));
    ASSERT_TRUE(readTgaFile(back, roundTrip, {}));
    EXPECT_EQ(roundTrip.palette, original.palette);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(pixelAt(roundTrip, x, y), pixelAt(original, x, y));

    const ToolRun info = run({"info", png, "--tile", "32x32", "--json"});
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_EQ(info.out.rfind("{\"files\":[{\"path\":", 0), 0u) << info.out;
    EXPECT_NE(info.out.find("\"tiles\":[{\"x\":1,\"y\":10,\"w\":8,\"h\":4,"), std::string::npos)
        << info.out;
    EXPECT_NE(info.out.find("{\"x\":0,\"y\":0,\"w\":0,\"h\":0,\"bytes\":0}"), std::string::npos);
    const std::string gpf = dir.file("sheet.gpf");
    ASSERT_EQ(run({"convert", png, gpf, "--tile", "32x32"}).code, 0);
    const std::string gpfBytes = "\"gpfBytes\":" + std::to_string(test::readBytes(gpf).size());
    EXPECT_NE(info.out.find(gpfBytes), std::string::npos) << info.out;

    // Every format written, read back, and written as the editor's own file.
    for (const char* name : {"p.gpl", "p.act", "p.pal", "jasc.pal"}) {
        std::vector<std::string> args{"palette", picture, dir.file(name)};
        if (std::string(name) == "jasc.pal") args.insert(args.end(), {"--format", "jasc"});
        ASSERT_EQ(run(args).code, 0) << name;
        const std::string own = dir.file(std::string(name) + ".own.pal");
        ASSERT_EQ(run({"palette", dir.file(name), own}).code, 0) << name;
        const test::Bytes bytes = test::readBytes(own);
        ASSERT_EQ(bytes.size(), 769u + 524288u) << name;
        EXPECT_TRUE(std::equal(original.palette.begin(), original.palette.end(), bytes.begin() + 1))
            << name;
    }
}

TEST_F(ToolTest, WritesAPicturesPaletteFile) {
    const std::string pal = dir.file("Sheet.PAL");
    const ToolRun r = run({"palette", picture, pal});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(std::filesystem::file_size(pal), 525057u);
    const ToolRun info = run({"info", pal});
    EXPECT_EQ(info.code, 0) << info.err;
    EXPECT_NE(info.out.find("blend table complete"), std::string::npos);
}

}  // namespace
}  // namespace zentil

namespace zentil {
namespace {

class ToolEditTest : public ToolTest {
  protected:
    Page readBack(const std::string& path) {
        Page page;
        EXPECT_TRUE(readSpriteFile(path, page, {}));
        return page;
    }
};

TEST_F(ToolEditTest, TrimRetileAndRecolorWorkOnFiles) {
    const std::string sheet = dir.file("sheet.gpf");
    ASSERT_EQ(run({"convert", picture, sheet, "--tile", "32x32", "--key", "0"}).code, 0);

    // The sprite covers columns 3..8 and rows 10..13 of tile 0.
    const std::string trimmed = dir.file("trimmed.gpf");
    ToolRun r = run({"trim", sheet, trimmed});
    ASSERT_EQ(r.code, 0) << r.err;
    Page t = readBack(trimmed);
    EXPECT_EQ(t.tileWidth, 28);  // m = 3: 32 - 6 = 26, rounded up to 28
    EXPECT_EQ(t.tileHeight, 4);
    EXPECT_EQ(pixelAt(t, 0, 0), 8u);

    const std::string grown = dir.file("grown.gpf");
    r = run({"retile", sheet, grown, "--tile", "40x40", "--align", "center"});
    ASSERT_EQ(r.code, 0) << r.err;
    Page g = readBack(grown);
    EXPECT_EQ(g.tileWidth, 40);
    EXPECT_EQ(g.cols, 2);
    EXPECT_EQ(pixelAt(g, 3 + 4, 10 + 4), 8u);

    const std::string regrid = dir.file("regrid.gpf");
    r = run({"retile", sheet, regrid, "--tile", "16x16", "--grid", "2x1"});
    ASSERT_EQ(r.code, 0) << r.err;
    Page n = readBack(regrid);
    EXPECT_EQ(n.width, 32);
    EXPECT_EQ(n.height, 16);
    EXPECT_EQ(pixelAt(n, 3, 10), 8u);

    const std::string recolored = dir.file("recolored.gpf");
    r = run({"recolor", sheet, recolored, "--from", "8", "--to", "0x30"});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(pixelAt(readBack(recolored), 3, 10), 0x30u);

    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err;
    };
    const std::string out = dir.file("never.gpf");
    const Case bad[] = {
        {{"retile", sheet, out}, 2, "--tile WxH is needed"},
        {{"retile", sheet, out, "--tile", "8x8", "--align", "diagonal"}, 2, "--align takes"},
        {{"retile", sheet, out, "--tile", "8x8", "--align", "left", "--grid", "1x1"},
         2,
         "only without alignment"},
        {{"recolor", sheet, out, "--from", "1"}, 2, "either --to N or --similar"},
        {{"recolor", sheet, out, "--from", "1", "--to", "2", "--similar"}, 2, "either"},
        {{"recolor", sheet, out, "--from", "1", "--to", "256"}, 1, "색상 범위가 255보다 큽니다."},
        {{"trim", sheet, trimmed}, 1, "--force"},
    };
    for (const Case& c : bad) {
        const ToolRun b = run(c.args);
        EXPECT_EQ(b.code, c.code) << b.err;
        EXPECT_NE(b.err.find(c.err), std::string::npos) << "wanted '" << c.err << "' in " << b.err;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace zentil
