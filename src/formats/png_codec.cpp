#include "formats/png_codec.h"

#include <spng.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

#include "formats/png_image_data.h"
#include "system/byte_source.h"
#include "system/texts.h"

namespace zentil {

namespace {

// Limits for the chunks the library keeps beside the picture (text, ICC
// profiles and the like): no single one above 16 MiB, 64 MiB for all.
constexpr std::size_t kChunkSizeLimit = std::size_t{16} << 20;
constexpr std::size_t kChunkCacheLimit = std::size_t{64} << 20;

// A deflate stream gives at most 1032 bytes per byte it holds (a 258-byte
// match coded in two bits), so image data shorter than the picture's pixels
// over 1032 cannot describe them.
constexpr std::uint64_t kMaxInflateRatio = 1032;

struct ContextDeleter {
    void operator()(spng_ctx* ctx) const { spng_ctx_free(ctx); }
};
using Context = std::unique_ptr<spng_ctx, ContextDeleter>;

Outcome readFailureBecause(const char* reason) {
    return Outcome::error(formatText(texts::kPngCannotReadBecauseF, reason));
}
// What the file's contents contradict (our own checks of sizes and rows).
Outcome readFailure() {
    return readFailureBecause(texts::kPngReasonDamaged);
}
// The library's refusals, in words a user understands: the library's own
// words ("invalid argument", "end of stream") say nothing to one. Errors of
// the library's state or limits give no reason at all.
Outcome readFailure(int error) {
    switch (error) {
        case SPNG_ESIGNATURE:
            return readFailureBecause(texts::kPngReasonNotPng);
        case SPNG_IO_EOF:  // the end of the bytes came first
        case SPNG_EOF:
            return readFailureBecause(texts::kPngReasonCut);
        case SPNG_IO_ERROR:
        case SPNG_EINVAL:
        case SPNG_EMEM:
        case SPNG_EOVERFLOW:
        case SPNG_EBUFSIZ:
        case SPNG_EBUF_SET:
        case SPNG_EBADSTATE:
        case SPNG_EFMT:
        case SPNG_EFLAGS:
        case SPNG_ECHUNKAVAIL:
        case SPNG_ENCODE_ONLY:
        case SPNG_ECHUNK_LIMITS:
        case SPNG_EZLIB_INIT:
        case SPNG_EINTERNAL:
        case SPNG_ECTXTYPE:
        case SPNG_ENOSRC:
        case SPNG_ENODST:
        case SPNG_EOPSTATE:
        case SPNG_ENOTFINAL:
            return Outcome::error(texts::kPngCannotRead);
        default:
            return readFailure();
    }
}
Outcome cannotCreate() {
    return Outcome::error(texts::kCannotCreateImage);
}
Outcome tooManyColours() {
    return Outcome::error(texts::kPngTooManyColours);
}
Outcome cannotSave() {
    return Outcome::error(texts::kPngCannotSave);
}

std::uint32_t bigEndian32(const std::uint8_t* p) {
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) |
           p[3];
}

// The bytes of all IDAT chunks, following the chunk lengths as far as they
// stay inside the file.
std::uint64_t imageDataBytes(ByteSource& source) {
    std::uint64_t total = 0;
    std::uint64_t at = 8;
    const std::uint64_t size = source.size();
    std::uint8_t head[8];
    while (at <= size && size - at >= 12 && source.copy(at, head, sizeof head)) {
        const std::uint32_t length = bigEndian32(head);
        if (length > size - at - 12) break;
        const std::uint8_t* type = head + 4;
        if (std::memcmp(type, "IDAT", 4) == 0) total += length;
        if (std::memcmp(type, "IEND", 4) == 0) break;
        at += 12 + std::uint64_t{length};
    }
    return total;
}

// Hands the library the file a piece at a time.
struct StreamReader {
    ByteSource* source = nullptr;
    std::uint64_t at = 0;
};

int readStream(spng_ctx*, void* user, void* to, std::size_t length) {
    auto& reader = *static_cast<StreamReader*>(user);
    if (!reader.source->copy(reader.at, static_cast<std::uint8_t*>(to), length))
        return reader.at + length > reader.source->size() ? SPNG_IO_EOF : SPNG_IO_ERROR;
    reader.at += length;
    return 0;
}

// Pixels of passes 1 to 7 of Adam7 interlacing start at these columns and
// repeat every so many.
constexpr std::array<int, 7> kPassFirstColumn = {0, 4, 0, 2, 0, 1, 0};
constexpr std::array<int, 7> kPassColumnStep = {8, 8, 4, 4, 2, 2, 1};

// Colours of a true-colour picture, numbered in the order they are met.
// Pixels of alpha 0 all share one entry.
class ColourIndexer {
  public:
    static constexpr std::uint32_t kTransparentKey = 0x1000000;

