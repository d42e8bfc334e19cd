// The main window's canvas wiring: the block tool and what it asks of the
// window, and the commands on pages.
#include "block_tool.h"
#include "canvas_tools.h"
#include "form_main.h"
#include "page_canvas.h"
#include "page_command_host.h"
#include "page_commands.h"
#include "ui_form_main.h"

namespace zentil {

void TMainWin::connectCanvas() {
    canvasHost_ = makeCanvasHost(*this);
    blockTool_ = std::make_unique<BlockTool>(canvas(), *canvasHost_);
    canvas().setTool(blockTool_.get());

    connect(ui_->Btn_MoveOk, &QToolButton::clicked, this,
            [this] { tools_->key(CanvasKey::confirm()); });
    pageHost_ = makePageHost(*this);
    pageCommands_ = new PageCommands(*pageHost_, *ui_->Edit_Col, this);
    // The toolbar's buttons run their actions (editor_commands.cpp); the
    // column and nudge buttons are the commands'.
    connect(ui_->Btn_Col, &QToolButton::clicked, pageCommands_, &PageCommands::Btn_ColClick);
    const std::pair<QToolButton*, Nudge> nudges[] = {
        {ui_->Btn_MoveLeftUp, Nudge::LeftUp},       {ui_->Btn_MoveUp, Nudge::Up},
        {ui_->Btn_MoveRightUp, Nudge::RightUp},     {ui_->Btn_MoveRight, Nudge::Right},
        {ui_->Btn_MoveRightDown, Nudge::RightDown}, {ui_->Btn_MoveDown, Nudge::Down},
        {ui_->Btn_MoveLeftDown, Nudge::LeftDown},   {ui_->Btn_MoveLeft, Nudge::Left},
    };
    for (const auto& [button, direction] : nudges)
        connect(button, &QToolButton::clicked, pageCommands_,
                [p = pageCommands_, d = direction] { p->nudge(d); });
    tools_ = new CanvasTools(canvas(), *canvasHost_, *blockTool_, document_, *ui_->Status_Bar);
    connect(this, &TMainWin::pageShown, tools_, &CanvasTools::refresh);
}

}  // namespace zentil
