// The "팔레트 보기" window.
#pragma once

#include "dialog_base.h"

namespace Ui {
class TPaletteWin;
}

namespace zentil {

class TPaletteWin : public TDialogBase {
    Q_OBJECT
  public:
    explicit TPaletteWin(QWidget* mainWindow);
    ~TPaletteWin() override;

  private:
    Ui::TPaletteWin* ui_;
};

}  // namespace zentil
