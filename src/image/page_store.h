// A store of pages: an ordered list whose entries keep their identity (the
// address of the page) while other pages are added, removed or re-laid out
// around them. The editor has two, the sprite pages and the pictures, each
// with its own capacity.
#pragma once

#include <memory>
#include <vector>

#include "image/page.h"

namespace zentil {

inline constexpr int kSpriteCapacity = 2048;
inline constexpr int kPictureCapacity = 512;

class PageStore {
  public:
    explicit PageStore(int capacity) : capacity_(capacity) {}

    int size() const { return static_cast<int>(pages_.size()); }
    bool empty() const { return pages_.empty(); }
    int capacity() const { return capacity_; }
    bool full() const { return size() >= capacity_; }

    // `index` must be in 0..size()-1.
    Page& at(int index) { return *pages_[static_cast<std::size_t>(index)]; }
    const Page& at(int index) const { return *pages_[static_cast<std::size_t>(index)]; }
    // The page at `index`, or nullptr for an index outside the list.
    Page* find(int index);
    const Page* find(int index) const;
    // The position of `page`, or -1 when this store does not hold it.
    int indexOf(const Page* page) const;
    bool holds(const Page* page) const { return indexOf(page) >= 0; }

    // Puts `page` at `index` (clamped to the list's end) and gives where it
    // went; later pages move up one place. The store must not be full.
    int insert(int index, std::unique_ptr<Page> page);
    int append(std::unique_ptr<Page> page) { return insert(size(), std::move(page)); }
    // Takes the page at `index` out of the list; later pages move down.
    std::unique_ptr<Page> take(int index);
    void clear() { pages_.clear(); }

  private:
    std::vector<std::unique_ptr<Page>> pages_;
    int capacity_;
};

}  // namespace zentil
