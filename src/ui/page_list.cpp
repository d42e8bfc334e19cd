#include "page_list.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <algorithm>

#include "image/page_store.h"

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

EntryMarks PageList::marks() const {
    const QList<int> rows = selectedRows();
    return {{rows.begin(), rows.end()}, currentRow()};
}

void PageList::setMarks(const EntryMarks& marks) {
    deselectAll();
    for (const int row : marks.selected)
        selectEntry(row);
    setCurrentEntry(marks.current);
}

namespace {

const Page* pageOf(const QListWidgetItem* item) {
    return reinterpret_cast<const Page*>(item->data(Qt::UserRole).value<quintptr>());
}

QListWidgetItem* entryFor(const Page& page) {
    auto* entry = new QListWidgetItem(QString::fromStdString(std::string(pageName(page))));
    entry->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(&page)));
    return entry;
}

}  // namespace

void PageList::showPages(const PageStore& store) {
    for (int row = 0; row < store.size(); ++row) {
        const Page& page = store.at(row);
        // Entries of pages taken out of the store go; a page not listed yet
        // gets its entry here.
        int match = row;
        while (match < count() && pageOf(item(match)) != &page)
            ++match;
        if (match < count()) {
            for (int gone = match - 1; gone >= row; --gone)
                delete takeItem(gone);
        } else {
            insertItem(row, entryFor(page));
        }
        const QString name = QString::fromStdString(std::string(pageName(page)));
        if (item(row)->text() != name) item(row)->setText(name);
    }
    while (count() > store.size())
        delete takeItem(count() - 1);
}

void PageList::appendPage(const Page& page) {
    addItem(entryFor(page));
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
