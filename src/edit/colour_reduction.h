// Making a picture of any colour count fit a 256-colour palette: reduced to
// a palette of its own, or remapped onto a palette it is given, entry for
// entry; and an 8-bit page remapped onto another palette. The quantiser and
// the remapping with dithering are libimagequant's.
//
// Pages have no partial transparency, only a key entry: pixels whose alpha is
// under the threshold become the key, every other pixel is taken as opaque
// (its colour as it is, the alpha dropped), and the key entry is never given
// to an opaque pixel, whatever its colour.
#pragma once

#include <cstdint>

#include "image/page.h"
#include "image/palette.h"
#include "image/picture.h"
#include "system/outcome.h"

namespace zentil {

// What the dialogs and zentil-tool hand over.
struct ReductionSettings {
    // The most palette entries the result uses, the key's included: 2 to 256.
    int colours = 256;
    // From 0 (none: every pixel its nearest colour, which pixel art wants)
    // to 1 (full error diffusion).
    float dither = 0.0f;
    // Pixels of an alpha below this become the key: 0 (none) to 256 (all).
    int alphaThreshold = 128;
    // The key's palette entry, 0 to 255.
    int keyIndex = 0;
    // The colour a reduction gives the key entry, 0x00RRGGBB: the callers
    // pass the settings' default key colour (Config::defaultColorKey24).
    // A remap keeps the given palette's entry as it is.
    std::uint32_t keyColour = 0;
};

// What a reduction or remap did that the user should be told.
struct ReductionReport {
    // Distinct colours before and after, the key counted as one colour on
    // either side (a page always has its key). Before is the opaque pixels'
    // colours plus the key; after, the entries the result may use. Filled
    // by reduceColours only.
    std::uint64_t coloursBefore = 0;
    int coloursAfter = 0;
    // Whether colours were merged; false when every colour was kept exactly.
    bool reduced = false;
    // Pixels of alpha above 0 and below 255, which became opaque or the key.
    std::uint64_t partlyTransparent = 0;
    // Pixels that became the key (alpha under the threshold).
    std::uint64_t keyPixels = 0;
};

// Gives `picture` as at most settings.colours palette entries, the key's
// included: the opaque entries take the lowest indexes other than the key's,
// unused entries are black. A picture of that many colours or fewer keeps
// every colour exactly, in the order first met, without quantisation.
// Fails, leaving `out` as it was, on settings out of range, a buffer that is
// not width x height x 4 bytes, or memory short.
Outcome reduceColours(const RgbaPicture& picture, const ReductionSettings& settings,
                      IndexedPicture& out, ReductionReport& report);

// Gives `picture` as indexes into `palette`, every entry as it stands: each
// opaque pixel the nearest entry other than the key's (an exact colour is
// kept), or its dithered choice; pixels under the threshold the key.
// settings.colours and keyColour are not used.
Outcome remapColours(const RgbaPicture& picture, const Palette& palette,
                     const ReductionSettings& settings, IndexedPicture& out,
                     ReductionReport& report);

// Remaps an 8-bit page onto `palette`: the pixels keep their colours as
// near as the palette allows (dithered at `dither`, 0 to 1), the key stays
// the key (its entry, page.colorKey8, is never given to another pixel), and
// the page takes the palette. Other modes and memory short fail, changing
// nothing.
Outcome remapPage(Page& page, const Palette& palette, float dither);

}  // namespace zentil
