// Work files: a workspace of every kind of page comes back exactly, and a
// damaged archive is refused without touching the workspace.
#include <cerrno>
#include <cstring>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "formats/png_codec.h"
#include "memory_watch.h"
#include "png_builder.h"
#include "system/safe_file_writer.h"
#include "test_support.h"
#include "work/work_file.h"
#include "workspace_snapshot.h"
#include "zip_entries.h"

namespace zentil {
namespace {

using Entries = test::ZipEntries;
using test::unzip;
using test::zipOf;

std::unique_ptr<Page> makePage(const char* name, int kind, int mode, int tw, int cols, int th,
                               int rows, std::uint32_t key, int seed) {
    auto page = std::make_unique<Page>();
    PageDefaults defaults;
    defaults.key8 = static_cast<std::uint8_t>(key);
    defaults.key16 = static_cast<std::uint16_t>(key);
    defaults.key24 = key;
    defaults.palette = test::rampPalette();
    defaults.palette[seed] = 77;  // pages of other modes keep their palette bytes too
    EXPECT_TRUE(createPage(*page, tw, cols, th, rows, mode, defaults));
    page->kind = kind;
    setPageName(*page, name);
    const std::uint32_t top = mode == kMode8 ? 0xFF : mode == kMode16 ? 0x7FFF : 0xFFFFFF;
    std::uint32_t value = static_cast<std::uint32_t>(seed) * 2654435761u;
    for (int y = 0; y < page->height; ++y)
        for (int x = 0; x < page->width; ++x) {
            value = value * 1103515245u + 12345u;
            putPixel(*page, x, y, (value >> 7) % (top + 1));
        }
    return page;
}

class WorkFileTest : public test::CoreTest {
  public:
    void SetUp() override {
        // Pictures: an odd-width 8-bit picture with a Korean name and its
        // file, and one whose name and file are not UTF-8.
        ws.pictures.append(makePage("그림_하나", kKindTga, kMode8, 13, 1, 7, 1, 9, 1),
                           PageFile{"/home/user/그림 폴더/하나.tga", 0});
        ws.pictures.append(makePage("\xEA\xB7", kKindTga, kMode8, 5, 1, 5, 1, 0, 2),
                           PageFile{"/tmp/\xFF\xFE.png", 0});
        // Sprites: 8-bit with area entries, 16-bit, 24-bit with quotes and
        // brackets in its name (which are no nesting).
        ws.sprites.append(makePage("HERO", kKindSprite, kMode8, 11, 3, 9, 2, 200, 3));
        Page& hero = ws.sprites.at(0);
        hero.areas[0] = std::make_unique<AreaLayer>();
        (*hero.areas[0])[0] = {1, 2, 5, 6};
        (*hero.areas[0])[5] = {-3, 0, 11, 9};
        hero.areas[4] = std::make_unique<AreaLayer>();
        (*hero.areas[4])[999] = {0, 0, 1, 1};
        ws.sprites.file(0).path = "/work/hero.gpf";
        ws.sprites.append(makePage("SIXTEEN", kKindSprite, kMode16, 7, 2, 3, 3, 0x7C1F, 4));
        ws.sprites.append(makePage("TRUE \"[{\\", kKindNone, kMode24, 9, 1, 4, 1, 0xFF00FF, 5));
        for (const PageStore* store : {&ws.pictures, &ws.sprites})
            for (int i = 0; i < store->size(); ++i)
                ws.markSaved(const_cast<PageStore*>(store)->at(i));
        ws.sprites.at(0).revision = ws.nextRevision();  // an unsaved sprite page
        ws.palette = test::rampPalette();
        ws.palette[0] = 1;
        setConfigText(ws.settings.palettePath, "/pal/게임.pal");
        ws.setCurrent(ListId::Sprites, &ws.sprites.at(2));
    }

    std::vector<std::uint8_t> encoded() {
        std::vector<std::uint8_t> bytes;
        EXPECT_TRUE(encodeWorkFile(ws, bytes));
        return bytes;
    }

