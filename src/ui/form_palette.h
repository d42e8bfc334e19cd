// The "팔레트 보기" window: a palette of 256 colours as 16 x 16 swatches, with
// the number of the swatch under the pointer. It only shows; it changes nothing.
#pragma once

#include "dialog_base.h"
#include "image/palette.h"

namespace Ui {
class TPaletteWin;
}

namespace zentil {

class TPaletteWin : public TDialogBase {
    Q_OBJECT
  public:
    explicit TPaletteWin(EditorHost* host);
    ~TPaletteWin() override;

    Ui::TPaletteWin& form() { return *ui_; }
    // The palette shown, chosen afresh at every showing.
    const Palette& shownPalette() const { return viewPalette_; }

    // The swatch number under the pointer at (x, y) of the swatch image.
    void Image_PaletteBoxMouseMove(int x, int y);
    void Btn_OkClick();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void FormShow();
    // The current picture's palette when a TGA picture is shown, selected in
    // its list and 8-bit; the default palette otherwise.
    Palette chosenPalette() const;

    Ui::TPaletteWin* ui_;
    Palette viewPalette_{};
};

}  // namespace zentil
