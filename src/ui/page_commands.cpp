#include "page_commands.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSettings>
#include <QSpinBox>

#include "block_tool.h"
#include "canvas_tools.h"
#include "dialogs.h"
#include "document.h"
#include "edit/pixel_info.h"
#include "form_chgcolor.h"
#include "form_colorkey.h"
#include "form_config.h"
#include "form_new.h"
#include "message_sink.h"
#include "page_command_host.h"
#include "system/texts.h"
#include "work/page_copies.h"
#include "work/page_edits.h"

namespace zentil {

// The dithering level a picture reduction was last left at, which the
// remap onto the sprite palette takes too.
const QString kReductionDitherKey = QStringLiteral("reduce/dither");

PageCommands::PageCommands(PageCommandHost& host, QSpinBox& columns, QObject* parent)
    : QObject(parent), host_(host), columns_(columns) {
    // Enter in the column field applies it; moving over it (its arrows or its
    // text) parks a lifted block.
    columns_.installEventFilter(this);
    columns_.setMouseTracking(true);
    if (auto* text = columns_.findChild<QLineEdit*>()) {
        text->installEventFilter(this);
        text->setMouseTracking(true);
    }
}

Workspace& PageCommands::workspace() {
    return host_.document().workspace();
}

ListId PageCommands::activeList() {
    return workspace().activeList();
}

const std::vector<int>& PageCommands::selectedRows(ListId list) {
    return host_.document().selection().marks(list).selected;
}

void PageCommands::report(const std::vector<Outcome>& problems) {
    for (const Outcome& problem : problems)
        host_.messages().report(problem);
}

void PageCommands::connectDialogs(const Dialogs& dialogs) {
    if (dialogs.newWin)
        connect(dialogs.newWin, &TNewWin::chosen, this, &PageCommands::applyNewImage);
    if (dialogs.configWin) {
        connect(dialogs.configWin, &TConfigWin::chosen, this, &PageCommands::applySizeSettings);
        // Only the remembered entry stays selected and is shown.
        connect(dialogs.configWin, &TConfigWin::closed, this,
                [this](int row) { host_.document().selectEntry(activeList(), row); });
    }
    if (dialogs.colorKeyWin)
        connect(dialogs.colorKeyWin, &TColorKeyWin::chosen, this, &PageCommands::applyColourKeys);
    if (dialogs.chgColorWin)
        connect(dialogs.chgColorWin, &TChgColorWin::chosen, this, &PageCommands::applyColourChange);
}

bool PageCommands::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == &columns_) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Btn_ColClick();
            return true;
        }
    } else if (event->type() == QEvent::MouseMove) {
        host_.tools().block().park();
    }
    return QObject::eventFilter(watched, event);
}

std::vector<Page*> PageCommands::selectedPages(ListId list) {
    return pagesAt(workspace(), list, selectedRows(list));
}

ListSelection PageCommands::showing(ListId list) {
    ListSelection selection = host_.document().selection();
    selection.shown = list;
    return selection;
}

ListSelection PageCommands::lastSpriteOnly() {
    ListSelection selection = host_.document().selection();
    selectOnly(selection, ListId::Sprites, workspace().sprites.size() - 1);
    return selection;
}

// ---- copies ---------------------------------------------------------------

void PageCommands::BtnPageCopyClick() {
    const std::vector<Page*> pages = selectedPages(activeList());
    if (pages.empty()) {
        host_.document().show(ListId::Sprites);
        return;
    }
    OperationResult copied = copyPages(workspace(), pages);
    host_.document().record(std::move(copied.step), lastSpriteOnly());
    report(copied.problems);
}

void PageCommands::BtnSumCopyClick() {
    const ListId source = activeList();
    if (source == ListId::None) {
        host_.document().show(ListId::Sprites);
        return;
    }
    const std::vector<Page*> pages = selectedPages(source);
    if (pages.empty()) return;
    OperationResult gathered = gatherPages(workspace(), pages);
    report(gathered.problems);
    if (!gathered.step) return;
    host_.document().record(std::move(gathered.step), lastSpriteOnly());
}

void PageCommands::Btn_BlockCopyClick() {
    Workspace& workspace = this->workspace();
    if (selectedRows(ListId::Pictures).empty()) return;
    const Page* block = host_.tools().block().blockForCopy();
    if (!block) return;  // no block was ever lifted
    const ListId active = workspace.activeList();
    const bool fromTga = active == ListId::Pictures && !selectedRows(ListId::Pictures).empty();
    const bool fromSprite = active == ListId::Sprites && !selectedRows(ListId::Sprites).empty();
    if (!fromTga && !fromSprite) return;
    OperationResult copied = copyBlock(workspace, *block);
    report(copied.problems);
    if (!copied.step) return;
    // The copy is marked among the sprite entries, alone when it was copied
    // from one; the list it was copied from stays shown.
    ListSelection after = fromSprite ? lastSpriteOnly() : host_.document().selection();
    const int last = workspace.sprites.size() - 1;
    if (fromTga) after.sprites.selected.push_back(last);
    after.sprites.current = last;
    after.shown = fromTga ? ListId::Pictures : ListId::Sprites;
    host_.document().record(std::move(copied.step), after);
}

