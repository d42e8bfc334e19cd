#include "work/page_files.h"

#include <set>

#include "formats/page_formats.h"
#include "system/files.h"
#include "work/page_edits.h"

namespace zentil {
namespace {

// The format a file is loaded with, as the load command decides it.
const PageFormat* formatOfFile(const std::string& path) {
    std::string name;
    if (!fileNameOf(path, name)) return nullptr;
    return formatInName(name);
}

}  // namespace

std::vector<SpriteSave> spriteSaves(Workspace& workspace) {
    std::vector<SpriteSave> saves;
    for (int i = 0; i < workspace.sprites.size(); ++i)
        if (Page& page = workspace.sprites.at(i); workspace.modified(page))
            saves.push_back({&page, spriteFileOf(workspace, page)});
    return saves;
}

std::vector<std::string> unfamiliarFiles(const Workspace& workspace,
                                         const std::vector<SpriteSave>& saves) {
    std::vector<std::string> files;
    std::set<std::string> listed;
    for (const SpriteSave& save : saves)
        if (!save.path.empty() && !workspace.handledFile(save.path) &&
            listed.insert(save.path).second)
            files.push_back(save.path);
    return files;
}

std::string spriteFileOf(const Workspace& workspace, const Page& page) {
    const std::string path = workspace.filePath(page);
    const PageFormat* format = formatOfFile(path);
    return format && format->loadsInto == LoadsInto::Sprites ? path : std::string();
}

bool followsItsFile(const Workspace& workspace, const Page& page) {
    const PageFormat* format = formatOfFile(workspace.filePath(page));
    return format && format->loadsInto == LoadsInto::Pictures;
}

std::unique_ptr<Command> reloadPage(Workspace& workspace, Page& page, Outcome& outcome) {
    const std::string path = workspace.filePath(page);
    const PageFormat* format = formatOfFile(path);
    if (!format) {
        outcome = Outcome::error(texts::kReadFailed);
        return nullptr;
    }
    Page fresh;
    outcome = format->read(path, fresh, workspace.defaults());
    if (!outcome) return nullptr;
    auto command = rebuildPage(
        workspace, page,
        [&fresh](Page& p) {
            setPageName(fresh, pageName(p));
            p = std::move(fresh);
            return Outcome::done();
        },
        outcome);
    if (command) workspace.markSaved(page);
    return command;
}

}  // namespace zentil
