// The "색상 바꾸기" window.
#pragma once

#include "dialog_base.h"

namespace Ui {
class TChgColorWin;
}

namespace zentil {

class TChgColorWin : public TDialogBase {
    Q_OBJECT
  public:
    explicit TChgColorWin(QWidget* mainWindow);
    ~TChgColorWin() override;

  private:
    Ui::TChgColorWin* ui_;
};

}  // namespace zentil
