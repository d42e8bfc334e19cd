// The "전체 이미지 보기" window: the whole current page scaled, nearest pixel,
// to fit a window of about 600 x 600 with its proportions kept.
#pragma once

#include "dialog_base.h"

namespace Ui {
class TTileWin;
}

namespace zentil {

class TTileWin : public TDialogBase {
    Q_OBJECT
  public:
    explicit TTileWin(EditorHost* host);
    ~TTileWin() override;

    Ui::TTileWin& form() { return *ui_; }

    void Btn_OkClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();

    Ui::TTileWin* ui_;
};

}  // namespace zentil
