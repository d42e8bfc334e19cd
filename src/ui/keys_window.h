// The keys window of the Help menu (F1): every command of the menus with its
// keys, menu by menu, then the keys that work where the focus is, all in the
// editor's language.
#pragma once

#include <vector>

#include "action_host.h"

class QTreeWidget;
class QWidget;

namespace zentil {

class EditorActions;

// A window of its own beside the editor's, which it does not block.
QWidget* makeKeysWindow(const EditorActions& actions, const std::vector<FocusKey>& focusKeys,
                        QWidget* parent);
// The list the window shows (for the tests: "Tbl_Keys").
QTreeWidget* keysList(QWidget& keysWindow);

}  // namespace zentil
