// The two page lists of the editor, apart from the workspace that holds
// them, so that what only names a list needs nothing more.
#pragma once

#include <cstdint>

namespace zentil {

// The two page lists; the numbers are the main window's list numbers.
enum class ListId : std::uint8_t { None = 0, Pictures = 1, Sprites = 2 };

}  // namespace zentil
