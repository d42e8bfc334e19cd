#include "editor_menus.h"

#include <QAbstractButton>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QWidget>

#include "canvas_tools.h"

namespace zentil {

EditorMenus::EditorMenus(QWidget& window, EditorActions& actions, QToolButton* languages)
    : QObject(&window), window_(window), bar_(new QMenuBar(&window)) {
    bar_->setObjectName(QStringLiteral("Menu_Bar"));
    for (MenuId id : kMenus) {
        QMenu* menu = bar_->addMenu(EditorActions::menuTitle(id));
        for (QAction* action : actions.menu(id))
            if (action)
                menu->addAction(action);
            else
                menu->addSeparator();
        // What a menu shows is as the editor stands when it opens.
        connect(menu, &QMenu::aboutToShow, &actions, &EditorActions::refresh);
        menus_[id] = menu;
    }
    if (languages && languages->menu()) {
        // The status bar's menu itself, under its own caption.
        languages->menu()->setTitle(languages->text());
        menus_[MenuId::View]->addSeparator();
        menus_[MenuId::View]->addMenu(languages->menu());
    }
    // The window's parts keep their places below the bar.
    const int height = bar_->sizeHint().height();
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != bar_ && !child->isWindow()) child->move(child->x(), child->y() + height);
    bar_->setGeometry(0, 0, window.width(), height);
    window.installEventFilter(this);
}

bool EditorMenus::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Resize)
        bar_->resize(window_.width(), bar_->height());
    return QObject::eventFilter(watched, event);
}

void addToolActions(EditorActions& actions, CanvasTools& tools) {
    for (const CanvasTools::Entry& tool : tools.entries()) {
        const ToolId id = tool.id;
        actions.addTool(
            QStringLiteral("tools.") +
                QString::fromLatin1(id.data(), static_cast<qsizetype>(id.size())),
            tool.name, tool.key, tool.icon, [&tools, id] { tools.choose(id); },
            [&tools, id] { return tools.current() == id; });
    }
}

QString startHint(const EditorActions& actions) {
    const auto named = [&](const char* id) {
        const QAction* action = actions.action(QString::fromLatin1(id));
        // A command named in a sentence, without the dots of a menu entry
        // that asks more.
        QString text = action->text().remove(QLatin1Char('&'));
        if (text.endsWith(QStringLiteral("..."))) text.chop(3);
        return withKeys(text, action->shortcuts());
    };
    return EditorMenus::tr(
               "%1 명령으로 그림을 열거나,\n그림 파일을 이 창에 끌어다 놓으세요.\n\n"
               "%2 명령은 시트를 타일로 잘라 스프라이트 페이지로 만들고,\n"
               "%3 명령은 빈 이미지를 만듭니다.")
        .arg(named("file.open"), named("file.importSheet"), named("file.new"));
}

}  // namespace zentil
