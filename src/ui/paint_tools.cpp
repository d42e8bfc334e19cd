#include "paint_tools.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <algorithm>

#include "edit/paint.h"
#include "page_canvas.h"
#include "work/page_edits.h"
#include "work/stroke_edit.h"
#include "work/workspace.h"

namespace zentil {
namespace {

// How far the view scrolls at a tick of a drag past its edge, in screen pixels.
constexpr int kDragScroll = 32;

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

constexpr ToolPicture kPencil = {
    "...........kk...", "..........krrk..", ".........kwrrrk.", "........kyykrk..",
    ".......kyyyyk...", "......kyyyyk....", ".....kyyyyk.....", "....kyyyyk......",
    "...kyyyyk.......", "..kwyyyk........", "..kwwyk.........", ".kwwwk..........",
    ".kkwk...........", ".kkk............", "................", "................"};
constexpr ToolPicture kEraser = {
    "................", "........kkkk....", ".......krrrrk...", "......krrrrrrk..",
    ".....krrrrrrrrk.", "....kwkrrrrrrk..", "...kwwwkrrrrk...", "..kwwwwwkrrk....",
    ".kwwwwwwwkk.....", "..kwwwwwk.......", "...kwwwk........", "....kkk.........",
    "................", "..gggggggggggg..", "................", "................"};
constexpr ToolPicture kEyedropper = {
    "............kk..", "...........kkkk.", "..........kkkkk.", ".........kkkkk..",
    "........kwkkk...", ".......kwwwk....", "......kwwwk.....", ".....kwwwk......",
    "....kwwwk.......", "...kbbbk........", "..kbbbk.........", ".kbbbk..........",
    ".kbbk...........", "..kk............", "................", "................"};
constexpr ToolPicture kFill = {
    "................", "......kk........", ".....kwwk.......", "....kwwwwk......",
    "...kwwwwwwk.....", "..kwwwwwwwwk....", ".kbbbbbbbbbbk...", "..kbbbbbbbbkbb..",
    "...kbbbbbbk.bbb.", "....kbbbbk..bbb.", ".....kbbk....bb.", "......kk.....b..",
    "................", "................", "................", "................"};

// The keys pixel editors use for them; each cursor acts at its picture's tip.
const ToolLook kPencilLook = {
    PencilTool::kId,
    QT_TRANSLATE_NOOP("zentil::CanvasTools", "연필"),
    QT_TRANSLATE_NOOP("zentil::CanvasTools",
                      "현재 색으로 그립니다. Shift와 함께 누르면 마지막 점에서 직선을 "
                      "긋습니다. Esc: 취소."),
    Qt::Key_B,
    kPencil,
    {Qt::CrossCursor, &kPencil, {1, 13}}};
const ToolLook kEraserLook = {
    EraserTool::kId,
    QT_TRANSLATE_NOOP("zentil::CanvasTools", "지우개"),
    QT_TRANSLATE_NOOP("zentil::CanvasTools", "페이지의 투명색으로 칠합니다."),
    Qt::Key_E,
    kEraser,
    {Qt::CrossCursor, &kEraser, {1, 8}}};
const ToolLook kFillLook = {
    FillTool::kId,
    QT_TRANSLATE_NOOP("zentil::CanvasTools", "채우기"),
    QT_TRANSLATE_NOOP("zentil::CanvasTools", "같은 색으로 이어진 영역을 현재 색으로 채웁니다."),
    Qt::Key_G,
    kFill,
    {Qt::CrossCursor, &kFill, {13, 11}}};
const ToolLook kEyedropperLook = {
    EyedropperTool::kId,
    QT_TRANSLATE_NOOP("zentil::CanvasTools", "스포이트"),
    QT_TRANSLATE_NOOP("zentil::CanvasTools", "누른 곳의 색을 현재 색으로 합니다."),
    Qt::Key_I,
    kEyedropper,
    {Qt::CrossCursor, &kEyedropper, {2, 13}}};

}  // namespace

// ---- what the drawing tools share --------------------------------------------

void PaintTool::move(const CanvasPointer& pointer) {
    host_.showPixelInfo(pointer.page.x(), pointer.page.y());
}

void PaintTool::tick() {
    if (!busy()) return;
    // A step of the same length on the screen at every zoom.
    const int step = std::max(1, kDragScroll / canvas_.zoom());
    const QPoint cursor = QCursor::pos();
    if (!canvas_.scrollToward(cursor, step, step)) return;
    move({canvas_.toPage(canvas_.viewport()->mapFromGlobal(QPointF(cursor))), Qt::NoButton,
          Qt::LeftButton, QGuiApplication::keyboardModifiers()});
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

QRgb PaintTool::shownColour(const Page& page) const {
    const std::uint8_t* rgb = &page.palette[static_cast<std::size_t>(colours_.currentColour()) * 3];
    return qRgb(rgb[0], rgb[1], rgb[2]);
}

// ---- pencil and eraser -------------------------------------------------------

void FreehandTool::press(const CanvasPointer& pointer) {
    if (!acts(pointer) || page_) return;
    if (pointer.modifiers & Qt::AltModifier) {
        pickColour(pointer.page);
        return;
    }
    Page* page = paintablePage();
    if (!page) return;
    page_ = page;
    stroke_ = host_.nextStroke();
    step_ = nullptr;
    const bool fromLast = (pointer.modifiers & Qt::ShiftModifier) && lastPage_ == page;
    paintSegment(fromLast ? last_ : pointer.page, pointer.page);
}

void FreehandTool::move(const CanvasPointer& pointer) {
    PaintTool::move(pointer);
    if (!page_) return;
    // The page went away or another one is shown: the stroke ends there.
    if (host_.workspace().currentPage() != page_) {
        cancel();
        return;
    }
    if (pointer.page != previous_) paintSegment(previous_, pointer.page);
}

void FreehandTool::release(const CanvasPointer& pointer) {
    if (pointer.button == Qt::LeftButton) cancel();
}

void FreehandTool::cancel() {
    if (!page_) return;
    page_ = nullptr;
    host_.closeStep();
}

bool FreehandTool::key(const CanvasKey& key) {
    if (key.kind != CanvasKey::Kind::Escape || !page_) return false;
    page_ = nullptr;
    lastPage_ = nullptr;
    if (step_) host_.dropStep(step_);
    step_ = nullptr;
    return true;
}

void FreehandTool::paintSegment(QPoint from, QPoint to) {
    previous_ = to;
    last_ = to;
    lastPage_ = page_;
    const std::uint8_t index = paintIndex(*page_);
    Outcome outcome;
    std::unique_ptr<Command> part = strokeEdit(
        host_.workspace(), *page_, boundsOf(from, to),
        [&](Page& page) {
            paintLine(page, from.x(), from.y(), to.x(), to.y(), index);
            return painted();
        },
        outcome, stroke_);
    host_.report(outcome);
    // The first part that changed a pixel is the step the later ones join.
    if (part && !step_) step_ = part.get();
    host_.record(std::move(part));
}

const ToolLook& PencilTool::look() const {
    return kPencilLook;
}

std::uint8_t PencilTool::paintIndex(const Page&) const {
    return static_cast<std::uint8_t>(colours_.currentColour());
}

const ToolLook& EraserTool::look() const {
    return kEraserLook;
}

std::uint8_t EraserTool::paintIndex(const Page& page) const {
    return page.colorKey8;
}

// ---- fill ----------------------------------------------------------------------

const ToolLook& FillTool::look() const {
    return kFillLook;
}

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

// ---- eyedropper ------------------------------------------------------------------

const ToolLook& EyedropperTool::look() const {
    return kEyedropperLook;
}

void EyedropperTool::press(const CanvasPointer& pointer) {
    if (acts(pointer)) pickColour(pointer.page);
}

}  // namespace zentil
