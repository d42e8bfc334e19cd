// The row loops of the pixel transfer, one table per instruction set. Only
// blit.cpp uses them; the tables are built by blit_rows_*.cpp from the loops
// in blit_rows.h.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zentil {

// One rectangle already clipped to both pages, as bytes: `rows` rows of
// `pixels` pixels, each row `dstRowBytes` / `srcRowBytes` after the one
// before. Source and destination spans of one row never overlap (copies
// within one row of one page go through the per-pixel loop instead).
struct RowJob {
    std::uint8_t* dst = nullptr;
    const std::uint8_t* src = nullptr;
    std::ptrdiff_t dstRowBytes = 0;
    std::ptrdiff_t srcRowBytes = 0;
    std::int64_t rows = 0;
    std::int64_t pixels = 0;
    std::uint32_t srcKey = 0;  // in the source's encoding (24-bit: 0x00RRGGBB)
    std::uint32_t dstKey = 0;
    // An 8-bit source's palette in the destination's encoding: 16-bit values,
    // or the bytes B, G, R and one spare byte per entry.
    const std::uint16_t* paletteTo16 = nullptr;
    // The same 16-bit values as two byte planes (low bytes, then high bytes),
    // each as 16 rows of 16 entries written twice, 32-byte aligned: the form
    // vector shuffles look values up in.
    const std::uint8_t (*paletteTo16Planes)[16][32] = nullptr;
    // And as the two planes of 256 bytes each, 64-byte aligned: the form
    // byte permutes over two 64-byte registers look values up in.
    const std::uint8_t (*paletteTo16Bytes)[256] = nullptr;
    const std::uint8_t (*paletteTo24)[4] = nullptr;
};

using RowsFn = void (*)(const RowJob& job);

// Indexed by source mode - 1, destination mode - 1 and blit mode; refused
// pairs are null.
struct BlitKernels {
    RowsFn rows[3][3][3] = {};
};

const BlitKernels& baselineBlitKernels();
// On processors without AVX2 this table must never be used.
const BlitKernels& avx2BlitKernels();
// The AVX2 table with the loops into 16-bit pages made of AVX-512 byte
// permutes; only for processors with AVX-512 F, BW and VBMI.
const BlitKernels& avx512BlitKernels();

// An 8-bit source through its palette table, the scalar loops every
// instruction set shares (vector code of the compiler only loads the entries
// one by one); the AVX2 set looks part of an 8-to-16-bit row up by shuffles
// first and hands the rest to lookUp16.
void lookUp16(std::uint16_t* __restrict d, const std::uint8_t* __restrict s, std::int64_t n,
              const std::uint16_t* table);
void lookUp24(std::uint8_t* __restrict d, const std::uint8_t* __restrict s, std::int64_t n,
              const std::uint8_t (*table)[4]);

}  // namespace zentil
