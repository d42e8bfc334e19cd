#include "edit/nudge.h"

#include "edit/blit.h"

namespace zentil {

Outcome nudgePage(Page& page, Nudge direction) {
    if (!page.inUse()) return Outcome::silent();
    const int w = page.stride, h = page.height;
    struct Move {
        int dstX, dstY, srcX, srcY, w, h;
    };
    Move m{};
    switch (direction) {
        case Nudge::LeftUp:
            m = {0, 0, 1, 1, w - 1, h - 1};
            break;
        case Nudge::Up:
            m = {0, 0, 0, 1, w, h - 1};
            break;
        case Nudge::RightUp:
            m = {1, 0, 0, 1, w - 1, h - 1};
            break;
        case Nudge::Right:
            m = {1, 0, 0, 0, w - 1, h};
            break;
        case Nudge::RightDown:
            m = {1, 1, 0, 0, w - 1, h - 1};
            break;
        case Nudge::Down:
            m = {0, 1, 0, 0, w, h - 1};
            break;
        case Nudge::LeftDown:
            m = {0, 1, 1, 0, w - 1, h - 1};
            break;
        case Nudge::Left:
            m = {0, 0, 1, 0, w - 1, h};
            break;
    }
    return movePageRect(page, m.dstX, m.dstY, page, m.srcX, m.srcY, m.w, m.h);
}

}  // namespace zentil
