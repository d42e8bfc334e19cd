#include "edit/relayout.h"

#include "edit/blit.h"
#include "system/texts.h"

namespace zentil {

int rowsForColumns(int tileCount, int cols) {
    if (cols <= 0 || tileCount <= 0) return 0;
    return static_cast<int>((std::int64_t{tileCount} + cols - 1) / cols);
}

Outcome relayoutColumns(Page& page, int newCols, const PageDefaults& defaults) {
    if (newCols <= 0) return Outcome::error(texts::kColumnsMustBePositive);
    if (!page.inUse() || page.cols <= 0) return Outcome::silent();
    const int newRows = rowsForColumns(page.tileCount, newCols);

    // The new grid, filled with the default key; every tile is copied whole
    // into the next cell in reading order.
    Page grid;
    if (!createPage(grid, page.tileWidth, newCols, page.tileHeight, newRows, page.mode, defaults))
        return Outcome::error(texts::kCannotCreateImage);
    for (int t = 0; t < page.tileCount; ++t) {
        copyPageRect(grid, (t % newCols) * page.tileWidth, (t / newCols) * page.tileHeight, page,
                     (t % page.cols) * page.tileWidth, (t / page.cols) * page.tileHeight,
                     page.tileWidth, page.tileHeight);
    }
    // The copies have handed the page's key and palette to the grid, so the
    // grid is the rebuilt page; it only takes over the page's identity.
    keepIdentity(grid, page);
    page = std::move(grid);
    return Outcome::done();
}

}  // namespace zentil