    // The entry of the key (0x00BBGGRR, or kTransparentKey); -1 when it would
    // be the 257th.
    int entryOf(std::uint32_t key) {
        // Keys are stored plus one so that 0 marks a free slot.
        std::uint32_t slot = (key * 2654435761u) >> (32 - kSlotBits);
        while (keys_[slot] != 0) {
            if (keys_[slot] == key + 1) return entries_[slot];
            slot = (slot + 1) & (kSlots - 1);
        }
        if (count_ == kPaletteEntries) return -1;
        keys_[slot] = key + 1;
        entries_[slot] = static_cast<std::uint8_t>(count_);
        keyOf_[count_] = key;
        return count_++;
    }

    int count() const { return count_; }
    std::uint32_t keyOf(int entry) const { return keyOf_[entry]; }

  private:
    static constexpr int kSlotBits = 10;
    static constexpr std::uint32_t kSlots = 1u << kSlotBits;
    std::array<std::uint32_t, kSlots> keys_{};
    std::array<std::uint8_t, kSlots> entries_{};
    std::array<std::uint32_t, kPaletteEntries> keyOf_{};
    int count_ = 0;
};

// The rows the indexes go to.
struct Rows {
    std::uint8_t* base = nullptr;
    std::size_t stride = 0;
    std::uint8_t* row(std::size_t y) const { return base + y * stride; }
};

// Where the next row of a progressive decode goes; SPNG_EOI after the last.
// The library says the end with the last row too, but not when the last of
// the seven passes of an interlaced picture holds no rows (pictures one row
// high): then only when asked for the row after it.
int nextRow(spng_ctx* ctx, spng_row_info& info) {
    return spng_get_row_info(ctx, &info);
}

// Palette pictures and grey pictures of up to 8 bits: the samples are the
// indexes.
Outcome decodeSamples(spng_ctx* ctx, const spng_ihdr& ihdr, const Rows& out) {
    std::size_t size = 0;
    int error = spng_decoded_image_size(ctx, SPNG_FMT_PNG, &size);
    if (error) return readFailure(error);
    const std::size_t width = ihdr.width;
    const std::size_t height = ihdr.height;
    const int depth = ihdr.bit_depth;
    const bool interlaced = ihdr.interlace_method != SPNG_INTERLACE_NONE;
    if (depth == 8 && size != width * height) return readFailure();
    // Rows that lie back to back take the picture at once.
    if (depth == 8 && out.stride == width) {
        error = spng_decode_image(ctx, out.row(0), size, SPNG_FMT_PNG, 0);
        return error ? readFailure(error) : Outcome::done();
    }

    // Otherwise a row at a time: 8-bit rows of a picture that is not
    // interlaced straight into their place, others through one row of the
    // file's samples (1, 2 or 4 bits each, leftmost sample in the high bits)
    // in their places in the row, of which an interlaced pass holds every so
    // many.
    const std::size_t rowBytes = size / height;
    if (rowBytes * height != size || rowBytes * 8 < width * depth) return readFailure();
    error = spng_decode_image(ctx, nullptr, 0, SPNG_FMT_PNG, SPNG_DECODE_PROGRESSIVE);
    if (error) return readFailure(error);
    const bool direct = depth == 8 && !interlaced;
    std::vector<std::uint8_t> packed(direct ? 0 : rowBytes);
    const int perByte = 8 / depth;
    const unsigned mask = (1u << depth) - 1;
    spng_row_info info{};
    while ((error = nextRow(ctx, info)) == 0) {
        if (info.row_num >= height || info.pass < 0 || info.pass >= 7) return readFailure();
        std::uint8_t* to = out.row(info.row_num);
        // The library puts an interlaced pass's samples of under 8 bits in
        // their places by adding their bits to what the row holds.
        if (interlaced && depth < 8) std::fill(packed.begin(), packed.end(), 0);
        error = direct ? spng_decode_row(ctx, to, width)
                       : spng_decode_row(ctx, packed.data(), packed.size());
        if (error != 0 && error != SPNG_EOI) return readFailure(error);
        if (direct) continue;
        const std::size_t first = interlaced ? kPassFirstColumn[info.pass] : 0;
        const std::size_t step = interlaced ? kPassColumnStep[info.pass] : 1;
        for (std::size_t x = first; x < width; x += step) {
            const int shift = 8 - depth * (1 + static_cast<int>(x % perByte));
            to[x] = static_cast<std::uint8_t>((packed[x / perByte] >> shift) & mask);
        }
    }
    return error == SPNG_EOI ? Outcome::done() : readFailure(error);
}

// True-colour pictures and grey pictures with alpha, row by row as RGBA.
Outcome decodeColours(spng_ctx* ctx, const spng_ihdr& ihdr, IndexedPicture& picture,
                      const Rows& out) {
    int error = spng_decode_image(ctx, nullptr, 0, SPNG_FMT_RGBA8,
                                  SPNG_DECODE_TRNS | SPNG_DECODE_PROGRESSIVE);
    if (error) return readFailure(error);
    const std::size_t width = ihdr.width;
    const std::size_t height = ihdr.height;
    const bool interlaced = ihdr.interlace_method != SPNG_INTERLACE_NONE;
    std::vector<std::uint8_t> row(width * 4);
    ColourIndexer colours;
    // The colour of the first pixel of alpha 0 in reading order, which the
    // shared transparent entry shows.
    std::uint64_t firstTransparent = std::numeric_limits<std::uint64_t>::max();
    std::uint32_t transparentColour = 0;

    spng_row_info info{};
    while ((error = nextRow(ctx, info)) == 0) {
        error = spng_decode_row(ctx, row.data(), row.size());
        if (error != 0 && error != SPNG_EOI) return readFailure(error);
        if (info.row_num >= height || info.pass < 0 || info.pass >= 7) return readFailure();

        const std::size_t first = interlaced ? kPassFirstColumn[info.pass] : 0;
        const std::size_t step = interlaced ? kPassColumnStep[info.pass] : 1;
        const std::uint64_t rowStart = std::uint64_t{info.row_num} * width;
        std::uint8_t* to = out.row(info.row_num);
        std::uint32_t lastPixel = 0;
        int lastEntry = -1;
        for (std::size_t x = first; x < width; x += step) {
            const std::uint8_t* p = &row[x * 4];
            std::uint32_t pixel;
            std::memcpy(&pixel, p, 4);
            if (lastEntry < 0 || pixel != lastPixel) {
                const bool clear = p[3] == 0;
                const std::uint32_t colour =
                    std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16);
                lastEntry = colours.entryOf(clear ? ColourIndexer::kTransparentKey : colour);
                if (lastEntry < 0) return tooManyColours();
                lastPixel = pixel;
                if (clear && rowStart + x < firstTransparent) {
                    firstTransparent = rowStart + x;
                    transparentColour = colour;
                }
            }
            to[x] = static_cast<std::uint8_t>(lastEntry);
        }
    }
    if (error != SPNG_EOI) return readFailure(error);

