// The palette files artists bring: the editor's own palette file, JASC-PAL
// text, GIMP palettes and Adobe colour tables, told apart by their contents
// (the editor's own file and JASC-PAL share the extension .pal).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "image/palette.h"
#include "system/outcome.h"

namespace zentil {

enum class PaletteFormat { Own, Jasc, Gimp, Act };

// Reads the colours of a palette file of any of the formats, or of a PNG
// picture (as palettePngColours). Files of fewer than 256 colours fill the
// entries from 0 and leave the others black. Anything else, and text
// palettes of more than 256 colours, are refused with
// "팔레트 파일을 읽을 수 없습니다." (PNG pictures with decodePng's reason);
// `out` is only changed on success.
//
//  - the editor's own file: the byte 1, then 768 bytes of red, green, blue
//    (at least 769 bytes; the blend table after them is not read);
//  - JASC-PAL: the lines "JASC-PAL", "0100", the count, then one "r g b"
//    line per colour;
//  - GIMP: the line "GIMP Palette", then "r g b name" lines, with "Name:"
//    and "Columns:" lines, '#' comments and blank lines passed over;
//  - Adobe colour table: exactly 768 bytes of colours, or 772 with a
//    big-endian colour count (1..256) and transparent index (0xFFFF when
//    none; not kept).
// The first that fits wins, in the order PNG, JASC-PAL, GIMP (each by its
// first bytes), Adobe (by size), the editor's own: a table whose first
// colours spell a header is still read as a table unless it also reads as
// what the header says, and a 772-byte file whose last four bytes are no count and
// index is the editor's own when it starts with the byte 1.
// Text files may end their lines with CRLF or LF and start with a UTF-8 mark.
Outcome parsePaletteFile(std::span<const std::uint8_t> bytes, Palette& out);

// The palette of a PNG picture, as decodePng gives it: a palette picture's
// colours, a grey picture's ramp, or a true-colour picture's colours in the
// order they appear. Failures are decodePng's.
Outcome palettePngColours(std::span<const std::uint8_t> bytes, Palette& out);

// The file image of the palette in the format: for Own the byte 1, the
// colours and the blend table (empty when memory for the table cannot be
// had); JASC-PAL with CRLF line ends; GIMP with every entry named by its
// index; Adobe as the plain 768 bytes.
std::vector<std::uint8_t> writePaletteFormat(const Palette& palette, PaletteFormat format);

// Reads the palette of a file: any of the palette formats above, or the
// colour map of a TGA or PNG picture. Failures say why, and change nothing.
Outcome readPaletteOfFile(const std::string& path, Palette& out);

// The one list of what a palette is loaded from by its extension: the
// palette files, then the pictures whose palette is taken, in the order the
// load dialog lists them. The dialog and zentil-tool work from it.
struct PaletteFileType {
    const char* name;       // as the load dialog shows it, "GPL 팔레트"
    const char* extension;  // in capitals, without the dot
    bool picture;           // a picture whose palette is taken, not a palette file
    PaletteFormat format;   // how a palette file of the extension is written (Own for pictures)
};

// .PAL (the editor's own file, or JASC-PAL), .GPL, .ACT, then PNG and TGA
// pictures.
const std::vector<PaletteFileType>& paletteFileTypes();

// The row of a path's last extension, in any case, or nullptr.
const PaletteFileType* paletteFileTypeOf(std::string_view path);

// The load dialog's filters, one per name of the table, in its order, each
// with the extensions of that name: "팔레트 파일 (*.PAL)" ... "그림의 팔레트
// (*.PNG *.TGA)".
std::vector<std::string> paletteFilters();

// The format a path's extension names, case-insensitively: .gpl is GIMP,
// .act Adobe, anything else (.pal above all) the editor's own.
PaletteFormat paletteFormatForExtension(std::string_view path);

}  // namespace zentil
