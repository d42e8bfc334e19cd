// The file commands of the main window: loading pictures and sprite files,
// saving the current page, applying and saving palettes.
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMimeData>
#include <QProgressDialog>
#include <QUrl>

#include "file_dialogs.h"
#include "form_main.h"
#include "formats/page_formats.h"
#include "formats/palette_file.h"
#include "formats/palette_formats.h"
#include "message_sink.h"
#include "page_list.h"
#include "path_bytes.h"
#include "system/config.h"
#include "system/files.h"
#include "system/texts.h"
#include "ui_form_main.h"
#include "work/page_edits.h"
#include "work/work_file.h"

namespace zentil {
namespace {

// The upper-cased file name decides the store; the path itself is opened as
// chosen, since on this platform the upper-cased path names another file.
QString upperName(const QString& path) {
    return QFileInfo(path).fileName().toUpper();
}

const PageFormat* formatOf(const QString& path) {
    return formatInName(QFileInfo(path).fileName().toStdString());
}

ListId listOf(const PageFormat& format) {
    return format.loadsInto == LoadsInto::Sprites ? ListId::Sprites : ListId::Pictures;
}

QString filterText(const PageFormat& format) {
    return QString::fromStdString(filterOf(format));
}

// The work file's type in the load and save dialogs.
const QString kWorkFilter = QStringLiteral("작업 파일 (*.zws)");

bool isWorkFile(const QString& path) {
    return isWorkFileName(path.toStdString());
}

// The formats the save dialog offers, the sprite file first.
std::vector<const PageFormat*> saveFormats() {
    std::vector<const PageFormat*> formats;
    for (const LoadsInto into : {LoadsInto::Sprites, LoadsInto::Pictures})
        for (const PageFormat& format : pageFormats())
            if (format.loadsInto == into) formats.push_back(&format);
    return formats;
}

// The list name of a file: its name without folder, cut before the first
// dot, in capitals.
QString pageNameOf(const QString& path) {
    std::string name;
    fileNameOf(path.toStdString(), name);
    QString text = QString::fromStdString(name);
    return text.left(text.indexOf(QLatin1Char('.'))).toUpper();
}

// The folder of a path with its trailing separator.
QString folderOf(const QString& path) {
    const int cut = static_cast<int>(path.lastIndexOf(QLatin1Char('/')));
    return cut < 0 ? QString() : path.left(cut + 1);
}

// Keeps a path in a settings field; one too long for it is not kept at all,
// since a cut path would name another folder.
void store(char (&field)[kConfigTextSize], const QString& text) {
    const std::string bytes = text.toStdString();
    setConfigText(field, bytes.size() < kConfigTextSize ? bytes : std::string());
}

// Shows progress for long loads. The dialog appears only between two files,
// once a load has run for `delayMs`, and never on its own timer: a message
// box shown for a file then stays on top of it and keeps taking input.
class LoadProgress {
  public:
    LoadProgress(QWidget* parent, int total, int delayMs)
        : parent_(parent), total_(total), delayMs_(delayMs) {
        clock_.start();
    }
    // Gives false when the user cancelled.
    bool step(int done) {
        if (total_ < 2) return true;
        if (!dialog_ && clock_.elapsed() >= delayMs_) {
            dialog_ = std::make_unique<QProgressDialog>(QStringLiteral("불러오는 중..."),
                                                        QStringLiteral("취소"), 0, total_, parent_);
            dialog_->setWindowModality(Qt::WindowModal);
            dialog_->setMinimumDuration(0);
            dialog_->setAutoClose(false);
            dialog_->setAutoReset(false);
            dialog_->show();
        }
        if (!dialog_) return true;
        dialog_->setValue(done);  // a window-modal dialog also handles pending events here
        return !dialog_->wasCanceled();
    }
    void finish() { dialog_.reset(); }

