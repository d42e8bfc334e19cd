// Writes valid seed files for the fuzz targets:
//   make_seeds CORPUS_ROOT
// fills CORPUS_ROOT/tga, CORPUS_ROOT/bmp, CORPUS_ROOT/gpf, CORPUS_ROOT/palette, CORPUS_ROOT/png,
// CORPUS_ROOT/png_paths (the same pictures and zlib streams),
// CORPUS_ROOT/palette_formats, CORPUS_ROOT/work_file and CORPUS_ROOT/gif. Existing files of
// the same names are replaced; other files are left alone.
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "formats/bmp_picture.h"
#include "formats/gif_codec.h"
#include "formats/gpf_file.h"
#include "formats/palette_formats.h"
#include "formats/png_codec.h"
#include "formats/tga_file.h"
#include "formats/tga_picture.h"
#include "fuzz_support.h"
#include "gif_builder.h"
#include "image/page.h"
#include "picture_files.h"
#include "png_builder.h"
#include "work/work_file.h"
#include "zip_entries.h"

using namespace zentil;
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

namespace {

bool writeFile(const fs::path& path, const Bytes& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

void put16(Bytes& b, int v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

// A w x h picture of palette indexes, top row first, with equal corners and a
// few runs so that both kinds of run-length packet occur.
Bytes picture(int w, int h) {
    Bytes p(static_cast<std::size_t>(w) * h, 3);
    for (int y = 1; y + 1 < h; ++y)
        for (int x = 1; x + 1 < w; ++x)
            p[static_cast<std::size_t>(y) * w + x] =
                static_cast<std::uint8_t>(x < w / 2 ? 40 : x * 7 + y);
    return p;
}

// Run-length packets of one-byte pixels: a repeat of 2 or more is a run
// packet, anything else gathers into a raw packet; neither spans two rows.
void appendRuns(const Bytes& pixels, int w, Bytes& out) {
    for (std::size_t row = 0; row < pixels.size(); row += w) {
        std::size_t i = row;
        const std::size_t end = row + w;
        while (i < end) {
            std::size_t n = 1;
            while (i + n < end && n < 128 && pixels[i + n] == pixels[i])
                ++n;
            if (n >= 2) {
                out.push_back(static_cast<std::uint8_t>(0x80 | (n - 1)));
                out.push_back(pixels[i]);
            } else {
                std::size_t m = 1;
                while (i + m < end && m < 128 && pixels[i + m] != pixels[i + m - 1] &&
                       (i + m + 1 >= end || pixels[i + m + 1] != pixels[i + m]))
                    ++m;
                out.push_back(static_cast<std::uint8_t>(m - 1));
                out.insert(out.end(), pixels.begin() + i, pixels.begin() + i + m);
                n = m;
            }
            i += n;
        }
    }
}

// A TGA file of the given type and descriptor, with `mapEntries` colour-map
// entries of `mapBits` bits (no colour map when 0).
Bytes tga(int type, int descriptor, int mapEntries, int mapBits, int w, int h) {
    Bytes b;
    b.push_back(0);
    b.push_back(mapEntries > 0 ? 1 : 0);
    b.push_back(static_cast<std::uint8_t>(type));
    put16(b, 0);
    put16(b, mapEntries);
    b.push_back(static_cast<std::uint8_t>(mapEntries > 0 ? mapBits : 0));
    put16(b, 0);
    put16(b, 0);
    put16(b, w);
    put16(b, h);
    b.push_back(8);
    b.push_back(static_cast<std::uint8_t>(descriptor));
    const int entryBytes = (mapBits + 7) / 8;
    for (int e = 0; e < mapEntries; ++e)
        for (int k = 0; k < entryBytes; ++k)
            b.push_back(static_cast<std::uint8_t>(e * 31 + k * 85));
    // The pixels in storage order: rows bottom first unless bit 5, right to left with bit 4.
    const Bytes top = picture(w, h);
    Bytes stored;
    for (int r = 0; r < h; ++r) {
        const int y = (descriptor & 0x20) ? r : h - 1 - r;
        for (int c = 0; c < w; ++c) {
            const int x = (descriptor & 0x10) ? w - 1 - c : c;
            stored.push_back(top[static_cast<std::size_t>(y) * w + x]);
        }
    }
    if (type == 9 || type == 10)
        appendRuns(stored, w, b);
    else
        b.insert(b.end(), stored.begin(), stored.end());
    return b;
}

// Stored pixels of a w x h picture, top row first: a run, then varied values.
std::vector<std::uint32_t> storedPixels(int w, int h, std::uint32_t mask) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            pixels.push_back((x < w / 3 ? 0x80C0E0F0u + y : x * 2654435761u + y) & mask);
    return pixels;
}

bool pictureSeed(const fs::path& path, const Bytes& bytes, bool bmp) {
    DecodedPicture picture;
    const bool read = bmp ? decodeBmp(bytes, picture, kMaxPixelBufferBytes).ok
                          : decodeTgaPicture(bytes, picture, kMaxPixelBufferBytes, {}).ok;
    if (!read) {
        std::fprintf(stderr, "the reader refuses the seed %s\n", path.c_str());
        return false;
    }
    return writeFile(path, bytes);
}

// True-colour and grey TGA pictures of every depth, plain and run-length.
bool trueColourTgaSeeds(const fs::path& dir) {
    const struct {
        int type, depth, attributes;
    } kinds[] = {{2, 15, 0}, {2, 16, 1}, {2, 24, 0}, {2, 32, 8}, {3, 8, 0}, {3, 16, 8}};
    bool ok = true;
    for (const auto& k : kinds)
        for (int runs : {0, 8}) {
            const int type = k.type + runs;
            test::TgaLayout s{type, k.depth, k.attributes | (runs ? 0x20 : 0x10), 11, 5, {}, 0, {}};
            s.pixels = storedPixels(11, 5, k.depth == 32 ? ~0u : (1u << k.depth) - 1);
            if (runs) s.id = {'i', 'd'};
            const std::string name =
                "type" + std::to_string(type) + "-" + std::to_string(k.depth) + "bit.tga";
            ok &= pictureSeed(dir / name, test::tgaFile(s), false);
        }
    return ok;
}

// Writes a picture after checking that the reader accepts it.
bool tgaSeed(const fs::path& path, const Bytes& bytes) {
    Page page;
    if (!decodeTga(bytes, page, {})) {
        std::fprintf(stderr, "the reader refuses the seed %s\n", path.c_str());
        return false;
    }
    return writeFile(path, bytes);
}

bool tgaSeeds(const fs::path& dir) {
    bool ok = true;
    for (int type : {1, 2, 9, 10}) {
        const bool mapped = type == 1 || type == 9;
        for (int descriptor : {0x00, 0x10, 0x20, 0x30}) {
            const std::string name =
                "type" + std::to_string(type) + "-desc" + std::to_string(descriptor) + ".tga";
            ok &= tgaSeed(dir / name, tga(type, descriptor, mapped ? 256 : 0, 24, 7, 5));
        }
    }
    // Short colour maps of each entry size.
    for (int bits : {16, 24, 32}) {
        ok &= tgaSeed(dir / ("map3x" + std::to_string(bits) + ".tga"), tga(1, 0, 3, bits, 6, 4));
        ok &= tgaSeed(dir / ("rle-map3x" + std::to_string(bits) + ".tga"),
                      tga(9, 0x20, 3, bits, 9, 3));
    }
    ok &= tgaSeed(dir / "one-pixel.tga", tga(1, 0, 256, 24, 1, 1));
    ok &= tgaSeed(dir / "long-runs.tga", tga(10, 0, 0, 0, 300, 2));
    return ok && trueColourTgaSeeds(dir);
}

// BMP pictures of every depth and compression.
bool bmpSeeds(const fs::path& dir) {
    const struct {
        const char* name;
        int bits, compression, headerSize;
        bool topDown;
        std::array<std::uint32_t, 4> masks;
        int paletteEntries;
    } kinds[] = {
        {"1bit-core", 1, 0, 12, false, {}, 2},
        {"2bit", 2, 0, 40, false, {}, 4},
        {"4bit-top-down", 4, 0, 40, true, {}, 16},
        {"8bit-short-palette", 8, 0, 124, false, {}, 20},
        {"rle8", 8, 1, 40, false, {}, 256},
        {"rle4", 4, 2, 108, false, {}, 16},
        {"16bit-555", 16, 0, 40, false, {}, 0},
        {"16bit-565", 16, 3, 40, false, {0xF800, 0x07E0, 0x1F, 0}, 0},
        {"16bit-4444", 16, 3, 108, true, {0x0F00, 0xF0, 0xF, 0xF000}, 0},
        {"24bit", 24, 0, 40, false, {}, 0},
        {"32bit", 32, 0, 40, true, {}, 0},
        {"32bit-alpha-v5", 32, 3, 124, false, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 0},
        {"32bit-alpha-after-header", 32, 6, 40, false, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, 0},
        {"32bit-101010", 32, 3, 56, false, {0x3FF00000, 0xFFC00, 0x3FF, 0}, 0},
    };
    bool ok = true;
    for (const auto& k : kinds) {
        test::BmpLayout s{13,           5,         k.bits,  k.compression,
                          k.headerSize, k.topDown, k.masks, k.paletteEntries,
                          {},           {}};
        for (std::size_t n = 0; n < s.palette.size(); ++n)
            s.palette[n] = static_cast<std::uint8_t>(n * 7);
        const std::uint32_t mask = k.bits == 32 ? ~0u : (1u << k.bits) - 1;
        s.pixels = storedPixels(13, 5, mask);
        ok &= pictureSeed(dir / (std::string(k.name) + ".bmp"), test::bmpFile(s), true);
    }
    return ok;
}

// Encodes a page of cols x rows tiles with a pattern that leaves some tiles
// all key, some trimmed, and some with long columns.
bool gpfSeed(const fs::path& path, int tileWidth, int cols, int tileHeight, int rows, int key) {
    Page page;
    if (!createPage(page, tileWidth, cols, tileHeight, rows, kMode8)) return false;
    setColorKey(page, static_cast<std::uint32_t>(key));
    clearPage(page);
    for (int t = 1; t < page.tileCount; t += 2) {
        const int x0 = (t % cols) * tileWidth, y0 = (t / cols) * tileHeight;
        for (int y = tileHeight / 4; y < tileHeight; ++y)
            for (int x = tileWidth / 3; x < tileWidth; ++x)
                putPixel(
                    page, x0 + x, y0 + y,
                    static_cast<std::uint32_t>((x + y) % 3 == 0 ? key : (x * 5 + y + t) % 256));
    }
    Bytes bytes;
    Page check;
    if (!encodeSpriteFile(page, bytes) || !decodeSpriteFile(bytes, check, {})) {
        std::fprintf(stderr, "cannot make the seed %s\n", path.c_str());
        return false;
    }
    return writeFile(path, bytes);
}

bool gpfSeeds(const fs::path& dir) {
    bool ok = true;
    ok &= gpfSeed(dir / "1x1-8x8.gpf", 8, 1, 8, 1, 0);
    ok &= gpfSeed(dir / "3x2-5x7.gpf", 5, 3, 7, 2, 200);
    ok &= gpfSeed(dir / "2x2-1x3.gpf", 1, 2, 3, 2, 255);
    ok &= gpfSeed(dir / "2x1-6x300.gpf", 6, 2, 300, 1, 17);
    ok &= gpfSeed(dir / "4x3-13x9.gpf", 13, 4, 9, 3, 1);
    return ok;
}

// Palette files: the byte 1, 256 entries of red, green, blue, then the blend table.
bool paletteSeeds(const fs::path& dir) {
    Bytes file{1};
    for (int i = 0; i < 256; ++i) {
        file.push_back(static_cast<std::uint8_t>(i));
        file.push_back(static_cast<std::uint8_t>(255 - i));
        file.push_back(static_cast<std::uint8_t>(i * 7));
    }
    const Bytes header = file;
    Bytes full = file;
    full.reserve(1 + 768 + 524288);
    for (std::size_t n = 0; n < 524288; ++n)
        full.push_back(static_cast<std::uint8_t>(n >> 11));
    bool ok = writeFile(dir / "full.pal", full);
    ok &= writeFile(dir / "no-blend-table.pal", header);
    Bytes partial = header;
    partial.insert(partial.end(), full.begin() + 769, full.begin() + 769 + 4096);
    ok &= writeFile(dir / "short-blend-table.pal", partial);
    ok &= writeFile(dir / "cut-palette.pal", Bytes(header.begin(), header.begin() + 400));
    return ok;
}

// PNG pictures of every kind the reader takes, built chunk by chunk, and the
// files of the editor's own writers.
bool pngSeed(const fs::path& path, const Bytes& bytes) {
    IndexedPicture picture;
    if (!decodePng(bytes, picture, kMaxPixelBufferBytes)) {
        std::fprintf(stderr, "the reader refuses the seed %s\n", path.c_str());
        return false;
    }
    return writeFile(path, bytes);
}

test::PngImage pngPicture(int w, int h, int depth, int colourType, bool interlaced, int colours) {
    test::PngImage img{w, h, depth, colourType, interlaced, {}};
    const int channels = test::pngChannels(colourType);
    const int top = depth < 8 ? (1 << depth) : depth == 8 ? 256 : 65536;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int c = (x / 3 + y * 5) % colours;
            for (int k = 0; k < channels; ++k) {
                // Alpha: the first colour clear, the others opaque.
                const bool alpha = (colourType == 4 && k == 1) || (colourType == 6 && k == 3);
                img.samples.push_back(static_cast<std::uint16_t>(
                    alpha ? (c == 0 ? 0 : top - 1) : (c * 37 + k * 11 + c / 256 * 5) % top));
            }
        }
    return img;
}

// Pictures only the reader of every kind takes: 16-bit samples, many colours.
bool pngColourSeed(const fs::path& path, const Bytes& bytes) {
    DecodedPicture picture;
    if (!decodePngPicture(bytes, picture, kMaxPixelBufferBytes)) {
        std::fprintf(stderr, "the reader refuses the seed %s\n", path.c_str());
        return false;
    }
    return writeFile(path, bytes);
}

bool pngColourSeeds(const fs::path& dir) {
    bool ok = true;
    for (const int colourType : {0, 2, 4, 6})
        for (const bool interlaced : {false, true}) {
            test::PngImage img = pngPicture(9, 7, 8, colourType, interlaced, 20);
            for (std::size_t n = 0; n < img.samples.size(); ++n)
                img.samples[n] = static_cast<std::uint16_t>(img.samples[n] * 257 + n % 7);
            img.bitDepth = 16;
            ok &= pngColourSeed(dir / ("wide" + std::to_string(colourType) +
                                       (interlaced ? "-interlaced" : "") + ".png"),
                                test::pngFile(img));
        }
    ok &= pngColourSeed(dir / "wide-grey-key.png",
                        test::pngFile(pngPicture(6, 6, 16, 0, false, 5), {}, {0, 37}));
    ok &= pngColourSeed(dir / "rgb-400.png", test::pngFile(pngPicture(40, 20, 8, 2, false, 400)));
    ok &= pngColourSeed(dir / "rgba-300-interlaced.png",
                        test::pngFile(pngPicture(30, 30, 8, 6, true, 300)));
    return ok;
}

bool pngSeeds(const fs::path& dir) {
    Bytes plte;
    for (int n = 0; n < 256; ++n)
        plte.insert(plte.end(), {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n * 3),
                                 static_cast<std::uint8_t>(255 - n)});
    bool ok = true;
    for (int depth : {1, 2, 4, 8})
        for (bool interlaced : {false, true}) {
            const std::string name = std::to_string(depth) + (interlaced ? "-interlaced" : "");
            const int entries = 1 << depth;
            const Bytes pal(plte.begin(), plte.begin() + 3 * entries);
            ok &= pngSeed(dir / ("palette" + name + ".png"),
                          test::pngFile(pngPicture(11, 9, depth, 3, interlaced, entries), pal,
                                        entries > 2 ? Bytes{255, 0, 128} : Bytes{255, 0}));
            ok &= pngSeed(
                dir / ("grey" + name + ".png"),
                test::pngFile(pngPicture(10, 7, depth, 0, interlaced, entries), {}, {0, 1}));
        }
    ok &= pngSeed(dir / "grey-alpha.png", test::pngFile(pngPicture(9, 9, 8, 4, false, 5)));
    ok &= pngSeed(dir / "rgb-interlaced.png", test::pngFile(pngPicture(13, 12, 8, 2, true, 40)));
    ok &= pngSeed(dir / "rgb-key.png",
                  test::pngFile(pngPicture(8, 8, 8, 2, false, 6), {}, {0, 37, 0, 48, 0, 59}));
    ok &= pngSeed(dir / "rgba.png", test::pngFile(pngPicture(16, 16, 8, 6, false, 256)));

