// The languages the programs speak. Korean is the language every text is
// written in; every other is a translation of it, known by the code its
// translation file is named by (translations/zentil_CODE.ts). Which ones a
// program has is what was built into it: the editor lists its translations,
// zentil-tool its table made from the same files.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zentil {

class Language {
  public:
    // The language of `code`: "ko", "en", "pt_BR" ...
    explicit Language(std::string_view code) : code_(code) {}
    // Korean, which needs no translation.
    static Language korean() { return Language("ko"); }

    const std::string& code() const { return code_; }
    bool isKorean() const { return *this == korean(); }
    bool operator==(const Language&) const = default;

  private:
    std::string code_;
};

// The language of a command-line code among those `installed`, or none.
std::optional<Language> languageNamed(std::string_view code, std::span<const Language> installed);

// The codes of `languages` joined by `separator`: "ko, en", "ko|en".
std::string codesOf(std::span<const Language> languages, std::string_view separator);

// Whether a language tag or locale name ("en-GB", "ko_KR.UTF-8", "C") names
// `language`: its code alone or followed by a region, script, encoding or
// modifier, in either case, "-" and "_" alike.
bool namesLanguage(std::string_view name, const Language& language);

// The language for a user whose preferred languages start with `first`, a
// language tag or locale name ("en-GB", "en_US.UTF-8", "ko", "C"): the one of
// `installed` it names (the most particular: "pt_BR" before "pt"), Korean
// when none, so that a system with no language set (the C locale) gets the
// Korean the texts are written in.
Language languageForUser(std::string_view first, std::span<const Language> installed);

}  // namespace zentil
