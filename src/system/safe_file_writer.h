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
// write is refused; the file keeps its permission bits.
//
// A file with several hard links, one whose owner or group the new file
// could not be given (another user's file the saver may write, through its
// group), and one in a folder that takes no new names are written in place
// instead, so that every name sees the new contents and the file keeps its
// owner and group. Before the first old byte is touched, the new contents
// are complete, the room for them is reserved, and a whole copy of the old
// contents is on disk as ".NAME.zentil-old" beside the file (in the
// temporary folder, named after the file's device and inode too, when its
// folder takes no new names). The copy is removed once the new contents have
// reached the disk; a save that fails on the way writes it back. A save
// killed during the in-place write leaves the copy, from which the old
// contents can be restored; a later save keeps it until it succeeds itself.
//
// A save killed in the instant between naming its temporary file and the
// rename (or, where the file system has no unnamed files, at any time while
// it writes) leaves a hidden ".zt-XXXXXX" behind. A save removes such
// leftovers from its folder: files of exactly that name, the saver's own,
// with one name, not written to for kStaleTemporaryAgeSeconds and held by no
// save, since each save keeps a lock on its temporary files while it lives.
// A process looks through a folder at its first save there, and again only
// once that time has passed, so that many saves into one folder stay quick.
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
    // The system's error number of the first step that failed (0 when none
    // did, or the failure was no call of the system's).
    int error() const { return error_; }

  private:
    bool fail();
    bool replaceTarget();
    bool overwriteTarget();

    std::string target_;        // the file commit() replaces, links resolved
    std::string tempName_;      // empty while the temporary file has no name
    std::string backupFolder_;  // where the old contents wait while written in place
    int fd_ = -1;
    bool inPlace_ = false;
    bool failed_ = false;
    int error_ = 0;
};

// How long a leftover temporary file must have been untouched before a save
// removes it.
inline constexpr int kStaleTemporaryAgeSeconds = 10 * 60;

// The whole copy of the old contents that an in-place save of `path` killed
// part-way left behind, or empty when there is none. A file that cannot be
// read may be such a save's half-written target.
std::string keptOldContents(const std::string& path);

}  // namespace zentil
