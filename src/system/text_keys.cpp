#include "system/text_keys.h"

#include "system/texts.h"

namespace zentil {
namespace {

// The texts the core fills in before they leave it, each with one conversion.
constexpr const char* kFilledPatterns[] = {
    texts::kTgaUnsupportedDepthF, texts::kPngCannotReadBecauseF,
    texts::kOldContentsKeptF,     texts::kBmpCannotReadBecauseF,
    texts::kBmpUnsupportedDepthF, texts::kBmpUnsupportedCompressionF};

}  // namespace

TextKey textKeyOf(std::string_view text) {
    for (const std::string_view pattern : kFilledPatterns) {
        const std::size_t at = pattern.find('%');
        const std::string_view before = pattern.substr(0, at);
        const std::string_view after = pattern.substr(at + 2);
        if (text.size() > before.size() + after.size() && text.starts_with(before) &&
            text.ends_with(after))
            return {pattern,
                    text.substr(before.size(), text.size() - before.size() - after.size())};
    }
    return {text, {}};
}

std::string fillPattern(std::string_view pattern, std::string_view argument) {
    std::string text;
    text.reserve(pattern.size() + argument.size());
    bool filled = false;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 == pattern.size()) {
            text += pattern[i];
        } else if (pattern[i + 1] == '%') {
            text += '%';
            ++i;
        } else if (!filled && (pattern[i + 1] == 'd' || pattern[i + 1] == 's')) {
            text += argument;
            filled = true;
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

}  // namespace zentil
