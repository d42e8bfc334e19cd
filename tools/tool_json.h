// JSON text for zentil-tool's reports. File names are bytes and need not be
// UTF-8; JSON text must be, so a name that is not keeps its bytes beside.
#pragma once

#include <string>
#include <string_view>

namespace zentil::tool {

// `text` as a JSON string: quotes, backslashes and control characters
// escaped, and every byte that is not part of well-formed UTF-8 written as
// U+FFFD, so the result is always valid JSON.
std::string jsonString(std::string_view text);

// The bytes as lower-case hexadecimal, two digits each.
std::string hexBytes(std::string_view bytes);

}  // namespace zentil::tool
