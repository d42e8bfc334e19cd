// zentil-tool info: what picture, sprite and palette files hold, as text for
// people or as one JSON object for build scripts; for sprite files, and for
// pictures cut into tiles with --tile, the bytes every tile takes as GPF.
#include <algorithm>
#include <array>
#include <cctype>
#include <ostream>
#include <sstream>

#include "formats/gpf_file.h"
#include "formats/palette_file.h"
#include "formats/palette_formats.h"
#include "formats/png_codec.h"
#include "formats/png_file.h"
#include "formats/tga_file.h"
#include "system/byte_source.h"
#include "system/files.h"
#include "system/texts.h"
#include "system/utf8.h"
#include "tool_error_codes.h"
#include "tool_json.h"
#include "tool_support.h"

namespace zentil::tool {
namespace {

constexpr std::uint64_t kMaxInfoFileBytes = std::uint64_t{4} << 30;

// One file's report, kept as lines of text and as the fields of a JSON object.
class Report {
  public:
    explicit Report(std::string path) : path_(std::move(path)) {}

    void line(const std::string& text) { lines_.push_back(text); }
    void number(const char* key, std::uint64_t value) { raw(key, std::to_string(value)); }
    void text(const char* key, std::string_view value) { raw(key, jsonString(value)); }
    void flag(const char* key, bool value) { raw(key, value ? "true" : "false"); }
    void raw(const char* key, std::string value) { fields_.emplace_back(key, std::move(value)); }
    // The first failure stands, with its stable name and its exit code.
    void fail(std::string_view why, const char* name, int code = kExitFile) {
        if (!ok()) return;
        error_ = why;
        errorName_ = name;
        code_ = code;
    }
    // A failure the core reported with `text`.
    void failCore(std::string_view text) { fail(coreText(text), errorCodeOf(text)); }
    bool ok() const { return code_ == kExitDone; }
    int code() const { return code_; }

    // Every tile's stored rectangle and the bytes it takes in the file: its
    // entries in the rectangle and size tables and its coded block, so that
    // the tiles and the header add up to the file (as the editor's status bar
    // counts them); the coded block alone as dataBytes.
    void tiles(const GpfLayout& layout, std::uint64_t fileBytes) {
        std::ostringstream list;
        list << '[';
        for (std::size_t t = 0; t < layout.rects.size(); ++t) {
            const TileRect& r = layout.rects[t];
            const auto data = static_cast<std::uint64_t>(layout.sizes[t]);
            const std::uint64_t bytes = data + kGpfTileEntryBytes;
            line(say(Text::InfoTile, {std::to_string(t), std::to_string(r.x), std::to_string(r.y),
                                      std::to_string(r.w), std::to_string(r.h),
                                      std::to_string(bytes), std::to_string(data)}));
            list << (t ? "," : "") << "{\"x\":" << r.x << ",\"y\":" << r.y << ",\"w\":" << r.w
                 << ",\"h\":" << r.h << ",\"bytes\":" << bytes << ",\"dataBytes\":" << data << '}';
        }
        list << ']';
        raw("tiles", list.str());
        number("tileDataBytes", layout.dataBytes);
        number("gpfBytes", fileBytes);
        line(say(Text::InfoTotal, {std::to_string(layout.dataBytes), std::to_string(fileBytes)}));
    }

    void printText(std::ostream& out) const {
        out << path_ << '\n';
        for (const std::string& l : lines_)
            out << "  " << l << '\n';
    }
    void printError(std::ostream& err) const {
        if (!ok()) report(err, path_, error_);
    }
    // A name that is not UTF-8 shows with U+FFFD in "path" and keeps its
    // bytes in "pathBytes".
    std::string json() const {
        std::string out = "{\"path\":" + jsonString(path_);
        if (!isUtf8(path_)) out += ",\"pathBytes\":\"" + hexBytes(path_) + '"';
        for (const auto& [key, value] : fields_)
            out += ",\"" + key + "\":" + value;
        if (!ok())
            out += ",\"error\":" + jsonString(error_) + ",\"code\":" + jsonString(errorName_);
        return out + "}";
    }

