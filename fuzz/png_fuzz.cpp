// Feeds arbitrary bytes to the PNG reader, once as they are and once with
// the CRC of every chunk made right, so that changed chunks reach the
// decoder rather than stopping at their checksums. A picture that is read
// must have an index for every pixel and come back the same through the
// writer, and the palette reader must agree with it; a refused file must
// leave the picture as it was and say why.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "formats/palette_formats.h"
#include "formats/png_codec.h"
#include "fuzz_support.h"
#include "image/page.h"
#include "png_chunks.h"

using namespace zentil;

namespace {

// Round trips of larger pictures would spend the run compressing.
constexpr std::uint64_t kRoundTripPixels = std::uint64_t{1} << 20;

bool samePicture(const IndexedPicture& a, const IndexedPicture& b) {
    return a.width == b.width && a.height == b.height && a.indexes == b.indexes &&
           a.palette == b.palette && a.transparentIndex == b.transparentIndex;
}

void check(std::span<const std::uint8_t> bytes) {
    IndexedPicture sentinel;
    sentinel.width = 3;
    sentinel.height = -1;
    sentinel.indexes = {7, 8};
    sentinel.palette.fill(5);
    sentinel.transparentIndex = 1000;
    IndexedPicture picture = sentinel;

    const Outcome outcome = decodePng(bytes, picture, kMaxPixelBufferBytes);
    Palette palette{};
    const Outcome paletteOutcome = palettePngColours(bytes, palette);
    fuzz::require(static_cast<bool>(paletteOutcome) == static_cast<bool>(outcome),
                  "the palette reader and the picture reader disagree");
    if (!outcome) {
        fuzz::require(outcome.reportable(), "a refusal without a text");
        fuzz::require(samePicture(picture, sentinel), "a refused file changed the picture");
        return;
    }
    fuzz::require(palette == picture.palette, "the palette reader gave other colours");
    fuzz::require(picture.width > 0 && picture.height > 0, "picture size");
    const std::uint64_t pixels = std::uint64_t(picture.width) * std::uint64_t(picture.height);
    fuzz::require(pixels <= kMaxPixelBufferBytes, "picture larger than the limit");
    fuzz::require(picture.indexes.size() == pixels, "an index for every pixel");
    fuzz::require(picture.transparentIndex >= -1 && picture.transparentIndex < kPaletteEntries,
                  "transparent index");

    if (pixels <= kRoundTripPixels) {
        std::vector<std::uint8_t> file;
        fuzz::require(static_cast<bool>(encodePng(picture, file)),
                      "a read picture cannot be written");
        IndexedPicture back;
        fuzz::require(static_cast<bool>(decodePng(file, back, kMaxPixelBufferBytes)),
                      "a written picture cannot be read");
        fuzz::require(samePicture(back, picture), "the picture changed in a round trip");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    check(bytes);
    const std::vector<std::uint8_t> repaired = fuzz::withRightCrcs(bytes);
    if (!std::equal(repaired.begin(), repaired.end(), bytes.begin())) check(repaired);
    return 0;
}
