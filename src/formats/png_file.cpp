#include "formats/png_file.h"

#include <cstring>
#include <new>

#include "formats/file_access.h"
#include "formats/png_codec.h"
#include "image/pixel.h"
#include "system/texts.h"

namespace zentil {
namespace {

// Large enough for any picture a page can hold, stored without compression.
constexpr std::uint64_t kMaxPngFileBytes = 2 * kMaxPixelBufferBytes;

Outcome decodeOrThrow(ByteSource& source, Page& page, const PageDefaults& defaults) {
    // The indexes are decoded straight into the new page's rows; only the
    // padding columns are set here.
    Page fresh;
    const auto intoPage = [&](int width, int height, std::size_t& stride) -> std::uint8_t* {
        if (!createPageForOverwrite(fresh, width, 1, height, 1, kMode8, defaults)) return nullptr;
        stride = static_cast<std::size_t>(fresh.stride);
        return fresh.pixels8.get();
    };
    IndexedPicture picture;
    if (Outcome read = decodePngInto(source, picture, intoPage, kMaxPixelBufferBytes); !read)
        return read;
    setPagePalette(fresh, picture.palette);
    if (picture.transparentIndex >= 0)
        setColorKey(fresh, static_cast<std::uint32_t>(picture.transparentIndex));
    else
        detectColorKey(fresh);
    fresh.kind = kKindTga;
    page = std::move(fresh);
    return Outcome::done();
}

Outcome encodeOrThrow(const Page& page, std::vector<std::uint8_t>& out) {
    if (!page.inUse() || page.width <= 0 || page.height <= 0)
        return Outcome::error(texts::kPngCannotSave);
    const std::size_t w = static_cast<std::size_t>(page.width);
    const std::size_t h = static_cast<std::size_t>(page.height);
    if (page.mode == kMode8) {
        IndexedPicture picture;
        picture.width = page.width;
        picture.height = page.height;
        picture.palette = page.palette;
        picture.transparentIndex = page.colorKey8;
        picture.indexes.resize(w * h);
        for (std::size_t y = 0; y < h; ++y)
            std::memcpy(picture.indexes.data() + y * w,
                        page.pixels8.get() + y * static_cast<std::size_t>(page.stride), w);
        return encodePng(picture, out);
    }
    RgbPicture picture;
    picture.width = page.width;
    picture.height = page.height;
    // The key shows as the picture's transparent colour, as on 8-bit pages.
    picture.transparentColour = static_cast<std::int32_t>(
        page.mode == kMode16 ? widen16To24(page.colorKey16) : page.colorKey24);
    picture.rgb.resize(w * h * 3);
    std::uint8_t* to = picture.rgb.data();
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x) {
            const std::uint32_t rgb =
                page.mode == kMode16 ? widen16To24(static_cast<std::uint16_t>(pixelAt(page, x, y)))
                                     : pixelAt(page, x, y);
            *to++ = static_cast<std::uint8_t>(rgb >> 16);
            *to++ = static_cast<std::uint8_t>(rgb >> 8);
            *to++ = static_cast<std::uint8_t>(rgb);
        }
    return encodePngRgb(picture, out);
}

}  // namespace

// Working memory that cannot be had ends a read or a write like a refusal.
Outcome decodePngSource(ByteSource& source, Page& page, const PageDefaults& defaults) {
    try {
        return decodeOrThrow(source, page, defaults);
    } catch (const std::bad_alloc&) {
        return Outcome::error(texts::kCannotCreateImage);
    }
}

Outcome decodePngPage(std::span<const std::uint8_t> bytes, Page& page,
                      const PageDefaults& defaults) {
    MemorySource source(bytes);
    return decodePngSource(source, page, defaults);
}

Outcome readPngFile(const std::string& path, Page& page, const PageDefaults& defaults) {
    return readPageSource(path, kMaxPngFileBytes, texts::kPngCannotRead, &decodePngSource, page,
                          defaults);
}

Outcome encodePngPage(const Page& page, std::vector<std::uint8_t>& out) {
    try {
        return encodeOrThrow(page, out);
    } catch (const std::bad_alloc&) {
        return Outcome::error(texts::kPngCannotSave);
    }
}

Outcome writePngFile(const std::string& path, const Page& page) {
    std::vector<std::uint8_t> bytes;
    if (Outcome encoded = encodePngPage(page, bytes); !encoded) return encoded;
    return saveFile(path, bytes, texts::kPngCannotSave);
}

}  // namespace zentil
