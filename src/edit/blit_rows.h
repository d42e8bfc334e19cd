// The row loops of every mode pair and blit mode, written as plain loops that
// the compiler turns into vector code. Included once per instruction set:
// the including file defines ZENTIL_ROWS_TARGET as the function attribute
// that names the set (empty for the baseline), and everything here has
// internal linkage, so the copies never meet. With ZENTIL_ROWS_AVX2 defined
// too, 24-bit to 16-bit rows and 8-bit to 16-bit palette look-ups take loops
// written with AVX2 intrinsics, where the compiler's own code is slower; with
// ZENTIL_ROWS_AVX512 instead, loops of AVX-512 byte permutes.
//
// Keyed and converting rows go in chunks: the chunk's pixels converted to
// the destination's encoding, a mask of the pixels to write, then a select.
// Every pixel gives exactly what the per-pixel rules give.
#pragma once

#ifndef ZENTIL_ROWS_TARGET
#error "define ZENTIL_ROWS_TARGET before including blit_rows.h"
#endif

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#if defined(ZENTIL_ROWS_AVX2) || defined(ZENTIL_ROWS_AVX512) || defined(__SSE2__)
#include <immintrin.h>
#endif

#include "edit/blit.h"
#include "edit/blit_kernels.h"
#include "image/page.h"

namespace zentil {
namespace {

using u8 = std::uint8_t;
using u16 = std::uint16_t;
using u32 = std::uint32_t;
using i64 = std::int64_t;

#define ZT ZENTIL_ROWS_TARGET

// Pixels per chunk of a keyed or converting row.
constexpr i64 kChunk = 256;

template <int Mode>
struct Pixel;
template <>
struct Pixel<kMode8> {
    using T = u8;
};
template <>
struct Pixel<kMode16> {
    using T = u16;
};
template <>
struct Pixel<kMode24> {
    using T = u8;  // three per pixel
};

// 5-bit channel to 8 bits: c << 3, with 31 giving 255.
ZT inline u8 widen5(u32 c) {
    return static_cast<u8>((c << 3) | (((c + 1) >> 5) * 7));
}

// 8-bit channel to 5 bits: c >> 3, with 1 to 7 giving 1.
ZT inline u8 narrow8(u8 c) {
    const u8 shifted = static_cast<u8>(c >> 3), notBlack = c < 1 ? c : u8{1};
    return shifted > notBlack ? shifted : notBlack;
}

// Eight palette look-ups into 16-bit values, gathered into two 8-byte stores,
// with half of the indexes taken from one 4-byte load: scalar look-ups are
// bound by their loads, and this spends fewer of them. Little-endian only.
ZT inline void lookUp16Eight(u16* __restrict d, const u8* __restrict s, const u16* table) {
    const auto at = [table](u32 index) -> std::uint64_t { return table[index]; };
    u32 e;
    std::memcpy(&e, s + 4, 4);
    const std::uint64_t first = at(s[0]) | at(s[1]) << 16 | at(s[2]) << 32 | at(s[3]) << 48;
    const std::uint64_t second =
        at(e & 0xFF) | at((e >> 8) & 0xFF) << 16 | at((e >> 16) & 0xFF) << 32 | at(e >> 24) << 48;
    std::memcpy(d, &first, 8);
    std::memcpy(d + 4, &second, 8);
}

#ifdef ZENTIL_ROWS_AVX2
// One byte of 32 pixels' values from one plane of the 16-bit table: a shuffle
// looks the index's low four bits up in each of the plane's 16 rows, and
// blends on bits 4, 5, 6 and 7 (moved to each byte's top bit) pick the row.
ZT inline __m256i lookUpPlane(const u8 (*plane)[32], __m256i low, __m256i bit4, __m256i bit5,
                              __m256i bit6, __m256i index) {
    const auto row = [plane, low](int r) ZT {
        return _mm256_shuffle_epi8(_mm256_load_si256(reinterpret_cast<const __m256i*>(plane[r])),
                                   low);
    };
    __m256i picked[8];
#pragma GCC unroll 8
    for (int j = 0; j < 8; ++j)
        picked[j] = _mm256_blendv_epi8(row(2 * j), row(2 * j + 1), bit4);
#pragma GCC unroll 4
    for (int j = 0; j < 4; ++j)
        picked[j] = _mm256_blendv_epi8(picked[2 * j], picked[2 * j + 1], bit5);
    picked[0] = _mm256_blendv_epi8(picked[0], picked[1], bit6);
    picked[1] = _mm256_blendv_epi8(picked[2], picked[3], bit6);
    return _mm256_blendv_epi8(picked[0], picked[1], index);
}

// 8-bit to 16-bit through the palette, 48 pixels at a time: 32 by shuffles
// on the vector units while 16 go through scalar look-ups on the integer
// units, so that both kinds work at once. Gives how many pixels it did.
ZT inline i64 lookUp16Avx2(u16* __restrict d, const u8* __restrict s, i64 n, const RowJob& job) {
    const __m256i lowFour = _mm256_set1_epi8(0x0F);
    // Held here: the stores below could otherwise be taken to change them.
    const u16* const table = job.paletteTo16;
    const u8(*const lowPlane)[32] = job.paletteTo16Planes[0];
    const u8(*const highPlane)[32] = job.paletteTo16Planes[1];
    i64 i = 0;
    for (; i + 48 <= n; i += 48) {
        const __m256i index = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
        const __m256i low = _mm256_and_si256(index, lowFour);
        const __m256i bit4 = _mm256_slli_epi16(index, 3), bit5 = _mm256_slli_epi16(index, 2),
                      bit6 = _mm256_slli_epi16(index, 1);
        lookUp16Eight(d + i + 32, s + i + 32, table);
        const __m256i lowBytes = lookUpPlane(lowPlane, low, bit4, bit5, bit6, index);
        lookUp16Eight(d + i + 40, s + i + 40, table);
        const __m256i highBytes = lookUpPlane(highPlane, low, bit4, bit5, bit6, index);
        // Interleaved per 128-bit lane: pixels 0-7 and 16-23, then 8-15 and 24-31.
        const __m256i first = _mm256_unpacklo_epi8(lowBytes, highBytes),
                      second = _mm256_unpackhi_epi8(lowBytes, highBytes);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i),
                            _mm256_permute2x128_si256(first, second, 0x20));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i + 16),
                            _mm256_permute2x128_si256(first, second, 0x31));
    }
    return i;
}

