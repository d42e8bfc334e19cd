// The palette chooser: a popup of the 256 colours of a palette in a 16 x 16
// grid, drawn as the palette view draws them, with the current colour marked.
// A click picks a colour; a double-click asks to edit it.
#pragma once

#include <QColor>
#include <QFrame>
#include <QImage>
#include <QPoint>
#include <QTimer>
#include <optional>

#include "image/palette.h"

namespace zentil {

class PaletteChooser : public QFrame {
    Q_OBJECT
  public:
    explicit PaletteChooser(QWidget* parent = nullptr);

    // Shows these colours and marks `current` (0 to 255; other values mark none).
    void setPalette(const Palette& palette, int current);
    // Shows the chooser as a popup with its top-left corner at the global
    // position, moved as far as needed to lie on the screen.
    void popUpAt(QPoint globalTopLeft);

    // The entry whose cell holds the widget position, or -1.
    int entryAt(QPoint position) const;
    // The widget rectangle of entry n's cell.
    QRect cellRect(int n) const;
    int current() const { return current_; }

  signals:
    // A click on a colour; the popup closes.
    void picked(int index);
    // A double-click on a colour: the caller edits it. The popup closes first.
    void editRequested(int index, QColor now);

  protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void fitToGrid();
    QColor entryColor(int n) const;
    void markCurrent(int n);
    void pickNow(int n);

    Palette palette_{};
    QImage grid_;  // the cells as drawPaletteGrid draws them
    int current_ = -1;
    int pressed_ = -1;
    // A click waits out the double-click interval before it picks, so that
    // a double-click edits without picking first.
    QTimer pickTimer_;
    int pending_ = -1;
    bool releaseEndsDoubleClick_ = false;
};

// The platform colour dialog for one palette entry; nullopt when cancelled.
std::optional<QColor> askPaletteColour(QWidget* parent, int index, QColor now);

}  // namespace zentil
