#include "dialog_base.h"

namespace zentil {

TDialogBase::TDialogBase(EditorHost* host)
    : QDialog(nullptr), host_(host), mainWindow_(host ? host->hostWindow() : nullptr) {
    // A fixed border with only the system menu and the close box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setModal(false);
}

void TDialogBase::open() {
    holdMainWindow();
    show();
    raise();
    activateWindow();
}

void TDialogBase::fixClientSize() {
    setFixedSize(size());
}

void TDialogBase::placeWindow() {
    if (!mainWindow_) return;
    const QRect main = mainWindow_->frameGeometry();
    const QRect own = frameGeometry();
    move(main.left() + (main.width() - own.width()) / 2,
         main.top() + (main.height() - own.height()) / 2);
}

void TDialogBase::showEvent(QShowEvent* event) {
    holdMainWindow();
    placeWindow();
    QDialog::showEvent(event);
}

void TDialogBase::hideEvent(QHideEvent* event) {
    releaseMainWindow();
    QDialog::hideEvent(event);
}

void TDialogBase::holdMainWindow() {
    if (!mainWindow_ || !mainWindow_->isEnabled()) return;
    returnFocus_ = mainWindow_->focusWidget();
    mainWindow_->setEnabled(false);
}

void TDialogBase::releaseMainWindow() {
    if (!mainWindow_) return;
    mainWindow_->setEnabled(true);
    // The dialog has no parent, so nothing hands the activation back.
    mainWindow_->activateWindow();
    if (returnFocus_ && returnFocus_->isEnabled() && returnFocus_->isVisible())
        returnFocus_->setFocus(Qt::OtherFocusReason);
    returnFocus_ = nullptr;
}

}  // namespace zentil
