// The page operations that make new sprite pages: copies of pages, pages
// gathered into one, the lifted block as a page and a new empty page. The
// new pages go after the sprite list's last entry, in the order made, as one
// step; a full store stops the making, and the pages made so far stay.
#pragma once

#include <vector>

#include "work/page_operations.h"

namespace zentil {

// A sprite page of each page, with its pixels, palette, key and tile grid,
// called "NoName" and its place; a page whose size is not a whole number of
// tiles is copied as one tile and keeps its name. `focus` is the last copy.
OperationResult copyPages(Workspace& workspace, const std::vector<Page*>& pages);

// One sprite page of one row of tiles, one per page, each page whole at its
// width times its place; the tile size and mode are the last page's. Every
// page must have the size of the one before it and all of them the 8-bit
// mode's; otherwise nothing is made and the problem says which.
OperationResult gatherPages(Workspace& workspace, const std::vector<Page*>& pages);

// A one-tile sprite page of `view` (the lifted block as it was composed over
// the page), called "NoName" and its place.
OperationResult copyBlock(Workspace& workspace, const Page& view);

// An empty 8-bit sprite page of the given grid in the image's key, called
// "NoName" and its place.
OperationResult newImage(Workspace& workspace, const NewImage& image);

}  // namespace zentil
