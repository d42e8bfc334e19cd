#include "editor_actions.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QToolButton>
#include <QWidget>

#include "about_box.h"
#include "keys_window.h"
#include "window_key_claim.h"

namespace zentil {
namespace {

QString translated(const char* text, const char* comment = nullptr) {
    return QCoreApplication::translate("zentil::EditorActions", text, comment);
}

// "파일(&F)" and "&File" as a heading: without the mnemonic.
QString plain(QString text) {
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    return text.remove(QLatin1Char('&'));
}

// The platform's keys may repeat one given beside them.
QList<QKeySequence> uniqueKeys(const QList<QKeySequence>& keys) {
    QList<QKeySequence> unique;
    for (const QKeySequence& k : keys)
        if (!unique.contains(k)) unique.append(k);
    return unique;
}

}  // namespace

QString withKeys(const QString& text, const QList<QKeySequence>& keys) {
    if (keys.isEmpty()) return text;
    return QStringLiteral("%1 (%2)").arg(text, keyNames(keys));
}

EditorActions::EditorActions(ActionHost& host) : QObject(&host.window()), host_(host) {
    QList<QKeySequence> historyKeys;
    for (const EditorCommand& command : commands()) {
        QAction* action = addCommand(command);
        if (command.id == QLatin1String("edit.undo") || command.id == QLatin1String("edit.redo"))
            historyKeys += action->shortcuts();
    }
    // The column field would take them for its own text; in this window
    // they always step through the history.
    new WindowKeyClaim(&host.window(), historyKeys);
    refresh();
}

QAction* EditorActions::addCommand(const EditorCommand& command) {
    QAction* action = make(QString::fromLatin1(command.id), translated(command.text),
                           translated(command.tip.source, command.tip.comment),
                           uniqueKeys(command.keys), runOf(command));
    Entry entry{action, command.menu, command.startsGroup, {}, {}};
    if (command.enabled) entry.enabled = [this, e = command.enabled] { return e(host_); };
    if (command.checked) {
        action->setCheckable(true);
        entry.checked = [this, c = command.checked] { return c(host_); };
    }
    if (command.scope == KeyScope::Lists) {
        // Only while a list has the focus: elsewhere the key is the
        // canvas's or a field's.
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        for (QWidget* list : host_.lists())
            list->addAction(action);
    } else {
        host_.window().addAction(action);
    }
    if (command.button) showOnButton(command.button, action);
    entries_.push_back(std::move(entry));
    return action;
}

// The Help menu's keys window and About box are this part's own.
std::function<void()> EditorActions::runOf(const EditorCommand& command) {
    if (command.run) return [this, r = command.run] { r(host_); };
    if (command.id == QLatin1String("help.keys")) return [this] { showKeys(); };
    return [this] { showAbout(); };
}

QAction* EditorActions::make(const QString& id, const QString& text, const QString& tip,
                             const QList<QKeySequence>& keys, std::function<void()> run) {
    auto* action = new QAction(text, this);
    action->setObjectName(id);
    action->setShortcuts(keys);
    action->setToolTip(withKeys(tip, keys));
    action->setStatusTip(tip);
    // A command run from a menu or a key shows its outcome at once.
    connect(action, &QAction::triggered, this, [this, run = std::move(run)] {
        run();
        refresh();
    });
    return action;
}

// The button keeps its place and look in the grid; its text, tooltip and
// enabled state are the action's, and a click triggers it.
void EditorActions::showOnButton(const char* name, QAction* action) {
    if (auto* button = host_.window().findChild<QToolButton*>(QLatin1String(name)))
        button->setDefaultAction(action);
}

QAction* EditorActions::addTool(const QString& id, const QString& name, const QKeySequence& key,
                                const QIcon& icon, std::function<void()> choose,
                                std::function<bool()> chosen) {
    QAction* action = make(id, name, name, {key}, std::move(choose));
    action->setIcon(icon);
    action->setCheckable(true);
    host_.window().addAction(action);
    tools_.push_back({action, MenuId::Tools, false, {}, std::move(chosen)});
    refresh();
    return action;
}

QAction* EditorActions::action(const QString& id) const {
    for (QAction* a : all())
        if (a->objectName() == id) return a;
    return nullptr;
}

std::vector<QAction*> EditorActions::all() const {
    std::vector<QAction*> actions;
    for (const auto* list : {&entries_, &tools_})
        for (const Entry& e : *list)
            actions.push_back(e.action);
    return actions;
}

std::vector<QAction*> EditorActions::menu(MenuId menu) const {
    std::vector<QAction*> shown;
    const auto add = [&](const Entry& e) {
        if (e.menu != menu) return;
        if (e.startsGroup && !shown.empty()) shown.push_back(nullptr);
        shown.push_back(e.action);
    };
    for (const Entry& e : tools_)
        add(e);
    for (const Entry& e : entries_)
        add(e);
    return shown;
}

void EditorActions::refresh() {
    for (const auto* list : {&entries_, &tools_})
        for (const Entry& e : *list) {
            if (e.enabled) e.action->setEnabled(e.enabled());
            if (e.checked) e.action->setChecked(e.checked());
        }
}

QString EditorActions::menuTitle(MenuId menu) {
    switch (menu) {
        case MenuId::File:
            return tr("파일(&F)");
        case MenuId::Edit:
            return tr("편집(&E)");
        case MenuId::Page:
            return tr("페이지(&P)");
        case MenuId::View:
            return tr("보기(&V)");
        case MenuId::Tools:
            return tr("도구(&T)");
        case MenuId::Help:
            break;
    }
    return tr("도움말(&H)");
}

void EditorActions::showKeys() {
    if (!keysWindow_) keysWindow_ = makeKeysWindow(keyGroups(), &host_.window());
    keysWindow_->show();
    keysWindow_->raise();
    keysWindow_->activateWindow();
}

// Every menu's commands with their keys, then the keys that are no command.
std::vector<KeyGroup> EditorActions::keyGroups() const {
    std::vector<KeyGroup> groups;
    for (MenuId id : kMenus) {
        KeyGroup group{plain(menuTitle(id)), {}};
        for (const QAction* action : menu(id)) {
            if (!action) continue;
            QString keys = keyNames(action->shortcuts());
            // Keys that work only where a page list has the focus say so.
            if (action->shortcutContext() == Qt::WidgetWithChildrenShortcut)
                keys += QCoreApplication::translate("zentil::KeysWindow", " (목록에서)");
            group.rows.push_back({plain(action->text()), keys});
        }
        groups.push_back(std::move(group));
    }
    KeyGroup focused{QCoreApplication::translate("zentil::KeysWindow", "포커스가 있는 곳에서"), {}};
    for (const FocusKey& key : host_.focusKeys())
        focused.rows.push_back({QStringLiteral("%1: %2").arg(key.where, key.what),
                                key.keys.toString(QKeySequence::NativeText)});
    groups.push_back(std::move(focused));
    return groups;
}

void EditorActions::showAbout() {
    showAboutBox(&host_.window());
}

}  // namespace zentil
