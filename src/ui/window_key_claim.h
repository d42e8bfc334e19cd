// Keeps some keys for a window's own commands wherever the focus is in it.
// Text fields take keys such as Ctrl+Z for their own editing before the
// window's shortcuts see them; a claim stops that for the keys it holds,
// also while their commands cannot run.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QWidget>

namespace zentil {

class WindowKeyClaim final : public QObject {
  public:
    // Watches the whole application (the focus may be in any child of the
    // window); it is owned by `window`.
    WindowKeyClaim(QWidget* window, QList<QKeySequence> keys);
    ~WindowKeyClaim() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_;
    QList<QKeySequence> keys_;
};

}  // namespace zentil
