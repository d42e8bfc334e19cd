#include "edit/store_page.h"

#include <string>

#include "image/page_table.h"
#include "system/messages.h"
#include "system/texts.h"

namespace zentil {

int newStorePage(int cols, int rows, int tileWidth, int tileHeight, std::string_view name,
                 int mode) {
    const int slot = firstFreeSlot(Store::Sprite);
    if (slot == kNoPage) {
        showMessage(texts::kCaptionError, texts::kStoreFull);
        return kNoPage;
    }
    Page& page = pageAt(slot);
    if (tileWidth < 1 || tileHeight < 1 ||
        !createPage(page, tileWidth, cols, tileHeight, rows, mode)) {
        releasePage(page);
        showMessage(texts::kCaptionError, texts::kCannotCreateImage);
        return kNoPage;
    }
    page.kind = kKindSprite;
    setPageName(page, name.empty() ? "NoName" + std::to_string(slot) : std::string(name));
    return slot;
}

int newStoreImage(int width, int height, std::string_view name, int mode) {
    return newStorePage(1, 1, width, height, name, mode);
}

}  // namespace zentil
