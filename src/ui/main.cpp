// Program start: the command line, the windows created once in order, only
// the main window shown, then the files named on the command line loaded.
#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <exception>

#include "application_setup.h"
#include "command_line.h"
#include "form_ani.h"
#include "form_chgcolor.h"
#include "form_colorkey.h"
#include "form_config.h"
#include "form_main.h"
#include "form_new.h"
#include "form_palette.h"
#include "form_tile.h"
#include "zentil_version.h"

namespace {

QStringList argumentList(int argc, char** argv) {
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace zentil;
    // --help and --version are answered before the application object
    // exists: they need no display.
    const CommandLine early = parseCommandLine(argumentList(argc, argv), QDir::current());
    if (early.showHelp || early.showVersion) {
        print(stdout, early.showHelp ? commandLineHelp() : versionLine());
        return 0;
    }
    QApplication app(argc, argv);
    prepareApplication(app);
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kAppId));
    QApplication::setWindowIcon(QIcon::fromTheme(QString::fromLatin1(kAppId)));
    // Read again without the toolkit's own options, which QApplication took.
    const CommandLine options = parseCommandLine(QCoreApplication::arguments(), QDir::current());
    if (!options.error.isEmpty()) {
        print(
            stderr,
            QStringLiteral("zentil-editor: %1\nTry 'zentil-editor --help'.\n").arg(options.error));
        return 2;
    }
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
