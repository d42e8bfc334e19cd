// The edits of chosen pages as the page commands and dialogs make them: each
// takes the workspace, the pages in list order and its parameters, does the
// edit on all of them and gives it as one step of the history. The window
// only picks the pages, records the step, shows the problems and shows the
// pages again; none of these loops over a selection itself.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "work/command.h"
#include "work/page_parameters.h"

namespace zentil {

// What a page operation did.
struct OperationResult {
    // The whole edit as one step, or nullptr when nothing changed.
    std::unique_ptr<Command> step;
    // The failures to show, in the order they happened (silent ones left out).
    std::vector<Outcome> problems;
    // The page the window may mark afterwards: the last page changed or
    // made, or after a delete the page that took the lowest place removed
    // (nullptr when there is none).
    Page* focus = nullptr;
};

// The pages at `rows` of a list (ascending rows give list order); rows
// without a page are passed over.
std::vector<Page*> pagesAt(Workspace& workspace, ListId list, const std::vector<int>& rows);

// Every pixel of each page, padding included, set to the page's own key.
OperationResult clearPages(Workspace& workspace, const std::vector<Page*>& pages);

// Removes the pages from the list; the rest close up. `focus` is the page
// that now stands at the lowest place removed, or the new last one when that
// place is gone (nullptr for an empty list).
OperationResult deletePages(Workspace& workspace, ListId list, const std::vector<Page*>& pages);
// Removes every page of the list.
OperationResult deleteAllPages(Workspace& workspace, ListId list);

// Gives each page `key` as the key of its own mode; the pixels stay.
OperationResult setColourKeys(Workspace& workspace, const std::vector<Page*>& pages,
                              std::uint32_t key);

// Replaces one colour by another in each page, in its own mode.
OperationResult changeColour(Workspace& workspace, const std::vector<Page*>& pages,
                             const ColourChange& change);

// Gives each page the new tile grid (their area layers are emptied).
OperationResult retilePages(Workspace& workspace, const std::vector<Page*>& pages,
                            const TileGrid& grid);

// Trims the transparent border all tiles of a page share, page by page; a
// page with nothing but transparent tiles stays as it is.
OperationResult trimPages(Workspace& workspace, const std::vector<Page*>& pages);

// Each 8-bit page's pixels remapped from its own palette onto the sprite
// palette (the nearest entry, or dithered from 0 to 1), its key kept; the
// page then shows the sprite palette. Pages of other modes are refused.
OperationResult remapToSpritePalette(Workspace& workspace, const std::vector<Page*>& pages,
                                     float dither);

// Re-arranges the page's tiles into `cols` columns.
OperationResult relayoutPage(Workspace& workspace, Page& page, int cols);

}  // namespace zentil
