#include <gtest/gtest.h>

#include "blit_reference.h"

#include <cstring>

#include "image/pixel.h"

namespace zentil::test {
namespace {

// The three low bytes of a pixel in 0x00RRGGBB form, or the value in 8/16-bit.
std::uint32_t readRaw(const Page& p, std::int64_t element) {
    switch (p.mode) {
        case kMode8:
            return p.pixels8[element];
        case kMode16:
            return p.pixels16[element];
        default:
            return pixel24Value(&p.pixels24[element * 3]);
    }
}

std::uint32_t keyOf(const Page& p) {
    switch (p.mode) {
        case kMode8:
            return p.colorKey8;
        case kMode16:
            return p.colorKey16;
        default:
            return p.colorKey24 & 0xFFFFFFu;
    }
}

void writeConverted(Page& dst, std::int64_t element, const Page& src, std::uint32_t raw) {
    if (dst.mode == kMode8) {
        dst.pixels8[element] = static_cast<std::uint8_t>(raw);
    } else if (dst.mode == kMode16) {
        std::uint16_t v = 0;
        if (src.mode == kMode8)
            v = paletteTo16(static_cast<std::uint8_t>(raw), src.palette);
        else if (src.mode == kMode16)
            v = static_cast<std::uint16_t>(raw);
        else
            v = narrow24To16(raw);
        dst.pixels16[element] = v;
    } else {
        std::uint8_t* out = &dst.pixels24[element * 3];
        if (src.mode == kMode8)
            paletteToPixel24(out, static_cast<std::uint8_t>(raw), src.palette);
        else if (src.mode == kMode16)
            widen16ToPixel24(out, static_cast<std::uint16_t>(raw));
        else
            valueToPixel24(out, raw);
    }
}

}  // namespace

void referenceBlit(Page& dst, int dstX, int dstY, const Page& src, int srcX, int srcY, int width,
                   int height, int blitMode) {
    if (!(src.mode <= dst.mode || (src.mode == kMode24 && dst.mode == kMode16))) return;
    bool rowPassed = false;
    for (std::int64_t k = 0; k < height; ++k) {
        const std::int64_t dy = std::int64_t{dstY} + k, sy = std::int64_t{srcY} + k;
        if (dy < 0 || dy >= dst.height || sy < 0 || sy >= src.height) continue;
        rowPassed = true;
        for (std::int64_t j = 0; j < width; ++j) {
            const std::int64_t dx = std::int64_t{dstX} + j, sx = std::int64_t{srcX} + j;
            if (dx < 0 || dx >= dst.stride || sx < 0 || sx >= src.stride) continue;
            const std::int64_t de = dy * dst.stride + dx, se = sy * src.stride + sx;
            const std::uint32_t raw = readRaw(src, se);
            if (blitMode == 1 && raw == keyOf(src)) continue;
            if (blitMode == 2 && readRaw(dst, de) != keyOf(dst)) continue;
            writeConverted(dst, de, src, raw);
        }
    }
    if (src.mode == kMode8 && dst.mode == kMode8 && rowPassed) {
        const Palette palette = src.palette;  // src may be dst
        dst.palette = palette;
        for (int i = 0; i < 256; ++i) {
            for (int c = 0; c < 3; ++c)
                dst.paletteQuad[i * 4 + c] = palette[i * 3 + c];
            dst.paletteQuad[i * 4 + 3] = 0;
        }
    }
    if (src.mode == dst.mode) {
        dst.colorKey8 = src.colorKey8;
        dst.colorKey16 = src.colorKey16;
        dst.colorKey24 = src.colorKey24;
    } else {
        detectColorKey(dst);
    }
}

Page clonePage(const Page& page) {
    Page copy;
    duplicatePage(copy, page);
    return copy;
}

::testing::AssertionResult samePage(const Page& a, const Page& b) {
    auto fail = [](const char* what) { return ::testing::AssertionFailure() << what << " differ"; };
    if (a.mode != b.mode || a.width != b.width || a.stride != b.stride || a.height != b.height ||
        a.tileWidth != b.tileWidth || a.tileHeight != b.tileHeight || a.cols != b.cols ||
        a.rows != b.rows || a.tileCount != b.tileCount || a.pixelCount != b.pixelCount)
        return fail("geometries");
    if (a.colorKey8 != b.colorKey8 || a.colorKey16 != b.colorKey16 || a.colorKey24 != b.colorKey24)
        return fail("keys");
    if (a.palette != b.palette || a.paletteQuad != b.paletteQuad) return fail("palettes");
    const std::size_t bytes = static_cast<std::size_t>(a.pixelCount) * a.mode;
    const void* pa = a.mode == kMode8    ? static_cast<const void*>(a.pixels8.get())
                     : a.mode == kMode16 ? static_cast<const void*>(a.pixels16.get())
                                         : static_cast<const void*>(a.pixels24.get());
    const void* pb = b.mode == kMode8    ? static_cast<const void*>(b.pixels8.get())
                     : b.mode == kMode16 ? static_cast<const void*>(b.pixels16.get())
                                         : static_cast<const void*>(b.pixels24.get());
    if (bytes && std::memcmp(pa, pb, bytes) != 0) {
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < a.stride; ++x)
                if (pixelAt(a, x, y) != pixelAt(b, x, y))
                    return ::testing::AssertionFailure()
                           << "pixels differ first at (" << x << ", " << y
                           << "): " << pixelAt(a, x, y) << " vs " << pixelAt(b, x, y);
    }
    return ::testing::AssertionSuccess();
}

}  // namespace zentil::test
