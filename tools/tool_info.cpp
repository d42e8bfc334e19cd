// zentil-tool info: what picture, sprite and palette files hold, as text for
// people or as one JSON object for build scripts; for sprite files, and for
// pictures cut into tiles with --tile, the bytes every tile takes as GPF.
#include <cstdio>
#include <ostream>
#include <sstream>

#include "formats/gpf_file.h"
#include "formats/palette_formats.h"
#include "formats/png_file.h"
#include "formats/tga_file.h"
#include "system/byte_source.h"
#include "system/files.h"
#include "tool_support.h"

namespace zentil::tool {
namespace {

constexpr std::uint64_t kMaxInfoFileBytes = std::uint64_t{4} << 30;

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + '"';
}

// One file's report, kept as lines of text and as the fields of a JSON object.
class Report {
  public:
    explicit Report(std::string path) : path_(std::move(path)) {}

    void line(const std::string& text) { lines_.push_back(text); }
    void number(const char* key, std::int64_t value) { raw(key, std::to_string(value)); }
    void text(const char* key, std::string_view value) { raw(key, jsonString(value)); }
    void flag(const char* key, bool value) { raw(key, value ? "true" : "false"); }
    void raw(const char* key, std::string value) { fields_.emplace_back(key, std::move(value)); }
    void fail(const std::string& why) { error_ = why; }
    bool ok() const { return error_.empty(); }

    // Every tile's stored rectangle and data size, and the totals.
    void tiles(const GpfLayout& layout, std::uint64_t fileBytes) {
        std::ostringstream list;
        list << '[';
        for (std::size_t t = 0; t < layout.rects.size(); ++t) {
            const TileRect& r = layout.rects[t];
            std::ostringstream one;
            one << "tile " << t << ": " << r.x << ',' << r.y << ' ' << r.w << " x " << r.h << ", "
                << layout.sizes[t] << " bytes";
            line(one.str());
            list << (t ? "," : "") << "{\"x\":" << r.x << ",\"y\":" << r.y << ",\"w\":" << r.w
                 << ",\"h\":" << r.h << ",\"bytes\":" << layout.sizes[t] << '}';
        }
        list << ']';
        raw("tiles", list.str());
        number("tileDataBytes", static_cast<std::int64_t>(layout.dataBytes));
        number("gpfBytes", static_cast<std::int64_t>(fileBytes));
        std::ostringstream total;
        total << "total " << layout.dataBytes << " bytes of tile data, " << fileBytes
              << " bytes as a GPF file";
        line(total.str());
    }

    void printText(std::ostream& out) const {
        out << path_ << '\n';
        for (const std::string& l : lines_)
            out << "  " << l << '\n';
    }
    void printError(std::ostream& err) const {
        if (!ok()) err << path_ << ": " << error_ << '\n';
    }
    std::string json() const {
        std::string out = "{\"path\":" + jsonString(path_);
        for (const auto& [key, value] : fields_)
            out += ",\"" + key + "\":" + value;
        if (!ok()) out += ",\"error\":" + jsonString(error_);
        return out + "}";
    }