  private:
    QWidget* parent_;
    int total_;
    qint64 delayMs_;
    QElapsedTimer clock_;
    std::unique_ptr<QProgressDialog> dialog_;
};

}  // namespace

FileDialogs& TMainWin::fileDialogs() {
    if (fileDialogs_) return *fileDialogs_;
    if (!qtFileDialogs_) qtFileDialogs_ = std::make_unique<QtFileDialogs>(this);
    return *qtFileDialogs_;
}

void TMainWin::setFileDialogs(FileDialogs* dialogs) {
    fileDialogs_ = dialogs;
}

QString TMainWin::dialogFolder(const char* stored) {
    const QString folder = QString::fromUtf8(stored);
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QDir::currentPath();
}

void TMainWin::Btn_LoadSprClick() {
    FileRequest request;
    request.title = QStringLiteral("불러오기");
    QStringList every;
    for (const PageFormat& format : pageFormats()) {
        request.filters.append(filterText(format));
        every.append(QStringLiteral("*.") + QString::fromLatin1(format.extension));
    }
    request.filters.append(kWorkFilter);
    const int workIndex = static_cast<int>(request.filters.size());
    every.append(QStringLiteral("*.zws"));
    request.filters.append(QStringLiteral("모든 포맷 (%1)").arg(every.join(QLatin1Char(' '))));
    request.filterIndex = OpenFilterIndex;
    request.directory = dialogFolder(workspace_.settings.openDirectory);
    // Left at the work file type, the dialog opens where the last one is.
    if (OpenFilterIndex == workIndex && !lastWorkFile().isEmpty())
        request.directory = QFileInfo(lastWorkFile()).absolutePath();
    const std::optional<FileChoice> choice = fileDialogs().openFiles(request);
    if (!choice) return;
    loadFiles(choice->paths);
    OpenFilterIndex = choice->filterIndex;
}

void TMainWin::loadFiles(QStringList paths) {
    // A work file replaces the session first; pages chosen with it join the
    // session it brought. Of several work files, the last is opened.
    QString work;
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(paths.size()));
    for (const QString& path : paths) {
        if (isWorkFile(path))
            work = path;
        else
            names.push_back(pathToBytes(QFileInfo(path).absoluteFilePath()));
    }
    if (!work.isEmpty()) {
        const bool opened = openWork(work);
        store(workspace_.settings.openDirectory, folderOf(QFileInfo(work).absoluteFilePath()));
        Timer_FileOpen.start();
        if (!opened) return;
    }
    if (names.empty()) return;
    sortNames(names);

    LoadProgress progress(this, static_cast<int>(names.size()), progressDelayMs_);
    QString last;
    int done = 0;
    const PageDefaults defaults = workspace_.defaults();
    for (const std::string& name : names) {
        if (!progress.step(done++)) break;
        last = QString::fromStdString(name);
        const PageFormat* format = formatOf(last);
        if (!format) continue;
        const ListId target = listOf(*format);
        PageStore& store = *workspace_.store(target);
        if (store.full()) {
            messages().message(texts::kCaptionError, texts::kStoreFull);
            break;
        }
        auto page = std::make_unique<Page>();
        const Outcome read = format->read(name, *page, defaults);
        if (!read) {
            report(read);  // loading goes on with the next file
            continue;
        }
        setPageName(*page, pageNameOf(last).toStdString());
        page->filePath = name;
        // A page as read is saved work; loading is not an edit to undo.
        workspace_.markSaved(*page);
        PageList& list = listWidget(target);
        list.appendPage(*page);
        const int n = store.append(std::move(page));
        if (QListWidgetItem* current = list.currentItem()) current->setSelected(false);
        list.setCurrentEntry(n);
        list.selectEntry(n);
    }
    progress.finish();
    afterEdit();

    if (const PageFormat* shown = formatOf(last))
        listOf(*shown) == ListId::Pictures ? Lb_TgaClick() : Lb_SprClick();
    if (const Page* page = workspace_.currentPage()) ui_->Edit_Col->setValue(page->cols);
    Timer_FileOpen.start();
    if (!last.isEmpty()) store(workspace_.settings.openDirectory, folderOf(last));
}

bool TMainWin::mayReplace(const QString& path) {
    return !fileExists(path.toStdString()) ||
           messages().ask(texts::kCaptionNotice, texts::kAskOverwrite);
}

