// The "색상 바꾸기" window: asks which colour value replaces which in the
// selected sprite pages; the main window makes the change.
#pragma once

#include "dialog_base.h"
#include "work/page_parameters.h"

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
    // Hands the colours chosen to `chosen`, then closes.
    void Btn_OkClick();
    // Closes; nothing changes.
    void Btn_NoClick();

  signals:
    // OK was pressed with these colours.
    void chosen(const ColourChange& change);

  protected:
    void showEvent(QShowEvent* event) override;
    // Escape and the close box cancel.
    void reject() override;

  private:
    void FormShow();

    Ui::TChgColorWin* ui_;
};

}  // namespace zentil
