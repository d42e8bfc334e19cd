// The page commands of the main window: copying pages into new sprite pages,
// gathering pages into one, making a page of the lifted block, clearing and
// deleting pages; the column count and the size optimisation.
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "block_tool.h"
#include "edit/blit.h"
#include "edit/relayout.h"
#include "edit/store_page.h"
#include "edit/trim.h"
#include "form_main.h"
#include "message_sink.h"
#include "page_canvas.h"
#include "page_list.h"
#include "system/texts.h"
#include "ui_form_main.h"
#include "work/page_edits.h"
#include "work/store_edits.h"

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

namespace {

// New sprite pages made by one command, added as one step. Each takes the
// place after the sprites and the pages made before it.
class NewSprites {
  public:
    explicit NewSprites(Workspace& workspace) : workspace_(workspace) {}
    // A page of the given grid, or nullptr after a full store or a page that
    // cannot be made (`outcome` says which).
    Page* make(int cols, int rows, int tileWidth, int tileHeight, std::string_view name, int mode,
               Outcome& outcome) {
        const int position = workspace_.sprites.size() + static_cast<int>(pages_.size());
        if (position >= workspace_.sprites.capacity()) {
            outcome = Outcome::error(texts::kStoreFull);
            return nullptr;
        }
        auto page = std::make_unique<Page>();
        outcome = newStorePage(*page, cols, rows, tileWidth, tileHeight, name, position, mode,
                               workspace_.defaults());
        if (!outcome) return nullptr;
        pages_.push_back(std::move(page));
        return pages_.back().get();
    }
    std::unique_ptr<Command> add() {
        if (pages_.empty()) return nullptr;
        return addPages(workspace_, ListId::Sprites, std::move(pages_));
    }

  private:
    Workspace& workspace_;
    std::vector<std::unique_ptr<Page>> pages_;
};

}  // namespace

// ---- copies ---------------------------------------------------------------