    IndexedPicture picture;
    picture.width = 24;
    picture.height = 16;
    for (int n = 0; n < picture.width * picture.height; ++n)
        picture.indexes.push_back(static_cast<std::uint8_t>(n % 24 < 4 ? 0 : n / 7));
    std::copy(plte.begin(), plte.end(), picture.palette.begin());
    picture.transparentIndex = 0;
    Bytes written;
    ok &= encodePng(picture, written) && pngSeed(dir / "written-palette.png", written);
    RgbPicture rgb{12, 5, {}};
    for (int n = 0; n < rgb.width * rgb.height * 3; ++n)
        rgb.rgb.push_back(static_cast<std::uint8_t>(n / 9 * 40));
    ok &= encodePngRgb(rgb, written) && pngSeed(dir / "written-rgb.png", written);
    return ok && pngColourSeeds(dir);
}

// GIF files of every disposal, with transparency, local colour tables and
// interlaced frames, written by giflib.
bool gifSeed(const fs::path& path, const test::GifLayout& layout) {
    const Bytes bytes = test::gifFile(layout);
    GifSheet sheet;
    if (!decodeGif(bytes, sheet, kMaxPixelBufferBytes)) {
        std::fprintf(stderr, "the reader refuses the seed %s\n", path.c_str());
        return false;
    }
    return writeFile(path, bytes);
}

