// Saves that never destroy the existing file when they fail.
#pragma once

#include <cstddef>
#include <string>

namespace zentil {

// Writes a file so that the target keeps its old contents until the new ones
// are complete on disk.
//
// The new contents go to an unnamed temporary file in the target's folder
// (a short hidden name where the file system has no unnamed files), which
// commit() moves over the target in one rename. A save therefore accepts any
// name the file system takes, and one that is killed part-way leaves nothing
// behind. Saving behaves as writing to the file would: a symbolic link is
// followed and the file it points to is replaced; a file the user may not
// write is refused; the file keeps its permission bits. A file with several
// hard links is written in place (after the new contents are complete and the
// space for them is reserved), so that every name sees the new contents.
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
    // Puts the new contents in place; false (and the target as it was) when
    // any write failed or the data could not reach the disk.
    bool commit();
    void discard();

  private:
    bool replaceTarget();
    bool overwriteTarget();

    std::string target_;    // the file commit() replaces, links resolved
    std::string tempName_;  // empty while the temporary file has no name
    int fd_ = -1;
    bool inPlace_ = false;
    bool failed_ = false;
};

}  // namespace zentil
