#include "page_canvas.h"

#include <QCursor>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <limits>

#include "render/drawing.h"

namespace zentil {
namespace {

// The panel shown without a page.
constexpr int kEmptyWidth = 400, kEmptyHeight = 300;
// The start hint's distance from the empty panel's sides.
constexpr int kHintMargin = 16;
const QColor kEmptyPanel(0xD4, 0xD0, 0xC8);

constexpr std::uint32_t kBlack = 0x000000;
// How often the tool is ticked (auto-scroll).
constexpr int kToolTickMs = 200;

// One turn step of a common mouse wheel.
constexpr int kWheelStep = 120;
// A line of the scroll bars, in view pixels; a wheel step scrolls the
// platform's number of lines.
constexpr int kScrollLine = 20;
// How close to the view's edge a carried block's pointer scrolls it.
constexpr int kEdgeBand = 24;

int toInt(std::int64_t v) {
    return static_cast<int>(std::clamp<std::int64_t>(v, std::numeric_limits<int>::min() / 2,
                                                     std::numeric_limits<int>::max() / 2));
}

}  // namespace

PageCanvas::PageCanvas(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    layOut();
    scrollTimer_.setInterval(kToolTickMs);
    connect(&scrollTimer_, &QTimer::timeout, this, [this] {
        if (tool_) tool_->tick();
    });
    scrollTimer_.start();
}

void PageCanvas::setTool(CanvasTool* tool) {
    if (tool_ && tool_ != tool) tool_->cancel();
    tool_ = tool;
    viewport()->update();
}

// ---- what is shown ----------------------------------------------------------

void PageCanvas::showPage(const Page* page) {
    page_ = page;
    noteDrawn();
    anchored_ = false;
    layOut();
    viewport()->update();
}

void PageCanvas::setGrid(const GridLines& grid, int areaLayer) {
    grid_ = grid;
    areaLayer_ = areaLayer;
    viewport()->update();
}

void PageCanvas::refresh() {
    viewport()->update();
}

void PageCanvas::setLayer(const CanvasLayer* layer) {
    layer_ = layer;
    viewport()->update();
}

void PageCanvas::noteDrawn() {
    if (!page_) return;
    drawnRevision_ = page_->revision;
    drawnSize_ = QSize(page_->width, page_->height);
    drawnPalette_ = page_->palette;
    drawnKeys_[0] = page_->colorKey8;
    drawnKeys_[1] = page_->colorKey16;
    drawnKeys_[2] = page_->colorKey24;
}

bool PageCanvas::coloursChanged() const {
    return drawnPalette_ != page_->palette || drawnKeys_[0] != page_->colorKey8 ||
           drawnKeys_[1] != page_->colorKey16 || drawnKeys_[2] != page_->colorKey24;
}

void PageCanvas::followEdit(const ChangeLog& log) {
    if (!page_) return;
    const std::optional<PixelRect> changed = log.changedSince(*page_, drawnRevision_);
    if (!changed || drawnSize_ != QSize(page_->width, page_->height)) {
        showPage(page_);
        return;
    }
    const bool everything = coloursChanged();
    noteDrawn();
    if (everything)
        viewport()->update();
    else if (!changed->empty())
        updatePageRect(QRect(changed->x, changed->y, changed->w, changed->h));
}

void PageCanvas::setPixelGrid(bool shown) {
    pixelGrid_ = shown;
    viewport()->update();
}

void PageCanvas::setCanvasColor(std::uint32_t bgr) {
    canvasColor_ = bgr;
    viewport()->update();
}

void PageCanvas::updatePageRect(const QRect& rect, int margin) {
    const QRect onView = screenRect(projection_, rect.x(), rect.y(), rect.width(), rect.height());
    viewport()->update(onView.adjusted(-margin, -margin, margin, margin) & viewport()->rect());
}

// ---- the projection ---------------------------------------------------------

QPoint PageCanvas::toPage(QPointF viewPoint) const {
    // The view pixel a point lies in, then the page pixel that pixel shows.
    const auto x = static_cast<std::int64_t>(std::floor(viewPoint.x()));
    const auto y = static_cast<std::int64_t>(std::floor(viewPoint.y()));
    return QPoint(toInt(projection_.pageX(x)), toInt(projection_.pageY(y)));
}

QPoint PageCanvas::toView(QPoint pagePoint) const {
    return QPoint(toInt(projection_.screenX(pagePoint.x())),
                  toInt(projection_.screenY(pagePoint.y())));
}

QPoint PageCanvas::viewCentre() const {
    return viewport()->rect().center();
}

QRect PageCanvas::pageFrame() const {
    const QSize view = viewport()->size();
    if (!page_)
        return QRect((view.width() - kEmptyWidth) / 2, (view.height() - kEmptyHeight) / 2,
                     kEmptyWidth, kEmptyHeight);
    return screenRect(projection_, 0, 0, page_->stride, page_->height).adjusted(-1, -1, 1, 1);
}

void PageCanvas::layOut() {
    const QScopedValueRollback<bool> ours(adjusting_, true);
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    const QSize view = viewport()->size();
    if (!page_) {
        h->setRange(0, 0);
        v->setRange(0, 0);
    } else {
        // The page and its frame.
        const std::int64_t z = projection_.zoom;
        const std::int64_t width = std::int64_t{page_->stride} * z + 2;
        const std::int64_t height = std::int64_t{page_->height} * z + 2;
        h->setRange(0, toInt(std::max<std::int64_t>(width - view.width(), 0)));
        v->setRange(0, toInt(std::max<std::int64_t>(height - view.height(), 0)));
        h->setPageStep(std::max(view.width(), 1));
        v->setPageStep(std::max(view.height(), 1));
        h->setSingleStep(kScrollLine);
        v->setSingleStep(kScrollLine);
    }
    placeOrigin();
}

void PageCanvas::placeOrigin() {
    if (!page_) return;
    const QSize view = viewport()->size();
    const std::int64_t z = projection_.zoom;
    const std::int64_t width = std::int64_t{page_->stride} * z + 2;
    const std::int64_t height = std::int64_t{page_->height} * z + 2;
    // A page smaller than the view stands in its middle; a larger one scrolls.
    const std::int64_t left =
        width <= view.width() ? (view.width() - width) / 2 : -horizontalScrollBar()->value();
    const std::int64_t top =
        height <= view.height() ? (view.height() - height) / 2 : -verticalScrollBar()->value();
    projection_.originX = left + 1;
    projection_.originY = top + 1;
}

void PageCanvas::setZoom(int zoom, QPoint about) {
    zoom = zoomLevelAfter(zoom, 0);
    if (zoom == projection_.zoom) return;
    const bool again = anchored_ && about == zoomedAt_;
    const CanvasProjection wanted =
        zoomedAbout(again ? zoomWanted_ : projection_, zoom, about.x(), about.y());
    projection_.zoom = zoom;
    zoomedAt_ = about;
    zoomWanted_ = wanted;
    anchored_ = true;
    layOut();
    scrollTo(wanted);
    viewport()->update();
    emit zoomChanged(zoom);
}

void PageCanvas::scrollTo(const CanvasProjection& wanted) {
    const QScopedValueRollback<bool> ours(adjusting_, true);
    // Scroll values are the distance of the frame's left (top) edge above the view's.
    horizontalScrollBar()->setValue(toInt(1 - wanted.originX));
    verticalScrollBar()->setValue(toInt(1 - wanted.originY));
    placeOrigin();
}

void PageCanvas::scrollToOrigin() {
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

bool PageCanvas::scrollToward(QPoint cursor, int tileWidth, int tileHeight) {
    const QRect view(viewport()->mapToGlobal(QPoint(0, 0)), viewport()->size());
    const QScreen* own = screen();
    const QRect screenArea = own ? own->geometry() : QRect();
    // Within 4 pixels of the screen's edge counts as beyond it.
    QRect inner = view;
    if (!screenArea.isEmpty()) inner &= screenArea.adjusted(4, 4, -4, -4);
    return scrollStep(cursor, inner, tileWidth, tileHeight);
}

bool PageCanvas::scrollNearEdge(QPoint cursor, int tileWidth, int tileHeight) {
    const QRect view(viewport()->mapToGlobal(QPoint(0, 0)), viewport()->size());
    if (!view.adjusted(-kEdgeBand, -kEdgeBand, kEdgeBand, kEdgeBand).contains(cursor)) return false;
    return scrollStep(cursor, view.adjusted(kEdgeBand, kEdgeBand, -kEdgeBand, -kEdgeBand),
                      tileWidth, tileHeight);
}

bool PageCanvas::scrollStep(QPoint cursor, const QRect& inner, int tileWidth, int tileHeight) {
    const int stepX = toInt(std::int64_t{std::max(tileWidth, 1)} * projection_.zoom);
    const int stepY = toInt(std::int64_t{std::max(tileHeight, 1)} * projection_.zoom);
    bool moved = false;
    const auto scroll = [&moved](QScrollBar* bar, int by) {
        const int before = bar->value();
        bar->setValue(before + by);
        moved = moved || bar->value() != before;
    };
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    if (cursor.x() < inner.left()) scroll(h, -stepX);
    if (cursor.y() < inner.top()) scroll(v, -stepY);
    if (cursor.x() > inner.right()) scroll(h, stepX);
    if (cursor.y() > inner.bottom()) scroll(v, stepY);
    return moved;
}

// ---- events -----------------------------------------------------------------

void PageCanvas::resizeEvent(QResizeEvent*) {
    layOut();
    if (anchored_) scrollTo(zoomWanted_);
}

void PageCanvas::scrollContentsBy(int, int) {
    // Scrolled by the user: the last zoom's point no longer holds.
    if (!adjusting_) anchored_ = false;
    placeOrigin();
    viewport()->update();
}

QPointF PageCanvas::pointerAt(const QSinglePointEvent* event) const {
    // With the fraction of a view pixel a screen of higher density gives,
    // where the toolkit passes it on (Qt 6.4 rounds the positions of the
    // window system's events to whole view pixels on the way).
    return event->position();
}

CanvasPointer PageCanvas::pointerOf(const QMouseEvent* event) const {
    return {toPage(pointerAt(event)), event->button(), event->buttons(), event->modifiers()};
}

void PageCanvas::mousePressEvent(QMouseEvent* event) {
    if (tool_) tool_->press(pointerOf(event));
}

void PageCanvas::mouseMoveEvent(QMouseEvent* event) {
    if (tool_) tool_->move(pointerOf(event));
}

void PageCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (tool_) tool_->release(pointerOf(event));
}

void PageCanvas::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    event->accept();
    wheelRest_ += event->angleDelta().y();
    const int steps = wheelRest_ / kWheelStep;
    wheelRest_ -= steps * kWheelStep;
    if (steps == 0) return;
    const QPointF pointer = pointerAt(event);
    const QPoint at(static_cast<int>(std::floor(pointer.x())),
                    static_cast<int>(std::floor(pointer.y())));
    zoomBy(steps, at);
    // The readouts follow the pixel now under the pointer.
    if (tool_ && event->buttons() == Qt::NoButton)
        tool_->move({toPage(pointer), Qt::NoButton, Qt::NoButton, event->modifiers()});
}

