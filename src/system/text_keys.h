// The core's texts reach the windows and zentil-tool as finished strings.
// To show one in another language, a front end takes it apart again: which
// text of texts.h it is, and for the texts the core fills in itself ("지원하지
// 않는 TGA파일입니다. (%d)") what it filled in. The front end then translates
// the pattern and fills it the same way.
#pragma once

#include <string>
#include <string_view>

namespace zentil {

struct TextKey {
    // A text of texts.h: the whole text, or the pattern it was filled in from.
    std::string_view pattern;
    // What filled the pattern's one conversion; empty when the text is whole.
    std::string_view argument;
};

// The key of a text the core gave. A text that is none of the core's
// patterns is its own key.
TextKey textKeyOf(std::string_view text);

// `pattern` with its first printf conversion (%d or %s) replaced by
// `argument`; "%%" becomes "%".
std::string fillPattern(std::string_view pattern, std::string_view argument);

}  // namespace zentil
