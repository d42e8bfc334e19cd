// The one list of the picture and sprite file formats: what each is called,
// its extension, which list a loaded file joins, how it is read and written,
// and what a page must be to be written. The load and save dialogs, dropped
// files and zentil-tool all work from it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "image/page.h"
#include "system/outcome.h"

namespace zentil {

enum class PageFormatId { Tga, Gpf, Png };

// Which of the two lists a file of the format is loaded into.
enum class LoadsInto { Sprites, Pictures };

struct PageFormat {
    PageFormatId id;
    const char* name;       // as the dialogs show it, "TGA 파일"
    const char* extension;  // in capitals, without the dot
    LoadsInto loadsInto;
    Outcome (*read)(const std::string& path, Page& page, const PageDefaults& defaults);
    Outcome (*write)(const std::string& path, const Page& page);
    // Done when the page can be written in the format; else why not.
    Outcome (*canWrite)(const Page& page);
};

// TGA, GPF and PNG, in the order the load dialog lists them.
const std::vector<PageFormat>& pageFormats();
const PageFormat& pageFormat(PageFormatId id);

// The format of a file name as the load command decides it: the first
// format whose ".EXT" the upper-cased name contains, sprite files first (so
// "hero.gpf.tga" is a sprite file), or nullptr.
const PageFormat* formatInName(std::string_view fileName);
// The format of a path by its last extension, in any case, or nullptr.
const PageFormat* formatOfExtension(std::string_view path);

// The dialog filter of a format, "TGA 파일 (*.TGA)".
std::string filterOf(const PageFormat& format);

}  // namespace zentil
