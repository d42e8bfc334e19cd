// The canvas of the main window: dragging out a block outline, lifting the
// block, carrying and stamping it, the nudge buttons, auto-scrolling, and the
// area rectangles.
#include <QCursor>

#include "edit/area_layers.h"
#include "edit/block.h"
#include "edit/canvas_geometry.h"
#include "form_main.h"
#include "page_canvas.h"
#include "ui_form_main.h"
#include "work/page_edits.h"
#include "work/stroke_edit.h"

namespace zentil {
namespace {

// Colours around the page (0x00BBGGRR): a block lifted, put away, applied.
constexpr std::uint32_t kColorLifted = 0xBBA0EB;
constexpr std::uint32_t kColorPutAway = 0xC08080;
constexpr std::uint32_t kColorApplied = 0x000000;

}  // namespace

void TMainWin::connectCanvas() {
    PageCanvas* c = &canvas();
    connect(c, &PageCanvas::pagePressed, this, [this](Qt::MouseButton button, QPoint at) {
        Image_PageMouseDown(button, at.x(), at.y());
    });
    connect(c, &PageCanvas::pageMoved, this,
            [this](QPoint at) { Image_PageMouseMove(at.x(), at.y()); });
    connect(c, &PageCanvas::pageReleased, this, [this](Qt::MouseButton button, QPoint at) {
        Image_PageMouseUp(button, at.x(), at.y());
    });
    connect(c, &PageCanvas::outlineMoved, this,
            [this](QPoint at) { Shape_BlockMouseMove(at.x(), at.y()); });
    connect(c, &PageCanvas::blockPressed, this, [this](Qt::MouseButton button, QPoint at) {
        Image_CaptureMouseDown(button, at.x(), at.y());
    });
    connect(c, &PageCanvas::blockMoved, this,
            [this](QPoint at) { Image_CaptureMouseMove(at.x(), at.y()); });
    connect(c, &PageCanvas::blockReleased, this,
            [this](Qt::MouseButton) { Image_CaptureMouseUp(); });
    connect(&Timer_Scroll, &QTimer::timeout, this, &TMainWin::Timer_ScrollTimer);

    connect(ui_->Btn_MoveLeftUp, &QToolButton::clicked, this, &TMainWin::Btn_MoveLeftUpClick);
    connect(ui_->Btn_MoveUp, &QToolButton::clicked, this, &TMainWin::Btn_MoveUpClick);
    connect(ui_->Btn_MoveRightUp, &QToolButton::clicked, this, &TMainWin::Btn_MoveRightUpClick);
    connect(ui_->Btn_MoveRight, &QToolButton::clicked, this, &TMainWin::Btn_MoveRightClick);
    connect(ui_->Btn_MoveRightDown, &QToolButton::clicked, this, &TMainWin::Btn_MoveRightDownClick);
    connect(ui_->Btn_MoveDown, &QToolButton::clicked, this, &TMainWin::Btn_MoveDownClick);
    connect(ui_->Btn_MoveLeftDown, &QToolButton::clicked, this, &TMainWin::Btn_MoveLeftDownClick);
    connect(ui_->Btn_MoveLeft, &QToolButton::clicked, this, &TMainWin::Btn_MoveLeftClick);
    connect(ui_->Btn_MoveOk, &QToolButton::clicked, this, &TMainWin::Btn_MoveOkClick);
}

Page* TMainWin::canvasPage() const {
    Page* page = workspace_.currentPage();
    return page && page->inUse() && page->tileWidth > 0 && page->tileHeight > 0 ? page : nullptr;
}

bool TMainWin::areaMode() const {
    return ui_->Cb_CrossIndex->currentIndex() > 0;
}

void TMainWin::setCanvasColor(std::uint32_t bgr) {
    canvas().setCanvasColor(bgr);
}

std::uint32_t TMainWin::canvasColor() const {
    return canvas().canvasColor();
}

QRect TMainWin::outlineRect() const {
    return canvas().outline();
}

QRect TMainWin::captureRect() const {
    return canvas().blockRect();
}

void TMainWin::placeOutline(const QRect& outline) {
    canvas().showOutline(outline);
}

void TMainWin::placeCapture(int left, int top) {
    canvas().moveBlock(QPoint(left, top));
}

// The block is shown exactly while it is lifted.
void TMainWin::showCapture(bool shown) {
    if (!shown) canvas().hideBlock();
    ui_->Btn_MoveOk->setEnabled(shown);
}

// ---- the canvas -----------------------------------------------------------

void TMainWin::Image_PageMouseDown(Qt::MouseButton button, int x, int y) {
    const Page* page = canvasPage();
    if (!page || !canvasAcceptsClicks() || button != Qt::LeftButton) return;
    CanvasSelection& canvas = workspace_.canvas;
    canvas.state = CanvasState::Selecting;
    const int tw = page->tileWidth, th = page->tileHeight;
    placeOutline(areaMode() ? QRect(x, y, 1, 1) : QRect(snap(x, tw), snap(y, th), tw, th));
    canvas.anchorX = outlineRect().x();
    canvas.anchorY = outlineRect().y();
}

void TMainWin::Image_PageMouseMove(int x, int y) {
    const Page* page = canvasPage();
    if (!page) return;
    showPixelInfo(x, y);
    const int tw = page->tileWidth, th = page->tileHeight;
    const CanvasSelection& canvas = workspace_.canvas;
    if (workspace_.blockLifted()) {
        placeCapture(snap(x, tw), snap(y, th));
        return;
    }
    if (canvas.state != CanvasState::Selecting) return;
    const QRect outline = outlineRect();
    int left = outline.x(), top = outline.y(), w = outline.width(), h = outline.height();
    if (areaMode()) {
        dragPixelAxis(left, w, canvas.anchorX, x);
        dragPixelAxis(top, h, canvas.anchorY, y);
    } else {
        dragTileAxis(left, w, canvas.anchorX, x, tw, page->stride);
        dragTileAxis(top, h, canvas.anchorY, y, th, page->height);
    }
    placeOutline(QRect(left, top, w, h));
}

void TMainWin::Image_PageMouseUp(Qt::MouseButton button, int x, int y) {
    Page* page = canvasPage();
    if (!page || !canvasAcceptsClicks()) return;
    if (button == Qt::LeftButton) {
        if (workspace_.canvas.state != CanvasState::Selecting) return;
        areaMode() ? setAreaFromOutline() : liftOutline();
    } else if (button == Qt::RightButton && areaMode()) {
        clearAreaEntries(*page, ui_->Cb_CrossIndex->currentIndex(),
                         ui_->Cb_ApplyArea->currentIndex(), tileIndexAt(*page, x, y));
        showPage(*page, false);
    }
}

void TMainWin::liftOutline() {
    const Page* page = canvasPage();
    const QRect r = outlineRect();
    CanvasSelection& canvas = workspace_.canvas;
    const Outcome lifted = liftBlock(workspace_.lifted, *page, r.x(), r.y(), r.width(), r.height(),
                                     workspace_.defaults());
    if (!lifted) {
        // A block that could not be made is dropped whole.
        workspace_.lifted = LiftedBlock{};
        canvas.state = CanvasState::Idle;
        dropOutline();
        report(lifted);
        return;
    }
    dropOutline();
    this->canvas().showBlock(&workspace_.lifted.block, r);
    canvas.state = CanvasState::Lifted;
    showCapture(true);
    setCanvasColor(kColorLifted);
}

void TMainWin::setAreaFromOutline() {
    Page* page = canvasPage();
    QRect r = outlineRect();
    const int t = tileIndexAt(*page, r.x(), r.y());
    r.setWidth(std::min(r.width(), page->tileWidth));
    r.setHeight(std::min(r.height(), page->tileHeight));
    AreaRect entry;
    entry.left = xInTile(*page, r.x());
    entry.top = yInTile(*page, r.y());
    entry.right = entry.left + r.width();
    entry.bottom = entry.top + r.height();
    setAreaEntries(*page, ui_->Cb_CrossIndex->currentIndex(), ui_->Cb_ApplyArea->currentIndex(), t,
                   entry);
    dropOutline();
    showCurrent();
}

void TMainWin::Shape_BlockMouseMove(int x, int y) {
    const Page* page = canvasPage();
    if (!page || !canvas().outlineShown() || workspace_.canvas.state != CanvasState::Selecting)
        return;
    const QRect outline = outlineRect();
    placeOutline(QRect(snap(x + outline.x(), page->tileWidth),
                       snap(y + outline.y(), page->tileHeight), outline.width(), outline.height()));
}

// ---- the lifted block ------------------------------------------------------

void TMainWin::Image_CaptureMouseMove(int x, int y) {
    const Page* page = canvasPage();
    if (!page || !workspace_.blockLifted()) return;
    const QPoint at = captureRect().topLeft();
    const int left = std::max(at.x(), 0), top = std::max(at.y(), 0);
    placeCapture(snap(x + left, page->tileWidth), snap(y + top, page->tileHeight));
    LiftedBlock& lifted = workspace_.lifted;
    const QPoint now = captureRect().topLeft();
    if (composeBlockView(lifted, *page, now.x(), now.y(), ui_->Combo_CopyMode->currentIndex()))
        canvas().setBlockPicture(&lifted.view);
    if (workspace_.canvas.stamping) stampAtPanel();
}

void TMainWin::stampAtPanel() {
    Page* page = canvasPage();
    const LiftedBlock& lifted = workspace_.lifted;
    const int left = captureRect().x(), top = captureRect().y();
    Outcome outcome;
    // Every stamp of one press joins one step of the history, which keeps
    // each pixel the press changed once; a stamp that changes nothing is no
    // edit at all.
    std::unique_ptr<Command> stamp = strokeEdit(
        workspace_, *page, {left, top, lifted.view.stride, lifted.view.height},
        [&](Page& p) { return stampBlock(p, lifted, left, top); }, outcome, stroke_);
    report(outcome);
    if (!stamp) return;
    record(std::move(stamp));
    canvas().refresh();
}

void TMainWin::Image_CaptureMouseDown(Qt::MouseButton button, int, int) {
    if (button == Qt::RightButton) {
        putBlockAway(kColorPutAway);  // stamps already made stay
        return;
    }
    if (button != Qt::LeftButton || !canvasPage() || workspace_.activeList() != ListId::Sprites)
        return;
    workspace_.canvas.stamping = true;
    ++stroke_;
    stampAtPanel();
}

void TMainWin::putLiftedBlockAway() {
    if (workspace_.blockLifted()) putBlockAway(kColorPutAway);
}

void TMainWin::putBlockAway(std::uint32_t color) {
    workspace_.canvas = CanvasSelection{};
    showCapture(false);
    setCanvasColor(color);
}

void TMainWin::Image_CaptureMouseUp() {
    workspace_.canvas.stamping = false;
    history_.closeStep();
}

// ---- auto-scroll -----------------------------------------------------------

// While an outline is dragged out with the pointer beyond the view, the view
// scrolls a tile at a time toward it and the outline grows to the pointer.
// Zoomed in, a carried block near the view's edge scrolls it the same way
// and follows the pointer.
void TMainWin::Timer_ScrollTimer() {
    const Page* page = canvasPage();
    if (!page) return;
    const bool carrying = workspace_.blockLifted() && canvas().blockShown() && canvas().zoom() > 1;
    if (!canvas().outlineShown() && !carrying) return;
    const QPoint cursor = QCursor::pos();
    const bool scrolled = carrying && !canvas().outlineShown()
                              ? canvas().scrollNearEdge(cursor, page->tileWidth, page->tileHeight)
                              : canvas().scrollToward(cursor, page->tileWidth, page->tileHeight);
    if (!scrolled) return;
    const QPoint at = canvas().toPage(canvas().viewport()->mapFromGlobal(QPointF(cursor)));
    if (workspace_.canvas.state == CanvasState::Selecting && canvas().outlineShown()) {
        Image_PageMouseMove(at.x(), at.y());
    } else if (carrying) {
        const QPoint block = captureRect().topLeft();
        Image_CaptureMouseMove(at.x() - block.x(), at.y() - block.y());
    }
}

// ---- nudges ---------------------------------------------------------------

void TMainWin::nudge(Nudge direction) {
    Page* page = canvasPage();
    if (!page) return;
    if (!workspace_.blockLifted()) {
        if (workspace_.activeList() != ListId::Sprites) return;
        Outcome outcome;
        std::unique_ptr<Command> step = nudgePageStep(workspace_, *page, direction, outcome);
        report(outcome);
        record(std::move(step));
        showPage(*page, true);
        return;
    }
    // The lifted block moves inside itself; the canvas shows it at once and
    // the next move over it composes it again.
    Page& block = workspace_.lifted.block;
    report(nudgePage(block, direction));
    canvas().setBlockPicture(&block);
}

void TMainWin::Btn_MoveOkClick() {
    Page* page = canvasPage();
    if (!page || !workspace_.blockLifted()) return;
    const LiftedBlock& lifted = workspace_.lifted;
    Outcome outcome;
    std::unique_ptr<Command> back = editRect(
        workspace_, *page,
        {lifted.originX, lifted.originY, lifted.block.stride, lifted.block.height},
        [&](Page& p) { return applyBlock(p, lifted); }, outcome);
    report(outcome);
    record(std::move(back));
    workspace_.canvas.state = CanvasState::Idle;
    showCapture(false);
    setCanvasColor(kColorApplied);
    // At 1x the view goes back to the page's corner; zoomed in, it stays on
    // the block just written.
    if (canvas().zoom() == 1) scrollToOrigin();
    showPage(*page, false);
}

}  // namespace zentil
