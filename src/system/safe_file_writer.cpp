#include "system/safe_file_writer.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <map>
#include <mutex>
#include <random>
#include <string_view>

namespace zentil {
namespace {

constexpr int kMaxLinkHops = 40;  // as the kernel allows when it follows links itself
constexpr int kNameTries = 100;
// Temporary files are ".zt-" and six of these letters.
constexpr std::string_view kTemporaryPrefix = ".zt-";
constexpr std::string_view kTemporaryLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kTemporaryLetterCount = 6;

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links in the last part of `path` (the folders are followed
// by the system anyway); a link to nowhere gives the file it would create.
bool resolveLinks(const std::string& path, std::string& out) {
    out = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(out.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return true;
        char buffer[PATH_MAX];
        const ssize_t length = ::readlink(out.c_str(), buffer, sizeof buffer);
        if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) {
            if (length > 0) errno = ENAMETOOLONG;
            return false;
        }
        const std::string link(buffer, static_cast<std::size_t>(length));
        out = link.front() == '/' ? link : folderOf(out) + "/" + link;
    }
    errno = ELOOP;
    return false;
}

bool writeFully(int fd, const std::uint8_t* data, std::size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t n = offset < 0 ? ::write(fd, data, size) : ::pwrite(fd, data, size, offset);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = EIO;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
        if (offset >= 0) offset += n;
    }
    return true;
}

// Linking an unnamed file into a folder goes through its /proc entry.
bool unnamedFilesLinkable() {
    static const bool linkable = ::access("/proc/self/fd", X_OK) == 0;
    return linkable;
}

std::string shortRandomName(const std::string& folder) {
    static std::minstd_rand generator(static_cast<unsigned>(::getpid()) ^ std::random_device{}());
    std::string name = folder + "/" + std::string(kTemporaryPrefix);
    for (std::size_t i = 0; i < kTemporaryLetterCount; ++i)
        name += kTemporaryLetters[generator() % kTemporaryLetters.size()];
    return name;
}

bool isTemporaryName(std::string_view name) {
    return name.size() == kTemporaryPrefix.size() + kTemporaryLetterCount &&
           name.starts_with(kTemporaryPrefix) &&
           name.find_first_not_of(kTemporaryLetters, kTemporaryPrefix.size()) ==
               std::string_view::npos;
}

// A new empty file in `folder`: unnamed where the file system allows it, else
// under a short hidden name given in `name`. The save holds a lock on it for
// as long as it lives, which tells other saves it is no leftover.
int makeTemporary(const std::string& folder, std::string& name) {
    name.clear();
    if (unnamedFilesLinkable()) {
        const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX | LOCK_NB);
            return fd;
        }
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return -1;
    }
    for (int attempt = 0; attempt < kNameTries; ++attempt) {
        std::string candidate = shortRandomName(folder);
        const int fd = ::open(candidate.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, 0600);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX | LOCK_NB);
            name = std::move(candidate);
            return fd;
        }
        if (errno != EEXIST) return -1;
    }
    return -1;
}

// Whether the temporary file open as `fd` is a leftover of a save that was
// cut off: the saver's own, with no second name, not written to for a while
// and locked by no living save.
bool isLeftover(int fd, const struct stat& info) {
    return S_ISREG(info.st_mode) && info.st_uid == ::geteuid() && info.st_nlink == 1 &&
           std::time(nullptr) - info.st_mtime >= kStaleTemporaryAgeSeconds &&
           ::flock(fd, LOCK_EX | LOCK_NB) == 0;
}

// Whether a save into `folder` should look through it for leftovers now.
// Looking takes time in proportion to the folder's files, and a save of all
// pages may write thousands into one folder: each folder is looked through
// once, and again only when a leftover could have become old enough since.
bool dueForLeftovers(const std::string& folder) {
    static std::mutex guard;
    static std::map<std::string, std::time_t> lookedThrough;
    const std::lock_guard<std::mutex> lock(guard);
    const std::time_t now = std::time(nullptr);
    const auto [last, first] = lookedThrough.try_emplace(folder, now);
    if (!first && now - last->second < kStaleTemporaryAgeSeconds) return false;
    last->second = now;
    return true;
}

