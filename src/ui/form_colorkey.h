// The "투명색 설정" window: the default keys that new pages receive, and the
// key of every selected page of the list that holds the current page.
#pragma once

#include "dialog_base.h"

namespace Ui {
class TColorKeyWin;
}

namespace zentil {

class TColorKeyWin : public TDialogBase {
    Q_OBJECT
  public:
    explicit TColorKeyWin(EditorHost* host);
    ~TColorKeyWin() override;

    Ui::TColorKeyWin& form() { return *ui_; }

    // Stores the default keys and gives the selected pages of the active list
    // the current-key field's value, each in its own mode; then closes.
    void Btn_OkClick();
    // Closes; nothing changes.
    void Btn_NoClick();

  protected:
    void showEvent(QShowEvent* event) override;
    // Escape and the close box cancel.
    void reject() override;

  private:
    void FormShow();

    Ui::TColorKeyWin* ui_;
};

}  // namespace zentil
