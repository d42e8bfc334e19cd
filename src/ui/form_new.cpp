#include "form_new.h"

#include "ui_form_new.h"

namespace zentil {

TNewWin::TNewWin(EditorHost* host) : TDialogBase(host), ui_(new Ui::TNewWin) {
    ui_->setupUi(this);
    fixClientSize();
    setWindowFlag(Qt::WindowStaysOnTopHint);
    connect(ui_->Btn_Ok, &QPushButton::clicked, this, &TNewWin::Btn_OkClick);
    connect(ui_->Btn_Cancel, &QPushButton::clicked, this, &TNewWin::Btn_CancelClick);
}

TNewWin::~TNewWin() {
    delete ui_;
}

void TNewWin::setColorKeyField(std::uint8_t key) {
    ui_->Edit_ColorKey->setValue(key);
}

void TNewWin::Btn_OkClick() {
    const NewImage image{ui_->Edit_Col->value(), ui_->Edit_Row->value(),
                         ui_->Edit_TileWidth->value(), ui_->Edit_TileHeight->value(),
                         static_cast<std::uint8_t>(ui_->Edit_ColorKey->value())};
    // Hidden first: the main window is enabled again before the page is made.
    hide();
    emit chosen(image);
}

void TNewWin::Btn_CancelClick() {
    hide();
}

}  // namespace zentil
