// Feeds arbitrary bytes to the PNG reader, once as they are and once with
// the CRC of every chunk made right, so that changed chunks reach the
// decoder rather than stopping at their checksums. A picture that is read
// must have an index for every pixel and come back the same through the
// writer, and the palette reader must agree with it; a refused file must
// leave the picture as it was and say why. The reader of every kind must give
// the same indexes wherever the reader of indexes takes the file, the same
// refusal wherever it refuses it for anything but its colours, and a colour
// for every pixel otherwise.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "formats/palette_formats.h"
#include "formats/png_codec.h"
#include "fuzz_support.h"
#include "image/page.h"
#include "png_chunks.h"
#include "system/texts.h"

using namespace zentil;

namespace {

// Round trips of larger pictures would spend the run compressing.
constexpr std::uint64_t kRoundTripPixels = std::uint64_t{1} << 20;

bool samePicture(const IndexedPicture& a, const IndexedPicture& b) {
    return a.width == b.width && a.height == b.height && a.indexes == b.indexes &&
           a.palette == b.palette && a.transparentIndex == b.transparentIndex;
}

void checkEveryKind(std::span<const std::uint8_t> bytes, const Outcome& indexesOutcome,
                    const IndexedPicture& indexes) {
    DecodedPicture any = RgbaPicture{-4, 0, {}};
    const Outcome outcome = decodePngPicture(bytes, any, kMaxPixelBufferBytes);
    if (indexesOutcome) {
        fuzz::require(static_cast<bool>(outcome) && std::holds_alternative<IndexedPicture>(any) &&
                          samePicture(std::get<IndexedPicture>(any), indexes),
                      "the reader of every kind gives other indexes");
        return;
    }
    if (indexesOutcome.text != texts::kPngTooManyColours)
        fuzz::require(outcome.text == indexesOutcome.text,
                      "the reader of every kind refuses otherwise");
    if (!outcome) {
        fuzz::require(outcome.reportable(), "a refusal without a text");
        fuzz::require(
            std::holds_alternative<RgbaPicture>(any) && std::get<RgbaPicture>(any).width == -4,
            "a refused file changed the picture");
        return;
    }
    fuzz::require(std::holds_alternative<RgbaPicture>(any), "indexes where the colours are many");
    const RgbaPicture& rgba = std::get<RgbaPicture>(any);
    fuzz::require(rgba.width > 0 && rgba.height > 0 &&
                      rgba.rgba.size() == std::size_t(rgba.width) * std::size_t(rgba.height) * 4,
                  "a colour for every pixel");
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
    checkEveryKind(bytes, outcome, picture);
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
