#include "formats/palette_file.h"

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "blend_reference.h"
#include "system/texts.h"
#include "test_support.h"
#include "work/workspace.h"

namespace zentil {
namespace {

namespace fs = std::filesystem;
using test::CoreTest;
using test::rampPalette;

void setEntry(Palette& p, int n, int r, int g, int b) {
    p[n * 3 + 0] = static_cast<std::uint8_t>(r);
    p[n * 3 + 1] = static_cast<std::uint8_t>(g);
    p[n * 3 + 2] = static_cast<std::uint8_t>(b);
}

Palette filledPalette(int r, int g, int b) {
    Palette p{};
    for (int n = 0; n < kPaletteEntries; ++n)
        setEntry(p, n, r, g, b);
    return p;
}

// ---------------------------------------------------------------------------
// Nearest index

TEST(NearestIndex, FollowsTheSearchRules) {
    struct Case {
        const char* name;
        std::array<int, 3> background;            // every entry not listed
        std::vector<std::array<int, 4>> entries;  // entry, red, green, blue
        std::array<int, 3> query;
        int expected;
    };
    const Case cases[] = {
        {"an exact match is passed over",
         {0, 255, 0},
         {{5, 10, 10, 10}, {9, 12, 10, 10}},
         {10, 10, 10},
         9},
        {"a tie keeps the first", {0, 255, 0}, {{7, 14, 10, 10}, {3, 10, 14, 10}}, {10, 10, 10}, 3},
        {"only a strictly nearer entry replaces",
         {0, 255, 0},
         {{3, 14, 10, 10}, {7, 13, 10, 10}},
         {10, 10, 10},
         7},
        {"distance sums the channels both ways",
         {0, 255, 0},
         {{2, 13, 10, 10}, {4, 9, 11, 10}},
         {10, 10, 10},
         4},
        {"every entry an exact match", {40, 50, 60}, {}, {40, 50, 60}, 0},
        {"all alike and near", {40, 50, 60}, {}, {41, 50, 60}, 0},
        {"all alike but one exact", {40, 50, 60}, {{0, 41, 50, 60}}, {41, 50, 60}, 1},
    };
    for (const Case& c : cases) {
        Palette p = filledPalette(c.background[0], c.background[1], c.background[2]);
        for (const auto& e : c.entries)
            setEntry(p, e[0], e[1], e[2], e[3]);
        EXPECT_EQ(nearestIndex(p, c.query[0], c.query[1], c.query[2]), c.expected) << c.name;
    }
}

// ---------------------------------------------------------------------------
// Mixing arithmetic

#if defined(__x86_64__) || defined(__i386__)
TEST(BlendChannel, UsesTheNativeEightyBitFormatHere) {
    EXPECT_EQ(std::numeric_limits<long double>::digits, 64);
}
#endif

TEST(BlendChannel, CutsTowardZeroAndDropsSomeWholeMixesByOne) {
    int wholeMixes = 0;
    int dropped = 0;
    int droppedEqualPairs = 0;
    for (int k = 1; k <= 8; ++k) {
        for (int a = 0; a < 256; ++a) {
            for (int b = 0; b < 256; ++b) {
                const int n = a * k + b * (9 - k);
                const int mix = blendChannel(a, b, k);
                if (n % 9 != 0) {
                    ASSERT_EQ(mix, n / 9) << a << " " << b << " " << k;
                    continue;
                }
                ++wholeMixes;
                ASSERT_TRUE(mix == n / 9 || mix == n / 9 - 1) << a << " " << b << " " << k;
                if (mix != n / 9) {
                    ++dropped;
                    if (a == b) ++droppedEqualPairs;
                }
            }
        }
    }
    // Neither always nor never: the rounding of each product decides.
    EXPECT_GT(dropped, 0);
    EXPECT_LT(dropped, wholeMixes);
    EXPECT_GT(droppedEqualPairs, 0);
}

TEST(BlendChannel, EmulationAgreesWithTheNativeFormatEverywhere) {
    int differences = 0;
    for (int k = 1; k <= 8; ++k)
        for (int a = 0; a < 256; ++a)
            for (int b = 0; b < 256; ++b)
                if (blendChannel(a, b, k) != blendChannelEmulated(a, b, k)) ++differences;
    EXPECT_EQ(differences, 0);
}

// ---------------------------------------------------------------------------
// Blend table

std::vector<std::uint8_t> fastTable(const Palette& p) {
    std::vector<std::uint8_t> table(kBlendTableBytes, 0xCD);
    EXPECT_TRUE(buildBlendTable(p, table.data()));
    return table;
}

// The first differing byte, named by (i, j, step).
::testing::AssertionResult sameRows(const std::vector<std::uint8_t>& fast,
                                    const std::vector<std::uint8_t>& reference,
                                    const std::vector<int>& rows) {
    for (int i : rows) {
        for (int at = i * 2048; at < (i + 1) * 2048; ++at) {
            if (fast[at] != reference[at])
                return ::testing::AssertionFailure()
                       << "i " << i << " j " << (at % 2048) / 8 << " step " << at % 8 + 1
                       << ": fast " << int{fast[at]} << ", reference " << int{reference[at]};
        }
    }
    return ::testing::AssertionSuccess();
}

Palette randomPalette(std::uint32_t seed) {
    std::mt19937 rng(seed);
    Palette p{};
    for (auto& v : p)
        v = static_cast<std::uint8_t>(rng());
    return p;
}

TEST(BlendTable, MatchesThePlainSearchOnARandomPalette) {
    const Palette p = randomPalette(11);
    std::vector<std::uint8_t> reference(kBlendTableBytes);
    test::buildBlendTableReference(p, reference.data());
    std::vector<int> all(256);
    for (int i = 0; i < 256; ++i)
        all[i] = i;
    EXPECT_TRUE(sameRows(fastTable(p), reference, all));
}

struct PaletteCase {
    const char* name;
    Palette palette;
};

std::vector<PaletteCase> awkwardPalettes() {
    std::vector<PaletteCase> cases;
    {
        // Five colours scattered over the entries.
        std::mt19937 rng(3);
        const Palette five = randomPalette(5);
        Palette p{};
        for (int n = 0; n < kPaletteEntries; ++n) {
            const int from = 1 + static_cast<int>(rng() % 5);
            setEntry(p, n, five[from * 3], five[from * 3 + 1], five[from * 3 + 2]);
        }
        cases.push_back({"few colours, many duplicates", p});
    }
    {
        Palette p = randomPalette(21);
        for (int n = 128; n < kPaletteEntries; ++n)
            setEntry(p, n, p[(n - 128) * 3], p[(n - 128) * 3 + 1], p[(n - 128) * 3 + 2]);
        cases.push_back({"second half repeats the first", p});
    }
    {
        Palette p{};
        for (int n = 0; n < kPaletteEntries; ++n)
            setEntry(p, n, n, n, n);
        cases.push_back({"greys", p});
    }
    {
        Palette p{};
        for (int n = 0; n < kPaletteEntries; ++n)
            setEntry(p, n, n / 64 * 85, n / 8 % 8 * 36, n % 8 * 36);
        cases.push_back({"colour cube with near-equal channels", p});
    }
    {
        Palette p = filledPalette(0, 0, 0);
        setEntry(p, 200, 255, 255, 255);
        cases.push_back({"black and one white", p});
    }
    {
        // Colours on the corners of the search cubes give many ties and mixes
        // on cube faces.
        std::mt19937 rng(17);
        Palette p{};
        for (auto& v : p)
            v = static_cast<std::uint8_t>(rng() % 5 * 16);
        cases.push_back({"colours on a lattice of 16", p});
    }
    cases.push_back({"all entries alike", filledPalette(77, 77, 77)});
    cases.push_back({"all black", Palette{}});
    return cases;
}

TEST(BlendTable, MatchesThePlainSearchOnAwkwardPalettes) {
    // A sample of rows, the first and last and rows of repeated colours among
    // them, keeps the plain search short.
    const std::vector<int> rows = {0, 1, 2, 5, 37, 127, 128, 129, 200, 201, 254, 255};
    for (const PaletteCase& c : awkwardPalettes()) {
        std::vector<std::uint8_t> reference(kBlendTableBytes);
        for (int i : rows)
            test::buildBlendRowsReference(c.palette, reference.data(), i, i + 1);
        EXPECT_TRUE(sameRows(fastTable(c.palette), reference, rows)) << c.name;
    }
}

TEST(BlendTable, AnExactMixIsPassedOverButAMixCutOneStepOffKeepsItsEntry) {
    // Find a grey whose mix with itself is cut one step for some step and
    // stays whole for another.
    int grey = -1;
    int cutStep = 0;
    int wholeStep = 0;
    for (int v = 20; v < 236 && grey < 0; ++v) {
        int cut = 0;
        int whole = 0;
        for (int k = 1; k <= 8; ++k) {
            if (blendChannel(v, v, k) == v)
                whole = k;
            else
                cut = k;
        }
        if (cut != 0 && whole != 0) {
            grey = v;
            cutStep = cut;
            wholeStep = whole;
        }
    }
    ASSERT_GE(grey, 0);
    ASSERT_EQ(blendChannel(grey, grey, cutStep), grey - 1);

    Palette p = filledPalette(0, 255, 0);
    setEntry(p, 10, grey, grey, grey);              // the mixed colour
    setEntry(p, 20, grey - 1, grey - 1, grey - 5);  // 4 from the cut mix, 7 from the whole one
    const auto table = fastTable(p);
    const int at = 10 * 2048 + 10 * 8;
    EXPECT_EQ(table[at + cutStep - 1], 10);    // (grey-1)x3 is 3 from entry 10
    EXPECT_EQ(table[at + wholeStep - 1], 20);  // entry 10 itself is passed over
}

// ---------------------------------------------------------------------------
// Files

class PaletteFileTest : public CoreTest {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zentil-palette-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    std::string path(const char* name) const { return (dir_ / name).string(); }

