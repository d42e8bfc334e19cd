// The "크기 설정" window.
#pragma once

#include "dialog_base.h"

namespace Ui {
class TConfigWin;
}

namespace zentil {

class TConfigWin : public TDialogBase {
    Q_OBJECT
  public:
    explicit TConfigWin(QWidget* mainWindow);
    ~TConfigWin() override;

  private:
    Ui::TConfigWin* ui_;
};

}  // namespace zentil
