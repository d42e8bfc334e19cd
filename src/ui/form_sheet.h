// The "스프라이트 시트 가져오기" window: where the tiles of a sheet stand
// (their size, the margin around them and the spacing between them), with
// the count of whole tiles across and down worked out as the fields change.
// It returns the cut chosen; the file command makes the sprite page.
#pragma once

#include <QDialog>
#include <QSize>
#include <optional>

#include "work/sheet_import.h"

namespace Ui {
class TSheetWin;
}

namespace zentil {

class TSheetWin : public QDialog {
    Q_OBJECT
  public:
    // For a sheet of `picture` pixels named `name`, the fields set to `start`.
    TSheetWin(QWidget* parent, const QString& name, QSize picture, const SheetCut& start);
    ~TSheetWin() override;

    Ui::TSheetWin& form() { return *ui_; }
    SheetCut cut() const;

    // Shows the window until it is closed: the cut chosen, or nullopt.
    static std::optional<SheetCut> ask(QWidget* parent, const QString& name, QSize picture,
                                       const SheetCut& start);

  private:
    // The count of tiles, and OK only while the cut holds a whole tile.
    void showGrid();

    Ui::TSheetWin* ui_;
    QSize picture_;
};

}  // namespace zentil
