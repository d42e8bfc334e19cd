// The one pixel-transfer primitive: copies a rectangle between pages,
// converting colour modes and honouring colour keys.
#pragma once

#include "image/page.h"
#include "system/outcome.h"

namespace zentil {

// How keyed pixels are treated; the main window's copy mode item index.
inline constexpr int kBlitOpaque = 0;  // every source pixel inside both pages is written
inline constexpr int kBlitFront = 1;   // source pixels equal to the source key are skipped
inline constexpr int kBlitBehind =
    2;  // only destination pixels equal to the destination key change

// The instruction sets the transfer's loops are built for. It uses the
// widest the processor has; the results are the same with every one.
enum class BlitInstructions { Baseline, Avx2, Avx512 };
bool blitInstructionsSupported(BlitInstructions set);
// Makes every later transfer use `set` (for tests, which prove each one);
// false, changing nothing, when the processor lacks it.
bool useBlitInstructions(BlitInstructions set);
BlitInstructions blitInstructionsInUse();

// Whether pixels of mode `srcMode` may be copied into a page of `dstMode`:
// never from a higher mode into a lower one, except 24-bit into 16-bit.
bool blitAllowed(int srcMode, int dstMode);

// Copies the width x height rectangle at (srcX, srcY) of `src` to (dstX, dstY)
// of `dst`. Rows and columns are clipped independently against both pages'
// heights and strides (padding columns count). Pixels are visited in
// increasing rows and columns and read when reached, so an overlapping copy
// within one page reads pixels it has already written.
// Between two 8-bit pages the source palette follows when any row lies
// inside both pages. Afterwards the destination takes the source's key when
// the modes match, otherwise it re-detects its key from its corners.
// A refused mode pair changes nothing and fails with its message; a page in
// no mode fails silently. Large rectangles between two pages are shared out
// among the processors' threads; the call returns when all are done.
Outcome blitPage(Page& dst, int dstX, int dstY, const Page& src, int srcX, int srcY, int width,
                 int height, int blitMode);
Outcome copyPageRect(Page& dst, int dstX, int dstY, const Page& src, int srcX, int srcY, int width,
                     int height);

// Takes the source rectangle out (into a work page, so `dst` and `src` may be
// the same page and overlap), clears all of `dst` to its key, and puts the
// rectangle, with its padding columns, at (dstX, dstY).
Outcome movePageRect(Page& dst, int dstX, int dstY, const Page& src, int srcX, int srcY, int width,
                     int height);

}  // namespace zentil