  private:
    std::string path_;
    std::vector<std::string> lines_;
    std::vector<std::pair<std::string, std::string>> fields_;
    std::string error_;
    const char* errorName_ = nullptr;
    int code_ = kExitDone;
};

std::string lowerCase(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool cornersAgree(const Page& page) {
    const std::uint32_t first = pixelAt(page, 0, 0);
    return first == pixelAt(page, page.width - 1, 0) &&
           first == pixelAt(page, 0, page.height - 1) &&
           first == pixelAt(page, page.width - 1, page.height - 1);
}

// The tiles of a picture cut into tileWidth x tileHeight, as a GPF file would store them.
void pictureTiles(Report& report, Page& page, int tileWidth, int tileHeight) {
    if (!setTileGrid(page, tileWidth, tileHeight))
        return report.fail(notWholeTiles(page, tileWidth, tileHeight), kErrorTilesDoNotDivide,
                           kExitCommandLine);
    std::vector<std::uint8_t> file;
    GpfLayout layout;
    const char* message = nullptr;
    if (const Outcome encoded = encodeSpriteFile(page, file); !encoded) {
        report.failCore(encoded.text);
    } else if (!parseGpfLayout(file, layout, message)) {
        report.failCore(message);
    } else {
        report.number("tileWidth", static_cast<std::uint64_t>(tileWidth));
        report.number("tileHeight", static_cast<std::uint64_t>(tileHeight));
        report.tiles(layout, file.size());
    }
}

void pageKey(Report& report, const Page& page, Text otherwise) {
    report.number("key", page.colorKey8);
    report.line(
        say(Text::InfoKey, {std::to_string(page.colorKey8),
                            say(cornersAgree(page) ? Text::InfoKeyFromCorners : otherwise)}));
}

void tilesIfAsked(Report& report, Page& page, const Args& a) {
    int tw = 0, th = 0;
    if (a.has("--tile") && parseSize(a.options.at("--tile"), tw, th))
        pictureTiles(report, page, tw, th);
}

// Pictures are read straight from their files, a piece at a time, so that a
// large one takes little more memory than its page; the header is read again
// on its own for the fields the page does not keep.
void infoTga(Report& report, const std::string& path, const Args& a) {
    Page page;
    if (const Outcome read = readTgaFile(path, page, {}); !read) return report.failCore(read.text);
    FileSource file;
    std::uint8_t header[18];
    TgaInfo h;
    if (file.open(path, kMaxInfoFileBytes) != ReadResult::Ok ||
        !file.copy(0, header, sizeof header) || !readTgaHeader(header, h))
        return report.failCore(texts::kReadFailed);
    report.text("format", "tga");
    report.number("imageType", static_cast<std::uint64_t>(h.imageType));
    report.number("width", static_cast<std::uint64_t>(h.width));
    report.number("height", static_cast<std::uint64_t>(h.height));
    report.number("depth", static_cast<std::uint64_t>(h.depth));
    report.number("descriptor", static_cast<std::uint64_t>(h.descriptor));
    const std::string order =
        say((h.descriptor & 0x20) ? Text::InfoTopRowFirst : Text::InfoBottomRowFirst) +
        ((h.descriptor & 0x10) ? say(Text::InfoRightToLeft) : "");
    report.line(say(Text::InfoTga, {std::to_string(h.imageType), std::to_string(h.width),
                                    std::to_string(h.height), std::to_string(h.depth),
                                    hex(static_cast<std::uint32_t>(h.descriptor), 2), order}));
    if (h.colorMapType) {
        report.raw("colourMap", "{\"first\":" + std::to_string(h.mapFirst) +
                                    ",\"length\":" + std::to_string(h.mapLength) +
                                    ",\"bits\":" + std::to_string(h.mapEntryBits) + "}");
        report.line(
            say(Text::InfoColourMap, {std::to_string(h.mapFirst), std::to_string(h.mapLength),
                                      std::to_string(h.mapEntryBits)}));
    } else {
        report.raw("colourMap", "null");
        report.line(say(Text::InfoNoColourMap));
    }
    pageKey(report, page, Text::InfoKeyDefault);
    tilesIfAsked(report, page, a);
}

// The palette entries a picture's pixels use.
int entriesUsed(const Page& page) {
    std::array<bool, kPaletteEntries> used{};
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            used[pixelAt(page, x, y)] = true;
    return static_cast<int>(std::count(used.begin(), used.end(), true));
}

// The file as it is (colour type, depth, interlacing), then what the editor
// makes of it.
void infoPng(Report& report, const std::string& path, const Args& a) {
    Page page;
    if (const Outcome read = readPngFile(path, page, {}); !read) return report.failCore(read.text);
    FileSource file;
    PngFacts png;
    if (file.open(path, kMaxInfoFileBytes) != ReadResult::Ok)
        return report.failCore(texts::kReadFailed);
    if (const Outcome described = describePng(file, png); !described)
        return report.failCore(described.text);
    report.text("format", "png");
    report.number("width", static_cast<std::uint64_t>(page.width));
    report.number("height", static_cast<std::uint64_t>(page.height));
    const std::string depth = std::to_string(png.bitDepth);
    const auto [type, kind] = [&]() -> std::pair<const char*, std::string> {
        switch (png.colourType) {
            case PngColourType::Palette:
                return {"palette",
                        say(Text::InfoPngPalette, {depth, std::to_string(png.paletteEntries)})};
            case PngColourType::Grey:
                return {"grey", say(Text::InfoPngGrey, {depth})};
            case PngColourType::GreyAlpha:
                return {"greyAlpha", say(Text::InfoPngGreyAlpha, {depth})};
            case PngColourType::Rgb:
                return {"rgb", say(Text::InfoPngRgb, {depth})};
            default:
                return {"rgba", say(Text::InfoPngRgba, {depth})};
        }
    }();
    report.text("colourType", type);
    report.number("bitDepth", static_cast<std::uint64_t>(png.bitDepth));
    report.flag("interlaced", png.interlaced);
    report.line(say(Text::InfoPng, {std::to_string(page.width), std::to_string(page.height), kind,
                                    png.interlaced ? say(Text::InfoPngInterlaced) : ""}));
    if (png.colourType == PngColourType::Palette) {
        report.number("paletteEntries", static_cast<std::uint64_t>(png.paletteEntries));
        report.number("transparentEntries", static_cast<std::uint64_t>(png.transparentEntries));
        report.line(say(Text::InfoPngReadPalette, {std::to_string(png.transparentEntries)}));
    } else {
        report.flag("transparentColour", png.transparentColour);
        if (png.colourType == PngColourType::Grey) {
            report.line(say(Text::InfoPngReadGrey));
        } else {
            const int colours = entriesUsed(page);
            report.number("colours", static_cast<std::uint64_t>(colours));
            report.line(say(Text::InfoPngReadColours, {std::to_string(colours)}));
        }
    }
    pageKey(report, page, Text::InfoKeyOfPng);
    tilesIfAsked(report, page, a);
}

// Any page file the tool has no closer description of: what the page read
// from it is.
void infoPage(Report& report, const PageFormat& format, const std::string& path, const Args& a) {
    Page page;
    if (const Outcome read = format.read(path, page, {}); !read) return report.failCore(read.text);
    const std::string bits = std::to_string(static_cast<int>(page.mode) * 8);
    report.text("format", lowerCase(format.extension));
    report.number("width", static_cast<std::uint64_t>(page.width));
    report.number("height", static_cast<std::uint64_t>(page.height));
    report.number("bits", static_cast<std::uint64_t>(page.mode) * 8);
    report.line(say(Text::InfoPage, {format.extension, std::to_string(page.width),
                                     std::to_string(page.height), bits}));
    pageKey(report, page, Text::InfoKeyDefault);
    tilesIfAsked(report, page, a);
}

// The whole file, for the describers that take it apart themselves.
bool wholeFile(Report& report, const std::string& path, std::vector<std::uint8_t>& bytes) {
    const ReadResult read = readWholeFile(path, bytes, kMaxInfoFileBytes);
    if (read == ReadResult::Ok) return true;
    report.failCore(read == ReadResult::TooLarge ? texts::kCannotCreateImage : texts::kReadFailed);
    return false;
}

void infoGpf(Report& report, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!wholeFile(report, path, bytes)) return;
    GpfLayout layout;
    const char* message = nullptr;
    if (!parseGpfLayout(bytes, layout, message)) return report.failCore(message);
    const GpfHeader& h = layout.header;
    report.text("format", "gpf");
    report.number("width",
                  static_cast<std::uint64_t>(h.cols) * static_cast<std::uint64_t>(h.tileWidth));
    report.number("height",
                  static_cast<std::uint64_t>(h.rows) * static_cast<std::uint64_t>(h.tileHeight));
    for (const auto& [key, value] : {std::pair{"cols", h.cols},
                                     {"rows", h.rows},
                                     {"tileWidth", h.tileWidth},
                                     {"tileHeight", h.tileHeight},
                                     {"key", h.colorKey}})
        report.number(key, static_cast<std::uint64_t>(value));
    report.line(say(Text::InfoGpf,
                    {std::to_string(h.cols), std::to_string(h.rows), std::to_string(h.tileWidth),
                     std::to_string(h.tileHeight), std::to_string(h.colorKey)}));
    report.tiles(layout, bytes.size());
}

void infoPalette(Report& report, const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!wholeFile(report, path, bytes)) return;
    Palette palette{};
    if (const Outcome read = parsePaletteFile(bytes, palette); !read)
        return report.failCore(read.text);
    report.text("format", "palette");
    report.number("bytes", bytes.size());
    const bool own = bytes.size() >= kPaletteHeaderBytes && bytes[0] == kPaletteFileMarker;
    if (own) {
        const bool complete = bytes.size() >= kPaletteFileBytes;  // the blend table whole
        report.flag("blendTable", complete);
        report.line(say(Text::InfoPaletteWithTable,
                        {std::to_string(bytes.size()),
                         say(complete ? Text::InfoTableComplete : Text::InfoTableShort)}));
    } else {
        report.line(say(Text::InfoPalette, {std::to_string(bytes.size())}));
    }
    std::string colours = "[";
    for (int row = 0; row < 16; ++row) {
        std::string text = hex(static_cast<std::uint32_t>(row * 16), 3) + ':';
        for (int i = row * 16; i < row * 16 + 16; ++i) {
            const std::uint32_t rgb =
                (palette[i * 3] << 16) | (palette[i * 3 + 1] << 8) | palette[i * 3 + 2];
            text += ' ' + hex(rgb, 6);
            colours += (i ? ",\"" : "\"") + hex(rgb, 6) + '"';
        }
        report.line(text);
    }
    report.raw("colours", colours + "]");
}

// Whether the file opens for reading at all; if not, the reason in the words
// of its reader and under the same name for every format.
bool opens(Report& report, const std::string& path, const PageFormat* format) {
    ReadableFile file;
    const ReadResult opened = file.open(path);
    if (opened == ReadResult::Ok) return true;
    if (opened == ReadResult::NotAFile) {
        report.failCore(texts::kNotAFile);
        return false;
    }
    Page page;
    report.fail(coreText(format ? format->read(path, page, {}).text : texts::kCannotReadPalette),
                kErrorCannotOpen);
    return false;
}

// Each page format by its own describer where the tool has one, else by what
// its reader makes of the file.
void describePageFile(Report& report, const PageFormat& format, const std::string& path,
                      const Args& a) {
    switch (format.id) {
        case PageFormatId::Tga:
            return infoTga(report, path, a);
        case PageFormatId::Png:
            return infoPng(report, path, a);
        case PageFormatId::Gpf:
            return infoGpf(report, path);
        default:
            return infoPage(report, format, path, a);
    }
}

Report inform(const std::string& path, const Args& a) {
    Report report(path);
    const PageFormat* format = formatOfExtension(path);
    if (!format && !isPaletteFileName(path)) {
        report.fail(say(Text::UnknownExtension, {pageExtensions() + ", " + paletteExtensions()}),
                    kErrorUnknownExtension, kExitCommandLine);
        return report;
    }
    if (!opens(report, path, format)) return report;
    if (format)
        describePageFile(report, *format, path, a);
    else
        infoPalette(report, path);
    return report;
}

}  // namespace

int cmdInfo(std::span<const std::string> raw, std::ostream& out, std::ostream& err) {
    Args a;
    if (!splitArgs(raw, {"--tile"}, {"--json"}, a, err)) return kExitCommandLine;
    int tw = 0, th = 0;
    if (a.has("--tile") && !parseSize(a.options["--tile"], tw, th)) {
        report(err, say(Text::TileTakes));
        return kExitCommandLine;
    }
    if (a.positional.empty()) {
        report(err, say(Text::Usage, {"zentil-tool info FILE... [--tile WxH] [--json]"}));
        return kExitCommandLine;
    }
    // Every file is reported; the exit code is the worst of them.
    int status = kExitDone;
    const bool json = a.has("--json");
    if (json) out << "{\"files\":[";
    for (std::size_t i = 0; i < a.positional.size(); ++i) {
        const Report report = inform(a.positional[i], a);
        status = std::max(status, report.code());
        if (json)
            out << (i ? "," : "") << report.json();
        else
            report.printText(out);
        report.printError(err);
    }
    if (json) out << "]}\n";
    return status;
}

}  // namespace zentil::tool
