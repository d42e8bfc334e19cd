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
#include "image/page_table.h"
#include "render/drawing.h"
#include "render/page_render.h"
#include "system/config.h"
#include "ui_form_main.h"

namespace zentil {
namespace {

// Scroll box colours (0x00BBGGRR): a block lifted, put away, applied.
constexpr std::uint32_t kColorLifted = 0xBBA0EB;
constexpr std::uint32_t kColorPutAway = 0xC08080;
constexpr std::uint32_t kColorApplied = 0x000000;
constexpr std::uint32_t kFrameRed = 0x0000FF;

constexpr std::int32_t kIdle = 0, kSelecting = 1, kLifted = 2;

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

Page* TMainWin::currentPage() const {
    Page* page = pageOrNull(CurrentPage);
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

// ---- the canvas -----------------------------------------------------------

void TMainWin::Image_PageMouseDown(Qt::MouseButton button, int x, int y) {
    const Page* page = currentPage();
    if (!page || !canvasAcceptsClicks() || button != Qt::LeftButton) return;
    blockSelection.state = kSelecting;
    const int tw = page->tileWidth, th = page->tileHeight;
    placeOutline(areaMode() ? QRect(x, y, 1, 1) : QRect(snap(x, tw), snap(y, th), tw, th));
    blockSelection.anchorX = outline_.x();
    blockSelection.anchorY = outline_.y();
    ui_->Shape_Block->show();
    ui_->Shape_Block->raise();
}

void TMainWin::Image_PageMouseMove(int x, int y) {
    const Page* page = currentPage();
    if (!page) return;
    showPixelInfo(x, y);
    const int tw = page->tileWidth, th = page->tileHeight;
    if (ui_->Panel_Capture->isVisible()) {
        placeCapture(snap(x, tw), snap(y, th));
        return;
    }
    if (blockSelection.state != kSelecting) return;
    int left = outline_.x(), top = outline_.y(), w = outline_.width(), h = outline_.height();
    if (areaMode()) {
        dragPixelAxis(left, w, blockSelection.anchorX, x);
        dragPixelAxis(top, h, blockSelection.anchorY, y);
    } else {
        dragTileAxis(left, w, blockSelection.anchorX, x, tw, ui_->Image_Page->width());
        dragTileAxis(top, h, blockSelection.anchorY, y, th, ui_->Image_Page->height());
    }
    placeOutline(QRect(left, top, w, h));
}

void TMainWin::Image_PageMouseUp(Qt::MouseButton button, int x, int y) {
    Page* page = currentPage();
    if (!page || !canvasAcceptsClicks()) return;
    if (button == Qt::LeftButton) {
        areaMode() ? setAreaFromOutline() : liftOutline();
    } else if (button == Qt::RightButton && areaMode()) {
        clearAreaEntries(*page, ui_->Cb_CrossIndex->currentIndex(),
                         ui_->Cb_ApplyArea->currentIndex(), tileIndexAt(*page, x, y));
        showPage(*page, false);
    }
}

void TMainWin::liftOutline() {
    const Page* page = currentPage();
    const QRect r = outline_;
    if (!liftBlock(*page, r.x(), r.y(), r.width(), r.height())) return;
    ui_->Shape_Block->hide();
    ui_->Panel_Capture->resize(r.size());
    placeCapture(r.x(), r.y());
    ui_->Image_Capture->setGeometry(0, 0, r.width(), r.height());
    ui_->Image_Capture->dropPicture();
    ui_->Image_Capture->fitPictureToSize();
    renderPage(ui_->Image_Capture->picture(), *page, r.x(), r.y(), r.width(), r.height());
    ui_->Panel_Capture->show();
    ui_->Panel_Capture->raise();
    ui_->Image_Capture->update();
    ui_->Btn_MoveOk->setEnabled(true);
    setCanvasColor(kColorLifted);
    blockSelection.anchorX = r.x();
    blockSelection.anchorY = r.y();
    blockSelection.state = kLifted;
}

void TMainWin::setAreaFromOutline() {
    Page* page = currentPage();
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
    if (ActiveList == kListSprite)
        Lb_SprClick();
    else if (ActiveList == kListTga)
        Lb_TgaClick();
}

void TMainWin::Shape_BlockMouseMove(int x, int y) {
    const Page* page = currentPage();
    if (!page || !ui_->Shape_Block->isVisible() || blockSelection.state != kSelecting) return;
    placeOutline(QRect(snap(x + outline_.x(), page->tileWidth),
                       snap(y + outline_.y(), page->tileHeight), outline_.width(),
                       outline_.height()));
}

// ---- the lifted block ------------------------------------------------------

void TMainWin::redrawCapture(bool composed) {
    QImage& picture = ui_->Image_Capture->picture();
    const Page& block = capturePage();
    if (composed) renderPage(picture, captureViewPage(), 0, 0, block.stride, block.height);
    if (config().showGrid != 0)
        drawTileGrid(picture, block.tileWidth, block.tileHeight,
                     static_cast<std::uint32_t>(config().gridColor));
    drawRectOutline(picture, 1, 1, ui_->Image_Capture->width() - 2,
                    ui_->Image_Capture->height() - 2, kFrameRed, 2);
}

void TMainWin::Image_CaptureMouseMove(int x, int y) {
    const Page* page = currentPage();
    if (!page || !ui_->Panel_Capture->isVisible()) return;
    const int left = std::max(capturePos_.x(), 0), top = std::max(capturePos_.y(), 0);
    placeCapture(snap(x + left, page->tileWidth), snap(y + top, page->tileHeight));
    const bool composed = composeBlockView(*page, capturePos_.x(), capturePos_.y(),
                                           ui_->Combo_CopyMode->currentIndex());
    if (composed) {
        const Page& block = capturePage();
        renderPage(ui_->Image_Capture->picture(), captureViewPage(), 0, 0, block.stride,
                   block.height);
    }
    if (blockSelection.stamping == 1) stampAtPanel();
    redrawCapture(false);
    ui_->Image_Capture->update();
    ui_->Image_Page->update();
}

void TMainWin::stampAtPanel() {
    Page* page = currentPage();
    stampBlock(*page, capturePos_.x(), capturePos_.y());
    QImage& picture = ui_->Image_Page->picture();
    renderPage(picture, *page, 0, 0, page->stride, page->height);
    if (config().showGrid != 0) {
        const auto color = static_cast<std::uint32_t>(config().gridColor);
        drawTileGrid(picture, page->tileWidth, page->tileHeight, color);
        drawTileCentres(picture, page->tileWidth, page->tileHeight, color);
    }
    ui_->Image_Page->update();
}

void TMainWin::Image_CaptureMouseDown(Qt::MouseButton button, int, int) {
    if (button == Qt::RightButton) {
        putBlockAway(kColorPutAway);  // stamps already made stay
        return;
    }
    if (button != Qt::LeftButton || !currentPage() || ActiveList != kListSprite) return;
    blockSelection.stamping = 1;
    stampAtPanel();
}

void TMainWin::putBlockAway(std::uint32_t color) {
    blockSelection = BlockSelection{};
    ui_->Panel_Capture->hide();
    ui_->Btn_MoveOk->setEnabled(false);
    setCanvasColor(color);
}

void TMainWin::Image_CaptureMouseUp() {
    blockSelection.stamping = 0;
}

// ---- auto-scroll -----------------------------------------------------------

void TMainWin::Timer_ScrollTimer() {
    const Page* page = currentPage();
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
    Page* page = currentPage();
    if (!page) return;
    const bool block = ui_->Btn_MoveOk->isEnabled();
    if (!block && ActiveList != kListSprite) return;
    Page& target = block ? capturePage() : *page;
    nudgePage(target, direction);
    if (!block) {
        showPage(*page, true);
        return;
    }
    // The panel shows the moved block by itself; the next move over it
    // composes it again.
    QImage& picture = ui_->Image_Capture->picture();
    renderPage(picture, target, 0, 0, target.stride, target.height);
    if (config().showGrid != 0)
        drawTileGrid(picture, page->tileWidth, page->tileHeight,
                     static_cast<std::uint32_t>(config().gridColor));
    drawRectOutline(picture, 1, 1, ui_->Image_Capture->width() - 3,
                    ui_->Image_Capture->height() - 3, kFrameRed, 2);
    ui_->Image_Capture->update();
}

void TMainWin::Btn_MoveOkClick() {
    Page* page = currentPage();
    if (!page || !ui_->Btn_MoveOk->isEnabled()) return;
    applyBlock(*page, blockSelection.anchorX, blockSelection.anchorY);
    ui_->Panel_Capture->hide();
    ui_->Btn_MoveOk->setEnabled(false);
    setCanvasColor(kColorApplied);
    scrollToOrigin();
    showPage(*page, false);
}

}  // namespace zentil
