#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <streambuf>

#include "fifo_rescue.h"
#include "file_builders.h"
#include "formats/gpf_file.h"
#include "formats/page_formats.h"
#include "formats/palette_file.h"
#include "formats/png_file.h"
#include "formats/tga_file.h"
#include "image/palette.h"
#include "png_builder.h"
#include "system/config.h"
#include "system/texts.h"
#include "test_support.h"
#include "tool_commands.h"
#include "tool_texts.h"

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
        applyPalette(page, test::rampPalette());
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
    EXPECT_NE(info.out.find("GPF 2 x 1 타일, 타일 크기 32 x 32, 투명색 0"), std::string::npos)
        << info.out;
    EXPECT_NE(info.out.find("타일 0: 1,10 8 x 4"), std::string::npos) << info.out;
    EXPECT_NE(info.out.find("타일 1: 0,0 0 x 0, 12 바이트 (데이터 0 바이트)"), std::string::npos)
        << info.out;

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

// Whether the text holds a Hangul syllable (U+AC00..U+D7A3, led by 0xEA..0xED in UTF-8).
bool speaksKorean(const std::string& text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0xEA && static_cast<unsigned char>(c) <= 0xED)
            return true;
    return false;
}

// One rule for the exit code: 2 for a command line that is wrong, 1 for a
// file that cannot be read or written. Every error names the tool, and the
// file where there is one, and speaks Korean as the editor does.
TEST_F(ToolTest, ExitCodesFollowOneRuleAndErrorsNameTheFile) {
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string file;  // the file the error names; empty for none
        std::string err;
    };
    const std::string out = dir.file("x.gpf");
    const std::string empty = dir.file("empty.tga"), emptyPng = dir.file("empty.png");
    const std::string bad = dir.file("bad.gpf"), missing = dir.file("missing.tga");
    const std::string bmp = dir.file("x.bmp"), xyz = dir.file("p.xyz");
    test::writeBytes(empty, {});
    test::writeBytes(emptyPng, {});
    test::writeBytes(bad, {1, 2, 3, 4});
    test::writeBytes(bmp, {1, 2, 3, 4});
    const Case cases[] = {
        // The command line.
        {{"convert", picture, out, "--tile", "big"}, 2, "", "--tile"},
        {{"convert", picture, out, "--key", "300"}, 2, picture, texts::kColorRange8},
        {{"convert", picture, out, "--key", "-1"}, 2, "", "--key"},
        {{"convert", picture, out, "--tile", "30x32"}, 2, picture, "30 x 32"},
        {{"convert", picture, bmp}, 2, bmp, ".TGA, .GPF, .PNG"},
        {{"convert", bmp, out}, 2, bmp, ".TGA, .GPF, .PNG"},
        {{"convert", picture}, 2, "", "zentil-tool convert IN OUT"},
        {{"convert", picture, out, "--bogus"}, 2, "", "--bogus"},
        {{"convert", picture, out, "--tile"}, 2, "", "--tile"},
        {{"recolor", picture, out, "--from", "999", "--to", "1"}, 2, picture, texts::kColorRange8},
        {{"recolor", picture, out, "--from", "1", "--to", "256"}, 2, picture, texts::kColorRange8},
        {{"recolor", picture, out, "--from", "1", "--to", "x"}, 2, "", "--to 옵션은"},
        {{"recolor", picture, out, "--from", "x", "--to", "1"}, 2, "", "--from"},
        {{"info", bmp}, 2, bmp, ".PAL, .GPL, .ACT"},
        {{"info", picture, "--tile", "30x32"}, 2, picture, "30 x 32"},
        {{"info", picture, "--tile", "7x"}, 2, "", "--tile 옵션은 WxH"},
        {{"info", "-q", picture}, 2, "", "-q"},
        {{"info", "--", "-q.gpf"}, 1, "-q.gpf", texts::kGpfCannotOpen},
        {{"palette", picture, xyz}, 2, xyz, ".PAL, .GPL, .ACT"},
        {{"palette", picture, dir.file("p.pal"), "--format", "bmp"}, 2, "", "--format"},
        {{"frobnicate"}, 2, "", "frobnicate"},
        {{}, 2, "", "convert IN OUT"},
        // Files.
        {{"info", empty}, 1, empty, texts::kReadFailed},
        {{"info", dir.file("missing.gpf")}, 1, dir.file("missing.gpf"), texts::kGpfCannotOpen},
        {{"info", emptyPng}, 1, emptyPng, texts::kPngCannotRead},
        {{"info", bad}, 1, bad, texts::kGpfNotGpf},
        {{"convert", missing, out}, 1, missing, texts::kTgaCannotOpen},
        {{"convert", picture, out, "--palette", missing}, 1, missing, texts::kCannotReadPalette},
        {{"palette", bad, dir.file("p.pal")}, 1, bad, texts::kCannotReadPalette},
        {{"trim", bad, out}, 1, bad, texts::kGpfNotGpf},
        {{"convert", picture, bmp + ".gpf"}, 0, "", ""},
        {{"convert", picture, bmp + ".gpf"}, 1, bmp + ".gpf", "--force"},
    };
    for (const Case& c : cases) {
        const ToolRun r = run(c.args);
        SCOPED_TRACE(r.err);
        EXPECT_EQ(r.code, c.code);
        if (c.code == 0) continue;
        const std::string prefix = "zentil-tool: " + (c.file.empty() ? "" : c.file + ": ");
        EXPECT_EQ(r.err.rfind(prefix, 0), 0u) << "wanted '" << prefix << "'";
        EXPECT_NE(r.err.find(c.err), std::string::npos) << "wanted '" << c.err << "'";
        const std::string firstLine = r.err.substr(0, r.err.find('\n'));
        EXPECT_TRUE(speaksKorean(firstLine)) << firstLine;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_FALSE(std::filesystem::exists(xyz));
    // An empty PNG says so rather than giving the library's words.
    EXPECT_NE(run({"info", emptyPng}).err.find("PNG 파일을 읽을 수 없습니다. (빈 파일)"),
              std::string::npos);
    for (const char* help : {"--help", "-h"}) {
        const ToolRun r = run({"info", help});
        EXPECT_EQ(r.code, 0) << help;
        EXPECT_EQ(r.out.rfind("zentil-tool info FILE", 0), 0u) << r.out;
    }
}

