// What the commands of zentil-tool share: reading their arguments, reading
// and writing pages by their file names, and reporting.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "formats/page_formats.h"
#include "image/page.h"
#include "system/outcome.h"

namespace zentil::tool {

// Writes what went wrong to the error stream; gives whether all went well.
bool succeeded(const Outcome& outcome, std::ostream& err);

// A whole number, decimal or 0x hex.
bool parseInt(std::string_view text, int& value);
// "WxH" with both above 0.
bool parseSize(std::string_view text, int& w, int& h);

// Positional arguments and --options of one command.
struct Args {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;  // flags map to ""
    bool has(const std::string& name) const { return options.count(name) != 0; }
};

// Splits `args`; options listed in `withValue` take the next argument.
bool splitArgs(std::span<const std::string> args, const std::vector<std::string>& withValue,
               const std::vector<std::string>& flags, Args& out, std::ostream& err);

// Reads a page file (TGA, GPF or PNG, by its extension). Pages read take keys
// 0 and, where the file has none, `palette`.
bool readPage(const std::string& path, Page& page, std::ostream& err, const Palette& palette = {});
// Writes the page in the format of the path's extension.
bool writePage(const std::string& path, const Page& page, std::ostream& err);

// The overwrite rule of the tool: an existing output only with --force.
bool mayWrite(const std::string& path, bool force, std::ostream& err);

std::string hex(std::uint32_t v, int digits);

// The page formats' extensions as a list for messages: ".TGA, .GPF or .PNG".
std::string pageExtensions();

// The info command (tool_info.cpp).
int cmdInfo(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace zentil::tool
