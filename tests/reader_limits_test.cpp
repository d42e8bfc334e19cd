// Files whose headers promise far more than they hold must be refused without
// the reader setting aside memory for what they promise.
#include <random>

#include "file_builders.h"
#include "formats/png_codec.h"
#include "formats/png_file.h"
#include "formats/tga_file.h"
#include "memory_watch.h"
#include "system/texts.h"
#include "test_support.h"

namespace zentil {
namespace {

using test::Bytes;
using test::CoreTest;
using test::MemoryWatch;

// Well above what the tests here legitimately take, well below a refused picture.
constexpr long kAllowedMiB = 256;

class ReaderLimitsTest : public CoreTest {};

TEST_F(ReaderLimitsTest, RunLengthPictureWithFewPacketsIsRefusedBeforeItsBufferExists) {
    // Type 9, a 3-entry map of 24-bit entries, 65528 x 65532 pixels stored top
    // row first, and a dozen bytes of packets, for which 4 GiB were once set aside.
    const Bytes file = {0x00, 0x01, 0x09, 0x00, 0x00, 0x03, 0x00, 0x18, 0x00, 0x00,
                        0x00, 0x00, 0xf8, 0xff, 0xfc, 0xff, 0x08, 0x20, 0x00, 0x55,
                        0xaa, 0x1f, 0x74, 0xc9, 0x3e, 0x93, 0xe4, 0x88, 0x88, 0x03};
    const MemoryWatch watch;
    Page page;
    EXPECT_EQ(decodeTga(file, page, {}).text, texts::kReadFailed);
    EXPECT_LT(watch.peakGrowthMiB(), kAllowedMiB);
    EXPECT_LT(watch.largestAllocationMiB(), kAllowedMiB);
    EXPECT_FALSE(page.inUse());
}

// A type 10 header of w x h pixels followed by run packets of 128 pixels of
// value 5, `packets` of them.
Bytes runPicture(int w, int h, std::size_t packets) {
    test::TgaFields s;
    s.type = 10;
    s.mapType = 0;
    s.mapLength = 0;
    s.width = w;
    s.height = h;
    Bytes b = test::tgaHeader(s);
    b.reserve(b.size() + packets * 2);
    for (std::size_t i = 0; i < packets; ++i)
        b.insert(b.end(), {0xFF, 5});
    return b;
}

TEST_F(ReaderLimitsTest, RunPacketsAtTheirDensestStillFillThePicture) {
    // Four packets of 128 pixels in 8 bytes fill exactly 128 x 4 pixels.
    Page page;
    ASSERT_TRUE(decodeTga(runPicture(128, 4, 4), page, {}));
    EXPECT_EQ(pixelAt(page, 0, 0), 5u);
    EXPECT_EQ(pixelAt(page, 127, 3), 5u);
    // One packet fewer leaves the picture short.
    EXPECT_EQ(decodeTga(runPicture(128, 4, 3), page, {}).text, texts::kReadFailed);
}

TEST_F(ReaderLimitsTest, RunLengthPictureLargerThanAnyPageIsRefusedBeforeItsBufferExists) {
    // 65535 x 16400 pixels is just over 1 GiB; the packets would cover it all.
    const int w = 65535, h = 16400;
    const std::size_t pixels = std::size_t{w} * h;
    ASSERT_GT(pixels, kMaxPixelBufferBytes);
    const Bytes file = runPicture(w, h, (pixels + 127) / 128);
    const MemoryWatch watch;
    Page page;
    EXPECT_EQ(decodeTga(file, page, {}).text, texts::kCannotCreateImage);
    EXPECT_LT(watch.peakGrowthMiB(), kAllowedMiB);
    EXPECT_LT(watch.largestAllocationMiB(), kAllowedMiB);
    EXPECT_FALSE(page.inUse());
}

// Pictures whose files are as large as their pages (noise, stored without
// compression), 4095 pixels wide so that the page's rows lie further apart
// than the file's, are read from disk into little more than their pages:
// neither the file nor a second copy of the picture is held beside them.
constexpr int kLargeSide = 4095;
constexpr long kLargePageMiB = 16;

long readingGrowthMiB(const std::string& path,
                      Outcome (*read)(const std::string&, Page&, const PageDefaults&)) {
    bool read_ = false;
    const long growth = test::workPeakGrowthMiB([&] {
        Page page;
        read_ = read(path, page, {}).ok && page.width == kLargeSide;
    });
    return read_ ? growth : -2;
}

Bytes noise(std::size_t n) {
    std::mt19937 rng(4095);
    Bytes b(n);
    for (auto& v : b)
        v = static_cast<std::uint8_t>(rng());
    return b;
}

TEST_F(ReaderLimitsTest, ALargePngIsReadIntoItsPageAlone) {
    const test::TempDir dir;
    const std::string path = dir.file("large.png");
    {
        IndexedPicture picture;
        picture.width = picture.height = kLargeSide;
        picture.indexes = noise(std::size_t{kLargeSide} * kLargeSide);
        std::vector<std::uint8_t> file;
        ASSERT_TRUE(encodePng(picture, file, 0));
        test::writeBytes(path, file);
    }
    const long growth = readingGrowthMiB(path, &readPngFile);
    ASSERT_NE(growth, -2) << "the picture was not read";
    if (growth < 0) GTEST_SKIP() << "the kernel's peak of the process cannot be set back";
    EXPECT_LT(growth, kLargePageMiB * 5 / 4 + 4);
}

TEST_F(ReaderLimitsTest, ALargeRunLengthTgaIsReadIntoItsPageAlone) {
    const test::TempDir dir;
    const std::string path = dir.file("large.tga");
    {
        test::TgaFields fields;
        fields.type = 9;
        fields.width = fields.height = kLargeSide;
        Bytes file = test::tgaHeader(fields);
        file.resize(file.size() + 768);  // a black colour map
        // Raw packets of noise: the file is as large as the picture.
        const Bytes pixels = noise(std::size_t{kLargeSide} * kLargeSide);
        for (std::size_t at = 0; at < pixels.size(); at += 128) {
            const std::size_t n = std::min<std::size_t>(128, pixels.size() - at);
            file.push_back(static_cast<std::uint8_t>(n - 1));
            file.insert(file.end(), pixels.begin() + static_cast<std::ptrdiff_t>(at),
                        pixels.begin() + static_cast<std::ptrdiff_t>(at + n));
        }
        test::writeBytes(path, file);
    }
    const long growth = readingGrowthMiB(path, &readTgaFile);
    ASSERT_NE(growth, -2) << "the picture was not read";
    if (growth < 0) GTEST_SKIP() << "the kernel's peak of the process cannot be set back";
    EXPECT_LT(growth, kLargePageMiB * 5 / 4 + 4);
}

}  // namespace
}  // namespace zentil
