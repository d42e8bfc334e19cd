#include "form_new.h"

#include "ui_form_new.h"

namespace zentil {

TNewWin::TNewWin(QWidget* mainWindow) : TDialogBase(mainWindow), ui_(new Ui::TNewWin) {
    ui_->setupUi(this);
    fixClientSize();
}

TNewWin::~TNewWin() {
    delete ui_;
}

}  // namespace zentil
