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
        if (pages_[static_cast<std::size_t>(i)].get() == page) return i;
    return -1;
}

int PageStore::insert(int index, std::unique_ptr<Page> page) {
    const int at = std::clamp(index, 0, size());
    pages_.insert(pages_.begin() + at, std::move(page));
    return at;
}

std::unique_ptr<Page> PageStore::take(int index) {
    if (index < 0 || index >= size()) return nullptr;
    std::unique_ptr<Page> page = std::move(pages_[static_cast<std::size_t>(index)]);
    pages_.erase(pages_.begin() + index);
    return page;
}

}  // namespace zentil