test::GifFrameLayout gifFrame(int left, int top, int w, int h, int entries, int disposal,
                              int transparent) {
    test::GifFrameLayout f{left, top, w, h, {}, false, {}, disposal >= 0, disposal, transparent};
    for (int n = 0; n < w * h; ++n)
        f.indexes.push_back(static_cast<std::uint8_t>((n / 3 + n % 5) % entries));
    return f;
}

bool gifSeeds(const fs::path& dir) {
    std::vector<test::GifColour> table;
    for (int n = 0; n < 16; ++n)
        table.push_back({static_cast<std::uint8_t>(n * 16), static_cast<std::uint8_t>(n * 3),
                         static_cast<std::uint8_t>(255 - n)});
    bool ok = gifSeed(dir / "one.gif", {6, 5, table, {gifFrame(0, 0, 6, 5, 16, -1, -1)}});
    for (int disposal = 0; disposal <= 3; ++disposal)
        ok &= gifSeed(dir / ("disposal" + std::to_string(disposal) + ".gif"),
                      {8,
                       6,
                       table,
                       {gifFrame(0, 0, 8, 6, 16, disposal, 2),
                        gifFrame(2, 1, 4, 4, 16, disposal, 3), gifFrame(1, 2, 7, 5, 16, -1, -1)}});
    test::GifFrameLayout interlaced = gifFrame(0, 0, 5, 11, 16, 2, 0);
    interlaced.interlaced = true;
    test::GifFrameLayout local = gifFrame(1, 1, 4, 4, 4, 1, 1);
    local.localTable = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}};
    ok &= gifSeed(dir / "interlaced-local.gif", {5, 11, table, {interlaced, local}});
    ok &= gifSeed(dir / "local-only.gif", {4, 4, {}, {local}});
    return ok;
}

