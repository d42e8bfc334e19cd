#include "form_new.h"

#include <string>

#include "edit/store_page.h"
#include "system/texts.h"
#include "ui_form_new.h"
#include "work/store_edits.h"

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
    EditorHost* editor = host();
    if (!editor) {
        hide();
        return;
    }
    Workspace& workspace = editor->workspace();
    // The chosen key becomes the default of every 8-bit page from now on.
    workspace.settings.defaultColorKey8 = static_cast<std::uint8_t>(ui_->Edit_ColorKey->value());
    const int position = workspace.sprites.size();
    hide();
    if (workspace.sprites.full()) {
        editor->report(Outcome::error(texts::kStoreFull));
        return;
    }
    auto page = std::make_unique<Page>();
    const Outcome made =
        newStorePage(*page, ui_->Edit_Col->value(), ui_->Edit_Row->value(),
                     ui_->Edit_TileWidth->value(), ui_->Edit_TileHeight->value(),
                     "NoName" + std::to_string(position), position, kMode8, workspace.defaults());
    if (!made) {
        editor->report(made);
        return;
    }
    std::vector<std::unique_ptr<Page>> pages;
    pages.push_back(std::move(page));
    editor->record(addPages(workspace, ListId::Sprites, std::move(pages)));
    editor->showOnly(ListId::Sprites, workspace.sprites.size() - 1);
}

void TNewWin::Btn_CancelClick() {
    hide();
}

}  // namespace zentil