    static std::vector<std::uint8_t> readBytes(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void writeBytes(const std::string& file, const std::vector<std::uint8_t>& bytes) {
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    // A page at the end of `store` of the given kind and mode with palette `p`.
    static Page& makePage(PageStore& store, int kind, int mode, const Palette& p) {
        Page& page = store.at(store.append(std::make_unique<Page>()));
        page.kind = kind;
        EXPECT_TRUE(createPage(page, 8, 2, 8, 1, mode));
        page.palette = p;
        buildPaletteQuad(p, page.paletteQuad);
        return page;
    }
    // A palette file of `size` bytes: the marker, `colours`, then filler.
    static std::vector<std::uint8_t> paletteFileBytes(const Palette& colours, std::size_t size) {
        std::vector<std::uint8_t> bytes(size, 0x33);
        if (size > 0) bytes[0] = 1;
        for (std::size_t n = 1; n < size && n <= colours.size(); ++n)
            bytes[n] = colours[n - 1];
        return bytes;
    }

    fs::path dir_;
    Workspace ws;
};

TEST_F(PaletteFileTest, SavedFileHoldsMarkerColoursAndTableAndReadsBack) {
    const Palette colours = randomPalette(42);
    Page& picture = makePage(ws.pictures, kKindTga, kMode8, colours);
    const std::string file = path("saved.pal");
    ASSERT_TRUE(savePaletteFile(file, picture, ws.palette));

    const auto bytes = readBytes(file);
    ASSERT_EQ(bytes.size(), kPaletteFileBytes);
    ASSERT_EQ(bytes.size(), 525057u);
    EXPECT_EQ(bytes[0], 1);
    EXPECT_TRUE(std::equal(colours.begin(), colours.end(), bytes.begin() + 1));
    const auto table = fastTable(colours);
    EXPECT_TRUE(std::equal(table.begin(), table.end(), bytes.begin() + kPaletteHeaderBytes));

    Palette read{};
    ASSERT_TRUE(readPaletteFile(file, read));
    EXPECT_EQ(read, colours);
}

TEST_F(PaletteFileTest, ApplyingRecoloursEditorSpritePagesOnly) {
    const Palette before = rampPalette();
    const Palette loaded = randomPalette(9);
    const Page* recoloured[] = {
        &makePage(ws.sprites, kKindSprite, kMode8, before),
        &makePage(ws.sprites, kKindSprite, kMode8, before),
    };
    const Page* kept[] = {
        &makePage(ws.sprites, kKindTga, kMode8, before),      // a picture copied into the sprites
        &makePage(ws.sprites, kKindSprite, kMode16, before),  // not 8-bit
        &makePage(ws.pictures, kKindTga, kMode8, before),
        &makePage(ws.pictures, kKindSprite, kMode8, before),  // the picture store: never
    };
    const std::string file = path("load.pal");
    writeBytes(file, paletteFileBytes(loaded, kPaletteFileBytes));

    Palette read{};
    ASSERT_TRUE(readPaletteFile(file, read));
    EXPECT_EQ(read, loaded);
    applyPaletteToSprites(ws.sprites, read);
    PaletteQuad loadedQuad{};
    buildPaletteQuad(loaded, loadedQuad);
    for (const Page* page : recoloured) {
        EXPECT_EQ(page->palette, loaded);
        EXPECT_EQ(page->paletteQuad, loadedQuad);
    }
    for (const Page* page : kept)
        EXPECT_EQ(page->palette, before);
}

TEST_F(PaletteFileTest, OnlyTheFirst769BytesMatter) {
    const Palette loaded = randomPalette(8);
    const std::size_t sizes[] = {kPaletteHeaderBytes, kPaletteFileBytes + 1000};
    for (std::size_t size : sizes) {
        Palette read{};
        auto bytes = paletteFileBytes(loaded, size);
        writeBytes(path("sized.pal"), bytes);
        EXPECT_TRUE(readPaletteFile(path("sized.pal"), read)) << size;
        EXPECT_EQ(read, loaded) << size;
    }
}

TEST_F(PaletteFileTest, UnreadableOrShortFilesChangeNothing) {
    const Palette before = rampPalette();
    writeBytes(path("short.pal"), paletteFileBytes(randomPalette(1), kPaletteHeaderBytes - 1));
    writeBytes(path("empty.pal"), {});
    fs::create_directory(path("folder.pal"));
    auto unmarked = paletteFileBytes(randomPalette(1), kPaletteFileBytes);
    unmarked[0] = 0x7F;  // a file of the right size that is no palette file
    writeBytes(path("unmarked.pal"), unmarked);

    for (const char* name :
         {"missing.pal", "short.pal", "empty.pal", "folder.pal", "unmarked.pal"}) {
        Palette read = before;
        EXPECT_EQ(test::said(readPaletteFile(path(name), read)),
                  (test::RecordedMessage{"오류", name == std::string("folder.pal")
                                                     ? texts::kNotAFile
                                                     : "팔레트 파일을 읽을 수 없습니다."}))
            << name;
        EXPECT_EQ(read, before) << name;
    }
}

// A page saves the palette it is shown with, blend table and all: its own
// when it is 8-bit, the sprite palette for a sprite page of another mode. A
// 16- or 24-bit picture has none: it is refused and the file stays.
TEST_F(PaletteFileTest, APageSavesThePaletteItIsShownWith) {
    const Palette own = randomPalette(2), sprites = randomPalette(5);
    ws.palette = sprites;
    const struct {
        int kind, mode;
        const Palette* written;  // nullptr: refused
    } cases[] = {
        {kKindTga, kMode8, &own},         {kKindSprite, kMode8, &own},
        {kKindSprite, kMode16, &sprites}, {kKindSprite, kMode24, &sprites},
        {kKindTga, kMode16, nullptr},     {kKindTga, kMode24, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << ", mode " << c.mode);
        const std::string file = path("keep.pal");
        const std::vector<std::uint8_t> old = {1, 2, 3, 4};
        writeBytes(file, old);
        const Page& page = makePage(ws.sprites, c.kind, c.mode, own);
        const Outcome saved = savePaletteFile(file, page, ws.palette);
        const std::vector<std::uint8_t> bytes = readBytes(file);
        if (!c.written) {
            EXPECT_EQ(test::said(saved),
                      (test::RecordedMessage{texts::kCaptionError, texts::kNoPaletteToSave}));
            EXPECT_EQ(bytes, old);
            continue;
        }
        ASSERT_TRUE(saved);
        ASSERT_EQ(bytes.size(), kPaletteFileBytes);
        EXPECT_TRUE(std::equal(c.written->begin(), c.written->end(), bytes.begin() + 1));
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(PaletteFileTest, AFailedSaveReportsAndLeavesTheOldFile) {
    Page& picture = makePage(ws.pictures, kKindTga, kMode8, randomPalette(3));
    const std::string file = path("old.pal");
    const std::vector<std::uint8_t> old(100, 0xAB);
    writeBytes(file, old);
    fs::create_directory(path("folder.pal"));
    writeBytes(path("folder.pal/inside"), {1});

    const test::RecordedMessage cannotSave{texts::kCaptionError, texts::kCannotSavePalette};
    {
        test::FileSizeLimit limit(4096);  // the table does not fit
        ASSERT_TRUE(limit.ok());
        EXPECT_EQ(test::said(savePaletteFile(file, picture, ws.palette)), cannotSave);
    }
    EXPECT_EQ(test::said(savePaletteFile(path("no-such-folder/new.pal"), picture.palette)),
              cannotSave);
    // A folder is in the way.
    EXPECT_EQ(test::said(savePaletteFile(path("folder.pal"), picture.palette)), cannotSave);
    EXPECT_EQ(readBytes(file), old);
    EXPECT_TRUE(fs::is_directory(path("folder.pal")));
    EXPECT_FALSE(fs::exists(path("no-such-folder")));
    // No temporary files are left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 2);
}

TEST_F(PaletteFileTest, ApplyPaletteTouchesOnly8BitPagesAndKeepsQuadPadding) {
    const Palette before = rampPalette();
    const Palette applied = randomPalette(4);
    for (int mode : {kMode16, kMode24}) {
        Page& page = makePage(ws.sprites, kKindSprite, mode, before);
        const PaletteQuad quad = page.paletteQuad;
        EXPECT_FALSE(applyPalette(page, applied)) << mode;
        EXPECT_EQ(page.palette, before) << mode;
        EXPECT_EQ(page.paletteQuad, quad) << mode;
        releasePage(page);
    }
    Page& page = makePage(ws.sprites, kKindSprite, kMode8, before);
    for (int n = 0; n < kPaletteEntries; ++n)
        page.paletteQuad[n * 4 + 3] = 0x5A;
    ASSERT_TRUE(applyPalette(page, applied));
    EXPECT_EQ(page.palette, applied);
    for (int n = 0; n < kPaletteEntries; ++n) {
        for (int c = 0; c < 3; ++c)
            ASSERT_EQ(page.paletteQuad[n * 4 + c], applied[n * 3 + c]);
        ASSERT_EQ(page.paletteQuad[n * 4 + 3], 0x5A);
    }
}

}  // namespace
}  // namespace zentil