    // Entries are numbered in the order the rows arrived; interlaced rows
    // arrive out of reading order, so they are renumbered.
    std::array<std::uint8_t, kPaletteEntries> renumber{};
    const int count = colours.count();
    if (interlaced) {
        std::array<bool, kPaletteEntries> seen{};
        int next = 0;
        for (std::size_t y = 0; y < height && next < count; ++y)
            for (std::size_t x = 0; x < width && next < count; ++x) {
                const std::uint8_t entry = out.row(y)[x];
                if (!seen[entry]) {
                    seen[entry] = true;
                    renumber[entry] = static_cast<std::uint8_t>(next++);
                }
            }
        for (std::size_t y = 0; y < height; ++y)
            for (std::size_t x = 0; x < width; ++x)
                out.row(y)[x] = renumber[out.row(y)[x]];
    } else {
        for (int n = 0; n < count; ++n)
            renumber[n] = static_cast<std::uint8_t>(n);
    }
    for (int n = 0; n < count; ++n) {
        std::uint32_t key = colours.keyOf(n);
        if (key == ColourIndexer::kTransparentKey) {
            picture.transparentIndex = renumber[n];
            key = transparentColour;
        }
        std::uint8_t* entry = &picture.palette[renumber[n] * 3];
        entry[0] = static_cast<std::uint8_t>(key);
        entry[1] = static_cast<std::uint8_t>(key >> 8);
        entry[2] = static_cast<std::uint8_t>(key >> 16);
    }
    return Outcome::done();
}

// A picture the library has opened: its header, the channels of a pixel as
// stored and the tRNS chunk, if any.
struct Opened {
    StreamReader reader;  // the library holds its address
    Context owner;
    spng_ihdr ihdr{};
    int channels = 1;
    bool hasTrns = false;
    spng_trns trns{};
    spng_ctx* ctx() const { return owner.get(); }
};

// Which sample depths a read takes: 16-bit samples have no palette entries to
// become, so only the reader of true colour takes them.
enum class Depths { UpTo8, Any };

