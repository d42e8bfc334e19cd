#include "tool_support.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ostream>

#include "system/files.h"

namespace zentil::tool {

bool succeeded(const Outcome& outcome, std::ostream& err) {
    if (outcome.reportable()) err << outcome.text << '\n';
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
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) != 0 || a == "--") {
            out.positional.push_back(a);
            continue;
        }
        if (std::find(flags.begin(), flags.end(), a) != flags.end()) {
            out.options[a] = "";
        } else if (std::find(withValue.begin(), withValue.end(), a) != withValue.end()) {
            if (i + 1 >= args.size()) {
                err << a << " needs a value\n";
                return false;
            }
            out.options[a] = args[++i];
        } else {
            err << "unknown option " << a << '\n';
            return false;
        }
    }
    return true;
}

bool readPage(const std::string& path, Page& page, std::ostream& err, const Palette& palette) {
    const PageFormat* format = formatOfExtension(path);
    if (!format) {
        err << path << ": not a " << pageExtensions() << " file\n";
        return false;
    }
    PageDefaults defaults;
    defaults.palette = palette;
    return succeeded(format->read(path, page, defaults), err);
}

bool writePage(const std::string& path, const Page& page, std::ostream& err) {
    const PageFormat* format = formatOfExtension(path);
    if (!format) {
        err << path << ": not a " << pageExtensions() << " file\n";
        return false;
    }
    return succeeded(format->write(path, page), err);
}

bool mayWrite(const std::string& path, bool force, std::ostream& err) {
    if (force || !fileExists(path)) return true;
    err << path << ": exists (use --force to overwrite)\n";
    return false;
}

std::string hex(std::uint32_t v, int digits) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", digits, v);
    return buf;
}

std::string pageExtensions() {
    std::string list;
    const auto& formats = pageFormats();
    for (std::size_t i = 0; i < formats.size(); ++i) {
        if (i > 0) list += i + 1 == formats.size() ? " or " : ", ";
        list += std::string(".") + formats[i].extension;
    }
    return list;
}

}  // namespace zentil::tool
