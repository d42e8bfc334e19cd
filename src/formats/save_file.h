// The common road of every file save: ask before overwriting, then write
// through a temporary file so that a failed save leaves the old file whole.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace zentil {

// Gives false without writing when the user declines to overwrite an existing
// file, and false with `failureText` (caption "오류") when the file cannot be
// written completely.
bool saveFileAsked(const std::string& path, std::span<const std::uint8_t> bytes,
                   const char* failureText);

}  // namespace zentil
