#include "formats/gif_codec.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <vector>

#include "system/texts.h"

namespace zentil {

namespace {

// An LZW code of GIF image data is at least 3 bits long and gives at most
// 4096 pixels (the longest string its table of 4096 entries holds), so a
// frame of more pixels than its data's bytes times 8 / 3 * 4096 cannot be
// described by them.
constexpr std::uint64_t kMaxLzwRatio = 8 * 4096 / 3 + 1;

// The disposal methods of the Graphics Control Extension that do something.
constexpr int kDisposeToBackground = 2;
constexpr int kDisposeToPrevious = 3;

// Where a pixel of no frame is: one past the palette's indexes.
constexpr std::uint16_t kClearIndex = kPaletteEntries;

// The file as giflib reads it, and whether a read asked for bytes past its
// end (a file cut short rather than damaged).
struct Reader {
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
    bool ranOut = false;
};

int readBytes(GifFileType* gif, GifByteType* to, int length) {
    auto& reader = *static_cast<Reader*>(gif->UserData);
    const std::size_t want = length > 0 ? static_cast<std::size_t>(length) : 0;
    const std::size_t n = std::min(want, reader.bytes.size() - reader.at);
    if (n > 0) std::memcpy(to, reader.bytes.data() + reader.at, n);
    reader.at += n;
    if (n < want) reader.ranOut = true;
    return static_cast<int>(n);
}

struct GifCloser {
    void operator()(GifFileType* gif) const {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

Outcome readFailureBecause(const char* reason) {
    return Outcome::error(formatText(texts::kGifCannotReadBecauseF, reason));
}
Outcome damaged() {
    return readFailureBecause(texts::kPngReasonDamaged);
}
Outcome cannotCreate() {
    return Outcome::error(texts::kCannotCreateImage);
}
// giflib's refusals, in words a user understands.
Outcome readFailure(const Reader& reader, int error) {
    if (error == D_GIF_ERR_NOT_ENOUGH_MEM) return cannotCreate();
    if (error == D_GIF_ERR_NOT_GIF_FILE) return readFailureBecause(texts::kGifReasonNotGif);
    return reader.ranOut ? readFailureBecause(texts::kPngReasonCut) : damaged();
}
Outcome readFailure(const Reader& reader, const GifHandle& gif) {
    return readFailure(reader, gif->Error);
}

// A colour table: its entries, red, green, blue, the rest black.
struct ColourTable {
    int count = 0;
    Palette colours{};
    bool operator==(const ColourTable&) const = default;
};

ColourTable tableOf(const ColorMapObject& map) {
    ColourTable table;
    table.count = std::clamp(map.ColorCount, 0, kPaletteEntries);
    for (int n = 0; n < table.count; ++n) {
        table.colours[n * 3 + 0] = map.Colors[n].Red;
        table.colours[n * 3 + 1] = map.Colors[n].Green;
        table.colours[n * 3 + 2] = map.Colors[n].Blue;
    }
    return table;
}

// What a Graphics Control Extension says of the frame after it.
struct Control {
    int disposal = 0;
    int transparent = -1;
};

struct Frame {
    int left = 0, top = 0, width = 0, height = 0;
    bool interlaced = false;
    int table = 0;  // in Survey::tables
    Control control;
};

// The file's screen, frames and colour tables, read without decoding any
// pixel.
struct Survey {
    int width = 0, height = 0;
    std::vector<Frame> frames;
    std::vector<ColourTable> tables;
};

// Opens the file, checking first that it starts as a GIF file does.
Outcome open(Reader& reader, GifHandle& gif) {
    static constexpr char kSignatures[2][7] = {"GIF87a", "GIF89a"};
    if (reader.bytes.empty()) return readFailureBecause(texts::kPngReasonEmpty);
    const std::size_t head = std::min<std::size_t>(reader.bytes.size(), 6);
    if (std::none_of(std::begin(kSignatures), std::end(kSignatures), [&](const char* signature) {
            return std::memcmp(reader.bytes.data(), signature, head) == 0;
        }))
        return readFailureBecause(texts::kGifReasonNotGif);
    int error = 0;
    gif.reset(DGifOpen(&reader, &readBytes, &error));
    return gif ? Outcome::done() : readFailure(reader, error);
}

// The next record; TERMINATE_RECORD_TYPE also for a file that ends, without
// its trailer, where a record would start (viewers show such files whole).
Outcome nextRecord(Reader& reader, const GifHandle& gif, GifRecordType& type) {
    const bool atEnd = reader.at == reader.bytes.size();
    if (DGifGetRecordType(gif.get(), &type) == GIF_OK) return Outcome::done();
    if (!atEnd) return readFailure(reader, gif);
    type = TERMINATE_RECORD_TYPE;
    return Outcome::done();
}

// Reads an extension, keeping what a Graphics Control Extension says.
Outcome readExtension(Reader& reader, const GifHandle& gif, Control& control) {
    int code = 0;
    GifByteType* block = nullptr;
    if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR) return readFailure(reader, gif);
    if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
        control.disposal = (block[1] >> 2) & 7;
        control.transparent = (block[1] & 1) ? block[4] : -1;
    }
    while (block)
        if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR) return readFailure(reader, gif);
    return Outcome::done();
}

// Reads a frame's image data without decoding it; its bytes in `bytes`.
Outcome skipImageData(Reader& reader, const GifHandle& gif, std::uint64_t& bytes) {
    int codeSize = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(gif.get(), &codeSize, &block) == GIF_ERROR) return readFailure(reader, gif);
    bytes = 0;
    while (block) {
        bytes += block[0];
        if (DGifGetCodeNext(gif.get(), &block) == GIF_ERROR) return readFailure(reader, gif);
    }
    return Outcome::done();
}