// Removes the leftover temporary files of saves into `folder` that were cut
// off; anything else of that name stays.
void removeLeftoverTemporaries(const std::string& folder) {
    if (!dueForLeftovers(folder)) return;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (!isTemporaryName(entry->d_name)) continue;
        const int fd =
            ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat info {
        }, named{};
        // The name must still be the file that was looked at when it goes.
        if (::fstat(fd, &info) == 0 && isLeftover(fd, info) &&
            ::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == info.st_dev && named.st_ino == info.st_ino)
            ::unlinkat(dirFd, entry->d_name, 0);
        ::close(fd);
    }
    ::closedir(dir);
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// Copies the first `size` bytes of one file over the start of another.
bool copyBytes(int from, int to, off_t size) {
    std::uint8_t buffer[1 << 16];
    for (off_t at = 0; at < size;) {
        const auto want = static_cast<std::size_t>(std::min<off_t>(sizeof buffer, size - at));
        const ssize_t got = ::pread(from, buffer, want, at);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0 || !writeFully(to, buffer, static_cast<std::size_t>(got), at)) return false;
        at += got;
    }
    return true;
}

// Gives the temporary file open as `fd` (unnamed, or named `tempName`) the
// name `name`, which is never replaced: false with EEXIST when it is taken.
bool nameTemporary(int fd, std::string& tempName, const std::string& name) {
    if (tempName.empty()) {
        const std::string self = "/proc/self/fd/" + std::to_string(fd);
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0;
    }
    if (::link(tempName.c_str(), name.c_str()) != 0) return false;
    ::unlink(tempName.c_str());
    tempName.clear();
    return true;
}

// Where the old contents of `target` wait while it is written in place:
// ".NAME.zentil-old" beside it, or in another folder with the file's device
// and inode in the name too, so that files of different folders never meet.
std::string backupPath(const std::string& folder, const std::string& target,
                       const struct stat& info) {
    std::string name = target.substr(target.find_last_of('/') + 1);
    if (folder != folderOf(target))
        name = std::to_string(info.st_dev) + "-" + std::to_string(info.st_ino) + "-" + name;
    if (name.size() > NAME_MAX - 12) name.resize(NAME_MAX - 12);
    return folder + "/." + name + ".zentil-old";
}

// Puts a whole copy of the old contents of the file open as `target` on disk
// under `path`, named only once it is complete and synced. A copy already
// there was left by a save that was cut off: it is whole, while the file may
// not be, so it is kept instead. `made` says whether the copy is new.
bool keepOldContents(int target, const struct stat& info, const std::string& path, bool& made) {
    made = false;
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0) return S_ISREG(existing.st_mode);
    if (errno != ENOENT) return false;
    const std::string folder = folderOf(path);
    std::string tempName;
    const int copy = makeTemporary(folder, tempName);
    if (copy < 0) return false;
    // The copy is for the readers of the file: its group where the saver may
    // give it, else nobody's group.
    const bool groupKept = ::fchown(copy, static_cast<uid_t>(-1), info.st_gid) == 0;
    ::fchmod(copy, info.st_mode & (groupKept ? 0666 : 0606));
    bool ok = copyBytes(target, copy, info.st_size) && ::fsync(copy) == 0;
    if (ok) {
        made = nameTemporary(copy, tempName, path);
        ok = made || errno == EEXIST;  // a copy named meanwhile by another save is whole too
    }
    ::close(copy);
    if (!tempName.empty()) ::unlink(tempName.c_str());
    if (ok) syncFolder(folder);
    return ok;
}

// Writes the old contents kept in `backup` back over the file open as `out`.
bool restoreOldContents(const std::string& backup, int out) {
    const int from = ::open(backup.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0) return false;
    struct stat info {};
    const bool ok = ::fstat(from, &info) == 0 && copyBytes(from, out, info.st_size) &&
                    ::ftruncate(out, info.st_size) == 0 && ::fsync(out) == 0;
    ::close(from);
    return ok;
}

}  // namespace

std::string keptOldContents(const std::string& path) {
    std::string target;
    struct stat info {};
    if (!resolveLinks(path, target) || ::stat(target.c_str(), &info) != 0) return {};
    std::error_code noTemporaryFolder;
    const std::string temporaryFolder =
        std::filesystem::temp_directory_path(noTemporaryFolder).string();
    for (const std::string& folder : {folderOf(target), temporaryFolder}) {
        if (folder.empty()) continue;
        const std::string copy = backupPath(folder, target, info);
        struct stat kept {};
        if (::lstat(copy.c_str(), &kept) == 0 && S_ISREG(kept.st_mode)) return copy;
    }
    return {};
}

SafeFileWriter::~SafeFileWriter() {
    discard();
}

