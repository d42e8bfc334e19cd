// A new, empty page for the sprite store.
#pragma once

#include <string_view>

#include "image/page.h"
#include "system/outcome.h"

namespace zentil {

// Builds in `page` cols x rows tiles of tileWidth x tileHeight (kind 102, the
// default key and palette, empty area layers), named `name` or, when that is
// empty, "NoName" and `position`, the place the page will take in its list.
// Fails with a message when the page cannot be made.
Outcome newStorePage(Page& page, int cols, int rows, int tileWidth, int tileHeight,
                     std::string_view name, int position, int mode, const PageDefaults& defaults);

}  // namespace zentil
