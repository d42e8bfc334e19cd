#include "work/list_selection.h"

#include <algorithm>

#include "work/workspace.h"

namespace zentil {
namespace {

void fitTo(EntryMarks& marks, int count) {
    std::erase_if(marks.selected, [count](int row) { return row < 0 || row >= count; });
    if (marks.current >= count) marks.current = count > 0 ? count - 1 : -1;
}

ListId otherList(ListId list) {
    return list == ListId::Sprites ? ListId::Pictures : ListId::Sprites;
}

}  // namespace

ListSelection onlyEntry(ListId list, int row) {
    ListSelection selection;
    selectOnly(selection, list, row);
    return selection;
}

void selectOnly(ListSelection& selection, ListId list, int row) {
    selection.shown = list;
    if (list == ListId::None) return;
    EntryMarks& marks = selection.marks(list);
    marks.selected.clear();
    if (row >= 0) marks = {{row}, row};
}

void addLoadedEntry(ListSelection& selection, ListId list, int row) {
    EntryMarks& marks = selection.marks(list);
    std::erase(marks.selected, marks.current);
    marks.selected.insert(std::upper_bound(marks.selected.begin(), marks.selected.end(), row), row);
    marks.current = row;
}

bool fitSelection(const Workspace& workspace, ListSelection& selection) {
    const ListSelection before = selection;
    fitTo(selection.sprites, workspace.sprites.size());
    fitTo(selection.pictures, workspace.pictures.size());
    return selection != before;
}

void showSelected(Workspace& workspace, ListSelection& selection) {
    fitSelection(workspace, selection);
    ListId list = selection.shown == ListId::Pictures ? ListId::Pictures : ListId::Sprites;
    if (workspace.store(list)->empty()) list = otherList(list);
    if (workspace.store(list)->empty()) {
        selection.shown = ListId::None;
        workspace.clearCurrent();
        return;
    }
    EntryMarks& marks = selection.marks(list);
    if (marks.current < 0) marks.current = 0;
    selection.shown = list;
    workspace.setCurrent(list, &workspace.store(list)->at(marks.current));
}

}  // namespace zentil
