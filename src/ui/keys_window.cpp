#include "keys_window.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editor_actions.h"

namespace zentil {
namespace {

// "파일(&F)" and "&File" as a heading: without the mnemonic.
QString plain(QString text) {
    text.remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
    return text.remove(QLatin1Char('&'));
}

QTreeWidgetItem* heading(QTreeWidget* list, const QString& text) {
    auto* item = new QTreeWidgetItem(list, {text});
    item->setFirstColumnSpanned(true);
    QFont bold = list->font();
    bold.setBold(true);
    item->setFont(0, bold);
    return item;
}

}  // namespace

QWidget* makeKeysWindow(const EditorActions& actions, const std::vector<FocusKey>& focusKeys,
                        QWidget* parent) {
    auto* window = new QDialog(parent);
    window->setObjectName(QStringLiteral("Win_Keys"));
    window->setWindowTitle(QCoreApplication::translate("zentil::KeysWindow", "단축키"));
    auto* list = new QTreeWidget(window);
    list->setObjectName(QStringLiteral("Tbl_Keys"));
    list->setHeaderLabels({QCoreApplication::translate("zentil::KeysWindow", "명령"),
                           QCoreApplication::translate("zentil::KeysWindow", "키")});
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    for (MenuId menu : kMenus) {
        QTreeWidgetItem* entries = heading(list, plain(EditorActions::menuTitle(menu)));
        for (const QAction* action : actions.menu(menu))
            if (action) {
                QString keys = keyNames(action->shortcuts());
                // Keys that work only where a page list has the focus say so.
                if (action->shortcutContext() == Qt::WidgetWithChildrenShortcut)
                    keys += QCoreApplication::translate("zentil::KeysWindow", " (목록에서)");
                new QTreeWidgetItem(entries, {plain(action->text()), keys});
            }
    }
    QTreeWidgetItem* focused =
        heading(list, QCoreApplication::translate("zentil::KeysWindow", "포커스가 있는 곳에서"));
    for (const FocusKey& key : focusKeys)
        new QTreeWidgetItem(focused, {QStringLiteral("%1: %2").arg(key.where, key.what),
                                      key.keys.toString(QKeySequence::NativeText)});
    list->expandAll();
    list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(list);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
    layout->addWidget(buttons);
    window->resize(520, 600);
    return window;
}

QTreeWidget* keysList(QWidget& keysWindow) {
    return keysWindow.findChild<QTreeWidget*>(QStringLiteral("Tbl_Keys"));
}

}  // namespace zentil
