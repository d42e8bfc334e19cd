#include "page_commands.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "block_tool.h"
#include "canvas_tools.h"
#include "form_chgcolor.h"
#include "form_colorkey.h"
#include "form_config.h"
#include "form_main.h"
#include "form_new.h"
#include "info_panels.h"
#include "message_sink.h"
#include "page_canvas.h"
#include "page_list.h"
#include "system/texts.h"
#include "ui_form_main.h"
#include "work/page_copies.h"
#include "work/page_edits.h"

namespace zentil {

PageCommands::PageCommands(TMainWin& window, Ui::TMainWin& form)
    : QObject(&window), w_(window), ui_(form) {
    connectButtons();
}

void PageCommands::connectButtons() {
    // The toolbar's buttons run their actions (editor_commands.cpp).
    connect(ui_.Btn_Col, &QToolButton::clicked, this, &PageCommands::Btn_ColClick);
    const std::pair<QToolButton*, Nudge> nudges[] = {
        {ui_.Btn_MoveLeftUp, Nudge::LeftUp},       {ui_.Btn_MoveUp, Nudge::Up},
        {ui_.Btn_MoveRightUp, Nudge::RightUp},     {ui_.Btn_MoveRight, Nudge::Right},
        {ui_.Btn_MoveRightDown, Nudge::RightDown}, {ui_.Btn_MoveDown, Nudge::Down},
        {ui_.Btn_MoveLeftDown, Nudge::LeftDown},   {ui_.Btn_MoveLeft, Nudge::Left},
    };
    for (const auto& [button, direction] : nudges)
        connect(button, &QToolButton::clicked, this, [this, d = direction] { nudge(d); });
    // Enter in the column field applies it; moving over it (its arrows or its
    // text) parks a lifted block.
    ui_.Edit_Col->installEventFilter(this);
    ui_.Edit_Col->setMouseTracking(true);
    if (auto* text = ui_.Edit_Col->findChild<QLineEdit*>()) {
        text->installEventFilter(this);
        text->setMouseTracking(true);
    }
}

void PageCommands::connectDialogs(const Dialogs& dialogs) {
    if (dialogs.newWin)
        connect(dialogs.newWin, &TNewWin::chosen, this, &PageCommands::applyNewImage);
    if (dialogs.configWin) {
        connect(dialogs.configWin, &TConfigWin::chosen, this, &PageCommands::applySizeSettings);
        // Only the remembered entry stays selected and is shown.
        connect(dialogs.configWin, &TConfigWin::closed, this,
                [this](int row) { w_.document().selectEntry(w_.activeList(), row); });
    }
    if (dialogs.colorKeyWin)
        connect(dialogs.colorKeyWin, &TColorKeyWin::chosen, this, &PageCommands::applyColourKeys);
    if (dialogs.chgColorWin)
        connect(dialogs.chgColorWin, &TChgColorWin::chosen, this, &PageCommands::applyColourChange);
}

bool PageCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == ui_.Edit_Col) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Btn_ColClick();
            return true;
        }
    } else if (event->type() == QEvent::MouseMove) {
        w_.blockTool().park();
    }
    return QObject::eventFilter(watched, event);
}

std::vector<Page*> PageCommands::selectedPages(ListId list) {
    return pagesAt(w_.workspace(), list, w_.selectedRows(list));
}

ListSelection PageCommands::showing(ListId list) const {
    ListSelection selection = w_.document().selection();
    selection.shown = list;
    return selection;
}

ListSelection PageCommands::lastSpriteOnly() const {
    ListSelection selection = w_.document().selection();
    selectOnly(selection, ListId::Sprites, w_.workspace().sprites.size() - 1);
    return selection;
}

// ---- copies ---------------------------------------------------------------

void PageCommands::BtnPageCopyClick() {
    const std::vector<Page*> pages = selectedPages(w_.activeList());
    if (pages.empty()) {
        w_.document().show(ListId::Sprites);
        return;
    }
    OperationResult copied = copyPages(w_.workspace(), pages);
    w_.document().record(std::move(copied.step), lastSpriteOnly());
    w_.report(copied.problems);
}

void PageCommands::BtnSumCopyClick() {
    const ListId source = w_.activeList();
    if (source == ListId::None) {
        w_.document().show(ListId::Sprites);
        return;
    }
    const std::vector<Page*> pages = selectedPages(source);
    if (pages.empty()) return;
    OperationResult gathered = gatherPages(w_.workspace(), pages);
    w_.report(gathered.problems);
    if (!gathered.step) return;
    w_.document().record(std::move(gathered.step), lastSpriteOnly());
}

void PageCommands::Btn_BlockCopyClick() {
    Workspace& workspace = w_.workspace();
    if (w_.selectedRows(ListId::Pictures).empty()) return;
    const Page* block = w_.blockTool().blockForCopy();
    if (!block) return;  // no block was ever lifted
    const ListId active = workspace.activeList();
    const bool fromTga = active == ListId::Pictures && !w_.selectedRows(ListId::Pictures).empty();
    const bool fromSprite = active == ListId::Sprites && !w_.selectedRows(ListId::Sprites).empty();
    if (!fromTga && !fromSprite) return;
    OperationResult copied = copyBlock(workspace, *block);
    w_.report(copied.problems);
    if (!copied.step) return;
    // The copy is marked among the sprite entries, alone when it was copied
    // from one; the list it was copied from stays shown.
    ListSelection after = fromSprite ? lastSpriteOnly() : w_.document().selection();
    const int last = workspace.sprites.size() - 1;
    if (fromTga) after.sprites.selected.push_back(last);
    after.sprites.current = last;
    after.shown = fromTga ? ListId::Pictures : ListId::Sprites;
    w_.document().record(std::move(copied.step), after);
}

