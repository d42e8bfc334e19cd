#include "file_commands.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "core_texts.h"
#include "document.h"
#include "file_command_host.h"
#include "file_dialogs.h"
#include "file_paths.h"
#include "formats/page_formats.h"
#include "formats/palette_file.h"
#include "formats/palette_formats.h"
#include "load_feedback.h"
#include "message_sink.h"
#include "system/config.h"
#include "system/files.h"
#include "system/texts.h"
#include "work/page_edits.h"
#include "work/sheet_import.h"
#include "work/work_file.h"
#include "work_session.h"

namespace zentil {
namespace {

// Where the platform's settings keep the last cut of a sheet.
const QString kSheetTileWidthKey = QStringLiteral("sheet/tileWidth");
const QString kSheetTileHeightKey = QStringLiteral("sheet/tileHeight");
const QString kSheetMarginKey = QStringLiteral("sheet/margin");
const QString kSheetSpacingKey = QStringLiteral("sheet/spacing");

// The upper-cased file name decides the store; the path itself is opened as
// chosen, since on this platform the upper-cased path names another file.
QString upperName(const QString& path) {
    return QFileInfo(path).fileName().toUpper();
}

const PageFormat* formatOf(const QString& path) {
    return formatInName(pathToBytes(QFileInfo(path).fileName()));
}

ListId listOf(const PageFormat& format) {
    return format.loadsInto == LoadsInto::Sprites ? ListId::Sprites : ListId::Pictures;
}

QString filterText(const PageFormat& format) {
    return uiFilter(filterOf(format));
}

// The work file's type in the load and save dialogs.
QString workFilter() {
    return QCoreApplication::translate("zentil::FileCommands", "작업 파일 (*.%1)")
        .arg(QLatin1String(kWorkFileExtension));
}

bool isWorkFile(const QString& path) {
    return isWorkFileName(pathToBytes(path));
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
    fileNameOf(pathToBytes(path), name);
    QString text = pathFromBytes(name);
    return text.left(text.indexOf(QLatin1Char('.'))).toUpper();
}

// The folder of a path with its trailing separator.
QString folderOf(const QString& path) {
    const int cut = static_cast<int>(path.lastIndexOf(QLatin1Char('/')));
    return cut < 0 ? QString() : path.left(cut + 1);
}

// A path as a settings field keeps it; one too long for it is not kept at
// all, since a cut path would name another folder.
std::string storedText(const QString& text) {
    const std::string bytes = pathToBytes(text);
    return bytes.size() < kConfigTextSize ? bytes : std::string();
}

void store(char (&field)[kConfigTextSize], const QString& text) {
    setConfigText(field, storedText(text));
}

}  // namespace

Workspace& FileCommands::ws() {
    return host_.document().workspace();
}

void FileCommands::Btn_LoadSprClick() {
    FileRequest request;
    request.title = tr("불러오기");
    QStringList every;
    for (const PageFormat& format : pageFormats()) {
        request.filters.append(filterText(format));
        every.append(QStringLiteral("*.") + QString::fromLatin1(format.extension));
    }
    request.filters.append(workFilter());
    const int workIndex = static_cast<int>(request.filters.size());
    every.append(QStringLiteral("*.") + QLatin1String(kWorkFileExtension));
    request.filters.append(tr("모든 포맷 (%1)").arg(every.join(QLatin1Char(' '))));
    const int everyIndex = static_cast<int>(request.filters.size());
    request.filterIndex = OpenFilterIndex > 0 ? OpenFilterIndex : everyIndex;
    request.directory = dialogFolder(configText(ws().settings.openDirectory),
                                     configText(ws().settings.startDirectory));
    // Left at the work file type, the dialog opens where the last one is.
    if (OpenFilterIndex == workIndex && !WorkSession::lastWorkFile().isEmpty())
        request.directory = QFileInfo(WorkSession::lastWorkFile()).absolutePath();
    const std::optional<FileChoice> choice = host_.fileDialogs().openFiles(request);
    if (!choice) return;
    loadFiles(choice->paths);
    OpenFilterIndex = choice->filterIndex;
}

void FileCommands::importSheetClick() {
    FileRequest request;
    request.title = tr("스프라이트 시트 가져오기");
    QStringList every;
    for (const PageFormat& format : pageFormats()) {
        if (format.loadsInto != LoadsInto::Pictures) continue;
        request.filters.append(filterText(format));
        every.append(QStringLiteral("*.") + QString::fromLatin1(format.extension));
    }
    request.filters.append(tr("모든 그림 (%1)").arg(every.join(QLatin1Char(' '))));
    request.filterIndex = static_cast<int>(request.filters.size());
    request.directory = dialogFolder(configText(ws().settings.openDirectory),
                                     configText(ws().settings.startDirectory));
    const std::optional<FileChoice> choice = host_.fileDialogs().openFiles(request);
    host_.guardCanvas();
    if (!choice || choice->paths.isEmpty()) return;
    const QString path = choice->paths.first();
    store(ws().settings.openDirectory, folderOf(QFileInfo(path).absoluteFilePath()));
    const PageFormat* format = formatOf(path);
    if (!format || format->loadsInto != LoadsInto::Pictures) {
        host_.messages().report(Outcome::error(texts::kNotAPicture), shownPath(path));
        return;
    }
    Page sheet;
    if (const Outcome read = format->read(pathToBytes(path), sheet, ws().defaults()); !read) {
        host_.messages().report(read, shownPath(path));
        return;
    }
    QSettings settings;
    const SheetCut last{settings.value(kSheetTileWidthKey, 32).toInt(),
                        settings.value(kSheetTileHeightKey, 32).toInt(),
                        settings.value(kSheetMarginKey, 0).toInt(),
                        settings.value(kSheetSpacingKey, 0).toInt()};
    const std::optional<SheetCut> cut =
        host_.fileDialogs().sheetCut(QFileInfo(path).fileName(), {sheet.width, sheet.height}, last);
    host_.guardCanvas();
    if (!cut) return;
    settings.setValue(kSheetTileWidthKey, cut->tileWidth);
    settings.setValue(kSheetTileHeightKey, cut->tileHeight);
    settings.setValue(kSheetMarginKey, cut->margin);
    settings.setValue(kSheetSpacingKey, cut->spacing);
    OperationResult made = importSheet(ws(), sheet, *cut);
    for (const Outcome& problem : made.problems)
        host_.messages().report(problem, shownPath(path));
    if (!made.step) return;
    // The new page is marked alone among the sprites and shown.
    ListSelection after = host_.document().selection();
    selectOnly(after, ListId::Sprites, ws().placeOf(made.focus).index);
    host_.document().record(std::move(made.step), after);
}

void FileCommands::loadFiles(const QStringList& paths) {
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
    if (!work.isEmpty()) openWorkAmong(work);
    if (!names.empty()) readFiles(std::move(names));
}

void FileCommands::openWorkAmong(const QString& work) {
    // One that cannot be read is reported like any file, and the others
    // still load.
    session_.openWork(work);
    store(ws().settings.openDirectory, folderOf(QFileInfo(work).absoluteFilePath()));
    host_.guardCanvas();
}

void FileCommands::readFiles(std::vector<std::string> names) {
    sortNames(names);
    LoadProgress progress(host_.window(), static_cast<int>(names.size()), progressDelayMs_);
    LoadProblems problems(host_.messages(), progress);
    QString last;
    int done = 0;
    const PageDefaults defaults = ws().defaults();
    // Each page read becomes its list's current entry, marked.
    ListSelection after = host_.document().selection();
    for (const std::string& name : names) {
        if (!progress.step(done++)) break;
        last = pathFromBytes(name);
        const PageFormat* format = formatOf(last);
        if (!format) continue;
        const ListId target = listOf(*format);
        PageStore& store = *ws().store(target);
        if (store.full()) {
            problems.stop(Outcome::error(texts::kStoreFull));
            break;
        }
        auto page = std::make_unique<Page>();
        const Outcome read = format->read(name, *page, defaults);
        if (!read) {
            problems.add(read, last);  // loading goes on with the next file
            continue;
        }
        setPageName(*page, pageNameOf(last).toStdString());
        // A page as read is saved work; loading is not an edit to undo.
        const int row = store.append(std::move(page), PageFile{name, 0});
        ws().markSaved(store.at(row));
        addLoadedEntry(after, target, row);
    }
    progress.finish();
    problems.finish();
    if (const PageFormat* shown = formatOf(last)) after.shown = listOf(*shown);
    host_.document().notify(loadedChange(), after);
    host_.guardCanvas();
    if (!last.isEmpty()) store(ws().settings.openDirectory, folderOf(last));
}

void FileCommands::Btn_SaveSprClick() {
    // The current page in a page format, or the whole session as a work file.
    Page* page = ws().currentPage();
    const bool pageShown = page && page->inUse();
    if (!pageShown && ws().sprites.empty() && ws().pictures.empty()) return;
    FileRequest request;
    request.title = tr("저장하기");
    request.fileName = pageShown ? QString::fromStdString(std::string(zentil::pageName(*page)))
                                 : QFileInfo(WorkSession::lastWorkFile()).completeBaseName();
    const std::vector<const PageFormat*> formats = saveFormats();
    for (const PageFormat* format : formats)
        request.filters.append(filterText(*format));
    request.filters.append(workFilter());
    const int workIndex = static_cast<int>(request.filters.size());
    request.filterIndex = SaveFilterIndex;
    request.directory = dialogFolder(configText(ws().settings.saveDirectory),
                                     configText(ws().settings.startDirectory));
    if (SaveFilterIndex == workIndex && !WorkSession::lastWorkFile().isEmpty())
        request.directory = QFileInfo(WorkSession::lastWorkFile()).absolutePath();
    const std::optional<FileChoice> choice = host_.fileDialogs().saveFile(request);
    if (!choice || choice->paths.isEmpty()) return;
    saveChoice(choice->paths.first(), choice->filterIndex);
    SaveFilterIndex = choice->filterIndex;
}

void FileCommands::saveChoice(QString fileName, int filterIndex) {
    Page* page = ws().currentPage();
    const bool pageShown = page && page->inUse();
    const std::vector<const PageFormat*> formats = saveFormats();
    const int workIndex = static_cast<int>(formats.size()) + 1;
    const int chosen = filterIndex - 1;
    // A name typed with a known extension is saved in that format whatever
    // the filter; the filter's format, and its extension, go to a name
    // without one.
    const PageFormat* typed = formatOfExtension(pathToBytes(fileName));
    const bool typedWork = isWorkFile(fileName);
    const bool work = typedWork || (!typed && filterIndex == workIndex);
    const PageFormat* format = typed;
    if (!typed && !work && chosen >= 0 && chosen < static_cast<int>(formats.size()))
        format = formats[static_cast<std::size_t>(chosen)];
    if (work && !typedWork) fileName += QStringLiteral(".") + QLatin1String(kWorkFileExtension);
    if (format && !typed) {
        const QString extension = QStringLiteral(".") + QString::fromLatin1(format->extension);
        if (!upperName(fileName).contains(extension)) fileName += extension;
    }
    if (work) {
        if (host_.messages().mayReplace(pathToBytes(fileName))) session_.saveWork(fileName);
    } else if (!format) {
        host_.messages().message(texts::kCaptionNotice, texts::kCannotSaveFile);
    } else if (pageShown && host_.messages().mayReplace(pathToBytes(fileName))) {
        const Outcome saved = format->write(pathToBytes(fileName), *page);
        host_.messages().report(saved, shownPath(fileName));
        if (saved) {
            ws().markSaved(*page, pathToBytes(QFileInfo(fileName).absoluteFilePath()));
            host_.document().notify(savedChange());
        }
    }
    host_.guardCanvas();
    store(ws().settings.saveDirectory, folderOf(fileName));
}

void FileCommands::Btn_LoadPalClick() {
    FileRequest request;
    request.title = tr("팔레트 불러오기");
    QStringList every;
    for (const std::string& filter : paletteFilters())
        request.filters.append(uiFilter(filter));
    for (const PaletteFileType& type : paletteFileTypes())
        every.append(QStringLiteral("*.") + QString::fromLatin1(type.extension));
    request.filters.append(tr("모든 팔레트 (%1)").arg(every.join(QLatin1Char(' '))));
    request.directory = dialogFolder(configText(ws().settings.openDirectory),
                                     configText(ws().settings.startDirectory));
    const std::optional<FileChoice> choice = host_.fileDialogs().openFiles(request);
    if (!choice || choice->paths.isEmpty()) return;
    const QString path = choice->paths.first();
    Palette palette{};
    const Outcome read = readPaletteOfFile(pathToBytes(path), palette);
    if (!read) {
        host_.messages().report(read, shownPath(path));
        return;
    }
    // The palette file is read, not undone; giving its colours to the sprite
    // pages, and its name to the next start, is an edit.
    // The page shown is shown again in its new colours.
    host_.document().record(applySpritePalette(ws(), palette, storedText(path)),
                            host_.document().selection());
    host_.guardCanvas();
}

void FileCommands::Btn_SavePalClick() {
    // Without a page shown there is no palette to take.
    const Page* page = ws().currentPage();
    if (!page || !page->inUse()) return;
    FileRequest request;
    request.title = tr("팔레트 저장하기");
    request.filters = {tr("팔레트 (*.PAL)")};
    request.directory = dialogFolder(configText(ws().settings.saveDirectory),
                                     configText(ws().settings.startDirectory));
    const std::optional<FileChoice> choice = host_.fileDialogs().saveFile(request);
    if (!choice || choice->paths.isEmpty()) return;
    QString fileName = choice->paths.first();
    if (!upperName(fileName).contains(QStringLiteral(".PAL"))) fileName += QStringLiteral(".Pal");
    const Outcome saved = savePaletteFile(pathToBytes(fileName), *page, ws().palette);
    if (!saved) {
        // What the writer found, then that the command failed.
        host_.messages().report(saved, shownPath(fileName));
        host_.messages().message(texts::kCaptionError, texts::kCannotSavePalette,
                                 shownPath(fileName));
        return;
    }
    // The palette written becomes the palette of the sprite pages.
    Palette palette{};
    if (readPaletteFile(pathToBytes(fileName), palette))
        host_.document().record(applySpritePalette(ws(), palette, storedText(fileName)));
    else
        store(ws().settings.palettePath, fileName);
    host_.guardCanvas();
}

}  // namespace zentil