  private:
    std::string path_;
    std::vector<std::string> lines_;
    std::vector<std::pair<std::string, std::string>> fields_;
    std::string error_;
};

bool cornersAgree(const Page& page) {
    const std::uint32_t first = pixelAt(page, 0, 0);
    return first == pixelAt(page, page.width - 1, 0) &&
           first == pixelAt(page, 0, page.height - 1) &&
           first == pixelAt(page, page.width - 1, page.height - 1);
}

// The tiles of a picture cut into tileWidth x tileHeight, as a GPF file would store them.
void pictureTiles(Report& report, Page& page, int tileWidth, int tileHeight) {
    if (!setTileGrid(page, tileWidth, tileHeight)) {
        report.fail(std::to_string(page.width) + " x " + std::to_string(page.height) +
                    " is not a whole number of " + std::to_string(tileWidth) + " x " +
                    std::to_string(tileHeight) + " tiles");
        return;
    }
    std::vector<std::uint8_t> file;
    GpfLayout layout;
    const char* message = nullptr;
    if (const Outcome encoded = encodeSpriteFile(page, file); !encoded) {
        report.fail(encoded.text);
    } else if (!parseGpfLayout(file, layout, message)) {
        report.fail(message);
    } else {
        report.number("tileWidth", tileWidth);
        report.number("tileHeight", tileHeight);
        report.tiles(layout, file.size());
    }
}

void pageKey(Report& report, const Page& page, const char* otherwise) {
    const bool corners = cornersAgree(page);
    report.number("key", page.colorKey8);
    report.line("key " + std::to_string(page.colorKey8) +
                (corners ? " (from the corners)" : otherwise));
}

// Pictures are read straight from their files, a piece at a time, so that a
// large one takes little more memory than its page.
void infoTga(Report& report, const std::string& path, const Args& a) {
    FileSource file;
    std::uint8_t header[18];
    TgaInfo h;
    if (file.open(path, kMaxInfoFileBytes) != ReadResult::Ok ||
        !file.copy(0, header, sizeof header) || !readTgaHeader(header, h))
        return report.fail("unreadable");
    report.text("format", "tga");
    report.number("imageType", h.imageType);
    report.number("width", h.width);
    report.number("height", h.height);
    report.number("depth", h.depth);
    report.number("descriptor", h.descriptor);
    report.line("TGA type " + std::to_string(h.imageType) + ", " + std::to_string(h.width) + " x " +
                std::to_string(h.height) + ", " + std::to_string(h.depth) +
                " bits per pixel, descriptor 0x" + hex(h.descriptor, 2) +
                ((h.descriptor & 0x20) ? " (top row first" : " (bottom row first") +
                ((h.descriptor & 0x10) ? ", right to left)" : ")"));
    if (h.colorMapType) {
        report.raw("colourMap", "{\"first\":" + std::to_string(h.mapFirst) +
                                    ",\"length\":" + std::to_string(h.mapLength) +
                                    ",\"bits\":" + std::to_string(h.mapEntryBits) + "}");
        report.line("colour map: " + std::to_string(h.mapLength) + " entries from " +
                    std::to_string(h.mapFirst) + ", " + std::to_string(h.mapEntryBits) +
                    " bits each");
    } else {
        report.raw("colourMap", "null");
        report.line("no colour map");
    }
    Page page;
    if (const Outcome read = readTgaFile(path, page, {}); !read) return report.fail(read.text);
    pageKey(report, page, " (default; the corners differ)");
    int tw = 0, th = 0;
    if (a.has("--tile") && parseSize(a.options.at("--tile"), tw, th))
        pictureTiles(report, page, tw, th);
}

void infoPng(Report& report, const std::string& path, const Args& a) {
    Page page;
    if (const Outcome read = readPngFile(path, page, {}); !read) return report.fail(read.text);
    report.text("format", "png");
    report.number("width", page.width);
    report.number("height", page.height);
    report.line("PNG " + std::to_string(page.width) + " x " + std::to_string(page.height) +
                ", 8-bit with its palette");
    pageKey(report, page, " (its transparent entry, or the default)");
    int tw = 0, th = 0;
    if (a.has("--tile") && parseSize(a.options.at("--tile"), tw, th))
        pictureTiles(report, page, tw, th);
}

void infoGpf(Report& report, const std::vector<std::uint8_t>& bytes) {
    GpfLayout layout;
    const char* message = nullptr;
    if (!parseGpfLayout(bytes, layout, message)) return report.fail(message);
    const GpfHeader& h = layout.header;
    report.text("format", "gpf");
    report.number("cols", h.cols);
    report.number("rows", h.rows);
    report.number("tileWidth", h.tileWidth);
    report.number("tileHeight", h.tileHeight);
    report.number("key", h.colorKey);
    report.line("GPF " + std::to_string(h.cols) + " x " + std::to_string(h.rows) + " tiles of " +
                std::to_string(h.tileWidth) + " x " + std::to_string(h.tileHeight) + ", key " +
                std::to_string(h.colorKey));
    report.tiles(layout, bytes.size());
}

void infoPalette(Report& report, const std::vector<std::uint8_t>& bytes) {
    Palette palette{};
    if (const Outcome read = parsePaletteFile(bytes, palette); !read) return report.fail(read.text);
    report.text("format", "palette");
    report.number("bytes", static_cast<std::int64_t>(bytes.size()));
    const bool own = bytes.size() >= 769 && bytes[0] == 1;
    if (own) {
        const bool complete = bytes.size() >= 769 + 524288;
        report.flag("blendTable", complete);
        report.line("palette, " + std::to_string(bytes.size()) + " bytes, blend table " +
                    (complete ? "complete" : "missing or short"));
    } else {
        report.line("palette, " + std::to_string(bytes.size()) + " bytes");
    }
    std::string colours = "[";
    for (int row = 0; row < 16; ++row) {
        std::string text = hex(row * 16, 3) + ':';
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

bool isPaletteFile(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos) return false;
    std::string ext = path.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ext == "PAL" || ext == "GPL" || ext == "ACT";
}

Report inform(const std::string& path, const Args& a) {
    Report report(path);
    const PageFormat* format = formatOfExtension(path);
    if (!format && !isPaletteFile(path)) {
        report.fail("not a picture, sprite or palette file");
        return report;
    }
    if (format && format->id == PageFormatId::Png) {
        infoPng(report, path, a);
        return report;
    }
    if (format && format->id == PageFormatId::Tga) {
        infoTga(report, path, a);
        return report;
    }
    std::vector<std::uint8_t> bytes;
    if (readWholeFile(path, bytes, kMaxInfoFileBytes) != ReadResult::Ok) {
        report.fail("unreadable");
        return report;
    }
    if (!format)
        infoPalette(report, bytes);
    else
        infoGpf(report, bytes);
    return report;
}

}  // namespace

int cmdInfo(std::span<const std::string> raw, std::ostream& out, std::ostream& err) {
    Args a;
    if (!splitArgs(raw, {"--tile"}, {"--json"}, a, err)) return 2;
    int tw = 0, th = 0;
    if (a.positional.empty() || (a.has("--tile") && !parseSize(a.options["--tile"], tw, th))) {
        err << "usage: zentil-tool info FILE... [--tile WxH] [--json]\n";
        return 2;
    }
    int status = 0;
    const bool json = a.has("--json");
    if (json) out << "{\"files\":[";
    for (std::size_t i = 0; i < a.positional.size(); ++i) {
        const Report report = inform(a.positional[i], a);
        if (!report.ok()) status = 1;
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
