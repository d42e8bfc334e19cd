#include "form_palette.h"

#include "ui_form_palette.h"

namespace zentil {

TPaletteWin::TPaletteWin(QWidget* mainWindow) : TDialogBase(mainWindow), ui_(new Ui::TPaletteWin) {
    ui_->setupUi(this);
    fixClientSize();
}

TPaletteWin::~TPaletteWin() {
    delete ui_;
}

}  // namespace zentil
