#include "system/language.h"

#include <algorithm>

namespace zentil {
namespace {

char folded(char c) {
    if (c == '-') return '_';
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c | 0x20) : c;
}

}  // namespace

std::optional<Language> languageNamed(std::string_view code, std::span<const Language> installed) {
    const auto found = std::find_if(installed.begin(), installed.end(),
                                    [code](const Language& l) { return l.code() == code; });
    if (found == installed.end()) return std::nullopt;
    return *found;
}

std::string codesOf(std::span<const Language> languages, std::string_view separator) {
    std::string codes;
    for (const Language& language : languages)
        codes.append(codes.empty() ? "" : separator).append(language.code());
    return codes;
}

bool namesLanguage(std::string_view name, const Language& language) {
    const std::string_view code = language.code();
    if (code.empty() || name.size() < code.size()) return false;
    for (std::size_t i = 0; i < code.size(); ++i)
        if (folded(name[i]) != folded(code[i])) return false;
    if (name.size() == code.size()) return true;
    const char next = name[code.size()];
    return next == '-' || next == '_' || next == '.' || next == '@';
}

Language languageForUser(std::string_view first, std::span<const Language> installed) {
    const Language* best = nullptr;
    for (const Language& language : installed)
        if (namesLanguage(first, language) &&
            (!best || language.code().size() > best->code().size()))
            best = &language;
    return best ? *best : Language::korean();
}

}  // namespace zentil
