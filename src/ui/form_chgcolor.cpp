#include "form_chgcolor.h"

#include <QShowEvent>
#include <cstdint>

#include "image/page.h"
#include "ui_form_chgcolor.h"

namespace zentil {

TChgColorWin::TChgColorWin(EditorHost* host) : TDialogBase(host), ui_(new Ui::TChgColorWin) {
    ui_->setupUi(this);
    fixClientSize();
    // Both numbers are palette indexes, whatever the page's mode.
    ui_->Edit_SourceColor->setMaximum(255);
    ui_->Edit_TargetColor->setMaximum(255);
    connect(ui_->Chk_Auto, &QCheckBox::toggled, this, &TChgColorWin::Chk_AutoClick);
    connect(ui_->Btn_Ok, &QPushButton::clicked, this, &TChgColorWin::Btn_OkClick);
    connect(ui_->Btn_No, &QPushButton::clicked, this, &TChgColorWin::Btn_NoClick);
}

TChgColorWin::~TChgColorWin() {
    delete ui_;
}

void TChgColorWin::showEvent(QShowEvent* event) {
    TDialogBase::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TChgColorWin::reject() {
    Btn_NoClick();
}

void TChgColorWin::FormShow() {
    ui_->Edit_TargetColor->setEnabled(true);
    ui_->Chk_Auto->setChecked(false);
    // Both fields start at the page's key, held within their range.
    if (const Page* page = host() ? host()->currentPage() : nullptr; page && page->inUse()) {
        const std::uint32_t key = colorKeyOf(*page);
        for (QSpinBox* field : {ui_->Edit_SourceColor, ui_->Edit_TargetColor}) {
            const auto limit = static_cast<std::uint32_t>(field->maximum());
            field->setValue(static_cast<int>(key > limit ? limit : key));
        }
    }
    ui_->Edit_SourceColor->setFocus();
}

void TChgColorWin::Chk_AutoClick() {
    ui_->Edit_TargetColor->setEnabled(!ui_->Chk_Auto->isChecked());
}

void TChgColorWin::Btn_OkClick() {
    // The new-colour field counts even while it is greyed out.
    emit chosen({static_cast<std::uint32_t>(ui_->Edit_SourceColor->value()),
                 static_cast<std::uint32_t>(ui_->Edit_TargetColor->value()),
                 ui_->Chk_Auto->isChecked()});
    hide();
}

void TChgColorWin::Btn_NoClick() {
    hide();
}

}  // namespace zentil
