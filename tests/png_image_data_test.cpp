// Pictures held in memory are inflated in one go; read piece by piece they
// go a row at a time through the library. Both must give the same pixels and
// the same refusals, over every row filter, IDAT split and kind of damage.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <random>

#include "formats/png_codec.h"
#include "png_builder.h"
#include "trickle_source.h"

namespace zentil {
namespace {

// The picture's rows, each filtered with a filter of the row's own choosing.
test::PngBytes filteredRows(const test::PngImage& img, std::mt19937& rng) {
    const std::size_t bpp = static_cast<std::size_t>(test::pngChannels(img.colourType));
    const std::size_t bytes = bpp * static_cast<std::size_t>(img.width);
    test::PngBytes out;
    for (std::size_t y = 0; y < static_cast<std::size_t>(img.height); ++y) {
        const int filter = static_cast<int>(rng() % 5);
        out.push_back(static_cast<std::uint8_t>(filter));
        const auto at = [&](std::size_t row, std::size_t i) -> int {
            return img.samples[row * bytes + i];
        };
        for (std::size_t i = 0; i < bytes; ++i) {
            const int left = i >= bpp ? at(y, i - bpp) : 0;
            const int up = y > 0 ? at(y - 1, i) : 0;
            const int corner = y > 0 && i >= bpp ? at(y - 1, i - bpp) : 0;
            const int p = left + up - corner;
            const int pa = std::abs(p - left), pb = std::abs(p - up), pc = std::abs(p - corner);
            const int paeth = pa <= pb && pa <= pc ? left : pb <= pc ? up : corner;
            const int predicted[5] = {0, left, up, (left + up) / 2, paeth};
            out.push_back(static_cast<std::uint8_t>(at(y, i) - predicted[filter]));
        }
    }
    return out;
}

TEST(PngImageData, WholeAndRowByRowReadsAgreeOnEveryFileIntactOrDamaged) {
    std::mt19937 rng(81);
    const auto uniform = [&rng](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    for (int round = 0; round < 400; ++round) {
        test::PngImage img;
        img.width = uniform(1, 300);
        img.height = uniform(1, 24);
        img.colourType = std::array{0, 2, 3}[static_cast<std::size_t>(uniform(0, 2))];
        const int colours = uniform(1, 200);  // a true-colour picture reads as at most 256
        std::vector<std::array<std::uint8_t, 3>> table(static_cast<std::size_t>(colours));
        for (auto& c : table)
            c = {static_cast<std::uint8_t>(rng()), static_cast<std::uint8_t>(rng()),
                 static_cast<std::uint8_t>(rng())};
        for (int i = 0; i < img.width * img.height; ++i) {
            const auto& c = table[static_cast<std::size_t>(uniform(0, colours - 1))];
            if (img.colourType == 2)
                img.samples.insert(img.samples.end(), {c[0], c[1], c[2]});
            else
                img.samples.push_back(c[0] % colours);
        }
        test::PngBytes plte;
        for (int i = 0; i < 256 && img.colourType == 3; ++i)
            plte.insert(plte.end(),
                        {static_cast<std::uint8_t>(i), 7, static_cast<std::uint8_t>(rng())});
        // The image data in one to three IDAT chunks, now and then followed by
        // a text chunk.
        test::PngBytes file = test::pngSignature();
        test::pngAppendChunk(file, "IHDR", test::pngHeader(img));
        if (!plte.empty()) test::pngAppendChunk(file, "PLTE", plte);
        const test::PngBytes data = test::zlibCompress(filteredRows(img, rng));
        std::size_t cut1 = static_cast<std::size_t>(uniform(0, static_cast<int>(data.size())));
        std::size_t cut2 = static_cast<std::size_t>(uniform(0, static_cast<int>(data.size())));
        if (cut1 > cut2) std::swap(cut1, cut2);
        for (const auto& [from, to] :
             {std::pair{std::size_t{0}, cut1}, {cut1, cut2}, {cut2, data.size()}})
            if (from < to || (from == 0 && to == data.size()))
                test::pngAppendChunk(
                    file, "IDAT",
                    {data.begin() + static_cast<long>(from), data.begin() + static_cast<long>(to)});
        if (round % 9 == 0) test::pngAppendChunk(file, "tEXt", {'a', 0, 'b'});
        // Its twin with a text chunk after the image, which only the library
        // reads: the yardstick of the colour reading.
        const std::size_t end = file.size();
        test::PngBytes twin = file;
        test::pngAppendChunk(twin, "tEXt", {'z', 0});
        const std::size_t textBytes = twin.size() - end;
        test::pngAppendChunk(file, "IEND", {});
        test::pngAppendChunk(twin, "IEND", {});

        // Damaged alike: a byte changed (sometimes with its chunk's CRC made
        // right again, so that only the deflate stream or the rows are
        // wrong), the file cut short, or bytes after its end.
        const int damage = round % 4;
        const std::size_t at =
            static_cast<std::size_t>(uniform(8, static_cast<int>(file.size()) - 1));
        const std::uint8_t flip = static_cast<std::uint8_t>(uniform(1, 255));
        const std::size_t idat = 8 + 25 + (plte.empty() ? 0 : 12 + plte.size());
        const std::uint32_t length = (std::uint32_t{file[idat]} << 24) | (file[idat + 1] << 16) |
                                     (file[idat + 2] << 8) | file[idat + 3];
        const std::size_t inData = static_cast<std::size_t>(uniform(0, static_cast<int>(length)));
        for (test::PngBytes* bytes : {&file, &twin}) {
            const std::size_t place = bytes == &twin && at >= end ? at + textBytes : at;
            if (damage == 1) (*bytes)[place] ^= flip;
            if (damage == 2) bytes->resize(place);
            if (damage == 3 && round % 8 == 3) bytes->push_back(0);
            if (damage == 3 && round % 8 == 7 && inData < length) {
                (*bytes)[idat + 8 + inData] ^= 0x10;
                const uLong crc = crc32(0, bytes->data() + idat + 4, length + 4);
                for (std::size_t k = 0; k < 4; ++k)
                    (*bytes)[idat + 8 + length + k] =
                        static_cast<std::uint8_t>(crc >> (24 - 8 * k));
            }
        }

        const std::string what = "round " + std::to_string(round);
        IndexedPicture whole, rows;
        const Outcome inMemory = decodePng(file, whole, 1 << 20);
        const auto intoRows = [&rows](int width, int height, std::size_t& stride) {
            stride = static_cast<std::size_t>(width);
            rows.indexes.resize(stride * static_cast<std::size_t>(height));
            return rows.indexes.data();
        };
        test::TrickleSource trickle(file, static_cast<std::size_t>(uniform(1, 100)));
        IndexedPicture header;
        const Outcome pieced = decodePngInto(trickle, header, intoRows, 1 << 20);
        ASSERT_EQ(inMemory.text, pieced.text) << what;
        if (inMemory) {
            EXPECT_EQ(whole.indexes, rows.indexes) << what;
            EXPECT_EQ(whole.palette, header.palette) << what;
            if (damage == 0 && img.colourType != 2) {
                EXPECT_TRUE(
                    std::equal(whole.indexes.begin(), whole.indexes.end(), img.samples.begin()))
                    << what;
            }
        }
        if (img.colourType != 2) continue;
        // True colour read as red, green and blue, against the library's reading.
        RgbPicture rgb, yardstick;
        const Outcome colour = decodePngRgb(file, rgb, 1 << 20);
        ASSERT_EQ(colour.text, decodePngRgb(twin, yardstick, 1 << 20).text) << what;
        EXPECT_EQ(rgb.rgb, yardstick.rgb) << what;
        if (damage == 0) {
            EXPECT_TRUE(std::equal(rgb.rgb.begin(), rgb.rgb.end(), img.samples.begin())) << what;
        }
    }
}

// Files that the library refuses early, for chunks before the image data or
// for their first bytes, in pictures whose image data goes in one go when
// held in memory: refused the same way when the file is read piece by piece,
// as indexes and as colours.
TEST(PngImageData, FilesRefusedEarlyAreRefusedHoweverTheyArrive) {
    test::PngImage img{3, 2, 8, 0, false, {}};
    const test::PngBytes second = test::pngHeader(img);
    const std::vector<std::pair<const char*, test::PngBytes>> chunks = {
        {"ZZZZ", {1, 2, 3}},  // an unknown critical chunk
        {"IHDR", second},     // a second header
        {"tRNS", {1}},        // a tRNS chunk cut short
        {"gAMA", {0, 0, 0, 0}},
    };
    std::vector<std::pair<std::string, test::PngBytes>> files;
    for (const int colourType : {0, 2, 3})
        for (const auto& [type, data] : chunks) {
            img.colourType = colourType;
            img.samples.assign(6 * static_cast<std::size_t>(test::pngChannels(colourType)), 1);
            test::PngBytes file = test::pngSignature();
            test::pngAppendChunk(file, "IHDR", test::pngHeader(img));
            if (colourType == 3) test::pngAppendChunk(file, "PLTE", {1, 2, 3, 4, 5, 6});
            test::pngAppendChunk(file, type, data);
            test::pngAppendChunk(file, "IDAT", test::zlibCompress(test::pngScanlines(img)));
            test::pngAppendChunk(file, "IEND", {});
            files.push_back({std::to_string(colourType) + " " + type, file});
        }
    // Shorter than a signature, starting as one or not.
    files.push_back({"five bytes, the first as a PNG file's", {0x89, 5, 0, 0, 0}});
    files.push_back({"the first six bytes of a PNG file", {0x89, 'P', 'N', 'G', 13, 10}});
    for (const auto& [what, file] : files)
        for (const std::size_t piece : {1, 5}) {
            IndexedPicture whole, header;
            std::vector<std::uint8_t> rows(6);
            const auto intoRows = [&rows](int, int, std::size_t& stride) {
                stride = 3;
                return rows.data();
            };
            test::TrickleSource trickle(file, piece);
            EXPECT_EQ(decodePng(file, whole, 1 << 20).text,
                      decodePngInto(trickle, header, intoRows, 1 << 20).text)
                << what;
            RgbPicture rgb;
            test::TrickleSource again(file, piece);
            EXPECT_EQ(decodePngRgb(file, rgb, 1 << 20).text, decodePngRgb(again, rgb, 1 << 20).text)
                << what;
        }
}

}  // namespace
}  // namespace zentil
