#include "form_ani.h"

#include "ui_form_ani.h"

namespace zentil {

TAniWin::TAniWin(QWidget* mainWindow) : TDialogBase(mainWindow), ui_(new Ui::TAniWin) {
    ui_->setupUi(this);
    fixClientSize();
}

TAniWin::~TAniWin() {
    delete ui_;
}

}  // namespace zentil
