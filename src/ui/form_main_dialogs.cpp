// The main window and its dialogs: the toolbar buttons that open them, what
// they see of the editor, and what the editing ones hand back, applied to
// the selected pages as one step each.
#include <QDesktopServices>
#include <QUrl>

#include "form_ani.h"
#include "form_chgcolor.h"
#include "form_colorkey.h"
#include "form_config.h"
#include "form_main.h"
#include "form_new.h"
#include "form_palette.h"
#include "form_tile.h"
#include "page_list.h"
#include "work/page_copies.h"

namespace zentil {

void TMainWin::setDialogs(const Dialogs& dialogs) {
    dialogs_ = dialogs;
    if (dialogs.newWin) connect(dialogs.newWin, &TNewWin::chosen, this, &TMainWin::applyNewImage);
    if (dialogs.configWin) {
        connect(dialogs.configWin, &TConfigWin::chosen, this, &TMainWin::applySizeSettings);
        // Only the remembered entry stays selected and is shown.
        connect(dialogs.configWin, &TConfigWin::closed, this,
                [this](int row) { showOnly(workspace_.activeList(), row); });
    }
    if (dialogs.colorKeyWin)
        connect(dialogs.colorKeyWin, &TColorKeyWin::chosen, this, &TMainWin::applyColourKeys);
    if (dialogs.chgColorWin)
        connect(dialogs.chgColorWin, &TChgColorWin::chosen, this, &TMainWin::applyColourChange);
}

const Page* TMainWin::liftedBlock() const {
    return workspace_.blockLifted() ? &workspace_.lifted.block : nullptr;
}

std::vector<Page*> TMainWin::selectedPages(ListId list) {
    return pagesAt(workspace_, list, selectedRows(list));
}

// ---- toolbar buttons that open a window -------------------------------------

void TMainWin::Btn_NewClick() {
    if (dialogs_.newWin) dialogs_.newWin->open();
}

void TMainWin::Btn_ShowAniClick() {
    if (workspace_.currentPage() && dialogs_.aniWin) dialogs_.aniWin->open();
}

void TMainWin::Btn_ShowPageClick() {
    if (workspace_.currentPage() && dialogs_.tileWin) dialogs_.tileWin->open();
}

void TMainWin::Btn_ConfigClick() {
    if (workspace_.currentPage() && dialogs_.configWin) dialogs_.configWin->open();
}

void TMainWin::Btn_ColorKeyClick() {
    if (workspace_.currentPage() && dialogs_.colorKeyWin) dialogs_.colorKeyWin->open();
}

void TMainWin::Btn_ChgColorClick() {
    if (workspace_.activeList() == ListId::Sprites && workspace_.currentPage() &&
        dialogs_.chgColorWin)
        dialogs_.chgColorWin->open();
}

void TMainWin::Btn_ShowPaletteClick() {
    if (dialogs_.paletteWin) dialogs_.paletteWin->open();
}

void TMainWin::Btn_DevHomeClick() {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomePageUrl)));
}

// ---- what the editing dialogs hand back -------------------------------------

void TMainWin::applyNewImage(const NewImage& image) {
    // The chosen key becomes the default of every 8-bit page from now on.
    workspace_.settings.defaultColorKey8 = image.key;
    OperationResult made = newImage(workspace_, image);
    report(made.problems);
    if (!made.step) return;
    record(std::move(made.step));
    showOnly(ListId::Sprites, workspace_.sprites.size() - 1);
}

void TMainWin::applySizeSettings(const TileGrid& grid, std::uint32_t lineColor) {
    workspace_.settings.gridColor = static_cast<std::int32_t>(lineColor);
    OperationResult resized = retilePages(workspace_, selectedPages(activeList()), grid);
    report(resized.problems);
    record(std::move(resized.step));
    dropOutline();
    showCurrent();
}

void TMainWin::applyColourKeys(const ColourKeys& keys) {
    Config& settings = workspace_.settings;
    settings.defaultColorKey8 = keys.default8;
    settings.defaultColorKey16 = keys.default16;
    settings.defaultColorKey24 = keys.default24;
    if (activeList() == ListId::None) {
        showKeyPanel(0);
        return;
    }
    record(setColourKeys(workspace_, selectedPages(activeList()), keys.pageKey).step);
    showKeyPanel(keys.pageKey);
}

void TMainWin::applyColourChange(const ColourChange& change) {
    if (activeList() != ListId::Sprites) return;
    OperationResult changed = changeColour(workspace_, selectedPages(ListId::Sprites), change);
    report(changed.problems);
    record(std::move(changed.step));
    showCurrent();
}

}  // namespace zentil