// zlib streams of every kind of block, each the image data of a grey row:
// the zero of its filter, then its pixels.
bool streamSeeds(const fs::path& dir) {
    Bytes row(600);
    for (std::size_t n = 1; n < row.size(); ++n)
        row[n] = static_cast<std::uint8_t>(n % 40 < 10 ? 0 : n * 7 / 13);
    bool ok = true;
    const std::pair<const char*, int> kinds[] = {{"stored", Z_DEFAULT_STRATEGY},
                                                 {"default", Z_DEFAULT_STRATEGY},
                                                 {"fixed", Z_FIXED},
                                                 {"huffman", Z_HUFFMAN_ONLY},
                                                 {"rle", Z_RLE}};
    for (const auto& [name, strategy] : kinds) {
        z_stream z{};
        if (deflateInit2(&z, name == std::string("stored") ? 0 : 6, Z_DEFLATED, 15, 8, strategy) !=
            Z_OK)
            return false;
        Bytes stream(deflateBound(&z, static_cast<uLong>(row.size())));
        z.next_in = row.data();
        z.avail_in = static_cast<uInt>(row.size());
        z.next_out = stream.data();
        z.avail_out = static_cast<uInt>(stream.size());
        ok &= deflate(&z, Z_FINISH) == Z_STREAM_END;
        stream.resize(z.total_out);
        deflateEnd(&z);
        ok &= writeFile(dir / (std::string("stream-") + name), stream);
    }
    // The symbols of a fixed-code block, as the target reads them after an
    // F: the filter, eight literals, a match of 3 at distance 1, the end.
    Bytes symbols = {'F', 0, 0};
    for (std::uint8_t n = 1; n <= 8; ++n)
        symbols.insert(symbols.end(), {static_cast<std::uint8_t>(n * 20), 0});
    symbols.insert(symbols.end(), {1, 1, 0, 0, 0, 0, 0, 1});
    return ok && writeFile(dir / "fixed-symbols", symbols);
}

