// Well-formed UTF-8: file names are bytes and need not be it, while JSON
// text and the windows' strings must be.
#pragma once

#include <cstddef>
#include <string_view>

namespace zentil {

// The length of the well-formed UTF-8 sequence that starts `text` (no
// overlong forms, surrogates or values above U+10FFFF), or 0.
std::size_t utf8SequenceLength(std::string_view text);

bool isUtf8(std::string_view text);

}  // namespace zentil
