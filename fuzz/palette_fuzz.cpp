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
#include "work/workspace.h"

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
// bytes in its four-byte copy, at the end of `store`.
Page& makePage(PageStore& store, int mode, int kind, std::uint8_t seed) {
    Page& page = store.at(store.append(std::make_unique<Page>()));
    if (!createPage(page, 4, 2, 3, 1, mode)) fuzz::propertyFailed("createPage failed");
    page.kind = kind;
    page.palette = filled(seed);
    for (int n = 0; n < kPaletteEntries; ++n) {
        page.paletteQuad[n * 4 + 0] = page.palette[n * 3 + 0];
        page.paletteQuad[n * 4 + 1] = page.palette[n * 3 + 1];
        page.paletteQuad[n * 4 + 2] = page.palette[n * 3 + 2];
        page.paletteQuad[n * 4 + 3] = static_cast<std::uint8_t>(n ^ seed);
    }
    return page;
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
    Workspace workspace;
    const Palette before = filled(1);
    workspace.palette = before;
    const Page& sprite = makePage(workspace.sprites, kMode8, kKindSprite, 2);  // takes the colours
    const Page& picture = makePage(workspace.sprites, kMode8, kKindTga, 3);    // keeps its own
    const Page& wide = makePage(workspace.sprites, kMode16, kKindSprite, 4);   // not 8-bit
    const Page& other = makePage(workspace.pictures, kMode8, kKindTga, 5);

    Palette read = before;
    const bool loaded = readPaletteFile(inputPath(data, size), read).ok;
    // Read exactly when it is long enough and starts with the marker byte 1.
    fuzz::require(loaded == (size >= kPaletteHeaderBytes && data[0] == 1),
                  "verdict does not follow the length and the marker");
    Palette expected = before;
    if (loaded) std::memcpy(expected.data(), data + 1, kPaletteColourBytes);
    fuzz::require(read == expected, "palette read");
    if (loaded) applyPaletteToSprites(workspace.sprites, read);
    fuzz::require(hasPalette(sprite, loaded ? expected : filled(2), 2), "sprite page palette");
    fuzz::require(hasPalette(picture, filled(3), 3), "picture in the sprite store changed");
    fuzz::require(hasPalette(wide, filled(4), 4), "16-bit page changed");
    fuzz::require(hasPalette(other, filled(5), 5), "picture store page changed");
    return 0;
}
