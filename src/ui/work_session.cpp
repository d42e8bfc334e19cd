#include "work_session.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTimer>

#include "core_texts.h"
#include "document.h"
#include "file_command_host.h"
#include "file_dialogs.h"
#include "file_paths.h"
#include "formats/page_formats.h"
#include "message_sink.h"
#include "picture_watcher.h"
#include "system/texts.h"
#include "work/page_files.h"
#include "work/work_file.h"

namespace zentil {
namespace {

// Where the platform's settings keep the last work file.
const QString kLastWorkFileKey = QStringLiteral("work/lastFile");

void rememberWorkFile(const QString& path) {
    QSettings().setValue(kLastWorkFileKey, QFileInfo(path).absoluteFilePath());
}

}  // namespace

WorkSession::WorkSession(FileCommandHost& host, QObject* parent)
    : QObject(parent), host_(host), watcher_(new PictureWatcher(this)) {
    connect(watcher_, &PictureWatcher::fileChanged, this, &WorkSession::reloadPicture);
    // The files watched are those of the pictures as the document has them.
    connect(&host_.document(), &Document::changed, this, [this](const Change& change) {
        if (change.pictures || change.saved || !change.pages.empty()) watchPictures();
    });
}

Workspace& WorkSession::ws() {
    return host_.document().workspace();
}

QString WorkSession::lastWorkFile() {
    return QSettings().value(kLastWorkFileKey).toString();
}

bool WorkSession::mayDropUnsaved(Leaving leaving) {
    if (!ws().spritesModified()) return true;
    const bool quit = leaving == Leaving::Quit;
    const QString goOn = quit ? tr("저장하지 않고 종료(&Q)") : tr("저장하지 않고 열기(&O)");
    const std::vector<std::string> answers = {tr("모두 저장(&S)").toStdString(), goOn.toStdString(),
                                              tr("취소(&C)").toStdString()};
    const char* question = quit ? texts::kAskCloseUnsaved : texts::kAskOpenUnsaved;
    switch (host_.messages().choose(texts::kCaptionNotice, question, answers, 2)) {
        case 0:
            return saveAllSprites();
        case 1:
            return true;
        default:
            return false;
    }
}

void WorkSession::saveWork(const QString& path) {
    const Outcome saved = saveWorkFile(ws(), pathToBytes(path));
    host_.messages().report(saved, shownPath(path));
    if (saved) rememberWorkFile(path);
}

bool WorkSession::openWork(const QString& path) {
    if (!mayDropUnsaved(Leaving::OpenWork)) return false;
    // A block on the canvas belongs to the session being left.
    host_.cancelCanvas();
    const Outcome opened = openWorkFile(pathToBytes(path), ws());
    host_.messages().report(opened, shownPath(path));
    if (!opened) return false;
    // The steps of the history were taken on the session just left.
    host_.document().history().clear();
    rememberWorkFile(path);
    // The page the session was left on is the one marked and shown.
    const PagePlace current = ws().placeOf(ws().currentPage());
    host_.document().notify(loadedChange(), onlyEntry(current.list, current.index));
    return true;
}

QString WorkSession::askSpritePath(int index) {
    // A page without a file of its own: shown, then named in a dialog.
    const PageFormat& gpf = pageFormat(PageFormatId::Gpf);
    host_.document().selectEntry(ListId::Sprites, index);
    FileRequest request;
    request.title = tr("저장하기");
    request.fileName = QString::fromStdString(std::string(pageName(ws().sprites.at(index))));
    request.filters = {uiFilter(filterOf(gpf))};
    request.directory = dialogFolder(configText(ws().settings.saveDirectory),
                                     configText(ws().settings.startDirectory));
    const std::optional<FileChoice> choice = host_.fileDialogs().saveFile(request);
    if (!choice || choice->paths.isEmpty()) return {};
    QString path = choice->paths.first();
    const QString extension = QStringLiteral(".") + QString::fromLatin1(gpf.extension);
    if (!QFileInfo(path).fileName().toUpper().contains(extension)) path += extension;
    if (!host_.messages().mayReplace(pathToBytes(path))) return {};
    return path;
}

bool WorkSession::saveAllSprites() {
    const PageFormat& gpf = pageFormat(PageFormatId::Gpf);
    const std::vector<SpriteSave> saves = spriteSaves(ws());
    if (!mayWriteUnfamiliar(saves)) {
        host_.guardCanvas();
        return false;
    }
    bool allSaved = true;
    for (const SpriteSave& save : saves) {
        QString path = pathFromBytes(save.path);
        if (path.isEmpty()) path = askSpritePath(ws().sprites.indexOf(save.page));
        if (path.isEmpty()) {
            allSaved = false;
            break;
        }
        Outcome saved = gpf.canWrite(*save.page);
        if (saved) saved = gpf.write(pathToBytes(path), *save.page);
        host_.messages().report(saved, shownPath(path));
        if (!saved) {
            allSaved = false;
            break;
        }
        ws().markSaved(*save.page, pathToBytes(path));
    }
    host_.document().notify(savedChange());
    host_.guardCanvas();
    return allSaved;
}

bool WorkSession::mayWriteUnfamiliar(const std::vector<SpriteSave>& saves) {
    // Paths that came with a work file are someone else's choice: the files
    // are shown, and the question is asked once for all of them.
    const std::vector<std::string> files = unfamiliarFiles(ws(), saves);
    if (files.empty()) return true;
    std::string list;
    for (const std::string& file : files) {
        if (!list.empty()) list += '\n';
        list += shownPath(pathFromBytes(file));
    }
    return host_.messages().ask(texts::kCaptionNotice, texts::kAskSaveToUnfamiliarFiles, list);
}

void WorkSession::watchPictures() {
    QStringList files;
    for (int i = 0; i < ws().pictures.size(); ++i)
        if (followsItsFile(ws(), ws().pictures.at(i)))
            files.append(pathFromBytes(ws().pictures.file(i).path));
    watcher_->watch(files);
}

void WorkSession::reloadPicture(const QString& path) {
    const std::string file = pathToBytes(path);
    for (int i = 0; i < ws().pictures.size(); ++i) {
        Page& page = ws().pictures.at(i);
        if (ws().pictures.file(i).path != file) continue;
        // An outline being dragged belongs to the page as it is: the read
        // waits until the button is let go.
        if (host_.canvasBusy() && ws().currentPage() == &page) {
            QTimer::singleShot(200, this, [this, path] { reloadPicture(path); });
            return;
        }
        Outcome outcome;
        std::unique_ptr<Command> reload = reloadPage(ws(), page, outcome);
        const QString name = QFileInfo(path).fileName();
        if (!reload) {
            // Often a file caught half-written; its next change reads it again.
            host_.showStatusLine(
                QStringLiteral("%1: %2 %3")
                    .arg(name, uiText(texts::kPictureNotReread), uiText(outcome.text)));
            continue;
        }
        // The picture shown is shown again as the file now has it.
        if (ws().currentPage() == &page)
            host_.document().record(std::move(reload), host_.document().selection());
        else
            host_.document().record(std::move(reload));
        host_.showStatusLine(QStringLiteral("%1: %2").arg(name, uiText(texts::kPictureReread)));
    }
}

}  // namespace zentil
