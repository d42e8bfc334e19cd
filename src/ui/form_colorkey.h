// The "투명색 설정" window.
#pragma once

#include "dialog_base.h"

namespace Ui {
class TColorKeyWin;
}

namespace zentil {

class TColorKeyWin : public TDialogBase {
    Q_OBJECT
  public:
    explicit TColorKeyWin(QWidget* mainWindow);
    ~TColorKeyWin() override;

  private:
    Ui::TColorKeyWin* ui_;
};

}  // namespace zentil
