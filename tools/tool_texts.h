// Every text zentil-tool prints for people: its own texts by name, and the
// core's texts (src/system/texts.h) as the core gives them, each in Korean,
// as written, or in a language of the translation files, from the table the
// build makes of them (tool_translations.h).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "system/language.h"

namespace zentil::tool {

enum class Text {
    // The command line (exit 2).
    UnknownCommand,
    UnknownOption,
    NeedsValue,
    Usage,
    UnknownExtension,
    TileNeeded,
    TileTakes,
    TilesDoNotDivide,
    AlignTakes,
    GridTakes,
    GridOnlyWithoutAlign,
    FromNeeded,
    ToOrSimilar,
    ToAndSimilar,
    ToTakes,
    KeyTakes,
    FormatTakes,
    LanguageTakes,
    // Files and output.
    OutputExists,
    NothingTrimmed,
    CannotWriteOutput,
    NoColoursForSimilar,
    SavedBlack,
    // The help.
    HelpIntro,
    HelpInfo,
    HelpConvert,
    HelpPalette,
    HelpTrim,
    HelpRetile,
    HelpRecolor,
    // The info report.
    InfoTga,
    InfoTopRowFirst,
    InfoBottomRowFirst,
    InfoRightToLeft,
    InfoColourMap,
    InfoNoColourMap,
    InfoKey,
    InfoKeyFromCorners,
    InfoKeyDefault,
    InfoKeyOfPng,
    InfoPng,
    InfoPngPalette,
    InfoPngGrey,
    InfoPngGreyAlpha,
    InfoPngRgb,
    InfoPngRgba,
    InfoPngInterlaced,
    InfoPngReadPalette,
    InfoPngReadGrey,
    InfoPngReadColours,
    InfoPage,
    InfoGpf,
    InfoTile,
    InfoTotal,
    InfoPalette,
    InfoPaletteWithTable,
    InfoTableComplete,
    InfoTableShort,
    Count
};

// The language the texts are given in, Korean until set. runTool sets it
// for its run. A language the tool has no translation of speaks Korean.
void setLanguage(const Language& language);
Language language();
// The languages the tool speaks: Korean, then those of its table.
std::vector<Language> installedLanguages();
// The user's language as the environment gives it (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG, read as the editor's toolkit reads them): the first
// where the tool speaks it, Korean otherwise.
Language languageOfEnvironment();

// The text of `id`, with %1, %2 ... replaced by `args` in that order.
std::string say(Text id, std::initializer_list<std::string_view> args = {});

// A text the core reported, in the language of the texts.
std::string coreText(std::string_view text);

}  // namespace zentil::tool
