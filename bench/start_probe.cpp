// The editor's start with a file named on its command line, ended as soon as
// the canvas has painted the page: the windows are made as the program makes
// them, and the file is loaded once the main window is up. With --read, only
// the file is read (the yardstick: what reading it alone takes in a process
// with the same libraries). For whole-process timings and for the start-up
// benchmark; run it where the editor may leave its settings file.
#include <QAbstractScrollArea>
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "application_setup.h"
#include "form_ani.h"
#include "form_chgcolor.h"
#include "form_colorkey.h"
#include "form_config.h"
#include "form_main.h"
#include "form_new.h"
#include "form_palette.h"
#include "form_tile.h"
#include "formats/page_formats.h"
#include "page_canvas.h"

namespace {

using namespace zentil;

// Ends the program after the first paint of the canvas once the page is shown.
class PaintWatch : public QObject {
  public:
    explicit PaintWatch(TMainWin& main) : main_(main) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && main_.workspace().currentPage() != nullptr) {
            shown = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }
    bool shown = false;

  private:
    TMainWin& main_;
};

int readOnly(const char* path) {
    const PageFormat* format = formatOfExtension(path);
    Page page;
    if (!format || !format->read(path, page, {})) return 1;
    std::printf("%d x %d\n", page.width, page.height);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--read") == 0) return readOnly(argv[2]);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zentil_start_probe [--read] FILE\n");
        return 2;
    }
    QApplication app(argc, argv);
    prepareApplication(app);
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
    PaintWatch watch(mainWin);
    mainWin.canvas().viewport()->installEventFilter(&watch);
    mainWin.show();
    const QStringList files = {QString::fromLocal8Bit(argv[1])};
    QTimer::singleShot(0, &mainWin, [&] { mainWin.loadFiles(files); });
    const int status = app.exec();
    return status == 0 && watch.shown ? 0 : 1;
}
