// Watches the files of the pictures for changes on disk: writes in place,
// and the save-by-rename of painting programs, which replaces the file with
// a new one. A burst of changes gives one signal once the file has been
// quiet for a moment.
#pragma once

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <cstdint>

namespace zentil {

class PictureWatcher : public QObject {
    Q_OBJECT
  public:
    explicit PictureWatcher(QObject* parent = nullptr);

    // Watches exactly these files from now on (and the folders they are in).
    void watch(const QStringList& files);
    QStringList files() const { return known_.keys(); }

  signals:
    // The file now differs from when it was last seen; it may still be
    // incomplete, in which case another signal follows its next change.
    void fileChanged(const QString& path);

  private:
    // What tells one version of a file from another, without reading it.
    struct Signature {
        bool exists = false;
        std::uint64_t device = 0, inode = 0, size = 0;
        std::int64_t modified = 0, changed = 0;  // nanoseconds
        bool operator==(const Signature&) const = default;
    };
    static Signature signatureOf(const QString& path);
    void check();

    QFileSystemWatcher watcher_;
    QHash<QString, Signature> known_;
    QStringList requested_;  // the files of the last watch()
    QTimer settle_;
};

}  // namespace zentil
