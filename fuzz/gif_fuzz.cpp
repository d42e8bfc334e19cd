// Feeds arbitrary bytes to the GIF reader. A file that is read must give one
// picture of its tiles in a row, within the limit, with a pixel for every
// place, pixels only clear or opaque; a refused one must leave the sheet as
// it was and say why.
#include <cstddef>
#include <cstdint>
#include <span>
#include <variant>

#include "formats/gif_codec.h"
#include "fuzz_support.h"

using namespace zentil;

namespace {

// Sheets of up to this many pixels are read: larger ones would spend the run
// filling memory.
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 22;

void checkSheet(const GifSheet& sheet) {
    fuzz::require(sheet.tileWidth > 0 && sheet.tileHeight > 0 && sheet.frames > 0, "sheet size");
    const std::uint64_t width = std::uint64_t(sheet.tileWidth) * std::uint64_t(sheet.frames);
    const std::uint64_t pixels = width * std::uint64_t(sheet.tileHeight);
    fuzz::require(pixels <= kMaxPixels, "a sheet larger than the limit");
    if (const auto* indexed = std::get_if<IndexedPicture>(&sheet.picture)) {
        fuzz::require(std::uint64_t(indexed->width) == width &&
                          indexed->height == sheet.tileHeight && indexed->indexes.size() == pixels,
                      "an index for every pixel of the tiles");
        fuzz::require(
            indexed->transparentIndex >= -1 && indexed->transparentIndex < kPaletteEntries,
            "transparent index");
        return;
    }
    const auto& rgba = std::get<RgbaPicture>(sheet.picture);
    fuzz::require(std::uint64_t(rgba.width) == width && rgba.height == sheet.tileHeight &&
                      rgba.rgba.size() == pixels * 4,
                  "four channels for every pixel of the tiles");
    for (std::size_t n = 3; n < rgba.rgba.size(); n += 4)
        fuzz::require(rgba.rgba[n] == 0 || rgba.rgba[n] == 255, "alpha other than clear or opaque");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    GifSheet sheet;
    sheet.tileWidth = -5;
    const Outcome outcome = decodeGif(std::span<const std::uint8_t>(data, size), sheet, kMaxPixels);
    if (!outcome) {
        fuzz::require(outcome.reportable(), "a refusal without a text");
        fuzz::require(sheet.tileWidth == -5, "a refused file changed the sheet");
        return 0;
    }
    checkSheet(sheet);
    return 0;
}
