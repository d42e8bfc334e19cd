// The "투명색 설정" window: asks for the default keys that new pages receive
// and for the key of the selected pages of the list that holds the current
// page; the main window stores and applies them.
#pragma once

#include <cstdint>

#include "dialog_base.h"

namespace Ui {
class TColorKeyWin;
}

namespace zentil {

// What the window hands back: the three default keys and the key for the
// selected pages (each page takes it in its own mode).
struct ColourKeys {
    std::uint8_t default8 = 0;
    std::uint16_t default16 = 0;
    std::uint32_t default24 = 0;
    std::uint32_t pageKey = 0;
};

class TColorKeyWin : public TDialogBase {
    Q_OBJECT
  public:
    explicit TColorKeyWin(EditorHost* host);
    ~TColorKeyWin() override;

    Ui::TColorKeyWin& form() { return *ui_; }

    // Hands the fields to `chosen`, then closes.
    void Btn_OkClick();
    // Closes; nothing changes.
    void Btn_NoClick();

  signals:
    // OK was pressed with these keys.
    void chosen(const ColourKeys& keys);

  protected:
    void showEvent(QShowEvent* event) override;
    // Escape and the close box cancel.
    void reject() override;

  private:
    void FormShow();

    Ui::TColorKeyWin* ui_;
};

}  // namespace zentil
