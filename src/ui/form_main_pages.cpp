// The page commands of the main window: copying pages into new sprite pages,
// gathering pages into one, making a page of the lifted block, clearing and
// deleting pages; the column count and the size optimisation.
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "edit/blit.h"
#include "edit/relayout.h"
#include "edit/trim.h"
#include "form_main.h"
#include "image/page_table.h"
#include "page_list.h"
#include "system/messages.h"
#include "system/texts.h"
#include "ui_form_main.h"

namespace zentil {

void TMainWin::connectPageCommands() {
    connect(ui_->BtnPageCopy, &QToolButton::clicked, this, &TMainWin::BtnPageCopyClick);
    connect(ui_->BtnSumCopy, &QToolButton::clicked, this, &TMainWin::BtnSumCopyClick);
    connect(ui_->Btn_BlockCopy, &QToolButton::clicked, this, &TMainWin::Btn_BlockCopyClick);
    connect(ui_->Btn_ClearPage, &QToolButton::clicked, this, &TMainWin::Btn_ClearPageClick);
    connect(ui_->Btn_DeletePage, &QToolButton::clicked, this, &TMainWin::Btn_DeletePageClick);
    connect(ui_->Btn_AllDeletePage, &QToolButton::clicked, this, &TMainWin::Btn_AllDeletePageClick);
    connect(ui_->Btn_Col, &QToolButton::clicked, this, &TMainWin::Btn_ColClick);
    connect(ui_->Btn_Optimize, &QToolButton::clicked, this, &TMainWin::Btn_OptimizeClick);
    // Enter in the column field applies it; moving over it (its arrows or its
    // text) parks a lifted block.
    ui_->Edit_Col->installEventFilter(this);
    ui_->Edit_Col->setMouseTracking(true);
    if (auto* text = ui_->Edit_Col->findChild<QLineEdit*>()) {
        text->installEventFilter(this);
        text->setMouseTracking(true);
    }
}

bool TMainWin::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui_->Edit_Col || watched->parent() == ui_->Edit_Col) {
        if (event->type() == QEvent::KeyPress && watched == ui_->Edit_Col) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                Btn_ColClick();
                return true;
            }
        } else if (event->type() == QEvent::MouseMove && ui_->Panel_Capture->isVisible()) {
            placeCapture(-100000, -100000);
        }
    }
    return QWidget::eventFilter(watched, event);
}

PageList* TMainWin::sourceList() const {
    if (ActiveList == kListTga) return ui_->Lb_Tga;
    if (ActiveList == kListSprite) return ui_->Lb_Spr;
    return nullptr;
}

int TMainWin::sourceFirstSlot() const {
    return ActiveList == kListTga ? kTgaFirstSlot : kSpriteFirstSlot;
}

void TMainWin::markLastSprite() {
    PageList& list = *ui_->Lb_Spr;
    list.deselectAll();
    if (list.count() == 0) return;
    list.setCurrentEntry(list.count() - 1);
    list.selectEntry(list.count() - 1);
}

void TMainWin::resetPagePanel() {
    ui_->Panel_Page->resize(400, 300);
    ui_->Image_Page->setGeometry(1, 1, 398, 298);
    ui_->Label_PageCaption->show();
    centrePagePanel(false);
}

// ---- copies ---------------------------------------------------------------

void TMainWin::BtnPageCopyClick() {
    PageList* source = sourceList();
    const QList<int> rows = source ? source->selectedRows() : QList<int>();
    if (!rows.isEmpty()) {
        const int first = sourceFirstSlot();
        for (int row : rows) {
            const Page& s = pageAt(first + row);
            // A page whose size is not a whole number of tiles is copied as one tile.
            const bool ragged = s.width % s.cols != 0 || s.height % s.rows != 0;
            const bool made =
                ragged ? newStoreImage(s.width, s.height,
                                       QString::fromStdString(std::string(pageName(s))), s.mode)
                       : newStorePage(s.cols, s.rows, s.tileWidth, s.tileHeight, QString(), s.mode);
            if (!made) break;  // the pages made so far stay
            copyPageRect(pageAt(ui_->Lb_Spr->count() - 1), 0, 0, s, 0, 0, s.stride, s.height);
        }
        markLastSprite();
    }
    Lb_SprClick();
}

void TMainWin::BtnSumCopyClick() {
    PageList* source = sourceList();
    if (!source) {
        Lb_SprClick();
        return;
    }
    const QList<int> rows = source->selectedRows();
    if (rows.isEmpty()) return;
    const int first = sourceFirstSlot();
    // Every page must match the one before in size, and all be of one mode.
    int keptWidth = 0, keptHeight = 0, keptMode = kMode8;
    const Page* last = nullptr;
    for (int row : rows) {
        const Page& p = pageAt(first + row);
        if (keptWidth != 0 && keptHeight != 0 && (p.width != keptWidth || p.height != keptHeight)) {
            showMessage(texts::kCaptionError, texts::kSizesDiffer);
            return;
        }
        if (p.mode != keptMode) {
            showMessage(texts::kCaptionError, texts::kModesDiffer);
            return;
        }
        keptWidth = p.width;
        keptHeight = p.height;
        keptMode = p.mode;
        last = &p;
    }
    const int count = static_cast<int>(rows.size());
    if (!newStorePage(count, 1, last->tileWidth, last->tileHeight, QString(), last->mode)) return;
    Page& gathered = pageAt(ui_->Lb_Spr->count() - 1);
    for (int j = 0; j < count; ++j) {
        const Page& p = pageAt(first + rows[j]);
        copyPageRect(gathered, j * p.width, 0, p, 0, 0, p.width, p.height);
    }
    markLastSprite();
    Lb_SprClick();
}

