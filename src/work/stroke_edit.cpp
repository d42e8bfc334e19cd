#include "work/stroke_edit.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <new>
#include <utility>
#include <vector>

#include "system/texts.h"

namespace zentil {
namespace {

// A rectangle of a page's buffer and its rows, in bytes.
struct Area {
    int x = 0, y = 0, w = 0, h = 0;
    bool empty() const { return w <= 0 || h <= 0; }
};

Area clipToBuffer(const Page& page, PixelRect r) {
    const std::int64_t x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    const std::int64_t x1 = std::min<std::int64_t>(std::int64_t{r.x} + r.w, page.stride);
    const std::int64_t y1 = std::min<std::int64_t>(std::int64_t{r.y} + r.h, page.height);
    if (x0 >= x1 || y0 >= y1) return {};
    return {static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0),
            static_cast<int>(y1 - y0)};
}

Area intersect(const Area& a, const Area& b) {
    const int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    const int x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
    return x0 < x1 && y0 < y1 ? Area{x0, y0, x1 - x0, y1 - y0} : Area{};
}

std::uint8_t* rowAt(Page& page, int x, int y) {
    return pixelBytes(page) +
           (static_cast<std::size_t>(y) * page.stride + static_cast<std::size_t>(x)) * page.mode;
}

// The pixels of one area, row after row.
class AreaCopy {
  public:
    bool take(Page& page, const Area& area) {
        area_ = area;
        mode_ = page.mode;
        try {
            bytes_.resize(static_cast<std::size_t>(area.w) * area.h * mode_);
        } catch (const std::bad_alloc&) {
            return false;
        }
        for (int r = 0; r < area.h; ++r)
            std::memcpy(row(r), rowAt(page, area.x, area.y + r), rowBytes());
        return true;
    }
    // Whether the page differs from the copy anywhere in `part` (inside the area).
    bool differs(Page& page, const Area& part) {
        for (int r = part.y; r < part.y + part.h; ++r)
            if (std::memcmp(at(part.x, r), rowAt(page, part.x, r),
                            static_cast<std::size_t>(part.w) * mode_) != 0)
                return true;
        return false;
    }
    // Writes the copy's pixels of `part` into `out`, laid out as `outArea`.
    void copyInto(const Area& part, std::uint8_t* out, const Area& outArea) const {
        const std::size_t outRow = static_cast<std::size_t>(outArea.w) * mode_;
        for (int r = part.y; r < part.y + part.h; ++r)
            std::memcpy(out + static_cast<std::size_t>(r - outArea.y) * outRow +
                            static_cast<std::size_t>(part.x - outArea.x) * mode_,
                        at(part.x, r), static_cast<std::size_t>(part.w) * mode_);
    }
    // Writes the whole copy back where it was taken.
    void putBack(Page& page) const {
        for (int r = 0; r < area_.h; ++r)
            std::memcpy(rowAt(page, area_.x, area_.y + r),
                        bytes_.data() + static_cast<std::size_t>(r) * rowBytes(), rowBytes());
    }
    // The bytes it holds, released.
    void release() { std::vector<std::uint8_t>().swap(bytes_); }

  private:
    std::size_t rowBytes() const { return static_cast<std::size_t>(area_.w) * mode_; }
    std::uint8_t* row(int r) { return bytes_.data() + static_cast<std::size_t>(r) * rowBytes(); }
    const std::uint8_t* at(int x, int y) const {
        return bytes_.data() + static_cast<std::size_t>(y - area_.y) * rowBytes() +
               static_cast<std::size_t>(x - area_.x) * mode_;
    }
    std::uint8_t* at(int x, int y) {
        return const_cast<std::uint8_t*>(std::as_const(*this).at(x, y));
    }

    Area area_;
    int mode_ = 0;
    std::vector<std::uint8_t> bytes_;
};

// The page's old pixels, cell by cell, and its palette, key and revision as
// they were before the stroke. Exchanging them with the page takes the
// stroke back, and exchanging them again does it once more.
class StrokeEdit final : public Command {
  public:
    StrokeEdit(Page& page, int stroke)
        : page_(&page),
          stroke_(stroke),
          stride_(page.stride),
          height_(page.height),
          mode_(page.mode) {}

    PagePatch& attributes() { return attributes_; }

