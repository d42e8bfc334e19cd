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

ReadResult readWholeFile(const std::string& path, std::vector<std::uint8_t>& out,
                         std::uint64_t maxBytes) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return ReadResult::CannotOpen;
    struct stat info {};
    if (::fstat(::fileno(f), &info) != 0 || !S_ISREG(info.st_mode)) {
        std::fclose(f);
        return ReadResult::CannotOpen;
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > maxBytes) {
        std::fclose(f);
        return ReadResult::TooLarge;
    }
    try {
        out.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        std::fclose(f);
        return ReadResult::TooLarge;
    }
    const std::size_t got = out.empty() ? 0 : std::fread(out.data(), 1, out.size(), f);
    const bool complete = got == out.size() && !std::ferror(f);
    std::fclose(f);
    if (!complete) {
        out.clear();
        return ReadResult::Failed;
    }
    return ReadResult::Ok;
}

SafeFileWriter::~SafeFileWriter() {
    discard();
}

bool SafeFileWriter::open(const std::string& path) {
    discard();
    if (path.empty()) return false;
    target_ = path;
    temp_ = path + ".saving-XXXXXX";
    const int fd = ::mkstemp(temp_.data());
    if (fd < 0) {
        temp_.clear();
        return false;
    }
    // The finished file gets the target's permissions, or the usual ones for a new file.
    struct stat info {};
    mode_t mode = 0;
    if (::stat(target_.c_str(), &info) == 0) {
        mode = info.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
        ::close(fd);
        ::unlink(temp_.c_str());
        temp_.clear();
        return false;
    }
    failed_ = false;
    return true;
}

bool SafeFileWriter::write(const void* data, std::size_t size) {
    if (!file_ || failed_) return false;
    if (size != 0 && std::fwrite(data, 1, size, file_) != size) failed_ = true;
    return !failed_;
}

bool SafeFileWriter::commit() {
    if (!file_) return false;
    bool ok = !failed_ && std::fflush(file_) == 0 && ::fsync(::fileno(file_)) == 0;
    ok = (std::fclose(file_) == 0) && ok;
    file_ = nullptr;
    if (ok) ok = std::rename(temp_.c_str(), target_.c_str()) == 0;
    if (!ok) ::unlink(temp_.c_str());
    temp_.clear();
    return ok;
}

void SafeFileWriter::discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

}  // namespace zentil
