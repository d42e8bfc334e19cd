// The common roads of the page files: a read hands the whole file, or the
// file to be read a piece at a time, to a decoder; a save writes through the safe writer, so that a
// failed save leaves the old file whole. Whether an existing file may be replaced is asked by the
// caller before it saves.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "image/page.h"
#include "system/byte_source.h"
#include "system/outcome.h"

namespace zentil {

using PageDecoder = Outcome (*)(std::span<const std::uint8_t> bytes, Page& page,
                                const PageDefaults& defaults);

// Reads the file (at most `maxBytes`) and decodes it into `page`. A file that
// cannot be opened fails with `cannotOpenText`, anything but a regular file
// with "일반 파일이 아니므로 읽을 수 없습니다. ...", one too large for memory with
// "이미지를 생성할 수 없습니다.", a failed read with "파일을 읽는데 실패했습니다.";
// the page is untouched then. A failure names a copy of the old contents kept
// by a save that was cut off (noteKeptOldContents).
Outcome readPageFile(const std::string& path, std::uint64_t maxBytes, const char* cannotOpenText,
                     PageDecoder decode, Page& page, const PageDefaults& defaults);

// As readPageFile, for decoders that read the file a piece at a time.
using SourceDecoder = Outcome (*)(ByteSource& source, Page& page, const PageDefaults& defaults);
Outcome readPageSource(const std::string& path, std::uint64_t maxBytes, const char* cannotOpenText,
                       SourceDecoder decode, Page& page, const PageDefaults& defaults);

// Fails with `failureText`, and the system's reason as the detail, when the
// file cannot be written completely.
Outcome saveFile(const std::string& path, std::span<const std::uint8_t> bytes,
                 const char* failureText);

// A failed read of `path`, with the copy of the old contents that a save of
// the file, cut off part-way, kept (kOldContentsKeptF) as its detail when
// there is one: the file may be that save's half-written target.
Outcome noteKeptOldContents(Outcome read, const std::string& path);

}  // namespace zentil
