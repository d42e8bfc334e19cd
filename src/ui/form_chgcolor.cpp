#include "form_chgcolor.h"

#include "ui_form_chgcolor.h"

namespace zentil {

TChgColorWin::TChgColorWin(QWidget* mainWindow)
    : TDialogBase(mainWindow), ui_(new Ui::TChgColorWin) {
    ui_->setupUi(this);
    fixClientSize();
}

TChgColorWin::~TChgColorWin() {
    delete ui_;
}

}  // namespace zentil
