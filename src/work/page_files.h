// Pages and the files they belong to: which sprite pages a save of all
// writes, and where; and a picture read again when its file changed on disk.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "work/command.h"

namespace zentil {

// A sprite page a save of all writes, and the file it goes to (spriteFileOf;
// empty when the save asks for a name).
struct SpriteSave {
    Page* page = nullptr;
    std::string path;
};
// The sprite pages with unsaved changes, in list order, and their files.
std::vector<SpriteSave> spriteSaves(Workspace& workspace);
// The files of `saves` that the editor has neither read nor written since it
// started (Workspace::handledFile), each once, in order: they were named by
// a work file, someone else's document, so a save shows them and asks first.
std::vector<std::string> unfamiliarFiles(const Workspace& workspace,
                                         const std::vector<SpriteSave>& saves);

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
