#include "edit/colour_reduction.h"

#include <libimagequant.h>

#include <array>
#include <bit>
#include <climits>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "system/texts.h"

namespace zentil {
namespace {

struct LiqFree {
    void operator()(liq_attr* p) const { liq_attr_destroy(p); }
    void operator()(liq_image* p) const { liq_image_destroy(p); }
    void operator()(liq_result* p) const { liq_result_destroy(p); }
    void operator()(liq_histogram* p) const { liq_histogram_destroy(p); }
};
using LiqAttr = std::unique_ptr<liq_attr, LiqFree>;
using LiqImage = std::unique_ptr<liq_image, LiqFree>;
using LiqResult = std::unique_ptr<liq_result, LiqFree>;
using LiqHistogram = std::unique_ptr<liq_histogram, LiqFree>;

constexpr liq_color kTransparent{0, 0, 0, 0};

std::uint32_t rgbAt(const std::uint8_t* p) {
    return std::uint32_t{p[0]} << 16 | std::uint32_t{p[1]} << 8 | p[2];
}

std::uint32_t paletteRgb(const Palette& palette, int entry) {
    return rgbAt(&palette[static_cast<std::size_t>(entry) * 3]);
}

void setPaletteRgb(Palette& palette, int entry, std::uint32_t rgb) {
    auto* p = &palette[static_cast<std::size_t>(entry) * 3];
    p[0] = static_cast<std::uint8_t>(rgb >> 16);
    p[1] = static_cast<std::uint8_t>(rgb >> 8);
    p[2] = static_cast<std::uint8_t>(rgb);
}

std::size_t pixelCountOf(const RgbaPicture& picture) {
    return static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
}

bool validPicture(const RgbaPicture& picture) {
    // libimagequant counts pixels in an int.
    return picture.width > 0 && picture.height > 0 && picture.width <= INT_MAX / picture.height &&
           picture.rgba.size() / 4 == pixelCountOf(picture) && picture.rgba.size() % 4 == 0;
}

bool validSettings(const ReductionSettings& settings) {
    return settings.dither >= 0.0f && settings.dither <= 1.0f &&  // false for NaN
           settings.alphaThreshold >= 0 && settings.alphaThreshold <= 256 &&
           settings.keyIndex >= 0 && settings.keyIndex < kPaletteEntries;
}

// How the picture's alpha falls under the threshold.
struct AlphaCensus {
    std::uint64_t partlyTransparent = 0;
    std::uint64_t keyPixels = 0;
    // Whether some pixel's alpha is neither 0 under the threshold nor 255
    // above it, so that libimagequant must be given the rows rewritten.
    bool rewrite = false;
};

void countAlpha(std::uint8_t alpha, int threshold, AlphaCensus& census) {
    census.partlyTransparent += alpha != 0 && alpha != 255;
    const bool key = alpha < threshold;
    census.keyPixels += key;
    census.rewrite |= key ? alpha != 0 : alpha != 255;
}

AlphaCensus alphaCensus(const RgbaPicture& picture, int threshold) {
    AlphaCensus census;
    const std::uint8_t* p = picture.rgba.data();
    const std::uint8_t* end = p + picture.rgba.size();
    for (; p != end; p += 4)
        countAlpha(p[3], threshold, census);
    return census;
}

// The opaque colours of a picture: how many, and the first 256 in the order met.
struct ColourCensus {
    AlphaCensus alpha;
    std::uint64_t colours = 0;
    std::vector<std::uint32_t> first;
};

ColourCensus colourCensus(const RgbaPicture& picture, int threshold) {
    ColourCensus census;
    census.first.reserve(kPaletteEntries);
    std::vector<std::uint64_t> seen((std::size_t{1} << 24) / 64);  // one bit per RGB colour
    const std::uint8_t* p = picture.rgba.data();
    const std::uint8_t* end = p + picture.rgba.size();
    for (; p != end; p += 4) {
        countAlpha(p[3], threshold, census.alpha);
        if (p[3] < threshold) continue;
        const std::uint32_t rgb = rgbAt(p);
        std::uint64_t& word = seen[rgb >> 6];
        const std::uint64_t bit = std::uint64_t{1} << (rgb & 63);
        if (word & bit) continue;
        word |= bit;
        if (census.first.size() < kPaletteEntries) census.first.push_back(rgb);
    }
    for (std::uint64_t word : seen)
        census.colours += static_cast<unsigned>(std::popcount(word));
    return census;
}

// Colour to palette entry for a few hundred colours, by open addressing.
class SmallColourMap {
  public:
    void add(std::uint32_t rgb, std::uint8_t entry) {
        std::size_t slot = start(rgb);
        while (keys_[slot] != 0)
            slot = (slot + 1) % kSlots;
        keys_[slot] = rgb + 1;
        entries_[slot] = entry;
    }
    std::uint8_t find(std::uint32_t rgb) const {
        std::size_t slot = start(rgb);
        while (keys_[slot] != rgb + 1)
            slot = (slot + 1) % kSlots;  // only colours added are asked for
        return entries_[slot];
    }

