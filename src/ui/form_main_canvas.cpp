// The main window's canvas wiring: the block tool and what it asks of the
// window, and the commands on pages.
#include "block_tool.h"
#include "canvas_tools.h"
#include "form_main.h"
#include "main_hosts.h"
#include "page_canvas.h"
#include "page_commands.h"
#include "ui_form_main.h"

namespace zentil {

void TMainWin::connectCanvas() {
    canvasHost_ = std::make_unique<MainCanvasHost>(*this);
    blockTool_ = std::make_unique<BlockTool>(canvas(), *canvasHost_);
    canvas().setTool(blockTool_.get());

    connect(ui_->Btn_MoveOk, &QToolButton::clicked, this,
            [this] { tools_->key(CanvasKey::confirm()); });
    pageCommands_ = new PageCommands(*this, *ui_);
    tools_ = new CanvasTools(canvas(), *canvasHost_, *blockTool_, document_, *ui_->Status_Bar);
    connect(this, &TMainWin::pageShown, tools_, &CanvasTools::refresh);
}

}  // namespace zentil
