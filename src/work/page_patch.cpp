#include "work/page_patch.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace zentil {

bool PagePatch::capture(const Page& page, PixelRect rect) {
    const std::int64_t x0 = std::max(rect.x, 0), y0 = std::max(rect.y, 0);
    const std::int64_t x1 = std::min<std::int64_t>(std::int64_t{rect.x} + rect.w, page.stride);
    const std::int64_t y1 = std::min<std::int64_t>(std::int64_t{rect.y} + rect.h, page.height);
    rect_ = x0 < x1 && y0 < y1 ? PixelRect{static_cast<int>(x0), static_cast<int>(y0),
                                           static_cast<int>(x1 - x0), static_cast<int>(y1 - y0)}
                               : PixelRect{};
    mode_ = page.mode;
    try {
        pixels_.assign(static_cast<std::size_t>(rect_.w) * rect_.h * std::max(mode_, 0), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    forRows(page, [](const std::uint8_t* from, std::uint8_t* kept, std::size_t n) {
        std::memcpy(kept, from, n);
    });
    palette_ = page.palette;
    quad_ = page.paletteQuad;
    key8_ = page.colorKey8;
    key16_ = page.colorKey16;
    key24_ = page.colorKey24;
    revision_ = page.revision;
    return true;
}

template <typename Fn>
void PagePatch::forRows(const Page& page, Fn fn) const {
    const std::uint8_t* buffer = pixelBytes(page);
    if (buffer == nullptr || rect_.w == 0) return;
    const std::size_t rowBytes = static_cast<std::size_t>(rect_.w) * mode_;
    for (int r = 0; r < rect_.h; ++r) {
        const std::size_t at =
            (static_cast<std::size_t>(rect_.y + r) * page.stride + rect_.x) * mode_;
        fn(const_cast<std::uint8_t*>(buffer + at),
           const_cast<std::uint8_t*>(pixels_.data()) + r * rowBytes, rowBytes);
    }
}

void PagePatch::exchange(Page& page) {
    forRows(page, [](std::uint8_t* live, std::uint8_t* kept, std::size_t n) {
        std::swap_ranges(live, live + n, kept);
    });
    std::swap(page.palette, palette_);
    std::swap(page.paletteQuad, quad_);
    std::swap(page.colorKey8, key8_);
    std::swap(page.colorKey16, key16_);
    std::swap(page.colorKey24, key24_);
    std::swap(page.revision, revision_);
}

void PagePatch::restore(Page& page) const {
    forRows(page, [](std::uint8_t* live, const std::uint8_t* kept, std::size_t n) {
        std::memcpy(live, kept, n);
    });
    page.palette = palette_;
    page.paletteQuad = quad_;
    page.colorKey8 = key8_;
    page.colorKey16 = key16_;
    page.colorKey24 = key24_;
}

bool PagePatch::attributesDiffer(const Page& page) const {
    return page.palette != palette_ || page.paletteQuad != quad_ || page.colorKey8 != key8_ ||
           page.colorKey16 != key16_ || page.colorKey24 != key24_;
}

bool PagePatch::shrinkToChanges(const Page& page) {
    int top = -1, bottom = -1;
    std::size_t left = SIZE_MAX, right = 0;
    const std::size_t rowBytes = static_cast<std::size_t>(rect_.w) * std::max(mode_, 0);
    int r = 0;
    forRows(page, [&](const std::uint8_t* live, const std::uint8_t* kept, std::size_t n) {
        if (std::memcmp(live, kept, n) != 0) {
            std::size_t first = 0, last = n - 1;
            while (live[first] == kept[first])
                ++first;
            while (live[last] == kept[last])
                --last;
            left = std::min(left, first);
            right = std::max(right, last);
            if (top < 0) top = r;
            bottom = r;
        }
        ++r;
    });
    if (top < 0) {
        pixels_.clear();
        pixels_.shrink_to_fit();
        rect_ = PixelRect{};
        return attributesDiffer(page);
    }
    const int mode = mode_;
    const int x0 = static_cast<int>(left) / mode, x1 = static_cast<int>(right) / mode + 1;
    const PixelRect changed{rect_.x + x0, rect_.y + top, x1 - x0, bottom - top + 1};
    std::vector<std::uint8_t> kept(static_cast<std::size_t>(changed.w) * changed.h * mode);
    const std::size_t newRowBytes = static_cast<std::size_t>(changed.w) * mode;
    for (int row = 0; row < changed.h; ++row)
        std::memcpy(kept.data() + row * newRowBytes,
                    pixels_.data() + (top + row) * rowBytes + static_cast<std::size_t>(x0) * mode,
                    newRowBytes);
    pixels_ = std::move(kept);
    rect_ = changed;
    return true;
}

}  // namespace zentil