// Takes the frame giflib has just read the descriptor of into the survey,
// checking the sizes before any pixel buffer exists.
Outcome addFrame(Reader& reader, const GifHandle& gif, int globalTable, const Control& control,
                 std::uint64_t maxPixels, std::uint64_t& framePixels, Survey& survey) {
    const GifImageDesc& image = gif->Image;
    Frame frame{image.Left,      image.Top,   image.Width, image.Height,
                image.Interlace, globalTable, control};
    if (image.ColorMap) {
        survey.tables.push_back(tableOf(*image.ColorMap));
        frame.table = static_cast<int>(survey.tables.size()) - 1;
    }
    if (frame.table < 0) return damaged();
    const std::uint64_t tiles = survey.frames.size() + 1;
    const std::uint64_t screen = std::uint64_t(survey.width) * std::uint64_t(survey.height);
    const std::uint64_t own = std::uint64_t(frame.width) * std::uint64_t(frame.height);
    framePixels += own;
    if (tiles * screen > maxPixels || framePixels > maxPixels ||
        tiles * std::uint64_t(survey.width) > std::numeric_limits<std::int32_t>::max())
        return cannotCreate();
    std::uint64_t bytes = 0;
    if (Outcome skipped = skipImageData(reader, gif, bytes); !skipped) return skipped;
    if (own > (bytes + 1) * kMaxLzwRatio) return damaged();
    survey.frames.push_back(frame);
    return Outcome::done();
}

Outcome surveyFile(std::span<const std::uint8_t> bytes, std::uint64_t maxPixels, Survey& survey) {
    Reader reader{bytes};
    GifHandle gif;
    if (Outcome opened = open(reader, gif); !opened) return opened;
    survey.width = gif->SWidth;
    survey.height = gif->SHeight;
    if (survey.width <= 0 || survey.height <= 0) return damaged();
    int globalTable = -1;
    if (gif->SColorMap) {
        survey.tables.push_back(tableOf(*gif->SColorMap));
        globalTable = 0;
    }
    Control control;
    std::uint64_t framePixels = 0;
    for (;;) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (Outcome next = nextRecord(reader, gif, type); !next) return next;
        if (type == TERMINATE_RECORD_TYPE) break;
        if (type == EXTENSION_RECORD_TYPE) {
            if (Outcome read = readExtension(reader, gif, control); !read) return read;
        } else if (type == IMAGE_DESC_RECORD_TYPE) {
            if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return readFailure(reader, gif);
            Outcome added =
                addFrame(reader, gif, globalTable, control, maxPixels, framePixels, survey);
            if (!added) return added;
            control = Control{};
        } else {
            return damaged();
        }
    }
    return survey.frames.empty() ? damaged() : Outcome::done();
}

// The rows of a frame in the order its data gives them: top to bottom, or
// in the four passes of interlacing.
std::vector<int> rowOrder(int height, bool interlaced) {
    static constexpr int kFirst[4] = {0, 4, 2, 1};
    static constexpr int kStep[4] = {8, 8, 4, 2};
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(height));
    for (int pass = 0; pass < (interlaced ? 4 : 1); ++pass)
        for (int y = interlaced ? kFirst[pass] : 0; y < height; y += interlaced ? kStep[pass] : 1)
            rows.push_back(y);
    return rows;
}