// --lang chooses the language of every message, wherever it stands; without
// it the user's language, and a wrong one is refused in that language.
TEST_F(ToolTest, SpeaksTheLanguageChosen) {
    const std::string missing = dir.file("missing.gpf");
    struct Case {
        std::vector<std::string> args;
        Language user;
        int code;
        std::string err;  // the start of the message after "zentil-tool: "
    };
    const Case cases[] = {
        {{"--lang", "en", "frobnicate"}, Language::korean(), 2, "unknown command: frobnicate"},
        {{"frobnicate", "--lang=ko"}, Language("en"), 2, "알 수 없는 명령입니다: frobnicate"},
        {{"frobnicate"}, Language("en"), 2, "unknown command: frobnicate"},
        {{"info", missing, "--lang", "en"},
         Language::korean(),
         1,
         missing + ": Cannot open the GPF file."},
        {{"info", missing, "--lang", "ko"},
         Language("en"),
         1,
         missing + ": " + texts::kGpfCannotOpen},
        {{"convert", picture, dir.file("x.gpf"), "--key", "300", "--lang", "en"},
         Language::korean(),
         2,
         picture + ": The colour is out of range (more than 255)."},
        {{"--lang", "fr", "info", picture},
         Language("en"),
         2,
         "the --lang option is one of ko, en."},
        {{"--lang", "fr", "info", picture},
         Language::korean(),
         2,
         "--lang 옵션은 ko, en 중 하나입니다."},
        {{"info", picture, "--lang"}, Language("en"), 2, "the --lang option needs a value."},
    };
    for (const Case& c : cases) {
        std::ostringstream out, err;
        EXPECT_EQ(tool::runTool(c.args, out, err, c.user), c.code);
        EXPECT_EQ(err.str().rfind("zentil-tool: " + c.err, 0), 0u) << err.str();
    }
    // The language is the run's: the next speaks Korean again.
    EXPECT_TRUE(speaksKorean(run({"frobnicate"}).err));
    // Every text of the tool has its English, with the same places to fill.
    const std::initializer_list<std::string_view> places = {"<1>", "<2>", "<3>", "<4>",
                                                            "<5>", "<6>", "<7>"};
    for (int id = 0; id < static_cast<int>(tool::Text::Count); ++id) {
        const auto text = static_cast<tool::Text>(id);
        tool::setLanguage(Language("en"));
        const std::string english = tool::say(text, places);
        tool::setLanguage(Language::korean());
        const std::string korean = tool::say(text, places);
        EXPECT_FALSE(speaksKorean(english)) << english;
        for (const std::string_view place : places)
            EXPECT_EQ(english.find(place) == std::string::npos,
                      korean.find(place) == std::string::npos)
                << english;
    }
    tool::setLanguage(Language::korean());
}

