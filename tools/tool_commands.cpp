#include "tool_commands.h"

#include <algorithm>
#include <functional>
#include <optional>
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

// The common road of the editing commands: IN and OUT, options, --palette
// for sprite files, --force; `check` looks at the options (an exit code, 0 to
// go on); `edit` changes the page read from IN and gives an exit code (0 to
// write OUT).
int editCommand(std::span<const std::string> raw, const std::vector<std::string>& withValue,
                const std::vector<std::string>& flags, const char* usageLine, std::ostream& err,
                const std::function<int(Args&)>& check,
                const std::function<int(Args&, Page&)>& edit) {
    Args a;
    std::vector<std::string> allFlags = flags, allWithValue = withValue;
    allFlags.push_back("--force");
    allWithValue.push_back("--palette");
    if (!splitArgs(raw, allWithValue, allFlags, a, err)) return kExitCommandLine;
    if (a.positional.size() != 2) {
        report(err, say(Text::Usage, {usageLine}));
        return kExitCommandLine;
    }
    const std::string& in = a.positional[0];
    const std::string& out = a.positional[1];
    if (!checkPageFile(in, err) || !checkPageFile(out, err)) return kExitCommandLine;
    if (const int bad = check(a)) return bad;
    if (!mayWrite(out, a.has("--force"), err)) return kExitFile;
    Palette palette{};
    if (!paletteOption(a, palette, err)) return kExitFile;
    Page page;
    if (!readPage(in, page, err, palette)) return kExitFile;
    if (const int failed = edit(a, page)) return failed;
    return writeOutput(in, out, page, err) ? kExitDone : kExitFile;
}

