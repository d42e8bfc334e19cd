// The translations of zentil-tool's texts and of the core's, one table per
// language, generated at build time from the translation files
// (translation_table.py over translations/zentil_CODE.ts), so that the tool
// speaks the editor's languages without Qt.
#pragma once

#include <span>
#include <string_view>

namespace zentil::tool {

struct TranslatedText {
    std::string_view context;  // "CoreText", "ToolText"
    std::string_view source;   // the Korean, as written
    std::string_view translation;
};

struct ToolTranslation {
    std::string_view code;  // the language's code: "en"
    // Sorted by context, then source, byte by byte.
    std::span<const TranslatedText> texts;
};

// Every translation built into the program, by code.
std::span<const ToolTranslation> toolTranslations();

}  // namespace zentil::tool
