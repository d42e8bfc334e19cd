// PNG pictures as pages: read into one-tile 8-bit pages of the picture list,
// written from any page (8-bit pages as palette pictures, others in colour).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "image/page.h"
#include "system/byte_source.h"
#include "system/outcome.h"

namespace zentil {

// Builds a one-tile 8-bit page of the picture in `page` (kind 1, as a TGA
// picture), with the file's palette. The key is the picture's transparent
// entry; without one it comes from the corners as for a TGA picture (else the
// default key). Refusals fail with their message and leave the page untouched.
Outcome decodePngPage(std::span<const std::uint8_t> bytes, Page& page,
                      const PageDefaults& defaults);
Outcome decodePngSource(ByteSource& source, Page& page, const PageDefaults& defaults);
// Reads the file a piece at a time, straight into the page.
Outcome readPngFile(const std::string& path, Page& page, const PageDefaults& defaults);

// An 8-bit page as a palette picture whose key entry is transparent; 16- and
// 24-bit pages as colour pictures. The row padding is not written.
Outcome encodePngPage(const Page& page, std::vector<std::uint8_t>& out);
// The old file survives a failed save.
Outcome writePngFile(const std::string& path, const Page& page);

}  // namespace zentil
