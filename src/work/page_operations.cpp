#include "work/page_operations.h"

#include <algorithm>

#include "edit/colour_reduction.h"
#include "edit/recolor.h"
#include "edit/relayout.h"
#include "edit/retile.h"
#include "edit/trim.h"
#include "work/page_edits.h"
#include "work/store_edits.h"

namespace zentil {
namespace {

// Runs `edit` on every page through `make` (editRect, editPixels or
// rebuildPage); the pages that changed are the parts of one step.
template <typename Make>
OperationResult eachPage(Workspace& workspace, const std::vector<Page*>& pages, Make make,
                         const PageEdit& edit) {
    OperationResult result;
    auto group = std::make_unique<CommandGroup>();
    for (Page* page : pages) {
        Outcome outcome;
        std::unique_ptr<Command> part = make(workspace, *page, edit, outcome);
        if (outcome.reportable()) result.problems.push_back(outcome);
        if (!part) continue;
        group->add(std::move(part));
        result.focus = page;
    }
    if (!group->empty()) result.step = std::move(group);
    return result;
}

// The key is no pixel: only the palette and key are kept.
std::unique_ptr<Command> keyEdit(Workspace& workspace, Page& page, const PageEdit& edit,
                                 Outcome& outcome) {
    return editRect(workspace, page, {}, edit, outcome);
}

}  // namespace

std::vector<Page*> pagesAt(Workspace& workspace, ListId list, const std::vector<int>& rows) {
    std::vector<Page*> pages;
    PageStore* store = workspace.store(list);
    if (store == nullptr) return pages;
    for (const int row : rows)
        if (Page* page = store->find(row); page && page->inUse()) pages.push_back(page);
    return pages;
}

OperationResult clearPages(Workspace& workspace, const std::vector<Page*>& pages) {
    return eachPage(workspace, pages, editPixels, [](Page& p) {
        clearPage(p);
        return Outcome::done();
    });
}

OperationResult deletePages(Workspace& workspace, ListId list, const std::vector<Page*>& pages) {
    OperationResult result;
    PageStore* store = workspace.store(list);
    if (store == nullptr) return result;
    int lowest = store->size();
    for (const Page* page : pages)
        if (const int index = store->indexOf(page); index >= 0) lowest = std::min(lowest, index);
    if (lowest == store->size()) return result;  // none of them is in the list
    result.step = removePages(workspace, list, pages);
    if (!store->empty()) result.focus = &store->at(std::min(lowest, store->size() - 1));
    return result;
}

OperationResult deleteAllPages(Workspace& workspace, ListId list) {
    std::vector<Page*> all;
    if (PageStore* store = workspace.store(list))
        for (int i = 0; i < store->size(); ++i)
            all.push_back(&store->at(i));
    return deletePages(workspace, list, all);
}

OperationResult setColourKeys(Workspace& workspace, const std::vector<Page*>& pages,
                              std::uint32_t key) {
    return eachPage(workspace, pages, keyEdit, [key](Page& p) {
        setColorKey(p, key);
        return Outcome::done();
    });
}

OperationResult changeColour(Workspace& workspace, const std::vector<Page*>& pages,
                             const ColourChange& change) {
    return eachPage(workspace, pages, editPixels, [&change](Page& p) {
        return replaceColor(p, change.from, change.to, change.similar);
    });
}

OperationResult retilePages(Workspace& workspace, const std::vector<Page*>& pages,
                            const TileGrid& grid) {
    return eachPage(workspace, pages, rebuildPage, [&grid](Page& p) {
        return retilePage(p, grid.tileWidth, grid.tileHeight, grid.cols, grid.rows, grid.align);
    });
}

OperationResult trimPages(Workspace& workspace, const std::vector<Page*>& pages) {
    return eachPage(workspace, pages, rebuildPage, [](Page& p) { return trimTiles(p, p); });
}

OperationResult remapToSpritePalette(Workspace& workspace, const std::vector<Page*>& pages,
                                     float dither) {
    const Palette palette = workspace.palette;
    return eachPage(workspace, pages, editPixels,
                    [&palette, dither](Page& p) { return remapPage(p, palette, dither); });
}

OperationResult relayoutPage(Workspace& workspace, Page& page, int cols) {
    const PageDefaults defaults = workspace.defaults();
    return eachPage(workspace, {&page}, rebuildPage,
                    [&](Page& p) { return relayoutColumns(p, cols, defaults); });
}

}  // namespace zentil