// Palette files of every format, written by hand and by the editor.
bool paletteFormatSeeds(const fs::path& dir) {
    auto text = [](std::string_view s) { return Bytes(s.begin(), s.end()); };
    Palette palette;
    for (std::size_t n = 0; n < palette.size(); ++n)
        palette[n] = static_cast<std::uint8_t>(n * 5);
    Bytes ownHeader = writePaletteFormat(palette, PaletteFormat::Act);
    ownHeader.insert(ownHeader.begin(), 1);
    Bytes actCounted = writePaletteFormat(palette, PaletteFormat::Act);
    actCounted.insert(actCounted.end(), {0, 16, 0xFF, 0xFF});
    bool ok = writeFile(dir / "jasc.pal", writePaletteFormat(palette, PaletteFormat::Jasc));
    ok &= writeFile(dir / "gimp.gpl", writePaletteFormat(palette, PaletteFormat::Gimp));
    ok &= writeFile(dir / "table.act", writePaletteFormat(palette, PaletteFormat::Act));
    ok &= writeFile(dir / "table-counted.act", actCounted);
    ok &= writeFile(dir / "own-colours.pal", ownHeader);
    ok &= writeFile(dir / "jasc-short.pal", text("JASC-PAL\n0100\n2\n1 2 3\n 40 50 60 \n"));
    ok &= writeFile(dir / "gimp-named.gpl",
                    text("GIMP Palette\r\nName: x\r\nColumns: 2\r\n# c\r\n1 2 3\tone\r\n"));
    return ok;
}