void TMainWin::Btn_BlockCopyClick() {
    if (ui_->Lb_Tga->selectedRows().isEmpty()) return;
    const Page& view = captureViewPage();
    if (!view.inUse()) return;  // no block was ever lifted
    putBlockAway(0x000000);
    const bool fromTga = ActiveList == kListTga && !ui_->Lb_Tga->selectedRows().isEmpty();
    const bool fromSprite = ActiveList == kListSprite && !ui_->Lb_Spr->selectedRows().isEmpty();
    if (!fromTga && !fromSprite) return;
    if (!newStoreImage(view.width, view.height, QString(), view.mode)) return;
    copyPageRect(pageAt(ui_->Lb_Spr->count() - 1), 0, 0, view, 0, 0, view.stride, view.height);
    PageList& sprites = *ui_->Lb_Spr;
    if (fromSprite) sprites.deselectAll();
    sprites.setCurrentEntry(sprites.count() - 1);
    sprites.selectEntry(sprites.count() - 1);
    fromTga ? Lb_TgaClick() : Lb_SprClick();
}

// ---- clearing and deleting -------------------------------------------------

void TMainWin::Btn_ClearPageClick() {
    for (int row : ui_->Lb_Spr->selectedRows())
        clearPage(pageAt(kSpriteFirstSlot + row));
    Lb_SprClick();
}

void TMainWin::Btn_DeletePageClick() {
    const bool sprites = ActiveList == kListSprite;
    PageList& list = sprites ? *ui_->Lb_Spr : *ui_->Lb_Tga;
    const Store store = sprites ? Store::Sprite : Store::Tga;
    if (list.count() > 0) {
        int lowest = -1;
        for (int p = list.count() - 1; p >= 0; --p) {
            if (!list.item(p)->isSelected()) continue;
            removeFromStore(store, p);
            delete list.takeItem(p);
            lowest = p;
            if (list.selectedRows().isEmpty()) break;
        }
        if (lowest >= 0 && list.count() > 0)
            list.selectEntry(lowest < list.count() ? lowest : lowest - 1);
        sprites ? Lb_SprClick() : Lb_TgaClick();
    }
    if (ui_->Lb_Spr->count() == 0 && ui_->Lb_Tga->count() == 0) resetPagePanel();
}

void TMainWin::Btn_AllDeletePageClick() {
    if (ActiveList == kListSprite) {
        if (ui_->Lb_Spr->count() == 0) return;
        if (askYesNo(texts::kCaptionNotice, texts::kAskDeleteAllSprites)) {
            for (int i = ui_->Lb_Spr->count() - 1; i >= 0; --i)
                releasePage(pageAt(kSpriteFirstSlot + i));
            ui_->Lb_Spr->clear();
            Lb_SprClick();
        }
    } else if (ActiveList == kListTga) {
        if (ui_->Lb_Tga->count() == 0) return;
        if (!askYesNo(texts::kCaptionNotice, texts::kAskDeleteAllPictures)) return;
        for (int i = ui_->Lb_Tga->count() - 1; i >= 0; --i)
            releasePage(pageAt(kTgaFirstSlot + i));
        ui_->Lb_Tga->clear();
        Lb_TgaClick();
    }
    if (ui_->Lb_Spr->count() == 0 && ui_->Lb_Tga->count() == 0) resetPagePanel();
}

// ---- columns and optimisation ----------------------------------------------

void TMainWin::Btn_ColClick() {
    if (ui_->Lb_Spr->count() == 0 && ui_->Lb_Tga->count() == 0) return;
    Page* page = pageOrNull(CurrentPage);
    if (!page || !page->inUse()) return;
    // The field's own limits would keep a typed 0 as text only; what was
    // typed decides.
    bool number = false;
    const int typed = ui_->Edit_Col->cleanText().toInt(&number);
    if (!number || typed <= 0) {
        ui_->Edit_Col->setValue(page->cols);
        return;
    }
    ui_->Edit_Col->interpretText();
    relayoutColumns(*page, ui_->Edit_Col->value());
}

void TMainWin::Btn_OptimizeClick() {
    if (ActiveList != kListSprite) return;
    int lastOptimised = -1;
    for (int row : ui_->Lb_Spr->selectedRows()) {
        Page& p = pageAt(kSpriteFirstSlot + row);
        Page trimmed;
        // A page whose tiles are all transparent has nothing to trim and stays.
        if (!trimTiles(trimmed, p)) continue;
        keepIdentity(trimmed, p);
        p = std::move(trimmed);
        lastOptimised = row;
    }
    if (lastOptimised >= 0) {
        ui_->Lb_Spr->deselectAll();
        ui_->Lb_Spr->selectEntry(lastOptimised);
    }
    Lb_SprClick();
}

}  // namespace zentil
