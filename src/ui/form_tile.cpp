#include "form_tile.h"

#include "ui_form_tile.h"

namespace zentil {

TTileWin::TTileWin(QWidget* mainWindow) : TDialogBase(mainWindow), ui_(new Ui::TTileWin) {
    ui_->setupUi(this);
    fixClientSize();
}

TTileWin::~TTileWin() {
    delete ui_;
}

}  // namespace zentil
