#include "file_dialogs.h"

#include <QFileDialog>

namespace zentil {
namespace {

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
    choice.paths = dialog.selectedFiles();
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

}  // namespace zentil
