// The drawing tools of the canvas that work pixel by pixel: pencil, eraser,
// fill and eyedropper (the line and the shapes are two-point drags,
// two_point_tools.h). They paint colour indexes into the pixels of 8-bit
// sprite pages, inside the page's width and height; a press-drag-release is
// one step of the history and keeps only what it changed. Alt with a press
// picks the colour under the pointer in the pencil, the eraser and the fill.
// While a drag goes on past the view's edge, the view scrolls after it.
#pragma once

#include <QPoint>
#include <QString>
#include <cstdint>

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
// the status panels following the pointer, the view scrolling after a drag.
class PaintTool : public CanvasTool {
  public:
    PaintTool(PageCanvas& canvas, CanvasToolHost& host, PaintColourHost& colours)
        : canvas_(canvas), host_(host), colours_(colours) {}
    void move(const CanvasPointer& pointer) override;
    // While busy with a drag, a pointer past the view's edge scrolls the
    // view toward it and the drag follows to where the pointer now is.
    void tick() override;

  protected:
    // The current page when the tools may paint it (an 8-bit sprite page);
    // else nullptr, with the reason in the status bar.
    Page* paintablePage();
    // Makes the colour index under the pointer the current colour (8-bit
    // pages of either list); false where there is none.
    bool pickColour(QPoint at);
    // A left press the tool should act on (not right after a file command).
    bool acts(const CanvasPointer& pointer) const;
    // The screen colour of the current colour on `page`.
    QRgb shownColour(const Page& page) const;

    PageCanvas& canvas_;
    CanvasToolHost& host_;
    PaintColourHost& colours_;
};

// A drag joins the pointer's positions with 8-connected lines; Shift with a
// press draws a line from the last painted pixel. The stroke is one step;
// Escape takes it back whole.
class FreehandTool : public PaintTool {
  public:
    using PaintTool::PaintTool;
    void press(const CanvasPointer& pointer) override;
    void move(const CanvasPointer& pointer) override;
    void release(const CanvasPointer& pointer) override;
    void cancel() override;
    bool key(const CanvasKey& key) override;
    bool busy() const override { return page_ != nullptr; }

  protected:
    // The index the stroke paints on `page`.
    virtual std::uint8_t paintIndex(const Page& page) const = 0;

  private:
    void paintSegment(QPoint from, QPoint to);

    Page* page_ = nullptr;  // the page of the stroke under way
    int stroke_ = 0;
    const Command* step_ = nullptr;  // the stroke's step, once it changed a pixel
    QPoint previous_;
    const Page* lastPage_ = nullptr;  // where the last pixel was painted
    QPoint last_;
};

// Paints the current colour.
class PencilTool final : public FreehandTool {
  public:
    static constexpr ToolId kId = "pencil";
    using FreehandTool::FreehandTool;
    const ToolLook& look() const override;

  protected:
    std::uint8_t paintIndex(const Page& page) const override;
};

// Paints the page's key, its transparent colour.
class EraserTool final : public FreehandTool {
  public:
    static constexpr ToolId kId = "eraser";
    using FreehandTool::FreehandTool;
    const ToolLook& look() const override;

  protected:
    std::uint8_t paintIndex(const Page& page) const override;
};

// The 4-connected region of the pressed pixel's index takes the current colour.
class FillTool final : public PaintTool {
  public:
    static constexpr ToolId kId = "fill";
    using PaintTool::PaintTool;
    const ToolLook& look() const override;
    void press(const CanvasPointer& pointer) override;
    void release(const CanvasPointer&) override {}
};

// A press makes the colour index under the pointer the current colour.
class EyedropperTool final : public PaintTool {
  public:
    static constexpr ToolId kId = "eyedropper";
    using PaintTool::PaintTool;
    const ToolLook& look() const override;
    void press(const CanvasPointer& pointer) override;
    void release(const CanvasPointer&) override {}
};

}  // namespace zentil
