// The editor's command line: zentil-editor [--help] [--version] [--lang CODE]
// [FILES...].
// Parsing needs no application object, so --help, --version and an unknown
// option are answered before the program connects to a display, in the
// language the editor speaks (editor_language.h).
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <optional>

#include "system/language.h"

namespace zentil {

// Why a command line was refused.
enum class LineProblem {
    None,             // understood
    UnknownOption,    // `subject`: the options, each in quotes, joined by ", "
    MissingValue,     // `subject`: the option that needs one
    UnexpectedValue,  // `subject`: the option that takes none
    UnknownLanguage,  // `subject`: the value of --lang, a language not installed
    Other,            // `subject`: the toolkit's own words
};

struct CommandLine {
    QStringList files;  // absolute, in the order given; as the file system's bytes (file_paths.h)
    bool showHelp = false;
    bool showVersion = false;
    std::optional<Language> language;  // --lang
    LineProblem problem = LineProblem::None;
    QString subject;         // what the problem is about
    int unknownOptions = 0;  // how many options were not known
};

// Whether the toolkit's own options (-platform NAME, -style NAME, -reverse,
// -display NAME, ...) are still on the line: before QApplication takes them
// they are known and passed over with their values, after it they are not.
enum class ToolkitOptions { OnTheLine, Taken };

// Reads `arguments` (the program name first). Relative file names are taken
// from `workingFolder`; everything after "--" is a file name. Help and version
// are reported even on a line with errors, so they work beside options that
// are not the editor's.
CommandLine parseCommandLine(const QStringList& arguments, const QDir& workingFolder,
                             ToolkitOptions toolkit = ToolkitOptions::Taken);

// The program's arguments with every name as the file system's bytes, which
// QCoreApplication::arguments() does not keep for names that are not UTF-8.
QStringList argumentsOf(int argc, char** argv);
// The folder the program runs in, as the file system's bytes.
QDir workingFolder();

// The text --help prints, in `language`.
QString commandLineHelp(const Language& language);
// The line --version prints: "zentil-editor VERSION".
QString versionLine();
// What a refused line gets on standard error, in `language`: the problem,
// then how to find the help.
QString refusalText(const CommandLine& line, const Language& language);
// Why the output could not be written (`reason`, the system's words).
QString outputFailureText(const QString& reason, const Language& language);

}  // namespace zentil
