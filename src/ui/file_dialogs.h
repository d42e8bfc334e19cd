// The file dialogs behind a seam: the editor shows real dialogs, tests answer
// with chosen paths, a filter index or a cancel; so too the window that asks
// where a sheet's tiles stand, which follows the choice of its file.
#pragma once

#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

#include "work/sheet_import.h"

class QWidget;

namespace zentil {

struct FileRequest {
    QString title;
    QStringList filters;  // "TGA 파일 (*.TGA)", ...; index 1 is the first
    int filterIndex = 1;
    QString directory;
    QString fileName;  // save dialogs: the name offered
};

struct FileChoice {
    QStringList paths;    // one path for a save dialog
    int filterIndex = 1;  // the filter the user left in the dialog
};

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // Several files at once; nullopt when cancelled.
    virtual std::optional<FileChoice> openFiles(const FileRequest& request) = 0;
    // One file, without an overwrite question (the writers ask).
    virtual std::optional<FileChoice> saveFile(const FileRequest& request) = 0;
    // Where the tiles of the sheet `name` of `size` pixels stand, the fields
    // starting at `start`; nullopt when cancelled.
    virtual std::optional<SheetCut> sheetCut(const QString& name, QSize size,
                                             const SheetCut& start) = 0;
};

class QtFileDialogs final : public FileDialogs {
  public:
    explicit QtFileDialogs(QWidget* parent) : parent_(parent) {}
    std::optional<FileChoice> openFiles(const FileRequest& request) override;
    std::optional<FileChoice> saveFile(const FileRequest& request) override;
    std::optional<SheetCut> sheetCut(const QString& name, QSize size,
                                     const SheetCut& start) override;

  private:
    QWidget* parent_;
};

}  // namespace zentil
