// Appending a new, empty page to the sprite store.
#pragma once

#include <string_view>

namespace zentil {

// Builds a page of cols x rows tiles of tileWidth x tileHeight in the first
// free sprite slot (kind 102, the default key and palette, empty area layers),
// named `name` or, when that is empty, "NoName" and the slot number. Gives the
// slot, or -1 after reporting a full store or a page that cannot be made.
int newStorePage(int cols, int rows, int tileWidth, int tileHeight, std::string_view name,
                 int mode);
int newStoreImage(int width, int height, std::string_view name, int mode);

}  // namespace zentil