    // Keeps every cell in which the page now differs from `before` (taken of
    // `area` before the edit) as it was before. Gives whether any did.
    bool keepChangedCells(AreaCopy& before, const Area& area) {
        const int c0 = area.x / kStrokeCell, c1 = (area.x + area.w - 1) / kStrokeCell;
        const int r0 = area.y / kStrokeCell, r1 = (area.y + area.h - 1) / kStrokeCell;
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c) {
                const Area cell = cellArea(c, r);
                const Area part = intersect(cell, area);
                if (part.empty() || !before.differs(*page_, part)) continue;
                std::vector<std::uint8_t>& kept = cells_[key(c, r)];
                kept.resize(static_cast<std::size_t>(cell.w) * cell.h * mode_);
                forRows(cell, kept, [](std::uint8_t* live, std::uint8_t* old, std::size_t n) {
                    std::memcpy(old, live, n);
                });
                before.copyInto(part, kept.data(), cell);
            }
        return !cells_.empty();
    }

    void undo(Workspace& workspace) override { exchange(workspace); }
    Outcome redo(Workspace& workspace) override {
        exchange(workspace);
        return Outcome::done();
    }
    std::size_t bytes() const override {
        std::size_t total = sizeof(*this) + attributes_.heapBytes();
        for (const auto& [key, kept] : cells_)
            total += sizeof(key) + sizeof(kept) + 4 * sizeof(void*) + kept.capacity();
        return total;
    }
    Page* touched() const override { return page_; }

    // A later part of the same stroke on the same page, as it still is: its
    // cells that this step does not keep yet join it; the rest were kept
    // here before they changed, so they are dropped.
    bool absorb(Command& next) override {
        auto* more = dynamic_cast<StrokeEdit*>(&next);
        if (more == nullptr || more->stroke_ != stroke_ || more->page_ != page_ ||
            more->stride_ != stride_ || more->height_ != height_ || more->mode_ != mode_)
            return false;
        for (auto& [key, kept] : more->cells_)
            cells_.try_emplace(key, std::move(kept));
        more->cells_.clear();
        return true;
    }

  private:
    static std::uint64_t key(int c, int r) {
        return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(r)) << 32) |
               static_cast<std::uint32_t>(c);
    }
    Area cellArea(int c, int r) const {
        const int x = c * kStrokeCell, y = r * kStrokeCell;
        return {x, y, std::min(kStrokeCell, stride_ - x), std::min(kStrokeCell, height_ - y)};
    }
    template <typename Fn>
    void forRows(const Area& cell, std::vector<std::uint8_t>& kept, Fn fn) {
        const std::size_t n = static_cast<std::size_t>(cell.w) * mode_;
        for (int r = 0; r < cell.h; ++r)
            fn(rowAt(*page_, cell.x, cell.y + r), kept.data() + static_cast<std::size_t>(r) * n, n);
    }
    // Undoing and redoing change the pixels of the kept cells.
    void exchange(Workspace& workspace) {
        const std::uint64_t from = page_->revision;
        PixelRect changed;
        for (auto& [key, kept] : cells_) {
            const int c = static_cast<int>(key & 0xFFFFFFFFu), r = static_cast<int>(key >> 32);
            const Area cell = cellArea(c, r);
            forRows(cell, kept, [](std::uint8_t* live, std::uint8_t* old, std::size_t n) {
                std::swap_ranges(live, live + n, old);
            });
            changed = unite(changed, {cell.x, cell.y, cell.w, cell.h});
        }
        attributes_.exchange(*page_);
        workspace.changes.note(*page_, from, changed);
    }

    Page* page_;
    int stroke_;
    int stride_, height_, mode_;
    PagePatch attributes_;
    std::map<std::uint64_t, std::vector<std::uint8_t>> cells_;
};

}  // namespace

std::unique_ptr<Command> strokeEdit(Workspace& workspace, Page& page, PixelRect rect,
                                    const PageEdit& edit, Outcome& outcome, int stroke) {
    auto command = std::make_unique<StrokeEdit>(page, stroke);
    const Area area = clipToBuffer(page, rect);
    AreaCopy before;
    if (!command->attributes().capture(page, {}) || (!area.empty() && !before.take(page, area))) {
        outcome = Outcome::error(texts::kCannotCreateImage);
        return nullptr;
    }
    outcome = edit(page);
    if (!outcome) {
        // Put back whatever a failing edit may have written.
        before.putBack(page);
        command->attributes().restore(page);
        return nullptr;
    }
    const bool pixels = !area.empty() && command->keepChangedCells(before, area);
    before.release();
    if (!pixels && !command->attributes().attributesDiffer(page)) return nullptr;
    const std::uint64_t from = page.revision;
    page.revision = workspace.nextRevision();
    workspace.changes.note(page, from, {area.x, area.y, area.w, area.h});
    return command;
}

}  // namespace zentil
