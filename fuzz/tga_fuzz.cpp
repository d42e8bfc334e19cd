// Feeds arbitrary bytes to the TGA readers. A picture that is accepted must be
// a well-formed one-tile 8-bit page; the picture reader must give a picture
// of indexes the same answer and the same pixels, and any other picture
// whole.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "formats/tga_file.h"
#include "formats/tga_picture.h"
#include "fuzz_support.h"

using namespace zentil;

namespace {

// The picture reader gives what the page reader gives to pictures of indexes.
void comparePicture(std::span<const std::uint8_t> bytes, const Outcome& asPage, const Page& page,
                    const PageDefaults& defaults) {
    DecodedPicture picture = RgbaPicture{3, 5, {}};
    const Outcome read = decodeTgaPicture(bytes, picture, kMaxPixelBufferBytes, defaults.palette);
    TgaInfo info;
    const bool indexes =
        readTgaHeader(bytes, info) &&
        ((info.imageType & ~8) == 1 || ((info.imageType & ~8) == 2 && info.depth == 8));
    if (indexes) fuzz::require(read.text == asPage.text, "the readers answer otherwise");
    if (!read) {
        const auto* kept = std::get_if<RgbaPicture>(&picture);
        fuzz::require(kept && kept->width == 3, "refusal changed the picture");
        return;
    }
    const std::size_t pixels = static_cast<std::size_t>(info.width) * info.height;
    if (const auto* indexed = std::get_if<IndexedPicture>(&picture)) {
        fuzz::require(indexed->width == info.width && indexed->height == info.height &&
                          indexed->indexes.size() == pixels,
                      "indexes");
        if (!indexes) return;
        fuzz::require(indexed->palette == page.palette, "palette");
        for (int y = 0; y < page.height; ++y)
            fuzz::require(std::equal(indexed->indexes.begin() + std::ptrdiff_t{y} * page.width,
                                     indexed->indexes.begin() + std::ptrdiff_t{y + 1} * page.width,
                                     page.pixels8.get() + std::ptrdiff_t{y} * page.stride),
                          "indexes differ from the page");
    } else {
        const auto& rgba = std::get<RgbaPicture>(picture);
        fuzz::require(!indexes, "true colour of a picture of indexes");
        fuzz::require(rgba.width == info.width && rgba.height == info.height &&
                          rgba.rgba.size() == pixels * 4,
                      "channels");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A non-zero default key shows whether the reader leaves it alone.
    PageDefaults defaults;
    defaults.key8 = 77;
    const std::span<const std::uint8_t> bytes(data, size);
    Page page;
    const Outcome read = decodeTga(bytes, page, defaults);
    comparePicture(bytes, read, page, defaults);
    if (read) {
        TgaInfo info;
        fuzz::require(readTgaHeader(bytes, info), "accepted picture without a header");
        fuzz::require(page.mode == kMode8 && page.kind == kKindTga, "mode or kind");
        fuzz::require(page.width == info.width && page.height == info.height, "picture size");
        fuzz::require(page.cols == 1 && page.rows == 1 && page.tileCount == 1, "one tile");
        fuzz::require(page.tileWidth == page.width && page.tileHeight == page.height, "tile size");
        fuzz::require(page.stride >= page.width && page.stride % 4 == 0, "stride");
        // The key comes from the corners when they agree, else stays the default.
        const std::uint8_t* p = page.pixels8.get();
        const std::size_t last = static_cast<std::size_t>(page.height - 1) * page.stride;
        const std::uint8_t corners[4] = {p[0], p[page.width - 1], p[last],
                                         p[last + page.width - 1]};
        const bool agree =
            corners[0] == corners[1] && corners[0] == corners[2] && corners[0] == corners[3];
        fuzz::require(page.colorKey8 == (agree ? corners[0] : 77), "key from the corners");
    } else {
        fuzz::require(!page.inUse(), "refused picture left a page behind");
    }
    return 0;
}
