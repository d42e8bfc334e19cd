#include "main_hosts.h"

#include <QStatusBar>

#include "canvas_tools.h"
#include "document.h"
#include "form_main.h"
#include "page_canvas.h"
#include "page_list.h"
#include "ui_form_main.h"

namespace zentil {
namespace {

// How long a line about a picture stays in the status bar.
constexpr int kStatusLineMs = 8000;

}  // namespace

Workspace& MainCanvasHost::workspace() {
    return w_.workspace_;
}
void MainCanvasHost::record(std::unique_ptr<Command> command) {
    w_.record(std::move(command));
}
void MainCanvasHost::closeStep() {
    w_.history_.closeStep();
}
void MainCanvasHost::dropStep(const Command* edit) {
    w_.document_.dropOpenStep(edit);
}
void MainCanvasHost::report(const Outcome& outcome) {
    w_.report(outcome);
}
void MainCanvasHost::showPixelInfo(int x, int y) {
    w_.showPixelInfo(x, y);
}
int MainCanvasHost::copyMode() const {
    return w_.ui_->Combo_CopyMode->currentIndex();
}
int MainCanvasHost::areaLayer() const {
    return w_.ui_->Cb_CrossIndex->currentIndex();
}
int MainCanvasHost::areaScope() const {
    return w_.ui_->Cb_ApplyArea->currentIndex();
}
bool MainCanvasHost::acceptsClicks() const {
    return w_.canvasAcceptsClicks();
}
void MainCanvasHost::blockLiftedChanged(bool lifted) {
    w_.ui_->Btn_MoveOk->setEnabled(lifted);
}
void MainCanvasHost::showCurrent() {
    w_.showCurrent();
}

Document& MainFileHost::document() {
    return w_.document_;
}
MessageSink& MainFileHost::messages() {
    return w_.messages();
}
FileDialogs& MainFileHost::fileDialogs() {
    return w_.fileDialogs();
}
QWidget* MainFileHost::window() {
    return &w_;
}
void MainFileHost::guardCanvas() {
    w_.Timer_FileOpen.start();
}
void MainFileHost::cancelCanvas() {
    w_.tools().leavePages();
}
bool MainFileHost::canvasBusy() const {
    const CanvasTool* tool = w_.canvas().tool();
    return tool && tool->busy();
}
void MainFileHost::showStatusLine(const QString& text) {
    w_.ui_->Status_Bar->showMessage(text, kStatusLineMs);
}

// ---- the editor's actions ----------------------------------------------------

QWidget& MainActionHost::window() {
    return w_;
}
const Workspace& MainActionHost::workspace() const {
    return w_.workspace_;
}
const History& MainActionHost::history() const {
    return w_.history_;
}
FileCommands& MainActionHost::files() {
    return w_.files();
}
WorkSession& MainActionHost::session() {
    return w_.session();
}
PageCommands& MainActionHost::pages() {
    return w_.pageCommands();
}
EditorStatus& MainActionHost::status() {
    return w_.status();
}
ByteMapSwitch& MainActionHost::byteMap() {
    return w_.byteMap();
}
CanvasTools& MainActionHost::tools() {
    return w_.tools();
}
const PageCanvas& MainActionHost::canvas() const {
    return w_.canvas();
}
QList<QWidget*> MainActionHost::lists() {
    return {w_.ui_->Lb_Spr, w_.ui_->Lb_Tga};
}

void MainActionHost::run(WindowCommand command) {
    switch (command) {
        case WindowCommand::NewImage:
            return w_.Btn_NewClick();
        case WindowCommand::Animation:
            return w_.Btn_ShowAniClick();
        case WindowCommand::WholeImage:
            return w_.Btn_ShowPageClick();
        case WindowCommand::TileSize:
            return w_.Btn_ConfigClick();
        case WindowCommand::KeyColour:
            return w_.Btn_ColorKeyClick();
        case WindowCommand::ChangeColour:
            return w_.Btn_ChgColorClick();
        case WindowCommand::ViewPalette:
            return w_.Btn_ShowPaletteClick();
        case WindowCommand::DeveloperSite:
            return w_.Btn_DevHomeClick();
        case WindowCommand::Undo:
            return w_.Btn_UndoClick();
        case WindowCommand::Redo:
            return w_.Btn_RedoClick();
        case WindowCommand::Quit:
            w_.close();
            return;
    }
}

std::vector<FocusKey> MainActionHost::focusKeys() {
    std::vector<FocusKey> keys;
    for (const TMainWin::KeyBinding& binding : w_.keyBindings()) {
        const QString where = binding.scope == &w_.canvas()
                                  ? QCoreApplication::translate("zentil::KeysWindow", "캔버스")
                                  : QCoreApplication::translate("zentil::KeysWindow", "창");
        keys.push_back({binding.keys, where, binding.what});
    }
    return keys;
}

}  // namespace zentil
