// What every dialog of the editor shares: created once and hidden, shown
// without blocking, centred over the main window, which stays disabled while
// the dialog is shown and is enabled again however the dialog is hidden, with
// the focus back where it was.
#pragma once

#include <QDialog>
#include <QPointer>

#include "editor_host.h"

namespace zentil {

class TDialogBase : public QDialog {
    Q_OBJECT
  public:
    // The host's window is not the parent: a parent would be disabled
    // together with its dialog.
    explicit TDialogBase(EditorHost* host);

    QWidget* mainWindow() const { return mainWindow_; }
    // What the dialog may see of the editor (nullptr when made without one).
    EditorHost* host() const { return host_; }
    // Opens the dialog as the toolbar does: main window disabled, dialog shown.
    void open();

  protected:
    // Fixes the window to the size its form was designed with.
    void fixClientSize();
    // Where the dialog goes when shown; by default centred over the main window.
    virtual void placeWindow();
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void holdMainWindow();
    void releaseMainWindow();

    EditorHost* host_;
    QWidget* mainWindow_;
    // Disabling the main window takes the focus from it; it comes back here.
    QPointer<QWidget> returnFocus_;
};

}  // namespace zentil
