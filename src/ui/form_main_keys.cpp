// The main window's keys: each runs what a button does, and the button's
// tooltip names its key.
#include <QKeySequence>
#include <QShortcut>

#include "block_tool.h"
#include "canvas_tools.h"
#include "editor_status.h"
#include "file_commands.h"
#include "form_main.h"
#include "page_commands.h"
#include "ui_form_main.h"
#include "work_session.h"

namespace zentil {

namespace {

// Adds "(key)" to a button's tooltip, once.
void nameKey(QAbstractButton* button, const QKeySequence& keys) {
    const QString named = QStringLiteral(" (%1)").arg(keys.toString(QKeySequence::NativeText));
    if (!button->toolTip().endsWith(named)) button->setToolTip(button->toolTip() + named);
}

}  // namespace

std::vector<TMainWin::KeyBinding> TMainWin::keyBindings() {
    QWidget* canvas = ui_->Sb_Page;
    const auto zoomIn = [s = status_] { s->zoomInOnce(); };
    const auto run = [this](void (TMainWin::*slot)()) { return [this, slot] { (this->*slot)(); }; };
    const auto page = [p = pageCommands_](void (PageCommands::*slot)()) {
        return [p, slot] { (p->*slot)(); };
    };
    const auto file = [f = files_.get()](void (FileCommands::*slot)()) {
        return [f, slot] { (f->*slot)(); };
    };
    BlockTool* block = blockTool_.get();
    return {
        {QKeySequence(Qt::CTRL | Qt::Key_N), ui_->Btn_New, this, run(&TMainWin::Btn_NewClick)},
        {QKeySequence(Qt::CTRL | Qt::Key_O), ui_->Btn_LoadSpr, this,
         file(&FileCommands::Btn_LoadSprClick)},
        {QKeySequence(Qt::CTRL | Qt::Key_S), ui_->Btn_SaveSpr, this,
         file(&FileCommands::Btn_SaveSprClick)},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), nullptr, this,
         [s = session_] { s->saveAllSprites(); }},
        {QKeySequence(Qt::Key_Delete), ui_->Btn_DeletePage, ui_->Lb_Spr,
         page(&PageCommands::Btn_DeletePageClick)},
        {QKeySequence(Qt::Key_Delete), nullptr, ui_->Lb_Tga,
         page(&PageCommands::Btn_DeletePageClick)},
        {QKeySequence(Qt::Key_Escape), nullptr, this, [t = tools_] { t->escape(); }},
        {QKeySequence(Qt::Key_Left), ui_->Btn_MoveLeft, canvas,
         page(&PageCommands::Btn_MoveLeftClick)},
        {QKeySequence(Qt::Key_Right), ui_->Btn_MoveRight, canvas,
         page(&PageCommands::Btn_MoveRightClick)},
        {QKeySequence(Qt::Key_Up), ui_->Btn_MoveUp, canvas, page(&PageCommands::Btn_MoveUpClick)},
        {QKeySequence(Qt::Key_Down), ui_->Btn_MoveDown, canvas,
         page(&PageCommands::Btn_MoveDownClick)},
        {QKeySequence(Qt::Key_Return), ui_->Btn_MoveOk, canvas,
         [block] { block->Btn_MoveOkClick(); }},
        {QKeySequence(Qt::Key_Enter), nullptr, canvas, [block] { block->Btn_MoveOkClick(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_Equal), status_->zoomIn, this, zoomIn},
        {QKeySequence(Qt::CTRL | Qt::Key_Plus), nullptr, this, zoomIn},
        {QKeySequence(Qt::CTRL | Qt::Key_Minus), status_->zoomOut, this,
         [s = status_] { s->zoomOutOnce(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_0), nullptr, this,
         [s = status_] { s->zoomToActualSize(); }},
        {QKeySequence(Qt::CTRL | Qt::Key_G), status_->pixelGrid, this,
         [s = status_] { s->togglePixelGrid(); }},
    };
}

void TMainWin::connectKeys() {
    // The canvas takes the focus when clicked, so that the arrows nudge.
    ui_->Sb_Page->setFocusPolicy(Qt::StrongFocus);
    for (const KeyBinding& binding : keyBindings()) {
        auto* shortcut = new QShortcut(binding.keys, binding.scope);
        // Keys of a list or of the canvas work while it has the focus; the
        // others anywhere in the window.
        shortcut->setContext(binding.scope == this ? Qt::WindowShortcut
                                                   : Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, binding.run);
        if (binding.button) nameKey(binding.button, binding.keys);
    }
    // Saving every changed sprite page has no button of its own; the save
    // button's tooltip names its key.
    const QString saveAll =
        tr("\n변경된 스프라이트 페이지 모두 저장 (%1)")
            .arg(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S).toString(QKeySequence::NativeText));
    if (!ui_->Btn_SaveSpr->toolTip().endsWith(saveAll))
        ui_->Btn_SaveSpr->setToolTip(ui_->Btn_SaveSpr->toolTip() + saveAll);
}

}  // namespace zentil
