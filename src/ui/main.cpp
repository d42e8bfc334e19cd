// Program start: the command line, the windows created once in order, only
// the main window shown, then the files named on the command line loaded.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>

#include "application_setup.h"
#include "command_line.h"
#include "editor_language.h"
#include "form_ani.h"
#include "form_chgcolor.h"
#include "form_colorkey.h"
#include "form_config.h"
#include "form_main.h"
#include "form_new.h"
#include "form_palette.h"
#include "form_tile.h"

namespace {

// Writes the text and makes sure it arrived: output that cannot be written
// (a full disk, a closed pipe) is a failure.
bool print(std::FILE* stream, const QString& text) {
    const QByteArray bytes = text.toLocal8Bit();
    return std::fputs(bytes.constData(), stream) >= 0 && std::fflush(stream) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace zentil;
    // The names first: the language kept from the last run is read from the
    // settings they name.
    nameApplication();
    // --help, --version and an unknown option are answered before the
    // application object exists: they need no display. The toolkit's own
    // options are known here and passed over.
    const CommandLine early =
        parseCommandLine(argumentsOf(argc, argv), workingFolder(), ToolkitOptions::OnTheLine);
    const Language language = startLanguage(early.language);
    if (early.showHelp || early.showVersion) {
        if (print(stdout, early.showHelp ? commandLineHelp(language) : versionLine())) return 0;
        const int failure = errno;
        print(stderr, outputFailureText(QString::fromLocal8Bit(std::strerror(failure)), language));
        return 1;
    }
    const auto refuse = [language](const CommandLine& line) {
        print(stderr, refusalText(line, language));
        return 2;
    };
    if (early.problem != LineProblem::None) return refuse(early);
    QApplication app(argc, argv);
    // Read again without the toolkit's own options, which QApplication took
    // from argc and argv; a toolkit option of another platform stays and is
    // refused here, in the same words as before.
    const CommandLine options = parseCommandLine(argumentsOf(argc, argv), workingFolder());
    if (options.problem != LineProblem::None) return refuse(options);
    prepareApplication(app, language);
    try {
        TMainWin mainWin;
        TNewWin newWin(&mainWin);
        TAniWin aniWin(&mainWin);
        TTileWin tileWin(&mainWin);
        TConfigWin configWin(&mainWin);
        TColorKeyWin colorKeyWin(&mainWin);
        TChgColorWin chgColorWin(&mainWin);
        TPaletteWin paletteWin(&mainWin);
        mainWin.setDialogs(
            {&newWin, &aniWin, &tileWin, &configWin, &colorKeyWin, &chgColorWin, &paletteWin});
        mainWin.show();
        // Once the window is up (its settings read), as if chosen in the load dialog.
        if (!options.files.isEmpty())
            QTimer::singleShot(0, &mainWin, [&] { mainWin.loadFiles(options.files); });
        return app.exec();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Zentil Editor"),
                              QString::fromUtf8(e.what()));
    } catch (...) {
        QMessageBox::critical(nullptr, QStringLiteral("Zentil Editor"),
                              QStringLiteral("Unknown error"));
    }
    return 1;
}
