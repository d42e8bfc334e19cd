// TGA pictures: 8-bit pictures are read into one-tile pages; any page can be
// written in the layout of its own colour mode.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "image/page.h"
#include "system/byte_source.h"
#include "system/outcome.h"

namespace zentil {

// Builds a one-tile 8-bit page of the picture in `page` (kind 1, key from its
// corners when they agree, else the default key; a picture without a colour
// map takes the default palette). Every refusal fails with its message and
// leaves the page untouched.
// The file is read a piece at a time, straight into the page.
Outcome readTgaFile(const std::string& path, Page& page, const PageDefaults& defaults);
Outcome decodeTga(std::span<const std::uint8_t> bytes, Page& page, const PageDefaults& defaults);
Outcome decodeTga(ByteSource& source, Page& page, const PageDefaults& defaults);

// The old file survives a failed save.
Outcome writeTgaFile(const std::string& path, const Page& page);
// The file image of a page: header, colour map of an 8-bit page, rows bottom first.
std::vector<std::uint8_t> encodeTga(const Page& page);

// What a TGA header says, for reports.
struct TgaInfo {
    int idLength = 0, colorMapType = 0, imageType = 0;
    int mapFirst = 0, mapLength = 0, mapEntryBits = 0;
    int xOrigin = 0, yOrigin = 0, width = 0, height = 0, depth = 0, descriptor = 0;
};
bool readTgaHeader(std::span<const std::uint8_t> bytes, TgaInfo& info);

}  // namespace zentil
