#include "image_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace zentil {

ImageView::ImageView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setMouseTracking(true);
}

void ImageView::dropPicture() {
    picture_ = QImage();
    update();
}

void ImageView::fitPictureToSize() {
    if (picture_.size() == size()) return;
    const QImage::Format format = picture_.isNull() ? QImage::Format_BGR888 : picture_.format();
    picture_ = QImage(size(), format);
    picture_.fill(Qt::black);
}

void ImageView::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void ImageView::mousePressEvent(QMouseEvent* event) {
    emit mousePressed(event);
}
void ImageView::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(event);
}
void ImageView::mouseReleaseEvent(QMouseEvent* event) {
    emit mouseReleased(event);
}

}  // namespace zentil