void TMainWin::Btn_SaveSprClick() {
    // The current page in a page format, or the whole session as a work file.
    Page* page = workspace_.currentPage();
    const bool pageShown = page && page->inUse();
    if (!pageShown && workspace_.sprites.empty() && workspace_.pictures.empty()) return;
    FileRequest request;
    request.title = QStringLiteral("저장하기");
    request.fileName = pageShown ? QString::fromStdString(std::string(zentil::pageName(*page)))
                                 : QFileInfo(lastWorkFile()).completeBaseName();
    const std::vector<const PageFormat*> formats = saveFormats();
    for (const PageFormat* format : formats)
        request.filters.append(filterText(*format));
    request.filters.append(kWorkFilter);
    const int workIndex = static_cast<int>(request.filters.size());
    request.filterIndex = SaveFilterIndex;
    request.directory = dialogFolder(workspace_.settings.saveDirectory);
    if (SaveFilterIndex == workIndex && !lastWorkFile().isEmpty())
        request.directory = QFileInfo(lastWorkFile()).absolutePath();
    const std::optional<FileChoice> choice = fileDialogs().saveFile(request);
    if (!choice || choice->paths.isEmpty()) return;
    QString fileName = choice->paths.first();
    const int chosen = choice->filterIndex - 1;
    // A name typed with the work file's extension is a work file whatever
    // the filter.
    const bool work = choice->filterIndex == workIndex || isWorkFile(fileName);
    const PageFormat* format = !work && chosen >= 0 && chosen < static_cast<int>(formats.size())
                                   ? formats[static_cast<std::size_t>(chosen)]
                                   : nullptr;
    if (work && !isWorkFile(fileName)) fileName += QStringLiteral(".zws");
    if (format) {
        const QString extension = QStringLiteral(".") + QString::fromLatin1(format->extension);
        if (!upperName(fileName).contains(extension)) fileName += extension;
    }
    if (work) {
        if (mayReplace(fileName)) saveWork(fileName);
    } else if (!format) {
        messages().message(texts::kCaptionNotice, texts::kCannotSaveFile);
    } else if (pageShown && mayReplace(fileName)) {
        const Outcome saved = format->write(fileName.toStdString(), *page);
        report(saved);
        if (saved) {
            page->filePath = QFileInfo(fileName).absoluteFilePath().toStdString();
            workspace_.markSaved(*page);
            afterEdit();
        }
    }
    Timer_FileOpen.start();
    store(workspace_.settings.saveDirectory, folderOf(fileName));
    SaveFilterIndex = choice->filterIndex;
}

void TMainWin::Btn_LoadPalClick() {
    FileRequest request;
    request.title = QStringLiteral("팔레트 불러오기");
    request.filters = {QStringLiteral("팔레트 파일 (*.PAL)"), QStringLiteral("GPL 팔레트 (*.GPL)"),
                       QStringLiteral("ACT 색상표 (*.ACT)"),
                       QStringLiteral("그림의 팔레트 (*.PNG *.TGA)"),
                       QStringLiteral("모든 팔레트 (*.PAL *.GPL *.ACT *.PNG *.TGA)")};
    request.directory = dialogFolder(workspace_.settings.openDirectory);
    const std::optional<FileChoice> choice = fileDialogs().openFiles(request);
    if (!choice || choice->paths.isEmpty()) return;
    const QString path = choice->paths.first();
    Palette palette{};
    const Outcome read = readPaletteOfFile(path.toStdString(), palette);
    if (!read) {
        report(read);
        return;
    }
    // The palette file is read, not undone; giving its colours to the sprite
    // pages is an edit.
    record(applySpritePalette(workspace_, palette));
    store(workspace_.settings.palettePath, path);
    if (workspace_.activeList() == ListId::Pictures && ui_->Lb_Tga->count() > 0)
        Lb_TgaClick();
    else if (ui_->Lb_Spr->count() > 0)
        Lb_SprClick();
    Timer_FileOpen.start();
}

void TMainWin::Btn_SavePalClick() {
    // Without a page shown there is no palette to take.
    const Page* page = workspace_.currentPage();
    if (!page || !page->inUse()) return;
    FileRequest request;
    request.title = QStringLiteral("팔레트 저장하기");
    request.filters = {QStringLiteral("팔레트 (*.PAL)")};
    request.directory = dialogFolder(workspace_.settings.saveDirectory);
    const std::optional<FileChoice> choice = fileDialogs().saveFile(request);
    if (!choice || choice->paths.isEmpty()) return;
    QString fileName = choice->paths.first();
    if (!upperName(fileName).contains(QStringLiteral(".PAL"))) fileName += QStringLiteral(".Pal");
    const Outcome saved = savePaletteFile(fileName.toStdString(), *page);
    if (!saved) {
        report(saved);  // what the writer found, then that the command failed
        messages().message(texts::kCaptionError, texts::kCannotSavePalette);
        return;
    }
    // The palette written becomes the palette of the sprite pages.
    Palette palette{};
    if (readPaletteFile(fileName.toStdString(), palette))
        record(applySpritePalette(workspace_, palette));
    if (const Page* shown = workspace_.currentPage()) showPage(*shown, false);
    store(workspace_.settings.palettePath, fileName);
    Timer_FileOpen.start();
}

void TMainWin::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TMainWin::dropEvent(QDropEvent* event) {
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) paths.append(url.toLocalFile());
    if (paths.isEmpty()) return;
    event->acceptProposedAction();
    // Loaded once the drop is over, so that the dragging program is not kept
    // waiting by a message about one of the files.
    QTimer::singleShot(0, this, [this, paths] { loadFiles(paths); });
}

}  // namespace zentil
