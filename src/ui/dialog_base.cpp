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
    if (mainWindow_) mainWindow_->setEnabled(false);
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
    if (mainWindow_) mainWindow_->setEnabled(false);
    placeWindow();
    QDialog::showEvent(event);
}

void TDialogBase::hideEvent(QHideEvent* event) {
    if (mainWindow_) mainWindow_->setEnabled(true);
    QDialog::hideEvent(event);
}

}  // namespace zentil
