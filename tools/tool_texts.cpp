#include "tool_texts.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>

#include "system/text_keys.h"
#include "system/translatable.h"
#include "tool_translations.h"

namespace zentil::tool {
namespace {

// The contexts of the translation files the texts are filed under.
constexpr std::string_view kToolContext = "ToolText";
constexpr std::string_view kCoreContext = "CoreText";

// Korean, as every text of the editor; the other languages come from the
// translation files. The order is that of `Text`.
constexpr std::array<const char*, static_cast<std::size_t>(Text::Count)> kKorean = {
    // The command line.
    ZENTIL_TEXT("ToolText", "알 수 없는 명령입니다: %1"),
    ZENTIL_TEXT("ToolText", "알 수 없는 옵션입니다: %1"),
    ZENTIL_TEXT("ToolText", "%1 옵션에는 값이 필요합니다."),
    ZENTIL_TEXT("ToolText", "사용법: %1"),
    ZENTIL_TEXT("ToolText", "지원하지 않는 확장자입니다. (%1)"),
    ZENTIL_TEXT("ToolText", "--tile WxH 옵션이 필요합니다. 예: 32x32"),
    ZENTIL_TEXT("ToolText", "--tile 옵션은 WxH 형식입니다. 예: 32x32"),
    ZENTIL_TEXT("ToolText", "%1 x %2 크기는 %3 x %4 타일로 나누어떨어지지 않습니다."),
    ZENTIL_TEXT("ToolText", "--align 옵션은 none, center, left, right, top, bottom 중 하나입니다."),
    ZENTIL_TEXT("ToolText", "--grid 옵션은 COLSxROWS 형식입니다. 예: 4x2"),
    ZENTIL_TEXT("ToolText", "--grid 옵션은 --align 없이만 쓸 수 있습니다."),
    ZENTIL_TEXT("ToolText", "--from N 옵션이 필요합니다. (10진수 또는 0x로 시작하는 16진수)"),
    ZENTIL_TEXT("ToolText", "--to N 또는 --similar 옵션이 필요합니다."),
    ZENTIL_TEXT("ToolText", "--to N 과 --similar 는 함께 쓸 수 없습니다."),
    ZENTIL_TEXT("ToolText", "--to 옵션은 색상 값입니다. (10진수 또는 0x로 시작하는 16진수)"),
    ZENTIL_TEXT("ToolText", "--key 옵션은 0 이상의 색상 값입니다. 예: 0, 0xFF"),
    ZENTIL_TEXT("ToolText", "--format 옵션은 own, jasc, gpl, act 중 하나입니다."),
    ZENTIL_TEXT("ToolText", "--lang 옵션은 %1 중 하나입니다."),
    // Files and output.
    ZENTIL_TEXT("ToolText", "파일이 이미 있습니다. 덮어쓰려면 --force 옵션을 주십시오."),
    ZENTIL_TEXT("ToolText", "모든 타일이 투명하여 잘라낼 것이 없습니다. 그대로 저장합니다."),
    ZENTIL_TEXT("ToolText", "출력을 쓸 수 없습니다."),
    ZENTIL_TEXT("ToolText",
                "팔레트가 없어 모든 색이 검정이므로 --similar 로 비슷한 색을 고를 수 없습니다. "
                "--palette FILE 로 팔레트를 주십시오."),
    ZENTIL_TEXT("ToolText",
                "팔레트가 없어 모든 색이 검정입니다: %1 은(는) 검은 그림으로 저장됩니다. "
                "--palette FILE 로 팔레트를 주십시오."),
    // The help.
    ZENTIL_TEXT("ToolText",
                "zentil-tool: 창 없이 스프라이트 시트 파일을 다루는 명령\n\n"
                "zentil-tool --version 은 버전을, zentil-tool COMMAND --help 는 명령의 설명을 보여 "
                "줍니다.\n"
                "--lang %1 은 메시지의 언어를 고릅니다.\n\n"
                "명령:\n"),
    ZENTIL_TEXT(
        "ToolText",
        "zentil-tool info FILE... [--tile WxH] [--json]\n"
        "  TGA, PNG, GPF, 팔레트(.PAL, .GPL, .ACT) 파일의 내용을 보여 줍니다: 크기, 형식,\n"
        "  컬러맵과 투명색; GPF 파일은 타일 배치, 타일마다 저장된 사각형과 차지하는\n"
        "  바이트(사각형과 크기 항목 12바이트 포함), 합계.\n"
        "  --tile WxH        그림을 타일로 나누어 타일마다 GPF로 차지할 바이트를 보여 줍니다\n"
        "  --json            모든 내용을 JSON 객체 하나로 출력합니다\n"),
    ZENTIL_TEXT("ToolText",
                "zentil-tool convert IN OUT [--tile WxH] [--key N] [--palette FILE] [--force]\n"
                "  .TGA, .GPF, .PNG 파일을 읽어 OUT의 확장자대로 .GPF, .TGA, .PNG 파일로 씁니다.\n"
                "  --tile WxH        그림을 W x H 픽셀 타일로 나눕니다\n"
                "  --key N           페이지의 투명색을 정합니다 (10진수 또는 0x 16진수)\n"
                "  --palette FILE    GPF 페이지에 입힐 팔레트 (팔레트 파일 또는 그림의 팔레트);\n"
                "                    없으면 GPF 페이지의 색은 모두 검정입니다\n"
                "  --force           OUT이 있으면 덮어씁니다\n"),
    ZENTIL_TEXT("ToolText",
                "zentil-tool palette IN OUT [--format own|jasc|gpl|act] [--force]\n"
                "  IN(팔레트 파일 또는 TGA, PNG 그림)의 팔레트를 OUT에 씁니다: 블렌드 테이블이\n"
                "  붙은 편집기 고유의 팔레트 파일(.pal), GPL 팔레트(.gpl), ACT 색상표(.act) 중\n"
                "  OUT의 확장자가 정하는 형식으로; --format 을 주면 확장자와 상관없이 그 형식으로\n"
                "  (jasc는 JASC-PAL 텍스트 파일).\n"),
    ZENTIL_TEXT("ToolText",
                "zentil-tool trim IN OUT [--palette FILE] [--force]\n"
                "  모든 타일에 공통인 투명한 가장자리를 잘라냅니다 (너비는 4의 배수).\n"
                "  --palette FILE    GPF 페이지에 입힐 팔레트, convert 와 같습니다\n"),
    ZENTIL_TEXT("ToolText",
                "zentil-tool retile IN OUT --tile WxH [--align none|center|left|right|top|bottom]\n"
                "                          [--grid COLSxROWS] [--palette FILE] [--force]\n"
                "  타일 크기를 바꿉니다. 정렬을 주면 옛 타일이 새 타일 안의 그 자리에 놓이고,\n"
                "  정렬이 없으면 픽셀은 제자리에 있고 --grid 가 새 타일 수를 정합니다\n"
                "  (기본값은 옛 페이지 크기에 들어가는 만큼).\n"
                "  --palette FILE    GPF 페이지에 입힐 팔레트, convert 와 같습니다\n"),
    ZENTIL_TEXT(
        "ToolText",
        "zentil-tool recolor IN OUT --from N (--to N | --similar) [--palette FILE] [--force]\n"
        "  색상 N인 픽셀을 모두 바꿉니다; --similar 는 가깝고 다른 색을 고릅니다.\n"
        "  --palette FILE    GPF 페이지에 입힐 팔레트; GPF 파일에는 팔레트가 없으므로\n"
        "                    --similar 에 필요합니다\n"),
    // The info report.
    ZENTIL_TEXT("ToolText", "TGA 형식 %1, %2 x %3, 픽셀당 %4비트, 디스크립터 0x%5 (%6)"),
    ZENTIL_TEXT("ToolText", "위쪽 행부터"),
    ZENTIL_TEXT("ToolText", "아래쪽 행부터"),
    ZENTIL_TEXT("ToolText", ", 오른쪽에서 왼쪽으로"),
    ZENTIL_TEXT("ToolText", "컬러맵: %1번부터 %2개, 항목당 %3비트"),
    ZENTIL_TEXT("ToolText", "컬러맵 없음"),
    ZENTIL_TEXT("ToolText", "투명색 %1 (%2)"),
    ZENTIL_TEXT("ToolText", "네 모서리의 색"),
    ZENTIL_TEXT("ToolText", "기본값; 네 모서리의 색이 서로 다름"),
    ZENTIL_TEXT("ToolText", "투명 항목 또는 기본값"),
    ZENTIL_TEXT("ToolText", "PNG %1 x %2, %3%4"),
    ZENTIL_TEXT("ToolText", "팔레트(항목 %2개)가 있는 %1비트"),
    ZENTIL_TEXT("ToolText", "%1비트 회색조"),
    ZENTIL_TEXT("ToolText", "알파가 있는 %1비트 회색조"),
    ZENTIL_TEXT("ToolText", "%1비트 RGB"),
    ZENTIL_TEXT("ToolText", "알파가 있는 %1비트 RGB"),
    ZENTIL_TEXT("ToolText", ", 인터레이스"),
    ZENTIL_TEXT("ToolText", "파일의 팔레트로 8비트 페이지가 됨; 완전히 투명한 항목 %1개"),
    ZENTIL_TEXT("ToolText", "회색 단계 팔레트로 8비트 페이지가 됨"),
    ZENTIL_TEXT("ToolText", "처음 나오는 차례로 번호를 매긴 색 %1개의 팔레트로 8비트 페이지가 됨"),
    ZENTIL_TEXT("ToolText", "%1 %2 x %3, 픽셀당 %4비트"),
    ZENTIL_TEXT("ToolText", "GPF %1 x %2 타일, 타일 크기 %3 x %4, 투명색 %5"),
    ZENTIL_TEXT("ToolText", "타일 %1: %2,%3 %4 x %5, %6 바이트 (데이터 %7 바이트)"),
    ZENTIL_TEXT("ToolText", "합계: 타일 데이터 %1 바이트, GPF 파일 %2 바이트"),
    ZENTIL_TEXT("ToolText", "팔레트, %1 바이트"),
    ZENTIL_TEXT("ToolText", "팔레트, %1 바이트, 블렌드 테이블 %2"),
    ZENTIL_TEXT("ToolText", "완전함"),
    ZENTIL_TEXT("ToolText", "없거나 짧음"),
};
// Every text has its entry: a missing one would leave the last empty.
static_assert(kKorean.back() != nullptr);

Language current = Language::korean();
// The translation of the current language; none for Korean.
const ToolTranslation* table = nullptr;

const ToolTranslation* translationOf(const Language& language) {
    for (const ToolTranslation& translation : toolTranslations())
        if (translation.code == language.code()) return &translation;
    return nullptr;
}

// `source` in the current language: as written where it has no translation.
std::string_view translated(std::string_view context, std::string_view source) {
    if (!table) return source;
    const auto key = std::pair(context, source);
    const auto found = std::lower_bound(
        table->texts.begin(), table->texts.end(), key,
        [](const TranslatedText& t, const auto& k) { return std::pair(t.context, t.source) < k; });
    if (found == table->texts.end() || found->context != context || found->source != source)
        return source;
    return found->translation;
}

}  // namespace

void setLanguage(const Language& language) {
    current = language;
    table = translationOf(language);
}

Language language() {
    return current;
}

std::vector<Language> installedLanguages() {
    std::vector<Language> languages = {Language::korean()};
    for (const ToolTranslation& translation : toolTranslations())
        languages.emplace_back(translation.code);
    return languages;
}

Language languageOfEnvironment() {
    // As the toolkit reads the user's languages on this platform: the first
    // of LANGUAGE's list, else the locale of messages.
    std::string_view first;
    if (const char* list = std::getenv("LANGUAGE"); list && *list)
        first = std::string_view(list).substr(0, std::string_view(list).find(':'));
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (!first.empty()) break;
        if (const char* value = std::getenv(name); value && *value) first = value;
    }
    return languageForUser(first, installedLanguages());
}

std::string say(Text id, std::initializer_list<std::string_view> args) {
    const std::string_view pattern =
        translated(kToolContext, kKorean[static_cast<std::size_t>(id)]);
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const auto n = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && n < args.size()) {
            text += args.begin()[n];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::string coreText(std::string_view text) {
    if (!table) return std::string(text);
    const TextKey key = textKeyOf(text);
    const std::string_view pattern = translated(kCoreContext, key.pattern);
    if (key.argument.empty()) return std::string(pattern);
    return fillPattern(pattern, coreText(key.argument));
}

}  // namespace zentil::tool
