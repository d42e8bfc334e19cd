// File services shared by the readers, writers and windows: existence tests,
// file names, sorting, whole-file reads and saves that never destroy the
// existing file when they fail.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace zentil {

// True when `path` names an existing ordinary file (not a folder).
bool fileExists(const std::string& path);

// The part of `path` after its last folder separator (the whole path when it
// has none). False, with `out` untouched, for an empty path.
bool fileNameOf(std::string_view path, std::string& out);

// Sorts ascending by plain byte comparison; a prefix sorts before the longer name.
void sortNames(std::vector<std::string>& names);

enum class ReadResult { Ok, CannotOpen, TooLarge, Failed };

// Reads the whole file into `out`; files larger than `maxBytes` are refused
// before anything is allocated.
ReadResult readWholeFile(const std::string& path, std::vector<std::uint8_t>& out,
                         std::uint64_t maxBytes);

// Writes a file through a temporary file in the same folder. The target is
// replaced only by commit(), after every write succeeded and the data reached
// the disk; otherwise the temporary file is removed and the target stays as it
// was.
class SafeFileWriter {
public:
    SafeFileWriter() = default;
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    bool open(const std::string& path);
    bool write(const void* data, std::size_t size);
    template <typename Container>
    bool writeAll(const Container& bytes) {
        return write(bytes.data(), bytes.size() * sizeof(bytes[0]));
    }
    bool commit();
    void discard();

private:
    std::string target_;
    std::string temp_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

}  // namespace zentil
