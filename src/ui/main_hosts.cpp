#include "main_hosts.h"

#include <QStatusBar>

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
void MainFileHost::markLoaded(ListId list) {
    PageList& entries = w_.listWidget(list);
    entries.showPages(*w_.workspace_.store(list));
    const int last = entries.count() - 1;
    if (QListWidgetItem* current = entries.currentItem()) current->setSelected(false);
    entries.setCurrentEntry(last);
    entries.selectEntry(last);
}
void MainFileHost::showList(ListId list) {
    list == ListId::Pictures ? w_.Lb_TgaClick() : w_.Lb_SprClick();
}
void MainFileHost::showOnly(ListId list, int row) {
    w_.showOnly(list, row);
}
void MainFileHost::showNoPage() {
    w_.dropCanvasPicture();
}
void MainFileHost::guardCanvas() {
    w_.Timer_FileOpen.start();
}
void MainFileHost::cancelCanvas() {
    if (CanvasTool* tool = w_.canvas().tool()) tool->cancel();
}
bool MainFileHost::canvasBusy() const {
    const CanvasTool* tool = w_.canvas().tool();
    return tool && tool->busy();
}
void MainFileHost::showStatusLine(const QString& text) {
    w_.ui_->Status_Bar->showMessage(text, kStatusLineMs);
}

}  // namespace zentil
