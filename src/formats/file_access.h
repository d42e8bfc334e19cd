// The common roads of the page files: a read takes the whole file and hands
// it to a decoder; a save asks before overwriting, then writes through a
// temporary file so that a failed save leaves the old file whole.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "image/page.h"

namespace zentil {

using PageDecoder = bool (*)(std::span<const std::uint8_t> bytes, Page& page);

// Reads the file (at most `maxBytes`) and decodes it into `page`. A file that
// cannot be opened is reported with `cannotOpenText`, one too large for memory
// with "이미지를 생성할 수 없습니다.", a failed read with "파일을 읽는데 실패했습니다."
// (caption "오류"); the page is untouched then.
bool readPageFile(const std::string& path, std::uint64_t maxBytes, const char* cannotOpenText,
                  PageDecoder decode, Page& page);

// Gives false without writing when the user declines to overwrite an existing
// file, and false with `failureText` (caption "오류") when the file cannot be
// written completely.
bool saveFileAsked(const std::string& path, std::span<const std::uint8_t> bytes,
                   const char* failureText);

}  // namespace zentil