// Work files: a whole archive (first byte odd) and the manifest that fits
// the fuzz target's own two pictures (first byte even).
bool workFileSeeds(const fs::path& dir) {
    Workspace ws;
    auto picture = std::make_unique<Page>();
    createPage(*picture, 3, 1, 2, 1, kMode8);
    for (int i = 0; i < 6; ++i)
        putPixel(*picture, i % 3, i / 3, static_cast<std::uint32_t>(i));
    picture->kind = kKindTga;
    setPageName(*picture, "그림");
    ws.pictures.append(std::move(picture), PageFile{"/art/그림.png", 0});
    auto sprite = std::make_unique<Page>();
    PageDefaults defaults;
    defaults.key24 = 0x484848;
    createPage(*sprite, 3, 1, 2, 1, kMode24, defaults);
    sprite->kind = kKindSprite;
    sprite->areas[1] = std::make_unique<AreaLayer>();
    (*sprite->areas[1])[0] = {0, 0, 2, 1};
    ws.sprites.append(std::move(sprite));
    ws.setCurrent(ListId::Sprites, &ws.sprites.at(0));
    Bytes archive;
    if (!encodeWorkFile(ws, archive)) return false;
    const test::ZipEntries entries = test::unzip(archive);
    const auto manifest = entries.find("workspace.json");
    if (manifest == entries.end()) return false;
    Bytes whole = archive, text(manifest->second.begin(), manifest->second.end());
    whole.insert(whole.begin(), 1);
    text.insert(text.begin(), 0);
    return writeFile(dir / "archive.zws", whole) && writeFile(dir / "manifest.json", text);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_ROOT\n", argv[0]);
        return 2;
    }
    const fs::path root = argv[1];
    std::error_code ec;
    for (const char* sub : {"tga", "bmp", "gpf", "palette", "png", "png_paths", "palette_formats",
                            "work_file", "gif"}) {
        fs::create_directories(root / sub, ec);
        if (ec) {
            std::fprintf(stderr, "cannot create %s\n", (root / sub).c_str());
            return 1;
        }
    }
    const bool ok = tgaSeeds(root / "tga") && bmpSeeds(root / "bmp") && gpfSeeds(root / "gpf") &&
                    paletteSeeds(root / "palette") && pngSeeds(root / "png") &&
                    pngSeeds(root / "png_paths") && streamSeeds(root / "png_paths") &&
                    paletteFormatSeeds(root / "palette_formats") &&
                    workFileSeeds(root / "work_file") && gifSeeds(root / "gif");
    if (!ok) std::fprintf(stderr, "writing the seeds failed\n");
    return ok ? 0 : 1;
}