// Opens the picture in `source` (bytes in memory are handed over at once, a
// file through the reader) and checks its header against the limits before
// any pixel buffer exists, then the chunks before the image data.
Outcome start(ByteSource& source, std::uint64_t maxPixels, Opened& png,
              Depths depths = Depths::UpTo8) {
    StreamReader& reader = png.reader;
    Context& owner = png.owner;
    spng_ihdr& ihdr = png.ihdr;
    int& channels = png.channels;
    // An empty file, or one that does not start as a PNG file does, says so
    // before the library looks at it.
    static constexpr std::uint8_t kSignature[8] = {137, 80, 78, 71, 13, 10, 26, 10};
    if (source.size() == 0) return readFailureBecause(texts::kPngReasonEmpty);
    // As much of the signature as the file holds, however the source hands
    // it over.
    std::uint8_t first[sizeof kSignature];
    const auto head = static_cast<std::size_t>(std::min<std::uint64_t>(source.size(), 8));
    if (!source.copy(0, first, head)) return readFailure(SPNG_IO_ERROR);
    if (std::memcmp(first, kSignature, head) != 0)
        return readFailureBecause(texts::kPngReasonNotPng);
    // The CRC-32 of every chunk is checked, which is what finds a damaged
    // or cut file; the Adler-32 of the inflated data would only find a
    // stream rebuilt with right CRCs, and costs an eighth of a read.
    owner.reset(spng_ctx_new(SPNG_CTX_IGNORE_ADLER32));
    spng_ctx* ctx = owner.get();
    if (!ctx) return cannotCreate();
    const auto sideLimit = static_cast<std::uint32_t>(
        std::clamp<std::uint64_t>(maxPixels, 1, std::numeric_limits<std::int32_t>::max()));
    spng_set_image_limits(ctx, sideLimit, sideLimit);
    spng_set_chunk_limits(ctx, kChunkSizeLimit, kChunkCacheLimit);
    const std::span<const std::uint8_t> bytes = source.whole();
    reader.source = &source;
    int error = bytes.empty() ? spng_set_png_stream(ctx, &readStream, &reader)
                              : spng_set_png_buffer(ctx, bytes.data(), bytes.size());
    if (error) return readFailure(error);

    error = spng_get_ihdr(ctx, &ihdr);
    if (error == SPNG_EUSER_WIDTH || error == SPNG_EUSER_HEIGHT) return cannotCreate();
    if (error) return readFailure(error);
    const std::uint64_t pixels = std::uint64_t{ihdr.width} * ihdr.height;
    if (pixels > maxPixels) return cannotCreate();

    channels = 1;
    switch (ihdr.color_type) {
        case SPNG_COLOR_TYPE_INDEXED:
        case SPNG_COLOR_TYPE_GRAYSCALE:
            break;
        case SPNG_COLOR_TYPE_GRAYSCALE_ALPHA:
            channels = 2;
            break;
        case SPNG_COLOR_TYPE_TRUECOLOR:
            channels = 3;
            break;
        case SPNG_COLOR_TYPE_TRUECOLOR_ALPHA:
            channels = 4;
            break;
        default:
            return readFailure();
    }
    const bool wide = ihdr.bit_depth > 8;
    if (wide && depths == Depths::UpTo8) return tooManyColours();
    // The colour paths hold one row as RGBA beside the picture, of 16-bit
    // channels for 16-bit samples.
    const std::uint64_t rowPixelBytes = wide ? 8 : 4;
    if ((channels > 1 || wide) && std::uint64_t{ihdr.width} * rowPixelBytes > maxPixels)
        return cannotCreate();
    const std::uint64_t mostBits = (imageDataBytes(source) + 16) * kMaxInflateRatio * 8;
    if (pixels > mostBits / (std::uint64_t(channels) * ihdr.bit_depth)) return readFailure();
    // The chunks before the image data, read and checked now: a damaged,
    // repeated or unknown critical one refuses the file whichever way its
    // image data is read afterwards.
    error = spng_get_trns(ctx, &png.trns);
    if (error != 0 && error != SPNG_ECHUNKAVAIL) return readFailure(error);
    png.hasTrns = error == 0;
    return Outcome::done();
}

