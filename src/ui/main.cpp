// Program start: the windows created once in order, only the main window shown.
#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "application_setup.h"
#include "form_ani.h"
#include "form_chgcolor.h"
#include "form_colorkey.h"
#include "form_config.h"
#include "form_main.h"
#include "form_new.h"
#include "form_palette.h"
#include "form_tile.h"

int main(int argc, char** argv) {
    using namespace zentil;
    QApplication app(argc, argv);
    prepareApplication(app);
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
