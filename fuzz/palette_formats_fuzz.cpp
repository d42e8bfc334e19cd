// Feeds arbitrary bytes to the palette-file reader of all formats. A palette
// that is read must come back the same from every text and table format it
// can be written in; a refused file must leave the palette as it was.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "formats/palette_formats.h"
#include "fuzz_support.h"

using namespace zentil;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    Palette before;
    for (std::size_t i = 0; i < before.size(); ++i)
        before[i] = static_cast<std::uint8_t>(i * 7);
    Palette palette = before;
    const Outcome outcome = parsePaletteFile(bytes, palette);
    if (!outcome) {
        fuzz::require(outcome.reportable(), "a refusal without a text");
        fuzz::require(palette == before, "a refused file changed the palette");
        return 0;
    }
    // The editor's own format is left out: its blend table takes milliseconds.
    for (PaletteFormat format : {PaletteFormat::Jasc, PaletteFormat::Gimp, PaletteFormat::Act}) {
        const std::vector<std::uint8_t> file = writePaletteFormat(palette, format);
        Palette back{};
        fuzz::require(static_cast<bool>(parsePaletteFile(file, back)),
                      "a written palette cannot be read");
        // A colour table is plain colours: only one whose first bytes make
        // the header of a PNG or text palette, and that reads as one, may
        // come back as other colours.
        const bool headed = file[0] == 0x89 || file[0] == 'J' || file[0] == 'G' || file[0] == 0xEF;
        fuzz::require(back == palette || (format == PaletteFormat::Act && headed),
                      "the palette changed in a round trip");
    }
    return 0;
}