// The screen as frames are drawn on it and disposed of, in pixels of any
// kind: palette indexes or colours.
template <typename Pixel>
class Screen {
  public:
    Screen(int width, int height, Pixel clear)
        : width_(width),
          height_(height),
          clear_(clear),
          pixels_(std::size_t(width) * std::size_t(height), clear) {}

    const Pixel* row(int y) const { return &pixels_[std::size_t(y) * std::size_t(width_)]; }

    void beginFrame(const Frame& frame) {
        if (frame.control.disposal == kDisposeToPrevious) saved_ = pixels_;
    }
    // Draws a row of the frame's indexes, clipped to the screen, skipping
    // its transparent ones.
    template <typename ColourOf>
    void drawRow(const Frame& frame, int y, const GifPixelType* indexes, ColourOf colourOf) {
        const int sy = frame.top + y;
        if (sy >= height_) return;
        Pixel* to = &pixels_[std::size_t(sy) * std::size_t(width_)];
        const int end = std::min(frame.width, width_ - frame.left);
        for (int x = 0; x < end; ++x)
            if (indexes[x] != frame.control.transparent) to[frame.left + x] = colourOf(indexes[x]);
    }
    void endFrame(const Frame& frame) {
        if (frame.control.disposal == kDisposeToPrevious) {
            pixels_.swap(saved_);
        } else if (frame.control.disposal == kDisposeToBackground) {
            const int right = std::min(width_, frame.left + frame.width);
            for (int y = frame.top; y < std::min(height_, frame.top + frame.height); ++y)
                for (int x = frame.left; x < right; ++x)
                    pixels_[std::size_t(y) * std::size_t(width_) + std::size_t(x)] = clear_;
        }
    }

  private:
    int width_, height_;
    Pixel clear_;
    std::vector<Pixel> pixels_, saved_;
};

// Decodes every frame the survey found and draws it; `shown(n, screen)`
// takes the screen as frame n left it, before its disposal.
template <typename Pixel, typename ColourOf, typename Shown>
Outcome compose(std::span<const std::uint8_t> bytes, const Survey& survey, Pixel clear,
                ColourOf colourOf, Shown shown) {
    Reader reader{bytes};
    GifHandle gif;
    if (Outcome opened = open(reader, gif); !opened) return opened;
    Screen<Pixel> screen(survey.width, survey.height, clear);
    std::vector<GifPixelType> line;
    Control ignored;
    for (std::size_t n = 0; n < survey.frames.size();) {
        GifRecordType type = UNDEFINED_RECORD_TYPE;
        if (Outcome next = nextRecord(reader, gif, type); !next) return next;
        if (type == EXTENSION_RECORD_TYPE) {
            if (Outcome read = readExtension(reader, gif, ignored); !read) return read;
            continue;
        }
        if (type != IMAGE_DESC_RECORD_TYPE) return damaged();
        if (DGifGetImageDesc(gif.get()) == GIF_ERROR) return readFailure(reader, gif);
        const Frame& frame = survey.frames[n];
        const ColourTable& table = survey.tables[static_cast<std::size_t>(frame.table)];
        const auto colour = [&](GifPixelType index) { return colourOf(table, index); };
        screen.beginFrame(frame);
        if (frame.width > 0 && frame.height > 0) {
            line.resize(static_cast<std::size_t>(frame.width));
            for (const int y : rowOrder(frame.height, frame.interlaced)) {
                if (DGifGetLine(gif.get(), line.data(), frame.width) == GIF_ERROR)
                    return readFailure(reader, gif);
                screen.drawRow(frame, y, line.data(), colour);
            }
        } else {
            std::uint64_t skipped = 0;
            if (Outcome skip = skipImageData(reader, gif, skipped); !skip) return skip;
        }
        shown(n, screen);
        screen.endFrame(frame);
        ++n;
    }
    return Outcome::done();
}

bool oneColourTable(const Survey& survey) {
    const ColourTable& first = survey.tables[static_cast<std::size_t>(survey.frames[0].table)];
    return std::all_of(survey.frames.begin(), survey.frames.end(), [&](const Frame& frame) {
        return survey.tables[static_cast<std::size_t>(frame.table)] == first;
    });
}

// The transparent index of frames that share a colour table (see decodeGif),
// or -1 when the clear pixels find none.
int chooseTransparentIndex(const Survey& survey, const std::vector<std::uint16_t>& sheet,
                           bool& anyClear) {
    std::array<bool, kPaletteEntries> shown{};
    anyClear = false;
    for (const std::uint16_t p : sheet)
        if (p == kClearIndex)
            anyClear = true;
        else
            shown[p] = true;
    int given = -1;
    for (const Frame& frame : survey.frames) {
        const int t = frame.control.transparent;
        if (t < 0) continue;
        given = given == -1 || given == t ? t : -2;
    }
    if (given >= 0 && !shown[static_cast<std::size_t>(given)]) return given;
    if (!anyClear) return -1;
    const auto unused = std::find(shown.begin(), shown.end(), false);
    return unused == shown.end() ? -1 : static_cast<int>(unused - shown.begin());
}

