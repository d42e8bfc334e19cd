// The main window's canvas wiring: the block tool and what it asks of the
// window, and the nine nudge buttons.
#include "form_main.h"
#include "main_hosts.h"
#include "page_canvas.h"
#include "ui_form_main.h"
#include "work/page_edits.h"

namespace zentil {

Workspace& MainCanvasHost::workspace() {
    return w_.workspace_;
}
void MainCanvasHost::record(std::unique_ptr<Command> command) {
    w_.record(std::move(command));
}
void MainCanvasHost::closeStep() {
    w_.history_.closeStep();
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

void TMainWin::connectCanvas() {
    canvasHost_ = std::make_unique<MainCanvasHost>(*this);
    blockTool_ = std::make_unique<BlockTool>(canvas(), *canvasHost_);
    canvas().setTool(blockTool_.get());

    const std::pair<QToolButton*, Nudge> nudges[] = {
        {ui_->Btn_MoveLeftUp, Nudge::LeftUp},       {ui_->Btn_MoveUp, Nudge::Up},
        {ui_->Btn_MoveRightUp, Nudge::RightUp},     {ui_->Btn_MoveRight, Nudge::Right},
        {ui_->Btn_MoveRightDown, Nudge::RightDown}, {ui_->Btn_MoveDown, Nudge::Down},
        {ui_->Btn_MoveLeftDown, Nudge::LeftDown},   {ui_->Btn_MoveLeft, Nudge::Left},
    };
    for (const auto& [button, direction] : nudges)
        connect(button, &QToolButton::clicked, this, [this, d = direction] { nudge(d); });
    connect(ui_->Btn_MoveOk, &QToolButton::clicked, this, &TMainWin::Btn_MoveOkClick);
}

void TMainWin::setCanvasColor(std::uint32_t bgr) {
    canvas().setCanvasColor(bgr);
}

std::uint32_t TMainWin::canvasColor() const {
    return canvas().canvasColor();
}

// The lifted block moves inside itself; without one, the current sprite page
// moves as one step.
void TMainWin::nudge(Nudge direction) {
    if (workspace_.blockLifted()) {
        blockTool_->nudgeBlock(direction);
        return;
    }
    Page* page = workspace_.currentPage();
    if (!page || !page->inUse() || page->tileWidth <= 0 || page->tileHeight <= 0 ||
        workspace_.activeList() != ListId::Sprites)
        return;
    Outcome outcome;
    std::unique_ptr<Command> step = nudgePageStep(workspace_, *page, direction, outcome);
    report(outcome);
    record(std::move(step));
    showPage(*page, true);
}

void TMainWin::Btn_MoveOkClick() {
    blockTool_->Btn_MoveOkClick();
}

void TMainWin::putLiftedBlockAway() {
    blockTool_->putAwayByHand();
}

}  // namespace zentil
