#include "edit/blit.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

#include "edit/blit_kernels.h"
#include "image/pixel.h"
#include "system/parallel_jobs.h"
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

// A copy within one row of one page: pixel by pixel, each read only when it
// is reached, so that it reads what it has already written. Both pages have
// one mode there.
template <int Mode, int BlitMode>
void overlappingRows(Page& page, int dstX, int dstY, int srcX, const Clip& c) {
    using P = Pixels<Mode>;
    const std::uint32_t key = P::key(page);
    typename P::T* base = P::base(page);
    for (std::int64_t k = c.kBegin; k < c.kEnd; ++k) {
        typename P::T* row = base + (dstY + k) * page.stride * P::kElems;
        for (std::int64_t j = c.jBegin; j < c.jEnd; ++j) {
            const std::uint32_t v = P::load(row, srcX + j);
            if constexpr (BlitMode == kBlitFront) {
                if (v == key) continue;
            } else if constexpr (BlitMode == kBlitBehind) {
                if (P::load(row, dstX + j) != key) continue;
            }
            P::store(row, dstX + j, v);
        }
    }
}

template <int Mode>
void overlappingRows(Page& page, int dstX, int dstY, int srcX, const Clip& c, int blitMode) {
    switch (blitMode) {
        case kBlitFront:
            return overlappingRows<Mode, kBlitFront>(page, dstX, dstY, srcX, c);
        case kBlitBehind:
            return overlappingRows<Mode, kBlitBehind>(page, dstX, dstY, srcX, c);
        default:
            return overlappingRows<Mode, kBlitOpaque>(page, dstX, dstY, srcX, c);
    }
}

// The instruction set of the loops: the processor's widest, unless a test
// chose another.
std::atomic<BlitInstructions>& instructionsInUse() {
    static std::atomic<BlitInstructions> inUse{
        blitInstructionsSupported(BlitInstructions::Avx512) ? BlitInstructions::Avx512
        : blitInstructionsSupported(BlitInstructions::Avx2) ? BlitInstructions::Avx2
                                                            : BlitInstructions::Baseline};
    return inUse;
}

const BlitKernels& kernels() {
    switch (instructionsInUse().load(std::memory_order_relaxed)) {
        case BlitInstructions::Avx512:
            return avx512BlitKernels();
        case BlitInstructions::Avx2:
            return avx2BlitKernels();
        default:
            return baselineBlitKernels();
    }
}

// The 8-bit source's palette in the destination's encoding, for the
// converting loops.
struct PaletteTables {
    alignas(64) std::uint8_t to16Bytes[2][kPaletteEntries];
    alignas(32) std::uint8_t to16Planes[2][16][32];
    std::uint16_t to16[kPaletteEntries];
    std::uint8_t to24[kPaletteEntries][4];
};

void buildTables(const Palette& palette, int dstMode, PaletteTables& t) {
    for (int i = 0; i < kPaletteEntries; ++i) {
        const auto index = static_cast<std::uint8_t>(i);
        if (dstMode == kMode16) {
            const std::uint16_t value = paletteTo16(index, palette);
            t.to16[i] = value;
            t.to16Bytes[0][i] = static_cast<std::uint8_t>(value);
            t.to16Bytes[1][i] = static_cast<std::uint8_t>(value >> 8);
            for (int lane = 0; lane < 32; lane += 16) {
                t.to16Planes[0][i >> 4][lane + (i & 15)] = static_cast<std::uint8_t>(value);
                t.to16Planes[1][i >> 4][lane + (i & 15)] = static_cast<std::uint8_t>(value >> 8);
            }
        } else {
            paletteToPixel24(t.to24[i], index, palette);
            t.to24[i][3] = 0;
        }
    }
}

// From this many pixels on, a rectangle between two pages goes out in bands
// of rows over the processors: the converting and keyed loops are bound by
// the processor rather than by memory, and starting the threads (some 50
// microseconds) costs far less than the rows take.
constexpr std::int64_t kBandedPixels = std::int64_t{1} << 20;

// Bands per thread: each thread takes the next band when it is free, so a
// processor slowed by other work takes fewer of them.
constexpr std::int64_t kBandsPerThread = 8;

