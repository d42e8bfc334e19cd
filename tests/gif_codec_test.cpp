// GIF pictures: files written with giflib's encoder, their frames composed as
// a viewer shows them and checked against a plain model, and damaged files.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <variant>

#include "formats/gif_codec.h"
#include "gif_builder.h"
#include "image/page.h"
#include "memory_watch.h"
#include "system/texts.h"

namespace zentil {
namespace {

using test::GifBytes;
using test::GifColour;
using test::GifFrameLayout;
using test::GifLayout;

// `count` distinct colours.
std::vector<GifColour> table(int count, int seed) {
    std::vector<GifColour> colours;
    for (int n = 0; n < count; ++n)
        colours.push_back({static_cast<std::uint8_t>(n),
                           static_cast<std::uint8_t>(seed * 40 + n / 3),
                           static_cast<std::uint8_t>(255 - n)});
    return colours;
}

// A frame of indexes below `entries`, at random.
GifFrameLayout frame(int left, int top, int width, int height, int entries, unsigned seed) {
    GifFrameLayout f;
    f.left = left;
    f.top = top;
    f.width = width;
    f.height = height;
    std::mt19937 rng(seed);
    for (int n = 0; n < width * height; ++n)
        f.indexes.push_back(static_cast<std::uint8_t>(rng() % static_cast<unsigned>(entries)));
    return f;
}

// A 16 x 16 frame of the indexes 0 to 255.
GifFrameLayout everyIndex(int left, int top) {
    GifFrameLayout f = frame(left, top, 16, 16, 1, 0);
    for (std::size_t n = 0; n < f.indexes.size(); ++n)
        f.indexes[n] = static_cast<std::uint8_t>(n);
    return f;
}

GifFrameLayout controlled(GifFrameLayout f, int disposal, int transparent) {
    f.control = true;
    f.disposal = disposal;
    f.transparent = transparent;
    return f;
}

GifFrameLayout interlaced(GifFrameLayout f) {
    f.interlaced = true;
    return f;
}

GifFrameLayout withTable(GifFrameLayout f, std::vector<GifColour> colours) {
    f.localTable = std::move(colours);
    return f;
}

// Every frame's tile of the sheet against what the model shows.
void expectTiles(const GifSheet& sheet, const GifLayout& layout, bool indexed) {
    const auto shown = test::gifShown(layout);
    ASSERT_EQ(sheet.tileWidth, layout.width);
    ASSERT_EQ(sheet.tileHeight, layout.height);
    ASSERT_EQ(sheet.frames, static_cast<int>(layout.frames.size()));
    ASSERT_EQ(std::holds_alternative<IndexedPicture>(sheet.picture), indexed);
    const std::size_t sheetWidth = std::size_t(layout.width) * layout.frames.size();
    const auto* asIndexes = std::get_if<IndexedPicture>(&sheet.picture);
    const auto* asColours = std::get_if<RgbaPicture>(&sheet.picture);
    if (asIndexes) {
        ASSERT_EQ(asIndexes->width, static_cast<int>(sheetWidth));
        ASSERT_EQ(asIndexes->height, layout.height);
        ASSERT_EQ(asIndexes->indexes.size(), sheetWidth * layout.height);
    } else {
        ASSERT_EQ(asColours->width, static_cast<int>(sheetWidth));
        ASSERT_EQ(asColours->height, layout.height);
        ASSERT_EQ(asColours->rgba.size(), sheetWidth * layout.height * 4);
    }
    for (std::size_t n = 0; n < shown.size(); ++n)
        for (int y = 0; y < layout.height; ++y)
            for (int x = 0; x < layout.width; ++x) {
                SCOPED_TRACE(testing::Message() << "frame " << n << ", " << x << ", " << y);
                const std::size_t in = std::size_t(y) * layout.width + x;
                const std::size_t at = std::size_t(y) * sheetWidth + n * layout.width + x;
                if (asColours) {
                    ASSERT_TRUE(std::equal(shown[n].rgba[in].begin(), shown[n].rgba[in].end(),
                                           &asColours->rgba[at * 4]));
                    continue;
                }
                const int index = shown[n].indexes[in];
                ASSERT_EQ(asIndexes->indexes[at], index < 0 ? asIndexes->transparentIndex : index);
                ASSERT_NE(index, asIndexes->transparentIndex);
            }
}

TEST(GifCodecTest, FramesComposeAsAViewerShowsThem) {
    struct Case {
        const char* name;
        GifLayout layout;
        bool indexed;
        int transparentIndex;  // of an indexed sheet
    };
    const auto global = table(16, 1);
    const std::vector<Case> cases = {
        {"one frame", {7, 5, global, {frame(0, 0, 7, 5, 16, 1)}}, true, -1},
        {"frames left in place, smaller ones at offsets, no transparency",
         {9,
          8,
          global,
          {frame(0, 0, 9, 8, 16, 2), frame(2, 3, 4, 2, 16, 3),
           controlled(frame(5, 0, 4, 8, 16, 4), 1, -1)}},
         true,
         -1},
        {"transparency left in place: the screen starts clear",
         {8,
          8,
          global,
          {controlled(frame(1, 1, 6, 6, 16, 5), 0, 3), controlled(frame(0, 0, 8, 8, 16, 6), 1, 3)}},
         true,
         3},
        {"cleared to the background, the same transparent index",
         {10,
          6,
          global,
          {controlled(frame(0, 0, 10, 6, 16, 7), 2, 5), controlled(frame(3, 1, 5, 4, 16, 8), 2, 5),
           controlled(frame(1, 2, 3, 3, 16, 9), 1, 5)}},
         true,
         5},
        {"brought back to the screen before the frame",
         {8,
          7,
          global,
          {controlled(frame(0, 0, 8, 7, 16, 10), 1, -1),
           controlled(frame(2, 2, 4, 4, 16, 11), 3, 0),
           controlled(frame(0, 3, 8, 2, 16, 12), 3, -1), frame(1, 1, 2, 2, 16, 13)}},
         true,
         -1},
        {"transparent indexes that differ: clear pixels take an entry none shows",
         {6,
          6,
          global,
          {controlled(frame(0, 0, 6, 6, 8, 14), 2, 2), controlled(frame(1, 1, 4, 4, 8, 15), 2, 4)}},
         true,
         2},
        {"the frames' transparent index drawn by a frame without one",
         {6, 6, global, {controlled(frame(0, 0, 6, 6, 8, 16), 2, 1), frame(0, 0, 3, 3, 8, 17)}},
         true,
         8},
        {"interlaced frames of every height to 10",
         {5,
          10,
          global,
          {interlaced(frame(0, 0, 5, 10, 16, 18)), interlaced(frame(1, 0, 3, 1, 16, 19)),
           interlaced(frame(0, 1, 4, 2, 16, 20)), interlaced(frame(0, 2, 5, 3, 16, 21)),
           interlaced(frame(2, 0, 2, 5, 16, 22)), interlaced(frame(0, 1, 5, 9, 16, 23))}},
         true,
         -1},
        {"frames reaching past the screen are clipped",
         {6,
          5,
          global,
          {frame(0, 0, 6, 5, 16, 24), frame(4, 3, 5, 4, 16, 25), frame(7, 6, 2, 2, 16, 26)}},
         true,
         -1},
        {"a local table the same as the global one",
         {6, 4, global, {frame(0, 0, 6, 4, 16, 27), withTable(frame(1, 1, 3, 2, 16, 28), global)}},
         true,
         -1},
        {"local tables only, the same in every frame",
         {6,
          4,
          {},
          {withTable(frame(0, 0, 6, 4, 4, 29), table(4, 2)),
           withTable(controlled(frame(1, 1, 3, 2, 4, 30), 2, 0), table(4, 2)),
           withTable(frame(0, 0, 1, 1, 4, 31), table(4, 2))}},
         true,
         4},
        {"a local table that differs: colours",
         {7,
          6,
          global,
          {controlled(frame(0, 0, 7, 6, 16, 31), 2, 9),
           withTable(controlled(interlaced(frame(1, 1, 5, 5, 4, 32)), 3, 1), table(4, 3)),
           frame(2, 2, 3, 3, 16, 33)}},
         false,
         -1},
        {"clear pixels and all 256 entries shown: colours",
         {32, 16, table(256, 4), {everyIndex(0, 0), everyIndex(16, 0)}},
         false,
         -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GifBytes file = test::gifFile(c.layout);
        GifSheet sheet;
        const Outcome outcome = decodeGif(file, sheet, kMaxPixelBufferBytes);
        ASSERT_TRUE(outcome) << outcome.text;
        expectTiles(sheet, c.layout, c.indexed);
        if (!c.indexed) continue;
        const auto& picture = std::get<IndexedPicture>(sheet.picture);
        EXPECT_EQ(picture.transparentIndex, c.transparentIndex);
        const auto& colours =
            c.layout.globalTable.empty() ? c.layout.frames[0].localTable : c.layout.globalTable;
        for (std::size_t n = 0; n < kPaletteEntries; ++n)
            for (std::size_t k = 0; k < 3; ++k)
                ASSERT_EQ(picture.palette[n * 3 + k], n < colours.size() ? colours[n][k] : 0);

        // A file without its trailer shows the same.
        GifSheet untrailed;
        ASSERT_TRUE(
            decodeGif(GifBytes(file.begin(), file.end() - 1), untrailed, kMaxPixelBufferBytes));
        EXPECT_EQ(std::get<IndexedPicture>(untrailed.picture).indexes, picture.indexes);
    }
}

TEST(GifCodecTest, RefusesDamagedFilesAndSizesWithoutSettingMemoryAside) {
    const GifLayout two{4, 3, table(2, 5), {frame(0, 0, 4, 3, 2, 40), frame(1, 1, 2, 2, 2, 41)}};
    const GifBytes good = test::gifFile(two);
    // Signature, screen, the two entries of the global table: the first frame
    // starts at 19.
    GifBytes noScreen = good;
    noScreen[6] = noScreen[7] = 0;
    GifBytes noTable = good;
    noTable[10] &= 0x7F;
    noTable.erase(noTable.begin() + 13, noTable.begin() + 19);
    GifBytes unknownRecord = good;
    unknownRecord[19] = 0x77;
    // A 2 x 2 frame whose LZW codes after the clear code name one not yet
    // made.
    GifBytes badCodes(good.begin(), good.begin() + 19);
    badCodes.insert(badCodes.end(), {0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0, 2, 1, 0x3C, 0, 0x3B});
    // A 20000 x 20000 frame from four bytes of image data.
    GifBytes bigFrame(good.begin(), good.begin() + 19);
    bigFrame.insert(bigFrame.end(),
                    {0x2C, 0, 0, 0, 0, 0x20, 0x4E, 0x20, 0x4E, 0, 2, 2, 0x4C, 0x01, 0, 0x3B});
    // The second frame after the first's descriptor and its image data's
    // code size and blocks.
    std::size_t second = 19 + 10 + 1;
    while (good[second] != 0)
        second += good[second] + 1u;
    ++second;
    ASSERT_EQ(good[second], 0x2C);
    GifBytes noFrames(good.begin(), good.begin() + 19);
    noFrames.push_back(0x3B);

    const auto because = [](const char* reason) {
        return formatText(texts::kGifCannotReadBecauseF, reason);
    };
    struct Case {
        const char* name;
        GifBytes file;
        std::uint64_t maxPixels;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"empty", {}, kMaxPixelBufferBytes, because(texts::kPngReasonEmpty)},
        {"not a GIF", GifBytes(40, 'x'), kMaxPixelBufferBytes, because(texts::kGifReasonNotGif)},
        {"a PNG",
         {0x89, 'P', 'N', 'G', 13, 10, 26, 10},
         kMaxPixelBufferBytes,
         because(texts::kGifReasonNotGif)},
        {"the signature alone", GifBytes(good.begin(), good.begin() + 6), kMaxPixelBufferBytes,
         because(texts::kPngReasonCut)},
        {"cut in the global table", GifBytes(good.begin(), good.begin() + 15), kMaxPixelBufferBytes,
         because(texts::kPngReasonCut)},
        {"cut in the first frame's image data", GifBytes(good.begin(), good.begin() + 33),
         kMaxPixelBufferBytes, because(texts::kPngReasonCut)},
        {"cut in the second frame's descriptor",
         GifBytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(second) + 5),
         kMaxPixelBufferBytes, because(texts::kPngReasonCut)},
        {"a screen of no columns", noScreen, kMaxPixelBufferBytes,
         because(texts::kPngReasonDamaged)},
        {"a frame without a colour table", noTable, kMaxPixelBufferBytes,
         because(texts::kPngReasonDamaged)},
        {"a record of no kind", unknownRecord, kMaxPixelBufferBytes,
         because(texts::kPngReasonDamaged)},
        {"LZW codes not yet made", badCodes, kMaxPixelBufferBytes,
         because(texts::kPngReasonDamaged)},
        {"a huge frame from four bytes", bigFrame, kMaxPixelBufferBytes,
         because(texts::kPngReasonDamaged)},
        {"no frame", noFrames, kMaxPixelBufferBytes, because(texts::kPngReasonDamaged)},
        {"two tiles of 12 pixels, one pixel more than allowed", good, 23,
         texts::kCannotCreateImage},
        {"a huge frame, more than allowed", bigFrame, 100000, texts::kCannotCreateImage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        GifSheet out;
        out.tileWidth = 77;
        const test::MemoryWatch watch;
        const Outcome outcome = decodeGif(c.file, out, c.maxPixels);
        EXPECT_LT(watch.largestAllocationMiB(), 64);
        EXPECT_FALSE(outcome);
        EXPECT_EQ(outcome.caption, texts::kCaptionError);
        EXPECT_EQ(outcome.text, c.text);
        EXPECT_EQ(out.tileWidth, 77);
    }
    // The limit itself is allowed.
    GifSheet out;
    EXPECT_TRUE(decodeGif(good, out, 24));
}

}  // namespace
}  // namespace zentil