// ---- clearing and deleting -------------------------------------------------

void PageCommands::Btn_ClearPageClick() {
    host_.document().record(clearPages(workspace(), selectedPages(ListId::Sprites)).step,
                            showing(ListId::Sprites));
}

void PageCommands::Btn_DeletePageClick() {
    Workspace& workspace = this->workspace();
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
    host_.document().record(std::move(deleted.step), after);
}

void PageCommands::Btn_AllDeletePageClick() {
    Workspace& workspace = this->workspace();
    const ListId which = workspace.activeList();
    if (which == ListId::None || workspace.store(which)->empty()) return;
    const char* question =
        which == ListId::Sprites ? texts::kAskDeleteAllSprites : texts::kAskDeleteAllPictures;
    if (!host_.messages().ask(texts::kCaptionNotice, question)) return;
    host_.document().record(deleteAllPages(workspace, which).step, showing(which));
}

// ---- columns, optimisation and nudges --------------------------------------

void PageCommands::Btn_ColClick() {
    Page* page = workspace().currentPage();
    if (!page || !page->inUse()) return;
    // The field's own limits would keep a typed 0 as text only; what was
    // typed decides.
    bool number = false;
    const int typed = columns_.cleanText().toInt(&number);
    if (!number || typed <= 0) {
        columns_.setValue(page->cols);
        return;
    }
    columns_.interpretText();
    OperationResult relaid = relayoutPage(workspace(), *page, columns_.value());
    report(relaid.problems);
    if (!relaid.step) return;
    // The page is shown again from its corner in its new shape.
    host_.document().record(std::move(relaid.step), host_.document().selection());
}

void PageCommands::Btn_OptimizeClick() {
    if (activeList() != ListId::Sprites) return;
    OperationResult trimmed = trimPages(workspace(), selectedPages(ListId::Sprites));
    report(trimmed.problems);
    ListSelection after = showing(ListId::Sprites);
    if (trimmed.focus) after.sprites.selected = {workspace().placeOf(trimmed.focus).index};
    host_.document().record(std::move(trimmed.step), after);
}

void PageCommands::remapToPaletteClick() {
    if (activeList() != ListId::Sprites) return;
    const float dither = QSettings().value(kReductionDitherKey, 0.0).toFloat();
    OperationResult remapped =
        remapToSpritePalette(workspace(), selectedPages(ListId::Sprites), dither);
    report(remapped.problems);
    host_.document().record(std::move(remapped.step));
}

// The current tool takes the nudge first (the block tool moves a carried
// block inside itself); else the current sprite page moves as one step.
void PageCommands::nudge(Nudge direction) {
    if (host_.tools().key(CanvasKey::nudge(direction))) return;
    Workspace& workspace = this->workspace();
    Page* page = workspace.currentPage();
    if (!page || !page->inUse() || page->tileWidth <= 0 || page->tileHeight <= 0 ||
        workspace.activeList() != ListId::Sprites)
        return;
    Outcome outcome;
    std::unique_ptr<Command> step = nudgePageStep(workspace, *page, direction, outcome);
    host_.messages().report(outcome);
    host_.document().record(std::move(step));
}

// ---- what the editing dialogs hand back -------------------------------------

void PageCommands::applyNewImage(const NewImage& image) {
    Workspace& workspace = this->workspace();
    // The chosen key becomes the default of every 8-bit page from now on.
    workspace.settings.defaultColorKey8 = image.key;
    OperationResult made = newImage(workspace, image);
    report(made.problems);
    if (!made.step) return;
    host_.document().record(std::move(made.step), lastSpriteOnly());
}

void PageCommands::applySizeSettings(const TileGrid& grid, std::uint32_t lineColor) {
    workspace().settings.gridColor = static_cast<std::int32_t>(lineColor);
    OperationResult resized = retilePages(workspace(), selectedPages(activeList()), grid);
    report(resized.problems);
    host_.tools().block().dropOutline();
    host_.document().record(std::move(resized.step), host_.document().selection());
}

void PageCommands::applyColourKeys(const ColourKeys& keys) {
    Config& settings = workspace().settings;
    settings.defaultColorKey8 = keys.default8;
    settings.defaultColorKey16 = keys.default16;
    settings.defaultColorKey24 = keys.default24;
    const ListId list = activeList();
    if (list != ListId::None)
        host_.document().record(setColourKeys(workspace(), selectedPages(list), keys.pageKey).step);
    // The key panel shows the key given, the default key panel the new
    // default, each with its colour on the page shown (all "0" without one).
    const Page* page = workspace().currentPage();
    PixelInfo info = pixelInfo(page, 0, 0, workspace().defaults());
    if (list != ListId::None && page && info.key) info.key = colourTexts(*page, keys.pageKey);
    host_.showKeys(info);
}

void PageCommands::applyColourChange(const ColourChange& change) {
    if (activeList() != ListId::Sprites) return;
    OperationResult changed = changeColour(workspace(), selectedPages(ListId::Sprites), change);
    report(changed.problems);
    host_.document().record(std::move(changed.step), host_.document().selection());
}

}  // namespace zentil
