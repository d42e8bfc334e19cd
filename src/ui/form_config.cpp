#include "form_config.h"

#include "ui_form_config.h"

namespace zentil {

TConfigWin::TConfigWin(QWidget* mainWindow) : TDialogBase(mainWindow), ui_(new Ui::TConfigWin) {
    ui_->setupUi(this);
    fixClientSize();
}

TConfigWin::~TConfigWin() {
    delete ui_;
}

}  // namespace zentil
