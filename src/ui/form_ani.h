// The "연속 동작 보기" window.
#pragma once

#include "dialog_base.h"

namespace Ui {
class TAniWin;
}

namespace zentil {

class TAniWin : public TDialogBase {
    Q_OBJECT
  public:
    explicit TAniWin(QWidget* mainWindow);
    ~TAniWin() override;

  private:
    Ui::TAniWin* ui_;
};

}  // namespace zentil