// The palette of a palette picture, with its transparent entries; the
// number of its entries in `entries`.
Outcome readPalette(const Opened& png, IndexedPicture& picture, std::uint32_t& entries) {
    spng_plte plte{};
    if (const int error = spng_get_plte(png.ctx(), &plte)) return readFailure(error);
    entries = plte.n_entries;
    const std::uint32_t count = std::min<std::uint32_t>(plte.n_entries, kPaletteEntries);
    for (std::uint32_t n = 0; n < count; ++n) {
        picture.palette[n * 3 + 0] = plte.entries[n].red;
        picture.palette[n * 3 + 1] = plte.entries[n].green;
        picture.palette[n * 3 + 2] = plte.entries[n].blue;
    }
    const std::uint32_t alphas =
        png.hasTrns ? std::min<std::uint32_t>(png.trns.n_type3_entries, kPaletteEntries) : 0;
    for (std::uint32_t n = 0; n < alphas; ++n) {
        if (png.trns.type3_alpha[n] != 0) continue;
        if (picture.transparentIndex < 0) picture.transparentIndex = static_cast<int>(n);
        ++picture.transparentEntries;
    }
    return Outcome::done();
}

// A page has one transparent entry: the pixels of every other fully
// transparent entry of the file's palette take its index, so that they stay
// hidden.
void hideTransparentEntries(const Opened& png, const IndexedPicture& picture, const Rows& out) {
    if (picture.transparentEntries < 2) return;
    std::array<std::uint8_t, kPaletteEntries> to{};
    for (int n = 0; n < kPaletteEntries; ++n)
        to[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(n);
    for (std::uint32_t n = 0; n < png.trns.n_type3_entries && n < kPaletteEntries; ++n)
        if (png.trns.type3_alpha[n] == 0)
            to[n] = static_cast<std::uint8_t>(picture.transparentIndex);
    for (std::size_t y = 0; y < png.ihdr.height; ++y) {
        std::uint8_t* row = out.row(y);
        for (std::size_t x = 0; x < png.ihdr.width; ++x)
            row[x] = to[row[x]];
    }
}

// The indexes of a picture of at most 8 bits per sample that `start` opened.
// Pictures of more than 256 colours fail with kPngTooManyColours, and only
// they.
Outcome decodeOpened(ByteSource& source, Opened& png, IndexedPicture& picture,
                     const PngDestination& destination) {
    spng_ctx* ctx = png.ctx();
    const spng_ihdr& ihdr = png.ihdr;
    const bool samples = png.channels == 1;
    picture.width = static_cast<int>(ihdr.width);
    picture.height = static_cast<int>(ihdr.height);
    picture.palette.fill(0);
    picture.transparentIndex = -1;
    picture.transparentEntries = 0;
    if (ihdr.color_type == SPNG_COLOR_TYPE_INDEXED) {
        std::uint32_t entries = 0;
        if (Outcome read = readPalette(png, picture, entries); !read) return read;
    } else if (ihdr.color_type == SPNG_COLOR_TYPE_GRAYSCALE) {
        const int levels = 1 << ihdr.bit_depth;
        for (int n = 0; n < levels; ++n) {
            const auto grey = static_cast<std::uint8_t>(n * 255 / (levels - 1));
            picture.palette[n * 3 + 0] = picture.palette[n * 3 + 1] = picture.palette[n * 3 + 2] =
                grey;
        }
        if (png.hasTrns && png.trns.gray < levels) picture.transparentIndex = png.trns.gray;
    }
    Rows out;
    out.base = destination(picture.width, picture.height, out.stride);
    if (!out.base) return cannotCreate();
    // Plain 8-bit files held in memory (as work files hold) in one go; the
    // rest, and whatever that does not take, through the library.
    const bool whole =
        samples && ihdr.bit_depth == 8 && ihdr.interlace_method == SPNG_INTERLACE_NONE &&
        decodeWholeImageData(source.whole(), ihdr.width, ihdr.height, 1, out.base, out.stride);
    if (!whole) {
        Outcome outcome =
            samples ? decodeSamples(ctx, ihdr, out) : decodeColours(ctx, ihdr, picture, out);
        if (!outcome) return outcome;
        // The chunks after the image, up to the end marker, so that a file
        // cut anywhere is refused.
        if (const int error = spng_decode_chunks(ctx)) return readFailure(error);
    }
    hideTransparentEntries(png, picture, out);
    return Outcome::done();
}

Outcome decode(ByteSource& source, IndexedPicture& picture, const PngDestination& destination,
               std::uint64_t maxPixels) {
    Opened png;
    if (Outcome opened = start(source, maxPixels, png); !opened) return opened;
    return decodeOpened(source, png, picture, destination);
}

// The indexes into the picture's own vector, row after row.
PngDestination intoIndexes(IndexedPicture& picture) {
    return [&picture](int width, int height, std::size_t& stride) {
        stride = static_cast<std::size_t>(width);
        picture.indexes.resize(stride * static_cast<std::size_t>(height));
        return picture.indexes.data();
    };
}

// A 16-bit sample as the nearest 8-bit one: v * 255 / 65535, rounded.
std::uint8_t nearest8(std::uint16_t v) {
    return static_cast<std::uint8_t>((std::uint32_t{v} * 255 + 32767) / 65535);
}

// A picture of any kind that `start` opened, as 8-bit RGBA with the tRNS
// colour made alpha 0; 16-bit samples arrive as 16-bit RGBA a row at a time
// and are scaled.
Outcome decodeRgba(Opened& png, RgbaPicture& picture) {
    spng_ctx* ctx = png.ctx();
    const spng_ihdr& ihdr = png.ihdr;
    const bool wide = ihdr.bit_depth > 8;
    int error = spng_decode_image(ctx, nullptr, 0, wide ? SPNG_FMT_RGBA16 : SPNG_FMT_RGBA8,
                                  SPNG_DECODE_TRNS | SPNG_DECODE_PROGRESSIVE);
    if (error) return readFailure(error);
    const std::size_t width = ihdr.width;
    const std::size_t height = ihdr.height;
    const bool interlaced = ihdr.interlace_method != SPNG_INTERLACE_NONE;
    picture.width = static_cast<int>(width);
    picture.height = static_cast<int>(height);
    picture.rgba.resize(width * height * 4);
    // Rows of 8 bits that are not interlaced go straight to their place.
    const bool direct = !wide && !interlaced;
    std::vector<std::uint8_t> row8(direct || wide ? 0 : width * 4);
    std::vector<std::uint16_t> row16(wide ? width * 4 : 0);
    spng_row_info info{};
    while ((error = nextRow(ctx, info)) == 0) {
        if (info.row_num >= height || info.pass < 0 || info.pass >= 7) return readFailure();
        std::uint8_t* to = &picture.rgba[std::size_t{info.row_num} * width * 4];
        error = direct ? spng_decode_row(ctx, to, width * 4)
                : wide ? spng_decode_row(ctx, row16.data(), row16.size() * 2)
                       : spng_decode_row(ctx, row8.data(), row8.size());
        if (error != 0 && error != SPNG_EOI) return readFailure(error);
        if (direct) continue;
        const std::size_t first = interlaced ? kPassFirstColumn[info.pass] : 0;
        const std::size_t step = interlaced ? kPassColumnStep[info.pass] : 1;
        for (std::size_t x = first; x < width; x += step)
            for (std::size_t c = x * 4; c < x * 4 + 4; ++c)
                to[c] = wide ? nearest8(row16[c]) : row8[c];
    }
    if (error != SPNG_EOI) return readFailure(error);
    // The chunks after the image, up to the end marker, so that a file cut
    // anywhere is refused.
    if ((error = spng_decode_chunks(ctx))) return readFailure(error);
    return Outcome::done();
}

// A picture of at most 8 bits per sample as indexes, as decodePng reads it;
// one of more colours, or of 16 bits per sample, as RGBA.
Outcome decodeAny(ByteSource& source, DecodedPicture& out, std::uint64_t maxPixels) {
    Opened png;
    if (Outcome opened = start(source, maxPixels, png, Depths::Any); !opened) return opened;
    if (png.ihdr.bit_depth <= 8) {
        IndexedPicture indexed;
        Outcome read = decodeOpened(source, png, indexed, intoIndexes(indexed));
        if (read) out = std::move(indexed);
        if (read || read.text != texts::kPngTooManyColours) return read;
        // The library reads a file once: the colours come from a second
        // start, once the indexes have let their memory go.
        png = Opened{};
        if (Outcome opened = start(source, maxPixels, png, Depths::Any); !opened) return opened;
    }
    RgbaPicture rgba;
    if (Outcome read = decodeRgba(png, rgba); !read) return read;
    out = std::move(rgba);
    return Outcome::done();
}

int appendToVector(spng_ctx*, void* user, void* data, std::size_t length) {
    auto& file = *static_cast<std::vector<std::uint8_t>*>(user);
    const auto* from = static_cast<const std::uint8_t*>(data);
    try {
        file.insert(file.end(), from, from + length);
    } catch (const std::exception&) {
        return SPNG_IO_ERROR;
    }
    return 0;
}

// Writes a picture of one 8-bit sample per channel from `pixels`.
Outcome encode(spng_ihdr ihdr, const spng_plte* plte, const spng_trns* trns,
               const std::uint8_t* pixels, std::size_t size, int level,
               std::vector<std::uint8_t>& out) {
    try {
        Context owner(spng_ctx_new(SPNG_CTX_ENCODER));
        spng_ctx* ctx = owner.get();
        if (!ctx) return cannotSave();
        std::vector<std::uint8_t> file;
        file.reserve(size / 4 + 1024);
        bool ok = spng_set_png_stream(ctx, appendToVector, &file) == 0 &&
                  spng_set_option(ctx, SPNG_IMG_COMPRESSION_LEVEL, level) == 0 &&
                  spng_set_ihdr(ctx, &ihdr) == 0;
        // Palette indexes are not numbers that neighbours predict, so their
        // rows are stored unfiltered (adaptive filters made sprite sheets
        // both larger and slower to write).
        if (ok && plte)
            ok = spng_set_option(ctx, SPNG_FILTER_CHOICE, SPNG_DISABLE_FILTERING) == 0 &&
                 spng_set_plte(ctx, const_cast<spng_plte*>(plte)) == 0;
        if (ok && trns) ok = spng_set_trns(ctx, const_cast<spng_trns*>(trns)) == 0;
        if (ok) ok = spng_encode_image(ctx, pixels, size, SPNG_FMT_PNG, SPNG_ENCODE_FINALIZE) == 0;
        if (!ok) return cannotSave();
        out = std::move(file);
        return Outcome::done();
    } catch (const std::exception&) {
        return cannotSave();
    }
}

// The size of a picture to write, or 0 when it has no pixels.
std::size_t pixelCount(int width, int height) {
    if (width <= 0 || height <= 0) return 0;
    return static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
}

}  // namespace

