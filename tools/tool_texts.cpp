#include "tool_texts.h"

#include <array>
#include <cstdlib>

#include "system/text_keys.h"
#include "system/texts.h"

namespace zentil::tool {
namespace {

// Korean, as every text of the editor. The order is that of `Text`.
constexpr std::array<const char*, static_cast<std::size_t>(Text::Count)> kKorean = {
    // The command line.
    "알 수 없는 명령입니다: %1",
    "알 수 없는 옵션입니다: %1",
    "%1 옵션에는 값이 필요합니다.",
    "사용법: %1",
    "지원하지 않는 확장자입니다. (%1)",
    "--tile WxH 옵션이 필요합니다. 예: 32x32",
    "--tile 옵션은 WxH 형식입니다. 예: 32x32",
    "%1 x %2 크기는 %3 x %4 타일로 나누어떨어지지 않습니다.",
    "--align 옵션은 none, center, left, right, top, bottom 중 하나입니다.",
    "--grid 옵션은 COLSxROWS 형식입니다. 예: 4x2",
    "--grid 옵션은 --align 없이만 쓸 수 있습니다.",
    "--from N 옵션이 필요합니다. (10진수 또는 0x로 시작하는 16진수)",
    "--to N 또는 --similar 옵션이 필요합니다.",
    "--to N 과 --similar 는 함께 쓸 수 없습니다.",
    "--to 옵션은 색상 값입니다. (10진수 또는 0x로 시작하는 16진수)",
    "--key 옵션은 0 이상의 색상 값입니다. 예: 0, 0xFF",
    "--format 옵션은 own, jasc, gpl, act 중 하나입니다.",
    "--lang 옵션은 ko 또는 en 입니다.",
    // Files and output.
    "파일이 이미 있습니다. 덮어쓰려면 --force 옵션을 주십시오.",
    "모든 타일이 투명하여 잘라낼 것이 없습니다. 그대로 저장합니다.",
    "출력을 쓸 수 없습니다.",
    "팔레트가 없어 모든 색이 검정이므로 --similar 로 비슷한 색을 고를 수 없습니다. "
    "--palette FILE 로 팔레트를 주십시오.",
    "팔레트가 없어 모든 색이 검정입니다: %1 은(는) 검은 그림으로 저장됩니다. "
    "--palette FILE 로 팔레트를 주십시오.",
    // The help.
    "zentil-tool: 창 없이 스프라이트 시트 파일을 다루는 명령\n\n"
    "zentil-tool --version 은 버전을, zentil-tool COMMAND --help 는 명령의 설명을 보여 줍니다.\n"
    "--lang ko|en 은 메시지의 언어를 고릅니다.\n\n"
    "명령:\n",
    "zentil-tool info FILE... [--tile WxH] [--json]\n"
    "  TGA, PNG, GPF, 팔레트(.PAL, .GPL, .ACT) 파일의 내용을 보여 줍니다: 크기, 형식,\n"
    "  컬러맵과 투명색; GPF 파일은 타일 배치, 타일마다 저장된 사각형과 차지하는\n"
    "  바이트(사각형과 크기 항목 12바이트 포함), 합계.\n"
    "  --tile WxH        그림을 타일로 나누어 타일마다 GPF로 차지할 바이트를 보여 줍니다\n"
    "  --json            모든 내용을 JSON 객체 하나로 출력합니다\n",
    "zentil-tool convert IN OUT [--tile WxH] [--key N] [--palette FILE] [--force]\n"
    "  .TGA, .GPF, .PNG 파일을 읽어 OUT의 확장자대로 .GPF, .TGA, .PNG 파일로 씁니다.\n"
    "  --tile WxH        그림을 W x H 픽셀 타일로 나눕니다\n"
    "  --key N           페이지의 투명색을 정합니다 (10진수 또는 0x 16진수)\n"
    "  --palette FILE    GPF 페이지에 입힐 팔레트 (팔레트 파일 또는 그림의 팔레트);\n"
    "                    없으면 GPF 페이지의 색은 모두 검정입니다\n"
    "  --force           OUT이 있으면 덮어씁니다\n",
    "zentil-tool palette IN OUT [--format own|jasc|gpl|act] [--force]\n"
    "  IN(팔레트 파일 또는 TGA, PNG 그림)의 팔레트를 OUT에 씁니다: 블렌드 테이블이\n"
    "  붙은 편집기 고유의 팔레트 파일(.pal), GPL 팔레트(.gpl), ACT 색상표(.act) 중\n"
    "  OUT의 확장자가 정하는 형식으로; --format 을 주면 확장자와 상관없이 그 형식으로\n"
    "  (jasc는 JASC-PAL 텍스트 파일).\n",
    "zentil-tool trim IN OUT [--palette FILE] [--force]\n"
    "  모든 타일에 공통인 투명한 가장자리를 잘라냅니다 (너비는 4의 배수).\n"
    "  --palette FILE    GPF 페이지에 입힐 팔레트, convert 와 같습니다\n",
    "zentil-tool retile IN OUT --tile WxH [--align none|center|left|right|top|bottom]\n"
    "                          [--grid COLSxROWS] [--palette FILE] [--force]\n"
    "  타일 크기를 바꿉니다. 정렬을 주면 옛 타일이 새 타일 안의 그 자리에 놓이고,\n"
    "  정렬이 없으면 픽셀은 제자리에 있고 --grid 가 새 타일 수를 정합니다\n"
    "  (기본값은 옛 페이지 크기에 들어가는 만큼).\n"
    "  --palette FILE    GPF 페이지에 입힐 팔레트, convert 와 같습니다\n",
    "zentil-tool recolor IN OUT --from N (--to N | --similar) [--palette FILE] [--force]\n"
    "  색상 N인 픽셀을 모두 바꿉니다; --similar 는 가깝고 다른 색을 고릅니다.\n"
    "  --palette FILE    GPF 페이지에 입힐 팔레트; GPF 파일에는 팔레트가 없으므로\n"
    "                    --similar 에 필요합니다\n",
    // The info report.
    "TGA 형식 %1, %2 x %3, 픽셀당 %4비트, 디스크립터 0x%5 (%6)",
    "위쪽 행부터",
    "아래쪽 행부터",
    ", 오른쪽에서 왼쪽으로",
    "컬러맵: %1번부터 %2개, 항목당 %3비트",
    "컬러맵 없음",
    "투명색 %1 (%2)",
    "네 모서리의 색",
    "기본값; 네 모서리의 색이 서로 다름",
    "투명 항목 또는 기본값",
    "PNG %1 x %2, %3%4",
    "팔레트(항목 %2개)가 있는 %1비트",
    "%1비트 회색조",
    "알파가 있는 %1비트 회색조",
    "%1비트 RGB",
    "알파가 있는 %1비트 RGB",
    ", 인터레이스",
    "파일의 팔레트로 8비트 페이지가 됨; 완전히 투명한 항목 %1개",
    "회색 단계 팔레트로 8비트 페이지가 됨",
    "처음 나오는 차례로 번호를 매긴 색 %1개의 팔레트로 8비트 페이지가 됨",
    "%1 %2 x %3, 픽셀당 %4비트",
    "GPF %1 x %2 타일, 타일 크기 %3 x %4, 투명색 %5",
    "타일 %1: %2,%3 %4 x %5, %6 바이트 (데이터 %7 바이트)",
    "합계: 타일 데이터 %1 바이트, GPF 파일 %2 바이트",
    "팔레트, %1 바이트",
    "팔레트, %1 바이트, 블렌드 테이블 %2",
    "완전함",
    "없거나 짧음",
};
// Every text has its entry: a missing one would leave the last empty.
static_assert(kKorean.back() != nullptr);

// The same texts in English, in the same order.
constexpr std::array<const char*, static_cast<std::size_t>(Text::Count)> kEnglish = {
    // The command line.
    "unknown command: %1",
    "unknown option: %1",
    "the %1 option needs a value.",
    "usage: %1",
    "unsupported extension. (%1)",
    "the --tile WxH option is needed, e.g. 32x32",
    "the --tile option takes WxH, e.g. 32x32",
    "%1 x %2 does not divide into %3 x %4 tiles.",
    "the --align option is one of none, center, left, right, top, bottom.",
    "the --grid option takes COLSxROWS, e.g. 4x2",
    "the --grid option works only without --align.",
    "the --from N option is needed. (decimal, or hexadecimal starting with 0x)",
    "the --to N or the --similar option is needed.",
    "--to N and --similar cannot be given together.",
    "the --to option takes a colour value. (decimal, or hexadecimal starting with 0x)",
    "the --key option is a colour value of 0 or more, e.g. 0, 0xFF",
    "the --format option is one of own, jasc, gpl, act.",
    "the --lang option is ko or en.",
    // Files and output.
    "the file exists. Give the --force option to replace it.",
    "every tile is transparent: nothing to trim. Saved as it is.",
    "cannot write the output.",
    "there is no palette (every colour is black), so --similar cannot pick a similar colour. "
    "Give one with --palette FILE.",
    "there is no palette (every colour is black): %1 is saved as a black picture. "
    "Give one with --palette FILE.",
    // The help.
    "zentil-tool: sprite-sheet files without a window\n\n"
    "zentil-tool --version shows the version, zentil-tool COMMAND --help describes a command,\n"
    "--lang ko|en chooses the language of the messages.\n\n"
    "Commands:\n",
    "zentil-tool info FILE... [--tile WxH] [--json]\n"
    "  Describes TGA, PNG, GPF and palette (.PAL, .GPL, .ACT) files: size, format,\n"
    "  colour map and transparent colour; for GPF files the tile layout, the rectangle\n"
    "  kept of each tile and the bytes it takes (12 bytes of rectangle and size\n"
    "  included), and the total.\n"
    "  --tile WxH        cuts a picture into tiles and shows the GPF bytes of each\n"
    "  --json            prints everything as one JSON object\n",
    "zentil-tool convert IN OUT [--tile WxH] [--key N] [--palette FILE] [--force]\n"
    "  Reads a .TGA, .GPF or .PNG file and writes it as .GPF, .TGA or .PNG by OUT's\n"
    "  extension.\n"
    "  --tile WxH        cuts the picture into tiles of W x H pixels\n"
    "  --key N           sets the page's transparent colour (decimal or 0x hex)\n"
    "  --palette FILE    the palette for GPF pages (a palette file or a picture's);\n"
    "                    without it every colour of a GPF page is black\n"
    "  --force           replaces OUT if it exists\n",
    "zentil-tool palette IN OUT [--format own|jasc|gpl|act] [--force]\n"
    "  Writes the palette of IN (a palette file, or a TGA or PNG picture) to OUT: the\n"
    "  editor's own palette file with its blend table (.pal), a GPL palette (.gpl) or\n"
    "  an ACT colour table (.act), as OUT's extension says; with --format, in that\n"
    "  format whatever the extension (jasc is a JASC-PAL text file).\n",
    "zentil-tool trim IN OUT [--palette FILE] [--force]\n"
    "  Trims the transparent border that all tiles share (widths a multiple of 4).\n"
    "  --palette FILE    the palette for GPF pages, as for convert\n",
    "zentil-tool retile IN OUT --tile WxH [--align none|center|left|right|top|bottom]\n"
    "                          [--grid COLSxROWS] [--palette FILE] [--force]\n"
    "  Changes the tile size. With an alignment each old tile goes to that place in its\n"
    "  new tile; without one the pixels stay where they are and --grid sets the new\n"
    "  number of tiles (by default as many as the old page holds).\n"
    "  --palette FILE    the palette for GPF pages, as for convert\n",
    "zentil-tool recolor IN OUT --from N (--to N | --similar) [--palette FILE] [--force]\n"
    "  Changes every pixel of colour N; --similar picks the nearest other colour.\n"
    "  --palette FILE    the palette for GPF pages; GPF files hold none, so --similar\n"
    "                    needs it for them\n",
    // The info report.
    "TGA type %1, %2 x %3, %4 bits per pixel, descriptor 0x%5 (%6)",
    "top row first",
    "bottom row first",
    ", right to left",
    "colour map: %2 entries from %1, %3 bits each",
    "no colour map",
    "transparent colour %1 (%2)",
    "the colour of the four corners",
    "default; the four corners differ",
    "transparent entry or default",
    "PNG %1 x %2, %3%4",
    "%1-bit with a palette (entries: %2)",
    "%1-bit grey",
    "%1-bit grey with alpha",
    "%1-bit RGB",
    "%1-bit RGB with alpha",
    ", interlaced",
    "read as an 8-bit page with the file's palette (fully transparent entries: %1)",
    "read as an 8-bit page with a grey ramp",
    "read as an 8-bit page with a palette of its %1 colours in the order they first appear",
    "%1 %2 x %3, %4 bits per pixel",
    "GPF %1 x %2 tiles, tile size %3 x %4, transparent colour %5",
    "tile %1: %2,%3 %4 x %5, %6 bytes (%7 bytes of data)",
    "total: %1 bytes of tile data, %2 bytes of GPF file",
    "palette, %1 bytes",
    "palette, %1 bytes, blend table %2",
    "complete",
    "missing or short",
};
static_assert(kEnglish.back() != nullptr);

// The core's texts (system/texts.h) in English.
struct CoreEnglish {
    const char* korean;
    const char* english;
};
constexpr CoreEnglish kCoreEnglish[] = {
    {texts::kCaptionError, "Error"},
    {texts::kCaptionNotice, "Notice"},
    {texts::kModeRefused,
     "Cannot copy from a higher colour mode into a lower one. (Except 24-bit into 16-bit.)"},
    {texts::kColumnsMustBePositive, "The number of tiles across must be more than 0."},
    {texts::kCannotCreateImage, "Cannot create the image."},
    {texts::kStoreFull, "Too many files: the list cannot hold any more."},
    {texts::kAskOverwrite, "The file already exists. Replace it?"},
    {texts::kConfigCannotSave, "Cannot save the Config file."},
    {texts::kReadFailed, "Failed to read the file."},
    {texts::kNotAFile, "Not a regular file, so it cannot be read. (A folder, FIFO, device ...)"},
    {texts::kColorRange8, "The colour is out of range (more than 255)."},
    {texts::kColorRange16, "The colour is out of range (more than 32767)."},
    {texts::kColorRange24, "The colour is out of range (more than 16777215)."},
    {texts::kTgaCannotOpen, "Cannot open the TGA file."},
    {texts::kTgaNotTga, "This is not a TGA file."},
    {texts::kTgaOnly8Bit, "Only 8-bit TGA files can be opened."},
    {texts::kTgaUnsupportedDepthF, "Unsupported TGA file. (%d)"},
    {texts::kTgaBadType, "The TGA file is of a type that cannot be read."},
    {texts::kTgaCannotSave, "Cannot save the TGA file."},
    {texts::kGpfCannotOpen, "Cannot open the GPF file."},
    {texts::kGpfNotGpf, "This is not a GPF file."},
    {texts::kGpfDamaged, "The GPF file is damaged."},
    {texts::kGpfOnly8Bit, "Only 8-bit images can be saved as GPF files."},
    {texts::kGpfTileTooLarge, "The tiles are too large to save as a GPF file."},
    {texts::kGpfCannotSave, "Cannot save the GPF file."},
    {texts::kNoPaletteToSave, "This image format has no palette to save."},
    {texts::kCannotSavePalette, "Cannot save the palette file."},
    {texts::kCannotReadPalette, "Cannot read the palette file."},
    {texts::kPngCannotRead, "Cannot read the PNG file."},
    {texts::kPngCannotReadBecauseF, "Cannot read the PNG file. (%s)"},
    {texts::kPngReasonEmpty, "empty file"},
    {texts::kPngReasonNotPng, "not a PNG file"},
    {texts::kPngReasonCut, "file cut short"},
    {texts::kPngReasonDamaged, "file damaged"},
    {texts::kPngTooManyColours, "Only PNG files of 256 colours or fewer can be opened."},
    {texts::kPngCannotSave, "Cannot save the PNG file."},
    {texts::kWorkFileCannotRead, "Cannot read the work file."},
    {texts::kWorkFileCannotSave, "Cannot save the work file."},
    {texts::kOldContentsKeptF,
     "A save of this file may have been cut off. Its previous contents are kept in %s."},
    {texts::kSizesDiffer, "The images are not all the same size."},
    {texts::kModesDiffer, "Some images are in a different colour mode."},
    {texts::kAskDeleteAllSprites, "Delete all sprite pages?"},
    {texts::kAskDeleteAllPictures, "Delete all TGA pages?"},
    {texts::kCannotSaveFile, "Cannot save the file."},
    {texts::kAskCloseUnsaved, "There are unsaved changes. Quit anyway?"},
    {texts::kAskOpenUnsaved, "There are unsaved changes. Open the work file anyway?"},
    {texts::kAskSaveToUnfamiliarFiles,
     "This saves to files not opened or saved since the editor started. Continue?"},
    {texts::kPictureReread, "the file changed and was read again."},
    {texts::kPictureNotReread, "the file changed but cannot be read."},
    {texts::kStatusZoomF, "Zoom %d%%"},
    {texts::kStatusGpfF, "GPF %s bytes"},
    {texts::kStatusTileF, " · tile %d: %s bytes"},
    {texts::kStatusGpfRefusedF, "GPF: %s"},
    {texts::kStatusBlackPalette, "No palette (shows black) → 'Apply Palette'"},
    {texts::kStatusBlackPaletteTip,
     "No palette file has been loaded yet, so every colour of the sprite pages is black. Load a "
     "palette file with 'Apply Palette' on the toolbar to see their real colours."},
};

Language current = Language::Korean;

const char* english(std::string_view korean) {
    for (const CoreEnglish& entry : kCoreEnglish)
        if (korean == entry.korean) return entry.english;
    return nullptr;
}

}  // namespace

void setLanguage(Language language) {
    current = language;
}

Language language() {
    return current;
}

Language languageOfEnvironment() {
    // As the toolkit reads the user's languages on this platform: the first
    // of LANGUAGE's list, else the locale of messages.
    std::string_view first;
    if (const char* list = std::getenv("LANGUAGE"); list && *list)
        first = std::string_view(list).substr(0, std::string_view(list).find(':'));
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (!first.empty()) break;
        if (const char* value = std::getenv(name); value && *value) first = value;
    }
    return languageForUser(first);
}

std::string say(Text id, std::initializer_list<std::string_view> args) {
    const auto index = static_cast<std::size_t>(id);
    const std::string_view pattern =
        current == Language::English ? kEnglish[index] : kKorean[index];
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const auto n = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && n < args.size()) {
            text += args.begin()[n];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::string coreText(std::string_view text) {
    if (current == Language::Korean) return std::string(text);
    const TextKey key = textKeyOf(text);
    const char* pattern = english(key.pattern);
    if (!pattern) return std::string(text);
    if (key.argument.empty()) return pattern;
    return fillPattern(pattern, coreText(key.argument));
}

}  // namespace zentil::tool
