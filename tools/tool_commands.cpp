#include "tool_commands.h"

#include <algorithm>
#include <functional>
#include <ostream>
#include <span>

#include "edit/recolor.h"
#include "edit/retile.h"
#include "edit/trim.h"
#include "formats/file_access.h"
#include "formats/page_formats.h"
#include "formats/palette_file.h"
#include "formats/palette_formats.h"
#include "image/page.h"
#include "system/files.h"
#include "system/outcome.h"
#include "tool_support.h"
#include "zentil_version.h"

namespace zentil::tool {
namespace {

bool isPageFile(const std::string& path) {
    return formatOfExtension(path) != nullptr;
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
    return writePage(a.positional[1], page, err) ? 0 : 1;
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
        err << "usage: zentil-tool convert IN OUT [--tile WxH] [--key N] [--palette FILE] "
               "[--force]\n";
        return 2;
    }
    const std::string& in = a.positional[0];
    const std::string& outPath = a.positional[1];
    if (!isPageFile(outPath)) {
        err << outPath << ": the output must be a " << pageExtensions() << " file\n";
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
    if (a.has("--palette")) {
        const Outcome read = readPaletteOfFile(a.options["--palette"], palette);
        if (!read) {
            err << a.options["--palette"] << ": " << read.text << '\n';
            return 1;
        }
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
    return writePage(outPath, page, err) ? 0 : 1;
}

// ---- palette ---------------------------------------------------------------

bool parsePaletteFormat(const std::string& name, PaletteFormat& format) {
    static const std::pair<const char*, PaletteFormat> kNames[] = {{"own", PaletteFormat::Own},
                                                                   {"jasc", PaletteFormat::Jasc},
                                                                   {"gpl", PaletteFormat::Gimp},
                                                                   {"act", PaletteFormat::Act}};
    for (const auto& [text, value] : kNames)
        if (name == text) {
            format = value;
            return true;
        }
    return false;
}

int cmdPalette(std::span<const std::string> raw, std::ostream& err) {
    Args a;
    if (!splitArgs(raw, {"--format"}, {"--force"}, a, err)) return 2;
    if (a.positional.size() != 2) {
        err << "usage: zentil-tool palette IN OUT [--format own|jasc|gpl|act] [--force]\n";
        return 2;
    }
    const std::string& out = a.positional[1];
    PaletteFormat format = paletteFormatForExtension(out);
    if (a.has("--format") && !parsePaletteFormat(a.options["--format"], format)) {
        err << "--format takes own, jasc, gpl or act\n";
        return 2;
    }
    if (!mayWrite(out, a.has("--force"), err)) return 1;
    Palette palette{};
    if (!succeeded(readPaletteOfFile(a.positional[0], palette), err)) return 1;
    const std::vector<std::uint8_t> bytes = writePaletteFormat(palette, format);
    if (bytes.empty()) {
        err << texts::kCannotSavePalette << '\n';
        return 1;
    }
    return succeeded(saveFile(out, bytes, texts::kCannotSavePalette), err) ? 0 : 1;
}

// ---- table of commands -----------------------------------------------------

struct Command {
    const char* name;
    const char* help;
};

constexpr Command kCommands[] = {
    {"info",
     "zentil-tool info FILE... [--tile WxH] [--json]\n"
     "  Shows what TGA, PNG, GPF and palette (.PAL, .GPL, .ACT) files hold: sizes,\n"
     "  type, colour map and key; for GPF files the grid, every tile's stored\n"
     "  rectangle and the bytes it takes, and the total.\n"
     "  --tile WxH        cut pictures into tiles and show the bytes each takes as GPF\n"
     "  --json            print everything as one JSON object\n"},
    {"convert",
     "zentil-tool convert IN OUT [--tile WxH] [--key N] [--palette FILE] [--force]\n"
     "  Reads a .TGA, .GPF or .PNG file and writes OUT as .GPF, .TGA or .PNG (by its\n"
     "  extension).\n"
     "  --tile WxH        cut the picture into tiles of W x H pixels\n"
     "  --key N           set the page's transparent colour (decimal or 0x hex)\n"
     "  --palette FILE    the palette GPF pages take (any palette file, or a picture's)\n"
     "  --force           overwrite OUT if it exists\n"},
    {"palette",
     "zentil-tool palette IN OUT [--format own|jasc|gpl|act] [--force]\n"
     "  Writes the palette of IN (a palette file of any of these formats, or a TGA or\n"
     "  PNG picture) as OUT: the editor's own palette file with its blend table, a\n"
     "  JASC-PAL text file, a GPL palette or an ACT colour table; by default as OUT's\n"
     "  extension says (.pal is the editor's own, .gpl, .act).\n"},
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
