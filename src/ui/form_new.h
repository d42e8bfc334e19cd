// The "새로 만들기" window: a new, empty sprite page of a chosen tile size,
// tile counts and transparent colour.
#pragma once

#include <cstdint>

#include "dialog_base.h"

namespace Ui {
class TNewWin;
}

namespace zentil {

class TNewWin : public TDialogBase {
    Q_OBJECT
  public:
    explicit TNewWin(EditorHost* host);
    ~TNewWin() override;

    Ui::TNewWin& form() { return *ui_; }
    // The transparent colour offered; the main window sets it from the settings.
    void setColorKeyField(std::uint8_t key);

    void Btn_OkClick();
    void Btn_CancelClick();

  private:
    Ui::TNewWin* ui_;
};

}  // namespace zentil
