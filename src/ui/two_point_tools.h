// The drawing tools of a two-point drag: the press sets one end, the drag the
// other, shown over the page in the current colour as it goes; the release
// paints it as one step of the history; Escape drops it and paints nothing.
// Shift constrains the other end (each tool says how), at the press, during
// the drag, or pressed and let go while the button is held.
#pragma once

#include <functional>

#include "edit/shapes.h"
#include "paint_tools.h"

namespace zentil {

class TwoPointTool : public PaintTool {
  public:
    using PaintTool::PaintTool;
    void press(const CanvasPointer& pointer) override;
    void move(const CanvasPointer& pointer) override;
    void release(const CanvasPointer& pointer) override;
    void cancel() override;
    bool key(const CanvasKey& key) override;
    bool busy() const override { return page_ != nullptr; }
    void paintOver(QImage& view, const QRect& dirty, const CanvasProjection& projection,
                   const CanvasOverlays& style) const override;

  protected:
    // Where Shift puts the other end of a drag from `anchor` toward `to`.
    virtual DragPoint constrained(DragPoint anchor, DragPoint to) const = 0;
    // Calls visit(y, left, right) for the runs of pixels of the drag from
    // `a` to `b` on the rows from `firstRow` to `lastRow` (at least those).
    using RunVisit = std::function<void(int y, int left, int right)>;
    virtual void forRuns(DragPoint a, DragPoint b, int firstRow, int lastRow,
                         const RunVisit& visit) const = 0;
    // Paints the drag from `a` to `b` into `page`.
    virtual void paint(Page& page, DragPoint a, DragPoint b, std::uint8_t index) const = 0;

  private:
    // The pixels the drag covers, clipped to the page, for redrawing.
    QRect dragRect() const;
    void follow(const CanvasPointer& pointer);

    Page* page_ = nullptr;
    DragPoint anchor_, pointer_, end_;
};

// A straight 8-connected line; Shift keeps it level, plumb or diagonal.
class LineTool final : public TwoPointTool {
  public:
    static constexpr ToolId kId = "line";
    using TwoPointTool::TwoPointTool;
    const ToolLook& look() const override;

  protected:
    DragPoint constrained(DragPoint anchor, DragPoint to) const override;
    void forRuns(DragPoint a, DragPoint b, int firstRow, int lastRow,
                 const RunVisit& visit) const override;
    void paint(Page& page, DragPoint a, DragPoint b, std::uint8_t index) const override;
};

// A rectangle or an ellipse in the box between the two ends, outlined or
// filled; Shift makes the box a square.
class ShapeTool : public TwoPointTool {
  public:
    ShapeTool(PageCanvas& canvas, CanvasToolHost& host, PaintColourHost& colours, ShapeKind kind,
              bool filled)
        : TwoPointTool(canvas, host, colours), kind_(kind), filled_(filled) {}

  protected:
    DragPoint constrained(DragPoint anchor, DragPoint to) const override;
    void forRuns(DragPoint a, DragPoint b, int firstRow, int lastRow,
                 const RunVisit& visit) const override;
    void paint(Page& page, DragPoint a, DragPoint b, std::uint8_t index) const override;

  private:
    ShapeKind kind_;
    bool filled_;
};

class RectangleTool final : public ShapeTool {
  public:
    static constexpr ToolId kId = "rectangle";
    RectangleTool(PageCanvas& canvas, CanvasToolHost& host, PaintColourHost& colours)
        : ShapeTool(canvas, host, colours, ShapeKind::Rectangle, false) {}
    const ToolLook& look() const override;
};

class FilledRectangleTool final : public ShapeTool {
  public:
    static constexpr ToolId kId = "filled-rectangle";
    FilledRectangleTool(PageCanvas& canvas, CanvasToolHost& host, PaintColourHost& colours)
        : ShapeTool(canvas, host, colours, ShapeKind::Rectangle, true) {}
    const ToolLook& look() const override;
};

class EllipseTool final : public ShapeTool {
  public:
    static constexpr ToolId kId = "ellipse";
    EllipseTool(PageCanvas& canvas, CanvasToolHost& host, PaintColourHost& colours)
        : ShapeTool(canvas, host, colours, ShapeKind::Ellipse, false) {}
    const ToolLook& look() const override;
};

class FilledEllipseTool final : public ShapeTool {
  public:
    static constexpr ToolId kId = "filled-ellipse";
    FilledEllipseTool(PageCanvas& canvas, CanvasToolHost& host, PaintColourHost& colours)
        : ShapeTool(canvas, host, colours, ShapeKind::Ellipse, true) {}
    const ToolLook& look() const override;
};

}  // namespace zentil
