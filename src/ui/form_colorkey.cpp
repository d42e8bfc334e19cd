#include "form_colorkey.h"

#include <QShowEvent>
#include <algorithm>
#include <cstdint>

#include "ui_form_colorkey.h"
#include "work/page_edits.h"

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
    Workspace& workspace = host()->workspace();
    const Config& settings = workspace.settings;
    ui_->Edit_ColorKey8->setValue(settings.defaultColorKey8);
    ui_->Edit_ColorKey16->setValue(settings.defaultColorKey16);
    // A spin edit holds what it is given within its range.
    ui_->Edit_ColorKey24->setValue(
        static_cast<int>(std::min<std::uint32_t>(settings.defaultColorKey24, 0xFFFFFF)));
    if (const Page* page = workspace.currentPage(); page && page->inUse()) {
        // The field holds the key within its range: a larger key shows as 255.
        const std::uint32_t key = colorKeyOf(*page);
        const auto limit = static_cast<std::uint32_t>(ui_->Edit_ColorKey->maximum());
        ui_->Edit_ColorKey->setValue(static_cast<int>(key > limit ? limit : key));
    }
}

void TColorKeyWin::Btn_OkClick() {
    if (EditorHost* editor = host()) {
        Workspace& workspace = editor->workspace();
        Config& settings = workspace.settings;
        settings.defaultColorKey8 = static_cast<std::uint8_t>(ui_->Edit_ColorKey8->value());
        settings.defaultColorKey16 = static_cast<std::uint16_t>(ui_->Edit_ColorKey16->value());
        settings.defaultColorKey24 = static_cast<std::uint32_t>(ui_->Edit_ColorKey24->value());
        const auto key = static_cast<std::uint32_t>(ui_->Edit_ColorKey->value());
        const ListId list = workspace.activeList();
        if (list != ListId::None) {
            // The keys of all the selected pages change as one step.
            auto keys = std::make_unique<CommandGroup>();
            for (Page* page : editor->selectedPages(list)) {
                Outcome outcome;
                keys->add(editRect(
                    workspace, *page, {},
                    [key](Page& p) {
                        setColorKey(p, key);
                        return Outcome::done();
                    },
                    outcome));
            }
            if (!keys->empty()) editor->record(std::move(keys));
            editor->showKeyPanel(key);
        } else {
            editor->showKeyPanel(0);
        }
    }
    hide();
}

void TColorKeyWin::Btn_NoClick() {
    hide();
}

}  // namespace zentil