Outcome decodePng(std::span<const std::uint8_t> bytes, IndexedPicture& out,
                  std::uint64_t maxPixels) {
    try {
        IndexedPicture picture;
        MemorySource source(bytes);
        Outcome outcome = decode(source, picture, intoIndexes(picture), maxPixels);
        if (outcome) out = std::move(picture);
        return outcome;
    } catch (const std::bad_alloc&) {
        return cannotCreate();
    } catch (const std::length_error&) {
        return cannotCreate();
    }
}

Outcome decodePngInto(std::span<const std::uint8_t> bytes, IndexedPicture& header,
                      const PngDestination& destination, std::uint64_t maxPixels) {
    MemorySource source(bytes);
    return decodePngInto(source, header, destination, maxPixels);
}

Outcome decodePngInto(ByteSource& source, IndexedPicture& header, const PngDestination& destination,
                      std::uint64_t maxPixels) {
    try {
        IndexedPicture picture;
        Outcome outcome = decode(source, picture, destination, maxPixels);
        if (outcome) header = std::move(picture);
        return outcome;
    } catch (const std::bad_alloc&) {
        return cannotCreate();
    } catch (const std::length_error&) {
        return cannotCreate();
    }
}

Outcome decodePngPicture(std::span<const std::uint8_t> bytes, DecodedPicture& out,
                         std::uint64_t maxPixels) {
    MemorySource source(bytes);
    return decodePngPicture(source, out, maxPixels);
}

