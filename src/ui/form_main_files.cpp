// The main window's file wiring: the file commands and the work session and
// what they ask of the window, the file dialogs, and files dropped on it.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "file_command_host.h"
#include "file_commands.h"
#include "file_dialogs.h"
#include "file_paths.h"
#include "form_main.h"
#include "work_session.h"

namespace zentil {

void TMainWin::connectFiles() {
    fileHost_ = makeFileHost(*this);
    session_ = new WorkSession(*fileHost_, this);
    files_ = std::make_unique<FileCommands>(*fileHost_, *session_);
}

void TMainWin::loadFiles(const QStringList& paths) {
    files_->loadFiles(paths);
}

FileDialogs& TMainWin::fileDialogs() {
    if (fileDialogs_) return *fileDialogs_;
    if (!qtFileDialogs_) qtFileDialogs_ = std::make_unique<QtFileDialogs>(this);
    return *qtFileDialogs_;
}

void TMainWin::setFileDialogs(FileDialogs* dialogs) {
    fileDialogs_ = dialogs;
}

void TMainWin::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainWin::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths.append(pathFromUrl(url));
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    // Loaded once the drop is over, so that the dragging program is not kept
    // waiting by a message about one of the files.
    QTimer::singleShot(0, this, [this, paths] { loadFiles(paths); });
}

}  // namespace zentil
