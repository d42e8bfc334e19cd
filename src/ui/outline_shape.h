// A rectangle outline drawn over the canvas. It reports pointer moves over
// itself (a standing outline follows them); presses on it do nothing.
#pragma once

#include <QColor>
#include <QWidget>

namespace zentil {

class OutlineShape : public QWidget {
    Q_OBJECT
  public:
    explicit OutlineShape(QWidget* parent = nullptr);
    void setPenColor(const QColor& color);

  signals:
    void mouseMoved(QMouseEvent* event);

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor color_{Qt::red};
};

}  // namespace zentil
