// A plain per-pixel transfer written straight from the rules, used to prove
// that the optimised blit gives identical pages.
#pragma once

#include <gtest/gtest.h>

#include "image/page.h"

namespace zentil::test {

void referenceBlit(Page& dst, int dstX, int dstY, const Page& src, int srcX, int srcY, int width,
                   int height, int blitMode);

// A deep copy of a page record with all its buffers.
Page clonePage(const Page& page);

// Adds a test failure naming the first difference between two pages.
::testing::AssertionResult samePage(const Page& a, const Page& b);

}  // namespace zentil::test
