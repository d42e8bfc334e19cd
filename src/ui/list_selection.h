// The selection of the two page lists as a value: which entries of each are
// selected, which is each list's current entry, and which list is shown.
// The document keeps it with every step, so that undo and redo bring back
// the selection the step started from and the one it ended with.
#pragma once

#include <vector>

#include "work/list_id.h"

namespace zentil {

struct EntryMarks {
    std::vector<int> selected;  // rows, ascending
    int current = -1;
    bool operator==(const EntryMarks&) const = default;
};

struct ListSelection {
    ListId shown = ListId::None;
    EntryMarks sprites, pictures;
    bool operator==(const ListSelection&) const = default;
};

}  // namespace zentil
