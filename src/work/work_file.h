// Work files (.zws): the whole workspace in one zip archive that other tools
// can open. It holds `workspace.json` (format name and version, both lists in
// order, the current list and page, the sprite palette and the palette file,
// and the page palettes, each once)
// and one PNG per page: 8-bit pages as palette pictures with the key
// transparent, 16- and 24-bit pages as colour pictures. What a PNG cannot
// say (the colour mode, tile grid, key, palette, area entries, the page's
// file, whether it was saved) is in the manifest.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "system/outcome.h"
#include "work/workspace.h"

namespace zentil {

// Version 2 writes each page palette once and names it by number in the pages;
// version 1 files, with each page's palette in the page, are read as well.
inline constexpr int kWorkFileVersion = 2;
inline constexpr const char* kWorkFileExtension = "zws";

// The archive of the workspace's pages, palette and current page.
Outcome encodeWorkFile(const Workspace& workspace, std::vector<std::uint8_t>& out);
// Writes the archive through the safe writer: a failed save leaves the old
// file whole.
Outcome saveWorkFile(const Workspace& workspace, const std::string& path);

// The memory reading a work file may take for its pages: the smaller of
// kWorkFileMemoryCeiling and half the machine's memory, since the open
// session stays beside the file's pages until the file is read whole.
inline constexpr std::uint64_t kWorkFileMemoryCeiling = std::uint64_t{16} << 30;
std::uint64_t workFileMemoryBudget();

// Replaces the workspace's pages, current page, sprite palette and palette
// file with the archive's; the settings otherwise stay. Pages that were
// unsaved when the archive was written are unsaved again. A damaged, cut or
// newer archive, a page too large, a list longer than its store takes, a
// manifest not of its own shape (checkManifestShape: a field it has not, one
// given twice, a list longer than it can be), a record without pixels, two
// pages naming one picture, or a manifest and pages that would need more than
// workFileMemoryBudget() together is refused with "작업 파일을 읽을 수
// 없습니다." and changes nothing; the whole manifest is checked before any
// picture is decoded. Archives whose entries are followed by data
// descriptors read as any other.
Outcome decodeWorkFile(std::span<const std::uint8_t> bytes, Workspace& workspace);
Outcome openWorkFile(const std::string& path, Workspace& workspace);

// Whether the path names a work file by its extension, in any case.
bool isWorkFileName(const std::string& path);

}  // namespace zentil
