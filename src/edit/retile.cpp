#include "edit/retile.h"

#include <algorithm>
#include "edit/blit.h"
#include "system/texts.h"

namespace zentil {
namespace {

int half(int v) {
    return std::max(0, v / 2);
}
int atLeastZero(int v) {
    return std::max(0, v);
}

// Copies every old tile into its new cell as the alignment's anchor says.
void placeAligned(Page& scratch, const Page& page, int ntw, int nth, TileAlign align) {
    const int otw = page.tileWidth, oth = page.tileHeight;
    // A grown page takes whole old tiles; a shrunk one only what fits.
    const int w = scratch.stride < page.stride ? ntw : otw;
    const int h = scratch.height < page.height ? nth : oth;
    for (int sy = 0, m = 0; sy < page.height; sy += oth, ++m) {
        const int dy = m * nth;
        for (int sx = 0, n = 0; sx < page.stride; sx += otw, ++n) {
            const int dx = n * ntw;
            switch (align) {
                case TileAlign::Center:
                    copyPageRect(scratch, dx + half(ntw - otw), dy + half(nth - oth), page,
                                 sx + half(otw - ntw), sy + half(oth - nth), w, h);
                    break;
                case TileAlign::Left:
                    copyPageRect(scratch, dx, sy, page, sx, sy, w, oth);
                    break;
                case TileAlign::Right:
                    copyPageRect(scratch, dx + atLeastZero(ntw - otw), sy, page,
                                 sx + atLeastZero(otw - ntw), sy, w, oth);
                    break;
                case TileAlign::Top:
                    copyPageRect(scratch, sx, dy, page, sx, sy, ntw, h);
                    break;
                case TileAlign::Bottom:
                    copyPageRect(scratch, sx, dy + atLeastZero(nth - oth), page, sx,
                                 sy + atLeastZero(oth - nth), ntw, h);
                    break;
                case TileAlign::None:
                    break;
            }
        }
    }
}

}  // namespace

Outcome retilePage(Page& page, int newTileWidth, int newTileHeight, int newCols, int newRows,
                   TileAlign align) {
    if (!page.inUse() || page.tileWidth <= 0 || page.tileHeight <= 0) return Outcome::silent();
    if (newTileWidth < 1 || newTileHeight < 1) return Outcome::silent();
    const bool aligned = align != TileAlign::None;
    if (!aligned && (newCols < 1 || newRows < 1)) return Outcome::silent();
    const int cols = aligned ? page.cols : newCols;
    const int rows = aligned ? page.rows : newRows;

    // The work page starts as the new picture: the page's key everywhere.
    Page scratch;
    if (!createPage(scratch, newTileWidth, cols, newTileHeight, rows, page.mode))
        return Outcome::error(texts::kCannotCreateImage);
    setColorKey(scratch, colorKeyOf(page));
    clearPage(scratch);
    if (aligned)
        placeAligned(scratch, page, newTileWidth, newTileHeight, align);
    else
        copyPageRect(scratch, 0, 0, page, 0, 0, page.stride, page.height);

    // The work page now holds exactly the rebuilt page's pixels, key and
    // palette, so it becomes the page: one buffer fewer than copying it back.
    // Only the grid is re-cut, the column count taken from the stride; the
    // area layers are the fresh, empty ones of the work page.
    keepIdentity(scratch, page);
    scratch.tileWidth = newTileWidth;
    scratch.tileHeight = newTileHeight;
    scratch.cols = scratch.stride / newTileWidth;
    scratch.rows = scratch.height / newTileHeight;
    scratch.tileCount = scratch.cols * scratch.rows;
    scratch.width = scratch.cols * newTileWidth;
    page = std::move(scratch);
    return Outcome::done();
}

}  // namespace zentil
