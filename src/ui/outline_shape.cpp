#include "outline_shape.h"

#include <QPainter>

namespace zentil {

OutlineShape::OutlineShape(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
    setMouseTracking(true);
}

void OutlineShape::setPenColor(const QColor& color) {
    color_ = color;
    update();
}

void OutlineShape::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event);
}

void OutlineShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(color_);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, width() - 1, height() - 1);
}

}  // namespace zentil
