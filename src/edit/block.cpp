#include "edit/block.h"

#include "edit/blit.h"
#include "system/texts.h"

namespace zentil {

Outcome liftBlock(LiftedBlock& lifted, const Page& page, int left, int top, int width, int height,
                  const PageDefaults& defaults) {
    if (!page.inUse() || page.tileWidth <= 0 || page.tileHeight <= 0) return Outcome::silent();
    Page& block = lifted.block;
    if (!createPage(block, page.tileWidth, width / page.tileWidth, page.tileHeight,
                    height / page.tileHeight, page.mode, defaults) ||
        !createPage(lifted.view, block.tileWidth, block.cols, block.tileHeight, block.rows,
                    block.mode, defaults))
        return Outcome::error(texts::kCannotCreateImage);
    lifted.originX = left;
    lifted.originY = top;
    return copyPageRect(block, 0, 0, page, left, top, width, height);
}

Outcome composeBlockView(LiftedBlock& lifted, const Page& page, int left, int top, int copyMode) {
    const Page& block = lifted.block;
    Page& view = lifted.view;
    const int w = block.stride, h = block.height;
    switch (copyMode) {
        case 0:
            return blitPage(view, 0, 0, block, 0, 0, w, h, kBlitOpaque);
        case 1:
        case 2:
            copyPageRect(view, 0, 0, page, left, top, w, h);
            return blitPage(view, 0, 0, block, 0, 0, w, h, copyMode);
        default:
            return Outcome::silent();
    }
}

Outcome stampBlock(Page& page, const LiftedBlock& lifted, int left, int top) {
    const Page& view = lifted.view;
    return copyPageRect(page, left, top, view, 0, 0, view.stride, view.height);
}

Outcome applyBlock(Page& page, const LiftedBlock& lifted) {
    const Page& block = lifted.block;
    return copyPageRect(page, lifted.originX, lifted.originY, block, 0, 0, block.stride,
                        block.height);
}

}  // namespace zentil