// Byte j of the result is 0xFF where bit j of `bits` is set.
ZT inline __m256i bitsToBytes(u32 bits) {
    const __m256i spread =
        _mm256_shuffle_epi8(_mm256_set1_epi32(static_cast<int>(bits)),
                            _mm256_setr_epi8(0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1,  //
                                             2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3, 3, 3, 3, 3));
    const __m256i bit = _mm256_set1_epi64x(static_cast<long long>(0x8040201008040201ull));
    return _mm256_cmpeq_epi8(_mm256_and_si256(spread, bit), bit);
}

// Same-mode keyed 24-bit rows, 32 pixels (three registers of bytes) a step:
// every byte is compared with the key byte of its place in the pixel, the
// 96 results go to a bit mask, a pixel is keyed where its three bits are all
// set, and the mask of the keyed pixels' bytes picks what is written. Front
// writes the source's pixels that are not its key; behind writes where the
// destination's pixel is its key. Gives how many pixels it did.
template <int Mode>
ZT inline i64 keyed24Avx2(u8* __restrict d, const u8* __restrict s, i64 n, u32 key) {
    // The key's bytes B, G, R, 0 in every 4 bytes, shuffled into pixel order:
    // byte j of register r takes the key byte of place (32r + j) % 3.
    const __m256i quad = _mm256_set1_epi32(static_cast<int>(key));
    const __m256i k0 = _mm256_shuffle_epi8(
        quad, _mm256_setr_epi8(0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0,  //
                               1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1));
    const __m256i k1 = _mm256_shuffle_epi8(
        quad, _mm256_setr_epi8(2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2,  //
                               0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0));
    const __m256i k2 = _mm256_shuffle_epi8(
        quad, _mm256_setr_epi8(1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1,  //
                               2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2));
    // The 96 comparison bits are read through two 64-bit windows, bits 0-63
    // and bits 32-95, each holding its pixels whole: the pixels that begin
    // at bits 0, 3, ... 30 in the first, at 33, 36, ... 93 in the second.
    constexpr std::uint64_t firstStarts = 0x49249249ull, secondStarts = 0x2492492492492492ull;
    const auto equalBits = [](__m256i v, __m256i k) ZT -> std::uint64_t {
        return static_cast<u32>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(v, k)));
    };
    // Each keyed pixel's start bit, spread over its three bits.
    const auto keyedBits = [](std::uint64_t same, std::uint64_t starts)
                               ZT { return (same & (same >> 1) & (same >> 2) & starts) * 7; };
    i64 i = 0;
    for (; i + 32 <= n; i += 32) {
        const auto* from = reinterpret_cast<const __m256i*>(s + 3 * i);
        auto* to = reinterpret_cast<__m256i*>(d + 3 * i);
        const __m256i s0 = _mm256_loadu_si256(from), s1 = _mm256_loadu_si256(from + 1),
                      s2 = _mm256_loadu_si256(from + 2);
        const __m256i d0 = _mm256_loadu_si256(to), d1 = _mm256_loadu_si256(to + 1),
                      d2 = _mm256_loadu_si256(to + 2);
        const std::uint64_t b0 = equalBits(Mode == kBlitFront ? s0 : d0, k0),
                            b1 = equalBits(Mode == kBlitFront ? s1 : d1, k1),
                            b2 = equalBits(Mode == kBlitFront ? s2 : d2, k2);
        const std::uint64_t first = keyedBits(b0 | b1 << 32, firstStarts),
                            second = keyedBits(b1 | b2 << 32, secondStarts);
        u32 write0 = static_cast<u32>(first), write1 = static_cast<u32>((first >> 32) | second),
            write2 = static_cast<u32>(second >> 32);
        if constexpr (Mode == kBlitFront) {
            write0 = ~write0;
            write1 = ~write1;
            write2 = ~write2;
        }
        _mm256_storeu_si256(to, _mm256_blendv_epi8(d0, s0, bitsToBytes(write0)));
        _mm256_storeu_si256(to + 1, _mm256_blendv_epi8(d1, s1, bitsToBytes(write1)));
        _mm256_storeu_si256(to + 2, _mm256_blendv_epi8(d2, s2, bitsToBytes(write2)));
    }
    return i;
}
#endif

