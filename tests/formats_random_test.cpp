// The fast file readers and writers must match plain versions exactly: TGA
// run-length pictures against pictures built pixel by pixel, tile bounds and
// GPF files against the per-pixel versions of gpf_reference.h.
#include <cstring>
#include <memory>
#include <random>

#include "blit_reference.h"
#include "file_builders.h"
#include "formats/gpf_file.h"
#include "formats/tga_file.h"
#include "gpf_reference.h"
#include "test_support.h"
#include "trickle_source.h"

namespace zentil {
namespace {

using test::Bytes;
using test::CoreTest;
using test::samePage;

// Leaves a freed block of `bytes` full of 0xA5 behind, which the allocator
// tends to hand out next for the same size. Pixels a reader forgets to set
// then show up, instead of holding an earlier page's key by chance.
// (The block escapes through `scribbled`, so that it is really written.)
std::uint8_t* volatile scribbled = nullptr;
void scribbleFreedMemory(std::size_t bytes) {
    std::unique_ptr<std::uint8_t[]> block(new std::uint8_t[bytes]);
    std::memset(block.get(), 0xA5, bytes);
    scribbled = block.get();
}

class FormatsRandomTest : public CoreTest {
  protected:
    // The defaults pages are read with: a key files do not use, and a palette.
    const PageDefaults defaults{9, 0, 0, test::rampPalette()};

