#include "form_colorkey.h"

#include "ui_form_colorkey.h"

namespace zentil {

TColorKeyWin::TColorKeyWin(QWidget* mainWindow)
    : TDialogBase(mainWindow), ui_(new Ui::TColorKeyWin) {
    ui_->setupUi(this);
    fixClientSize();
}

TColorKeyWin::~TColorKeyWin() {
    delete ui_;
}

}  // namespace zentil
