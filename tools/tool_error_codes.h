// The stable names of what went wrong with a file, which info's JSON report
// gives beside each message so that scripts need not read the messages,
// whose language changes with the user's. The manual page lists them.
#pragma once

#include <string_view>

namespace zentil::tool {

inline constexpr const char* kErrorUnknownExtension = "unknown-extension";
inline constexpr const char* kErrorTilesDoNotDivide = "tiles-do-not-divide";
inline constexpr const char* kErrorCannotOpen = "cannot-open";
inline constexpr const char* kErrorNotAFile = "not-a-file";
inline constexpr const char* kErrorTooLarge = "too-large";
inline constexpr const char* kErrorReadFailed = "read-failed";
inline constexpr const char* kErrorWrongFormat = "wrong-format";
inline constexpr const char* kErrorDamaged = "damaged";
inline constexpr const char* kErrorUnsupported = "unsupported";
// Any failure of the core not named above.
inline constexpr const char* kErrorFailed = "failed";

// The code of a failure the core reported with `text` (as the core gave it,
// in Korean, before any translation).
const char* errorCodeOf(std::string_view text);

}  // namespace zentil::tool
