#include "command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

#include "editor_language.h"
#include "file_paths.h"
#include "zentil_version.h"

namespace zentil {
namespace {

const char* const kContext = "zentil::CommandLine";
const QString kProgram = QStringLiteral("zentil-editor");

// The texts, in Korean as written; their English comes from the editor's
// translation (translatedText).
const char* const kUsage = QT_TRANSLATE_NOOP("zentil::CommandLine", "사용법: %1 [옵션] [파일...]");
const char* const kDescription = QT_TRANSLATE_NOOP(
    "zentil::CommandLine",
    "스프라이트 시트와 타일 편집기. 주어진 TGA, PNG 그림과 GPF 스프라이트 파일, 작업 "
    "파일(.zws)을 시작할 때 불러옵니다.");
const char* const kOptionsHeading = QT_TRANSLATE_NOOP("zentil::CommandLine", "옵션:");
const char* const kArgumentsHeading = QT_TRANSLATE_NOOP("zentil::CommandLine", "인수:");
const char* const kHelpDescription =
    QT_TRANSLATE_NOOP("zentil::CommandLine", "이 도움말을 보이고 끝냅니다.");
const char* const kVersionDescription =
    QT_TRANSLATE_NOOP("zentil::CommandLine", "버전을 보이고 끝냅니다.");
// %1: the codes of the languages installed, "ko, en".
const char* const kLanguageDescription = QT_TRANSLATE_NOOP(
    "zentil::CommandLine",
    "창의 언어(%1). 없으면 편집기에서 고른 언어, 그것도 없으면 사용자의 첫 언어(편집기에 있을 "
    "때), 아니면 한국어입니다.");
const char* const kFilesName = QT_TRANSLATE_NOOP("zentil::CommandLine", "파일...");
const char* const kFilesDescription =
    QT_TRANSLATE_NOOP("zentil::CommandLine",
                      "시작할 때 불러올 TGA, PNG 그림과 GPF 스프라이트 파일, 작업 파일(.zws).");
const char* const kUnknownOptions =
    QT_TRANSLATE_N_NOOP("zentil::CommandLine", "알 수 없는 옵션: %1");
const char* const kMissingValue =
    QT_TRANSLATE_NOOP("zentil::CommandLine", "'%1' 뒤에 값이 없습니다.");
const char* const kUnexpectedValue =
    QT_TRANSLATE_NOOP("zentil::CommandLine", "'%1'은(는) 값을 받지 않습니다.");
// %2: the codes of the languages installed, "ko, en".
const char* const kUnknownLanguage =
    QT_TRANSLATE_NOOP("zentil::CommandLine", "알 수 없는 언어 '%1'입니다(%2).");
const char* const kTryHelp =
    QT_TRANSLATE_NOOP("zentil::CommandLine", "사용법은 '%1 --help'로 볼 수 있습니다.");
const char* const kCannotWrite =
    QT_TRANSLATE_NOOP("zentil::CommandLine", "출력을 쓸 수 없습니다: %1");

const QCommandLineOption kHelpOption(QStringList{QStringLiteral("h"), QStringLiteral("help")});
const QCommandLineOption kVersionOption(QStringList{QStringLiteral("v"),
                                                    QStringLiteral("version")});
const QCommandLineOption kLanguageOption(QStringLiteral("lang"), QString(), QStringLiteral("code"));

// Help is wrapped to this many columns of a terminal.
constexpr int kHelpColumns = 79;

// The options Qt 6 takes on this platform (QGuiApplication, QApplication and
// the X11 platform plugin, as Qt 6.4 was seen to take them from argv): these
// take a value, the flags below do not.
const char* const kToolkitOptionsWithValue[] = {"platform",
                                                "platformpluginpath",
                                                "platformtheme",
                                                "plugin",
                                                "qwindowgeometry",
                                                "qwindowicon",
                                                "qwindowtitle",
                                                "session",
                                                "style",
                                                "stylesheet",
                                                "qmljsdebugger",
                                                "display",
                                                "geometry",
                                                "title",
                                                "icon",
                                                "name",
                                                "visual"};
const char* const kToolkitFlags[] = {"reverse", "widgetcount", "testability", "nograb", "dograb"};

void addToolkitOptions(QCommandLineParser& parser) {
    for (const char* name : kToolkitOptionsWithValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kToolkitFlags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

// Single-dash words are long options, so that a toolkit option such as
// "-reverse" is never read as the letters -r -e -v ...
void describe(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOption(kHelpOption);
    parser.addOption(kVersionOption);
    parser.addOption(kLanguageOption);
}

// Why the parser refused the line. Its own words are the toolkit's, in
// English (no translation is installed while the line is read): the option
// they are about is taken out of them and worded again.
void noteRefusal(const QCommandLineParser& parser, CommandLine& line) {
    if (const QStringList unknown = parser.unknownOptionNames(); !unknown.isEmpty()) {
        line.problem = LineProblem::UnknownOption;
        line.unknownOptions = static_cast<int>(unknown.size());
        line.subject = QLatin1Char('\'') + unknown.join(QStringLiteral("', '")) + QLatin1Char('\'');
        return;
    }
    const QString text = parser.errorText();
    const qsizetype open = text.indexOf(QLatin1Char('\'')),
                    close = text.lastIndexOf(QLatin1Char('\''));
    line.subject = open >= 0 && close > open ? text.mid(open + 1, close - open - 1) : text;
    if (text.startsWith(QLatin1String("Missing value")))
        line.problem = LineProblem::MissingValue;
    else if (text.startsWith(QLatin1String("Unexpected value")))
        line.problem = LineProblem::UnexpectedValue;
    else {
        line.problem = LineProblem::Other;
        line.subject = text;
    }
}

// How many columns of a terminal the text takes: Hangul and the other wide
// letters two each.
int columnsOf(const QString& text) {
    int columns = 0;
    for (const QChar c : text)
        columns += c.unicode() >= 0x1100 ? 2 : 1;
    return columns;
}

// The words from column `at` on, wrapped at spaces; further lines start at
// column `indent`.
QString wrapped(const QString& text, int at, int indent) {
    QString lines;
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < words.size(); ++i) {
        const int width = columnsOf(words[i]);
        if (i > 0 && at + 1 + width > kHelpColumns) {
            lines += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            at = indent;
        } else if (i > 0) {
            lines += QLatin1Char(' ');
            ++at;
        }
        lines += words[i];
        at += width;
    }
    return lines + QLatin1Char('\n');
}

// "  NAMES   description", the description in the column from `indent` on.
QString helpEntry(const QString& names, const QString& description, int indent) {
    const QString start = QStringLiteral("  ") + names;
    const int gap = std::max(indent - columnsOf(start), 1);
    return start + QString(gap, QLatin1Char(' ')) +
           wrapped(description, columnsOf(start) + gap, indent);
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments, const QDir& workingFolder,
                             ToolkitOptions toolkit) {
    QCommandLineParser parser;
    describe(parser);
    if (toolkit == ToolkitOptions::OnTheLine) addToolkitOptions(parser);
    CommandLine result;
    if (!parser.parse(arguments)) noteRefusal(parser, result);
    result.showHelp = parser.isSet(kHelpOption);
    result.showVersion = parser.isSet(kVersionOption);
    if (parser.isSet(kLanguageOption)) {
        const QString code = parser.value(kLanguageOption);
        result.language = languageNamed(code.toStdString(), installedLanguages());
        if (!result.language && result.problem == LineProblem::None) {
            result.problem = LineProblem::UnknownLanguage;
            result.subject = code;
        }
    }
    for (const QString& name : parser.positionalArguments())
        result.files.append(QDir::cleanPath(workingFolder.absoluteFilePath(name)));
    return result;
}

QStringList argumentsOf(int argc, char** argv) {
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list.append(pathFromBytes(argv[i]));
    return list;
}

QDir workingFolder() {
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::current_path(error);
    if (error) return QDir::current();
    return QDir(pathFromBytes(
        QByteArrayView(folder.native().data(), static_cast<qsizetype>(folder.native().size()))));
}

QString commandLineHelp(const Language& language) {
    const auto text = [&language](const char* source) {
        return translatedText(language, kContext, source);
    };
    const std::pair<QString, QString> entries[] = {
        {QStringLiteral("-h, --help"), text(kHelpDescription)},
        {QStringLiteral("-v, --version"), text(kVersionDescription)},
        {QStringLiteral("--lang <%1>").arg(installedCodes("|")),
         text(kLanguageDescription).arg(installedCodes(", "))},
        {text(kFilesName), text(kFilesDescription)},
    };
    int indent = 0;
    for (const auto& [names, description] : entries)
        indent = std::max(indent, columnsOf(names) + 4);
    QString help = text(kUsage).arg(kProgram) + QLatin1Char('\n') +
                   wrapped(text(kDescription), 0, 0) + QLatin1Char('\n') + text(kOptionsHeading) +
                   QLatin1Char('\n');
    for (int i = 0; i < 3; ++i)
        help += helpEntry(entries[i].first, entries[i].second, indent);
    help += QLatin1Char('\n') + text(kArgumentsHeading) + QLatin1Char('\n');
    return help + helpEntry(entries[3].first, entries[3].second, indent);
}

QString versionLine() {
    return QStringLiteral("zentil-editor ") + QString::fromLatin1(kVersion) + QLatin1Char('\n');
}

QString refusalText(const CommandLine& line, const Language& language) {
    QString problem;
    switch (line.problem) {
        case LineProblem::None:
            return {};
        case LineProblem::UnknownOption:
            problem = translatedText(language, kContext, kUnknownOptions, line.unknownOptions)
                          .arg(line.subject);
            break;
        case LineProblem::MissingValue:
            problem = translatedText(language, kContext, kMissingValue).arg(line.subject);
            break;
        case LineProblem::UnexpectedValue:
            problem = translatedText(language, kContext, kUnexpectedValue).arg(line.subject);
            break;
        case LineProblem::UnknownLanguage:
            problem = translatedText(language, kContext, kUnknownLanguage)
                          .arg(line.subject, installedCodes(", "));
            break;
        case LineProblem::Other:
            problem = line.subject;
            break;
    }
    return kProgram + QStringLiteral(": ") + problem + QLatin1Char('\n') +
           translatedText(language, kContext, kTryHelp).arg(kProgram) + QLatin1Char('\n');
}

QString outputFailureText(const QString& reason, const Language& language) {
    return kProgram + QStringLiteral(": ") +
           translatedText(language, kContext, kCannotWrite).arg(reason) + QLatin1Char('\n');
}

}  // namespace zentil
