#include "system/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <new>

namespace zentil {

bool fileExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

bool fileNameOf(std::string_view path, std::string& out) {
    if (path.empty()) return false;
    const std::size_t slash = path.find_last_of('/');
    out.assign(slash == std::string_view::npos ? path : path.substr(slash + 1));
    return true;
}

void sortNames(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end());
}

ReadableFile::~ReadableFile() {
    if (fd_ >= 0) ::close(fd_);
}

ReadResult ReadableFile::open(const std::string& path) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd_ < 0) return ReadResult::CannotOpen;
    struct stat info {};
    const bool regular = ::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode);
    // Reads of a regular file wait for the disk as usual.
    const int flags = regular ? ::fcntl(fd_, F_GETFL) : -1;
    if (!regular || flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd_);
        fd_ = -1;
        return regular ? ReadResult::CannotOpen : ReadResult::NotAFile;
    }
    size_ = static_cast<std::uint64_t>(info.st_size);
    return ReadResult::Ok;
}

int ReadableFile::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

ReadResult readWholeFile(const std::string& path, std::vector<std::uint8_t>& out,
                         std::uint64_t maxBytes) {
    ReadableFile file;
    if (const ReadResult opened = file.open(path); opened != ReadResult::Ok) return opened;
    if (file.size() > maxBytes) return ReadResult::TooLarge;
    try {
        out.resize(static_cast<std::size_t>(file.size()));
    } catch (const std::bad_alloc&) {
        return ReadResult::TooLarge;
    }
    std::size_t done = 0;
    while (done < out.size()) {
        const ssize_t n = ::read(file.fd(), out.data() + done, out.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;  // a read error, or the file got shorter
        done += static_cast<std::size_t>(n);
    }
    if (done < out.size()) {
        out.clear();
        return ReadResult::Failed;
    }
    return ReadResult::Ok;
}

}  // namespace zentil
