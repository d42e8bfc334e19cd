#include "image/page_table.h"

#include <array>

namespace zentil {
namespace {

std::array<Page, kSlotCount>& table() {
    static std::array<Page, kSlotCount> slots;
    return slots;
}

}  // namespace

int storeFirstSlot(Store store) {
    return store == Store::Sprite ? kSpriteFirstSlot : kTgaFirstSlot;
}

int storeCapacity(Store store) {
    return store == Store::Sprite ? kSpriteSlotCount : kTgaSlotCount;
}

bool storeOfSlot(int slot, Store& store) {
    if (slot < 0 || slot >= kSlotCount) return false;
    store = slot < kTgaFirstSlot ? Store::Sprite : Store::Tga;
    return true;
}

Page& pageAt(int slot) {
    return table()[static_cast<std::size_t>(slot)];
}

Page* pageOrNull(int slot) {
    if (slot < 0 || slot >= kSlotCount) return nullptr;
    return &pageAt(slot);
}

Page& capturePage() {
    static Page page;
    return page;
}

Page& captureViewPage() {
    static Page page;
    return page;
}

int storePageCount(Store store) {
    const int first = storeFirstSlot(store);
    int n = 0;
    while (n < storeCapacity(store) && pageAt(first + n).inUse())
        ++n;
    return n;
}

int firstFreeSlot(Store store) {
    const int n = storePageCount(store);
    return n < storeCapacity(store) ? storeFirstSlot(store) + n : kNoPage;
}

void removeFromStore(Store store, int position) {
    const int count = storePageCount(store);
    if (position < 0 || position >= count) return;
    const int first = storeFirstSlot(store);
    for (int q = position; q < count - 1; ++q)
        pageAt(first + q) = std::move(pageAt(first + q + 1));
    releasePage(pageAt(first + count - 1));
}

void releaseAllPages() {
    for (Page& page : table())
        releasePage(page);
    releasePage(capturePage());
    releasePage(captureViewPage());
}

}  // namespace zentil
