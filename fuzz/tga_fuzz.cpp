// Feeds arbitrary bytes to the TGA reader. A picture that is accepted must be
// a well-formed one-tile 8-bit page.
#include <cstddef>
#include <cstdint>
#include <span>

#include "formats/tga_file.h"
#include "fuzz_support.h"

using namespace zentil;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A non-zero default key shows whether the reader leaves it alone.
    PageDefaults defaults;
    defaults.key8 = 77;
    const std::span<const std::uint8_t> bytes(data, size);
    Page page;
    if (decodeTga(bytes, page, defaults)) {
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
