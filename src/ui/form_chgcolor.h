// The "색상 바꾸기" window: replaces one colour value by another in every
// selected sprite page.
#pragma once

#include "dialog_base.h"

namespace Ui {
class TChgColorWin;
}

namespace zentil {

class TChgColorWin : public TDialogBase {
    Q_OBJECT
  public:
    explicit TChgColorWin(EditorHost* host);
    ~TChgColorWin() override;

    Ui::TChgColorWin& form() { return *ui_; }

    // The new-colour field is not used while a similar colour is asked for.
    void Chk_AutoClick();
    // Replaces the colour in the selected sprite pages, in list order, shows
    // the current page again and closes.
    void Btn_OkClick();
    // Closes; nothing changes.
    void Btn_NoClick();

  protected:
    void showEvent(QShowEvent* event) override;
    // Escape and the close box cancel.
    void reject() override;

  private:
    void FormShow();

    Ui::TChgColorWin* ui_;
};

}  // namespace zentil
