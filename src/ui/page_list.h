// A page list: multi-select, with the current entry kept apart from the
// selection. Any mouse press (after the list has moved its current entry)
// and any key that moves the current entry report `activated`.
#pragma once

#include <QListWidget>

namespace zentil {

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
    void setListColor(const QColor& color);

  signals:
    void activated();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace zentil