Outcome decodePngPicture(ByteSource& source, DecodedPicture& out, std::uint64_t maxPixels) {
    try {
        return decodeAny(source, out, maxPixels);
    } catch (const std::bad_alloc&) {
        return cannotCreate();
    } catch (const std::length_error&) {
        return cannotCreate();
    }
}

Outcome describePng(ByteSource& source, PngFacts& out) {
    try {
        Opened png;
        if (Outcome opened = start(source, std::numeric_limits<std::uint64_t>::max(), png); !opened)
            return opened;
        PngFacts facts;
        facts.width = static_cast<int>(png.ihdr.width);
        facts.height = static_cast<int>(png.ihdr.height);
        facts.bitDepth = png.ihdr.bit_depth;
        facts.colourType = static_cast<PngColourType>(png.ihdr.color_type);
        facts.interlaced = png.ihdr.interlace_method != SPNG_INTERLACE_NONE;
        if (facts.colourType == PngColourType::Palette) {
            IndexedPicture picture;
            std::uint32_t entries = 0;
            if (Outcome read = readPalette(png, picture, entries); !read) return read;
            facts.paletteEntries = static_cast<int>(entries);
            facts.transparentEntries = picture.transparentEntries;
        } else {
            facts.transparentColour = png.hasTrns;
        }
        out = facts;
        return Outcome::done();
    } catch (const std::bad_alloc&) {
        return cannotCreate();
    }
}

