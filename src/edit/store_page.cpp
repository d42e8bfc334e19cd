#include "edit/store_page.h"

#include <string>

#include "system/texts.h"

namespace zentil {

Outcome newStorePage(Page& page, int cols, int rows, int tileWidth, int tileHeight,
                     std::string_view name, int position, int mode, const PageDefaults& defaults) {
    if (tileWidth < 1 || tileHeight < 1 ||
        !createPage(page, tileWidth, cols, tileHeight, rows, mode, defaults)) {
        releasePage(page);
        return Outcome::error(texts::kCannotCreateImage);
    }
    page.kind = kKindSprite;
    setPageName(page, name.empty() ? "NoName" + std::to_string(position) : std::string(name));
    return Outcome::done();
}

}  // namespace zentil