#ifdef ZENTIL_ROWS_AVX512
// The first `n` of 64 lanes (all when n >= 64, none when n <= 0).
ZT inline __mmask64 firstLanes(i64 n) {
    return n >= 64 ? ~__mmask64{0} : n <= 0 ? __mmask64{0} : (__mmask64{1} << n) - 1;
}

// 8-bit to 16-bit through the palette, 64 pixels a step: byte permutes look
// every index up in the two 128-entry halves of the low-byte plane and of
// the high-byte plane, and the index's top bit picks the half. The last step
// loads and stores only the pixels there are, so this does every pixel.
ZT inline void lookUp16Avx512(u16* __restrict d, const u8* __restrict s, i64 n, const RowJob& job) {
    const auto* planes = reinterpret_cast<const __m512i*>(job.paletteTo16Bytes);
    const __m512i low0 = _mm512_load_si512(planes), low1 = _mm512_load_si512(planes + 1),
                  low2 = _mm512_load_si512(planes + 2), low3 = _mm512_load_si512(planes + 3);
    const __m512i high0 = _mm512_load_si512(planes + 4), high1 = _mm512_load_si512(planes + 5),
                  high2 = _mm512_load_si512(planes + 6), high3 = _mm512_load_si512(planes + 7);
    // The indexes' eight-byte groups reordered so that interleaving the low
    // and high bytes within each 128-bit lane gives pixels 0-31, then 32-63.
    const __m512i order = _mm512_setr_epi64(0, 4, 1, 5, 2, 6, 3, 7);
    for (i64 i = 0; i < n; i += 64) {
        const i64 left = n - i;
        // (The two-source permute: GCC 12 warns wrongly of the one-source one.)
        const __m512i loaded = _mm512_maskz_loadu_epi8(firstLanes(left), s + i);
        const __m512i index = _mm512_permutex2var_epi64(loaded, order, loaded);
        const __mmask64 upper = _mm512_movepi8_mask(index);
        const __m512i low =
            _mm512_mask_blend_epi8(upper, _mm512_permutex2var_epi8(low0, index, low1),
                                   _mm512_permutex2var_epi8(low2, index, low3));
        const __m512i high =
            _mm512_mask_blend_epi8(upper, _mm512_permutex2var_epi8(high0, index, high1),
                                   _mm512_permutex2var_epi8(high2, index, high3));
        const __m512i first = _mm512_unpacklo_epi8(low, high),
                      second = _mm512_unpackhi_epi8(low, high);
        if (left >= 64) {
            _mm512_storeu_si512(d + i, first);
            _mm512_storeu_si512(d + i + 32, second);
        } else {
            _mm512_mask_storeu_epi16(d + i, static_cast<__mmask32>(firstLanes(left)), first);
            _mm512_mask_storeu_epi16(d + i + 32, static_cast<__mmask32>(firstLanes(left - 32)),
                                     second);
        }
    }
}