// Runs the loops over the job's rows, in bands on every processor when the
// job is large. Bands are independent only when no row of the destination is
// a row of the source, so a copy within one page stays on one thread.
void runRows(RowsFn rows, const RowJob& job, bool onePage) {
    if (onePage || job.rows * job.pixels < kBandedPixels) return rows(job);
    const unsigned threads = jobThreads();
    const auto bands = std::min<std::int64_t>(std::int64_t{threads} * kBandsPerThread, job.rows);
    if (threads < 2 || bands < 2) return rows(job);
    runJobs(static_cast<std::size_t>(bands), threads, [&](std::size_t band, unsigned) {
        const auto i = static_cast<std::int64_t>(band);
        const std::int64_t first = job.rows * i / bands, end = job.rows * (i + 1) / bands;
        RowJob part = job;
        part.dst += first * job.dstRowBytes;
        part.src += first * job.srcRowBytes;
        part.rows = end - first;
        rows(part);
        return true;
    });
}

void transferRows(Page& dst, int dstX, int dstY, const Page& src, int srcX, int srcY, const Clip& c,
                  int blitMode) {
    const std::int64_t n = c.jEnd - c.jBegin;
    if (n <= 0) return;
    // Within one row of one page the spans may overlap; only there must each
    // pixel be read after the writes before it.
    if (&dst == &src && dstY == srcY) {
        switch (dst.mode) {
            case kMode8:
                return overlappingRows<kMode8>(dst, dstX, dstY, srcX, c, blitMode);
            case kMode16:
                return overlappingRows<kMode16>(dst, dstX, dstY, srcX, c, blitMode);
            default:
                return overlappingRows<kMode24>(dst, dstX, dstY, srcX, c, blitMode);
        }
    }
    const int mode = blitMode == kBlitFront || blitMode == kBlitBehind ? blitMode : kBlitOpaque;
    const RowsFn rows = kernels().rows[src.mode - 1][dst.mode - 1][mode];
    if (rows == nullptr) return;
    RowJob job;
    job.dstRowBytes = std::int64_t{dst.stride} * dst.mode;
    job.srcRowBytes = std::int64_t{src.stride} * src.mode;
    job.dst = pixelBytes(dst) + (dstY + c.kBegin) * job.dstRowBytes + (dstX + c.jBegin) * dst.mode;
    job.src = pixelBytes(src) + (srcY + c.kBegin) * job.srcRowBytes + (srcX + c.jBegin) * src.mode;
    job.rows = c.kEnd - c.kBegin;
    job.pixels = n;
    job.srcKey = colorKeyOf(src) & 0xFFFFFFu;
    job.dstKey = colorKeyOf(dst) & 0xFFFFFFu;
    PaletteTables tables;
    if (src.mode == kMode8 && dst.mode != kMode8) {
        buildTables(src.palette, dst.mode, tables);
        job.paletteTo16 = tables.to16;
        job.paletteTo16Planes = tables.to16Planes;
        job.paletteTo16Bytes = tables.to16Bytes;
        job.paletteTo24 = tables.to24;
    }
    runRows(rows, job, &dst == &src);
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

bool blitInstructionsSupported(BlitInstructions set) {
    switch (set) {
        case BlitInstructions::Baseline:
            return true;
        case BlitInstructions::Avx2:
#if defined(__x86_64__) || defined(__i386__)
            __builtin_cpu_init();
            return __builtin_cpu_supports("avx2");
#else
            return false;
#endif
        case BlitInstructions::Avx512:
#if defined(__x86_64__) || defined(__i386__)
            __builtin_cpu_init();
            return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("avx512f") &&
                   __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi");
#else
            return false;
#endif
    }
    return false;
}

bool useBlitInstructions(BlitInstructions set) {
    if (!blitInstructionsSupported(set)) return false;
    instructionsInUse().store(set, std::memory_order_relaxed);
    return true;
}

BlitInstructions blitInstructionsInUse() {
    return instructionsInUse().load(std::memory_order_relaxed);
}

bool blitAllowed(int srcMode, int dstMode) {
    return srcMode <= dstMode || (srcMode == kMode24 && dstMode == kMode16);
}

Outcome blitPage(Page& dst, int dstX, int dstY, const Page& src, int srcX, int srcY, int width,
                 int height, int blitMode) {
    if (dst.mode == kModeNone || src.mode == kModeNone) return Outcome::silent();
    if (!blitAllowed(src.mode, dst.mode)) return Outcome::error(texts::kModeRefused);
    const Clip c = clipRect(dst, dstX, dstY, src, srcX, srcY, width, height);
    const bool rowPassed = c.kBegin < c.kEnd;
    if (rowPassed && hasPixels(dst) && hasPixels(src))
        transferRows(dst, dstX, dstY, src, srcX, srcY, c, blitMode);
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