    std::mt19937 rng{20240611};

    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool chance(int percent) { return uniform(0, 99) < percent; }
};

// ---- TGA run-length pictures ------------------------------------------------

// Pixels in file order: runs of 1 to 300 equal pixels, from a few values.
Bytes runsOfPixels(std::mt19937& rng, std::size_t count) {
    Bytes pixels;
    while (pixels.size() < count) {
        const std::size_t n = std::min<std::size_t>(count - pixels.size(), 1 + rng() % 300);
        const auto v = static_cast<std::uint8_t>(rng() % 6);
        for (std::size_t i = 0; i < n; ++i)
            pixels.push_back(rng() % 3 ? v : static_cast<std::uint8_t>(rng()));
    }
    return pixels;
}

struct Packets {
    Bytes bytes;
    std::size_t required = 0;  // the bytes the picture needs
};

// Packets of random lengths (crossing rows freely), repeat packets wherever
// the pixels allow one. With `overshoot` the last packet starts at the last
// pixel and reaches past the picture, as a raw or a repeat packet of 128.
Packets packetsOf(std::mt19937& rng, const Bytes& pixels, bool overshoot) {
    Packets p;
    Bytes& b = p.bytes;
    const std::size_t end = overshoot ? pixels.size() - 1 : pixels.size();
    std::size_t i = 0;
    while (i < end) {
        std::size_t run = 1;
        while (i + run < end && run < 128 && pixels[i + run] == pixels[i])
            ++run;
        if (rng() % 4 != 0 && run > 1) {
            const std::size_t n = 1 + rng() % run;
            b.push_back(static_cast<std::uint8_t>(0x80 | (n - 1)));
            b.push_back(pixels[i]);
            i += n;
        } else {
            const std::size_t n =
                std::min<std::size_t>(end - i, 1 + rng() % (rng() % 2 ? 16 : 128));
            b.push_back(static_cast<std::uint8_t>(n - 1));
            b.insert(b.end(), pixels.begin() + static_cast<std::ptrdiff_t>(i),
                     pixels.begin() + static_cast<std::ptrdiff_t>(i + n));
            i += n;
        }
    }
    p.required = b.size();
    if (overshoot) {
        const bool repeat = rng() % 2;
        b.push_back(repeat ? 0xFF : 0x7F);
        b.push_back(pixels.back());
        p.required = b.size();
        if (!repeat)
            for (int k = 0; k < 127; ++k)
                b.push_back(static_cast<std::uint8_t>(rng()));
    }
    return p;
}

TEST_F(FormatsRandomTest, RunLengthPicturesMatchThePixelByPixelPage) {
    for (int round = 0; round < 150; ++round) {
        const int w = uniform(1, 300), h = uniform(1, 40);
        const int descriptor = uniform(0, 3) << 4;
        const bool overshoot = chance(30);
        const Bytes pixels = runsOfPixels(rng, static_cast<std::size_t>(w) * h);
        const Packets packets = packetsOf(rng, pixels, overshoot);

        test::TgaFields fields;
        fields.type = 9;
        fields.width = w;
        fields.height = h;
        fields.descriptor = descriptor;
        Bytes file = test::tgaHeader(fields);
        Palette palette{};
        for (int i = 0; i < kPaletteEntries; ++i) {
            const std::uint8_t rgb[3] = {static_cast<std::uint8_t>(rng()),
                                         static_cast<std::uint8_t>(rng()),
                                         static_cast<std::uint8_t>(rng())};
            file.insert(file.end(), {rgb[2], rgb[1], rgb[0]});
            std::copy(rgb, rgb + 3, palette.begin() + 3 * i);
        }
        const std::size_t headerAndMap = file.size();
        file.insert(file.end(), packets.bytes.begin(), packets.bytes.end());
        // Files may go on after the pixels (an extension area, a footer).
        if (chance(50))
            for (int i = uniform(1, 600); i > 0; --i)
                file.push_back(static_cast<std::uint8_t>(rng()));

        // The page built pixel by pixel, the file's rows oriented as the
        // descriptor says.
        Page expected;
        ASSERT_TRUE(createSinglePage(expected, w, h, kMode8, defaults));
        const bool topFirst = descriptor & 0x20, rightToLeft = descriptor & 0x10;
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col)
                putPixel(expected, rightToLeft ? w - 1 - col : col, topFirst ? row : h - 1 - row,
                         pixels[static_cast<std::size_t>(w) * row + col]);
        setPagePalette(expected, palette);
        detectColorKey(expected);

        Page page;
        scribbleFreedMemory(pixelBufferBytes(expected));
        ASSERT_TRUE(decodeTga(file, page, defaults)) << round;
        EXPECT_EQ(page.kind, kKindTga);
        ASSERT_TRUE(samePage(page, expected)) << "round " << round << ": " << w << " x " << h;
        // The same from bytes handed over a few at a time, as from a file.
        Page pieced;
        test::TrickleSource trickle(file, static_cast<std::size_t>(uniform(1, 200)));
        ASSERT_TRUE(decodeTga(trickle, pieced, defaults)) << round;
        ASSERT_TRUE(samePage(pieced, expected)) << "round " << round << " read piece by piece";

        // Cut short anywhere in the packets it needs, the picture is refused.
        file.resize(headerAndMap +
                    static_cast<std::size_t>(uniform(0, static_cast<int>(packets.required) - 1)));
        EXPECT_TRUE(decodeTga(file, page, defaults).reportable()) << round;
        ASSERT_TRUE(samePage(page, expected)) << "a refusal changed the page";
    }
}

// ---- Tile bounds --------------------------------------------------------------

TEST_F(FormatsRandomTest, TileBoundsMatchTheFourScansInEveryMode) {
    static constexpr std::uint32_t kKeys[] = {0, 0x1234, 0xFF00FF};
    for (int round = 0; round < 300; ++round) {
        const int mode = uniform(kMode8, kMode24);
        Page page;
        // Now and then tiles wider than the 256 columns the 8-bit scan takes at once.
        const int tw = chance(10) ? uniform(250, 600) : uniform(1, 19);
        ASSERT_TRUE(createPage(page, tw, uniform(1, 3), uniform(1, 11), uniform(1, 3), mode));
        setColorKey(page, kKeys[mode - 1]);
        clearPage(page);
        // A few scattered pixels in most tiles, sometimes a dense patch.
        const int dots =
            chance(20) ? page.stride * page.height / 2 : uniform(0, 3 * page.tileCount);
        for (int i = 0; i < dots; ++i)
            putPixel(page, uniform(0, page.stride - 1), uniform(0, page.height - 1),
                     static_cast<std::uint32_t>(uniform(1, 0x7FFF)));
        for (int t = 0; t < page.tileCount; ++t) {
            TileRect fast, plain;
            ASSERT_TRUE(tileBounds(page, t, fast));
            test::referenceTileBounds(page, t, plain);
            ASSERT_EQ(fast, plain) << "round " << round << ", mode " << mode << ", tile " << t;
        }
    }
}

// ---- GPF files ----------------------------------------------------------------

// A sheet with every kind of tile: empty, a few dots, blobs, noise, full, and
// columns of more than 255 pixels of one kind when tiles are tall. Padding
// columns hold anything, so that blocks reaching into them store what is there.
void randomSheet(std::mt19937& rng, Page& page) {
    auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int th = uniform(0, 4) == 0 ? uniform(256, 600) : uniform(1, 40);
    ASSERT_TRUE(createPage(page, uniform(1, 40), uniform(1, 4), th, uniform(1, 3), kMode8));
    const auto key = static_cast<std::uint8_t>(uniform(0, 255));
    setColorKey(page, key);
    clearPage(page);
    for (int y = 0; y < page.height; ++y)
        for (int x = page.width; x < page.stride; ++x)
            putPixel(page, x, y, static_cast<std::uint32_t>(uniform(0, 255)));
    for (int tile = 0; tile < page.tileCount; ++tile) {
        const int x0 = (tile % page.cols) * page.tileWidth, y0 = (tile / page.cols) * th;
        const int style = uniform(0, 4);
        for (int y = 0; y < th; ++y)
            for (int x = 0; x < page.tileWidth; ++x) {
                bool opaque = false;
                switch (style) {
                    case 1:
                        opaque = uniform(0, 200) == 0;
                        break;
                    case 2: {
                        const int dx = x - page.tileWidth / 2, dy = y - th / 2;
                        opaque = dx * dx + dy * dy < page.tileWidth * th / 6;
                        break;
                    }
                    case 3:
                        opaque = uniform(0, 1) == 0;
                        break;
                    case 4:
                        opaque = true;
                        break;
                    default:
                        break;
                }
                if (opaque)
                    putPixel(page, x0 + x, y0 + y,
                             static_cast<std::uint8_t>(key + 1 + uniform(0, 254)));
            }
    }
}

TEST_F(FormatsRandomTest, SpriteFilesMatchThePlainWriterAndReader) {
    for (int round = 0; round < 120; ++round) {
        Page page;
        randomSheet(rng, page);
        if (HasFatalFailure()) return;
        Bytes fast, plain;
        ASSERT_TRUE(encodeSpriteFile(page, fast));
        test::referenceEncodeSpriteFile(page, plain);
        ASSERT_EQ(fast, plain) << "round " << round;

        Page read, plainRead;
        scribbleFreedMemory(pixelBufferBytes(page));
        ASSERT_TRUE(decodeSpriteFile(fast, read, defaults));
        ASSERT_TRUE(test::referenceDecodeSpriteFile(fast, plainRead, defaults));
        ASSERT_TRUE(samePage(read, plainRead)) << "round " << round;
        // The tiles come back; the padding holds the configured default key.
        for (int y = 0; y < page.height; ++y)
            for (int x = 0; x < page.stride; ++x)
                ASSERT_EQ(pixelAt(read, x, y), x < page.width ? pixelAt(page, x, y) : 9u)
                    << "round " << round << " at " << x << "," << y;
    }
}

TEST_F(FormatsRandomTest, DamagedSpriteFilesReadLikeThePlainReader) {
    for (int round = 0; round < 200; ++round) {
        Page page;
        randomSheet(rng, page);
        if (HasFatalFailure()) return;
        Bytes file;
        ASSERT_TRUE(encodeSpriteFile(page, file));
        const std::size_t count = static_cast<std::size_t>(page.tileCount);
        const std::size_t dataStart = kGpfHeaderSize + count * 12;
        // Rectangles that no longer fit their tile or their data.
        for (int i = uniform(0, 3); i > 0; --i) {
            const std::size_t at = kGpfHeaderSize + 8 * static_cast<std::size_t>(uniform(
                                                            0, static_cast<int>(count) - 1));
            const int field = uniform(0, 3);
            const int value = field < 2 ? uniform(0, 70) : uniform(0, 64);
            file[at + 2 * field] = static_cast<std::uint8_t>(value);
            file[at + 2 * field + 1] = 0;
        }
        // Count bytes and pixels changed anywhere in the data.
        if (file.size() > dataStart)
            for (int i = uniform(0, 6); i > 0; --i)
                file[static_cast<std::size_t>(
                    uniform(static_cast<int>(dataStart), static_cast<int>(file.size()) - 1))] =
                    static_cast<std::uint8_t>(uniform(0, 255));

        Page fast, plain;
        scribbleFreedMemory(pixelBufferBytes(page));
        const bool fastRead = decodeSpriteFile(file, fast, defaults).ok;
        ASSERT_EQ(fastRead, test::referenceDecodeSpriteFile(file, plain, defaults))
            << "round " << round;
        if (fastRead) {
            ASSERT_TRUE(samePage(fast, plain)) << "round " << round;
        }
    }
}

}  // namespace
}  // namespace zentil
