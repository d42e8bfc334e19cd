// The "새로 만들기" window: asks for the tile size, tile counts and
// transparent colour of a new, empty sprite page; the main window makes it.
#pragma once

#include <cstdint>

#include "dialog_base.h"
#include "work/page_parameters.h"

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

    // Closes, then hands the page asked for to `chosen`.
    void Btn_OkClick();
    void Btn_CancelClick();

  signals:
    // OK was pressed for this page; the window is already hidden.
    void chosen(const NewImage& image);

  private:
    Ui::TNewWin* ui_;
};

}  // namespace zentil
