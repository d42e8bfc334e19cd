// A kept part of a page: the pixels of one rectangle, the palette, the key
// and the revision. Exchanging it with the page takes an edit back, and
// exchanging it again does the edit once more.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "image/page.h"
#include "image/pixel_rect.h"

namespace zentil {

class PagePatch {
  public:
    // Keeps `rect` (clipped to the buffer; it may be empty) and the rest.
    bool capture(const Page& page, PixelRect rect);
    // Swaps what is kept with what the page holds now.
    void exchange(Page& page);
    // Writes what is kept into the page, keeping it.
    void restore(Page& page) const;
    // After an edit inside the kept rectangle: keeps only the rectangle
    // around the pixels the edit changed. False when nothing at all changed
    // (pixels, palette and key).
    bool shrinkToChanges(const Page& page);
    // The rectangle it keeps, clipped to the page.
    PixelRect rect() const { return rect_; }
    // The memory it keeps besides itself.
    std::size_t heapBytes() const { return pixels_.capacity(); }
    // Whether the page's palette or key differ from what is kept.
    bool attributesDiffer(const Page& page) const;

  private:
    // Calls fn(pageRowBytes, keptRowBytes, rowBytes) for every kept row.
    template <typename Fn>
    void forRows(const Page& page, Fn fn) const;

    PixelRect rect_;
    int mode_ = 0;
    std::vector<std::uint8_t> pixels_;
    Palette palette_{};
    PaletteQuad quad_{};
    std::uint8_t key8_ = 0;
    std::uint16_t key16_ = 0;
    std::uint32_t key24_ = 0;
    std::uint64_t revision_ = 0;
};

}  // namespace zentil