  private:
    static constexpr std::size_t kSlots = 1024;
    static std::size_t start(std::uint32_t rgb) { return (rgb * 2654435761u) >> 22; }
    std::array<std::uint32_t, kSlots> keys_{};  // the colour + 1; 0 marks a free slot
    std::array<std::uint8_t, kSlots> entries_{};
};

// The entry the n-th opaque colour takes: the lowest indexes other than the key's.
int opaqueEntry(int n, int keyIndex) {
    return n < keyIndex ? n : n + 1;
}

// Rows handed to libimagequant with the alpha rule applied: the key fully
// transparent, everything else opaque.
struct ThresholdRows {
    const std::uint8_t* rgba;
    int threshold;
};

void thresholdRow(liq_color out[], int row, int width, void* user) {
    const auto& rows = *static_cast<const ThresholdRows*>(user);
    const std::uint8_t* p = rows.rgba + static_cast<std::size_t>(row) * width * 4;
    for (int x = 0; x < width; ++x, p += 4)
        out[x] = p[3] < rows.threshold ? kTransparent : liq_color{p[0], p[1], p[2], 255};
}

// The picture as libimagequant reads it: its own buffer when the alpha rule
// changes nothing there, else rows rewritten as they are read.
LiqImage makeImage(liq_attr* attr, const RgbaPicture& picture, const AlphaCensus& census,
                   ThresholdRows& rows) {
    if (!census.rewrite)
        return LiqImage(
            liq_image_create_rgba(attr, picture.rgba.data(), picture.width, picture.height, 0));
    return LiqImage(
        liq_image_create_custom(attr, thresholdRow, &rows, picture.width, picture.height, 0));
}

// Writes the image's remapped indexes to `out` and gives each entry of the
// result's palette (read after the remap, which may refine it).
bool writeRemapped(liq_result* result, liq_image* image, float dither, std::uint8_t* out,
                   std::size_t bytes, liq_palette& palette) {
    if (liq_set_dithering_level(result, dither) != LIQ_OK ||
        liq_write_remapped_image(result, image, out, bytes) != LIQ_OK)
        return false;
    palette = *liq_get_palette(result);
    return true;
}

// Replaces each of libimagequant's indexes by ours; nothing to do when they agree.
void translate(std::uint8_t* indexes, std::size_t count, const std::array<std::uint8_t, 256>& to) {
    bool same = true;
    for (int i = 0; i < 256; ++i)
        same &= to[static_cast<std::size_t>(i)] == i;
    if (same) return;
    for (std::size_t i = 0; i < count; ++i)
        indexes[i] = to[indexes[i]];
}

bool isKeyEntry(const liq_color& colour) {
    return colour.a < 128;
}

// A picture of at most `colours` opaque colours, each kept exactly.
void keepColours(const RgbaPicture& picture, const ReductionSettings& settings,
                 const std::vector<std::uint32_t>& colours, IndexedPicture& out) {
    SmallColourMap map;
    for (std::size_t n = 0; n < colours.size(); ++n) {
        const int entry = opaqueEntry(static_cast<int>(n), settings.keyIndex);
        setPaletteRgb(out.palette, entry, colours[n]);
        map.add(colours[n], static_cast<std::uint8_t>(entry));
    }
    const std::uint8_t* p = picture.rgba.data();
    const auto key = static_cast<std::uint8_t>(settings.keyIndex);
    for (std::uint8_t& index : out.indexes) {
        index = p[3] < settings.alphaThreshold ? key : map.find(rgbAt(p));
        p += 4;
    }
}

// Quantises the picture to colours - 1 opaque entries and the key.
bool quantise(const RgbaPicture& picture, const ReductionSettings& settings,
              const AlphaCensus& census, IndexedPicture& out, int& coloursAfter) {
    LiqAttr attr(liq_attr_create());
    if (!attr || liq_set_max_colors(attr.get(), settings.colours) != LIQ_OK) return false;
    ThresholdRows rows{picture.rgba.data(), settings.alphaThreshold};
    LiqImage image = makeImage(attr.get(), picture, census, rows);
    // The key's entry is reserved whether or not a pixel needs it.
    if (!image || liq_image_add_fixed_color(image.get(), kTransparent) != LIQ_OK) return false;
    liq_result* made = nullptr;
    if (liq_image_quantize(image.get(), attr.get(), &made) != LIQ_OK) return false;
    LiqResult result(made);
    liq_palette palette;
    if (!writeRemapped(result.get(), image.get(), settings.dither, out.indexes.data(),
                       out.indexes.size(), palette))
        return false;
    std::array<std::uint8_t, 256> to{};
    int opaque = 0;
    for (unsigned i = 0; i < palette.count; ++i) {
        const liq_color& c = palette.entries[i];
        if (isKeyEntry(c)) {
            to[i] = static_cast<std::uint8_t>(settings.keyIndex);
            continue;
        }
        const int entry = opaqueEntry(opaque++, settings.keyIndex);
        to[i] = static_cast<std::uint8_t>(entry);
        setPaletteRgb(out.palette, entry, std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b);
    }
    translate(out.indexes.data(), out.indexes.size(), to);
    coloursAfter = opaque + 1;
    return true;
}

// libimagequant's result of `palette`'s entries as they stand, every one but
// the key's, and a transparent one for the key.
LiqResult fixedResult(liq_attr* attr, const Palette& palette, int keyIndex) {
    if (liq_set_max_colors(attr, kPaletteEntries) != LIQ_OK) return nullptr;
    LiqHistogram histogram(liq_histogram_create(attr));
    if (!histogram) return nullptr;
    // In the palette's order, the key's entry transparent, so that
    // libimagequant's indexes are already the palette's.
    for (int i = 0; i < kPaletteEntries; ++i) {
        const auto* p = &palette[static_cast<std::size_t>(i) * 3];
        const liq_color colour = i == keyIndex ? kTransparent : liq_color{p[0], p[1], p[2], 255};
        if (liq_histogram_add_fixed_color(histogram.get(), colour, 0) != LIQ_OK)
            return nullptr;
    }
    // An empty histogram is refused; one pixel of a fixed colour changes nothing.
    const liq_histogram_entry one{kTransparent, 1};
    liq_result* made = nullptr;
    if (liq_histogram_add_colors(histogram.get(), attr, &one, 1, 0) != LIQ_OK ||
        liq_histogram_quantize(histogram.get(), attr, &made) != LIQ_OK)
        return nullptr;
    return LiqResult(made);
}

// Remaps `image` onto `palette` into `out` (width x height indexes).
bool remapImage(liq_attr* attr, liq_image* image, const Palette& palette, int keyIndex,
                float dither, std::uint8_t* out, std::size_t count) {
    LiqResult result = fixedResult(attr, palette, keyIndex);
    liq_palette remapped;
    if (!result || !writeRemapped(result.get(), image, dither, out, count, remapped)) return false;
    // libimagequant's entries are the fixed colours: each goes back to the
    // first entry of its colour.
    std::array<std::uint8_t, 256> to{};
    for (unsigned i = 0; i < remapped.count; ++i) {
        const liq_color& c = remapped.entries[i];
        int entry = keyIndex;
        if (!isKeyEntry(c)) {
            const std::uint32_t rgb = std::uint32_t{c.r} << 16 | std::uint32_t{c.g} << 8 | c.b;
            for (int e = 0; e < kPaletteEntries; ++e)
                if (e != keyIndex && paletteRgb(palette, e) == rgb) {
                    entry = e;
                    break;
                }
        }
        to[i] = static_cast<std::uint8_t>(entry);
    }
    translate(out, count, to);
    return true;
}

// An 8-bit page's rows as colours, the key transparent.
struct PageRows {
    const Page* page;
};

void pageRow(liq_color out[], int row, int width, void* user) {
    const Page& page = *static_cast<const PageRows*>(user)->page;
    const std::uint8_t* p = page.pixels8.get() + static_cast<std::size_t>(row) * page.stride;
    for (int x = 0; x < width; ++x) {
        const auto* c = &page.palette[std::size_t{p[x]} * 3];
        out[x] = p[x] == page.colorKey8 ? kTransparent : liq_color{c[0], c[1], c[2], 255};
    }
}

Outcome outOfMemory() {
    return Outcome::error(texts::kCannotCreateImage);
}

// Gives `out` an empty picture of the right size: indexes, black palette, the key.
bool prepare(const RgbaPicture& picture, int keyIndex, IndexedPicture& out) {
    try {
        out.indexes.assign(pixelCountOf(picture), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    out.width = picture.width;
    out.height = picture.height;
    out.palette = {};
    out.transparentIndex = keyIndex;
    out.transparentEntries = 0;
    return true;
}

}  // namespace

Outcome reduceColours(const RgbaPicture& picture, const ReductionSettings& settings,
                      IndexedPicture& out, ReductionReport& report) {
    if (!validPicture(picture) || !validSettings(settings) || settings.colours < 2 ||
        settings.colours > kPaletteEntries)
        return Outcome::error(texts::kCannotCreateImage);
    IndexedPicture made;
    if (!prepare(picture, settings.keyIndex, made)) return outOfMemory();
    ColourCensus census;
    try {
        census = colourCensus(picture, settings.alphaThreshold);
    } catch (const std::bad_alloc&) {
        return outOfMemory();
    }
    ReductionReport told;
    told.partlyTransparent = census.alpha.partlyTransparent;
    told.keyPixels = census.alpha.keyPixels;
    told.coloursBefore = census.colours + 1;
    if (census.colours < static_cast<std::uint64_t>(settings.colours)) {
        keepColours(picture, settings, census.first, made);
        told.coloursAfter = static_cast<int>(census.colours) + 1;
    } else {
        if (!quantise(picture, settings, census.alpha, made, told.coloursAfter))
            return outOfMemory();
        told.reduced = true;
    }
    setPaletteRgb(made.palette, settings.keyIndex, settings.keyColour & 0xFFFFFF);
    out = std::move(made);
    report = told;
    return Outcome::done();
}

Outcome remapColours(const RgbaPicture& picture, const Palette& palette,
                     const ReductionSettings& settings, IndexedPicture& out,
                     ReductionReport& report) {
    if (!validPicture(picture) || !validSettings(settings))
        return Outcome::error(texts::kCannotCreateImage);
    IndexedPicture made;
    if (!prepare(picture, settings.keyIndex, made)) return outOfMemory();
    const AlphaCensus census = alphaCensus(picture, settings.alphaThreshold);
    LiqAttr attr(liq_attr_create());
    if (!attr) return outOfMemory();
    ThresholdRows rows{picture.rgba.data(), settings.alphaThreshold};
    LiqImage image = makeImage(attr.get(), picture, census, rows);
    if (!image || !remapImage(attr.get(), image.get(), palette, settings.keyIndex, settings.dither,
                              made.indexes.data(), made.indexes.size()))
        return outOfMemory();
    made.palette = palette;
    out = std::move(made);
    report = {};
    report.partlyTransparent = census.partlyTransparent;
    report.keyPixels = census.keyPixels;
    return Outcome::done();
}

Outcome remapPage(Page& page, const Palette& palette, float dither) {
    if (page.mode != kMode8 || !page.pixels8) return Outcome::error(texts::kModeRefused);
    if (!(dither >= 0.0f && dither <= 1.0f)) return Outcome::error(texts::kCannotCreateImage);
    const int key = page.colorKey8;
    std::array<std::uint8_t, 256> to{};
    if (dither == 0.0f) {
        // Without dithering each pixel takes its colour's nearest entry:
        // remap the page's palette once, a picture of 256 pixels.
        RgbaPicture entries{kPaletteEntries, 1, std::vector<std::uint8_t>(kPaletteEntries * 4)};
        for (int i = 0; i < kPaletteEntries; ++i) {
            std::memcpy(&entries.rgba[static_cast<std::size_t>(i) * 4],
                        &page.palette[static_cast<std::size_t>(i) * 3], 3);
            entries.rgba[static_cast<std::size_t>(i) * 4 + 3] = i == key ? 0 : 255;
        }
        IndexedPicture nearest;
        ReductionReport unused;
        ReductionSettings settings;
        settings.keyIndex = key;
        if (Outcome made = remapColours(entries, palette, settings, nearest, unused); !made)
            return made;
        std::copy(nearest.indexes.begin(), nearest.indexes.end(), to.begin());
        std::uint8_t* pixels = page.pixels8.get();
        for (std::uint32_t i = 0; i < page.pixelCount; ++i)
            pixels[i] = to[pixels[i]];
    } else {
        std::vector<std::uint8_t> remapped;
        try {
            remapped.resize(static_cast<std::size_t>(page.width) * page.height);
        } catch (const std::bad_alloc&) {
            return outOfMemory();
        }
        LiqAttr attr(liq_attr_create());
        PageRows rows{&page};
        LiqImage image(
            attr ? liq_image_create_custom(attr.get(), pageRow, &rows, page.width, page.height, 0)
                 : nullptr);
        if (!image || !remapImage(attr.get(), image.get(), palette, key, dither, remapped.data(),
                                  remapped.size()))
            return outOfMemory();
        for (int y = 0; y < page.height; ++y)
            std::memcpy(page.pixels8.get() + static_cast<std::size_t>(y) * page.stride,
                        remapped.data() + static_cast<std::size_t>(y) * page.width,
                        static_cast<std::size_t>(page.width));
    }
    setPagePalette(page, palette);
    return Outcome::done();
}

}  // namespace zentil
