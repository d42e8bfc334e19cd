#include "formats/tga_file.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "formats/file_access.h"
#include "formats/tga_rows.h"
#include "image/pixel.h"
#include "system/byte_source.h"
#include "system/files.h"
#include "system/texts.h"

namespace zentil {
namespace {

// Large enough for any picture a page can hold, run-length coded at its worst.
constexpr std::uint64_t kMaxTgaFileBytes = 3 * kMaxPixelBufferBytes;

int le16(const std::uint8_t* p) {
    return p[0] | (p[1] << 8);
}

void putLe16(std::uint8_t* p, int v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

Outcome decodeTgaOrThrow(ByteSource& source, Page& page, const PageDefaults& defaults) {
    tga::IndexedTga picture;
    if (Outcome opened = tga::openIndexedTga(source, picture); !opened) return opened;
    const TgaInfo& info = picture.info;
    // Run-length pictures no page can hold are refused before the page is
    // made (plain ones are refused by making it).
    if ((info.imageType & tga::kRunLength) &&
        std::uint64_t{static_cast<std::uint32_t>(info.width)} * info.height > kMaxPixelBufferBytes)
        return Outcome::error(texts::kCannotCreateImage);

    // Every pixel inside the width is written below, or the picture is refused.
    Page fresh;
    if (!createPageForOverwrite(fresh, info.width, 1, info.height, 1, kMode8, defaults))
        return Outcome::error(texts::kCannotCreateImage);
    if (!tga::readIndexRows(source, picture, fresh.pixels8.get(),
                            static_cast<std::size_t>(fresh.stride)))
        return Outcome::error(texts::kReadFailed);
    // Pictures without a colour map of their own take the default palette.
    setPagePalette(fresh, picture.ownPalette ? picture.palette : defaults.palette);
    detectColorKey(fresh);
    fresh.kind = kKindTga;
    page = std::move(fresh);
    return Outcome::done();
}

// Working memory that cannot be had ends a read like a refusal.
Outcome decodeTgaFrom(ByteSource& source, Page& page, const PageDefaults& defaults) {
    try {
        return decodeTgaOrThrow(source, page, defaults);
    } catch (const std::bad_alloc&) {
        return Outcome::error(texts::kCannotCreateImage);
    }
}

}  // namespace

bool readTgaHeader(std::span<const std::uint8_t> bytes, TgaInfo& info) {
    if (bytes.size() < tga::kHeaderSize) return false;
    const std::uint8_t* h = bytes.data();
    info.idLength = h[0];
    info.colorMapType = h[1];
    info.imageType = h[2];
    info.mapFirst = le16(h + 3);
    info.mapLength = le16(h + 5);
    info.mapEntryBits = h[7];
    info.xOrigin = le16(h + 8);
    info.yOrigin = le16(h + 10);
    info.width = le16(h + 12);
    info.height = le16(h + 14);
    info.depth = h[16];
    info.descriptor = h[17];
    return true;
}

Outcome decodeTga(std::span<const std::uint8_t> bytes, Page& page, const PageDefaults& defaults) {
    MemorySource source(bytes);
    return decodeTgaFrom(source, page, defaults);
}

Outcome decodeTga(ByteSource& source, Page& page, const PageDefaults& defaults) {
    return decodeTgaFrom(source, page, defaults);
}

Outcome readTgaFile(const std::string& path, Page& page, const PageDefaults& defaults) {
    return readPageSource(path, kMaxTgaFileBytes, texts::kTgaCannotOpen, &decodeTgaFrom, page,
                          defaults);
}

std::vector<std::uint8_t> encodeTga(const Page& page) {
    const bool mapped = page.mode == kMode8;
    const std::size_t rowBytes = static_cast<std::size_t>(page.width) * page.mode;
    std::vector<std::uint8_t> out(tga::kHeaderSize + (mapped ? 768 : 0) + rowBytes * page.height);
    std::uint8_t* h = out.data();
    h[1] = mapped ? 1 : 0;
    h[2] = mapped ? 1 : 2;
    putLe16(h + 5, mapped ? 256 : 0);
    h[7] = mapped ? 24 : 0;
    putLe16(h + 12, page.width);
    putLe16(h + 14, page.height);
    h[16] = static_cast<std::uint8_t>(8 * page.mode);
    std::uint8_t* p = out.data() + tga::kHeaderSize;
    if (mapped) {
        for (int i = 0; i < kPaletteEntries; ++i) {
            *p++ = page.palette[i * 3 + 2];
            *p++ = page.palette[i * 3 + 1];
            *p++ = page.palette[i * 3 + 0];
        }
    }
    for (int y = page.height - 1; y >= 0; --y) {
        const std::size_t row = static_cast<std::size_t>(y) * page.stride;
        if (page.mode == kMode8) {
            std::memcpy(p, page.pixels8.get() + row, rowBytes);
        } else if (page.mode == kMode16) {
            // 16-bit values little-endian, as the file layout wants.
            for (int x = 0; x < page.width; ++x)
                putLe16(p + x * 2, page.pixels16[row + x]);
        } else {
            std::memcpy(p, page.pixels24.get() + row * 3, rowBytes);
        }
        p += rowBytes;
    }
    return out;
}

Outcome writeTgaFile(const std::string& path, const Page& page) {
    if (!page.inUse()) return Outcome::silent();
    // Sizes are 16-bit fields in the header.
    if (page.width > 0xFFFF || page.height > 0xFFFF) return Outcome::error(texts::kTgaCannotSave);
    std::vector<std::uint8_t> bytes;
    try {
        bytes = encodeTga(page);
    } catch (const std::bad_alloc&) {
        return Outcome::error(texts::kTgaCannotSave);
    }
    return saveFile(path, bytes, texts::kTgaCannotSave);
}

}  // namespace zentil
