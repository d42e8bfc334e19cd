// Where edits changed the pixels of pages, for those who keep a figure of a
// page up to date (the GPF size of the status bar) without reading all of it
// again: the last changes, each a page going from one revision to another
// with every pixel it changed inside a rectangle.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "image/page.h"
#include "image/pixel_rect.h"

namespace zentil {

class ChangeLog {
  public:
    // The page has just gone from revision `from` to its revision now, with
    // no pixel changed outside `rect` (the palette and key may have changed).
    void note(const Page& page, std::uint64_t from, PixelRect rect);
    // A rectangle holding every pixel of `page` that changed since the page
    // was at `revision` (empty when it is at it now); nullopt when the log
    // cannot tell: it does not reach back that far, or the page changed
    // meanwhile in a way it was not told of (it was rebuilt or moved).
    std::optional<PixelRect> changedSince(const Page& page, std::uint64_t revision) const;

  private:
    struct Change {
        const Page* page = nullptr;
        std::uint64_t from = 0, to = 0;
        PixelRect rect;
    };
    // A stroke of stamps or an edit of all selected pages notes a change per
    // page and step; older ones fall out.
    static constexpr std::size_t kKept = 64;
    std::array<Change, kKept> changes_{};
    std::size_t next_ = 0;  // where the next change goes
    std::size_t count_ = 0;
};

}  // namespace zentil
