// What the commands of zentil-tool share: the exit codes, reporting,
// reading their arguments, and reading and writing pages by their file names.
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
#include "tool_texts.h"

namespace zentil::tool {

// One rule for every command: 2 when the command line is wrong (an unknown
// command, option or extension, a missing or malformed value, a value out of
// range for the file it applies to, the wrong number of files); 1 when a file
// cannot be read or written (missing, damaged, refused by its format, an
// output that exists without --force, or standard output that fails).
inline constexpr int kExitDone = 0;
inline constexpr int kExitFile = 1;
inline constexpr int kExitCommandLine = 2;

// Reports an error: "zentil-tool: MESSAGE", or "zentil-tool: FILE: MESSAGE".
void report(std::ostream& err, std::string_view message);
void report(std::ostream& err, const std::string& path, std::string_view message);

// Reports a failure of the core about `path`; gives whether all went well.
bool succeeded(const Outcome& outcome, const std::string& path, std::ostream& err);

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

// Splits `args`; options listed in `withValue` take the next argument. Any
// other argument that starts with "-" is refused as an unknown option, up to
// a "--", after which every argument is positional ("./-x.tga" names a file
// too).
bool splitArgs(std::span<const std::string> args, const std::vector<std::string>& withValue,
               const std::vector<std::string>& flags, Args& out, std::ostream& err);

// Whether the path's extension names a page file (TGA, GPF, PNG); if not,
// reports it for `path`.
bool checkPageFile(const std::string& path, std::ostream& err);
// Whether the path's extension, in any case, names a palette file of the
// palette table (.PAL, .GPL, .ACT), pictures aside.
bool isPaletteFileName(std::string_view path);

// Reads a page file (TGA, GPF or PNG, by its extension). Pages read take keys
// 0 and, where the file has none, `palette`.
bool readPage(const std::string& path, Page& page, std::ostream& err, const Palette& palette = {});
// Writes the page in the format of the path's extension.
bool writePage(const std::string& path, const Page& page, std::ostream& err);

// The palette --palette names (a palette file or a picture's), or none: all
// black, as the editor's before one is applied. False when it cannot be read.
bool paletteOption(const Args& a, Palette& palette, std::ostream& err);
// Whether an 8-bit page has colours to show: a palette not all black. Pages
// read from sprite files have none unless --palette gave one.
bool hasColours(const Page& page);
// Writes the page read from `in` to `out`, and warns when a picture comes
// out all black because the page has no colours.
bool writeOutput(const std::string& in, const std::string& out, const Page& page,
                 std::ostream& err);

// The overwrite rule of the tool: an existing output only with --force.
bool mayWrite(const std::string& path, bool force, std::ostream& err);

// Whether `value` is a colour of the mode of the page read from `path`; if
// not, reports the core's text for the mode's range for that file.
bool colourInRange(const Page& page, int value, const std::string& path, std::ostream& err);

// Why the page cannot be cut into tiles of w x h: its size is no multiple of it.
std::string notWholeTiles(const Page& page, int w, int h);

std::string hex(std::uint32_t v, int digits);

// The page formats' extensions as a list for messages: ".TGA, .GPF, .PNG".
std::string pageExtensions();
// The palette files' extensions likewise: ".PAL, .GPL, .ACT".
std::string paletteExtensions();

// The info command (tool_info.cpp).
int cmdInfo(std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace zentil::tool
