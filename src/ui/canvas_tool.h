// One way of working the canvas with the pointer. The canvas hands the tool
// it is given every press, move and release in page pixels, a tick of its
// scroll timer, and the chance to draw with the page and over it; the window
// offers it the canvas's keys first. The tool decides what happens to the
// page. Each tool describes itself (its name, key, icon, cursor and tooltip),
// so that adding a way of working is adding a class and one line to the list
// of CanvasTools.
#pragma once

#include <QImage>
#include <QKeyCombination>
#include <QPoint>
#include <QRect>
#include <array>
#include <cstdint>
#include <string_view>

#include "edit/canvas_projection.h"
#include "edit/nudge.h"
#include "render/canvas_render.h"

namespace zentil {

struct CanvasPointer {
    QPoint page;                            // the page pixel under the pointer
    Qt::MouseButton button = Qt::NoButton;  // pressed or released; none for a move
    Qt::MouseButtons buttons;               // held after the event
    Qt::KeyboardModifiers modifiers;
};

// A key the current tool is offered before the window acts on it: Escape,
// Return or Enter, or a nudge of one pixel (an arrow or a nudge button).
struct CanvasKey {
    enum class Kind : std::uint8_t { Escape, Confirm, Nudge };
    Kind kind = Kind::Escape;
    Nudge direction = Nudge::Up;  // of a nudge

    static CanvasKey escape() { return {Kind::Escape}; }
    static CanvasKey confirm() { return {Kind::Confirm}; }
    static CanvasKey nudge(Nudge direction) { return {Kind::Nudge, direction}; }
};

// What names a tool for good: the list finds it by this, and so may menus.
using ToolId = std::string_view;

// A picture of 16 x 16 pixels, one character each (the letters are those of
// tool_icons.h), for a tool's button and cursor.
using ToolPicture = std::array<const char*, 16>;

// The pointer over the canvas: one of the toolkit's shapes, or a picture
// whose `hotSpot` pixel is the one that acts.
struct ToolCursor {
    Qt::CursorShape shape = Qt::CrossCursor;
    const ToolPicture* picture = nullptr;
    QPoint hotSpot;
};

// How a tool shows itself. `name` and `tip` are Korean source texts,
// translated in the context "zentil::CanvasTools" (marked with
// QT_TRANSLATE_NOOP where the tool is described).
struct ToolLook {
    ToolId id;
    const char* name;
    const char* tip;
    QKeyCombination key;
    const ToolPicture& icon;
    ToolCursor cursor;
};

class CanvasTool {
  public:
    virtual ~CanvasTool() = default;
    virtual const ToolLook& look() const = 0;
    virtual void press(const CanvasPointer& pointer) = 0;
    virtual void move(const CanvasPointer& pointer) = 0;
    virtual void release(const CanvasPointer& pointer) = 0;
    // Every 200 ms, as long as the tool is the canvas's.
    virtual void tick() {}
    // Ends what the tool is doing, leaving the page as it is.
    virtual void cancel() {}
    // Does what the tool does with `key` and tells whether it took it; a key
    // not taken is the window's. Escape drops the gesture under way, leaving
    // the page as it was before the press and the history without a step of
    // it.
    virtual bool key(const CanvasKey& key) {
        static_cast<void>(key);
        return false;
    }
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
