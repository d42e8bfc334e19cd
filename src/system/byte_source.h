// The bytes a reader decodes: a file already in memory, or a file on disk
// read a piece at a time, so that a large picture never needs its whole file
// in memory beside its page.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "system/files.h"

namespace zentil {

class ByteSource {
  public:
    virtual ~ByteSource() = default;
    virtual std::uint64_t size() const = 0;
    // The `want` bytes from `offset`, or fewer where the source ends (`got`
    // says how many); nullptr when they cannot be read. What it gives stays
    // valid until the next call.
    virtual const std::uint8_t* bytesAt(std::uint64_t offset, std::size_t want,
                                        std::size_t& got) = 0;
    // All the bytes, when they are in memory already (else empty).
    virtual std::span<const std::uint8_t> whole() const { return {}; }
    // Copies exactly n bytes from `offset`; false when they are not all there.
    bool copy(std::uint64_t offset, std::uint8_t* to, std::size_t n);
};

class MemorySource final : public ByteSource {
  public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::uint64_t size() const override { return bytes_.size(); }
    const std::uint8_t* bytesAt(std::uint64_t offset, std::size_t want, std::size_t& got) override;
    std::span<const std::uint8_t> whole() const override { return bytes_; }

  private:
    std::span<const std::uint8_t> bytes_;
};

// An ordinary file, read through a window of its bytes that moves as the
// reader asks for them.
class FileSource final : public ByteSource {
  public:
    FileSource() = default;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;
    // CannotOpen for a file that is missing, NotAFile for anything but a
    // regular file (which opening never waits for), TooLarge for one of more
    // than `maxBytes`.
    ReadResult open(const std::string& path, std::uint64_t maxBytes);
    std::uint64_t size() const override { return file_.size(); }
    const std::uint8_t* bytesAt(std::uint64_t offset, std::size_t want, std::size_t& got) override;

  private:
    ReadableFile file_;
    std::vector<std::uint8_t> window_;
    std::uint64_t windowAt_ = 0;  // the file offset of window_[0]
};

}  // namespace zentil
