// The main window's commands and keys: the actions of the menus, toolbar and
// window-wide keys (editor_actions.h), and the few keys that are no action
// and work where the focus is, each running what a button does.
#include <QKeySequence>
#include <QShortcut>

#include "action_host.h"
#include "canvas_tools.h"
#include "editor_actions.h"
#include "editor_menus.h"
#include "editor_status.h"
#include "form_main.h"
#include "language_menu.h"
#include "page_canvas.h"
#include "page_commands.h"
#include "ui_form_main.h"

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
    const auto page = [p = pageCommands_](void (PageCommands::*slot)()) {
        return [p, slot] { (p->*slot)(); };
    };
    const auto offer = [t = tools_](CanvasKey key) { return [t, key] { t->key(key); }; };
    const QString nudge = tr("페이지나 들어 올린 블럭을 1픽셀 이동");
    const QString writeBack = tr("이동시킨 블럭을 페이지에 적용");
    return {
        {QKeySequence(Qt::Key_Escape), nullptr, this, offer(CanvasKey::escape()),
         tr("끌기를 취소하거나 들어 올린 블럭을 내려놓기")},
        {QKeySequence(Qt::Key_Left), ui_->Btn_MoveLeft, canvas,
         page(&PageCommands::Btn_MoveLeftClick), nudge},
        {QKeySequence(Qt::Key_Right), ui_->Btn_MoveRight, canvas,
         page(&PageCommands::Btn_MoveRightClick), nudge},
        {QKeySequence(Qt::Key_Up), ui_->Btn_MoveUp, canvas, page(&PageCommands::Btn_MoveUpClick),
         nudge},
        {QKeySequence(Qt::Key_Down), ui_->Btn_MoveDown, canvas,
         page(&PageCommands::Btn_MoveDownClick), nudge},
        {QKeySequence(Qt::Key_Return), ui_->Btn_MoveOk, canvas, offer(CanvasKey::confirm()),
         writeBack},
        {QKeySequence(Qt::Key_Enter), nullptr, canvas, offer(CanvasKey::confirm()), writeBack},
    };
}

void TMainWin::connectKeys() {
    // The canvas takes the focus when clicked, so that the arrows nudge.
    ui_->Sb_Page->setFocusPolicy(Qt::StrongFocus);
    for (const KeyBinding& binding : keyBindings()) {
        auto* shortcut = new QShortcut(binding.keys, binding.scope);
        // Keys of the canvas work while it has the focus; the others
        // anywhere in the window.
        shortcut->setContext(binding.scope == this ? Qt::WindowShortcut
                                                   : Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, binding.run);
        if (binding.button) nameKey(binding.button, binding.keys);
    }
    actionHost_ = makeActionHost(*this);
    actions_ = new EditorActions(*actionHost_);
    addToolActions(*actions_, *tools_);
    menus_ = new EditorMenus(*this, *actions_, status_->language);
    canvas().setStartHint(startHint(*actions_));
    // Whatever changes the window's state updates the status bar.
    connect(status_, &EditorStatus::updated, actions_, &EditorActions::refresh);
    connect(&canvas(), &PageCanvas::zoomChanged, actions_, &EditorActions::refresh);
}

}  // namespace zentil
