// The main window's menu bar, made from the editor's actions: 파일, 편집,
// 페이지, 보기, 도구, 도움말, each reached with Alt and its letter. It
// takes the top of the window and moves everything else down by its height.
#pragma once

#include <QObject>
#include <QString>
#include <map>

#include "editor_actions.h"

class QMenu;
class QMenuBar;
class QToolButton;
class QWidget;

namespace zentil {

class CanvasTools;

class EditorMenus final : public QObject {
    Q_OBJECT
  public:
    // The menu of `languages` (may be nullptr) goes under 보기 as it is.
    EditorMenus(QWidget& window, EditorActions& actions, QToolButton* languages);

    QMenuBar* bar() const { return bar_; }
    QMenu* menu(MenuId id) const { return menus_.at(id); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget& window_;
    QMenuBar* bar_;
    std::map<MenuId, QMenu*> menus_;
};

// The canvas's tools, as the tool strip lists them, become switches of the
// Tools menu with their keys.
void addToolActions(EditorActions& actions, CanvasTools& tools);

// What the canvas says before any page is open: how to begin.
QString startHint(const EditorActions& actions);

}  // namespace zentil