// Byte places, in two registers of 64 bytes of B, G, R pixels, of 32 pixels'
// blue and green (as the two bytes of a 16-bit word each) and of their red
// (in the word's low byte), the first pixel at byte `First`.
template <int Channel, int First>
constexpr std::array<u8, 64> pixelBytePlaces() {
    std::array<u8, 64> places{};
    for (int k = 0; k < 32; ++k) {
        places[2 * k] = static_cast<u8>(First + 3 * k + Channel);
        places[2 * k + 1] = static_cast<u8>(First + 3 * k + 1);
    }
    return places;
}
alignas(64) constexpr std::array<u8, 64> kBlueGreenPlaces[2] = {pixelBytePlaces<0, 0>(),
                                                                pixelBytePlaces<0, 32>()};
alignas(64) constexpr std::array<u8, 64> kRedPlaces[2] = {pixelBytePlaces<2, 0>(),
                                                          pixelBytePlaces<2, 32>()};

// 24-bit to 16-bit, 64 pixels (three registers of 192 bytes) a step: every
// byte narrowed; then for each 32 pixels, from the two registers that hold
// them, each pixel's blue and green gathered into one word by a byte
// permute and combined as blue + 32 x green by a multiply-add, its red into
// another word. The last pixels are loaded and stored under masks, so that
// nothing outside the row is touched.
ZT inline void convert24to16Avx512(u16* __restrict d, const u8* __restrict s, i64 n) {
    const __m512i lowFive = _mm512_set1_epi8(0x1F), one = _mm512_set1_epi8(1);
    const __m512i blueGreenWeights = _mm512_set1_epi16(0x2001);  // 1 x blue + 32 x green
    constexpr __mmask64 lowBytes = 0x5555555555555555;
    // c >> 3, with 1 to 7 giving 1.
    const auto narrow = [&](__m512i c) ZT {
        return _mm512_max_epu8(_mm512_and_si512(_mm512_srli_epi16(c, 3), lowFive),
                               _mm512_min_epu8(c, one));
    };
    // Pixels 32h to 32h + 31 of the step, from registers a and b.
    const auto half = [&](int h, __m512i a, __m512i b) ZT {
        const __m512i blueGreen =
            _mm512_permutex2var_epi8(a, _mm512_load_si512(kBlueGreenPlaces[h].data()), b);
        const __m512i red =
            _mm512_maskz_permutex2var_epi8(lowBytes, a, _mm512_load_si512(kRedPlaces[h].data()), b);
        return _mm512_or_si512(_mm512_maddubs_epi16(blueGreen, blueGreenWeights),
                               _mm512_slli_epi16(red, 10));
    };
    i64 i = 0;
    for (; i + 64 <= n; i += 64) {
        const u8* p = s + 3 * i;
        const __m512i r0 = narrow(_mm512_loadu_si512(p));
        const __m512i r1 = narrow(_mm512_loadu_si512(p + 64));
        const __m512i r2 = narrow(_mm512_loadu_si512(p + 128));
        _mm512_storeu_si512(d + i, half(0, r0, r1));
        _mm512_storeu_si512(d + i + 32, half(1, r1, r2));
    }
    if (i < n) {  // fewer than 64 pixels left
        const i64 left = n - i, bytes = 3 * left;
        const u8* p = s + 3 * i;
        const __m512i r0 = narrow(_mm512_maskz_loadu_epi8(firstLanes(bytes), p));
        const __m512i r1 = narrow(_mm512_maskz_loadu_epi8(firstLanes(bytes - 64), p + 64));
        const __m512i r2 = narrow(_mm512_maskz_loadu_epi8(firstLanes(bytes - 128), p + 128));
        _mm512_mask_storeu_epi16(d + i, static_cast<__mmask32>(firstLanes(left)), half(0, r0, r1));
        _mm512_mask_storeu_epi16(d + i + 32, static_cast<__mmask32>(firstLanes(left - 32)),
                                 half(1, r1, r2));
    }
}
#endif

