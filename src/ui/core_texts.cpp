#include "core_texts.h"

#include <QCoreApplication>
#include <cstdarg>

#include "system/text_keys.h"

namespace zentil {
namespace {

// The context the core's texts are filed under (system/translatable.h).
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

}  // namespace zentil
