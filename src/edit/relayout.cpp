#include "edit/relayout.h"

#include "edit/blit.h"
#include "system/canvas_events.h"
#include "system/messages.h"
#include "system/texts.h"

namespace zentil {

int rowsForColumns(int tileCount, int cols) {
    if (cols <= 0 || tileCount <= 0) return 0;
    return static_cast<int>((std::int64_t{tileCount} + cols - 1) / cols);
}

bool relayoutColumns(Page& page, int newCols) {
    if (newCols <= 0) {
        showMessage(texts::kCaptionError, texts::kColumnsMustBePositive);
        return false;
    }
    if (!page.inUse() || page.cols <= 0) return false;
    const int newRows = rowsForColumns(page.tileCount, newCols);

    // The new grid, filled with the default key; every tile is copied whole
    // into the next cell in reading order.
    Page grid;
    if (!createPage(grid, page.tileWidth, newCols, page.tileHeight, newRows, page.mode)) {
        showMessage(texts::kCaptionError, texts::kCannotCreateImage);
        return false;
    }
    for (int t = 0; t < page.tileCount; ++t) {
        copyPageRect(grid, (t % newCols) * page.tileWidth, (t / newCols) * page.tileHeight, page,
                     (t % page.cols) * page.tileWidth, (t / page.cols) * page.tileHeight,
                     page.tileWidth, page.tileHeight);
    }
    // The copies have handed the page's key and palette to the grid, so the
    // grid is the rebuilt page; it only takes over the page's identity.
    keepIdentity(grid, page);
    page = std::move(grid);
    canvasScrollToOrigin();
    canvasShowPage(page, true);
    return true;
}

}  // namespace zentil
