#include "formats/palette_formats.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <exception>
#include <string>

#include "formats/file_access.h"
#include "formats/page_formats.h"
#include "formats/palette_file.h"
#include "formats/png_codec.h"
#include "formats/tga_file.h"
#include "image/page.h"
#include "system/files.h"
#include "system/texts.h"
#include "system/translatable.h"

namespace zentil {

namespace {

constexpr std::size_t kActBytes = kPaletteColourBytes;     // 768
constexpr std::size_t kActWithCountBytes = kActBytes + 4;  // 772
constexpr std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

Outcome unreadable() {
    return Outcome::error(texts::kCannotReadPalette);
}

bool startsWith(std::span<const std::uint8_t> bytes, std::string_view prefix) {
    return bytes.size() >= prefix.size() &&
           std::memcmp(bytes.data(), prefix.data(), prefix.size()) == 0;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Lines of a text file without their line ends and surrounding blanks.
class Lines {
  public:
    explicit Lines(std::span<const std::uint8_t> bytes)
        : text_(reinterpret_cast<const char*>(bytes.data()), bytes.size()) {
        if (text_.starts_with("\xEF\xBB\xBF")) text_.remove_prefix(3);
    }

    // False at the end of the text.
    bool next(std::string_view& line) {
        if (text_.empty()) return false;
        const std::size_t end = text_.find('\n');
        line = text_.substr(0, end);
        text_.remove_prefix(end == std::string_view::npos ? text_.size() : end + 1);
        while (!line.empty() && isBlank(line.front()))
            line.remove_prefix(1);
        while (!line.empty() && isBlank(line.back()))
            line.remove_suffix(1);
        return true;
    }

    // The next line that is not blank; false at the end of the text.
    bool nextFilled(std::string_view& line) {
        while (next(line))
            if (!line.empty()) return true;
        return false;
    }

  private:
    std::string_view text_;
};

// Takes a whole number of at most `limit` from the front of `text`, after
// any blanks; false when there is none or it is larger.
bool takeNumber(std::string_view& text, int limit, int& value) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    std::size_t digits = 0;
    long number = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') {
        number = number * 10 + (text[digits] - '0');
        if (number > limit) return false;
        ++digits;
    }
    // A number ends at a blank or at the end of the line.
    if (digits == 0 || (digits < text.size() && !isBlank(text[digits]))) return false;
    text.remove_prefix(digits);
    value = static_cast<int>(number);
    return true;
}

// "r g b" at the front of `line`; what follows is left in `line`.
bool takeColour(std::string_view& line, std::uint8_t* entry) {
    for (int c = 0; c < 3; ++c) {
        int value = 0;
        if (!takeNumber(line, 255, value)) return false;
        entry[c] = static_cast<std::uint8_t>(value);
    }
    return true;
}

bool parseJasc(std::span<const std::uint8_t> bytes, Palette& palette) {
    Lines lines(bytes);
    std::string_view line;
    int count = 0;
    if (!lines.next(line) || line != "JASC-PAL" || !lines.next(line) || line != "0100" ||
        !lines.next(line) || !takeNumber(line, kPaletteEntries, count) || !line.empty() ||
        count < 1)
        return false;
    for (int n = 0; n < count; ++n) {
        if (!lines.nextFilled(line) || !takeColour(line, &palette[n * 3]) || !line.empty())
            return false;
    }
    return true;
}

bool parseGimp(std::span<const std::uint8_t> bytes, Palette& palette) {
    Lines lines(bytes);
    std::string_view line;
    if (!lines.next(line) || line != "GIMP Palette") return false;
    int count = 0;
    while (lines.next(line)) {
        if (line.empty() || line.starts_with('#') || line.starts_with("Name:") ||
            line.starts_with("Columns:"))
            continue;
        if (count == kPaletteEntries || !takeColour(line, &palette[count * 3])) return false;
        // Whatever follows the colour, after a blank, is its name.
        ++count;
    }
    return count > 0;
}

bool parseAct(std::span<const std::uint8_t> bytes, Palette& palette) {
    std::memcpy(palette.data(), bytes.data(), kActBytes);
    if (bytes.size() == kActWithCountBytes) {
        const int count = (bytes[768] << 8) | bytes[769];
        const int transparent = (bytes[770] << 8) | bytes[771];
        if (count < 1 || count > kPaletteEntries ||
            (transparent != 0xFFFF && transparent >= kPaletteEntries))
            return false;
        std::fill(palette.begin() + count * 3, palette.end(), 0);
    }
    return true;
}

void appendText(std::vector<std::uint8_t>& out, std::string_view text) {
    out.insert(out.end(), text.begin(), text.end());
}

}  // namespace

Outcome parsePaletteFile(std::span<const std::uint8_t> bytes, Palette& out) {
    const bool tableSize = bytes.size() == kActBytes || bytes.size() == kActWithCountBytes;
    Palette palette{};
    bool read = false;
    if (startsWith(bytes, std::string_view(reinterpret_cast<const char*>(kPngSignature), 8))) {
        Outcome outcome = palettePngColours(bytes, palette);
        // A colour table may start with the colours the signature spells.
        if (!outcome && !tableSize) return outcome;
        read = static_cast<bool>(outcome);
    } else if (startsWith(bytes, "JASC-PAL") || startsWith(bytes, "\xEF\xBB\xBFJASC-PAL")) {
        read = parseJasc(bytes, palette);
    } else if (startsWith(bytes, "GIMP Palette") || startsWith(bytes, "\xEF\xBB\xBFGIMP Palette")) {
        read = parseGimp(bytes, palette);
    }
    if (!read && tableSize) {
        palette.fill(0);
        read = parseAct(bytes, palette);
    }
    if (!read && bytes.size() >= kPaletteHeaderBytes && bytes[0] == kPaletteFileMarker) {
        palette.fill(0);
        std::memcpy(palette.data(), bytes.data() + 1, kPaletteColourBytes);
        read = true;
    }
    if (!read) return unreadable();
    out = palette;
    return Outcome::done();
}