void TMainWin::BtnPageCopyClick() {
    const ListId source = workspace_.activeList();
    const std::vector<Page*> pages = selectedPages(source);
    if (!pages.empty()) {
        NewSprites made(workspace_);
        Outcome outcome;
        for (const Page* s : pages) {
            // A page whose size is not a whole number of tiles is copied as one tile.
            const bool ragged = s->width % s->cols != 0 || s->height % s->rows != 0;
            Page* copy = ragged
                             ? made.make(1, 1, s->width, s->height, pageName(*s), s->mode, outcome)
                             : made.make(s->cols, s->rows, s->tileWidth, s->tileHeight, {}, s->mode,
                                         outcome);
            if (!copy) break;  // the pages made so far stay
            copyPageRect(*copy, 0, 0, *s, 0, 0, s->stride, s->height);
        }
        record(made.add());
        report(outcome);
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
    // Every page must match the one before in size, and all be of one mode.
    int keptWidth = 0, keptHeight = 0, keptMode = kMode8;
    for (const Page* p : pages) {
        if (keptWidth != 0 && keptHeight != 0 &&
            (p->width != keptWidth || p->height != keptHeight)) {
            messages().message(texts::kCaptionError, texts::kSizesDiffer);
            return;
        }
        if (p->mode != keptMode) {
            messages().message(texts::kCaptionError, texts::kModesDiffer);
            return;
        }
        keptWidth = p->width;
        keptHeight = p->height;
        keptMode = p->mode;
    }
    const Page& last = *pages.back();
    NewSprites made(workspace_);
    Outcome outcome;
    Page* gathered = made.make(static_cast<int>(pages.size()), 1, last.tileWidth, last.tileHeight,
                               {}, last.mode, outcome);
    if (!gathered) {
        report(outcome);
        return;
    }
    for (std::size_t j = 0; j < pages.size(); ++j) {
        const Page& p = *pages[j];
        copyPageRect(*gathered, static_cast<int>(j) * p.width, 0, p, 0, 0, p.width, p.height);
    }
    record(made.add());
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
    const Page& view = workspace_.lifted.view;
    NewSprites made(workspace_);
    Outcome outcome;
    Page* copy = made.make(1, 1, view.width, view.height, {}, view.mode, outcome);
    if (!copy) {
        report(outcome);
        return;
    }
    copyPageRect(*copy, 0, 0, view, 0, 0, view.stride, view.height);
    record(made.add());
    PageList& sprites = *ui_->Lb_Spr;
    if (fromSprite) sprites.deselectAll();
    sprites.setCurrentEntry(sprites.count() - 1);
    sprites.selectEntry(sprites.count() - 1);
    fromTga ? Lb_TgaClick() : Lb_SprClick();
}

// ---- clearing and deleting -------------------------------------------------

void TMainWin::Btn_ClearPageClick() {
    auto cleared = std::make_unique<CommandGroup>();
    for (Page* page : selectedPages(ListId::Sprites)) {
        Outcome outcome;
        cleared->add(editPixels(
            workspace_, *page,
            [](Page& p) {
                clearPage(p);
                return Outcome::done();
            },
            outcome));
    }
    if (!cleared->empty()) record(std::move(cleared));
    Lb_SprClick();
}

void TMainWin::Btn_DeletePageClick() {
    const ListId which =
        workspace_.activeList() == ListId::Sprites ? ListId::Sprites : ListId::Pictures;
    PageList& list = listWidget(which);
    if (list.count() > 0) {
        const std::vector<int> rows = selectedRows(which);
        if (!rows.empty()) {
            record(removePages(workspace_, which, selectedPages(which)));
            const int lowest = rows.front();
            if (list.count() > 0) list.selectEntry(lowest < list.count() ? lowest : lowest - 1);
        }
        which == ListId::Sprites ? Lb_SprClick() : Lb_TgaClick();
    }
    if (ui_->Lb_Spr->count() == 0 && ui_->Lb_Tga->count() == 0) resetPagePanel();
}

void TMainWin::Btn_AllDeletePageClick() {
    const ListId which = workspace_.activeList();
    if (which == ListId::None) return;
    PageStore& store = *workspace_.store(which);
    if (store.empty()) return;
    const char* question =
        which == ListId::Sprites ? texts::kAskDeleteAllSprites : texts::kAskDeleteAllPictures;
    if (!messages().ask(texts::kCaptionNotice, question)) return;
    std::vector<Page*> all;
    for (int i = 0; i < store.size(); ++i)
        all.push_back(&store.at(i));
    record(removePages(workspace_, which, all));
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
    const int cols = ui_->Edit_Col->value();
    const PageDefaults defaults = workspace_.defaults();
    Outcome outcome;
    std::unique_ptr<Command> relaid = rebuildPage(
        workspace_, *page, [&](Page& p) { return relayoutColumns(p, cols, defaults); }, outcome);
    report(outcome);
    if (!relaid) return;
    record(std::move(relaid));
    scrollToOrigin();
    showPage(*page, true);
}

void TMainWin::Btn_OptimizeClick() {
    if (workspace_.activeList() != ListId::Sprites) return;
    auto trimmed = std::make_unique<CommandGroup>();
    int lastOptimised = -1;
    for (const int row : selectedRows(ListId::Sprites)) {
        Page& p = workspace_.sprites.at(row);
        Outcome outcome;
        // A page whose tiles are all transparent has nothing to trim and stays.
        std::unique_ptr<Command> step = rebuildPage(
            workspace_, p, [](Page& page) { return trimTiles(page, page); }, outcome);
        report(outcome);
        if (!step) continue;
        trimmed->add(std::move(step));
        lastOptimised = row;
    }
    if (!trimmed->empty()) record(std::move(trimmed));
    if (lastOptimised >= 0) {
        ui_->Lb_Spr->deselectAll();
        ui_->Lb_Spr->selectEntry(lastOptimised);
    }
    Lb_SprClick();
}

}  // namespace zentil
