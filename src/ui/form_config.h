// The "크기 설정" window: asks for a new tile grid for the selected pages of
// the active list, with or without an alignment of the old tiles, and for
// the colour of the canvas grid lines; the main window applies them.
#pragma once

#include <cstdint>

#include "dialog_base.h"
#include "work/page_parameters.h"

namespace Ui {
class TConfigWin;
}

namespace zentil {

class TConfigWin : public TDialogBase {
    Q_OBJECT
  public:
    explicit TConfigWin(EditorHost* host);
    ~TConfigWin() override;

    Ui::TConfigWin& form() { return *ui_; }

    // Puts the line colour drop-down on `bgr` (0x00BBGGRR). A colour that is
    // none of the named ones is listed as one extra entry, named by its value.
    void setLineColor(std::uint32_t bgr);
    // The colour chosen in the line colour drop-down, 0x00BBGGRR.
    std::uint32_t lineColor() const;
    // The list entry that alone is selected, and shown, when the window closes.
    int rememberedIndex() const { return rememberedIndex_; }

    // The alignment choice enables the fields it uses and lets the tile sizes
    // it changes grow to 1024.
    void Combo_TileSortChange();
    // Hands the fields to `chosen` and closes; does nothing while a size or
    // count is below 1.
    void Btn_OkClick();
    // Puts the fields back and closes.
    void Btn_NoClick();

  signals:
    // OK was pressed with this grid and line colour (0x00BBGGRR).
    void chosen(const TileGrid& grid, std::uint32_t lineColor);
    // The window was hidden, however: `rememberedIndex` is the entry of the
    // active list that alone is to be selected and shown.
    void closed(int rememberedIndex);

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    // Escape and the close box cancel.
    void reject() override;

  private:
    void FormShow();
    void FormHide();
    void fillFromCurrentPage();
    // A new tile size proposes the count that keeps the page's size in its
    // direction, until the user sets that count.
    void proposeCount(bool across);

    Ui::TConfigWin* ui_;
    int rememberedIndex_ = 0;
    bool colsSet_ = false;  // the user changed the column count since the showing
    bool rowsSet_ = false;
};

}  // namespace zentil
