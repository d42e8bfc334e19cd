#include "picture_watcher.h"

#include <sys/stat.h>

#include <QFileInfo>
#include <QSet>

namespace zentil {
namespace {

// Long enough for a program writing a picture in pieces to finish, short
// enough that the canvas follows within a second.
constexpr int kSettleMs = 150;

QString folderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

}  // namespace

PictureWatcher::PictureWatcher(QObject* parent) : QObject(parent) {
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMs);
    connect(&settle_, &QTimer::timeout, this, &PictureWatcher::check);
    // A file replaced by a rename is dropped from the file watch; its folder's
    // watch sees the new one arrive.
    const auto restart = [this] { settle_.start(); };
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, restart);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, restart);
}

PictureWatcher::Signature PictureWatcher::signatureOf(const QString& path) {
    struct stat info {};
    Signature s;
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode)) return s;
    s.exists = true;
    s.device = info.st_dev;
    s.inode = info.st_ino;
    s.size = static_cast<std::uint64_t>(info.st_size);
    s.modified = std::int64_t{info.st_mtim.tv_sec} * 1000000000 + info.st_mtim.tv_nsec;
    s.changed = std::int64_t{info.st_ctim.tv_sec} * 1000000000 + info.st_ctim.tv_nsec;
    return s;
}

void PictureWatcher::watch(const QStringList& files) {
    // The window asks after every edit; the files seldom change.
    if (files == requested_) return;
    requested_ = files;
    const QSet<QString> wanted(files.begin(), files.end());
    for (const QString& path : known_.keys())
        if (!wanted.contains(path)) known_.remove(path);
    for (const QString& path : wanted)
        if (!known_.contains(path)) known_.insert(path, signatureOf(path));

    QSet<QString> folders;
    for (const QString& path : wanted)
        folders.insert(folderOf(path));
    const QStringList watchedFiles = watcher_.files();
    const QStringList watchedFolders = watcher_.directories();
    for (const QString& path : watchedFiles)
        if (!wanted.contains(path)) watcher_.removePath(path);
    for (const QString& folder : watchedFolders)
        if (!folders.contains(folder)) watcher_.removePath(folder);
    for (const QString& path : wanted)
        if (!watchedFiles.contains(path) && known_.value(path).exists) watcher_.addPath(path);
    for (const QString& folder : folders)
        if (!watchedFolders.contains(folder)) watcher_.addPath(folder);
}

void PictureWatcher::check() {
    const QStringList watched = watcher_.files();
    QStringList changed;
    for (auto it = known_.begin(); it != known_.end(); ++it) {
        const Signature now = signatureOf(it.key());
        // A file replaced by a rename is a new file: watch it again.
        if (now.exists && !watched.contains(it.key())) watcher_.addPath(it.key());
        if (now == it.value()) continue;
        it.value() = now;
        if (now.exists) changed.append(it.key());
    }
    for (const QString& path : changed)
        emit fileChanged(path);
}

}  // namespace zentil
