#include "form_colorkey.h"

#include <QShowEvent>
#include <algorithm>
#include <cstdint>

#include "image/page.h"
#include "system/config.h"
#include "ui_form_colorkey.h"

namespace zentil {

TColorKeyWin::TColorKeyWin(EditorHost* host) : TDialogBase(host), ui_(new Ui::TColorKeyWin) {
    ui_->setupUi(this);
    fixClientSize();
    // Every page this editor makes is 8-bit: the other two defaults are shown
    // but cannot be edited, and the current key stays within a palette index.
    ui_->Edit_ColorKey16->setEnabled(false);
    ui_->Edit_ColorKey24->setEnabled(false);
    ui_->Edit_ColorKey->setMaximum(255);
    connect(ui_->Btn_Ok, &QPushButton::clicked, this, &TColorKeyWin::Btn_OkClick);
    connect(ui_->Btn_No, &QPushButton::clicked, this, &TColorKeyWin::Btn_NoClick);
}

TColorKeyWin::~TColorKeyWin() {
    delete ui_;
}

void TColorKeyWin::showEvent(QShowEvent* event) {
    TDialogBase::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TColorKeyWin::reject() {
    Btn_NoClick();
}

void TColorKeyWin::FormShow() {
    if (!host()) return;
    const Config& settings = host()->settings();
    ui_->Edit_ColorKey8->setValue(settings.defaultColorKey8);
    ui_->Edit_ColorKey16->setValue(settings.defaultColorKey16);
    // A spin edit holds what it is given within its range.
    ui_->Edit_ColorKey24->setValue(
        static_cast<int>(std::min<std::uint32_t>(settings.defaultColorKey24, 0xFFFFFF)));
    if (const Page* page = host()->currentPage(); page && page->inUse()) {
        // The field holds the key within its range: a larger key shows as 255.
        const std::uint32_t key = colorKeyOf(*page);
        const auto limit = static_cast<std::uint32_t>(ui_->Edit_ColorKey->maximum());
        ui_->Edit_ColorKey->setValue(static_cast<int>(key > limit ? limit : key));
    }
}

void TColorKeyWin::Btn_OkClick() {
    emit chosen({static_cast<std::uint8_t>(ui_->Edit_ColorKey8->value()),
                 static_cast<std::uint16_t>(ui_->Edit_ColorKey16->value()),
                 static_cast<std::uint32_t>(ui_->Edit_ColorKey24->value()),
                 static_cast<std::uint32_t>(ui_->Edit_ColorKey->value())});
    hide();
}

void TColorKeyWin::Btn_NoClick() {
    hide();
}

}  // namespace zentil
