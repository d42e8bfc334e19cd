#include "system/canvas_events.h"

namespace zentil {
namespace {
CanvasView* installed = nullptr;
}

CanvasView* setCanvasView(CanvasView* view) {
    CanvasView* previous = installed;
    installed = view;
    return previous;
}

void canvasScrollToOrigin() {
    if (installed) installed->scrollToOrigin();
}

void canvasShowPage(const Page& page, bool dropPrevious) {
    if (installed) installed->showPage(page, dropPrevious);
}

void canvasRedrawCurrentPage() {
    if (installed) installed->redrawCurrentPage();
}

}  // namespace zentil