ZT inline void convert16to24(u8* __restrict d, const u16* __restrict s, i64 n) {
    for (i64 i = 0; i < n; ++i) {
        const u32 v = s[i];
        d[3 * i] = widen5(v & 31u);
        d[3 * i + 1] = widen5((v >> 5) & 31u);
        d[3 * i + 2] = widen5((v >> 10) & 31u);
    }
}

#ifdef ZENTIL_ROWS_AVX2
// 24-bit to 16-bit, 16 pixels at a time, as the loop below does it: each
// 128-bit lane takes 8 pixels (24 bytes, loaded as two overlapping 16-byte
// pieces), narrows every byte, and gathers each pixel's blue and green into
// one 16-bit word and its red into another. Gives how many pixels it did.
ZT inline i64 convert24to16Avx2(u16* __restrict d, const u8* __restrict s, i64 n) {
    const __m256i blueGreenOfFirst =
        _mm256_setr_epi8(0, 1, 3, 4, 6, 7, 9, 10, 12, 13, -1, -1, -1, -1, -1, -1,  //
                         0, 1, 3, 4, 6, 7, 9, 10, 12, 13, -1, -1, -1, -1, -1, -1);
    const __m256i blueGreenOfSecond =
        _mm256_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 7, 8, 10, 11, 13, 14,  //
                         -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 7, 8, 10, 11, 13, 14);
    const __m256i redOfFirst =
        _mm256_setr_epi8(2, -1, 5, -1, 8, -1, 11, -1, 14, -1, -1, -1, -1, -1, -1, -1,  //
                         2, -1, 5, -1, 8, -1, 11, -1, 14, -1, -1, -1, -1, -1, -1, -1);
    const __m256i redOfSecond =
        _mm256_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 9, -1, 12, -1, 15, -1,  //
                         -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 9, -1, 12, -1, 15, -1);
    const __m256i lowFive = _mm256_set1_epi8(0x1F), one = _mm256_set1_epi8(1);
    const __m256i blueMask = _mm256_set1_epi16(0x1F), greenMask = _mm256_set1_epi16(0x3E0);
    const auto load = [](const u8* p)
                          ZT { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
    // c >> 3, with 1 to 7 giving 1.
    const auto narrow = [&](__m256i c) ZT {
        return _mm256_max_epu8(_mm256_and_si256(_mm256_srli_epi16(c, 3), lowFive),
                               _mm256_min_epu8(c, one));
    };
    i64 i = 0;
    for (; i + 16 <= n; i += 16) {
        const u8* p = s + 3 * i;
        const __m256i first =
            narrow(_mm256_inserti128_si256(_mm256_castsi128_si256(load(p)), load(p + 24), 1));
        const __m256i second =
            narrow(_mm256_inserti128_si256(_mm256_castsi128_si256(load(p + 8)), load(p + 32), 1));
        const __m256i blueGreen = _mm256_or_si256(_mm256_shuffle_epi8(first, blueGreenOfFirst),
                                                  _mm256_shuffle_epi8(second, blueGreenOfSecond));
        const __m256i red = _mm256_or_si256(_mm256_shuffle_epi8(first, redOfFirst),
                                            _mm256_shuffle_epi8(second, redOfSecond));
        const __m256i value = _mm256_or_si256(
            _mm256_or_si256(_mm256_and_si256(blueGreen, blueMask),
                            _mm256_and_si256(_mm256_srli_epi16(blueGreen, 3), greenMask)),
            _mm256_slli_epi16(red, 10));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i), value);
    }
    return i;
}
#endif

ZT inline void convert24to16(u16* __restrict d, const u8* __restrict s, i64 n) {
    i64 i = 0;
#if defined(ZENTIL_ROWS_AVX512)
    convert24to16Avx512(d, s, n);
    i = n;
#elif defined(ZENTIL_ROWS_AVX2)
    i = convert24to16Avx2(d, s, n);
#endif
    for (; i < n; ++i) {
        const u16 b = narrow8(s[3 * i]), g = narrow8(s[3 * i + 1]), r = narrow8(s[3 * i + 2]);
        d[i] = static_cast<u16>((r << 10) | (g << 5) | b);
    }
}

