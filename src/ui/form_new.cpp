#include "form_new.h"

#include "form_main.h"
#include "image/page.h"
#include "page_list.h"
#include "system/config.h"
#include "ui_form_main.h"
#include "ui_form_new.h"

namespace zentil {

TNewWin::TNewWin(QWidget* mainWindow) : TDialogBase(mainWindow), ui_(new Ui::TNewWin) {
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
    // The chosen key becomes the default of every 8-bit page from now on.
    config().defaultColorKey8 = static_cast<std::uint8_t>(ui_->Edit_ColorKey->value());
    TMainWin* main = mainWin();
    if (!main) {
        hide();
        return;
    }
    PageList& sprites = *main->form().Lb_Spr;
    const QString name = QStringLiteral("NoName%1").arg(sprites.count());
    const bool made = main->newStorePage(ui_->Edit_Col->value(), ui_->Edit_Row->value(),
                                         ui_->Edit_TileWidth->value(),
                                         ui_->Edit_TileHeight->value(), name, kMode8);
    hide();
    if (!made) return;
    sprites.deselectAll();
    sprites.setCurrentEntry(sprites.count() - 1);
    sprites.selectEntry(sprites.count() - 1);
    main->Lb_SprClick();
}

void TNewWin::Btn_CancelClick() {
    hide();
}

}  // namespace zentil