void PageCanvas::keyPressEvent(QKeyEvent* event) {
    followShift(event, true);
    QAbstractScrollArea::keyPressEvent(event);
}

void PageCanvas::keyReleaseEvent(QKeyEvent* event) {
    followShift(event, false);
    QAbstractScrollArea::keyReleaseEvent(event);
}

void PageCanvas::followShift(QKeyEvent* event, bool down) {
    if (!tool_ || event->key() != Qt::Key_Shift || event->isAutoRepeat()) return;
    // The event's modifiers may be those from before the key on some systems.
    const Qt::KeyboardModifiers held =
        down ? event->modifiers() | Qt::ShiftModifier : event->modifiers() & ~Qt::ShiftModifier;
    const QPointF at = viewport()->mapFromGlobal(QCursor::pos());
    tool_->move({toPage(at), Qt::NoButton, QGuiApplication::mouseButtons(), held});
}

// ---- painting ---------------------------------------------------------------

void PageCanvas::paintEmptyPanel(QPainter& painter, const QRect& dirty) {
    painter.fillRect(dirty, colorFromBgr(canvasColor_));
    const QRect panel = pageFrame();
    painter.fillRect(panel, kEmptyPanel);
    painter.setPen(Qt::black);
    painter.drawRect(panel.adjusted(0, 0, -1, -1));
    // The name in the upper half, how to begin in the lower.
    const QRect upper(panel.x(), panel.y(), panel.width(), panel.height() / 2);
    const QRect lower = QRect(panel.x(), upper.bottom() + 1, panel.width(), panel.height() / 2)
                            .adjusted(kHintMargin, kHintMargin, -kHintMargin, -kHintMargin);
    QFont caption = font();
    caption.setPixelSize(48);
    caption.setItalic(true);
    painter.setFont(caption);
    painter.drawText(upper, Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("Zentil Editor"));
    painter.setFont(font());
    painter.drawText(lower, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, startHint_);
}

