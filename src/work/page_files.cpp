#include "work/page_files.h"

#include "formats/page_formats.h"
#include "system/files.h"
#include "work/page_edits.h"

namespace zentil {
namespace {

// The format the page's file is loaded with, as the load command decides it.
const PageFormat* formatOfFile(const Page& page) {
    std::string name;
    if (!fileNameOf(page.filePath, name)) return nullptr;
    return formatInName(name);
}

}  // namespace

std::vector<Page*> unsavedSprites(Workspace& workspace) {
    std::vector<Page*> pages;
    for (int i = 0; i < workspace.sprites.size(); ++i)
        if (Page& page = workspace.sprites.at(i); page.modified()) pages.push_back(&page);
    return pages;
}

std::string spriteFileOf(const Page& page) {
    const PageFormat* format = formatOfFile(page);
    return format && format->loadsInto == LoadsInto::Sprites ? page.filePath : std::string();
}

bool followsItsFile(const Page& page) {
    const PageFormat* format = formatOfFile(page);
    return format && format->loadsInto == LoadsInto::Pictures;
}

std::unique_ptr<Command> reloadPage(Workspace& workspace, Page& page, Outcome& outcome) {
    const PageFormat* format = formatOfFile(page);
    if (!format) {
        outcome = Outcome::error(texts::kReadFailed);
        return nullptr;
    }
    Page fresh;
    outcome = format->read(page.filePath, fresh, workspace.defaults());
    if (!outcome) return nullptr;
    auto command = rebuildPage(
        workspace, page,
        [&fresh](Page& p) {
            setPageName(fresh, pageName(p));
            fresh.filePath = p.filePath;
            p = std::move(fresh);
            return Outcome::done();
        },
        outcome);
    if (command) workspace.markSaved(page);
    return command;
}

}  // namespace zentil
