#include "tool_commands.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>
#include <functional>
#include <map>
#include <ostream>
#include <span>

#include "edit/recolor.h"
#include "edit/retile.h"
#include "edit/trim.h"
#include "formats/gpf_file.h"
#include "formats/palette_file.h"
#include "formats/tga_file.h"
#include "image/page.h"
#include "system/files.h"
#include "system/outcome.h"
#include "zentil_version.h"

namespace zentil::tool {
namespace {

// Writes what went wrong to the error stream; gives whether all went well.
bool succeeded(const Outcome& outcome, std::ostream& err) {
    if (outcome.reportable()) err << outcome.text << '\n';
    return outcome.ok;
}

enum class FileKind { Unknown, Tga, Gpf, Pal };

FileKind kindOf(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t slash = path.find_last_of('/');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return FileKind::Unknown;
    std::string ext = path.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    if (ext == "TGA") return FileKind::Tga;
    if (ext == "GPF") return FileKind::Gpf;
    if (ext == "PAL") return FileKind::Pal;
    return FileKind::Unknown;
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

// Positional arguments and --options of one command.
struct Args {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;  // flags map to ""
    bool has(const std::string& name) const { return options.count(name) != 0; }
};

// Splits `args`; options listed in `withValue` take the next argument.
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

// Pages read take keys 0 and, where the file has none, `palette`.
bool readPage(const std::string& path, Page& page, std::ostream& err,
              const Palette& palette = {}) {
    PageDefaults defaults;
    defaults.palette = palette;
    switch (kindOf(path)) {
        case FileKind::Tga:
            return succeeded(readTgaFile(path, page, defaults), err);
        case FileKind::Gpf:
            return succeeded(readSpriteFile(path, page, defaults), err);
        default:
            err << path << ": not a .TGA or .GPF file\n";
            return false;
    }
}

// The overwrite rule of the tool: an existing output only with --force.
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

// ---- info ----------------------------------------------------------------

bool infoTga(const std::string& path, std::ostream& out, std::ostream& err) {
    std::vector<std::uint8_t> bytes;
    TgaInfo h;
    if (readWholeFile(path, bytes, std::uint64_t{4} << 30) != ReadResult::Ok ||
        !readTgaHeader(bytes, h)) {
        err << path << ": unreadable\n";
        return false;
    }
    out << "  TGA type " << h.imageType << ", " << h.width << " x " << h.height << ", " << h.depth
        << " bits per pixel, descriptor 0x" << hex(h.descriptor, 2)
        << ((h.descriptor & 0x20) ? " (top row first" : " (bottom row first")
        << ((h.descriptor & 0x10) ? ", right to left)\n" : ")\n");
    if (h.colorMapType)
        out << "  colour map: " << h.mapLength << " entries from " << h.mapFirst << ", "
            << h.mapEntryBits << " bits each\n";
    else
        out << "  no colour map\n";
    Page page;
    if (!succeeded(decodeTga(bytes, page, {}), err)) return false;
    const bool corners = pixelAt(page, 0, 0) == pixelAt(page, page.width - 1, 0) &&
                         pixelAt(page, 0, 0) == pixelAt(page, 0, page.height - 1) &&
                         pixelAt(page, 0, 0) == pixelAt(page, page.width - 1, page.height - 1);
    out << "  key " << int{page.colorKey8}
        << (corners ? " (from the corners)\n" : " (default; the corners differ)\n");
    return true;
}

bool infoGpf(const std::string& path, std::ostream& out, std::ostream& err) {
    std::vector<std::uint8_t> bytes;
    if (readWholeFile(path, bytes, std::uint64_t{4} << 30) != ReadResult::Ok) {
        err << path << ": unreadable\n";
        return false;
    }
    GpfLayout layout;
    const char* message = nullptr;
    if (!parseGpfLayout(bytes, layout, message)) {
        err << message << '\n';
        return false;
    }
    const GpfHeader& h = layout.header;
    out << "  GPF " << h.cols << " x " << h.rows << " tiles of " << h.tileWidth << " x "
        << h.tileHeight << ", key " << h.colorKey << '\n';
    for (std::size_t t = 0; t < layout.rects.size(); ++t) {
        const TileRect& r = layout.rects[t];
        out << "  tile " << t << ": " << r.x << "," << r.y << " " << r.w << " x " << r.h << ", "
            << layout.sizes[t] << " bytes\n";
    }
    out << "  total " << layout.dataBytes << " bytes of tile data, " << bytes.size()
        << " bytes in the file\n";
    return true;
}

bool infoPal(const std::string& path, std::ostream& out, std::ostream& err) {
    std::vector<std::uint8_t> bytes;
    if (readWholeFile(path, bytes, std::uint64_t{64} << 20) != ReadResult::Ok ||
        bytes.size() < 769) {
        err << path << ": not a palette file\n";
        return false;
    }
    const bool complete = bytes.size() >= 769 + 524288;
    out << "  palette, " << bytes.size() << " bytes, blend table "
        << (complete ? "complete" : "missing or short") << '\n';
    for (int row = 0; row < 16; ++row) {
        out << "  " << hex(row * 16, 3) << ':';
        for (int i = row * 16; i < row * 16 + 16; ++i)
            out << ' '
                << hex((bytes[1 + i * 3] << 16) | (bytes[2 + i * 3] << 8) | bytes[3 + i * 3], 6);
        out << '\n';
    }
    return true;
}

int cmdInfo(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << "usage: zentil-tool info FILE...\n";
        return 2;
    }
    int status = 0;
    for (const std::string& path : args) {
        out << path << '\n';
        bool ok = false;
        switch (kindOf(path)) {
            case FileKind::Tga:
                ok = infoTga(path, out, err);
                break;
            case FileKind::Gpf:
                ok = infoGpf(path, out, err);
                break;
            case FileKind::Pal:
                ok = infoPal(path, out, err);
                break;
            default:
                err << path << ": not a .TGA, .GPF or .PAL file\n";
        }
        if (!ok) status = 1;
    }
    return status;
}

// Writes the page as OUT's extension says.
int writePage(const std::string& path, const Page& page, std::ostream& err) {
    const Outcome written =
        kindOf(path) == FileKind::Gpf ? writeSpriteFile(path, page) : writeTgaFile(path, page);
    return succeeded(written, err) ? 0 : 1;
}

bool isPageFile(const std::string& path) {
    const FileKind kind = kindOf(path);
    return kind == FileKind::Tga || kind == FileKind::Gpf;
}

// The common road of the editing commands: IN and OUT, options, --force;
// `edit` changes the page read from IN and gives an exit code (0 to write OUT).
int editCommand(std::span<const std::string> raw, const std::vector<std::string>& withValue,
                const std::vector<std::string>& flags, const char* usageLine, std::ostream& err,
                const std::function<int(Args&)>& check,
                const std::function<int(Args&, Page&)>& edit) {
    Args a;
    std::vector<std::string> allFlags = flags;
    allFlags.push_back("--force");
    if (!splitArgs(raw, withValue, allFlags, a, err)) return 2;
    if (a.positional.size() != 2 || !isPageFile(a.positional[0]) || !isPageFile(a.positional[1])) {
        err << "usage: " << usageLine << '\n';
        return 2;
    }
    if (const int bad = check(a)) return bad;
    if (!mayWrite(a.positional[1], a.has("--force"), err)) return 1;
    Page page;
    if (!readPage(a.positional[0], page, err)) return 1;
    if (const int failed = edit(a, page)) return failed;
    return writePage(a.positional[1], page, err);
}

int cmdTrim(std::span<const std::string> raw, std::ostream& err) {
    return editCommand(
        raw, {}, {}, "zentil-tool trim IN OUT [--force]", err, [](Args&) { return 0; },
        [&](Args& a, Page& page) {
            const Outcome trimmed = trimTiles(page, page);
            if (trimmed) return 0;
            if (trimmed.reportable()) return succeeded(trimmed, err) ? 0 : 1;
            // Nothing to trim: the page is written as it is.
            err << a.positional[0] << ": every tile is transparent; nothing trimmed\n";
            return 0;
        });
}

bool parseAlign(const std::string& name, TileAlign& align) {
    static const std::pair<const char*, TileAlign> kNames[] = {
        {"none", TileAlign::None},    {"center", TileAlign::Center}, {"centre", TileAlign::Center},
        {"left", TileAlign::Left},    {"right", TileAlign::Right},   {"top", TileAlign::Top},
        {"bottom", TileAlign::Bottom}};
    for (const auto& [text, value] : kNames)
        if (name == text) {
            align = value;
            return true;
        }
    return false;
}

int cmdRetile(std::span<const std::string> raw, std::ostream& err) {
    int tw = 0, th = 0, cols = 0, rows = 0;
    TileAlign align = TileAlign::None;
    return editCommand(
        raw, {"--tile", "--align", "--grid"}, {},
        "zentil-tool retile IN OUT --tile WxH [--align none|center|left|right|top|bottom] "
        "[--grid COLSxROWS] [--force]",
        err,
        [&](Args& a) {
            if (!a.has("--tile") || !parseSize(a.options["--tile"], tw, th)) {
                err << "--tile WxH is needed, for example 32x32\n";
                return 2;
            }
            if (a.has("--align") && !parseAlign(a.options["--align"], align)) {
                err << "--align takes none, center, left, right, top or bottom\n";
                return 2;
            }
            if (a.has("--grid") && !parseSize(a.options["--grid"], cols, rows)) {
                err << "--grid takes COLSxROWS, for example 4x2\n";
                return 2;
            }
            if (a.has("--grid") && align != TileAlign::None) {
                err << "--grid applies only without alignment\n";
                return 2;
            }
            return 0;
        },
        [&](Args& a, Page& page) {
            // Without --grid the page keeps as many tiles as fit its old size.
            if (!a.has("--grid")) {
                cols = std::max(1, page.width / tw);
                rows = std::max(1, page.height / th);
            }
            return succeeded(retilePage(page, tw, th, cols, rows, align), err) ? 0 : 1;
        });
}

int cmdRecolor(std::span<const std::string> raw, std::ostream& err) {
    int from = 0, to = 0;
    return editCommand(
        raw, {"--from", "--to"}, {"--similar"},
        "zentil-tool recolor IN OUT --from N (--to N | --similar) [--force]", err,
        [&](Args& a) {
            if (!a.has("--from") || !parseInt(a.options["--from"], from) || from < 0) {
                err << "--from N is needed (decimal or 0x hex)\n";
                return 2;
            }
            if (a.has("--to") == a.has("--similar") ||
                (a.has("--to") && (!parseInt(a.options["--to"], to) || to < 0))) {
                err << "give either --to N or --similar\n";
                return 2;
            }
            return 0;
        },
        [&](Args& a, Page& page) {
            return succeeded(replaceColor(page, static_cast<std::uint32_t>(from),
                                          static_cast<std::uint32_t>(to), a.has("--similar")),
                             err)
                       ? 0
                       : 1;
        });
}

// ---- convert ---------------------------------------------------------------

int cmdConvert(std::span<const std::string> raw, std::ostream& err) {
    Args a;
    if (!splitArgs(raw, {"--tile", "--key", "--palette"}, {"--force"}, a, err)) return 2;
    if (a.positional.size() != 2) {
        err << "usage: zentil-tool convert IN OUT [--tile WxH] [--key N] [--palette FILE.PAL] "
               "[--force]\n";
        return 2;
    }
    const std::string& in = a.positional[0];
    const std::string& outPath = a.positional[1];
    const FileKind outKind = kindOf(outPath);
    if (outKind != FileKind::Tga && outKind != FileKind::Gpf) {
        err << outPath << ": the output must be a .TGA or .GPF file\n";
        return 2;
    }
    int tw = 0, th = 0, key = 0;
    if (a.has("--tile") && !parseSize(a.options["--tile"], tw, th)) {
        err << "--tile takes WxH, for example 32x32\n";
        return 2;
    }
    if (a.has("--key") && (!parseInt(a.options["--key"], key) || key < 0)) {
        err << "--key takes a colour value, for example 0 or 0xFF\n";
        return 2;
    }
    if (!mayWrite(outPath, a.has("--force"), err)) return 1;
    Palette palette{};
    if (a.has("--palette") && !readPaletteFile(a.options["--palette"], palette)) {
        err << a.options["--palette"] << ": the palette file cannot be read\n";
        return 1;
    }
    Page page;
    if (!readPage(in, page, err, palette)) return 1;
    if (a.has("--tile") && !setTileGrid(page, tw, th)) {
        err << in << ": " << page.width << " x " << page.height << " is not a whole number of "
            << tw << " x " << th << " tiles\n";
        return 1;
    }
    if (a.has("--key")) {
        if (page.mode == kMode8 && key > 255) {
            err << "--key: an 8-bit page's key is 0 to 255\n";
            return 2;
        }
        setColorKey(page, static_cast<std::uint32_t>(key));
    }
    return writePage(outPath, page, err);
}

// ---- palette ---------------------------------------------------------------

int cmdPalette(std::span<const std::string> raw, std::ostream& err) {
    Args a;
    if (!splitArgs(raw, {}, {"--force"}, a, err)) return 2;
    if (a.positional.size() != 2 || kindOf(a.positional[0]) != FileKind::Tga) {
        err << "usage: zentil-tool palette IN.TGA OUT.PAL [--force]\n";
        return 2;
    }
    if (!mayWrite(a.positional[1], a.has("--force"), err)) return 1;
    Page page;
    if (!readPage(a.positional[0], page, err)) return 1;
    return succeeded(savePaletteFile(a.positional[1], page), err) ? 0 : 1;
}

// ---- table of commands -----------------------------------------------------

struct Command {
    const char* name;
    const char* help;
};

constexpr Command kCommands[] = {
    {"info",
     "zentil-tool info FILE...\n"
     "  Shows what TGA, GPF and palette (.PAL) files hold: sizes, type, colour map\n"
     "  and key; for GPF files the grid, every tile's stored rectangle and data size.\n"},
    {"convert",
     "zentil-tool convert IN OUT [--tile WxH] [--key N] [--palette FILE.PAL] [--force]\n"
     "  Reads a .TGA or .GPF file and writes OUT as .GPF or .TGA (by its extension).\n"
     "  --tile WxH        cut the picture into tiles of W x H pixels\n"
     "  --key N           set the page's transparent colour (decimal or 0x hex)\n"
     "  --palette F.PAL   load the default palette first (GPF pages take it)\n"
     "  --force           overwrite OUT if it exists\n"},
    {"palette",
     "zentil-tool palette IN.TGA OUT.PAL [--force]\n"
     "  Writes the picture's palette as a palette file with its blend table.\n"},
    {"trim",
     "zentil-tool trim IN OUT [--force]\n"
     "  Cuts the transparent border that all tiles share (the width a multiple of 4).\n"},
    {"retile",
     "zentil-tool retile IN OUT --tile WxH [--align none|center|left|right|top|bottom]\n"
     "                          [--grid COLSxROWS] [--force]\n"
     "  Gives the tiles a new size. With an alignment every old tile is anchored in its\n"
     "  new one; without, pixels keep their places and --grid sets the new tile counts\n"
     "  (by default as many tiles as the old page size holds).\n"},
    {"recolor",
     "zentil-tool recolor IN OUT --from N (--to N | --similar) [--force]\n"
     "  Replaces every pixel of colour N; --similar picks a near, distinct colour.\n"},
};

void usage(std::ostream& os) {
    os << "zentil-tool: sprite sheet files on the command line\n\n"
          "zentil-tool --version shows the version; zentil-tool COMMAND --help describes a "
          "command.\n\ncommands:\n";
    for (const Command& c : kCommands)
        os << c.help << '\n';
}

}  // namespace

int runTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        usage(args.empty() ? err : out);
        return args.empty() ? 2 : 0;
    }
    if (args[0] == "--version") {
        out << "zentil-tool " << kVersion << '\n';
        return 0;
    }
    const std::string& name = args[0];
    const auto* command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                       [&](const Command& c) { return name == c.name; });
    if (command == std::end(kCommands)) {
        err << "unknown command " << name << "\n\n";
        usage(err);
        return 2;
    }
    const std::span<const std::string> rest(args.begin() + 1, args.end());
    if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
        out << command->help;
        return 0;
    }
    if (name == "info") return cmdInfo(rest, out, err);
    if (name == "convert") return cmdConvert(rest, err);
    if (name == "trim") return cmdTrim(rest, err);
    if (name == "retile") return cmdRetile(rest, err);
    if (name == "recolor") return cmdRecolor(rest, err);
    return cmdPalette(rest, err);
}

}  // namespace zentil::tool