void PageCanvas::setStartHint(const QString& text) {
    startHint_ = text;
    if (!page_) viewport()->update();
}

void PageCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect dirty = event->rect() & viewport()->rect();
    if (dirty.isEmpty()) return;
    if (!page_) {
        paintEmptyPanel(painter, dirty);
        return;
    }
    if (view_.size() != viewport()->size()) view_ = QImage(viewport()->size(), kCanvasFormat);
    if (view_.isNull()) return;
    fillCanvasRect(view_, dirty, canvasColor_);
    const QRect frame = pageFrame();
    for (const QRect& side : {QRect(frame.left(), frame.top(), frame.width(), 1),
                              QRect(frame.left(), frame.bottom(), frame.width(), 1),
                              QRect(frame.left(), frame.top(), 1, frame.height()),
                              QRect(frame.right(), frame.top(), 1, frame.height())})
        fillCanvasRect(view_, side & dirty, kBlack);

    CanvasOverlays overlays;
    overlays.pixelGrid = pixelGrid_;
    overlays.grid = grid_;
    overlays.areaLayer = areaLayer_;
    if (tool_) tool_->decorate(overlays);
    renderCanvasView(view_, dirty, *page_, projection_, overlays);
    if (layer_) layer_->paintLayer(view_, dirty, *page_, projection_);
    if (tool_) tool_->paintOver(view_, dirty, projection_, overlays);
    painter.drawImage(dirty.topLeft(), view_, dirty);
}

}  // namespace zentil
