// The "전체 이미지 보기" window.
#pragma once

#include "dialog_base.h"

namespace Ui {
class TTileWin;
}

namespace zentil {

class TTileWin : public TDialogBase {
    Q_OBJECT
  public:
    explicit TTileWin(QWidget* mainWindow);
    ~TTileWin() override;

  private:
    Ui::TTileWin* ui_;
};

}  // namespace zentil
