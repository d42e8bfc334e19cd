// The "새로 만들기" window.
#pragma once

#include "dialog_base.h"

namespace Ui {
class TNewWin;
}

namespace zentil {

class TNewWin : public TDialogBase {
    Q_OBJECT
  public:
    explicit TNewWin(QWidget* mainWindow);
    ~TNewWin() override;

  private:
    Ui::TNewWin* ui_;
};

}  // namespace zentil