bool SafeFileWriter::open(const std::string& path) {
    discard();
    error_ = 0;
    if (path.empty()) return false;
    if (!resolveLinks(path, target_)) return fail();
    struct stat info {};
    const bool exists = ::stat(target_.c_str(), &info) == 0;
    if (exists && !S_ISREG(info.st_mode)) {
        errno = S_ISDIR(info.st_mode) ? EISDIR : 0;  // anything else is refused by the saver
        return fail();
    }
    if (exists && ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0) return fail();
    inPlace_ = exists && info.st_nlink > 1;
    backupFolder_ = folderOf(target_);
    removeLeftoverTemporaries(backupFolder_);
    fd_ = makeTemporary(backupFolder_, tempName_);
    // A folder that takes no new names still lets its files be written.
    if (fd_ < 0 && exists && errno == EACCES) {
        inPlace_ = true;
        backupFolder_ = std::filesystem::temp_directory_path().string();
        fd_ = makeTemporary(backupFolder_, tempName_);
    }
    if (fd_ < 0) return fail();
    if (exists) {
        // A file saved by root for another user stays theirs. A saver who
        // cannot give the new file the owner and group (another user's file
        // they may write through its group) writes the file in place instead,
        // so that it keeps them, and with them the group's right to write.
        if (::fchown(fd_, info.st_uid, info.st_gid) != 0) inPlace_ = true;
        ::fchmod(fd_, info.st_mode & 07777);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd_, 0666 & ~mask);
    }
    failed_ = false;
    return true;
}

bool SafeFileWriter::fail() {
    if (error_ == 0) error_ = errno;
    return false;
}

bool SafeFileWriter::write(const void* data, std::size_t size) {
    if (fd_ < 0 || failed_) return false;
    if (!writeFully(fd_, static_cast<const std::uint8_t*>(data), size, -1)) {
        failed_ = true;
        fail();
    }
    return !failed_;
}

bool SafeFileWriter::commit() {
    if (fd_ < 0) return false;
    bool ok = !failed_ && (::fsync(fd_) == 0 || fail());
    if (ok) ok = inPlace_ ? overwriteTarget() : replaceTarget();
    discard();
    return ok;
}

bool SafeFileWriter::replaceTarget() {
    const std::string folder = folderOf(target_);
    if (tempName_.empty()) {
        // The unnamed file gets a short name only for the instant of the rename.
        for (int attempt = 0; attempt < kNameTries && tempName_.empty(); ++attempt) {
            std::string candidate = shortRandomName(folder);
            if (nameTemporary(fd_, tempName_, candidate))
                tempName_ = std::move(candidate);
            else if (errno != EEXIST)
                return fail();
        }
        if (tempName_.empty()) return fail();
    }
    if (std::rename(tempName_.c_str(), target_.c_str()) != 0) return fail();
    tempName_.clear();
    syncFolder(folder);
    return true;
}

bool SafeFileWriter::overwriteTarget() {
    const off_t size = ::lseek(fd_, 0, SEEK_END);
    const int out = ::open(target_.c_str(), O_RDWR | O_CLOEXEC);
    if (size < 0 || out < 0) {
        fail();
        if (out >= 0) ::close(out);
        return false;
    }
    struct stat info {};
    std::string backup;
    bool backupMade = false;
    bool ok = ::fstat(out, &info) == 0 || fail();
    if (ok) {
        backup = backupPath(backupFolder_, target_, info);
        ok = keepOldContents(out, info, backup, backupMade) || fail();
    }
    // Room for a longer file is taken before the first old byte is touched: a
    // full disk or a size limit then stops the save with the old contents whole.
    bool touched = false;
    if (ok && size > info.st_size) {
        // posix_fallocate gives its error rather than setting errno.
        errno = ::posix_fallocate(out, info.st_size, size - info.st_size);
        ok = errno == 0 || fail();
        if (!ok) touched = ::ftruncate(out, info.st_size) != 0;
    }
    if (ok) {
        touched = true;
        ok = (copyBytes(fd_, out, size) && ::ftruncate(out, size) == 0 && ::fsync(out) == 0) ||
             fail();
    }
    // The copy of the old contents goes once the file is whole again: new, as
    // it was when the copy was made, or written back from the copy.
    const bool whole = ok || (touched ? restoreOldContents(backup, out) : backupMade);
    if (whole && !backup.empty()) {
        ::unlink(backup.c_str());
        syncFolder(backupFolder_);
    }
    return (::close(out) == 0 || fail()) && ok;
}

void SafeFileWriter::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!tempName_.empty()) {
        ::unlink(tempName_.c_str());
        tempName_.clear();
    }
}

}  // namespace zentil
