// The keys window of the Help menu (F1): groups of rows, each a command and
// its keys, shown in a window of its own beside the editor's, which it does
// not block.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <vector>

class QTreeWidget;
class QWidget;

namespace zentil {

struct KeyRow {
    QString what;
    QString keys;
};
struct KeyGroup {
    QString title;
    std::vector<KeyRow> rows;
};

QWidget* makeKeysWindow(const std::vector<KeyGroup>& groups, QWidget* parent);
// The list the window shows (for the tests: "Tbl_Keys").
QTreeWidget* keysList(QWidget& keysWindow);

// "Ctrl+N, Ctrl+M": keys as the platform names them, each once, without the
// keys of rare keyboards (F13 and up).
QString keyNames(const QList<QKeySequence>& keys);

}  // namespace zentil
