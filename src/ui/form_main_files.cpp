// The main window's file wiring: the file commands and the work session and
// what they ask of the window, the file dialogs, and files dropped on it.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>

#include "block_tool.h"
#include "file_commands.h"
#include "file_dialogs.h"
#include "file_paths.h"
#include "form_main.h"
#include "main_hosts.h"
#include "page_list.h"
#include "ui_form_main.h"
#include "work_session.h"

namespace zentil {
namespace {

// How long a line about a picture stays in the status bar.
constexpr int kStatusLineMs = 8000;

}  // namespace

Document& MainFileHost::document() {
    return w_.document_;
}
MessageSink& MainFileHost::messages() {
    return w_.messages();
}
FileDialogs& MainFileHost::fileDialogs() {
    return w_.fileDialogs();
}
QWidget* MainFileHost::window() {
    return &w_;
}
void MainFileHost::markLoaded(ListId list) {
    PageList& entries = w_.listWidget(list);
    entries.showPages(*w_.workspace_.store(list));
    const int last = entries.count() - 1;
    if (QListWidgetItem* current = entries.currentItem()) current->setSelected(false);
    entries.setCurrentEntry(last);
    entries.selectEntry(last);
}
void MainFileHost::showList(ListId list) {
    list == ListId::Pictures ? w_.Lb_TgaClick() : w_.Lb_SprClick();
}
void MainFileHost::showOnly(ListId list, int row) {
    w_.showOnly(list, row);
}
void MainFileHost::showNoPage() {
    w_.dropCanvasPicture();
}
void MainFileHost::guardCanvas() {
    w_.Timer_FileOpen.start();
}
void MainFileHost::cancelCanvas() {
    w_.blockTool_->cancel();
}
bool MainFileHost::canvasBusy() const {
    return w_.blockTool_->busy();
}
void MainFileHost::showStatusLine(const QString& text) {
    w_.ui_->Status_Bar->showMessage(text, kStatusLineMs);
}

void TMainWin::connectFiles() {
    fileHost_ = std::make_unique<MainFileHost>(*this);
    session_ = new WorkSession(*fileHost_, this);
    files_ = std::make_unique<FileCommands>(*fileHost_, *session_);
    session_->setFileCommands(files_.get());
}

void TMainWin::Btn_LoadSprClick() {
    files_->Btn_LoadSprClick();
}
void TMainWin::Btn_SaveSprClick() {
    files_->Btn_SaveSprClick();
}
void TMainWin::Btn_LoadPalClick() {
    files_->Btn_LoadPalClick();
}
void TMainWin::Btn_SavePalClick() {
    files_->Btn_SavePalClick();
}
void TMainWin::Btn_SaveAllClick() {
    session_->saveAllSprites();
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
