#include "form_sheet.h"

#include <QPushButton>

#include "ui_form_sheet.h"

namespace zentil {

TSheetWin::TSheetWin(QWidget* parent, const QString& name, QSize picture, const SheetCut& start)
    : QDialog(parent), ui_(new Ui::TSheetWin), picture_(picture) {
    ui_->setupUi(this);
    ui_->Label_Picture->setText(
        tr("%1: %2 x %3 픽셀").arg(name).arg(picture.width()).arg(picture.height()));
    ui_->Edit_TileWidth->setValue(start.tileWidth);
    ui_->Edit_TileHeight->setValue(start.tileHeight);
    ui_->Edit_Margin->setValue(start.margin);
    ui_->Edit_Spacing->setValue(start.spacing);
    for (QSpinBox* field :
         {ui_->Edit_TileWidth, ui_->Edit_TileHeight, ui_->Edit_Margin, ui_->Edit_Spacing})
        connect(field, &QSpinBox::valueChanged, this, &TSheetWin::showGrid);
    connect(ui_->Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui_->Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showGrid();
}

TSheetWin::~TSheetWin() {
    delete ui_;
}

SheetCut TSheetWin::cut() const {
    return {ui_->Edit_TileWidth->value(), ui_->Edit_TileHeight->value(), ui_->Edit_Margin->value(),
            ui_->Edit_Spacing->value()};
}

void TSheetWin::showGrid() {
    const SheetGrid grid = sheetGrid(picture_.width(), picture_.height(), cut());
    ui_->Label_Grid->setText(grid.empty() ? tr("이 크기로는 타일이 하나도 들어가지 않습니다.")
                                          : tr("가로 %1 x 세로 %2 타일, 모두 %3개")
                                                .arg(grid.across)
                                                .arg(grid.down)
                                                .arg(grid.across * grid.down));
    ui_->Buttons->button(QDialogButtonBox::Ok)->setEnabled(!grid.empty());
}

std::optional<SheetCut> TSheetWin::ask(QWidget* parent, const QString& name, QSize picture,
                                       const SheetCut& start) {
    TSheetWin window(parent, name, picture, start);
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    return window.cut();
}

}  // namespace zentil
