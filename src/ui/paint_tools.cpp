#include "paint_tools.h"

#include <QCoreApplication>
#include <algorithm>

#include "edit/paint.h"
#include "page_canvas.h"
#include "work/page_edits.h"
#include "work/stroke_edit.h"
#include "work/workspace.h"

namespace zentil {
namespace {

PixelRect boundsOf(QPoint a, QPoint b) {
    const int x0 = std::min(a.x(), b.x()), y0 = std::min(a.y(), b.y());
    return {x0, y0, std::max(a.x(), b.x()) - x0 + 1, std::max(a.y(), b.y()) - y0 + 1};
}

bool insidePage(const Page& page, QPoint at) {
    return at.x() >= 0 && at.y() >= 0 && at.x() < page.width && at.y() < page.height;
}

Outcome painted() {
    return Outcome::done();
}

}  // namespace

// ---- what the drawing tools share --------------------------------------------

void PaintTool::move(const CanvasPointer& pointer) {
    host_.showPixelInfo(pointer.page.x(), pointer.page.y());
}

bool PaintTool::acts(const CanvasPointer& pointer) const {
    return pointer.button == Qt::LeftButton && host_.acceptsClicks();
}

Page* PaintTool::paintablePage() {
    Workspace& workspace = host_.workspace();
    Page* page = workspace.currentPage();
    if (!page || !page->inUse()) return nullptr;
    if (workspace.activeList() != ListId::Sprites) {
        colours_.explain(QCoreApplication::translate(
            "zentil::PaintTool", "그림 목록의 페이지는 읽기 전용이라 그릴 수 없습니다."));
        return nullptr;
    }
    if (page->mode != kMode8) {
        colours_.explain(
            QCoreApplication::translate("zentil::PaintTool", "8비트 페이지에만 그릴 수 있습니다."));
        return nullptr;
    }
    return page;
}

bool PaintTool::pickColour(QPoint at) {
    const Page* page = host_.workspace().currentPage();
    if (!page || !page->inUse() || page->mode != kMode8 || !insidePage(*page, at)) return false;
    colours_.setCurrentColour(
        pixelBytes(*page)[static_cast<std::size_t>(at.y()) * page->stride + at.x()]);
    return true;
}

// ---- pencil and eraser -------------------------------------------------------

void PencilTool::press(const CanvasPointer& pointer) {
    if (!acts(pointer) || page_) return;
    if (pointer.modifiers & Qt::AltModifier) {
        pickColour(pointer.page);
        return;
    }
    Page* page = paintablePage();
    if (!page) return;
    page_ = page;
    stroke_ = host_.nextStroke();
    const bool fromLast = (pointer.modifiers & Qt::ShiftModifier) && lastPage_ == page;
    paintSegment(fromLast ? last_ : pointer.page, pointer.page);
}

void PencilTool::move(const CanvasPointer& pointer) {
    PaintTool::move(pointer);
    if (!page_) return;
    // The page went away or another one is shown: the stroke ends there.
    if (host_.workspace().currentPage() != page_) {
        cancel();
        return;
    }
    if (pointer.page != previous_) paintSegment(previous_, pointer.page);
}

void PencilTool::release(const CanvasPointer& pointer) {
    if (pointer.button == Qt::LeftButton) cancel();
}

void PencilTool::cancel() {
    if (!page_) return;
    page_ = nullptr;
    host_.closeStep();
}

void PencilTool::paintSegment(QPoint from, QPoint to) {
    previous_ = to;
    last_ = to;
    lastPage_ = page_;
    const std::uint8_t index =
        eraser_ ? page_->colorKey8 : static_cast<std::uint8_t>(colours_.currentColour());
    Outcome outcome;
    std::unique_ptr<Command> part = strokeEdit(
        host_.workspace(), *page_, boundsOf(from, to),
        [&](Page& page) {
            paintLine(page, from.x(), from.y(), to.x(), to.y(), index);
            return painted();
        },
        outcome, stroke_);
    host_.report(outcome);
    host_.record(std::move(part));
}

// ---- fill ----------------------------------------------------------------------

void FillTool::press(const CanvasPointer& pointer) {
    if (!acts(pointer)) return;
    if (pointer.modifiers & Qt::AltModifier) {
        pickColour(pointer.page);
        return;
    }
    Page* page = paintablePage();
    if (!page || !insidePage(*page, pointer.page)) return;
    const auto index = static_cast<std::uint8_t>(colours_.currentColour());
    Outcome outcome;
    std::unique_ptr<Command> step = editPixels(
        host_.workspace(), *page,
        [&](Page& p) {
            fillRegion(p, pointer.page.x(), pointer.page.y(), index);
            return painted();
        },
        outcome);
    host_.report(outcome);
    host_.record(std::move(step));
    host_.closeStep();
}

// ---- line ------------------------------------------------------------------------

QRect LineTool::lineRect() const {
    const PixelRect r = boundsOf(start_, end_);
    return QRect(r.x, r.y, r.w, r.h);
}

void LineTool::press(const CanvasPointer& pointer) {
    if (!acts(pointer) || page_) return;
    if (pointer.modifiers & Qt::AltModifier) {
        pickColour(pointer.page);
        return;
    }
    page_ = paintablePage();
    if (!page_) return;
    start_ = end_ = pointer.page;
    canvas_.updatePageRect(lineRect());
}

void LineTool::move(const CanvasPointer& pointer) {
    PaintTool::move(pointer);
    if (!page_) return;
    if (host_.workspace().currentPage() != page_) {
        cancel();
        return;
    }
    canvas_.updatePageRect(lineRect());
    end_ = pointer.page;
    canvas_.updatePageRect(lineRect());
}

void LineTool::release(const CanvasPointer& pointer) {
    if (!page_ || pointer.button != Qt::LeftButton) return;
    Page* page = page_;
    page_ = nullptr;
    canvas_.updatePageRect(lineRect());
    if (host_.workspace().currentPage() != page) return;
    const auto index = static_cast<std::uint8_t>(colours_.currentColour());
    const QPoint a = start_, b = end_;
    Outcome outcome;
    std::unique_ptr<Command> step = editRect(
        host_.workspace(), *page, boundsOf(a, b),
        [&](Page& p) {
            paintLine(p, a.x(), a.y(), b.x(), b.y(), index);
            return painted();
        },
        outcome);
    host_.report(outcome);
    host_.record(std::move(step));
    host_.closeStep();
}

void LineTool::cancel() {
    if (!page_) return;
    page_ = nullptr;
    canvas_.updatePageRect(lineRect());
}

void LineTool::paintOver(QImage& view, const QRect& dirty, const CanvasProjection& projection,
                         const CanvasOverlays&) const {
    if (!page_) return;
    const int index = colours_.currentColour();
    const std::uint8_t* rgb = &page_->palette[static_cast<std::size_t>(index) * 3];
    const QRgb colour = qRgb(rgb[0], rgb[1], rgb[2]);
    forLinePixels(start_.x(), start_.y(), end_.x(), end_.y(), [&](int x, int y) {
        if (!insidePage(*page_, QPoint(x, y))) return;
        const QRect cell = screenRect(projection, x, y, 1, 1) & dirty & view.rect();
        for (int row = cell.top(); row <= cell.bottom(); ++row) {
            auto* line = reinterpret_cast<QRgb*>(view.scanLine(row));
            std::fill(line + cell.left(), line + cell.right() + 1, colour);
        }
    });
}

// ---- eyedropper ------------------------------------------------------------------

void EyedropperTool::press(const CanvasPointer& pointer) {
    if (acts(pointer)) pickColour(pointer.page);
}

}  // namespace zentil
