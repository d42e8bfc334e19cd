// The "전체 이미지 보기" window: the whole current page, drawn at full size and
// scaled to fit a window of about 600 x 600 with its proportions kept.
#pragma once

#include <QImage>

#include "dialog_base.h"

namespace Ui {
class TTileWin;
}

namespace zentil {

// Scales the whole of `source` onto the whole of `target` by nearest pixel:
// target pixel (x, y) takes the source pixel under its centre. `target` keeps
// its size and takes the format of `source`; nothing happens when either is
// empty.
void stretchNearest(const QImage& source, QImage& target);

class TTileWin : public TDialogBase {
    Q_OBJECT
  public:
    explicit TTileWin(EditorHost* host);
    ~TTileWin() override;

    Ui::TTileWin& form() { return *ui_; }

    void Btn_OkClick();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void FormShow();

    Ui::TTileWin* ui_;
};

}  // namespace zentil
