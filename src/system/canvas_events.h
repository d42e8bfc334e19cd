// Requests from the core to the main canvas. The editor window installs a
// view; without one (command-line tool, most tests) the requests do nothing.
#pragma once

namespace zentil {

struct Page;

class CanvasView {
  public:
    virtual ~CanvasView() = default;
    // Scroll the canvas to the page's top-left corner.
    virtual void scrollToOrigin() = 0;
    // Lay out and redraw the canvas for `page`; with `dropPrevious` the old
    // picture is discarded first instead of being drawn over.
    virtual void showPage(const Page& page, bool dropPrevious) = 0;
    // Draw the current page again, over the previous picture, when there is one.
    virtual void redrawCurrentPage() = 0;
};

// Installs `view` (not owned; nullptr removes it). Gives the previous view.
CanvasView* setCanvasView(CanvasView* view);

void canvasScrollToOrigin();
void canvasShowPage(const Page& page, bool dropPrevious);
void canvasRedrawCurrentPage();

}  // namespace zentil
