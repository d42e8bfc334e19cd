#include "image/page_store.h"

#include <algorithm>

namespace zentil {

Page* PageStore::find(int index) {
    return index >= 0 && index < size() ? &at(index) : nullptr;
}

const Page* PageStore::find(int index) const {
    return index >= 0 && index < size() ? &at(index) : nullptr;
}

int PageStore::indexOf(const Page* page) const {
    if (page == nullptr) return -1;
    for (int i = 0; i < size(); ++i)
        if (entries_[static_cast<std::size_t>(i)].page.get() == page) return i;
    return -1;
}

PageFile* PageStore::fileOf(const Page* page) {
    const int index = indexOf(page);
    return index >= 0 ? &file(index) : nullptr;
}

const PageFile* PageStore::fileOf(const Page* page) const {
    const int index = indexOf(page);
    return index >= 0 ? &file(index) : nullptr;
}

int PageStore::insert(int index, std::unique_ptr<Page> page, PageFile file) {
    const int at = std::clamp(index, 0, size());
    entries_.insert(entries_.begin() + at, Entry{std::move(page), std::move(file)});
    return at;
}

std::unique_ptr<Page> PageStore::take(int index, PageFile* file) {
    if (index < 0 || index >= size()) return nullptr;
    Entry& entry = entries_[static_cast<std::size_t>(index)];
    std::unique_ptr<Page> page = std::move(entry.page);
    if (file) *file = std::move(entry.file);
    entries_.erase(entries_.begin() + index);
    return page;
}

}  // namespace zentil
