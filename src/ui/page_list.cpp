#include "page_list.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

namespace zentil {

PageList::PageList(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setUniformItemSizes(true);
}

void PageList::setCurrentEntry(int row) {
    if (row < 0 || row >= count()) return;
    selectionModel()->setCurrentIndex(model()->index(row, 0), QItemSelectionModel::NoUpdate);
}

void PageList::selectEntry(int row) {
    if (QListWidgetItem* it = item(row)) it->setSelected(true);
}

void PageList::deselectAll() {
    clearSelection();
}

QList<int> PageList::selectedRows() const {
    QList<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedIndexes())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void PageList::setListColor(const QColor& color) {
    QPalette p = palette();
    p.setColor(QPalette::Base, color);
    setPalette(p);
}

void PageList::mousePressEvent(QMouseEvent* event) {
    QListWidget::mousePressEvent(event);
    emit activated();
}

void PageList::keyPressEvent(QKeyEvent* event) {
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before) emit activated();
}

}  // namespace zentil
