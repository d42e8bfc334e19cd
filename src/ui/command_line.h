// The editor's command line: zentil-editor [--help] [--version] [FILES...].
// Parsing needs no application object, so --help and --version can be
// answered before the program connects to a display.
#pragma once

#include <QDir>
#include <QString>
#include <QStringList>

namespace zentil {

struct CommandLine {
    QStringList files;  // absolute, in the order given
    bool showHelp = false;
    bool showVersion = false;
    QString error;  // why the line was refused; empty when it was understood
};

// Reads `arguments` (the program name first). Relative file names are taken
// from `workingFolder`; everything after "--" is a file name. Help and version
// are reported even on a line with errors, so they work beside options that
// are not the editor's.
CommandLine parseCommandLine(const QStringList& arguments, const QDir& workingFolder);

// The text --help prints.
QString commandLineHelp();
// The line --version prints: "zentil-editor VERSION".
QString versionLine();

}  // namespace zentil
