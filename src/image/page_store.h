// A store of pages: an ordered list whose entries keep their identity (the
// address of the page) while other pages are added, removed or re-laid out
// around them. The editor has two, the sprite pages and the pictures, each
// with its own capacity.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "image/page.h"

namespace zentil {

inline constexpr int kSpriteCapacity = 2048;
inline constexpr int kPictureCapacity = 512;

// A page's file, as the store keeps it beside the page: the file it was read
// from or last saved to (empty for pages made in the editor), and the
// revision the page had then (0: never read or saved). It is no part of the
// picture, so edits and their undoing leave it alone.
struct PageFile {
    std::string path;
    std::uint64_t savedRevision = 0;
};

class PageStore {
  public:
    explicit PageStore(int capacity) : capacity_(capacity) {}

    int size() const { return static_cast<int>(entries_.size()); }
    bool empty() const { return entries_.empty(); }
    int capacity() const { return capacity_; }
    bool full() const { return size() >= capacity_; }

    // `index` must be in 0..size()-1.
    Page& at(int index) { return *entries_[static_cast<std::size_t>(index)].page; }
    const Page& at(int index) const { return *entries_[static_cast<std::size_t>(index)].page; }
    // The page at `index`, or nullptr for an index outside the list.
    Page* find(int index);
    const Page* find(int index) const;
    // The position of `page`, or -1 when this store does not hold it.
    int indexOf(const Page* page) const;
    bool holds(const Page* page) const { return indexOf(page) >= 0; }

    // Puts `page` at `index` (clamped to the list's end) with its file and
    // gives where it went; later pages move up one place. The store must not
    // be full.
    int insert(int index, std::unique_ptr<Page> page, PageFile file = {});
    int append(std::unique_ptr<Page> page, PageFile file = {}) {
        return insert(size(), std::move(page), std::move(file));
    }
    // Takes the page at `index` out of the list, its file into `file` when
    // asked for; later pages move down.
    std::unique_ptr<Page> take(int index, PageFile* file = nullptr);
    void clear() { entries_.clear(); }

    // The file of the page at `index` (in 0..size()-1), or of a page the
    // store holds (nullptr when it holds none such).
    PageFile& file(int index) { return entries_[static_cast<std::size_t>(index)].file; }
    const PageFile& file(int index) const { return entries_[static_cast<std::size_t>(index)].file; }
    PageFile* fileOf(const Page* page);
    const PageFile* fileOf(const Page* page) const;

  private:
    struct Entry {
        std::unique_ptr<Page> page;
        PageFile file;
    };
    std::vector<Entry> entries_;
    int capacity_;
};

}  // namespace zentil
