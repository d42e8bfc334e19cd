#include "core_texts.h"

#include <QCoreApplication>
#include <cstdarg>

#include "system/text_keys.h"

namespace zentil {
namespace {

// The core's texts as written in src/system/texts.h and the format tables,
// marked for lupdate. The translation test compares this list with them.
constexpr const char* kCoreTexts[] = {
    QT_TRANSLATE_NOOP("CoreText", "오류"),
    QT_TRANSLATE_NOOP("CoreText", "알림"),
    QT_TRANSLATE_NOOP("CoreText",
                      "상위 컬러모드에서 하위 컬러모드로는 복사할 수 없습니다. (단, 24비트 -> "
                      "16비트 복사는 예외)"),
    QT_TRANSLATE_NOOP("CoreText", "가로 타일 수는 0보다 커야 합니다."),
    QT_TRANSLATE_NOOP("CoreText", "이미지를 생성할 수 없습니다."),
    QT_TRANSLATE_NOOP("CoreText", "총 읽어들일 수 있는 파일 수를 초과했습니다."),
    QT_TRANSLATE_NOOP("CoreText", "기존의 파일을 덮어쓰시겠습니까?"),
    QT_TRANSLATE_NOOP("CoreText", "Config 파일을 저장할 수 없습니다."),
    QT_TRANSLATE_NOOP("CoreText", "파일을 읽는데 실패했습니다."),
    QT_TRANSLATE_NOOP("CoreText", "일반 파일이 아니므로 읽을 수 없습니다. (폴더, FIFO, 장치 등)"),
    QT_TRANSLATE_NOOP("CoreText", "색상 범위가 255보다 큽니다."),
    QT_TRANSLATE_NOOP("CoreText", "색상 범위가 32767보다 큽니다."),
    QT_TRANSLATE_NOOP("CoreText", "색상 범위가 16777215보다 큽니다."),
    QT_TRANSLATE_NOOP("CoreText", "TGA 파일을 열 수 없습니다."),
    QT_TRANSLATE_NOOP("CoreText", "TGA 파일이 아닙니다."),
    QT_TRANSLATE_NOOP("CoreText", "8Bit TGA 파일만 불러올 수 있습니다."),
    QT_TRANSLATE_NOOP("CoreText", "지원하지 않는 TGA파일입니다. (%d)"),
    QT_TRANSLATE_NOOP("CoreText", "TGA 파일 형식이 맞지 않습니다."),
    QT_TRANSLATE_NOOP("CoreText", "TGA 파일을 저장할 수 없습니다."),
    QT_TRANSLATE_NOOP("CoreText", "GPF 파일을 열 수 없습니다."),
    QT_TRANSLATE_NOOP("CoreText", "GPF 파일이 아닙니다."),
    QT_TRANSLATE_NOOP("CoreText", "GPF 파일이 손상되었습니다."),
    QT_TRANSLATE_NOOP("CoreText", "8비트 이미지만 GPF 파일로 저장할 수 있습니다."),
    QT_TRANSLATE_NOOP("CoreText", "타일이 너무 커서 GPF 파일로 저장할 수 없습니다."),
    QT_TRANSLATE_NOOP("CoreText", "GPF 파일을 저장할 수 없습니다."),
    QT_TRANSLATE_NOOP("CoreText", "저장할 팔레트가 없는 이미지 포맷입니다."),
    QT_TRANSLATE_NOOP("CoreText", "팔레트 파일을 저장할 수 없습니다."),
    QT_TRANSLATE_NOOP("CoreText", "팔레트 파일을 읽을 수 없습니다."),
    QT_TRANSLATE_NOOP("CoreText", "PNG 파일을 읽을 수 없습니다."),
    QT_TRANSLATE_NOOP("CoreText", "PNG 파일을 읽을 수 없습니다. (%s)"),
    QT_TRANSLATE_NOOP("CoreText", "빈 파일"),
    QT_TRANSLATE_NOOP("CoreText", "PNG 파일이 아님"),
    QT_TRANSLATE_NOOP("CoreText", "파일이 잘림"),
    QT_TRANSLATE_NOOP("CoreText", "파일 손상"),
    QT_TRANSLATE_NOOP("CoreText", "256색 이하의 PNG 파일만 불러올 수 있습니다."),
    QT_TRANSLATE_NOOP("CoreText", "PNG 파일을 저장할 수 없습니다."),
    QT_TRANSLATE_NOOP("CoreText", "작업 파일을 읽을 수 없습니다."),
    QT_TRANSLATE_NOOP("CoreText", "작업 파일을 저장할 수 없습니다."),
    QT_TRANSLATE_NOOP("CoreText",
                      "저장이 중간에 끊긴 파일일 수 있습니다. 이전 내용이 %s에 남아 있습니다."),
    QT_TRANSLATE_NOOP("CoreText", "그림 크기가 서로 일치하지 않습니다."),
    QT_TRANSLATE_NOOP("CoreText", "다른 색상모드의 그림이 있습니다."),
    QT_TRANSLATE_NOOP("CoreText", "모든 스프라이트 작업 페이지를 삭제하시겠습니까?"),
    QT_TRANSLATE_NOOP("CoreText", "모든 TGA 페이지를 삭제하시겠습니까?"),
    QT_TRANSLATE_NOOP("CoreText", "파일을 저장할 수 없습니다."),
    QT_TRANSLATE_NOOP("CoreText", "저장하지 않은 변경 사항이 있습니다. 종료하시겠습니까?"),
    QT_TRANSLATE_NOOP("CoreText", "저장하지 않은 변경 사항이 있습니다. 작업 파일을 여시겠습니까?"),
    QT_TRANSLATE_NOOP("CoreText",
                      "이번 실행에서 열거나 저장한 적이 없는 파일에 저장합니다. 계속하시겠습니까?"),
    QT_TRANSLATE_NOOP("CoreText", "파일이 바뀌어 다시 불러왔습니다."),
    QT_TRANSLATE_NOOP("CoreText", "파일이 바뀌었지만 읽을 수 없습니다."),
    QT_TRANSLATE_NOOP("CoreText", "배율 %d%%"),
    QT_TRANSLATE_NOOP("CoreText", "GPF %s 바이트"),
    QT_TRANSLATE_NOOP("CoreText", " · 타일 %d: %s 바이트"),
    QT_TRANSLATE_NOOP("CoreText", "GPF: %s"),
    QT_TRANSLATE_NOOP("CoreText", "팔레트 없음(검게 보임) → '팔레트 적용'"),
    QT_TRANSLATE_NOOP(
        "CoreText",
        "팔레트 파일을 아직 불러오지 않아 스프라이트 페이지의 색이 모두 검은색입니다. "
        "도구 모음의 '팔레트 적용'으로 팔레트 파일을 불러오면 제 색으로 보입니다."),
    // The names of the page and palette formats in the file dialogs.
    QT_TRANSLATE_NOOP("CoreText", "TGA 파일"),
    QT_TRANSLATE_NOOP("CoreText", "GPF 파일"),
    QT_TRANSLATE_NOOP("CoreText", "PNG 파일"),
    QT_TRANSLATE_NOOP("CoreText", "팔레트 파일"),
    QT_TRANSLATE_NOOP("CoreText", "GPL 팔레트"),
    QT_TRANSLATE_NOOP("CoreText", "ACT 색상표"),
    QT_TRANSLATE_NOOP("CoreText", "그림의 팔레트"),
};

constexpr char kContext[] = "CoreText";

QString translated(std::string_view text) {
    // Translations are looked up by the whole source text, which must end
    // with its terminating zero.
    const std::string source(text);
    return QCoreApplication::translate(kContext, source.c_str());
}

}  // namespace

QString uiText(std::string_view coreText) {
    const TextKey key = textKeyOf(coreText);
    if (key.argument.empty()) return translated(key.pattern);
    const QByteArray pattern = translated(key.pattern).toUtf8();
    const QByteArray argument = uiText(key.argument).toUtf8();
    return QString::fromStdString(fillPattern(
        std::string_view(pattern.constData(), static_cast<std::size_t>(pattern.size())),
        std::string_view(argument.constData(), static_cast<std::size_t>(argument.size()))));
}

QString uiFormat(const char* pattern, ...) {
    const QByteArray local = translated(pattern).toUtf8();
    va_list args;
    va_start(args, pattern);
    QString text = QString::vasprintf(local.constData(), args);
    va_end(args);
    return text;
}

QString uiFilter(std::string_view filter) {
    const std::size_t patterns = filter.rfind(" (");
    if (patterns == std::string_view::npos)
        return QString::fromUtf8(filter.data(), qsizetype(filter.size()));
    const std::string_view rest = filter.substr(patterns);
    return uiText(filter.substr(0, patterns)) +
           QString::fromUtf8(rest.data(), static_cast<qsizetype>(rest.size()));
}

std::span<const char* const> coreTextSources() {
    return kCoreTexts;
}

}  // namespace zentil
