// Feeds arbitrary bytes to the palette loader through an in-memory file. A
// loaded palette must come from bytes 1 to 768 and reach exactly the 8-bit
// sprite pages; a refused file must change nothing.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "formats/palette_file.h"
#include "fuzz_support.h"
#include "image/page.h"

using namespace zentil;

namespace {

// The path of an in-memory file holding exactly the input.
const std::string& inputPath(const std::uint8_t* data, std::size_t size) {
    static const int fd = memfd_create("palette-input", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    if (fd < 0) fuzz::propertyFailed("memfd_create failed");
    if (ftruncate(fd, 0) != 0) fuzz::propertyFailed("ftruncate failed");
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
        if (n <= 0) fuzz::propertyFailed("pwrite failed");
        done += static_cast<std::size_t>(n);
    }
    return path;
}

Palette filled(std::uint8_t seed) {
    Palette p;
    for (std::size_t i = 0; i < p.size(); ++i)
        p[i] = static_cast<std::uint8_t>(i * 13 + seed);
    return p;
}

// A page of the given mode and kind with its own palette and marked fourth
// bytes in its four-byte copy.
void makePage(int slot, int mode, int kind, std::uint8_t seed) {
    Page& page = pageAt(slot);
    if (!createPage(page, 4, 2, 3, 1, mode)) fuzz::propertyFailed("createPage failed");
    page.kind = kind;
    page.palette = filled(seed);
    for (int n = 0; n < kPaletteEntries; ++n) {
        page.paletteQuad[n * 4 + 0] = page.palette[n * 3 + 0];
        page.paletteQuad[n * 4 + 1] = page.palette[n * 3 + 1];
        page.paletteQuad[n * 4 + 2] = page.palette[n * 3 + 2];
        page.paletteQuad[n * 4 + 3] = static_cast<std::uint8_t>(n ^ seed);
    }
}

bool hasPalette(const Page& page, const Palette& palette, std::uint8_t seed) {
    if (page.palette != palette) return false;
    for (int n = 0; n < kPaletteEntries; ++n) {
        if (std::memcmp(&page.paletteQuad[n * 4], &palette[n * 3], 3) != 0) return false;
        if (page.paletteQuad[n * 4 + 3] != static_cast<std::uint8_t>(n ^ seed)) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::FreshState state;
    const Palette before = filled(1);
    defaultPalette() = before;
    makePage(0, kMode8, kKindSprite, 2);   // takes the file's colours
    makePage(1, kMode8, kKindTga, 3);      // a picture keeps its own
    makePage(2, kMode16, kKindSprite, 4);  // not 8-bit: unchanged
    makePage(kTgaFirstSlot, kMode8, kKindTga, 5);

    const bool loaded = loadPaletteFile(inputPath(data, size));
    fuzz::require(loaded == (size >= kPaletteHeaderBytes), "verdict does not follow the length");
    Palette expected = before;
    if (loaded) std::memcpy(expected.data(), data + 1, kPaletteColourBytes);
    fuzz::require(defaultPalette() == expected, "default palette");
    fuzz::require(hasPalette(pageAt(0), loaded ? expected : filled(2), 2), "sprite page palette");
    fuzz::require(hasPalette(pageAt(1), filled(3), 3), "picture in the sprite store changed");
    fuzz::require(hasPalette(pageAt(2), filled(4), 4), "16-bit page changed");
    fuzz::require(hasPalette(pageAt(kTgaFirstSlot), filled(5), 5), "TGA store page changed");
    return 0;
}