// Same-mode rows, as plain vector loads and stores rather than memcpy: the
// string-move instruction memcpy uses for rows of a few kilobytes runs
// several times slower on some processors when the destination lies just
// past the source modulo 4096 bytes, which rows of two pages often do.
// Pieces of 16 bytes keep up with memory in every instruction set.
ZT inline void copyRow(u8* __restrict d, const u8* __restrict s, i64 n) {
    i64 i = 0;
#if defined(__SSE2__)
    for (; i + 64 <= n; i += 64) {
        const auto* from = reinterpret_cast<const __m128i*>(s + i);
        auto* to = reinterpret_cast<__m128i*>(d + i);
        const __m128i a = _mm_loadu_si128(from), b = _mm_loadu_si128(from + 1),
                      c = _mm_loadu_si128(from + 2), e = _mm_loadu_si128(from + 3);
        _mm_storeu_si128(to, a);
        _mm_storeu_si128(to + 1, b);
        _mm_storeu_si128(to + 2, c);
        _mm_storeu_si128(to + 3, e);
    }
#endif
    // What is left is too short for the string move.
    std::memcpy(d + i, s + i, static_cast<std::size_t>(n - i));
}

template <int Src, int Dst>
ZT inline void convert(typename Pixel<Dst>::T* __restrict d,
                       const typename Pixel<Src>::T* __restrict s, i64 n, const RowJob& job) {
    if constexpr (Src == Dst) {
        copyRow(reinterpret_cast<u8*>(d), reinterpret_cast<const u8*>(s),
                n * static_cast<i64>(sizeof(*d)) * (Dst == kMode24 ? 3 : 1));
    } else if constexpr (Src == kMode8 && Dst == kMode16) {
#if defined(ZENTIL_ROWS_AVX512)
        lookUp16Avx512(d, s, n, job);
#else
        i64 done = 0;
#ifdef ZENTIL_ROWS_AVX2
        done = lookUp16Avx2(d, s, n, job);
#endif
        lookUp16(d + done, s + done, n - done, job.paletteTo16);
#endif
    } else if constexpr (Src == kMode8 && Dst == kMode24) {
        lookUp24(d, s, n, job.paletteTo24);
    } else if constexpr (Src == kMode16 && Dst == kMode24) {
        convert16to24(d, s, n);
    } else {
        static_assert(Src == kMode24 && Dst == kMode16);
        convert24to16(d, s, n);
    }
}

// mask[i] = 0xFF where pixel i equals `key` (when `equal`) or differs from it
// (when not), else 0.
template <int Mode>
ZT inline void keyMask(u8* __restrict mask, const typename Pixel<Mode>::T* __restrict p, i64 n,
                       u32 key, bool equal) {
    const u8 flip = equal ? 0 : 0xFF;
    if constexpr (Mode == kMode24) {
        const u8 kb = static_cast<u8>(key), kg = static_cast<u8>(key >> 8),
                 kr = static_cast<u8>(key >> 16);
        for (i64 i = 0; i < n; ++i) {
            const u8 same =
                static_cast<u8>((p[3 * i] == kb) & (p[3 * i + 1] == kg) & (p[3 * i + 2] == kr));
            mask[i] = static_cast<u8>(-same) ^ flip;
        }
    } else {
        const auto k = static_cast<typename Pixel<Mode>::T>(key);
        for (i64 i = 0; i < n; ++i)
            mask[i] = static_cast<u8>(-static_cast<u8>(p[i] == k)) ^ flip;
    }
}

// d[i] = v[i] where mask[i] is set.
template <int Mode>
ZT inline void blendMasked(typename Pixel<Mode>::T* __restrict d,
                           const typename Pixel<Mode>::T* __restrict v, const u8* __restrict mask,
                           i64 n) {
    if constexpr (Mode == kMode24) {
        // The mask once per byte, then a select of bytes.
        alignas(32) u8 bytes[3 * kChunk];
        for (i64 i = 0; i < n; ++i) {
            bytes[3 * i] = mask[i];
            bytes[3 * i + 1] = mask[i];
            bytes[3 * i + 2] = mask[i];
        }
        for (i64 b = 0; b < 3 * n; ++b) {
            const u8 keep = d[b], take = v[b];
            d[b] = static_cast<u8>((take & bytes[b]) | (keep & ~bytes[b]));
        }
    } else {
        using T = typename Pixel<Mode>::T;
        for (i64 i = 0; i < n; ++i) {
            const T keep = d[i], take = v[i];
            const T wide = static_cast<T>(-static_cast<T>(mask[i] != 0));
            d[i] = static_cast<T>((take & wide) | (keep & ~wide));
        }
    }
}

