#include "system/language.h"

namespace zentil {

std::optional<Language> languageNamed(std::string_view code) {
    if (code == "ko") return Language::Korean;
    if (code == "en") return Language::English;
    return std::nullopt;
}

const char* languageCode(Language language) {
    return language == Language::English ? "en" : "ko";
}

bool namesLanguage(std::string_view name, Language language) {
    // The code alone or followed by a region, script, encoding or modifier,
    // in either case.
    const char* code = languageCode(language);
    if (name.size() < 2 || (name[0] | 0x20) != code[0] || (name[1] | 0x20) != code[1]) return false;
    if (name.size() == 2) return true;
    const char next = name[2];
    return next == '-' || next == '_' || next == '.' || next == '@';
}

Language languageForUser(std::string_view first) {
    return namesLanguage(first, Language::English) ? Language::English : Language::Korean;
}

}  // namespace zentil