int cmdTrim(std::span<const std::string> raw, std::ostream& err) {
    return editCommand(
        raw, {}, {}, "zentil-tool trim IN OUT [--palette FILE] [--force]", err,
        [](Args&) { return 0; },
        [&](Args& a, Page& page) {
            const Outcome trimmed = trimTiles(page, page);
            if (trimmed) return kExitDone;
            if (trimmed.reportable())
                return succeeded(trimmed, a.positional[0], err) ? kExitDone : kExitFile;
            // Nothing to trim: the page is written as it is.
            report(err, a.positional[0], say(Text::NothingTrimmed));
            return kExitDone;
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
        "[--grid COLSxROWS] [--palette FILE] [--force]",
        err,
        [&](Args& a) {
            Text wrong = Text::Count;
            if (!a.has("--tile") || !parseSize(a.options["--tile"], tw, th))
                wrong = Text::TileNeeded;
            else if (a.has("--align") && !parseAlign(a.options["--align"], align))
                wrong = Text::AlignTakes;
            else if (a.has("--grid") && !parseSize(a.options["--grid"], cols, rows))
                wrong = Text::GridTakes;
            else if (a.has("--grid") && align != TileAlign::None)
                wrong = Text::GridOnlyWithoutAlign;
            if (wrong == Text::Count) return kExitDone;
            report(err, say(wrong));
            return kExitCommandLine;
        },
        [&](Args& a, Page& page) {
            // Without --grid the page keeps as many tiles as fit its old size.
            if (!a.has("--grid")) {
                cols = std::max(1, page.width / tw);
                rows = std::max(1, page.height / th);
            }
            return succeeded(retilePage(page, tw, th, cols, rows, align), a.positional[0], err)
                       ? kExitDone
                       : kExitFile;
        });
}

int cmdRecolor(std::span<const std::string> raw, std::ostream& err) {
    int from = 0, to = 0;
    return editCommand(
        raw, {"--from", "--to"}, {"--similar"},
        "zentil-tool recolor IN OUT --from N (--to N | --similar) [--palette FILE] [--force]", err,
        [&](Args& a) {
            Text wrong = Text::Count;
            if (!a.has("--from") || !parseInt(a.options["--from"], from))
                wrong = Text::FromNeeded;
            else if (!a.has("--to") && !a.has("--similar"))
                wrong = Text::ToOrSimilar;
            else if (a.has("--to") && a.has("--similar"))
                wrong = Text::ToAndSimilar;
            else if (a.has("--to") && !parseInt(a.options["--to"], to))
                wrong = Text::ToTakes;
            if (wrong == Text::Count) return kExitDone;
            report(err, say(wrong));
            return kExitCommandLine;
        },
        [&](Args& a, Page& page) {
            const std::string& in = a.positional[0];
            // The colours' range is the page's.
            if (!colourInRange(page, from, in, err) || !colourInRange(page, to, in, err))
                return kExitCommandLine;
            // Without colours every entry is as near as any other.
            if (a.has("--similar") && !hasColours(page)) {
                report(err, in, say(Text::NoColoursForSimilar));
                return kExitFile;
            }
            return succeeded(replaceColor(page, static_cast<std::uint32_t>(from),
                                          static_cast<std::uint32_t>(to), a.has("--similar")),
                             a.positional[0], err)
                       ? kExitDone
                       : kExitFile;
        });
}

// ---- convert ---------------------------------------------------------------

int cmdConvert(std::span<const std::string> raw, std::ostream& err) {
    Args a;
    if (!splitArgs(raw, {"--tile", "--key", "--palette"}, {"--force"}, a, err))
        return kExitCommandLine;
    if (a.positional.size() != 2) {
        report(err, say(Text::Usage, {"zentil-tool convert IN OUT [--tile WxH] [--key N] "
                                      "[--palette FILE] [--force]"}));
        return kExitCommandLine;
    }
    const std::string& in = a.positional[0];
    const std::string& outPath = a.positional[1];
    if (!checkPageFile(in, err) || !checkPageFile(outPath, err)) return kExitCommandLine;
    int tw = 0, th = 0, key = 0;
    if (a.has("--tile") && !parseSize(a.options["--tile"], tw, th)) {
        report(err, say(Text::TileTakes));
        return kExitCommandLine;
    }
    if (a.has("--key") && (!parseInt(a.options["--key"], key) || key < 0)) {
        report(err, say(Text::KeyTakes));
        return kExitCommandLine;
    }
    if (!mayWrite(outPath, a.has("--force"), err)) return kExitFile;
    Palette palette{};
    if (!paletteOption(a, palette, err)) return kExitFile;
    Page page;
    if (!readPage(in, page, err, palette)) return kExitFile;
    if (a.has("--tile") && !setTileGrid(page, tw, th)) {
        report(err, in, notWholeTiles(page, tw, th));
        return kExitCommandLine;
    }
    if (a.has("--key")) {
        if (!colourInRange(page, key, in, err)) return kExitCommandLine;
        setColorKey(page, static_cast<std::uint32_t>(key));
    }
    return writeOutput(in, outPath, page, err) ? kExitDone : kExitFile;
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
    if (!splitArgs(raw, {"--format"}, {"--force"}, a, err)) return kExitCommandLine;
    if (a.positional.size() != 2) {
        report(err, say(Text::Usage,
                        {"zentil-tool palette IN OUT [--format own|jasc|gpl|act] [--force]"}));
        return kExitCommandLine;
    }
    const std::string& in = a.positional[0];
    const std::string& out = a.positional[1];
    PaletteFormat format = paletteFormatForExtension(out);
    if (a.has("--format") && !parsePaletteFormat(a.options["--format"], format)) {
        report(err, say(Text::FormatTakes));
        return kExitCommandLine;
    }
    // Without --format the extension names the format, so it must name one.
    if (!a.has("--format") && !isPaletteFileName(out)) {
        report(err, out, say(Text::UnknownExtension, {paletteExtensions()}));
        return kExitCommandLine;
    }
    if (!mayWrite(out, a.has("--force"), err)) return kExitFile;
    Palette palette{};
    if (!succeeded(readPaletteOfFile(in, palette), in, err)) return kExitFile;
    const std::vector<std::uint8_t> bytes = writePaletteFormat(palette, format);
    if (bytes.empty()) {
        report(err, out, coreText(texts::kCannotSavePalette));
        return kExitFile;
    }
    return succeeded(saveFile(out, bytes, texts::kCannotSavePalette), out, err) ? kExitDone
                                                                                : kExitFile;
}

// ---- table of commands -----------------------------------------------------

struct Command {
    const char* name;
    Text help;
};

constexpr Command kCommands[] = {
    {"info", Text::HelpInfo}, {"convert", Text::HelpConvert}, {"palette", Text::HelpPalette},
    {"trim", Text::HelpTrim}, {"retile", Text::HelpRetile},   {"recolor", Text::HelpRecolor},
};

void usage(std::ostream& os) {
    os << say(Text::HelpIntro, {codesOf(installedLanguages(), "|")});
    for (const Command& c : kCommands)
        os << say(c.help) << '\n';
}

// Whether --help or -h stands among the options (before any "--").
bool asksForHelp(std::span<const std::string> args) {
    const auto end = std::find(args.begin(), args.end(), "--");
    return std::find_if(args.begin(), end,
                        [](const std::string& a) { return a == "--help" || a == "-h"; }) != end;
}

int dispatch(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        usage(args.empty() ? err : out);
        return args.empty() ? kExitCommandLine : kExitDone;
    }
    if (args[0] == "--version") {
        out << "zentil-tool " << kVersion << '\n';
        return kExitDone;
    }
    const std::string& name = args[0];
    const auto* command = std::find_if(std::begin(kCommands), std::end(kCommands),
                                       [&](const Command& c) { return name == c.name; });
    if (command == std::end(kCommands)) {
        report(err, say(Text::UnknownCommand, {name}));
        err << '\n';
        usage(err);
        return kExitCommandLine;
    }
    const std::span<const std::string> rest(args.begin() + 1, args.end());
    if (asksForHelp(rest)) {
        out << say(command->help);
        return kExitDone;
    }
    if (name == "info") return cmdInfo(rest, out, err);
    if (name == "convert") return cmdConvert(rest, err);
    if (name == "trim") return cmdTrim(rest, err);
    if (name == "retile") return cmdRetile(rest, err);
    if (name == "recolor") return cmdRecolor(rest, err);
    return cmdPalette(rest, err);
}

