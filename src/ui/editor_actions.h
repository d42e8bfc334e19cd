// The editor's commands as actions, made from one table (editor_commands.cpp):
// each with its id, text, keys, tooltip, when it can run and what it runs.
// The toolbar's buttons show their actions, the menus hold them, and the
// keys window lists them, so the three never disagree.
#pragma once

#include <QAction>
#include <QIcon>
#include <QObject>
#include <functional>
#include <vector>

#include "action_host.h"
#include "keys_window.h"

namespace zentil {

enum class MenuId { File, Edit, Page, View, Tools, Help };
inline constexpr MenuId kMenus[] = {MenuId::File, MenuId::Edit,  MenuId::Page,
                                    MenuId::View, MenuId::Tools, MenuId::Help};

// Where a command's keys work: anywhere in the window, or while a page list
// has the focus.
enum class KeyScope { Window, Lists };

// One row of the table. The texts are Korean, translated in the context
// "zentil::EditorActions".
struct EditorCommand {
    // A tooltip, with what tells it apart from another written alike.
    struct Tip {
        Tip(const char* text, const char* disambiguation = nullptr)
            : source(text), comment(disambiguation) {}
        const char* source;
        const char* comment;
    };
    const char* id;
    MenuId menu;
    bool startsGroup;  // a separator comes before it in its menu
    const char* text;
    Tip tip;
    QList<QKeySequence> keys;
    const char* button;  // the toolbar button showing it (object name), or nullptr
    void (*run)(ActionHost&);
    bool (*enabled)(ActionHost&) = nullptr;  // nullptr: always
    bool (*checked)(ActionHost&) = nullptr;  // set: a switch
    KeyScope scope = KeyScope::Window;
};

// "text (Ctrl+N, Ctrl+M)": a tooltip that names the keys.
QString withKeys(const QString& text, const QList<QKeySequence>& keys);

class EditorActions final : public QObject {
    Q_OBJECT
  public:
    explicit EditorActions(ActionHost& host);
    // The table, in the menus' order (its texts are this class's).
    static const std::vector<EditorCommand>& commands();

    ActionHost& host() { return host_; }
    QAction* action(const QString& id) const;
    // Every action: the table's, then the tools'.
    std::vector<QAction*> all() const;
    // A menu's entries in order; nullptr stands for a separator.
    std::vector<QAction*> menu(MenuId menu) const;
    // A tool of the canvas as a switch of the Tools menu with its key.
    QAction* addTool(const QString& id, const QString& name, const QKeySequence& key,
                     const QIcon& icon, std::function<void()> choose, std::function<bool()> chosen);
    // Enabled and checked as the editor now stands.
    void refresh();

    static QString menuTitle(MenuId menu);
    // The keys window (F1) and the About box of the Help menu.
    void showKeys();
    void showAbout();
    // What the keys window lists, in the editor's language.
    std::vector<KeyGroup> keyGroups() const;

  private:
    struct Entry {
        QAction* action;
        MenuId menu;
        bool startsGroup;
        std::function<bool()> enabled, checked;
    };
    QAction* addCommand(const EditorCommand& command);
    std::function<void()> runOf(const EditorCommand& command);
    QAction* make(const QString& id, const QString& text, const QString& tip,
                  const QList<QKeySequence>& keys, std::function<void()> run);
    void showOnButton(const char* name, QAction* action);

    ActionHost& host_;
    std::vector<Entry> entries_;
    std::vector<Entry> tools_;
    QWidget* keysWindow_ = nullptr;
};

}  // namespace zentil