// ---- clearing and deleting -------------------------------------------------

void PageCommands::Btn_ClearPageClick() {
    w_.document().record(clearPages(w_.workspace(), selectedPages(ListId::Sprites)).step,
                         showing(ListId::Sprites));
}

void PageCommands::Btn_DeletePageClick() {
    Workspace& workspace = w_.workspace();
    const ListId which =
        workspace.activeList() == ListId::Sprites ? ListId::Sprites : ListId::Pictures;
    if (workspace.store(which)->empty()) return;
    OperationResult deleted = deletePages(workspace, which, selectedPages(which));
    // The selected entries went with their pages; the page after them is
    // marked and shown.
    ListSelection after = showing(which);
    if (deleted.step) {
        const int focus = deleted.focus ? workspace.placeOf(deleted.focus).index : -1;
        after.marks(which) = {focus >= 0 ? std::vector<int>{focus} : std::vector<int>{}, focus};
    }
    w_.document().record(std::move(deleted.step), after);
}

void PageCommands::Btn_AllDeletePageClick() {
    Workspace& workspace = w_.workspace();
    const ListId which = workspace.activeList();
    if (which == ListId::None || workspace.store(which)->empty()) return;
    const char* question =
        which == ListId::Sprites ? texts::kAskDeleteAllSprites : texts::kAskDeleteAllPictures;
    if (!w_.messages().ask(texts::kCaptionNotice, question)) return;
    w_.document().record(deleteAllPages(workspace, which).step, showing(which));
}

// ---- columns, optimisation and nudges --------------------------------------

void PageCommands::Btn_ColClick() {
    Page* page = w_.workspace().currentPage();
    if (!page || !page->inUse()) return;
    // The field's own limits would keep a typed 0 as text only; what was
    // typed decides.
    bool number = false;
    const int typed = ui_.Edit_Col->cleanText().toInt(&number);
    if (!number || typed <= 0) {
        ui_.Edit_Col->setValue(page->cols);
        return;
    }
    ui_.Edit_Col->interpretText();
    OperationResult relaid = relayoutPage(w_.workspace(), *page, ui_.Edit_Col->value());
    w_.report(relaid.problems);
    if (!relaid.step) return;
    // The page is shown again from its corner in its new shape.
    w_.document().record(std::move(relaid.step), w_.document().selection());
}

void PageCommands::Btn_OptimizeClick() {
    if (w_.activeList() != ListId::Sprites) return;
    OperationResult trimmed = trimPages(w_.workspace(), selectedPages(ListId::Sprites));
    w_.report(trimmed.problems);
    ListSelection after = showing(ListId::Sprites);
    if (trimmed.focus) after.sprites.selected = {w_.workspace().placeOf(trimmed.focus).index};
    w_.document().record(std::move(trimmed.step), after);
}

// The current tool takes the nudge first (the block tool moves a carried
// block inside itself); else the current sprite page moves as one step.
void PageCommands::nudge(Nudge direction) {
    if (w_.tools().key(CanvasKey::nudge(direction))) return;
    Workspace& workspace = w_.workspace();
    Page* page = workspace.currentPage();
    if (!page || !page->inUse() || page->tileWidth <= 0 || page->tileHeight <= 0 ||
        workspace.activeList() != ListId::Sprites)
        return;
    Outcome outcome;
    std::unique_ptr<Command> step = nudgePageStep(workspace, *page, direction, outcome);
    w_.report(outcome);
    w_.record(std::move(step));
}

// ---- what the editing dialogs hand back -------------------------------------

void PageCommands::applyNewImage(const NewImage& image) {
    Workspace& workspace = w_.workspace();
    // The chosen key becomes the default of every 8-bit page from now on.
    workspace.settings.defaultColorKey8 = image.key;
    OperationResult made = newImage(workspace, image);
    w_.report(made.problems);
    if (!made.step) return;
    w_.document().record(std::move(made.step), lastSpriteOnly());
}

void PageCommands::applySizeSettings(const TileGrid& grid, std::uint32_t lineColor) {
    w_.workspace().settings.gridColor = static_cast<std::int32_t>(lineColor);
    OperationResult resized = retilePages(w_.workspace(), selectedPages(w_.activeList()), grid);
    w_.report(resized.problems);
    w_.blockTool().dropOutline();
    w_.document().record(std::move(resized.step), w_.document().selection());
}

void PageCommands::applyColourKeys(const ColourKeys& keys) {
    Config& settings = w_.workspace().settings;
    settings.defaultColorKey8 = keys.default8;
    settings.defaultColorKey16 = keys.default16;
    settings.defaultColorKey24 = keys.default24;
    const ListId list = w_.activeList();
    if (list != ListId::None)
        w_.record(setColourKeys(w_.workspace(), selectedPages(list), keys.pageKey).step);
    // The key panel shows the key given, the default key panel the new
    // default, each with its colour on the page shown (all "0" without one).
    const Page* page = w_.workspace().currentPage();
    PixelInfo info = pixelInfo(page, 0, 0, w_.workspace().defaults());
    if (list != ListId::None && page && info.key) info.key = colourTexts(*page, keys.pageKey);
    showKeyInfo(ui_, info);
}

void PageCommands::applyColourChange(const ColourChange& change) {
    if (w_.activeList() != ListId::Sprites) return;
    OperationResult changed = changeColour(w_.workspace(), selectedPages(ListId::Sprites), change);
    w_.report(changed.problems);
    w_.document().record(std::move(changed.step), w_.document().selection());
}

}  // namespace zentil
