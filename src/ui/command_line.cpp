#include "command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "zentil_version.h"

namespace zentil {
namespace {

const QCommandLineOption kHelpOption({QStringLiteral("h"), QStringLiteral("help")},
                                     QStringLiteral("Shows this help and exits."));
const QCommandLineOption kVersionOption({QStringLiteral("v"), QStringLiteral("version")},
                                        QStringLiteral("Shows the version and exits."));

// Single-dash words are long options, so that a toolkit option such as
// "-reverse" is never read as the letters -r -e -v ...
void describe(QCommandLineParser& parser) {
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(
        QStringLiteral("Sprite-sheet and tile editor. Loads the given TGA pictures and GPF "
                       "sprite files at start."));
    parser.addOption(kHelpOption);
    parser.addOption(kVersionOption);
    parser.addPositionalArgument(QStringLiteral("FILES"),
                                 QStringLiteral("TGA and GPF files to load."),
                                 QStringLiteral("[FILES...]"));
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments, const QDir& workingFolder) {
    QCommandLineParser parser;
    describe(parser);
    CommandLine result;
    if (!parser.parse(arguments)) result.error = parser.errorText();
    result.showHelp = parser.isSet(kHelpOption);
    result.showVersion = parser.isSet(kVersionOption);
    for (const QString& name : parser.positionalArguments())
        result.files.append(QDir::cleanPath(workingFolder.absoluteFilePath(name)));
    return result;
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
