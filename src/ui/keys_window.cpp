#include "keys_window.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zentil {

QString keyNames(const QList<QKeySequence>& keys) {
    QStringList names;
    for (const QKeySequence& k : keys) {
        // The platform also binds keys that few keyboards have (the Undo
        // key is F14); they are not worth a name.
        const Qt::Key key = k.isEmpty() ? Qt::Key_unknown : k[0].key();
        if (key >= Qt::Key_F13 && key <= Qt::Key_F35) continue;
        const QString name = k.toString(QKeySequence::NativeText);
        if (!names.contains(name)) names.append(name);
    }
    return names.join(QStringLiteral(", "));
}

QWidget* makeKeysWindow(const std::vector<KeyGroup>& groups, QWidget* parent) {
    auto* window = new QDialog(parent);
    window->setObjectName(QStringLiteral("Win_Keys"));
    window->setWindowTitle(QCoreApplication::translate("zentil::KeysWindow", "단축키"));
    auto* list = new QTreeWidget(window);
    list->setObjectName(QStringLiteral("Tbl_Keys"));
    list->setHeaderLabels({QCoreApplication::translate("zentil::KeysWindow", "명령"),
                           QCoreApplication::translate("zentil::KeysWindow", "키")});
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    QFont bold = list->font();
    bold.setBold(true);
    for (const KeyGroup& group : groups) {
        auto* heading = new QTreeWidgetItem(list, {group.title});
        heading->setFirstColumnSpanned(true);
        heading->setFont(0, bold);
        for (const KeyRow& row : group.rows)
            new QTreeWidgetItem(heading, {row.what, row.keys});
    }
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
