// The main window and its dialogs: the toolbar buttons that open them and
// what they see of the editor.
#include <QDesktopServices>
#include <QUrl>

#include "block_tool.h"
#include "form_ani.h"
#include "form_chgcolor.h"
#include "form_colorkey.h"
#include "form_config.h"
#include "form_main.h"
#include "form_new.h"
#include "form_palette.h"
#include "form_tile.h"
#include "page_commands.h"

namespace zentil {

void TMainWin::setDialogs(const Dialogs& dialogs) {
    dialogs_ = dialogs;
    pageCommands_->connectDialogs(dialogs);
}

const Page* TMainWin::liftedBlock() const {
    return blockTool_->carriedBlock();
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

}  // namespace zentil