int finish(int code, std::ostream& out, std::ostream& err) {
    // What was printed must have arrived: output that cannot be written (a
    // full disk, a closed pipe) fails the run.
    if (!out.flush()) {
        report(err, say(Text::CannotWriteOutput));
        return code == kExitDone ? kExitFile : code;
    }
    return code;
}

}  // namespace

int runTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
            const Language& userLanguage) {
    // --lang, wherever it stands, chooses the language of the run and is
    // taken off the line; the texts speak the user's language until then.
    const Language before = language();
    setLanguage(userLanguage);
    std::vector<std::string> rest;
    int code = kExitDone;
    for (std::size_t i = 0; i < args.size() && code == kExitDone; ++i) {
        std::optional<std::string> value;
        if (args[i] == "--lang") {
            if (i + 1 == args.size()) {
                report(err, say(Text::NeedsValue, {"--lang"}));
                code = kExitCommandLine;
                break;
            }
            value = args[++i];
        } else if (args[i].starts_with("--lang=")) {
            value = args[i].substr(7);
        } else {
            rest.push_back(args[i]);
            continue;
        }
        const std::vector<Language> installed = installedLanguages();
        if (const std::optional<Language> chosen = languageNamed(*value, installed)) {
            setLanguage(*chosen);
        } else {
            report(err, say(Text::LanguageTakes, {codesOf(installed, ", ")}));
            code = kExitCommandLine;
        }
    }
    if (code == kExitDone) code = dispatch(rest, out, err);
    code = finish(code, out, err);
    setLanguage(before);
    return code;
}

}  // namespace zentil::tool