    Workspace ws;
};

TEST_F(WorkFileTest, EveryKindOfPageComesBackExactly) {
    // Two pages of one palette: the manifest holds it once.
    setPagePalette(ws.sprites.at(1), ws.sprites.at(0).palette);
    const std::vector<std::uint8_t> bytes = encoded();
    const nlohmann::json manifest = nlohmann::json::parse(unzip(bytes).at("workspace.json"));
    EXPECT_EQ(manifest.at("palettes").size(), 4u);
    EXPECT_EQ(manifest.at("sprites").at(1).at("palette"),
              manifest.at("sprites").at(0).at("palette"));
    Workspace other;
    other.sprites.append(makePage("OLD", kKindSprite, kMode8, 4, 1, 4, 1, 0, 6));
    other.settings.defaultColorKey8 = 42;
    ASSERT_TRUE(decodeWorkFile(bytes, other));
    EXPECT_EQ(test::workspaceSnapshot(other), test::workspaceSnapshot(ws));
    EXPECT_EQ(other.activeList(), ListId::Sprites);
    EXPECT_EQ(other.currentPage(), &other.sprites.at(2));
    EXPECT_STREQ(configText(other.settings.palettePath).data(), "/pal/게임.pal");
    EXPECT_EQ(other.settings.defaultColorKey8, 42);  // other settings stay
    EXPECT_TRUE(other.spritesModified());

    // Other programs see each page as a PNG with its key transparent.
    const Entries entries = unzip(bytes);
    ASSERT_TRUE(entries.count("workspace.json"));
    const std::string& heroPng = entries.at("sprites/0001.png");
    IndexedPicture hero;
    ASSERT_TRUE(decodePng({reinterpret_cast<const std::uint8_t*>(heroPng.data()), heroPng.size()},
                          hero, 1 << 20));
    EXPECT_EQ(hero.width, 33);
    EXPECT_EQ(hero.transparentIndex, 200);
    const std::string& truePng = entries.at("sprites/0003.png");
    RgbPicture colour;
    ASSERT_TRUE(decodePngRgb(
        {reinterpret_cast<const std::uint8_t*>(truePng.data()), truePng.size()}, colour, 1 << 20));
    EXPECT_EQ(colour.transparentColour, 0xFF00FF);

    // Through a file whose path has spaces and Korean letters.
    const std::string path = ::testing::TempDir() + "작업 파일.zws";
    ASSERT_TRUE(saveWorkFile(ws, path));
    Workspace third;
    ASSERT_TRUE(openWorkFile(path, third));
    EXPECT_EQ(test::workspaceSnapshot(third), test::workspaceSnapshot(ws));
    EXPECT_TRUE(isWorkFileName(path));
    EXPECT_TRUE(isWorkFileName("/a/DAY.ZWS"));
    EXPECT_FALSE(isWorkFileName("/a.zws/day"));
}

TEST_F(WorkFileTest, DamagedArchivesAreRefusedAndChangeNothing) {
    const std::vector<std::uint8_t> good = encoded();
    const Entries entries = unzip(good);
    const auto edited = [&entries](const std::function<void(Entries&)>& edit) {
        Entries copy = entries;
        edit(copy);
        return zipOf(copy);
    };
    const auto manifestEdit = [&edited](const std::function<void(nlohmann::json&)>& edit) {
        return edited([&edit](Entries& e) {
            nlohmann::json manifest = nlohmann::json::parse(e.at("workspace.json"));
            edit(manifest);
            e["workspace.json"] = manifest.dump();
        });
    };
    // 100,000 levels of arrays and objects, in place of the manifest and in a
    // field of an otherwise good one.
    std::string deep;
    for (int i = 0; i < 100000; ++i)
        deep += "[{\"a\":";
    deep += '0';
    for (int i = 0; i < 100000; ++i)
        deep += "}]";
    std::vector<std::uint8_t> flipped = good;
    flipped[flipped.size() / 2] ^= 0x55;  // inside a stored PNG: its CRC no longer fits
    std::vector<std::uint8_t> streamed =
        test::zipWithDataDescriptors(entries, test::LocalSizes::UncompressedOnly);
    streamed[streamed.size() / 2] ^= 0x55;

    const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases = {
        {"empty", {}},
        {"truncated", {good.begin(), good.begin() + static_cast<long>(good.size() / 2)}},
        {"missing its last byte", {good.begin(), good.end() - 1}},
        {"a byte changed", flipped},
        {"a byte changed in an archive with data descriptors", streamed},
        {"not a zip", {'P', 'K', 3, 4, 0, 0}},
        {"manifest missing", edited([](Entries& e) { e.erase("workspace.json"); })},
        {"manifest not JSON", edited([](Entries& e) { e["workspace.json"] = "{\"format\":"; })},
        {"page PNG missing", edited([](Entries& e) { e.erase("sprites/0002.png"); })},
        {"page PNG damaged", edited([](Entries& e) {
             std::string& png = e["sprites/0002.png"];
             png[png.size() - 20] ^= 0x20;  // in the image data
         })},
        {"page PNG of another size",
         edited([](Entries& e) { e["sprites/0002.png"] = e.at("pictures/0002.png"); })},
        {"version too new",
         manifestEdit([](nlohmann::json& m) { m["version"] = kWorkFileVersion + 1; })},
        {"another format", manifestEdit([](nlohmann::json& m) { m["format"] = "zip"; })},
        {"page too large", manifestEdit([](nlohmann::json& m) {
             m["sprites"][0]["tileWidth"] = 100000;
             m["sprites"][0]["tileHeight"] = 100000;
         })},
        {"size not a number",
         manifestEdit([](nlohmann::json& m) { m["sprites"][0]["cols"] = "3"; })},
        {"key outside its mode",
         manifestEdit([](nlohmann::json& m) { m["sprites"][0]["key"] = 256; })},
        {"short palette", manifestEdit([](nlohmann::json& m) { m["palette"] = "00ff"; })},
        {"short shared palette",
         manifestEdit([](nlohmann::json& m) { m["palettes"][0] = "00ff"; })},
        {"palette number past the shared ones", manifestEdit([](nlohmann::json& m) {
             m["sprites"][0]["palette"] = m["palettes"].size();
         })},
        {"a record without pixels",
         manifestEdit([](nlohmann::json& m) { m["sprites"][0]["bits"] = 0; })},
        {"a field the manifest has not",
         manifestEdit([](nlohmann::json& m) { m["sprites"][0]["layers"] = 2; })},
        {"a field given twice",
         edited([](Entries& e) { e["workspace.json"].insert(1, "\"version\":1,"); })},
        {"area of a tile past 999",
         manifestEdit([](nlohmann::json& m) { m["sprites"][0]["areas"][0][1] = 1000; })},
        {"manifest nested 100,000 deep",
         edited([&deep](Entries& e) { e["workspace.json"] = deep; })},
        {"a field nested 100,000 deep",
         edited([&deep](Entries& e) { e["workspace.json"].insert(1, "\"extra\":" + deep + ","); })},
        {"two pages naming one picture",
         manifestEdit([](nlohmann::json& m) { m["pictures"].push_back(m["pictures"][0]); })},
        {"more pictures than the list takes", manifestEdit([](nlohmann::json& m) {
             const nlohmann::json first = m["pictures"][0];
             for (int i = 0; i < kPictureCapacity; ++i)
                 m["pictures"].push_back(first);
         })},
    };
    const std::string before = test::workspaceSnapshot(ws);
    Page* const current = ws.currentPage();
    for (const auto& [what, bytes] : cases) {
        const Outcome read = decodeWorkFile(bytes, ws);
        EXPECT_EQ(test::said(read),
                  (test::RecordedMessage{"오류", "작업 파일을 읽을 수 없습니다."}))
            << what;
        EXPECT_EQ(test::workspaceSnapshot(ws), before) << what;
        EXPECT_EQ(ws.currentPage(), current) << what;
    }

    // A file that is not there, or a save that cannot finish, changes nothing either.
    EXPECT_FALSE(openWorkFile(::testing::TempDir() + "no such.zws", ws));
    const std::string path = ::testing::TempDir() + "kept.zws";
    ASSERT_TRUE(saveWorkFile(ws, path));
    ws.sprites.append(makePage("BIG", kKindSprite, kMode24, 256, 4, 256, 4, 0, 7));
    {
        const test::FileSizeLimit limit(good.size() + 100);
        const Outcome full = saveWorkFile(ws, path);
        EXPECT_EQ(test::said(full),
                  (test::RecordedMessage{"오류", "작업 파일을 저장할 수 없습니다."}));
        EXPECT_EQ(full.detail, std::strerror(EFBIG));  // the system's reason
    }
    Workspace reopened;
    ASSERT_TRUE(openWorkFile(path, reopened));
    EXPECT_EQ(reopened.sprites.size(), 3);
}

// Archives whose entries are each followed by a data descriptor, as
// streaming writers and "zip -fd" write them, read as any other.
TEST_F(WorkFileTest, ArchivesWithDataDescriptorsRead) {
    const Entries entries = unzip(encoded());
    for (const test::LocalSizes local :
         {test::LocalSizes::None, test::LocalSizes::UncompressedOnly}) {
        Workspace other;
        EXPECT_TRUE(decodeWorkFile(test::zipWithDataDescriptors(entries, local), other))
            << static_cast<int>(local);
        EXPECT_EQ(test::workspaceSnapshot(other), test::workspaceSnapshot(ws))
            << static_cast<int>(local);
    }
}

// Manifests of a few megabytes, compressed, that would take minutes or
// gigabytes to parse are refused in one pass over their text: two million
// keys (found one by one, each time among all before), twenty million empty
// objects, empty lists, and four million palettes (each once given 768
// bytes before it was looked at).
TEST_F(WorkFileTest, HostileManifestsAreRefusedInOnePassWithLittleMemory) {
    const auto listOf = [](std::string head, const char* item, std::size_t count) {
        head.reserve(head.size() + count * (std::strlen(item) + 1) + 4);
        for (std::size_t i = 0; i < count; ++i)
            head.append(i == 0 ? "" : ",").append(item);
        return head + "]}";
    };
    const std::string start = "{\"format\":\"zentil-workspace\",\"version\":2,\"palette\":\"" +
                              std::string(1536, '0') + "\",";
    std::string keys = start + "\"sprites\":[{\"name\":\"P\"";
    for (int i = 0; i < 2000000; ++i)
        keys.append(",\"k").append(std::to_string(i)).append("\":0");
    keys += "}]}";
    const std::pair<const char*, std::string> manifests[] = {
        {"two million keys in a page", keys},
        {"twenty million empty pages", listOf(start + "\"sprites\":[", "{}", 20000000)},
        {"twenty million empty area entries",
         listOf(start + "\"sprites\":[{\"areas\":[", "[]", 20000000) + "]}"},
        {"four million palettes", listOf(start + "\"palettes\":[", "\"\"", 4000000)},
    };
    const std::string before = test::workspaceSnapshot(ws);
    for (const auto& [what, manifest] : manifests) {
        const std::vector<std::uint8_t> bytes = zipOf({{"workspace.json", manifest}});
        EXPECT_LT(bytes.size(), std::size_t{8} << 20) << what;
        const long textMiB = static_cast<long>(manifest.size() >> 20);
        const test::MemoryWatch watch;
        Outcome read;
        const long growth = test::workPeakGrowthMiB([&] { read = decodeWorkFile(bytes, ws); });
        EXPECT_EQ(test::said(read),
                  (test::RecordedMessage{"오류", "작업 파일을 읽을 수 없습니다."}))
            << what;
        // The text itself, and little besides.
        EXPECT_LT(growth, textMiB + 32) << what;
        EXPECT_LE(watch.largestAllocationMiB(), textMiB + 1) << what;
        EXPECT_EQ(test::workspaceSnapshot(ws), before) << what;
    }
}

// A few kilobytes that ask for more than the machine has are refused before
// any picture is decoded: pages that share one picture of zeros (compressed
// a thousand to one), and pages of their own pictures beyond the budget.
TEST_F(WorkFileTest, PagesBeyondTheMemoryBudgetAreRefusedBeforeAnyIsRead) {
    const auto archive = [](int side, int pages, bool shared) {
        const std::string png = [side] {
            const test::PngBytes bytes = test::zeroPngFile(side, side, 0);
            return std::string(bytes.begin(), bytes.end());
        }();
        nlohmann::json manifest = {{"format", "zentil-workspace"},
                                   {"version", 1},
                                   {"palette", std::string(1536, '0')},
                                   {"pictures", nlohmann::json::array()},
                                   {"sprites", nlohmann::json::array()}};
        Entries entries;
        for (int i = 0; i < pages; ++i) {
            const std::string image = "sprites/" + std::to_string(shared ? 0 : i) + ".png";
            manifest["sprites"].push_back({{"name", "P"},
                                           {"kind", kKindSprite},
                                           {"bits", 8},
                                           {"image", image},
                                           {"tileWidth", side},
                                           {"tileHeight", side},
                                           {"cols", 1},
                                           {"rows", 1},
                                           {"key", 0},
                                           {"palette", std::string(1536, '0')},
                                           {"unsaved", false}});
            entries[image] = png;
        }
        entries["workspace.json"] = manifest.dump();
        return zipOf(entries);
    };
    // One such page alone reads: the pictures are sound.
    Workspace small;
    ASSERT_TRUE(decodeWorkFile(archive(4097, 1, false), small));
    EXPECT_EQ(pixelAt(small.sprites.at(0), 4096, 4096), 0u);

    const int largestSide = 32768;  // a page of kMaxPixelBufferBytes
    const auto beyondBudget = static_cast<int>(workFileMemoryBudget() / kMaxPixelBufferBytes + 1);
    const std::vector<std::pair<const char*, std::vector<std::uint8_t>>> cases = {
        {"2048 pages of one 16384 x 16384 picture", archive(16384, kSpriteCapacity, true)},
        {"pages of their own pictures beyond the budget",
         archive(largestSide, beyondBudget, false)},
    };
    const std::string before = test::workspaceSnapshot(ws);
    for (const auto& [what, bytes] : cases) {
        EXPECT_LT(bytes.size(), std::size_t{32} << 20) << what;
        const test::MemoryWatch watch;
        EXPECT_EQ(test::said(decodeWorkFile(bytes, ws)),
                  (test::RecordedMessage{"오류", "작업 파일을 읽을 수 없습니다."}))
            << what;
        EXPECT_LT(watch.peakGrowthMiB(), 64) << what;
        EXPECT_LT(watch.largestAllocationMiB(), 64) << what;
        EXPECT_EQ(test::workspaceSnapshot(ws), before) << what;
    }
}

}  // namespace
}  // namespace zentil
