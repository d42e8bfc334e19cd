#include "edit/blit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "image/pixel.h"
#include "system/texts.h"

namespace zentil {
namespace {

// Pixel access per mode: 8-bit indexes, 16-bit values, 3-byte B, G, R pixels
// read and written as 0x00RRGGBB.
template <int Mode>
struct Pixels;

template <>
struct Pixels<kMode8> {
    using T = std::uint8_t;
    static constexpr int kElems = 1;
    static T* base(Page& p) { return p.pixels8.get(); }
    static const T* base(const Page& p) { return p.pixels8.get(); }
    static std::uint32_t key(const Page& p) { return p.colorKey8; }
    static std::uint32_t load(const T* row, std::int64_t i) { return row[i]; }
    static void store(T* row, std::int64_t i, std::uint32_t v) { row[i] = static_cast<T>(v); }
};

template <>
struct Pixels<kMode16> {
    using T = std::uint16_t;
    static constexpr int kElems = 1;
    static T* base(Page& p) { return p.pixels16.get(); }
    static const T* base(const Page& p) { return p.pixels16.get(); }
    static std::uint32_t key(const Page& p) { return p.colorKey16; }
    static std::uint32_t load(const T* row, std::int64_t i) { return row[i]; }
    static void store(T* row, std::int64_t i, std::uint32_t v) { row[i] = static_cast<T>(v); }
};

template <>
struct Pixels<kMode24> {
    using T = std::uint8_t;
    static constexpr int kElems = 3;
    static T* base(Page& p) { return p.pixels24.get(); }
    static const T* base(const Page& p) { return p.pixels24.get(); }
    // Only the three low bytes of the key take part in comparisons.
    static std::uint32_t key(const Page& p) { return p.colorKey24 & 0xFFFFFFu; }
    static std::uint32_t load(const T* row, std::int64_t i) { return pixel24Value(row + i * 3); }
    static void store(T* row, std::int64_t i, std::uint32_t v) { valueToPixel24(row + i * 3, v); }
};

// 16-bit value to 0x00RRGGBB for 24-bit pages: c << 3, with 31 giving 255.
constexpr std::uint32_t widen16ToValue24(std::uint32_t v) {
    return (std::uint32_t{widenChannel((v >> 10) & 31u)} << 16) |
           (std::uint32_t{widenChannel((v >> 5) & 31u)} << 8) | widenChannel(v & 31u);
}

template <int Src, int Dst>
constexpr std::uint32_t convertPixel(std::uint32_t v, const Palette& palette) {
    if constexpr (Src == Dst) {
        return v;
    } else if constexpr (Src == kMode8 && Dst == kMode16) {
        return paletteTo16(static_cast<std::uint8_t>(v), palette);
    } else if constexpr (Src == kMode8 && Dst == kMode24) {
        return paletteTo24(static_cast<std::uint8_t>(v), palette);
    } else if constexpr (Src == kMode16 && Dst == kMode24) {
        return widen16ToValue24(v);
    } else {
        static_assert(Src == kMode24 && Dst == kMode16);
        return narrow24To16(v);
    }
}

// The part of the rectangle inside both pages.
struct Clip {
    std::int64_t kBegin, kEnd;  // rows relative to the rectangle
    std::int64_t jBegin, jEnd;  // columns relative to the rectangle
};

Clip clipRect(const Page& dst, int dstX, int dstY, const Page& src, int srcX, int srcY, int width,
              int height) {
    Clip c{};
    c.kBegin = std::max<std::int64_t>({0, -std::int64_t{dstY}, -std::int64_t{srcY}});
    c.kEnd = std::min<std::int64_t>(
        {height, std::int64_t{dst.height} - dstY, std::int64_t{src.height} - srcY});
    c.jBegin = std::max<std::int64_t>({0, -std::int64_t{dstX}, -std::int64_t{srcX}});
    c.jEnd = std::min<std::int64_t>(
        {width, std::int64_t{dst.stride} - dstX, std::int64_t{src.stride} - srcX});
    return c;
}

// One row span of n pixels. Written so that the compiler sees a plain loop;
// when source and destination may overlap it still reads each source pixel
// only when it is reached.
template <int Src, int Dst, int Mode>
void blitSpan(typename Pixels<Dst>::T* d, const typename Pixels<Src>::T* s, std::int64_t n,
              std::uint32_t srcKey, std::uint32_t dstKey, const Palette& palette) {
    using S = Pixels<Src>;
    using D = Pixels<Dst>;
    for (std::int64_t i = 0; i < n; ++i) {
        const std::uint32_t v = S::load(s, i);
        if constexpr (Mode == kBlitFront) {
            if (v == srcKey) continue;
        } else if constexpr (Mode == kBlitBehind) {
            if (D::load(d, i) != dstKey) continue;
        }
        D::store(d, i, convertPixel<Src, Dst>(v, palette));
    }
}

// Same-mode keyed copies between different buffers, written as selects so that
// they vectorise.
template <int Mode, typename T>
void selectSpan(T* __restrict d, const T* __restrict s, std::int64_t n, T srcKey, T dstKey) {
    for (std::int64_t i = 0; i < n; ++i) {
        if constexpr (Mode == kBlitFront)
            d[i] = s[i] == srcKey ? d[i] : s[i];
        else
            d[i] = d[i] == dstKey ? s[i] : d[i];
    }
}

template <int Src, int Dst, int Mode>
void blitRows(Page& dst, int dstX, int dstY, const Page& src, int srcX, int srcY, const Clip& c) {
    using S = Pixels<Src>;
    using D = Pixels<Dst>;
    const std::int64_t n = c.jEnd - c.jBegin;
    if (n <= 0) return;
    typename D::T* dBase = D::base(dst);
    const typename S::T* sBase = S::base(src);
    const std::uint32_t srcKey = S::key(src);
    const std::uint32_t dstKey = D::key(dst);
    // Within one row of one page the spans may overlap; only there must each
    // pixel be read after the writes before it.
    const bool sameRowPossible =
        static_cast<const void*>(&dst) == static_cast<const void*>(&src) && dstY == srcY;
    for (std::int64_t k = c.kBegin; k < c.kEnd; ++k) {
        typename D::T* d = dBase + ((dstY + k) * dst.stride + dstX + c.jBegin) * D::kElems;
        const typename S::T* s = sBase + ((srcY + k) * src.stride + srcX + c.jBegin) * S::kElems;
        if constexpr (Src == Dst) {
            if (!sameRowPossible) {
                if constexpr (Mode == kBlitOpaque) {
                    std::memcpy(d, s,
                                static_cast<std::size_t>(n) * sizeof(typename D::T) * D::kElems);
                    continue;
                } else if constexpr (Src != kMode24) {
                    selectSpan<Mode>(d, s, n, static_cast<typename D::T>(srcKey),
                                     static_cast<typename D::T>(dstKey));
                    continue;
                }
            }
        }
        blitSpan<Src, Dst, Mode>(d, s, n, srcKey, dstKey, src.palette);
    }
}

using RowsFn = void (*)(Page&, int, int, const Page&, int, int, const Clip&);

template <int Src, int Dst>
RowsFn pickMode(int blitMode) {
    switch (blitMode) {
        case kBlitFront:
            return &blitRows<Src, Dst, kBlitFront>;
        case kBlitBehind:
            return &blitRows<Src, Dst, kBlitBehind>;
        default:
            return &blitRows<Src, Dst, kBlitOpaque>;
    }
}

RowsFn pickRows(int srcMode, int dstMode, int blitMode) {
    switch (srcMode * 4 + dstMode) {
        case kMode8 * 4 + kMode8:
            return pickMode<kMode8, kMode8>(blitMode);
        case kMode8 * 4 + kMode16:
            return pickMode<kMode8, kMode16>(blitMode);
        case kMode8 * 4 + kMode24:
            return pickMode<kMode8, kMode24>(blitMode);
        case kMode16 * 4 + kMode16:
            return pickMode<kMode16, kMode16>(blitMode);
        case kMode16 * 4 + kMode24:
            return pickMode<kMode16, kMode24>(blitMode);
        case kMode24 * 4 + kMode16:
            return pickMode<kMode24, kMode16>(blitMode);
        case kMode24 * 4 + kMode24:
            return pickMode<kMode24, kMode24>(blitMode);
        default:
            return nullptr;
    }
}

bool hasPixels(const Page& page) {
    switch (page.mode) {
        case kMode8:
            return page.pixels8 != nullptr;
        case kMode16:
            return page.pixels16 != nullptr;
        case kMode24:
            return page.pixels24 != nullptr;
        default:
            return false;
    }
}

}  // namespace

bool blitAllowed(int srcMode, int dstMode) {
    return srcMode <= dstMode || (srcMode == kMode24 && dstMode == kMode16);
}

Outcome blitPage(Page& dst, int dstX, int dstY, const Page& src, int srcX, int srcY, int width,
                 int height, int blitMode) {
    if (dst.mode == kModeNone || src.mode == kModeNone) return Outcome::silent();
    if (!blitAllowed(src.mode, dst.mode)) return Outcome::error(texts::kModeRefused);
    const Clip c = clipRect(dst, dstX, dstY, src, srcX, srcY, width, height);
    const bool rowPassed = c.kBegin < c.kEnd;
    if (rowPassed && hasPixels(dst) && hasPixels(src)) {
        if (RowsFn rows = pickRows(src.mode, dst.mode, blitMode))
            rows(dst, dstX, dstY, src, srcX, srcY, c);
    }
    // Tile-by-tile copies hand the same palette over again and again; only a
    // different one needs the four-byte copy rebuilt.
    if (src.mode == kMode8 && dst.mode == kMode8 && rowPassed &&
        (dst.palette != src.palette || dst.paletteQuad != src.paletteQuad))
        setPagePalette(dst, src.palette);
    if (src.mode == dst.mode)
        setColorKey(dst, colorKeyOf(src));
    else
        detectColorKey(dst);
    return Outcome::done();
}

Outcome copyPageRect(Page& dst, int dstX, int dstY, const Page& src, int srcX, int srcY, int width,
                     int height) {
    return blitPage(dst, dstX, dstY, src, srcX, srcY, width, height, kBlitOpaque);
}

Outcome movePageRect(Page& dst, int dstX, int dstY, const Page& src, int srcX, int srcY, int width,
                     int height) {
    if (dst.mode == kModeNone || src.mode == kModeNone) return Outcome::silent();
    // Refuse before clearing, so that a refused pair loses nothing.
    if (!blitAllowed(src.mode, dst.mode)) return Outcome::error(texts::kModeRefused);
    Page scratch;
    if (!createSinglePage(scratch, std::max(width, 0), std::max(height, 0), src.mode))
        return Outcome::error(texts::kCannotCreateImage);
    setColorKey(scratch, colorKeyOf(src));
    clearPage(scratch);
    copyPageRect(scratch, 0, 0, src, srcX, srcY, width, height);
    clearPage(dst);
    return copyPageRect(dst, dstX, dstY, scratch, 0, 0, scratch.stride, scratch.height);
}

}  // namespace zentil
