#include "edit/trim.h"

#include "edit/blit.h"
#include "system/texts.h"

namespace zentil {
namespace {

struct Extent {
    int top = -1, bottom = -1, left = -1, right = -1;  // inclusive; -1 when empty
};

// Rows and columns of the overlay that hold a non-transparent pixel, over its
// whole stride.
Extent opaqueExtent(const Page& page) {
    Extent e;
    const std::uint32_t key = colorKeyOf(page) & 0xFFFFFFu;
    for (int y = 0; y < page.height; ++y) {
        for (int x = 0; x < page.stride; ++x) {
            if (pixelAt(page, x, y) == key) continue;
            if (e.top < 0) e.top = y;
            e.bottom = y;
            if (e.left < 0 || x < e.left) e.left = x;
            if (x > e.right) e.right = x;
        }
    }
    return e;
}

}  // namespace

Outcome trimTiles(Page& dst, const Page& src) {
    if (!src.inUse() || src.tileWidth <= 0 || src.tileHeight <= 0) return Outcome::silent();
    const int tw = src.tileWidth, th = src.tileHeight;

    // Every tile laid over one tile-sized page: a pixel is non-transparent
    // where any tile has one.
    Page overlay;
    if (!createSinglePage(overlay, tw, th, src.mode))
        return Outcome::error(texts::kCannotCreateImage);
    setColorKey(overlay, colorKeyOf(src));
    clearPage(overlay);
    for (int r = 0; r < src.rows; ++r)
        for (int c = 0; c < src.cols; ++c)
            blitPage(overlay, 0, 0, src, c * tw, r * th, tw, th, kBlitFront);
    const Extent e = opaqueExtent(overlay);
    const int stride = overlay.stride, height = overlay.height;
    releasePage(overlay);
    if (e.top < 0) return Outcome::silent();  // all transparent: nothing to keep

    const int rightMargin = stride - 1 - e.right;
    const int bottomMargin = height - 1 - e.bottom;
    const int m = e.left < rightMargin ? e.left : rightMargin;
    int newWidth = stride - 2 * m;
    while (newWidth % 4 != 0)
        ++newWidth;
    const int newHeight = height - e.top - bottomMargin;

    Page result;
    if (!createPage(result, newWidth, src.cols, newHeight, src.rows, src.mode))
        return Outcome::error(texts::kCannotCreateImage);
    keepIdentity(result, dst);
    for (int r = 0; r < src.rows; ++r)
        for (int c = 0; c < src.cols; ++c)
            copyPageRect(result, c * newWidth, r * newHeight, src, c * tw + m, r * th + e.top,
                         newWidth, newHeight);
    dst = std::move(result);
    return Outcome::done();
}

}  // namespace zentil
