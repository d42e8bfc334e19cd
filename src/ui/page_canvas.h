// The canvas of the main window: one scrolling widget that shows the current
// page at a zoom, with its grid and area rectangles, on the canvas colour.
//
// It owns one CanvasProjection. Pointer positions leave it only as page
// pixels, through toPage(); everything it draws goes through the projection.
// What the pointer does to the page is decided by the canvas tool it is
// given: the canvas hands it every press, move and release in page pixels,
// ticks its scroll timer, and lets it draw with the page and over it.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <QMouseEvent>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QTimer>
#include <cstdint>

#include "canvas_tool.h"
#include "edit/canvas_projection.h"
#include "image/page.h"
#include "render/canvas_render.h"
#include "work/change_log.h"

namespace zentil {

// A picture drawn over the page and its grid, under the tool's overlay.
class CanvasLayer {
  public:
    virtual ~CanvasLayer() = default;
    virtual void paintLayer(QImage& view, const QRect& dirty, const Page& page,
                            const CanvasProjection& projection) const = 0;
};

class PageCanvas : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit PageCanvas(QWidget* parent = nullptr);

    // The page shown; nullptr shows the empty panel with the program's name
    // and how to begin (setStartHint).
    // The page must stay alive while it is shown; the canvas reads its
    // pixels at every repaint. Call again after the page changed its size.
    void showPage(const Page* page);
    const Page* page() const { return page_; }
    // The grid and the area layer drawn over the page.
    void setGrid(const GridLines& grid, int areaLayer);
    // Redraws the page's pixels after they changed.
    void refresh();
    // Redraws what changed of the shown page since it was last drawn, as
    // `log` tells; all of it, laid out again, when that is not known or the
    // page changed its size.
    void followEdit(const ChangeLog& log);

    // The zoom, in screen pixels per page pixel (one of kZoomLevels).
    int zoom() const { return projection_.zoom; }
    // Changes the zoom keeping the page pixel under `about` (a point of the
    // view) where it is, as far as the scroll bars allow. Until the view is
    // scrolled or another page shown, the canvas holds on to where the page
    // would have stood without that limit: zooming again about the same
    // point starts from there, and so does a view that changes its size (as
    // when the scroll bars come or go), so the pixel comes back under the
    // point as soon as the page is large enough.
    void setZoom(int zoom, QPoint about);
    void setZoom(int zoom) { setZoom(zoom, viewCentre()); }
    // One level up (steps > 0) or down about a point of the view.
    void zoomBy(int steps, QPoint about) { setZoom(zoomLevelAfter(zoom(), steps), about); }
    QPoint viewCentre() const;
    // The faint lines between page pixels, drawn from kPixelGridMinZoom on.
    void setPixelGrid(bool shown);
    bool pixelGrid() const { return pixelGrid_; }

    // The one mapping between the view (viewport pixels) and page pixels.
    const CanvasProjection& projection() const { return projection_; }
    QPoint toPage(QPointF viewPoint) const;
    // The view position of a page pixel's top-left corner.
    QPoint toView(QPoint pagePoint) const;
    // The frame around the page, or the empty panel, in view pixels.
    QRect pageFrame() const;
    bool showsPage() const { return page_ != nullptr; }
    // What the empty panel says under the program's name.
    void setStartHint(const QString& text);
    const QString& startHint() const { return startHint_; }

    // The tool the pointer works with (not owned; nullptr: none).
    void setTool(CanvasTool* tool);
    CanvasTool* tool() const { return tool_; }
    // The layer drawn over the page (not owned; nullptr: none).
    void setLayer(const CanvasLayer* layer);
    const CanvasLayer* layer() const { return layer_; }
    // The page pixels [x, x + w) x [y, y + h) on the view, redrawn.
    void updatePageRect(const QRect& rect, int margin = 0);

    // The colour around the page, 0x00BBGGRR.
    void setCanvasColor(std::uint32_t bgr);
    std::uint32_t canvasColor() const { return canvasColor_; }

    void scrollToOrigin();
    // Scrolls one tile toward a pointer (global position) beyond an edge of
    // the view or within 4 pixels of the screen's edge; true when it did.
    bool scrollToward(QPoint globalCursor, int tileWidth, int tileHeight);
    // The same for a pointer within a band along the view's edges, inside or
    // just outside it (a carried block, where no button holds the pointer).
    bool scrollNearEdge(QPoint globalCursor, int tileWidth, int tileHeight);

  signals:
    void zoomChanged(int zoom);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    // A second press within the double-click time is a press like any other.
    void mouseDoubleClickEvent(QMouseEvent* event) override { mousePressEvent(event); }
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // Shift pressed or let go is a move where the pointer is, so that a tool
    // that reads it follows at once.
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

  private:
    // Where the pointer of an event is on the view, in (fractional) view pixels.
    QPointF pointerAt(const QSinglePointEvent* event) const;
    CanvasPointer pointerOf(const QMouseEvent* event) const;
    void followShift(QKeyEvent* event, bool down);
    // The scroll bars' ranges for the page at the zoom, then the origin.
    void layOut();
    void placeOrigin();
    // One tile toward a pointer outside `inner` (global positions).
    bool scrollStep(QPoint cursor, const QRect& inner, int tileWidth, int tileHeight);
    // Scrolls as near as the scroll bars allow to the origin of `wanted`.
    void scrollTo(const CanvasProjection& wanted);
    void paintEmptyPanel(QPainter& painter, const QRect& dirty);

    const Page* page_ = nullptr;
    // The shown page's revision and size as last laid out.
    std::uint64_t drawnRevision_ = 0;
    QSize drawnSize_;
    // What colours its pixels as last drawn: a change of them redraws all.
    Palette drawnPalette_{};
    std::uint32_t drawnKeys_[3] = {};
    void noteDrawn();
    bool coloursChanged() const;
    CanvasProjection projection_;
    // The last zoom: its point and the projection it wanted, while it holds.
    QPoint zoomedAt_;
    CanvasProjection zoomWanted_;
    bool anchored_ = false;
    bool adjusting_ = false;  // the canvas itself is moving the scroll bars
    GridLines grid_;
    int areaLayer_ = 0;
    bool pixelGrid_ = false;
    CanvasTool* tool_ = nullptr;
    const CanvasLayer* layer_ = nullptr;
    QTimer scrollTimer_;  // the tool's tick
    std::uint32_t canvasColor_ = 0xD77586;
    int wheelRest_ = 0;  // wheel turn short of a whole step
    QImage view_;        // the view as last drawn
    QString startHint_;
};

}  // namespace zentil
