#include "command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <filesystem>
#include <system_error>

#include "file_paths.h"
#include "zentil_version.h"

namespace zentil {
namespace {

const QCommandLineOption kHelpOption({QStringLiteral("h"), QStringLiteral("help")},
                                     QStringLiteral("Shows this help and exits."));
const QCommandLineOption kVersionOption({QStringLiteral("v"), QStringLiteral("version")},
                                        QStringLiteral("Shows the version and exits."));
const QCommandLineOption kLanguageOption(
    QStringLiteral("lang"),
    QStringLiteral("The language of the windows: ko (Korean) or en (English). Without it, the "
                   "language chosen in the editor, else English where the user's first "
                   "language is English and Korean otherwise."),
    QStringLiteral("ko|en"));

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
    parser.setApplicationDescription(
        QStringLiteral("Sprite-sheet and tile editor. Loads the given TGA and PNG pictures, GPF "
                       "sprite files and work files (.zws) at start."));
    parser.addOption(kHelpOption);
    parser.addOption(kVersionOption);
    parser.addOption(kLanguageOption);
    parser.addPositionalArgument(
        QStringLiteral("FILES"),
        QStringLiteral("TGA and PNG pictures, GPF sprite files and work files (.zws) to load."),
        QStringLiteral("[FILES...]"));
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments, const QDir& workingFolder,
                             ToolkitOptions toolkit) {
    QCommandLineParser parser;
    describe(parser);
    if (toolkit == ToolkitOptions::OnTheLine) addToolkitOptions(parser);
    CommandLine result;
    if (!parser.parse(arguments)) result.error = parser.errorText();
    result.showHelp = parser.isSet(kHelpOption);
    result.showVersion = parser.isSet(kVersionOption);
    if (parser.isSet(kLanguageOption)) {
        const QString code = parser.value(kLanguageOption);
        result.language = languageNamed(code.toStdString());
        if (!result.language && result.error.isEmpty())
            result.error = QStringLiteral("Unknown language '%1' (ko or en).").arg(code);
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

QString commandLineHelp() {
    QCommandLineParser parser;
    describe(parser);
    // The usage line names the program as it was started; it is always
    // shown under its installed name.
    QString text = parser.helpText();
    const qsizetype options = text.indexOf(QStringLiteral(" [options]"));
    if (options >= 0) text.replace(0, options, QStringLiteral("Usage: zentil-editor"));
    return text;
}

QString versionLine() {
    return QStringLiteral("zentil-editor ") + QString::fromLatin1(kVersion) + QLatin1Char('\n');
}

}  // namespace zentil