// A stream whose every write fails, as standard output on a full disk.
class FailingBuffer : public std::streambuf {
  protected:
    int overflow(int) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

// Output that cannot be written fails the run, with a message.
TEST_F(ToolTest, OutputThatCannotBeWrittenFails) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--version"}, {"--help"}, {"info", picture}}) {
        FailingBuffer buffer;
        std::ostream out(&buffer);
        std::ostringstream err;
        EXPECT_EQ(tool::runTool(args, out, err), 1) << args[0];
        EXPECT_EQ(err.str(), "zentil-tool: 출력을 쓸 수 없습니다.\n") << args[0];
    }
}

// The JSON report is valid JSON whatever the file's name: a name that is not
// UTF-8 keeps its bytes beside the readable one. Each tile counts its table
// entries with its coded block, as the editor's status bar does, so the tiles
// and the header add up to the file.
TEST_F(ToolTest, JsonReportsAreValidAndTilesAddUpToTheFile) {
    const std::string name = dir.file("caf\xe9 \xff.gpf");
    ASSERT_EQ(run({"convert", picture, name, "--tile", "32x32", "--key", "0"}).code, 0);
    const ToolRun info = run({"info", name, "--json"});
    ASSERT_EQ(info.code, 0) << info.err;
    nlohmann::json json;
    ASSERT_NO_THROW(json = nlohmann::json::parse(info.out)) << info.out;
    const nlohmann::json& file = json["files"][0];
    EXPECT_EQ(file["path"], dir.file("caf\xef\xbf\xbd \xef\xbf\xbd.gpf"));
    std::string bytes;
    const std::string hex = file["pathBytes"];
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    EXPECT_EQ(bytes, name);

    Page page;
    ASSERT_TRUE(readSpriteFile(name, page, {}));
    std::vector<std::uint8_t> scratch;
    GpfSizes sizes;
    ASSERT_TRUE(measureSpriteFile(page, scratch, sizes));
    ASSERT_EQ(file["tiles"].size(), sizes.tileBytes.size());
    std::uint64_t sum = kGpfHeaderSize;
    for (std::size_t t = 0; t < sizes.tileBytes.size(); ++t) {
        const nlohmann::json& tile = file["tiles"][t];
        EXPECT_EQ(tile["bytes"], sizes.tileBytes[t]) << t;
        EXPECT_EQ(tile["dataBytes"], sizes.tileBytes[t] - kGpfTileEntryBytes) << t;
        sum += tile["bytes"].get<std::uint64_t>();
    }
    EXPECT_EQ(sum, file["gpfBytes"]);
    EXPECT_EQ(sum, std::filesystem::file_size(name));
    // A UTF-8 name has no bytes beside it.
    const ToolRun plain = run({"info", picture, "--json"});
    EXPECT_FALSE(nlohmann::json::parse(plain.out)["files"][0].contains("pathBytes"));
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
    EXPECT_NE(info.out.find("{\"x\":0,\"y\":0,\"w\":0,\"h\":0,\"bytes\":12,\"dataBytes\":0}"),
              std::string::npos);
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

// info says what a PNG file is, whatever page the editor makes of it; the
// pixels of every fully transparent palette entry come in as the key.
TEST_F(ToolTest, InfoDescribesPngFilesAsTheyAre) {
    struct Case {
        const char* type;
        int depth, colourType;
        bool interlaced;
        test::PngBytes plte, trns;
        const char* words;  // in the English line that describes the file
    };
    const test::PngBytes plte(16 * 3, 40);
    const std::vector<Case> cases = {
        {"rgba", 8, 6, false, {}, {}, "8-bit RGB with alpha"},
        {"rgb", 8, 2, true, {}, {0, 1, 0, 2, 0, 3}, "8-bit RGB, interlaced"},
        {"greyAlpha", 8, 4, false, {}, {}, "8-bit grey with alpha"},
        {"grey", 4, 0, true, {}, {}, "4-bit grey, interlaced"},
        {"palette", 8, 3, false, plte, {255, 0, 255, 0, 128, 0}, "palette (entries: 16)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        test::PngImage img{6, 4, c.depth, c.colourType, c.interlaced, {}};
        const int channels = test::pngChannels(c.colourType);
        for (int n = 0; n < img.width * img.height * channels; ++n)
            img.samples.push_back(static_cast<std::uint16_t>(n / channels % 6));
        const std::string path = dir.file(std::string(c.type) + ".png");
        test::writeBytes(path, test::pngFile(img, c.plte, c.trns));

        const ToolRun text = run({"info", path, "--lang", "en"});
        ASSERT_EQ(text.code, 0) << text.err;
        EXPECT_NE(text.out.find(c.words), std::string::npos) << text.out;
        const ToolRun json = run({"info", path, "--json"});
        const auto file = nlohmann::json::parse(json.out)["files"][0];
        EXPECT_EQ(file["colourType"], c.type);
        EXPECT_EQ(file["bitDepth"], c.depth);
        EXPECT_EQ(file["interlaced"], c.interlaced);
        if (c.colourType == 3) {
            EXPECT_EQ(file["paletteEntries"], c.plte.size() / 3);
            EXPECT_EQ(file["transparentEntries"], std::count(c.trns.begin(), c.trns.end(), 0));
        } else {
            EXPECT_EQ(file["transparentColour"], !c.trns.empty());
        }
    }
    // Entries 1, 3 and 5 are fully transparent: their pixels all take the
    // first one's index, the key, as the editor reads the file and as the
    // tool converts it.
    const std::string tga = dir.file("palette.tga");
    ASSERT_EQ(run({"convert", dir.file("palette.png"), tga}).code, 0);
    Page read, converted;
    ASSERT_TRUE(readPngFile(dir.file("palette.png"), read, {}));
    ASSERT_TRUE(readTgaFile(tga, converted, {}));
    EXPECT_EQ(read.colorKey8, 1);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x) {
            const std::uint32_t sample = static_cast<std::uint32_t>(y * 6 + x) % 6;
            const std::uint32_t want = sample % 2 == 1 ? 1 : sample;
            EXPECT_EQ(pixelAt(read, x, y), want) << x << "," << y;
            EXPECT_EQ(pixelAt(converted, x, y), want) << x << "," << y;
        }
}

TEST_F(ToolTest, WritesAPicturesPaletteFile) {
    const std::string pal = dir.file("Sheet.PAL");
    const ToolRun r = run({"palette", picture, pal});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(std::filesystem::file_size(pal), 525057u);
    const ToolRun info = run({"info", pal});
    EXPECT_EQ(info.code, 0) << info.err;
    EXPECT_NE(info.out.find("블렌드 테이블 완전함"), std::string::npos);
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
        {{"retile", sheet, out}, 2, "--tile WxH"},
        {{"retile", sheet, out, "--tile", "8x8", "--align", "diagonal"}, 2, "--align"},
        {{"retile", sheet, out, "--tile", "8x8", "--align", "left", "--grid", "1x1"},
         2,
         "--align 없이"},
        {{"recolor", sheet, out, "--from", "1"}, 2, "--to N 또는 --similar 옵션이 필요합니다."},
        {{"recolor", sheet, out, "--from", "1", "--to", "2", "--similar"},
         2,
         "함께 쓸 수 없습니다"},
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

namespace zentil {
namespace {

// A sprite file holds no colours. --similar needs a palette for it, and with
// --palette gives what the same command gives on the picture; a picture
// written from a sprite file without one is all black, and the tool says so.
TEST_F(ToolEditTest, SpriteFilesTakeTheirColoursFromPalette) {
    const std::string sheet = dir.file("sheet.gpf"), out = dir.file("out.gpf");
    ASSERT_EQ(run({"convert", picture, sheet, "--tile", "32x32", "--key", "0"}).code, 0);
    ToolRun r = run({"recolor", sheet, out, "--from", "8", "--similar"});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err.rfind("zentil-tool: " + sheet + ": ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("--palette"), std::string::npos) << r.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    const std::string fromPicture = dir.file("picture.tga");
    ASSERT_EQ(run({"recolor", sheet, out, "--from", "8", "--similar", "--palette", picture}).code,
              0);
    ASSERT_EQ(run({"recolor", picture, fromPicture, "--from", "8", "--similar"}).code, 0);
    const Page sprite = readBack(out);
    Page expected;
    ASSERT_TRUE(readTgaFile(fromPicture, expected, {}));
    EXPECT_NE(pixelAt(expected, 3, 10), 8u);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            ASSERT_EQ(pixelAt(sprite, x, y), pixelAt(expected, x, y)) << x << "," << y;

    struct Case {
        std::vector<std::string> args;
        bool warned;
    };
    const Case cases[] = {
        {{"convert", sheet, dir.file("black.png")}, true},
        {{"trim", sheet, dir.file("black.tga")}, true},
        {{"convert", sheet, dir.file("coloured.png"), "--palette", picture}, false},
        {{"convert", sheet, dir.file("copy.gpf")}, false},
        {{"convert", picture, dir.file("picture.png")}, false},
    };
    for (const Case& c : cases) {
        r = run(c.args);
        EXPECT_EQ(r.code, 0) << r.err;
        const std::string warning = "zentil-tool: " + c.args[1] + ": ";
        EXPECT_EQ(r.err.rfind(warning, 0) == 0 && r.err.find(c.args[2]) != std::string::npos,
                  c.warned)
            << c.args[2] << ": " << r.err;
    }
}

// info describes a file of every page format of the table as what it is.
TEST_F(ToolTest, InfoDescribesEveryPageFormatAsItself) {
    Page page;
    ASSERT_TRUE(readTgaFile(picture, page, {}));
    for (const PageFormat& format : pageFormats()) {
        const std::string path = dir.file(std::string("page.") + format.extension);
        ASSERT_TRUE(format.write(path, page)) << path;
        const ToolRun r = run({"info", path, "--json"});
        EXPECT_EQ(r.code, 0) << r.err;
        const nlohmann::json report = nlohmann::json::parse(r.out)["files"][0];
        std::string name = format.extension;
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(report.value("format", ""), name) << path;
        EXPECT_EQ(report.value("width", 0), page.width) << path;
        EXPECT_EQ(report.value("height", 0), page.height) << path;
    }
}

// Every error of info's JSON report carries a stable code beside its text,
// the same in every language; a FIFO is refused without waiting on it.
TEST_F(ToolTest, InfoErrorsCarryACodeWhateverTheLanguage) {
    const auto file = [&](const char* name, const test::Bytes& bytes) {
        test::writeBytes(dir.file(name), bytes);
        return dir.file(name);
    };
    test::Bytes damagedGpf;
    for (const int v : {0x7839, 1, 16, 1, 1, 4, 4, 2, 0})  // two tiles for a grid of one
        test::put32(damagedGpf, v);
    test::TgaFields deep;
    deep.mapType = 0;
    deep.type = 2;
    deep.depth = 32;
    std::filesystem::create_directory(dir.file("folder.tga"));
    ASSERT_TRUE(test::makeFifo(dir.file("fifo.tga")));
    const struct {
        std::string path;
        std::vector<std::string> options;
        std::string code;
    } rows[] = {
        {dir.file("missing.gpf"), {}, "cannot-open"},
        {dir.file("missing.png"), {}, "cannot-open"},
        {dir.file("missing.pal"), {}, "cannot-open"},
        {dir.file("folder.tga"), {}, "not-a-file"},
        {dir.file("fifo.tga"), {}, "not-a-file"},
        {file("empty.tga", {}), {}, "read-failed"},
        {file("empty.png", {}), {}, "read-failed"},
        {file("bad.gpf", {1, 2, 3, 4}), {}, "wrong-format"},
        {file("text.png", {'h', 'e', 'l', 'l', 'o', ' ', 'p', 'n', 'g'}), {}, "wrong-format"},
        {file("grid.gpf", damagedGpf), {}, "damaged"},
        {file("short.pal", {1, 2}), {}, "damaged"},
        {file("deep.tga", test::tgaHeader(deep)), {}, "unsupported"},
        {file("x.bmp", {1}), {}, "unknown-extension"},
        {picture, {"--tile", "30x32"}, "tiles-do-not-divide"},
    };
    for (const auto& row : rows) {
        std::string said[2];
        for (const char* language : {"ko", "en"}) {
            std::vector<std::string> args = {"info", row.path, "--json", "--lang", language};
            args.insert(args.end(), row.options.begin(), row.options.end());
            ToolRun r{};
            ASSERT_TRUE(test::returnsWithoutWaiting(dir.file("fifo.tga"), [&] { r = run(args); }));
            EXPECT_NE(r.code, 0) << row.path;
            const nlohmann::json report = nlohmann::json::parse(r.out)["files"][0];
            EXPECT_EQ(report.value("code", ""), row.code) << row.path << " " << language;
            said[language[0] == 'e'] = report.value("error", "");
        }
        EXPECT_NE(said[0], said[1]) << row.path;
    }
}

}  // namespace
}  // namespace zentil
