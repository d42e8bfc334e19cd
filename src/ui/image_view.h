// An image control: shows a QImage at its top-left corner and reports the
// mouse in image coordinates.
#pragma once

#include <QImage>
#include <QWidget>

namespace zentil {

class ImageView : public QWidget {
    Q_OBJECT
  public:
    explicit ImageView(QWidget* parent = nullptr);

    // The bitmap; its size follows the control's size.
    QImage& picture() { return picture_; }
    const QImage& picture() const { return picture_; }
    // Discards the picture (the control shows its background).
    void dropPicture();
    // Makes the bitmap as large as the control, keeping its format.
    void fitPictureToSize();

  signals:
    void mousePressed(QMouseEvent* event);
    void mouseMoved(QMouseEvent* event);
    void mouseReleased(QMouseEvent* event);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QImage picture_;
};

}  // namespace zentil
