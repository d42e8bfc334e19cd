// A page list: multi-select, with the current entry kept apart from the
// selection. Any mouse press (after the list has moved its current entry)
// and any key that moves the current entry report `activated`.
#pragma once

#include <QListWidget>

#include "work/list_selection.h"

namespace zentil {

struct Page;
class PageStore;

class PageList : public QListWidget {
    Q_OBJECT
  public:
    explicit PageList(QWidget* parent = nullptr);

    // Moves the current entry without touching the selection.
    void setCurrentEntry(int row);
    // Marks `row` selected, keeping the others as they are.
    void selectEntry(int row);
    void deselectAll();
    // Rows of the selected entries, ascending.
    QList<int> selectedRows() const;
    // The selected entries and the current entry; set again, they replace
    // the marks the entries have (rows past the end are left out).
    EntryMarks marks() const;
    void setMarks(const EntryMarks& marks);
    void setListColor(const QColor& color);
    // Makes the entries those of `store`, in its order, named after its
    // pages. Entries of pages still there keep their marks; entries of pages
    // gone are removed and new pages get new, unmarked entries.
    void showPages(const PageStore& store);
    // An entry for `page` at the end (a page just appended to the store).
    void appendPage(const Page& page);

  signals:
    void activated();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace zentil
