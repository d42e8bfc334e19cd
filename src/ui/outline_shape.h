// A rectangle outline drawn over the canvas; the pointer passes through it.
#pragma once

#include <QColor>
#include <QWidget>

namespace zentil {

class OutlineShape : public QWidget {
    Q_OBJECT
  public:
    explicit OutlineShape(QWidget* parent = nullptr);
    void setPenColor(const QColor& color);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor color_{Qt::red};
};

}  // namespace zentil
