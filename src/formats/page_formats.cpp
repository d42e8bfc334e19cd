#include "formats/page_formats.h"

#include <algorithm>
#include <cctype>

#include "formats/gpf_file.h"
#include "formats/png_file.h"
#include "formats/tga_file.h"
#include "system/texts.h"
#include "system/translatable.h"

namespace zentil {
namespace {

Outcome anyPage(const Page&) {
    return Outcome::done();
}

Outcome eightBitPage(const Page& page) {
    return page.mode == kMode8 ? Outcome::done() : Outcome::error(texts::kGpfOnly8Bit);
}

std::string upper(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return out;
}

}  // namespace

const std::vector<PageFormat>& pageFormats() {
    static const std::vector<PageFormat> formats = {
        {PageFormatId::Tga, ZENTIL_TEXT("CoreText", "TGA 파일"), "TGA", LoadsInto::Pictures,
         &readTgaFile, &writeTgaFile, &anyPage},
        {PageFormatId::Gpf, ZENTIL_TEXT("CoreText", "GPF 파일"), "GPF", LoadsInto::Sprites,
         &readSpriteFile, &writeSpriteFile, &eightBitPage},
        {PageFormatId::Png, ZENTIL_TEXT("CoreText", "PNG 파일"), "PNG", LoadsInto::Pictures,
         &readPngFile, &writePngFile, &anyPage},
    };
    return formats;
}

const PageFormat& pageFormat(PageFormatId id) {
    const auto& formats = pageFormats();
    return *std::find_if(formats.begin(), formats.end(),
                         [id](const PageFormat& f) { return f.id == id; });
}

const PageFormat* formatInName(std::string_view fileName) {
    const std::string name = upper(fileName);
    for (const LoadsInto into : {LoadsInto::Sprites, LoadsInto::Pictures})
        for (const PageFormat& format : pageFormats())
            if (format.loadsInto == into &&
                name.find(std::string(".") + format.extension) != std::string::npos)
                return &format;
    return nullptr;
}

const PageFormat* formatOfExtension(std::string_view path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of('/');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return nullptr;
    const std::string extension = upper(path.substr(dot + 1));
    for (const PageFormat& format : pageFormats())
        if (extension == format.extension) return &format;
    return nullptr;
}

std::string filterOf(const PageFormat& format) {
    return std::string(format.name) + " (*." + format.extension + ")";
}

}  // namespace zentil
