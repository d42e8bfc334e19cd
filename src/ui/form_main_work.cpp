// The main window's work sessions: the whole workspace saved to and opened
// from one work file, every changed sprite page saved at once, and pictures
// read again when their files change on disk.
#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "file_dialogs.h"
#include "form_main.h"
#include "formats/page_formats.h"
#include "message_sink.h"
#include "page_list.h"
#include "path_bytes.h"
#include "picture_watcher.h"
#include "system/texts.h"
#include "ui_form_main.h"
#include "work/page_files.h"
#include "work/work_file.h"

namespace zentil {
namespace {

// Where the platform's settings keep the last work file.
const QString kLastWorkFileKey = QStringLiteral("work/lastFile");

// How long a line about a picture stays in the status bar.
constexpr int kStatusLineMs = 8000;

}  // namespace

void TMainWin::connectWork() {
    pictureWatcher_ = new PictureWatcher(this);
    connect(pictureWatcher_, &PictureWatcher::fileChanged, this, &TMainWin::reloadPicture);
}

QString TMainWin::lastWorkFile() {
    return QSettings().value(kLastWorkFileKey).toString();
}

void TMainWin::rememberWorkFile(const QString& path) {
    QSettings().setValue(kLastWorkFileKey, QFileInfo(path).absoluteFilePath());
}

bool TMainWin::mayDropUnsaved(const char* question) {
    if (!workspace_.spritesModified()) return true;
    const std::vector<std::string> answers = {texts::kAnswerSaveAll, texts::kAnswerYes,
                                              texts::kAnswerNo};
    switch (messages().choose(texts::kCaptionNotice, question, answers, 2)) {
        case 0:
            return saveAllSprites();
        case 1:
            return true;
        default:
            return false;
    }
}

void TMainWin::saveWork(const QString& path) {
    const Outcome saved = saveWorkFile(workspace_, path.toStdString());
    report(saved);
    if (saved) rememberWorkFile(path);
}

bool TMainWin::openWork(const QString& path) {
    if (!mayDropUnsaved(texts::kAskOpenUnsaved)) return false;
    // A block on the canvas belongs to the session being left.
    putLiftedBlockAway();
    dropOutline();
    workspace_.canvas = CanvasSelection{};
    const Outcome opened = openWorkFile(pathToBytes(path), workspace_);
    report(opened);
    if (!opened) return false;
    // The steps of the history were taken on the session just left.
    history_.clear();
    rememberWorkFile(path);
    afterEdit();
    const PagePlace current = workspace_.placeOf(workspace_.currentPage());
    if (current.valid()) {
        showOnly(current.list, current.index);
    } else {
        workspace_.clearCurrent();
        dropCanvasPicture();
    }
    return true;
}

bool TMainWin::saveAllSprites() {
    const PageFormat& gpf = pageFormat(PageFormatId::Gpf);
    bool allSaved = true;
    for (Page* page : unsavedSprites(workspace_)) {
        QString path = QString::fromStdString(spriteFileOf(*page));
        if (path.isEmpty()) {
            // A page without a file of its own: shown, then named in a dialog.
            showOnly(ListId::Sprites, workspace_.sprites.indexOf(page));
            FileRequest request;
            request.title = QStringLiteral("저장하기");
            request.fileName = QString::fromStdString(std::string(pageName(*page)));
            request.filters = {QString::fromStdString(filterOf(gpf))};
            request.directory = dialogFolder(workspace_.settings.saveDirectory);
            const std::optional<FileChoice> choice = fileDialogs().saveFile(request);
            if (!choice || choice->paths.isEmpty()) {
                allSaved = false;
                break;
            }
            path = choice->paths.first();
            const QString extension = QStringLiteral(".") + QString::fromLatin1(gpf.extension);
            if (!QFileInfo(path).fileName().toUpper().contains(extension)) path += extension;
            if (!mayReplace(path)) {
                allSaved = false;
                break;
            }
        }
        Outcome saved = gpf.canWrite(*page);
        if (saved) saved = gpf.write(path.toStdString(), *page);
        report(saved);
        if (!saved) {
            allSaved = false;
            break;
        }
        page->filePath = path.toStdString();
        workspace_.markSaved(*page);
    }
    afterEdit();
    Timer_FileOpen.start();
    return allSaved;
}

void TMainWin::watchPictures() {
    if (!pictureWatcher_) return;
    QStringList files;
    for (int i = 0; i < workspace_.pictures.size(); ++i)
        if (const Page& page = workspace_.pictures.at(i); followsItsFile(page))
            files.append(QString::fromStdString(page.filePath));
    pictureWatcher_->watch(files);
}

void TMainWin::reloadPicture(const QString& path) {
    const std::string file = path.toStdString();
    for (int i = 0; i < workspace_.pictures.size(); ++i) {
        Page& page = workspace_.pictures.at(i);
        if (page.filePath != file) continue;
        // An outline being dragged belongs to the page as it is: the read
        // waits until the button is let go.
        if (workspace_.canvas.state == CanvasState::Selecting &&
            workspace_.currentPage() == &page) {
            QTimer::singleShot(200, this, [this, path] { reloadPicture(path); });
            return;
        }
        Outcome outcome;
        std::unique_ptr<Command> reload = reloadPage(workspace_, page, outcome);
        const QString name = QFileInfo(path).fileName();
        if (!reload) {
            // Often a file caught half-written; its next change reads it again.
            showStatusLine(QStringLiteral("%1: %2 %3")
                               .arg(name, QString::fromUtf8(texts::kPictureNotReread),
                                    QString::fromStdString(outcome.text)));
            continue;
        }
        record(std::move(reload));
        if (workspace_.currentPage() == &page) showCurrent();
        showStatusLine(
            QStringLiteral("%1: %2").arg(name, QString::fromUtf8(texts::kPictureReread)));
    }
}

void TMainWin::showStatusLine(const QString& text) {
    ui_->Status_Bar->showMessage(text, kStatusLineMs);
}

}  // namespace zentil
