#include "two_point_tools.h"

#include <algorithm>

#include "edit/paint.h"
#include "page_canvas.h"
#include "work/page_edits.h"
#include "work/workspace.h"

namespace zentil {
namespace {

DragPoint dragPoint(QPoint p) {
    return {p.x(), p.y()};
}

// The box between two points, both inside it, cut to the page.
QRect boxOnPage(DragPoint a, DragPoint b, const Page& page) {
    const PixelRect box = shapeBox({ShapeKind::Rectangle, true, a, b});
    return QRect(box.x, box.y, box.w, box.h) & QRect(0, 0, page.width, page.height);
}

constexpr ToolPicture kLine = {
    "................", ".............kk.", "............kkk.", "...........kk...",
    "..........kk....", ".........kk.....", "........kk......", ".......kk.......",
    "......kk........", ".....kk.........", "....kk..........", "...kk...........",
    "..kk............", ".kkk............", ".kk.............", "................"};
constexpr ToolPicture kRectangle = {
    "................", "................", "................", ".kkkkkkkkkkkkkk.",
    ".k............k.", ".k............k.", ".k............k.", ".k............k.",
    ".k............k.", ".k............k.", ".k............k.", ".k............k.",
    ".k............k.", ".kkkkkkkkkkkkkk.", "................", "................"};
constexpr ToolPicture kFilledRectangle = {
    "................", "................", "................", ".kkkkkkkkkkkkkk.",
    ".kbbbbbbbbbbbbk.", ".kbbbbbbbbbbbbk.", ".kbbbbbbbbbbbbk.", ".kbbbbbbbbbbbbk.",
    ".kbbbbbbbbbbbbk.", ".kbbbbbbbbbbbbk.", ".kbbbbbbbbbbbbk.", ".kbbbbbbbbbbbbk.",
    ".kbbbbbbbbbbbbk.", ".kkkkkkkkkkkkkk.", "................", "................"};
// A 14 x 11 ellipse drawn by the ellipse tool's own rule.
constexpr ToolPicture kEllipse = {
    "................", "................", "................", ".....kkkkkk.....",
    "...kk......kk...", "..k..........k..", ".k............k.", ".k............k.",
    ".k............k.", ".k............k.", ".k............k.", "..k..........k..",
    "...kk......kk...", ".....kkkkkk.....", "................", "................"};
constexpr ToolPicture kFilledEllipse = {
    "................", "................", "................", ".....kkkkkk.....",
    "...kkbbbbbbkk...", "..kbbbbbbbbbbk..", ".kbbbbbbbbbbbbk.", ".kbbbbbbbbbbbbk.",
    ".kbbbbbbbbbbbbk.", ".kbbbbbbbbbbbbk.", ".kbbbbbbbbbbbbk.", "..kbbbbbbbbbbk..",
    "...kkbbbbbbkk...", ".....kkkkkk.....", "................", "................"};

// Outlined and filled forms are tools of their own, each a button and a key
// (Shift with the outline's key for the filled form), so that what the next
// drag paints is always in sight in the strip.
const ToolLook kLineLook = {
    LineTool::kId,
    QT_TRANSLATE_NOOP("zentil::CanvasTools", "직선"),
    QT_TRANSLATE_NOOP("zentil::CanvasTools",
                      "끌어서 직선을 긋습니다. Shift: 0, 45, 90도. Esc: 취소."),
    Qt::Key_L,
    kLine,
    {}};
const ToolLook kRectangleLook = {
    RectangleTool::kId,
    QT_TRANSLATE_NOOP("zentil::CanvasTools", "사각형"),
    QT_TRANSLATE_NOOP("zentil::CanvasTools",
                      "끌어서 사각형 테두리를 그립니다. Shift: 정사각형. Esc: 취소."),
    Qt::Key_U,
    kRectangle,
    {}};
const ToolLook kFilledRectangleLook = {
    FilledRectangleTool::kId,
    QT_TRANSLATE_NOOP("zentil::CanvasTools", "채운 사각형"),
    QT_TRANSLATE_NOOP("zentil::CanvasTools",
                      "끌어서 속을 채운 사각형을 그립니다. Shift: 정사각형. Esc: 취소."),
    Qt::SHIFT | Qt::Key_U,
    kFilledRectangle,
    {}};
const ToolLook kEllipseLook = {
    EllipseTool::kId,
    QT_TRANSLATE_NOOP("zentil::CanvasTools", "타원"),
    QT_TRANSLATE_NOOP("zentil::CanvasTools",
                      "끌어서 타원 테두리를 그립니다. Shift: 원. Esc: 취소."),
    Qt::Key_O,
    kEllipse,
    {}};
const ToolLook kFilledEllipseLook = {
    FilledEllipseTool::kId,
    QT_TRANSLATE_NOOP("zentil::CanvasTools", "채운 타원"),
    QT_TRANSLATE_NOOP("zentil::CanvasTools",
                      "끌어서 속을 채운 타원을 그립니다. Shift: 원. Esc: 취소."),
    Qt::SHIFT | Qt::Key_O,
    kFilledEllipse,
    {}};

}  // namespace

// ---- the drag --------------------------------------------------------------------

QRect TwoPointTool::dragRect() const {
    return page_ ? boxOnPage(anchor_, end_, *page_) : QRect();
}

void TwoPointTool::follow(const CanvasPointer& pointer) {
    canvas_.updatePageRect(dragRect());
    pointer_ = dragPoint(pointer.page);
    end_ = (pointer.modifiers & Qt::ShiftModifier) ? constrained(anchor_, pointer_) : pointer_;
    canvas_.updatePageRect(dragRect());
}

void TwoPointTool::press(const CanvasPointer& pointer) {
    if (!acts(pointer) || page_) return;
    if (pointer.modifiers & Qt::AltModifier) {
        pickColour(pointer.page);
        return;
    }
    page_ = paintablePage();
    if (!page_) return;
    anchor_ = dragPoint(pointer.page);
    follow(pointer);
}

void TwoPointTool::move(const CanvasPointer& pointer) {
    PaintTool::move(pointer);
    if (!page_) return;
    if (host_.workspace().currentPage() != page_) {
        cancel();
        return;
    }
    follow(pointer);
}

void TwoPointTool::release(const CanvasPointer& pointer) {
    if (!page_ || pointer.button != Qt::LeftButton) return;
    if (host_.workspace().currentPage() == page_) follow(pointer);
    Page* page = page_;
    const QRect shown = dragRect();
    page_ = nullptr;
    canvas_.updatePageRect(shown);
    if (host_.workspace().currentPage() != page || shown.isEmpty()) return;
    const auto index = static_cast<std::uint8_t>(colours_.currentColour());
    const DragPoint a = anchor_, b = end_;
    Outcome outcome;
    std::unique_ptr<Command> step = editRect(
        host_.workspace(), *page, {shown.x(), shown.y(), shown.width(), shown.height()},
        [&](Page& p) {
            paint(p, a, b, index);
            return Outcome::done();
        },
        outcome);
    host_.report(outcome);
    host_.record(std::move(step));
    host_.closeStep();
}

void TwoPointTool::cancel() {
    if (!page_) return;
    const QRect shown = dragRect();
    page_ = nullptr;
    canvas_.updatePageRect(shown);
}

bool TwoPointTool::key(const CanvasKey& key) {
    if (key.kind != CanvasKey::Kind::Escape || !page_) return false;
    cancel();
    return true;
}

void TwoPointTool::paintOver(QImage& view, const QRect& dirty, const CanvasProjection& projection,
                             const CanvasOverlays&) const {
    if (!page_ || dirty.isEmpty()) return;
    const QRgb colour = shownColour(*page_);
    // Only the page rows the repainted part shows.
    const int firstRow = static_cast<int>(std::max<std::int64_t>(projection.pageY(dirty.top()), 0));
    const int lastRow = static_cast<int>(
        std::min<std::int64_t>(projection.pageY(dirty.bottom()), page_->height - 1));
    if (firstRow > lastRow) return;
    forRuns(anchor_, end_, firstRow, lastRow, [&](int y, int left, int right) {
        if (y < firstRow || y > lastRow) return;
        left = std::max(left, 0);
        right = std::min(right, page_->width - 1);
        if (left > right) return;
        const QRect cells =
            screenRect(projection, left, y, right - left + 1, 1) & dirty & view.rect();
        for (int row = cells.top(); row <= cells.bottom(); ++row) {
            auto* line = reinterpret_cast<QRgb*>(view.scanLine(row));
            std::fill(line + cells.left(), line + cells.right() + 1, colour);
        }
    });
}

// ---- line --------------------------------------------------------------------------

const ToolLook& LineTool::look() const {
    return kLineLook;
}

DragPoint LineTool::constrained(DragPoint anchor, DragPoint to) const {
    return snappedLineEnd(anchor, to);
}

void LineTool::forRuns(DragPoint a, DragPoint b, int, int, const RunVisit& visit) const {
    forLinePixels(a.x, a.y, b.x, b.y, [&](int x, int y) { visit(y, x, x); });
}

void LineTool::paint(Page& page, DragPoint a, DragPoint b, std::uint8_t index) const {
    paintLine(page, a.x, a.y, b.x, b.y, index);
}

// ---- rectangles and ellipses ---------------------------------------------------------

DragPoint ShapeTool::constrained(DragPoint anchor, DragPoint to) const {
    return squareEnd(anchor, to);
}

void ShapeTool::forRuns(DragPoint a, DragPoint b, int firstRow, int lastRow,
                        const RunVisit& visit) const {
    forShapeRuns({kind_, filled_, a, b}, firstRow, lastRow, visit);
}

void ShapeTool::paint(Page& page, DragPoint a, DragPoint b, std::uint8_t index) const {
    paintShape(page, {kind_, filled_, a, b}, index);
}

const ToolLook& RectangleTool::look() const {
    return kRectangleLook;
}
const ToolLook& FilledRectangleTool::look() const {
    return kFilledRectangleLook;
}
const ToolLook& EllipseTool::look() const {
    return kEllipseLook;
}
const ToolLook& FilledEllipseTool::look() const {
    return kFilledEllipseLook;
}

}  // namespace zentil
