// The selection of the two page lists as a value: which entries of each are
// selected, which is each list's current entry, and which list is shown.
// The document holds it, the lists show it, and every step of the history
// keeps it, so that undo and redo bring back the selection the step started
// from and the one it ended with.
#pragma once

#include <vector>

#include "work/list_id.h"

namespace zentil {

class Workspace;

struct EntryMarks {
    std::vector<int> selected;  // rows, ascending
    int current = -1;
    bool operator==(const EntryMarks&) const = default;
};

struct ListSelection {
    ListId shown = ListId::None;
    EntryMarks sprites, pictures;
    bool operator==(const ListSelection&) const = default;

    EntryMarks& marks(ListId list) { return list == ListId::Pictures ? pictures : sprites; }
    const EntryMarks& marks(ListId list) const {
        return list == ListId::Pictures ? pictures : sprites;
    }
};

// `row` the only selected entry of `list` and its current entry, the list
// shown (a row past the end leaves the list without marks).
ListSelection onlyEntry(ListId list, int row);
// The same in place: the other list keeps its marks.
void selectOnly(ListSelection& selection, ListId list, int row);
// A page read from a file joined `list` at `row`: it becomes the current
// entry and is marked, the previous current entry unmarked.
void addLoadedEntry(ListSelection& selection, ListId list, int row);

// Drops the rows past the lists' ends; false when there were none.
bool fitSelection(const Workspace& workspace, ListSelection& selection);
// Brings the selection in line with the workspace and shows the page it
// points to: rows past a list's end go; the page shown is the current entry
// of the shown list (its first entry when it has none), or the other list's
// when the shown list is empty, or none when both are.
void showSelected(Workspace& workspace, ListSelection& selection);

}  // namespace zentil
