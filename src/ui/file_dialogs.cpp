#include "file_dialogs.h"

#include "form_sheet.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

namespace zentil {
namespace {

// The names typed into the dialog's name field ("a.tga" "b.gpf", or one bare
// name), as paths in the dialog's folder.
QStringList typedNames(const QFileDialog& dialog) {
    const auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    const QString text = edit ? edit->text() : QString();
    QStringList names;
    if (text.contains(QLatin1Char('"'))) {
        const QStringList tokens = text.split(QLatin1Char('"'));
        for (qsizetype i = 1; i < tokens.size(); i += 2)
            names.append(tokens[i]);
    } else if (!text.trimmed().isEmpty()) {
        names.append(text);
    }
    QStringList paths;
    for (const QString& name : names)
        paths.append(QDir::cleanPath(dialog.directory().absoluteFilePath(name)));
    return paths;
}

// The dialog passes over typed names that its filter hides; they are loaded
// all the same, as every name the user typed is meant.
QStringList chosenFiles(const QFileDialog& dialog) {
    QStringList files = dialog.selectedFiles();
    for (const QString& path : typedNames(dialog))
        if (!files.contains(path) && QFileInfo(path).isFile()) files.append(path);
    return files;
}

std::optional<FileChoice> run(QWidget* parent, const FileRequest& request, bool saving) {
    QFileDialog dialog(parent, request.title, request.directory);
    dialog.setNameFilters(request.filters);
    if (request.filterIndex >= 1 && request.filterIndex <= request.filters.size())
        dialog.selectNameFilter(request.filters[request.filterIndex - 1]);
    if (saving) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        dialog.selectFile(request.fileName);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFiles);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    FileChoice choice;
    choice.paths = saving ? dialog.selectedFiles() : chosenFiles(dialog);
    choice.filterIndex = static_cast<int>(request.filters.indexOf(dialog.selectedNameFilter())) + 1;
    return choice;
}

}  // namespace

std::optional<FileChoice> QtFileDialogs::openFiles(const FileRequest& request) {
    return run(parent_, request, false);
}

std::optional<FileChoice> QtFileDialogs::saveFile(const FileRequest& request) {
    return run(parent_, request, true);
}

std::optional<SheetCut> QtFileDialogs::sheetCut(const QString& name, QSize size,
                                                const SheetCut& start) {
    return TSheetWin::ask(parent_, name, size, start);
}

}  // namespace zentil
