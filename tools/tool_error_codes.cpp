#include "tool_error_codes.h"

#include "system/text_keys.h"
#include "system/texts.h"

namespace zentil::tool {
namespace {

struct CodeOfText {
    const char* text;  // a text of texts.h, or the reason a PNG text is filled in with
    const char* code;
};

constexpr CodeOfText kCodes[] = {
    {texts::kTgaCannotOpen, kErrorCannotOpen},
    {texts::kGpfCannotOpen, kErrorCannotOpen},
    {texts::kNotAFile, kErrorNotAFile},
    {texts::kCannotCreateImage, kErrorTooLarge},
    {texts::kReadFailed, kErrorReadFailed},
    {texts::kPngReasonEmpty, kErrorReadFailed},
    {texts::kPngReasonCut, kErrorReadFailed},
    {texts::kTgaNotTga, kErrorWrongFormat},
    {texts::kGpfNotGpf, kErrorWrongFormat},
    {texts::kPngReasonNotPng, kErrorWrongFormat},
    {texts::kGpfDamaged, kErrorDamaged},
    {texts::kTgaBadType, kErrorDamaged},
    {texts::kPngReasonDamaged, kErrorDamaged},
    {texts::kPngCannotRead, kErrorDamaged},
    {texts::kCannotReadPalette, kErrorDamaged},
    {texts::kTgaOnly8Bit, kErrorUnsupported},
    {texts::kTgaUnsupportedDepthF, kErrorUnsupported},
    {texts::kPngTooManyColours, kErrorUnsupported},
};

}  // namespace

const char* errorCodeOf(std::string_view text) {
    const TextKey key = textKeyOf(text);
    // A PNG failure is told by the reason in its brackets.
    const std::string_view name =
        key.pattern == texts::kPngCannotReadBecauseF ? key.argument : key.pattern;
    for (const CodeOfText& entry : kCodes)
        if (name == entry.text) return entry.code;
    return kErrorFailed;
}

}  // namespace zentil::tool
