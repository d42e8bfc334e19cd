// One way of working the canvas with the pointer. The canvas hands the tool
// it is given every press, move and release in page pixels, a tick of its
// scroll timer, and the chance to draw with the page and over it; the tool
// decides what happens to the page. Adding a way of working is adding a
// class and giving it to the canvas.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include "edit/canvas_projection.h"
#include "render/canvas_render.h"

namespace zentil {

struct CanvasPointer {
    QPoint page;                            // the page pixel under the pointer
    Qt::MouseButton button = Qt::NoButton;  // pressed or released; none for a move
    Qt::MouseButtons buttons;               // held after the event
    Qt::KeyboardModifiers modifiers;
};

class CanvasTool {
  public:
    virtual ~CanvasTool() = default;
    virtual void press(const CanvasPointer& pointer) = 0;
    virtual void move(const CanvasPointer& pointer) = 0;
    virtual void release(const CanvasPointer& pointer) = 0;
    // Every 200 ms, as long as the tool is the canvas's.
    virtual void tick() {}
    // Ends what the tool is doing, leaving the page as it is.
    virtual void cancel() {}
    // A gesture is under way: the page belongs to it until it ends.
    virtual bool busy() const { return false; }
    // What the tool draws with the page (under its grid's colour rules) ...
    virtual void decorate(CanvasOverlays& overlays) const { static_cast<void>(overlays); }
    // ... and over it, inside `dirty`, with the page's own overlays as `style`.
    virtual void paintOver(QImage& view, const QRect& dirty, const CanvasProjection& projection,
                           const CanvasOverlays& style) const {
        static_cast<void>(view);
        static_cast<void>(dirty);
        static_cast<void>(projection);
        static_cast<void>(style);
    }
};

}  // namespace zentil
