// PNG pictures: files built byte by byte for every kind the reader takes or
// refuses, and round trips through the writers.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <variant>

#include "formats/png_codec.h"
#include "image/page.h"
#include "memory_watch.h"
#include "png_builder.h"
#include "system/texts.h"
#include "trickle_source.h"

namespace zentil {
namespace {

using test::PngBytes;
using test::PngImage;

// A picture whose samples are drawn at random from `choices`, one sample
// tuple per pixel; the first choices each appear at least once when there is
// room.
PngImage picture(int w, int h, int depth, int colourType, bool interlaced,
                 const std::vector<std::vector<std::uint16_t>>& choices, unsigned seed) {
    PngImage img{w, h, depth, colourType, interlaced, {}};
    std::mt19937 rng(seed);
    std::vector<std::size_t> pick(static_cast<std::size_t>(w) * h);
    for (std::size_t i = 0; i < pick.size(); ++i)
        pick[i] = i < choices.size() ? i : rng() % choices.size();
    std::shuffle(pick.begin(), pick.end(), rng);
    for (std::size_t p : pick)
        img.samples.insert(img.samples.end(), choices[p].begin(), choices[p].end());
    return img;
}

// Every sample value of a one-channel picture of `depth` bits.
std::vector<std::vector<std::uint16_t>> allSamples(int depth) {
    std::vector<std::vector<std::uint16_t>> all;
    for (int v = 0; v < (1 << depth); ++v)
        all.push_back({static_cast<std::uint16_t>(v)});
    return all;
}

// `count` distinct colours, with alpha `alpha` when given.
std::vector<std::vector<std::uint16_t>> colours(int count, int alpha, unsigned seed) {
    std::vector<std::vector<std::uint16_t>> all;
    std::mt19937 rng(seed);
    for (int n = 0; n < count; ++n) {
        std::vector<std::uint16_t> c = {static_cast<std::uint16_t>(n),
                                        static_cast<std::uint16_t>(rng() % 256),
                                        static_cast<std::uint16_t>(n * 7 % 256)};
        if (alpha >= 0) c.push_back(static_cast<std::uint16_t>(alpha));
        all.push_back(c);
    }
    return all;
}

// Transparent pixels of different colours, which all count as one.
std::vector<std::vector<std::uint16_t>> clearPixels(int count) {
    std::vector<std::vector<std::uint16_t>> all;
    for (int n = 0; n < count; ++n)
        all.push_back({static_cast<std::uint16_t>(n * 3), 9, static_cast<std::uint16_t>(n), 0});
    return all;
}

template <typename T>
std::vector<T> operator+(std::vector<T> a, const std::vector<T>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

PngBytes paletteChunk(int entries) {
    PngBytes plte(static_cast<std::size_t>(entries) * 3);
    for (std::size_t n = 0; n < plte.size() / 3; ++n) {
        plte[n * 3] = static_cast<std::uint8_t>(n * 37);
        plte[n * 3 + 1] = static_cast<std::uint8_t>(255 - n);
        plte[n * 3 + 2] = static_cast<std::uint8_t>(n * 5 + 1);
    }
    return plte;
}

// What the reader must give, worked out plainly from the samples: palette and
// grey samples are the indexes, except that every palette entry of alpha 0
// shows as the first of them; colours are numbered in reading order, all
// pixels of alpha 0 (or of the tRNS colour) as one, shown in the colour of
// the first of them.
IndexedPicture expected(const PngImage& img, const PngBytes& plte, const PngBytes& trns) {
    IndexedPicture want;
    want.width = img.width;
    want.height = img.height;
    const int channels = test::pngChannels(img.colourType);
    if (channels == 1) {
        want.indexes.assign(img.samples.begin(), img.samples.end());
        if (img.colourType == 3) {
            std::copy(plte.begin(), plte.end(), want.palette.begin());
            for (std::size_t n = 0; n < trns.size(); ++n) {
                if (trns[n] != 0) continue;
                ++want.transparentEntries;
                if (want.transparentIndex < 0) want.transparentIndex = static_cast<int>(n);
                std::replace(want.indexes.begin(), want.indexes.end(), static_cast<std::uint8_t>(n),
                             static_cast<std::uint8_t>(want.transparentIndex));
            }
        } else {
            const int levels = 1 << img.bitDepth;
            for (int n = 0; n < levels; ++n)
                std::fill_n(&want.palette[n * 3], 3, n * (255 / (levels - 1)));
            if (!trns.empty()) want.transparentIndex = (trns[0] << 8) | trns[1];
        }
        return want;
    }
    std::map<std::uint32_t, int> entries;
    const std::uint32_t kClear = 1u << 24;
    for (std::size_t p = 0; p < img.samples.size() / channels; ++p) {
        const std::uint16_t* s = &img.samples[p * channels];
        const bool grey = channels <= 2;
        const std::uint8_t rgb[3] = {static_cast<std::uint8_t>(s[0]),
                                     static_cast<std::uint8_t>(grey ? s[0] : s[1]),
                                     static_cast<std::uint8_t>(grey ? s[0] : s[2])};
        bool clear = (channels == 2 && s[1] == 0) || (channels == 4 && s[3] == 0);
        if (channels == 3 && !trns.empty())
            clear = s[0] == trns[1] && s[1] == trns[3] && s[2] == trns[5];
        const std::uint32_t key = clear ? kClear : (rgb[0] << 16) | (rgb[1] << 8) | rgb[2];
        auto [at, added] = entries.emplace(key, static_cast<int>(entries.size()));
        if (added) {
            std::copy_n(rgb, 3, &want.palette[at->second * 3]);
            if (clear) want.transparentIndex = at->second;
        }
        want.indexes.push_back(static_cast<std::uint8_t>(at->second));
    }
    return want;
}

void expectSame(const IndexedPicture& got, const IndexedPicture& want) {
    EXPECT_EQ(got.width, want.width);
    EXPECT_EQ(got.height, want.height);
    EXPECT_EQ(got.indexes, want.indexes);
    EXPECT_EQ(got.palette, want.palette);
    EXPECT_EQ(got.transparentIndex, want.transparentIndex);
}

void expectSameEntries(const IndexedPicture& got, const IndexedPicture& want) {
    expectSame(got, want);
    EXPECT_EQ(got.transparentEntries, want.transparentEntries);
}

// The picture read into rows further apart than the width (a page's rows),
// from bytes handed over a few at a time (a file read piece by piece), with
// the bytes between the rows left untouched.
IndexedPicture readRowByRow(const PngBytes& file) {
    std::vector<std::uint8_t> rows;
    std::size_t width = 0, height = 0, stride = 0;
    const auto intoRows = [&](int w, int h, std::size_t& s) {
        width = static_cast<std::size_t>(w);
        height = static_cast<std::size_t>(h);
        s = stride = width + 3;
        rows.assign(stride * height, 0xEE);
        return rows.data();
    };
    test::TrickleSource trickle(file);
    IndexedPicture header;
    const Outcome outcome = decodePngInto(trickle, header, intoRows, kMaxPixelBufferBytes);
    EXPECT_TRUE(outcome) << outcome.text;
    for (std::size_t y = 0; y < height; ++y) {
        const std::uint8_t* row = rows.data() + stride * y;
        header.indexes.insert(header.indexes.end(), row, row + width);
        EXPECT_EQ(std::count(row + width, row + stride, 0xEE), 3);
    }
    return header;
}

TEST(PngCodecTest, ReadsEveryKindOfAtMost256Colours) {
    struct Case {
        const char* name;
        PngImage img;
        PngBytes plte, trns;
    };
    const auto rgb = colours(30, -1, 12);
    const PngBytes keyOfThird = {0, static_cast<std::uint8_t>(rgb[3][0]),
                                 0, static_cast<std::uint8_t>(rgb[3][1]),
                                 0, static_cast<std::uint8_t>(rgb[3][2])};
    const std::vector<Case> cases = {
        {"palette 1-bit interlaced",
         picture(13, 11, 1, 3, true, allSamples(1), 1),
         paletteChunk(2),
         {}},
        {"palette 2-bit", picture(9, 4, 2, 3, false, allSamples(2), 2), paletteChunk(4), {}},
        {"palette 4-bit interlaced, tRNS shorter than the palette",
         picture(17, 9, 4, 3, true, allSamples(4), 3),
         paletteChunk(16),
         {255, 128, 0, 0, 255}},
        {"palette 8-bit, three clear entries",
         picture(23, 7, 8, 3, false, allSamples(5), 16),
         paletteChunk(32),
         {0, 255, 0, 9, 255, 0}},
        {"palette 8-bit, short palette, tRNS without a clear entry",
         picture(40, 30, 8, 3, false, allSamples(6), 4),
         paletteChunk(64),
         {255, 3, 7}},
        {"palette 8-bit interlaced, 256 entries",
         picture(33, 35, 8, 3, true, allSamples(8), 5),
         paletteChunk(256),
         {}},
        {"grey 1-bit", picture(10, 3, 1, 0, false, allSamples(1), 6), {}, {}},
        {"grey 2-bit interlaced", picture(11, 9, 2, 0, true, allSamples(2), 7), {}, {}},
        {"grey 4-bit with tRNS", picture(8, 8, 4, 0, false, allSamples(4), 8), {}, {0, 9}},
        {"grey 8-bit", picture(20, 20, 8, 0, false, allSamples(8), 9), {}, {}},
        {"grey and alpha",
         picture(12, 12, 8, 4, false, {{10, 255}, {20, 255}, {30, 0}, {40, 0}}, 10),
         {},
         {}},
        {"RGB interlaced", picture(19, 23, 8, 2, true, colours(200, -1, 11), 11), {}, {}},
        {"RGB with a tRNS colour", picture(15, 15, 8, 2, false, rgb, 12), {}, keyOfThird},
        {"RGBA, 255 colours and clear pixels of many colours: 256 entries",
         picture(20, 20, 8, 6, false, colours(255, 255, 13) + clearPixels(40), 13),
         {},
         {}},
        {"RGBA interlaced, 255 colours and clear pixels",
         picture(21, 19, 8, 6, true, colours(255, 128, 14) + clearPixels(40), 14),
         {},
         {}},
        {"RGBA, 256 opaque colours", picture(20, 20, 8, 6, false, colours(256, 1, 15), 15), {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PngBytes file = test::pngFile(c.img, c.plte, c.trns);
        IndexedPicture got;
        const Outcome outcome = decodePng(file, got, kMaxPixelBufferBytes);
        ASSERT_TRUE(outcome) << outcome.text;
        const IndexedPicture want = expected(c.img, c.plte, c.trns);
        expectSameEntries(got, want);

        expectSameEntries(readRowByRow(file), want);
    }
}

// Interlaced pictures of every size up to 17 x 17, where passes fall empty
// (one row high, one column wide), of every kind: read whole, and a row at a
// time.
TEST(PngCodecTest, InterlacedPicturesOfEverySmallSizeReadBothWays) {
    struct Kind {
        int depth, colourType;
        std::vector<std::vector<std::uint16_t>> choices;
        PngBytes plte, trns;
    };
    const std::vector<Kind> kinds = {
        {8, 3, allSamples(4), paletteChunk(16), {255, 0, 255, 0}},
        {2, 3, allSamples(2), paletteChunk(4), {}},
        {8, 0, allSamples(8), {}, {}},
        {4, 0, allSamples(4), {}, {}},
        {8, 2, colours(20, -1, 40), {}, {}},
        {8, 4, {{10, 255}, {20, 0}, {30, 255}}, {}, {}},
        {8, 6, colours(20, 255, 41) + clearPixels(3), {}, {}},
    };
    for (const Kind& k : kinds)
        for (int h = 1; h <= 17; ++h)
            for (int w = 1; w <= 17; ++w) {
                SCOPED_TRACE(testing::Message() << "colour type " << k.colourType << ", depth "
                                                << k.depth << ", " << w << " x " << h);
                const PngImage img = picture(w, h, k.depth, k.colourType, true, k.choices,
                                             static_cast<unsigned>(w * 31 + h));
                const PngBytes file = test::pngFile(img, k.plte, k.trns);
                const IndexedPicture want = expected(img, k.plte, k.trns);
                IndexedPicture whole;
                const Outcome outcome = decodePng(file, whole, kMaxPixelBufferBytes);
                ASSERT_TRUE(outcome) << outcome.text;
                expectSameEntries(whole, want);
                expectSameEntries(readRowByRow(file), want);
            }
}

TEST(PngCodecTest, RefusesWhatItCannotReadWithoutSettingMemoryAside) {
    const PngImage small = picture(10, 10, 8, 3, false, allSamples(8), 20);
    const PngBytes good = test::pngFile(small, paletteChunk(256));
    // Where the image data starts: after the signature, IHDR and PLTE.
    const std::size_t idat = 8 + 25 + 12 + 768;
    PngBytes badCrc = good;
    badCrc[idat + 8 + 3] ^= 0x40;
    PngBytes badStream = test::pngSignature();
    test::pngAppendChunk(badStream, "IHDR", test::pngHeader(small));
    test::pngAppendChunk(badStream, "PLTE", paletteChunk(256));
    // A deflate block of the reserved type 3, under right CRCs.
    PngBytes stream = test::zlibCompress(test::pngScanlines(small));
    stream[2] |= 0x06;
    test::pngAppendChunk(badStream, "IDAT", stream);
    test::pngAppendChunk(badStream, "IEND", {});
    PngBytes shortData = test::pngSignature();
    test::pngAppendChunk(shortData, "IHDR", test::pngHeader(small));
    test::pngAppendChunk(shortData, "PLTE", paletteChunk(256));
    PngBytes half = test::pngScanlines(small);
    half.resize(half.size() / 2);
    test::pngAppendChunk(shortData, "IDAT", test::zlibCompress(half));
    test::pngAppendChunk(shortData, "IEND", {});

    // Headers promising much with a few bytes of image data.
    auto promise = [](int w, int h, int colourType) {
        PngImage img{w, h, 8, colourType, false, {}};
        PngBytes file = test::pngSignature();
        test::pngAppendChunk(file, "IHDR", test::pngHeader(img));
        if (colourType == 3) test::pngAppendChunk(file, "PLTE", paletteChunk(2));
        test::pngAppendChunk(file, "IDAT", test::zlibCompress(PngBytes(4096, 0)));
        test::pngAppendChunk(file, "IEND", {});
        return file;
    };

    // The reasons a user understands, never the library's own words.
    const std::string empty = formatText(texts::kPngCannotReadBecauseF, texts::kPngReasonEmpty);
    const std::string notPng = formatText(texts::kPngCannotReadBecauseF, texts::kPngReasonNotPng);
    const std::string cut = formatText(texts::kPngCannotReadBecauseF, texts::kPngReasonCut);
    const std::string damaged = formatText(texts::kPngCannotReadBecauseF, texts::kPngReasonDamaged);
    struct Case {
        const char* name;
        PngBytes file;
        std::uint64_t maxPixels;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"empty", {}, kMaxPixelBufferBytes, empty},
        {"not a PNG", PngBytes(100, 'x'), kMaxPixelBufferBytes, notPng},
        {"three bytes of text", PngBytes(3, 'x'), kMaxPixelBufferBytes, notPng},
        {"the first bytes of a PNG", PngBytes(good.begin(), good.begin() + 5), kMaxPixelBufferBytes,
         cut},
        {"cut in the image data", PngBytes(good.begin(), good.begin() + idat + 20),
         kMaxPixelBufferBytes, cut},
        {"without its end", PngBytes(good.begin(), good.end() - 12), kMaxPixelBufferBytes, cut},
        {"image data with a wrong CRC", badCrc, kMaxPixelBufferBytes, damaged},
        {"damaged deflate stream", badStream, kMaxPixelBufferBytes, damaged},
        {"image data for half the rows", shortData, kMaxPixelBufferBytes, damaged},
        {"palette picture without a palette", test::pngFile(small), kMaxPixelBufferBytes, damaged},
        {"RGBA with 257 colours",
         test::pngFile(picture(20, 20, 8, 6, false, colours(256, 255, 21) + clearPixels(3), 21)),
         kMaxPixelBufferBytes, texts::kPngTooManyColours},
        {"RGB of 16 bits", test::pngFile(picture(4, 4, 16, 2, false, {{1, 2, 3}}, 22)),
         kMaxPixelBufferBytes, texts::kPngTooManyColours},
        {"grey of 16 bits", test::pngFile(picture(4, 4, 16, 0, false, {{1000}}, 23)),
         kMaxPixelBufferBytes, texts::kPngTooManyColours},
        {"one pixel more than allowed", good, 99, texts::kCannotCreateImage},
        {"40000 x 40000 pixels", promise(40000, 40000, 3), kMaxPixelBufferBytes,
         texts::kCannotCreateImage},
        {"no columns", promise(0, 5, 3), kMaxPixelBufferBytes, damaged},
        {"RGBA rows longer than allowed", promise(300000000, 1, 6), kMaxPixelBufferBytes,
         texts::kCannotCreateImage},
        {"30000 x 30000 pixels from 4 kB of image data", promise(30000, 30000, 3),
         kMaxPixelBufferBytes, damaged},
        {"RGB 30000 x 30000 pixels from 4 kB of image data", promise(30000, 30000, 2),
         kMaxPixelBufferBytes, damaged},
        // Sizes the library cannot compute with have no reason to give.
        {"RGBA of the largest size, with no limit", promise(0x7FFFFFFF, 0x7FFFFFFF, 6),
         ~std::uint64_t{0}, texts::kPngCannotRead},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IndexedPicture out;
        out.width = 5;
        out.indexes = {1, 2, 3};
        out.transparentIndex = 77;
        const IndexedPicture before = out;
        const test::MemoryWatch watch;
        const Outcome outcome = decodePng(c.file, out, c.maxPixels);
        EXPECT_LT(watch.largestAllocationMiB(), 64);
        EXPECT_LT(watch.peakGrowthMiB(), 64);
        EXPECT_FALSE(outcome);
        EXPECT_EQ(outcome.caption, texts::kCaptionError);
        EXPECT_EQ(outcome.text, c.text);
        expectSame(out, before);
    }
    // The limit itself is allowed.
    IndexedPicture out;
    EXPECT_TRUE(decodePng(good, out, 100));
}

// What the reader of every kind must give as true colour, worked out plainly
// from the samples: grey spread to three channels, 16-bit samples scaled to
// the nearest 8-bit value, the tRNS grey level or colour made alpha 0.
RgbaPicture expectedRgba(const PngImage& img, const PngBytes& trns) {
    const int channels = test::pngChannels(img.colourType);
    const auto eight = [&](std::uint16_t v) {
        return static_cast<std::uint8_t>(img.bitDepth == 16 ? (v * 255.0 / 65535.0 + 0.5) : v);
    };
    std::vector<std::uint16_t> key;
    for (std::size_t n = 0; n + 1 < trns.size(); n += 2)
        key.push_back(static_cast<std::uint16_t>(trns[n] << 8 | trns[n + 1]));
    RgbaPicture want{img.width, img.height, {}};
    for (std::size_t p = 0; p < img.samples.size() / channels; ++p) {
        const std::uint16_t* s = &img.samples[p * channels];
        const bool grey = channels <= 2;
        const std::uint16_t r = s[0], g = grey ? s[0] : s[1], b = grey ? s[0] : s[2];
        std::uint8_t alpha = 255;
        if (channels == 2 || channels == 4) alpha = eight(s[channels - 1]);
        if (!key.empty() && r == key[0] && (grey || (g == key[1] && b == key[2]))) alpha = 0;
        want.rgba.insert(want.rgba.end(), {eight(r), eight(g), eight(b), alpha});
    }
    return want;
}

// `count` distinct 16-bit colours (or grey levels with `channels` 1 or 2),
// among them the values where the high byte and rounding part (0x00FF, 0x7F80),
// with alpha from `alphas` in turn when the picture has it.
std::vector<std::vector<std::uint16_t>> wideSamples(int count, int channels,
                                                    const std::vector<std::uint16_t>& alphas,
                                                    unsigned seed) {
    static constexpr std::uint16_t kEdges[] = {0, 0x00FF, 0x0080, 0x7F80, 0x80FF, 0xFF7F, 0xFFFF};
    std::mt19937 rng(seed);
    std::vector<std::vector<std::uint16_t>> all;
    const int colourChannels = channels <= 2 ? 1 : 3;
    for (int n = 0; n < count; ++n) {
        std::vector<std::uint16_t> c;
        for (int k = 0; k < colourChannels; ++k)
            c.push_back(n < 7 ? kEdges[(n + k) % 7] : static_cast<std::uint16_t>(rng()));
        if (channels == 2 || channels == 4) c.push_back(alphas[n % alphas.size()]);
        all.push_back(c);
    }
    return all;
}

// Every colour type at every depth it has, interlaced or not, with and
// without transparency, of fewer and more than 256 colours: indexes exactly
// as decodePng gives them wherever it takes the file, true colour otherwise;
// the same held in memory and handed over a few bytes at a time.
TEST(PngCodecTest, ReadsEveryColourTypeAndDepth) {
    struct Case {
        const char* name;
        PngImage img;
        PngBytes plte, trns;
        bool indexed;
    };
    const auto rgb300 = colours(300, -1, 50);
    const PngBytes keyOfFifth = {0, static_cast<std::uint8_t>(rgb300[5][0]),
                                 0, static_cast<std::uint8_t>(rgb300[5][1]),
                                 0, static_cast<std::uint8_t>(rgb300[5][2])};
    const auto grey16 = wideSamples(40, 1, {}, 51);
    const auto rgb16 = wideSamples(30, 3, {}, 52);
    const PngBytes greyKey16 = {static_cast<std::uint8_t>(grey16[9][0] >> 8),
                                static_cast<std::uint8_t>(grey16[9][0])};
    const PngBytes rgbKey16 = {
        static_cast<std::uint8_t>(rgb16[8][0] >> 8), static_cast<std::uint8_t>(rgb16[8][0]),
        static_cast<std::uint8_t>(rgb16[8][1] >> 8), static_cast<std::uint8_t>(rgb16[8][1]),
        static_cast<std::uint8_t>(rgb16[8][2] >> 8), static_cast<std::uint8_t>(rgb16[8][2])};
    // Every grey level and clear pixels: 257 entries with the clear one.
    std::vector<std::vector<std::uint16_t>> everyGreyAndClear = {{7, 0}};
    for (std::uint16_t v = 0; v < 256; ++v)
        everyGreyAndClear.push_back({v, static_cast<std::uint16_t>(v % 2 ? 255 : 90)});
    const std::vector<std::uint16_t> softAlphas16 = {0, 0x00FF, 0x8000, 0xFFFF, 0x1234};
    const std::vector<Case> cases = {
        // What decodePng takes stays indexes.
        {"palette 1-bit", picture(9, 5, 1, 3, false, allSamples(1), 60), paletteChunk(2), {}, true},
        {"palette 2-bit interlaced, tRNS",
         picture(9, 9, 2, 3, true, allSamples(2), 61),
         paletteChunk(4),
         {0, 255, 0},
         true},
        {"palette 4-bit",
         picture(10, 3, 4, 3, false, allSamples(4), 62),
         paletteChunk(16),
         {},
         true},
        {"palette 8-bit",
         picture(20, 20, 8, 3, false, allSamples(8), 63),
         paletteChunk(256),
         {},
         true},
        {"grey 1-bit interlaced", picture(7, 7, 1, 0, true, allSamples(1), 64), {}, {}, true},
        {"grey 2-bit, tRNS", picture(8, 3, 2, 0, false, allSamples(2), 65), {}, {0, 2}, true},
        {"grey 4-bit", picture(8, 8, 4, 0, false, allSamples(4), 66), {}, {}, true},
        {"grey 8-bit interlaced", picture(20, 20, 8, 0, true, allSamples(8), 67), {}, {}, true},
        {"RGB 8-bit, 200 colours, tRNS",
         picture(20, 20, 8, 2, false, colours(200, -1, 68), 68),
         {},
         keyOfFifth,
         true},
        {"RGBA 8-bit interlaced, soft alpha, 100 colours",
         picture(15, 15, 8, 6, true, colours(100, 77, 69) + clearPixels(5), 69),
         {},
         {},
         true},
        {"grey and alpha 8-bit", picture(9, 9, 8, 4, false, {{10, 0}, {20, 99}}, 70), {}, {}, true},
        // More than 256 colours.
        {"RGB 8-bit, 300 colours", picture(20, 20, 8, 2, false, rgb300, 71), {}, {}, false},
        {"RGB 8-bit interlaced, 300 colours, tRNS",
         picture(21, 19, 8, 2, true, rgb300, 72),
         {},
         keyOfFifth,
         false},
        {"RGBA 8-bit, 1000 colours of soft alpha",
         picture(40, 30, 8, 6, false, colours(1000, 128, 73) + clearPixels(9), 73),
         {},
         {},
         false},
        {"RGBA 8-bit interlaced, 300 colours",
         picture(20, 20, 8, 6, true, colours(300, 255, 74), 74),
         {},
         {},
         false},
        {"grey and alpha 8-bit, every level and clear pixels",
         picture(17, 17, 8, 4, false, everyGreyAndClear, 75),
         {},
         {},
         false},
        {"grey and alpha 8-bit interlaced, every level and clear pixels",
         picture(17, 17, 8, 4, true, everyGreyAndClear, 76),
         {},
         {},
         false},
        // 16 bits per sample, whatever their colours.
        {"grey 16-bit", picture(9, 9, 16, 0, false, grey16, 77), {}, {}, false},
        {"grey 16-bit interlaced, tRNS",
         picture(11, 10, 16, 0, true, grey16, 78),
         {},
         greyKey16,
         false},
        {"grey 16-bit, two levels",
         picture(5, 5, 16, 0, false, {{0}, {0xFFFF}}, 79),
         {},
         {},
         false},
        {"grey and alpha 16-bit",
         picture(9, 8, 16, 4, false, wideSamples(20, 2, softAlphas16, 80), 80),
         {},
         {},
         false},
        {"RGB 16-bit, tRNS", picture(12, 9, 16, 2, false, rgb16, 81), {}, rgbKey16, false},
        {"RGB 16-bit interlaced", picture(13, 13, 16, 2, true, rgb16, 82), {}, {}, false},
        {"RGBA 16-bit",
         picture(10, 10, 16, 6, false, wideSamples(30, 4, softAlphas16, 83), 83),
         {},
         {},
         false},
        {"RGBA 16-bit interlaced",
         picture(9, 11, 16, 6, true, wideSamples(30, 4, softAlphas16, 84), 84),
         {},
         {},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const PngBytes file = test::pngFile(c.img, c.plte, c.trns);
        DecodedPicture whole, pieced;
        const Outcome outcome = decodePngPicture(file, whole, kMaxPixelBufferBytes);
        ASSERT_TRUE(outcome) << outcome.text;
        test::TrickleSource trickle(file, 5);
        ASSERT_TRUE(decodePngPicture(trickle, pieced, kMaxPixelBufferBytes));
        for (const DecodedPicture* got : {&whole, &pieced}) {
            ASSERT_EQ(std::holds_alternative<IndexedPicture>(*got), c.indexed);
            if (c.indexed) {
                expectSameEntries(std::get<IndexedPicture>(*got), expected(c.img, c.plte, c.trns));
                continue;
            }
            const RgbaPicture& rgba = std::get<RgbaPicture>(*got);
            const RgbaPicture want = expectedRgba(c.img, c.trns);
            EXPECT_EQ(rgba.width, want.width);
            EXPECT_EQ(rgba.height, want.height);
            EXPECT_EQ(rgba.rgba, want.rgba);
        }
    }
}

// Files the reader of every kind refuses, with decodePng's texts, leaving the
// picture as it was.
TEST(PngCodecTest, ReaderOfEveryKindRefusesDamageAndSizes) {
    const PngImage wide = picture(30, 20, 16, 6, false, wideSamples(50, 4, {0, 0x8000}, 90), 90);
    const PngBytes good = test::pngFile(wide);
    const PngBytes many = test::pngFile(picture(30, 20, 8, 2, false, colours(300, -1, 91), 91));
    PngBytes badCrc = good;
    badCrc[8 + 25 + 8 + 3] ^= 0x10;  // in the image data
    PngBytes manyCut(many.begin(), many.end() - 40);
    const std::string cut = formatText(texts::kPngCannotReadBecauseF, texts::kPngReasonCut);
    const std::string damaged = formatText(texts::kPngCannotReadBecauseF, texts::kPngReasonDamaged);
    struct Case {
        const char* name;
        PngBytes file;
        std::uint64_t maxPixels;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"16-bit, cut in the image data", PngBytes(good.begin(), good.begin() + 100),
         kMaxPixelBufferBytes, cut},
        {"16-bit, without its end", PngBytes(good.begin(), good.end() - 12), kMaxPixelBufferBytes,
         cut},
        {"16-bit image data with a wrong CRC", badCrc, kMaxPixelBufferBytes, damaged},
        {"300 colours, cut after the first rows", manyCut, kMaxPixelBufferBytes, cut},
        {"16-bit, one pixel more than allowed", good, 599, texts::kCannotCreateImage},
        // 30 pixels of 8 bytes in the row the library hands over.
        {"16-bit rows longer than allowed", good, 239, texts::kCannotCreateImage},
        {"300 colours, one pixel more than allowed", many, 599, texts::kCannotCreateImage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DecodedPicture out = IndexedPicture{3, 4, {1, 2}, {}, 7, 0};
        for (int way = 0; way < 2; ++way) {
            test::TrickleSource trickle(c.file, 9);
            MemorySource memory(c.file);
            const Outcome outcome = decodePngPicture(
                way ? static_cast<ByteSource&>(trickle) : static_cast<ByteSource&>(memory), out,
                c.maxPixels);
            EXPECT_FALSE(outcome);
            EXPECT_EQ(outcome.text, c.text);
            ASSERT_TRUE(std::holds_alternative<IndexedPicture>(out));
            EXPECT_EQ(std::get<IndexedPicture>(out).indexes, (std::vector<std::uint8_t>{1, 2}));
        }
    }
    DecodedPicture out;
    EXPECT_TRUE(decodePngPicture(good, out, 600));
}

TEST(PngCodecTest, PalettePicturesComeBackAsWritten) {
    struct Case {
        int width, height, transparentIndex, level;
    };
    const std::vector<Case> cases = {{1, 1, -1, kPngCompressionLevel},
                                     {7, 3, 0, 0},
                                     {300, 5, 255, 9},
                                     {64, 64, 200, kPngCompressionLevel}};
    std::mt19937 rng(30);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.width << " x " << c.height << ", transparent " << c.transparentIndex);
        IndexedPicture in;
        in.width = c.width;
        in.height = c.height;
        for (int n = 0; n < c.width * c.height; ++n)
            in.indexes.push_back(static_cast<std::uint8_t>(rng() % 7 * 37));
        for (std::uint8_t& v : in.palette)
            v = static_cast<std::uint8_t>(rng());
        in.transparentIndex = c.transparentIndex;
        PngBytes file;
        ASSERT_TRUE(encodePng(in, file, c.level));
        // The full palette, and alpha only as far as the transparent entry.
        PngBytes expectedStart = test::pngSignature();
        test::pngAppendChunk(expectedStart, "IHDR",
                             test::pngHeader({c.width, c.height, 8, 3, false, {}}));
        PngBytes plte(in.palette.begin(), in.palette.end());
        test::pngAppendChunk(expectedStart, "PLTE", plte);
        if (c.transparentIndex >= 0) {
            PngBytes trns(c.transparentIndex + 1, 255);
            trns.back() = 0;
            test::pngAppendChunk(expectedStart, "tRNS", trns);
        }
        ASSERT_GE(file.size(), expectedStart.size());
        EXPECT_TRUE(std::equal(expectedStart.begin(), expectedStart.end(), file.begin()));

        IndexedPicture back;
        ASSERT_TRUE(decodePng(file, back, kMaxPixelBufferBytes));
        expectSame(back, in);
    }
}

TEST(PngCodecTest, TrueColourPicturesComeBackAsTheirColours) {
    RgbPicture in{37, 21, {}};
    std::mt19937 rng(31);
    for (int n = 0; n < in.width * in.height; ++n) {
        const int c = static_cast<int>(rng() % 100);
        in.rgb.insert(in.rgb.end(), {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c * 3),
                                     static_cast<std::uint8_t>(255 - c)});
    }
    PngBytes file;
    ASSERT_TRUE(encodePngRgb(in, file));
    IndexedPicture back;
    ASSERT_TRUE(decodePng(file, back, kMaxPixelBufferBytes));
    ASSERT_EQ(back.indexes.size(), std::size_t(in.width) * in.height);
    for (std::size_t n = 0; n < back.indexes.size(); ++n)
        ASSERT_TRUE(
            std::equal(&in.rgb[n * 3], &in.rgb[n * 3 + 3], &back.palette[back.indexes[n] * 3]))
            << n;
    EXPECT_EQ(back.transparentIndex, -1);
}

TEST(PngCodecTest, WritersRefusePicturesThatDisagreeWithTheirSize) {
    IndexedPicture good;
    good.width = 2;
    good.height = 2;
    good.indexes = {1, 2, 3, 4};
    std::vector<IndexedPicture> bad(4, good);
    bad[0].indexes.pop_back();
    bad[1].width = 0;
    bad[2].transparentIndex = 256;
    bad[3].height = -2;
    for (const IndexedPicture& in : bad) {
        PngBytes out = {42};
        const Outcome outcome = encodePng(in, out);
        EXPECT_FALSE(outcome);
        EXPECT_EQ(outcome.text, texts::kPngCannotSave);
        EXPECT_EQ(out, PngBytes{42});
    }
    PngBytes out = {42};
    EXPECT_FALSE(encodePngRgb({2, 2, std::vector<std::uint8_t>(11)}, out));
    EXPECT_EQ(out, PngBytes{42});
}

}  // namespace
}  // namespace zentil
