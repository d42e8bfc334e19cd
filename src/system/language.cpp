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

Language languageForUser(std::string_view first) {
    // "en" alone or followed by a region, script, encoding or modifier.
    if (first.size() >= 2 && (first[0] == 'e' || first[0] == 'E') &&
        (first[1] == 'n' || first[1] == 'N')) {
        if (first.size() == 2) return Language::English;
        const char next = first[2];
        if (next == '-' || next == '_' || next == '.' || next == '@') return Language::English;
    }
    return Language::Korean;
}

}  // namespace zentil
