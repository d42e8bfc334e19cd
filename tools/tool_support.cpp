#include "tool_support.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <ostream>

#include "edit/recolor.h"
#include "formats/palette_formats.h"
#include "system/files.h"
#include "system/texts.h"

namespace zentil::tool {

void report(std::ostream& err, std::string_view message) {
    err << "zentil-tool: " << message << '\n';
}

void report(std::ostream& err, const std::string& path, std::string_view message) {
    err << "zentil-tool: " << path << ": " << message << '\n';
}

bool succeeded(const Outcome& outcome, const std::string& path, std::ostream& err) {
    if (!outcome.reportable()) return outcome.ok;
    std::string message = coreText(outcome.text);
    if (!outcome.detail.empty()) message += " (" + coreText(outcome.detail) + ")";
    report(err, path, message);
    return outcome.ok;
}

bool parseInt(std::string_view text, int& value) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return ec == std::errc() && end == text.data() + text.size();
}

bool parseSize(std::string_view text, int& w, int& h) {
    const std::size_t x = text.find_first_of("xX");
    return x != std::string_view::npos && parseInt(text.substr(0, x), w) &&
           parseInt(text.substr(x + 1), h) && w > 0 && h > 0;
}

bool splitArgs(std::span<const std::string> args, const std::vector<std::string>& withValue,
               const std::vector<std::string>& flags, Args& out, std::ostream& err) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (!optionsEnded && a == "--") {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            out.positional.push_back(a);
            continue;
        }
        if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
            out.options[a] = "";
        } else if (std::find(withValue.begin(), withValue.end(), a) != withValue.end()) {
            if (i + 1 >= args.size()) {
                report(err, say(Text::NeedsValue, {a}));
                return false;
            }
            out.options[a] = args[++i];
        } else {
            report(err, say(Text::UnknownOption, {a}));
            return false;
        }
    }
    return true;
}

bool checkPageFile(const std::string& path, std::ostream& err) {
    if (formatOfExtension(path)) return true;
    report(err, path, say(Text::UnknownExtension, {pageExtensions()}));
    return false;
}

bool isPaletteFileName(std::string_view path) {
    const PaletteFileType* type = paletteFileTypeOf(path);
    return type && !type->picture;
}

bool readPage(const std::string& path, Page& page, std::ostream& err, const Palette& palette) {
    const PageFormat* format = formatOfExtension(path);
    if (!format) return checkPageFile(path, err);
    PageDefaults defaults;
    defaults.palette = palette;
    return succeeded(format->read(path, page, defaults), path, err);
}

bool writePage(const std::string& path, const Page& page, std::ostream& err) {
    const PageFormat* format = formatOfExtension(path);
    if (!format) return checkPageFile(path, err);
    return succeeded(format->write(path, page), path, err);
}

bool paletteOption(const Args& a, Palette& palette, std::ostream& err) {
    palette = {};
    if (!a.has("--palette")) return true;
    const std::string& source = a.options.at("--palette");
    return succeeded(readPaletteOfFile(source, palette), source, err);
}

bool hasColours(const Page& page) {
    return page.mode != kMode8 || !isAllBlack(page.palette);
}

bool writeOutput(const std::string& in, const std::string& out, const Page& page,
                 std::ostream& err) {
    const PageFormat* format = formatOfExtension(out);
    if (format && format->loadsInto == LoadsInto::Pictures && !hasColours(page))
        report(err, in, say(Text::SavedBlack, {out}));
    return writePage(out, page, err);
}

bool mayWrite(const std::string& path, bool force, std::ostream& err) {
    if (force || !fileExists(path)) return true;
    report(err, path, say(Text::OutputExists));
    return false;
}

bool colourInRange(const Page& page, int value, const std::string& path, std::ostream& err) {
    if (value >= 0 && static_cast<std::uint32_t>(value) <= colorLimit(page.mode)) return true;
    report(err, path,
           coreText(page.mode == kMode8    ? texts::kColorRange8
                    : page.mode == kMode16 ? texts::kColorRange16
                                           : texts::kColorRange24));
    return false;
}

std::string notWholeTiles(const Page& page, int w, int h) {
    return say(Text::TilesDoNotDivide, {std::to_string(page.width), std::to_string(page.height),
                                        std::to_string(w), std::to_string(h)});
}

std::string hex(std::uint32_t v, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", digits, v);
    return buf;
}

std::string pageExtensions() {
    std::string list;
    for (const PageFormat& format : pageFormats())
        list += (list.empty() ? "." : ", .") + std::string(format.extension);
    return list;
}

std::string paletteExtensions() {
    std::string list;
    for (const PaletteFileType& type : paletteFileTypes())
        if (!type.picture) list += (list.empty() ? "." : ", .") + std::string(type.extension);
    return list;
}

}  // namespace zentil::tool
