// The languages the programs speak. Korean is the language every text is
// written in; the others are translations of it.
#pragma once

#include <optional>
#include <string_view>

namespace zentil {

enum class Language { Korean, English };

// The language of a command-line code: "ko" or "en".
std::optional<Language> languageNamed(std::string_view code);
// The code of a language: "ko" or "en".
const char* languageCode(Language language);

// Whether a language tag or locale name ("en-GB", "ko_KR.UTF-8", "C") names
// `language`.
bool namesLanguage(std::string_view name, Language language);

// The language for a user whose preferred languages start with `first`, a
// language tag or locale name ("en-GB", "en_US.UTF-8", "ko", "C"): English
// when it names English, Korean otherwise, so that a system with no language
// set (the C locale) gets the Korean the texts are written in.
Language languageForUser(std::string_view first);

}  // namespace zentil
