// File services shared by the readers, writers and windows: existence tests,
// file names, sorting, opening files for reading and whole-file reads.
#pragma once

#include <cstdint>
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

// NotAFile: the path names a folder, a FIFO, a device or a socket.
enum class ReadResult { Ok, CannotOpen, NotAFile, TooLarge, Failed };

// A regular file opened for reading, closed with the object. Opening never
// waits: a FIFO without a writer would block a plain open for good, so the
// file is opened without blocking and refused before anything is read
// unless it is a regular file.
class ReadableFile {
  public:
    ReadableFile() = default;
    ReadableFile(const ReadableFile&) = delete;
    ReadableFile& operator=(const ReadableFile&) = delete;
    ~ReadableFile();
    ReadResult open(const std::string& path);
    int fd() const { return fd_; }
    std::uint64_t size() const { return size_; }
    // Hands the descriptor over to the caller, who closes it.
    int release();

  private:
    int fd_ = -1;
    std::uint64_t size_ = 0;
};

// Reads the whole file into `out`; files larger than `maxBytes` are refused
// before anything is allocated.
ReadResult readWholeFile(const std::string& path, std::vector<std::uint8_t>& out,
                         std::uint64_t maxBytes);

}  // namespace zentil
