// Commands that change what the stores hold: pages added at the end of a
// list (copies, new pages) and pages removed from it (delete, delete all).
#pragma once

#include <memory>
#include <vector>

#include "work/command.h"

namespace zentil {

// Appends the pages to the list, each as a new, unsaved page with no file. The caller
// makes sure they fit (the store shows its limit as a message).
std::unique_ptr<Command> addPages(Workspace& workspace, ListId list,
                                  std::vector<std::unique_ptr<Page>> pages);

// Removes the pages from the list; undo puts each back at its place.
std::unique_ptr<Command> removePages(Workspace& workspace, ListId list,
                                     const std::vector<Page*>& pages);

}  // namespace zentil