// Same-mode keyed rows of 8- and 16-bit pixels: one select per pixel. Both
// pixels are read whatever the test gives, so that the loop vectorises.
template <int Mode, typename T>
ZT inline void selectSpan(T* __restrict d, const T* __restrict s, i64 n, T srcKey, T dstKey) {
    for (i64 i = 0; i < n; ++i) {
        const T sv = s[i], dv = d[i];
        if constexpr (Mode == kBlitFront)
            d[i] = sv == srcKey ? dv : sv;
        else
            d[i] = dv == dstKey ? sv : dv;
    }
}

template <int Src, int Dst, int Mode>
ZT void span(typename Pixel<Dst>::T* __restrict d, const typename Pixel<Src>::T* __restrict s,
             i64 n, const RowJob& job) {
    using D = typename Pixel<Dst>::T;
    constexpr i64 kSrcElems = Src == kMode24 ? 3 : 1, kDstElems = Dst == kMode24 ? 3 : 1;
    if constexpr (Mode == kBlitOpaque) {
        convert<Src, Dst>(d, s, n, job);
    } else if constexpr (Src == Dst && Src != kMode24) {
        selectSpan<Mode>(d, s, n, static_cast<D>(job.srcKey), static_cast<D>(job.dstKey));
    } else {
#ifdef ZENTIL_ROWS_AVX2
        if constexpr (Src == kMode24 && Dst == kMode24) {
            const i64 done =
                keyed24Avx2<Mode>(d, s, n, Mode == kBlitFront ? job.srcKey : job.dstKey);
            d += 3 * done;
            s += 3 * done;
            n -= done;
        }
#endif
        alignas(32) D converted[kChunk * kDstElems];
        alignas(32) u8 mask[kChunk];
        for (i64 at = 0; at < n; at += kChunk) {
            const i64 c = n - at < kChunk ? n - at : kChunk;
            const auto* from = s + at * kSrcElems;
            D* to = d + at * kDstElems;
            const D* values;
            if constexpr (Src == Dst) {
                values = from;
            } else {
                convert<Src, Dst>(converted, from, c, job);
                values = converted;
            }
            if constexpr (Mode == kBlitFront)
                keyMask<Src>(mask, from, c, job.srcKey, false);
            else
                keyMask<Dst>(mask, to, c, job.dstKey, true);
            blendMasked<Dst>(to, values, mask, c);
        }
    }
}

template <int Src, int Dst, int Mode>
ZT void rows(const RowJob& job) {
    using S = typename Pixel<Src>::T;
    using D = typename Pixel<Dst>::T;
    for (i64 k = 0; k < job.rows; ++k) {
        auto* d = reinterpret_cast<D*>(job.dst + k * job.dstRowBytes);
        const auto* s = reinterpret_cast<const S*>(job.src + k * job.srcRowBytes);
        span<Src, Dst, Mode>(d, s, job.pixels, job);
    }
}

#undef ZT

template <int Src, int Dst>
constexpr void fillModes(BlitKernels& k) {
    k.rows[Src - 1][Dst - 1][kBlitOpaque] = &rows<Src, Dst, kBlitOpaque>;
    k.rows[Src - 1][Dst - 1][kBlitFront] = &rows<Src, Dst, kBlitFront>;
    k.rows[Src - 1][Dst - 1][kBlitBehind] = &rows<Src, Dst, kBlitBehind>;
}

// Every pair blitAllowed accepts.
inline BlitKernels makeKernels() {
    BlitKernels k;
    fillModes<kMode8, kMode8>(k);
    fillModes<kMode8, kMode16>(k);
    fillModes<kMode8, kMode24>(k);
    fillModes<kMode16, kMode16>(k);
    fillModes<kMode16, kMode24>(k);
    fillModes<kMode24, kMode16>(k);
    fillModes<kMode24, kMode24>(k);
    return k;
}

}  // namespace
}  // namespace zentil