Outcome palettePngColours(std::span<const std::uint8_t> bytes, Palette& out) {
    IndexedPicture picture;
    Outcome outcome = decodePng(bytes, picture, kMaxPixelBufferBytes);
    if (outcome) out = picture.palette;
    return outcome;
}

std::vector<std::uint8_t> writePaletteFormat(const Palette& palette, PaletteFormat format) {
    std::vector<std::uint8_t> out;
    switch (format) {
        case PaletteFormat::Own:
            try {
                out.resize(kPaletteFileBytes);
            } catch (const std::exception&) {
                return {};
            }
            out[0] = kPaletteFileMarker;
            std::memcpy(out.data() + 1, palette.data(), kPaletteColourBytes);
            if (!buildBlendTable(palette, out.data() + kPaletteHeaderBytes)) return {};
            break;
        case PaletteFormat::Jasc:
            appendText(out, "JASC-PAL\r\n0100\r\n256\r\n");
            for (int n = 0; n < kPaletteEntries; ++n)
                appendText(out, formatText("%d %d %d\r\n", palette[n * 3], palette[n * 3 + 1],
                                           palette[n * 3 + 2]));
            break;
        case PaletteFormat::Gimp:
            appendText(out, "GIMP Palette\nName: Zentil\nColumns: 16\n#\n");
            for (int n = 0; n < kPaletteEntries; ++n)
                appendText(out, formatText("%3d %3d %3d\tIndex %d\n", palette[n * 3],
                                           palette[n * 3 + 1], palette[n * 3 + 2], n));
            break;
        case PaletteFormat::Act:
            out.assign(palette.begin(), palette.end());
            break;
    }
    return out;
}

const std::vector<PaletteFileType>& paletteFileTypes() {
    static const std::vector<PaletteFileType> types = {
        {ZENTIL_TEXT("CoreText", "팔레트 파일"), "PAL", false, PaletteFormat::Own},
        {ZENTIL_TEXT("CoreText", "GPL 팔레트"), "GPL", false, PaletteFormat::Gimp},
        {ZENTIL_TEXT("CoreText", "ACT 색상표"), "ACT", false, PaletteFormat::Act},
        {ZENTIL_TEXT("CoreText", "그림의 팔레트"), pageFormat(PageFormatId::Png).extension, true,
         PaletteFormat::Own},
        {ZENTIL_TEXT("CoreText", "그림의 팔레트"), pageFormat(PageFormatId::Tga).extension, true,
         PaletteFormat::Own},
    };
    return types;
}

const PaletteFileType* paletteFileTypeOf(std::string_view path) {
    const std::size_t dot = path.find_last_of("./");
    if (dot == std::string_view::npos || path[dot] != '.') return nullptr;
    std::string extension(path.substr(dot + 1));
    for (char& c : extension)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const PaletteFileType& type : paletteFileTypes())
        if (extension == type.extension) return &type;
    return nullptr;
}

std::vector<std::string> paletteFilters() {
    std::vector<std::string> filters;
    const std::vector<PaletteFileType>& types = paletteFileTypes();
    for (std::size_t i = 0, next = 0; i < types.size(); i = next) {
        std::string patterns;
        for (next = i; next < types.size() && std::string_view(types[next].name) == types[i].name;
             ++next)
            patterns += (next == i ? "*." : " *.") + std::string(types[next].extension);
        filters.push_back(std::string(types[i].name) + " (" + patterns + ")");
    }
    return filters;
}

PaletteFormat paletteFormatForExtension(std::string_view path) {
    const PaletteFileType* type = paletteFileTypeOf(path);
    return type && !type->picture ? type->format : PaletteFormat::Own;
}

// The largest file a palette is taken from: any picture a page can hold.
constexpr std::uint64_t kMaxPaletteSourceBytes = 3 * kMaxPixelBufferBytes;

namespace {

Outcome readPaletteFileContents(const std::string& path, Palette& out) {
    std::vector<std::uint8_t> bytes;
    switch (readWholeFile(path, bytes, kMaxPaletteSourceBytes)) {
        case ReadResult::Ok:
            break;
        case ReadResult::TooLarge:
            return Outcome::error(texts::kCannotCreateImage);
        case ReadResult::NotAFile:
            return Outcome::error(texts::kNotAFile);
        default:
            return Outcome::error(texts::kCannotReadPalette);
    }
    // A TGA picture has no mark of its own; its name says what it is.
    const PageFormat* format = formatOfExtension(path);
    if (format && format->id == PageFormatId::Tga) {
        Page picture;
        if (Outcome read = decodeTga(bytes, picture, {}); !read) return read;
        out = picture.palette;
        return Outcome::done();
    }
    return parsePaletteFile(bytes, out);
}

}  // namespace

Outcome readPaletteOfFile(const std::string& path, Palette& out) {
    return noteKeptOldContents(readPaletteFileContents(path, out), path);
}

}  // namespace zentil
