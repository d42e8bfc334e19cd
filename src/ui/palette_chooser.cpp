#include "palette_chooser.h"

#include <QApplication>
#include <QColorDialog>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>
#include <algorithm>

#include "render/drawing.h"

namespace zentil {
namespace {

constexpr int kCell = 16;    // view pixels per cell, as the palette view draws them
constexpr int kPerRow = 16;  // cells per row
constexpr int kMargin = 3;   // around the grid, room for the mark of an edge cell
constexpr int kGridSide = kCell * kPerRow;

}  // namespace

PaletteChooser::PaletteChooser(QWidget* parent)
    : QFrame(parent, Qt::Popup | Qt::FramelessWindowHint),
      grid_(kGridSide, kGridSide, QImage::Format_RGB32) {
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setLineWidth(1);
    fitToGrid();
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setObjectName(QStringLiteral("PaletteChooser"));
    pickTimer_.setSingleShot(true);
    connect(&pickTimer_, &QTimer::timeout, this, [this] { pickNow(pending_); });
    setPalette(palette_, -1);
}

void PaletteChooser::setPalette(const Palette& palette, int current) {
    palette_ = palette;
    grid_.fill(Qt::black);
    drawPaletteGrid(grid_, palette_);
    current_ = current >= 0 && current < kPaletteEntries ? current : -1;
    update();
}

// The frame's width is known once the style has polished the widget.
void PaletteChooser::fitToGrid() {
    ensurePolished();
    const int side = kGridSide + 2 * (kMargin + frameWidth());
    setFixedSize(side, side);
}

void PaletteChooser::popUpAt(QPoint globalTopLeft) {
    fitToGrid();
    QScreen* screen = QGuiApplication::screenAt(globalTopLeft);
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    QPoint at = globalTopLeft;
    if (screen != nullptr) {
        const QRect room = screen->availableGeometry();
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() + 1 - width())));
        at.setY(std::clamp(at.y(), room.top(), std::max(room.top(), room.bottom() + 1 - height())));
    }
    pickTimer_.stop();
    pending_ = pressed_ = -1;
    releaseEndsDoubleClick_ = false;
    move(at);
    show();
    setFocus();
}

QRect PaletteChooser::cellRect(int n) const {
    const QPoint origin = contentsRect().topLeft() + QPoint(kMargin, kMargin);
    return QRect(origin.x() + (n % kPerRow) * kCell, origin.y() + (n / kPerRow) * kCell, kCell,
                 kCell);
}

int PaletteChooser::entryAt(QPoint position) const {
    const QPoint p = position - (contentsRect().topLeft() + QPoint(kMargin, kMargin));
    if (p.x() < 0 || p.y() < 0 || p.x() >= kGridSide || p.y() >= kGridSide) return -1;
    return (p.y() / kCell) * kPerRow + p.x() / kCell;
}

QColor PaletteChooser::entryColor(int n) const {
    return QColor(palette_[n * 3 + 0], palette_[n * 3 + 1], palette_[n * 3 + 2]);
}

bool PaletteChooser::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const int n = entryAt(help->pos());
        if (n < 0) {
            QToolTip::hideText();
            event->ignore();
            return true;
        }
        const QColor c = entryColor(n);
        QToolTip::showText(help->globalPos(),
                           tr("색 %1: %2, %3, %4").arg(n).arg(c.red()).arg(c.green()).arg(c.blue()),
                           this, cellRect(n));
        return true;
    }
    return QFrame::event(event);
}

void PaletteChooser::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(cellRect(0).topLeft(), grid_);
    if (current_ < 0) return;
    // A white frame with a black rim around the cell: seen on every colour.
    const QRect cell = cellRect(current_);
    painter.fillRect(cell.adjusted(-2, -2, 2, 2), Qt::black);
    painter.fillRect(cell.adjusted(-1, -1, 1, 1), Qt::white);
    painter.fillRect(cell.adjusted(1, 1, -1, -1), entryColor(current_));
}

void PaletteChooser::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton ? entryAt(event->position().toPoint()) : -1;
    if (pressed_ < 0) QFrame::mousePressEvent(event);
}

void PaletteChooser::mouseReleaseEvent(QMouseEvent* event) {
    if (releaseEndsDoubleClick_) {
        releaseEndsDoubleClick_ = false;
        return;
    }
    const int n = entryAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || n < 0 || n != pressed_) return;
    pressed_ = -1;
    markCurrent(n);
    pending_ = n;
    pickTimer_.start(QApplication::doubleClickInterval());
}

void PaletteChooser::mouseDoubleClickEvent(QMouseEvent* event) {
    const int n = entryAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || n < 0) return;
    pickTimer_.stop();
    pending_ = pressed_ = -1;
    releaseEndsDoubleClick_ = true;
    markCurrent(n);
    hide();
    emit editRequested(n, entryColor(n));
}

// Arrows move the mark, Enter picks the marked colour; Escape closes the
// popup as for every popup.
void PaletteChooser::keyPressEvent(QKeyEvent* event) {
    const int at = std::max(current_, 0);
    int to = -1;
    switch (event->key()) {
        case Qt::Key_Left:
            to = at % kPerRow > 0 ? at - 1 : at;
            break;
        case Qt::Key_Right:
            to = at % kPerRow < kPerRow - 1 ? at + 1 : at;
            break;
        case Qt::Key_Up:
            to = at >= kPerRow ? at - kPerRow : at;
            break;
        case Qt::Key_Down:
            to = at + kPerRow < kPaletteEntries ? at + kPerRow : at;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (current_ >= 0) pickNow(current_);
            return;
        default:
            QFrame::keyPressEvent(event);
            return;
    }
    markCurrent(to);
}

void PaletteChooser::markCurrent(int n) {
    if (n == current_) return;
    current_ = n;
    update();
}

void PaletteChooser::pickNow(int n) {
    pending_ = -1;
    if (n < 0) return;
    hide();
    emit picked(n);
}

std::optional<QColor> askPaletteColour(QWidget* parent, int index, QColor now) {
    const QColor chosen = QColorDialog::getColor(
        now, parent,
        QCoreApplication::translate("zentil::PaletteChooser", "색 %1 바꾸기").arg(index));
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

}  // namespace zentil
