// The page commands of the main window: copying pages into new sprite pages,
// gathering pages into one, making a page of the lifted block, clearing and
// deleting pages; the column count and the size optimisation.
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "block_tool.h"
#include "form_main.h"
#include "message_sink.h"
#include "page_canvas.h"
#include "page_list.h"
#include "system/texts.h"
#include "ui_form_main.h"
#include "work/page_copies.h"

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
        } else if (event->type() == QEvent::MouseMove && blockTool_->blockShown()) {
            blockTool_->placeBlock(QPoint(-100000, -100000));
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TMainWin::markLastSprite() {
    PageList& list = *ui_->Lb_Spr;
    list.deselectAll();
    if (list.count() == 0) return;
    list.setCurrentEntry(list.count() - 1);
    list.selectEntry(list.count() - 1);
}

void TMainWin::resetPagePanel() {
    canvas().showPage(nullptr);
}

// ---- copies ---------------------------------------------------------------

void TMainWin::BtnPageCopyClick() {
    const std::vector<Page*> pages = selectedPages(workspace_.activeList());
    if (!pages.empty()) {
        OperationResult copied = copyPages(workspace_, pages);
        record(std::move(copied.step));
        report(copied.problems);
        markLastSprite();
    }
    Lb_SprClick();
}

void TMainWin::BtnSumCopyClick() {
    const ListId source = workspace_.activeList();
    if (source == ListId::None) {
        Lb_SprClick();
        return;
    }
    const std::vector<Page*> pages = selectedPages(source);
    if (pages.empty()) return;
    OperationResult gathered = gatherPages(workspace_, pages);
    report(gathered.problems);
    if (!gathered.step) return;
    record(std::move(gathered.step));
    markLastSprite();
    Lb_SprClick();
}

void TMainWin::Btn_BlockCopyClick() {
    if (ui_->Lb_Tga->selectedRows().isEmpty()) return;
    if (!workspace_.hasBlock()) return;  // no block was ever lifted
    blockTool_->putAway(0x000000);
    const ListId active = workspace_.activeList();
    const bool fromTga = active == ListId::Pictures && !ui_->Lb_Tga->selectedRows().isEmpty();
    const bool fromSprite = active == ListId::Sprites && !ui_->Lb_Spr->selectedRows().isEmpty();
    if (!fromTga && !fromSprite) return;
    OperationResult copied = copyBlock(workspace_, workspace_.lifted.view);
    report(copied.problems);
    if (!copied.step) return;
    record(std::move(copied.step));
    PageList& sprites = *ui_->Lb_Spr;
    if (fromSprite) sprites.deselectAll();
    sprites.setCurrentEntry(sprites.count() - 1);
    sprites.selectEntry(sprites.count() - 1);
    fromTga ? Lb_TgaClick() : Lb_SprClick();
}

// ---- clearing and deleting -------------------------------------------------

void TMainWin::Btn_ClearPageClick() {
    record(clearPages(workspace_, selectedPages(ListId::Sprites)).step);
    Lb_SprClick();
}

void TMainWin::Btn_DeletePageClick() {
    const ListId which =
        workspace_.activeList() == ListId::Sprites ? ListId::Sprites : ListId::Pictures;
    PageList& list = listWidget(which);
    if (list.count() > 0) {
        OperationResult deleted = deletePages(workspace_, which, selectedPages(which));
        if (deleted.step) {
            record(std::move(deleted.step));
            if (deleted.focus) list.selectEntry(workspace_.placeOf(deleted.focus).index);
        }
        which == ListId::Sprites ? Lb_SprClick() : Lb_TgaClick();
    }
    if (ui_->Lb_Spr->count() == 0 && ui_->Lb_Tga->count() == 0) resetPagePanel();
}

void TMainWin::Btn_AllDeletePageClick() {
    const ListId which = workspace_.activeList();
    if (which == ListId::None || workspace_.store(which)->empty()) return;
    const char* question =
        which == ListId::Sprites ? texts::kAskDeleteAllSprites : texts::kAskDeleteAllPictures;
    if (!messages().ask(texts::kCaptionNotice, question)) return;
    record(deleteAllPages(workspace_, which).step);
    which == ListId::Sprites ? Lb_SprClick() : Lb_TgaClick();
    if (ui_->Lb_Spr->count() == 0 && ui_->Lb_Tga->count() == 0) resetPagePanel();
}

// ---- columns and optimisation ----------------------------------------------

void TMainWin::Btn_ColClick() {
    if (ui_->Lb_Spr->count() == 0 && ui_->Lb_Tga->count() == 0) return;
    Page* page = workspace_.currentPage();
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
    OperationResult relaid = relayoutPage(workspace_, *page, ui_->Edit_Col->value());
    report(relaid.problems);
    if (!relaid.step) return;
    record(std::move(relaid.step));
    scrollToOrigin();
    showPage(*page);
}

void TMainWin::Btn_OptimizeClick() {
    if (workspace_.activeList() != ListId::Sprites) return;
    OperationResult trimmed = trimPages(workspace_, selectedPages(ListId::Sprites));
    report(trimmed.problems);
    record(std::move(trimmed.step));
    if (trimmed.focus) {
        ui_->Lb_Spr->deselectAll();
        ui_->Lb_Spr->selectEntry(workspace_.placeOf(trimmed.focus).index);
    }
    Lb_SprClick();
}

}  // namespace zentil