// The frames as indexes into their one colour table; false in `fits` when
// clear pixels are left without an entry of their own.
Outcome composeIndexes(std::span<const std::uint8_t> bytes, const Survey& survey,
                       IndexedPicture& picture, bool& fits) {
    const std::size_t sheetWidth = std::size_t(survey.width) * survey.frames.size();
    std::vector<std::uint16_t> sheet(sheetWidth * std::size_t(survey.height));
    const auto indexOf = [](const ColourTable&, GifPixelType index) {
        return static_cast<std::uint16_t>(index);
    };
    const auto shown = [&](std::size_t n, const Screen<std::uint16_t>& screen) {
        const std::size_t width = std::size_t(survey.width);
        for (int y = 0; y < survey.height; ++y)
            std::copy_n(screen.row(y), width, &sheet[std::size_t(y) * sheetWidth + n * width]);
    };
    if (Outcome composed = compose(bytes, survey, kClearIndex, indexOf, shown); !composed)
        return composed;
    bool anyClear = false;
    const int key = chooseTransparentIndex(survey, sheet, anyClear);
    fits = !anyClear || key >= 0;
    if (!fits) return Outcome::done();
    picture.width = static_cast<int>(sheetWidth);
    picture.height = survey.height;
    picture.palette = survey.tables[static_cast<std::size_t>(survey.frames[0].table)].colours;
    picture.transparentIndex = key;
    picture.indexes.resize(sheet.size());
    std::transform(sheet.begin(), sheet.end(), picture.indexes.begin(), [key](std::uint16_t p) {
        return static_cast<std::uint8_t>(p == kClearIndex ? key : p);
    });
    return Outcome::done();
}

// The frames in colour, each through its own colour table; an index past
// the table's end shows black.
Outcome composeColours(std::span<const std::uint8_t> bytes, const Survey& survey,
                       RgbaPicture& picture) {
    using Rgba = std::array<std::uint8_t, 4>;
    const std::size_t sheetWidth = std::size_t(survey.width) * survey.frames.size();
    picture.width = static_cast<int>(sheetWidth);
    picture.height = survey.height;
    picture.rgba.resize(sheetWidth * std::size_t(survey.height) * 4);
    const auto colourOf = [](const ColourTable& table, GifPixelType index) {
        const std::uint8_t* c = &table.colours[std::size_t{index} * 3];
        return Rgba{c[0], c[1], c[2], 255};
    };
    const auto shown = [&](std::size_t n, const Screen<Rgba>& screen) {
        const std::size_t width = std::size_t(survey.width);
        for (int y = 0; y < survey.height; ++y)
            std::memcpy(&picture.rgba[(std::size_t(y) * sheetWidth + n * width) * 4], screen.row(y),
                        width * 4);
    };
    return compose(bytes, survey, Rgba{0, 0, 0, 0}, colourOf, shown);
}

Outcome decode(std::span<const std::uint8_t> bytes, GifSheet& out, std::uint64_t maxPixels) {
    Survey survey;
    if (Outcome surveyed = surveyFile(bytes, maxPixels, survey); !surveyed) return surveyed;
    GifSheet sheet;
    sheet.tileWidth = survey.width;
    sheet.tileHeight = survey.height;
    sheet.frames = static_cast<int>(survey.frames.size());
    if (oneColourTable(survey)) {
        IndexedPicture picture;
        bool fits = false;
        if (Outcome read = composeIndexes(bytes, survey, picture, fits); !read) return read;
        if (fits) {
            sheet.picture = std::move(picture);
            out = std::move(sheet);
            return Outcome::done();
        }
    }
    RgbaPicture picture;
    if (Outcome read = composeColours(bytes, survey, picture); !read) return read;
    sheet.picture = std::move(picture);
    out = std::move(sheet);
    return Outcome::done();
}

}  // namespace

Outcome decodeGif(std::span<const std::uint8_t> bytes, GifSheet& out, std::uint64_t maxPixels) {
    try {
        return decode(bytes, out, maxPixels);
    } catch (const std::bad_alloc&) {
        return cannotCreate();
    } catch (const std::length_error&) {
        return cannotCreate();
    }
}

}  // namespace zentil
