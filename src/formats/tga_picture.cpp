#include "formats/tga_picture.h"

#include <new>
#include <vector>

#include "formats/tga_rows.h"
#include "system/texts.h"

namespace zentil {
namespace {

using Convert = void (*)(const std::uint8_t* in, std::uint8_t* out, std::size_t n);

// Stored pixels to red, green, blue, alpha.
template <bool kAlpha>
void from555(const std::uint8_t* in, std::uint8_t* out, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i, in += 2, out += 4) {
        const int v = in[0] | (in[1] << 8);
        out[0] = tga::expand5((v >> 10) & 31);
        out[1] = tga::expand5((v >> 5) & 31);
        out[2] = tga::expand5(v & 31);
        out[3] = kAlpha ? ((v & 0x8000) ? 255 : 0) : 255;
    }
}

template <bool kAlpha>
void fromGrey(const std::uint8_t* in, std::uint8_t* out, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i, in += 2, out += 4) {
        out[0] = out[1] = out[2] = in[0];
        out[3] = kAlpha ? in[1] : 255;
    }
}

// How pixels of a true-colour or grey type and depth are stored; null for
// depths the type does not have.
Convert converterFor(int type, int depth, bool attributes) {
    if (type == tga::kGrey) {
        if (depth != 16) return nullptr;
        return attributes ? fromGrey<true> : fromGrey<false>;
    }
    switch (depth) {
        case 15:
            return from555<false>;
        case 16:
            return attributes ? from555<true> : from555<false>;
        case 24:
            return bgrToRgba;
        case 32:
            return attributes ? bgraToRgba : bgrxToRgba;
        default:
            return nullptr;
    }
}

Outcome decodeIndexes(ByteSource& source, tga::IndexedTga& tga, DecodedPicture& out,
                      std::uint64_t maxPixels) {
    const TgaInfo& info = tga.info;
    if (!withinPixels(info.width, info.height, maxPixels))
        return Outcome::error(texts::kCannotCreateImage);
    IndexedPicture picture;
    picture.width = info.width;
    picture.height = info.height;
    picture.indexes.resize(static_cast<std::size_t>(info.width) * info.height);
    if (!tga::readIndexRows(source, tga, picture.indexes.data(),
                            static_cast<std::size_t>(info.width)))
        return Outcome::error(texts::kReadFailed);
    picture.palette = tga.palette;
    out = std::move(picture);
    return Outcome::done();
}

Outcome decodeColours(ByteSource& source, const TgaInfo& info, std::uint64_t at, Convert convert,
                      DecodedPicture& out, std::uint64_t maxPixels) {
    const int pixelBytes = (info.depth + 7) / 8;
    tga::RowReader reader(source, at, info, pixelBytes);
    if (!reader.dataCanHold()) return Outcome::error(texts::kReadFailed);
    if (!withinPixels(info.width, info.height, maxPixels))
        return Outcome::error(texts::kCannotCreateImage);
    const std::size_t w = static_cast<std::size_t>(info.width);
    RgbaPicture picture;
    picture.width = info.width;
    picture.height = info.height;
    picture.rgba.resize(w * info.height * 4);
    std::vector<std::uint8_t> scratch(w * pixelBytes);
    for (std::size_t n = 0; n < static_cast<std::size_t>(info.height); ++n) {
        const std::uint8_t* stored = reader.nextRow(scratch.data());
        if (!stored) return Outcome::error(texts::kReadFailed);
        std::uint8_t* row = picture.rgba.data() + reader.pictureRow(n) * w * 4;
        convert(stored, row, w);
        if (reader.rightToLeft()) reverseRgbaRow(row, w);
    }
    out = std::move(picture);
    return Outcome::done();
}

Outcome decodeOrThrow(ByteSource& source, DecodedPicture& out, std::uint64_t maxPixels,
                      const Palette& unmapped) {
    std::uint8_t header[tga::kHeaderSize];
    TgaInfo info;
    if (!source.copy(0, header, tga::kHeaderSize) || !readTgaHeader(header, info))
        return Outcome::error(texts::kReadFailed);
    const int type = info.imageType & ~tga::kRunLength;
    // Pictures of indexes are read as the page reader reads them.
    if (type == tga::kMapped || (type == tga::kTrueColour && info.depth == 8)) {
        tga::IndexedTga tga;
        if (Outcome opened = tga::openIndexedTga(source, tga); !opened) return opened;
        if (!tga.ownPalette) tga.palette = unmapped;
        return decodeIndexes(source, tga, out, maxPixels);
    }
    if (type != tga::kTrueColour && type != tga::kGrey) return Outcome::error(texts::kTgaBadType);
    if (info.width == 0 || info.height == 0) return Outcome::error(texts::kTgaBadType);
    // The ID field and a colour map these types do not use come before the pixels.
    std::uint64_t at = tga::kHeaderSize + static_cast<std::uint64_t>(info.idLength);
    if (info.colorMapType != 0)
        at += static_cast<std::uint64_t>(info.mapLength) * ((info.mapEntryBits + 7) / 8);
    if (type == tga::kGrey && info.depth == 8) {
        tga::IndexedTga grey{info, greyRamp(), true, at};
        if (!tga::RowReader(source, at, info, 1).dataCanHold())
            return Outcome::error(texts::kReadFailed);
        return decodeIndexes(source, grey, out, maxPixels);
    }
    const Convert convert =
        converterFor(type, info.depth, (info.descriptor & tga::kAlphaBits) != 0);
    if (!convert) return Outcome::error(formatText(texts::kTgaUnsupportedDepthF, info.depth));
    return decodeColours(source, info, at, convert, out, maxPixels);
}

}  // namespace

Outcome decodeTgaPicture(ByteSource& source, DecodedPicture& out, std::uint64_t maxPixels,
                         const Palette& unmapped) {
    try {
        return decodeOrThrow(source, out, maxPixels, unmapped);
    } catch (const std::bad_alloc&) {
        return Outcome::error(texts::kCannotCreateImage);
    }
}

Outcome decodeTgaPicture(std::span<const std::uint8_t> bytes, DecodedPicture& out,
                         std::uint64_t maxPixels, const Palette& unmapped) {
    MemorySource source(bytes);
    return decodeTgaPicture(source, out, maxPixels, unmapped);
}

}  // namespace zentil
