// Pages and the files they belong to: which sprite pages a save of all
// writes, and where; and a picture read again when its file changed on disk.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "work/command.h"

namespace zentil {

// The sprite pages with unsaved changes, in list order.
std::vector<Page*> unsavedSprites(Workspace& workspace);

// The sprite file a save of all writes the page to without asking: the file
// it came from or was last saved to, when that is a sprite file. Empty when
// the page has none (its save asks for a name): a sprite page last saved as
// a picture is never overwritten with sprite data.
std::string spriteFileOf(const Workspace& workspace, const Page& page);

// Whether the page is a picture read from a file of a picture format, which
// is watched and read again when the file changes.
bool followsItsFile(const Workspace& workspace, const Page& page);

// Reads the page's file again into the page, keeping its name, its file and
// its place; the old page is kept by the command, so undo brings it back.
// A read that fails leaves the page as it was and gives nullptr with the
// reason in `outcome`. The page counts as saved afterwards.
std::unique_ptr<Command> reloadPage(Workspace& workspace, Page& page, Outcome& outcome);

}  // namespace zentil
