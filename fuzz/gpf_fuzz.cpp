// Feeds arbitrary bytes to the GPF layout parser and reader. A page that is
// read must match the layout, and writing it and reading the result back must
// give the same key, geometry and visible pixels.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "formats/gpf_file.h"
#include "fuzz_support.h"

using namespace zentil;

namespace {

bool samePixels(const Page& a, const Page& b) {
    for (std::int64_t y = 0; y < a.height; ++y) {
        const std::uint8_t* ra = a.pixels8.get() + y * a.stride;
        const std::uint8_t* rb = b.pixels8.get() + y * b.stride;
        if (std::memcmp(ra, rb, static_cast<std::size_t>(a.width)) != 0) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A default key unlike most file keys, so that padding and the file's key differ.
    PageDefaults defaults;
    defaults.key8 = 9;
    const std::span<const std::uint8_t> bytes(data, size);

    GpfLayout layout;
    const char* message = nullptr;
    const bool parsed = parseGpfLayout(bytes, layout, message);
    fuzz::require(parsed == (message == nullptr), "layout verdict and message disagree");
    if (parsed) {
        const GpfHeader& hd = layout.header;
        fuzz::require(layout.rects.size() == static_cast<std::size_t>(hd.tileCount) &&
                          layout.sizes.size() == layout.rects.size(),
                      "table sizes");
        fuzz::require(kGpfHeaderSize + layout.rects.size() * 12 + layout.dataBytes <= size,
                      "layout reaches past the file");
    }

    Page page;
    const bool read = decodeSpriteFile(bytes, page, defaults).ok;
    // The reader refuses every file the parser refuses; a parsed file may still
    // describe a page too large to build.
    fuzz::require(parsed || !read, "reader accepted a file the parser refused");
    if (!read) {
        fuzz::require(!page.inUse(), "refused file left a page behind");
        return 0;
    }
    const GpfHeader& hd = layout.header;
    fuzz::require(page.mode == kMode8 && page.kind == kKindSprite, "mode or kind");
    fuzz::require(page.cols == hd.cols && page.rows == hd.rows && page.tileWidth == hd.tileWidth &&
                      page.tileHeight == hd.tileHeight && page.tileCount == hd.tileCount,
                  "geometry differs from the header");
    fuzz::require(page.colorKey8 == static_cast<std::uint8_t>(hd.colorKey), "key");

    std::vector<std::uint8_t> encoded;
    if (encodeSpriteFile(page, encoded)) {
        Page again;
        fuzz::require(decodeSpriteFile(encoded, again, defaults).ok, "written file cannot be read");
        fuzz::require(again.cols == page.cols && again.rows == page.rows &&
                          again.tileWidth == page.tileWidth &&
                          again.tileHeight == page.tileHeight && again.stride == page.stride,
                      "geometry changed in a round trip");
        fuzz::require(again.colorKey8 == page.colorKey8, "key changed in a round trip");
        fuzz::require(samePixels(page, again), "pixels changed in a round trip");
    } else {
        // Only tiles too large for the 16-bit rectangles cannot be written.
        fuzz::require(page.tileWidth > 0xFFFC || page.tileHeight > 0xFFFF,
                      "a readable page could not be written");
    }
    return 0;
}
