// The core's texts in the language the editor speaks. The core is written in
// Korean and knows no translation: its captions, messages and file type names
// (system/texts.h, the page and palette format tables) are keys, and every
// window shows them through these functions, which look them up in the
// installed translation (context "CoreText"). A text that is not one of the
// core's (a file name, a text already translated) comes back unchanged.
#pragma once

#include <QString>
#include <string_view>

namespace zentil {

// A core text, or a text the core filled in (texts::kTgaUnsupportedDepthF,
// texts::kPngCannotReadBecauseF), in the editor's language.
QString uiText(std::string_view coreText);

// A printf pattern of the core (texts::kStatusZoomF ...) translated, then
// filled as QString::asprintf fills it.
QString uiFormat(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

// A file dialog filter of the core's tables, "TGA 파일 (*.TGA)", with its
// name translated.
QString uiFilter(std::string_view filter);

}  // namespace zentil
