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
#include "message_sink.h"
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

// A message ends the run: a file that cannot be shown would otherwise leave
// the probe waiting on a box nobody answers.
class PrintedMessages : public MessageSink {
  public:
    void message(std::string_view caption, std::string_view text,
                 std::string_view detail) override {
        std::fprintf(stderr, "zentil_start_probe: %.*s: %.*s %.*s\n",
                     static_cast<int>(caption.size()), caption.data(),
                     static_cast<int>(text.size()), text.data(), static_cast<int>(detail.size()),
                     detail.data());
        failed = true;
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    }
    bool ask(std::string_view, std::string_view, std::string_view) override { return false; }
    int choose(std::string_view, std::string_view, const std::vector<std::string>&,
               int fallback) override {
        return fallback;
    }
    bool failed = false;
};

int readOnly(const char* path) {
    const PageFormat* format = formatOfExtension(path);
    Page page;
    if (!format || !format->read(path, page, {})) return 1;
    std::printf("%d x %d\n", page.width, page.height);
    return 0;
}

constexpr const char* kUsage = "usage: zentil_start_probe [--read] FILE\n";

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--read") == 0) return readOnly(argv[2]);
    // Any other option is refused, not taken for a file to wait on.
    if (argc != 2 || argv[1][0] == '-') {
        std::fputs(kUsage, stderr);
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
    PrintedMessages messages;
    mainWin.setMessageSink(&messages);
    PaintWatch watch(mainWin);
    mainWin.canvas().viewport()->installEventFilter(&watch);
    mainWin.show();
    const QStringList files = {QString::fromLocal8Bit(argv[1])};
    QTimer::singleShot(0, &mainWin, [&] {
        mainWin.loadFiles(files);
        // A file of no page format loads nothing, silently.
        if (mainWin.workspace().currentPage() == nullptr && !messages.failed)
            messages.message("zentil_start_probe", "no page to show:", argv[1]);
    });
    const int status = app.exec();
    return status == 0 && watch.shown && !messages.failed ? 0 : 1;
}
