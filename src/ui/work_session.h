// The main window's work sessions: the whole workspace saved to and opened
// from one work file, every changed sprite page saved at once, and pictures
// read again when their files change on disk.
#pragma once

#include <QObject>
#include <QString>
#include <vector>

namespace zentil {

class FileCommandHost;
class PictureWatcher;
class Workspace;
struct SpriteSave;

class WorkSession final : public QObject {
    Q_OBJECT
  public:
    WorkSession(FileCommandHost& host, QObject* parent);
    // The save questions of a save of all (set once the file commands exist).

    void saveWork(const QString& path);
    // Asks first when sprite pages are unsaved, and starts a new history.
    bool openWork(const QString& path);
    // Saves every changed sprite page as a sprite file: to its own file
    // without asking, or through a save dialog for a page without one.
    // Files the editor has neither read nor written since it started (named
    // by a work file) are listed in one question first; "아니오" saves none.
    // False when a save failed or was declined, or a dialog was cancelled
    // (the rest then wait).
    bool saveAllSprites();
    // What would drop the unsaved sprite pages: closing the editor or
    // opening a work file.
    enum class Leaving { Quit, OpenWork };
    // Asks first when sprite pages are unsaved: "모두 저장" saves them all
    // first, the second answer goes on without saving, "취소" stays. True to
    // go on.
    bool mayDropUnsaved(Leaving leaving);
    // The last work file saved or opened, as the platform's settings keep it.
    static QString lastWorkFile();

    // Watches the files of the pictures that came from one; a changed one is
    // read again, and a line in the status bar says how it went.
    void watchPictures();

  private:
    Workspace& ws();
    void reloadPicture(const QString& path);
    // Where a page without a file of its own is saved; empty when cancelled.
    QString askSpritePath(int index);
    // Whether the saves may write the files among them that came with a work
    // file: asked once, with the files listed.
    bool mayWriteUnfamiliar(const std::vector<SpriteSave>& saves);

    FileCommandHost& host_;
    PictureWatcher* watcher_ = nullptr;
};

}  // namespace zentil