Outcome encodePng(const IndexedPicture& in, std::vector<std::uint8_t>& out, int level) {
    const std::size_t pixels = pixelCount(in.width, in.height);
    if (pixels == 0 || in.indexes.size() != pixels || in.transparentIndex < -1 ||
        in.transparentIndex >= kPaletteEntries)
        return cannotSave();
    spng_ihdr ihdr{};
    ihdr.width = static_cast<std::uint32_t>(in.width);
    ihdr.height = static_cast<std::uint32_t>(in.height);
    ihdr.bit_depth = 8;
    ihdr.color_type = SPNG_COLOR_TYPE_INDEXED;
    spng_plte plte{};
    plte.n_entries = kPaletteEntries;
    for (int n = 0; n < kPaletteEntries; ++n) {
        plte.entries[n].red = in.palette[n * 3 + 0];
        plte.entries[n].green = in.palette[n * 3 + 1];
        plte.entries[n].blue = in.palette[n * 3 + 2];
    }
    // Entries past the transparent one need no alpha: they default to opaque.
    spng_trns trns{};
    if (in.transparentIndex >= 0) {
        trns.n_type3_entries = static_cast<std::uint32_t>(in.transparentIndex) + 1;
        std::fill_n(trns.type3_alpha, in.transparentIndex, 255);
        trns.type3_alpha[in.transparentIndex] = 0;
    }
    return encode(ihdr, &plte, in.transparentIndex >= 0 ? &trns : nullptr, in.indexes.data(),
                  pixels, level, out);
}

Outcome encodePngRgb(const RgbPicture& in, std::vector<std::uint8_t>& out, int level) {
    const std::size_t pixels = pixelCount(in.width, in.height);
    if (pixels == 0 || in.rgb.size() / 3 != pixels || in.rgb.size() % 3 != 0 ||
        in.transparentColour < -1 || in.transparentColour > 0xFFFFFF)
        return cannotSave();
    spng_ihdr ihdr{};
    ihdr.width = static_cast<std::uint32_t>(in.width);
    ihdr.height = static_cast<std::uint32_t>(in.height);
    ihdr.bit_depth = 8;
    ihdr.color_type = SPNG_COLOR_TYPE_TRUECOLOR;
    spng_trns trns{};
    const bool keyed = in.transparentColour >= 0;
    if (keyed) {
        trns.red = static_cast<std::uint16_t>((in.transparentColour >> 16) & 0xFF);
        trns.green = static_cast<std::uint16_t>((in.transparentColour >> 8) & 0xFF);
        trns.blue = static_cast<std::uint16_t>(in.transparentColour & 0xFF);
    }
    return encode(ihdr, nullptr, keyed ? &trns : nullptr, in.rgb.data(), in.rgb.size(), level, out);
}

Outcome decodePngRgb(std::span<const std::uint8_t> bytes, RgbPicture& out,
                     std::uint64_t maxPixels) {
    MemorySource source(bytes);
    return decodePngRgb(source, out, maxPixels);
}

Outcome decodePngRgb(ByteSource& source, RgbPicture& out, std::uint64_t maxPixels) {
    try {
        Opened png;
        if (Outcome opened = start(source, maxPixels, png); !opened) return opened;
        spng_ctx* ctx = png.ctx();
        const spng_ihdr& ihdr = png.ihdr;
        std::size_t size = 0;
        int error = spng_decoded_image_size(ctx, SPNG_FMT_RGB8, &size);
        if (error) return readFailure(error);
        const std::size_t pixels = std::size_t{ihdr.width} * ihdr.height;
        if (size != pixels * 3) return readFailure();
        RgbPicture picture;
        picture.width = static_cast<int>(ihdr.width);
        picture.height = static_cast<int>(ihdr.height);
        picture.rgb.resize(size);
        const spng_trns& trns = png.trns;
        if (ihdr.color_type == SPNG_COLOR_TYPE_TRUECOLOR && png.hasTrns)
            picture.transparentColour =
                ((trns.red & 0xFF) << 16) | ((trns.green & 0xFF) << 8) | (trns.blue & 0xFF);
        // Plain true-colour files (as work files hold) in one go; the rest,
        // and whatever that does not take, through the library.
        const bool whole = ihdr.color_type == SPNG_COLOR_TYPE_TRUECOLOR && ihdr.bit_depth == 8 &&
                           ihdr.interlace_method == SPNG_INTERLACE_NONE &&
                           decodeWholeImageData(source.whole(), ihdr.width, ihdr.height, 3,
                                                picture.rgb.data(), std::size_t{ihdr.width} * 3);
        if (!whole) {
            error = spng_decode_image(ctx, picture.rgb.data(), size, SPNG_FMT_RGB8, 0);
            if (error) return readFailure(error);
            error = spng_decode_chunks(ctx);
            if (error) return readFailure(error);
        }
        out = std::move(picture);
        return Outcome::done();
    } catch (const std::bad_alloc&) {
        return cannotCreate();
    } catch (const std::length_error&) {
        return cannotCreate();
    }
}

}  // namespace zentil
