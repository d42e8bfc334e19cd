// Replacing one colour of a page by another.
#pragma once

#include <cstdint>

#include "image/page.h"
#include "system/outcome.h"

namespace zentil {

// The largest colour value of a mode: 255, 0x7FFF or 0xFFFFFF; 0 for no mode.
std::uint32_t colorLimit(int mode);

// The colour `similar` replacement writes for `from`: on 8-bit pages the
// palette entry, other than `from`, nearest to it (lowest index on ties); on
// 16- and 24-bit pages the next value up, or down from the largest.
std::uint32_t similarColor(const Page& page, std::uint32_t from);

// Writes `to` (or, with `similar`, similarColor) over every pixel equal to
// `from`, padding included. Values above the mode's limit change nothing and
// fail with their message; a page in no known mode fails silently.
Outcome replaceColor(Page& page, std::uint32_t from, std::uint32_t to, bool similar);

}  // namespace zentil
