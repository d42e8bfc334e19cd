// The editor's command line: zentil-editor [--help] [--version] [--lang ko|en]
// [FILES...].
// Parsing needs no application object, so --help, --version and an unknown
// option are answered before the program connects to a display.
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <optional>

#include "system/language.h"

namespace zentil {

struct CommandLine {
    QStringList files;  // absolute, in the order given; as the file system's bytes (file_paths.h)
    bool showHelp = false;
    bool showVersion = false;
    std::optional<Language> language;  // --lang
    QString error;                     // why the line was refused; empty when it was understood
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

// The text --help prints.
QString commandLineHelp();
// The line --version prints: "zentil-editor VERSION".
QString versionLine();

}  // namespace zentil
