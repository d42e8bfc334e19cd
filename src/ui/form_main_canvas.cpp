// The canvas of the main window: dragging out a block outline, lifting the
// block, carrying and stamping it, the nudge buttons, auto-scrolling, and the
// area rectangles.
#include <QCursor>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollBar>

#include "edit/area_layers.h"
#include "edit/block.h"
#include "edit/canvas_geometry.h"
#include "form_main.h"
#include "render/drawing.h"
#include "render/page_render.h"
#include "ui_form_main.h"
#include "work/page_edits.h"

namespace zentil {
namespace {

// Scroll box colours (0x00BBGGRR): a block lifted, put away, applied.
constexpr std::uint32_t kColorLifted = 0xBBA0EB;
constexpr std::uint32_t kColorPutAway = 0xC08080;
constexpr std::uint32_t kColorApplied = 0x000000;
constexpr std::uint32_t kFrameRed = 0x0000FF;

QPoint posOf(const QMouseEvent* e) {
    return e->position().toPoint();
}

}  // namespace

void TMainWin::connectCanvas() {
    connect(ui_->Image_Page, &ImageView::mousePressed, this, [this](QMouseEvent* e) {
        Image_PageMouseDown(e->button(), posOf(e).x(), posOf(e).y());
    });
    connect(ui_->Image_Page, &ImageView::mouseMoved, this,
            [this](QMouseEvent* e) { Image_PageMouseMove(posOf(e).x(), posOf(e).y()); });
    connect(ui_->Image_Page, &ImageView::mouseReleased, this,
            [this](QMouseEvent* e) { Image_PageMouseUp(e->button(), posOf(e).x(), posOf(e).y()); });
    connect(ui_->Shape_Block, &OutlineShape::mouseMoved, this,
            [this](QMouseEvent* e) { Shape_BlockMouseMove(posOf(e).x(), posOf(e).y()); });
    connect(ui_->Image_Capture, &ImageView::mousePressed, this, [this](QMouseEvent* e) {
        Image_CaptureMouseDown(e->button(), posOf(e).x(), posOf(e).y());
    });
    connect(ui_->Image_Capture, &ImageView::mouseMoved, this,
            [this](QMouseEvent* e) { Image_CaptureMouseMove(posOf(e).x(), posOf(e).y()); });
    connect(ui_->Image_Capture, &ImageView::mouseReleased, this,
            [this](QMouseEvent*) { Image_CaptureMouseUp(); });
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
    canvasColor_ = bgr;
    const QString css =
        QStringLiteral("QScrollArea#Sb_Page, QWidget#CanvasHost { background-color: %1; }")
            .arg(colorFromBgr(bgr).name());
    ui_->Sb_Page->setStyleSheet(css);
}

// The outline and the panel lie over the image, which sits one pixel inside
// the frame panel; positions are kept in page pixels.
void TMainWin::placeOutline(const QRect& outline) {
    outline_ = outline;
    ui_->Shape_Block->setGeometry(outline.translated(ui_->Image_Page->pos()));
}

void TMainWin::placeCapture(int left, int top) {
    capturePos_ = QPoint(left, top);
    ui_->Panel_Capture->move(capturePos_ + ui_->Image_Page->pos());
}

QRect TMainWin::captureRect() const {
    return QRect(capturePos_, ui_->Panel_Capture->size());
}

// The capture panel is shown exactly while a block is lifted.
void TMainWin::showCapture(bool shown) {
    ui_->Panel_Capture->setVisible(shown);
    if (shown) ui_->Panel_Capture->raise();
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
    canvas.anchorX = outline_.x();
    canvas.anchorY = outline_.y();
    ui_->Shape_Block->show();
    ui_->Shape_Block->raise();
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
    int left = outline_.x(), top = outline_.y(), w = outline_.width(), h = outline_.height();
    if (areaMode()) {
        dragPixelAxis(left, w, canvas.anchorX, x);
        dragPixelAxis(top, h, canvas.anchorY, y);
    } else {
        dragTileAxis(left, w, canvas.anchorX, x, tw, ui_->Image_Page->width());
        dragTileAxis(top, h, canvas.anchorY, y, th, ui_->Image_Page->height());
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
    const QRect r = outline_;
    CanvasSelection& canvas = workspace_.canvas;
    const Outcome lifted = liftBlock(workspace_.lifted, *page, r.x(), r.y(), r.width(), r.height(),
                                     workspace_.defaults());
    if (!lifted) {
        // A block that could not be made is dropped whole.
        workspace_.lifted = LiftedBlock{};
        canvas.state = CanvasState::Idle;
        ui_->Shape_Block->hide();
        report(lifted);
        return;
    }
    ui_->Shape_Block->hide();
    ui_->Panel_Capture->resize(r.size());
    placeCapture(r.x(), r.y());
    ui_->Image_Capture->setGeometry(0, 0, r.width(), r.height());
    ui_->Image_Capture->dropPicture();
    ui_->Image_Capture->fitPictureToSize();
    renderPage(ui_->Image_Capture->picture(), *page, r.x(), r.y(), r.width(), r.height());
    canvas.state = CanvasState::Lifted;
    showCapture(true);
    ui_->Image_Capture->update();
    setCanvasColor(kColorLifted);
}

void TMainWin::setAreaFromOutline() {
    Page* page = canvasPage();
    QRect r = outline_;
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
    ui_->Shape_Block->hide();
    showCurrent();
}

void TMainWin::Shape_BlockMouseMove(int x, int y) {
    const Page* page = canvasPage();
    if (!page || !ui_->Shape_Block->isVisible() ||
        workspace_.canvas.state != CanvasState::Selecting)
        return;
    placeOutline(QRect(snap(x + outline_.x(), page->tileWidth),
                       snap(y + outline_.y(), page->tileHeight), outline_.width(),
                       outline_.height()));
}

// ---- the lifted block ------------------------------------------------------

void TMainWin::redrawCapture(bool composed) {
    QImage& picture = ui_->Image_Capture->picture();
    const LiftedBlock& lifted = workspace_.lifted;
    if (composed) renderPage(picture, lifted.view, 0, 0, lifted.block.stride, lifted.block.height);
    const GridLines grid = gridLines();
    if (grid.shown) drawTileGrid(picture, lifted.block.tileWidth, lifted.block.tileHeight, grid.color);
    drawRectOutline(picture, 1, 1, ui_->Image_Capture->width() - 2,
                    ui_->Image_Capture->height() - 2, kFrameRed, 2);
}

void TMainWin::Image_CaptureMouseMove(int x, int y) {
    const Page* page = canvasPage();
    if (!page || !workspace_.blockLifted()) return;
    const int left = std::max(capturePos_.x(), 0), top = std::max(capturePos_.y(), 0);
    placeCapture(snap(x + left, page->tileWidth), snap(y + top, page->tileHeight));
    LiftedBlock& lifted = workspace_.lifted;
    const bool composed = composeBlockView(lifted, *page, capturePos_.x(), capturePos_.y(),
                                           ui_->Combo_CopyMode->currentIndex())
                              .ok;
    if (composed)
        renderPage(ui_->Image_Capture->picture(), lifted.view, 0, 0, lifted.block.stride,
                   lifted.block.height);
    if (workspace_.canvas.stamping) stampAtPanel();
    redrawCapture(false);
    ui_->Image_Capture->update();
    ui_->Image_Page->update();
}

void TMainWin::stampAtPanel() {
    Page* page = canvasPage();
    const LiftedBlock& lifted = workspace_.lifted;
    const int left = capturePos_.x(), top = capturePos_.y();
    Outcome outcome;
    // Every stamp of one press joins one step of the history.
    std::unique_ptr<Command> stamp = editRect(
        workspace_, *page, {left, top, lifted.view.stride, lifted.view.height},
        [&](Page& p) { return stampBlock(p, lifted, left, top); }, outcome, stroke_);
    report(outcome);
    if (!stamp) return;
    record(std::move(stamp));
    renderPageView(ui_->Image_Page->picture(), *page, gridLines());
    ui_->Image_Page->update();
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

void TMainWin::Timer_ScrollTimer() {
    const Page* page = canvasPage();
    if (!page || !ui_->Shape_Block->isVisible()) return;
    const QPoint cursor = QCursor::pos();
    const QRect frame = frameGeometry();
    const QScreen* screen = this->screen();
    const QSize screenSize = screen ? screen->size() : QSize(0, 0);
    QScrollBar* hbar = ui_->Sb_Page->horizontalScrollBar();
    QScrollBar* vbar = ui_->Sb_Page->verticalScrollBar();
    const int tw = page->tileWidth, th = page->tileHeight;
    const int clientTop = frame.top() + (frame.height() - height());
    if (cursor.x() < frame.left() + ui_->Sb_Page->x() || cursor.x() < 4)
        hbar->setValue(hbar->value() - tw);
    if (cursor.y() < clientTop + ui_->Sb_Page->y() || cursor.y() < 4)
        vbar->setValue(vbar->value() - th);
    if (cursor.x() > frame.left() + frame.width() || cursor.x() > screenSize.width() - 4)
        hbar->setValue(hbar->value() + tw);
    if (cursor.y() > frame.top() + frame.height() || cursor.y() > screenSize.height() - 4)
        vbar->setValue(vbar->value() + th);
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
    // The lifted block moves inside itself; the panel shows it at once and
    // the next move over it composes it again.
    Page& block = workspace_.lifted.block;
    report(nudgePage(block, direction));
    QImage& picture = ui_->Image_Capture->picture();
    renderPage(picture, block, 0, 0, block.stride, block.height);
    const GridLines grid = gridLines();
    if (grid.shown) drawTileGrid(picture, page->tileWidth, page->tileHeight, grid.color);
    drawRectOutline(picture, 1, 1, ui_->Image_Capture->width() - 3,
                    ui_->Image_Capture->height() - 3, kFrameRed, 2);
    ui_->Image_Capture->update();
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
    scrollToOrigin();
    showPage(*page, false);
}

}  // namespace zentil
