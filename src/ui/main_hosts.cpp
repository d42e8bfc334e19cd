// What the canvas's tools, the file commands, the commands on pages and the
// editor's actions ask of the main window: each part sees the window only
// through its host, which the window makes with the functions at the end.
#include <QStatusBar>

#include "action_host.h"
#include "block_tool.h"
#include "canvas_tools.h"
#include "document.h"
#include "editor_actions.h"
#include "file_command_host.h"
#include "form_main.h"
#include "info_panels.h"
#include "page_canvas.h"
#include "page_command_host.h"
#include "page_list.h"
#include "ui_form_main.h"

namespace zentil {
namespace {

// How long a line about a picture stays in the status bar.
constexpr int kStatusLineMs = 8000;

}  // namespace

class MainCanvasHost final : public BlockToolHost {
  public:
    explicit MainCanvasHost(TMainWin& window) : w_(window) {}
    Workspace& workspace() override;
    void record(std::unique_ptr<Command> command) override;
    void closeStep() override;
    void dropStep(const Command* edit) override;
    void report(const Outcome& outcome) override;
    void showPixelInfo(int x, int y) override;
    int copyMode() const override;
    int areaLayer() const override;
    int areaScope() const override;
    bool acceptsClicks() const override;
    void blockLiftedChanged(bool lifted) override;
    void showCurrent() override;

  private:
    TMainWin& w_;
};

class MainFileHost final : public FileCommandHost {
  public:
    explicit MainFileHost(TMainWin& window) : w_(window) {}
    Document& document() override;
    MessageSink& messages() override;
    FileDialogs& fileDialogs() override;
    QWidget* window() override;
    void guardCanvas() override;
    void cancelCanvas() override;
    bool canvasBusy() const override;
    void showStatusLine(const QString& text) override;

  private:
    TMainWin& w_;
};

class MainPageHost final : public PageCommandHost {
  public:
    explicit MainPageHost(TMainWin& window) : w_(window) {}
    Document& document() override;
    MessageSink& messages() override;
    CanvasTools& tools() override;
    void showKeys(const PixelInfo& info) override;

  private:
    TMainWin& w_;
};

class MainActionHost final : public ActionHost {
  public:
    explicit MainActionHost(TMainWin& window) : w_(window) {}
    QWidget& window() override;
    const Workspace& workspace() const override;
    const History& history() const override;
    void run(WindowCommand command) override;
    FileCommands& files() override;
    WorkSession& session() override;
    PageCommands& pages() override;
    EditorStatus& status() override;
    ByteMapSwitch& byteMap() override;
    CanvasTools& tools() override;
    const PageCanvas& canvas() const override;
    QList<QWidget*> lists() override;
    std::vector<FocusKey> focusKeys() override;

  private:
    TMainWin& w_;
};

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
    // A block lifted can be copied from now on.
    if (w_.actions_) w_.actions_->refresh();
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

// ---- the commands on pages ----------------------------------------------------

Document& MainPageHost::document() {
    return w_.document_;
}
MessageSink& MainPageHost::messages() {
    return w_.messages();
}
CanvasTools& MainPageHost::tools() {
    return w_.tools();
}
void MainPageHost::showKeys(const PixelInfo& info) {
    showKeyInfo(*w_.ui_, info);
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

std::unique_ptr<BlockToolHost> makeCanvasHost(TMainWin& window) {
    return std::make_unique<MainCanvasHost>(window);
}
std::unique_ptr<FileCommandHost> makeFileHost(TMainWin& window) {
    return std::make_unique<MainFileHost>(window);
}
std::unique_ptr<PageCommandHost> makePageHost(TMainWin& window) {
    return std::make_unique<MainPageHost>(window);
}
std::unique_ptr<ActionHost> makeActionHost(TMainWin& window) {
    return std::make_unique<MainActionHost>(window);
}

}  // namespace zentil
