#include "edit/block.h"

#include "edit/blit.h"
#include "image/page_table.h"

namespace zentil {

bool liftBlock(const Page& page, int left, int top, int width, int height) {
    if (!page.inUse() || page.tileWidth <= 0 || page.tileHeight <= 0) return false;
    Page& block = capturePage();
    if (!createPage(block, page.tileWidth, width / page.tileWidth, page.tileHeight,
                    height / page.tileHeight, page.mode))
        return false;
    if (!createPage(captureViewPage(), block.tileWidth, block.cols, block.tileHeight, block.rows,
                    block.mode))
        return false;
    copyPageRect(block, 0, 0, page, left, top, width, height);
    return true;
}

bool composeBlockView(const Page& page, int left, int top, int copyMode) {
    const Page& block = capturePage();
    Page& view = captureViewPage();
    const int w = block.stride, h = block.height;
    switch (copyMode) {
        case 0:
            blitPage(view, 0, 0, block, 0, 0, w, h, kBlitOpaque);
            return true;
        case 1:
        case 2:
            copyPageRect(view, 0, 0, page, left, top, w, h);
            blitPage(view, 0, 0, block, 0, 0, w, h, copyMode);
            return true;
        default:
            return false;
    }
}

void stampBlock(Page& page, int left, int top) {
    const Page& view = captureViewPage();
    copyPageRect(page, left, top, view, 0, 0, view.stride, view.height);
}

void applyBlock(Page& page, int left, int top) {
    const Page& block = capturePage();
    copyPageRect(page, left, top, block, 0, 0, block.stride, block.height);
}

}  // namespace zentil
