#include "system/files.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
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

}  // namespace zentil
