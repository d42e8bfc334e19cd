// The drawing tools of the canvas: pencil, eraser, fill, line and
// eyedropper. They paint colour indexes into the pixels of 8-bit sprite
// pages, inside the page's width and height; a press-drag-release is one step
// of the history and keeps only what it changed. Alt with a press picks the
// colour under the pointer in the pencil, the eraser and the fill.
#pragma once

#include <QPoint>
#include <QString>

#include "canvas_tool.h"
#include "canvas_tool_host.h"

namespace zentil {

class PageCanvas;
struct Page;

// The current colour the drawing tools paint with, and where they say why
// they did nothing.
class PaintColourHost {
  public:
    virtual ~PaintColourHost() = default;
    virtual int currentColour() const = 0;
    virtual void setCurrentColour(int index) = 0;
    virtual void explain(const QString& text) = 0;
};

// What the drawing tools share: which page they may paint, picking a colour,
// the status panels following the pointer.
class PaintTool : public CanvasTool {
  public:
    PaintTool(PageCanvas& canvas, CanvasToolHost& host, PaintColourHost& colours)
        : canvas_(canvas), host_(host), colours_(colours) {}
    void move(const CanvasPointer& pointer) override;

  protected:
    // The current page when the tools may paint it (an 8-bit sprite page);
    // else nullptr, with the reason in the status bar.
    Page* paintablePage();
    // Makes the colour index under the pointer the current colour (8-bit
    // pages of either list); false where there is none.
    bool pickColour(QPoint at);
    // A left press the tool should act on (not right after a file command).
    bool acts(const CanvasPointer& pointer) const;

    PageCanvas& canvas_;
    CanvasToolHost& host_;
    PaintColourHost& colours_;
};

// The pencil paints the current colour, the eraser the page's key. A drag
// joins the pointer's positions with 8-connected lines; Shift with a press
// draws a line from the last painted pixel.
class PencilTool final : public PaintTool {
  public:
    PencilTool(PageCanvas& canvas, CanvasToolHost& host, PaintColourHost& colours, bool eraser)
        : PaintTool(canvas, host, colours), eraser_(eraser) {}
    void press(const CanvasPointer& pointer) override;
    void move(const CanvasPointer& pointer) override;
    void release(const CanvasPointer& pointer) override;
    void cancel() override;
    bool busy() const override { return page_ != nullptr; }

  private:
    void paintSegment(QPoint from, QPoint to);

    bool eraser_;
    Page* page_ = nullptr;  // the page of the stroke under way
    int stroke_ = 0;
    QPoint previous_;
    const Page* lastPage_ = nullptr;  // where the last pixel was painted
    QPoint last_;
};

// The 4-connected region of the pressed pixel's index takes the current colour.
class FillTool final : public PaintTool {
  public:
    using PaintTool::PaintTool;
    void press(const CanvasPointer& pointer) override;
    void release(const CanvasPointer&) override {}
};

// Press, drag, release: a straight 8-connected line, shown while dragging.
class LineTool final : public PaintTool {
  public:
    using PaintTool::PaintTool;
    void press(const CanvasPointer& pointer) override;
    void move(const CanvasPointer& pointer) override;
    void release(const CanvasPointer& pointer) override;
    void cancel() override;
    bool busy() const override { return page_ != nullptr; }
    void paintOver(QImage& view, const QRect& dirty, const CanvasProjection& projection,
                   const CanvasOverlays& style) const override;

  private:
    QRect lineRect() const;

    Page* page_ = nullptr;
    QPoint start_, end_;
};

// A press makes the colour index under the pointer the current colour.
class EyedropperTool final : public PaintTool {
  public:
    using PaintTool::PaintTool;
    void press(const CanvasPointer& pointer) override;
    void release(const CanvasPointer&) override {}
};

}  // namespace zentil
