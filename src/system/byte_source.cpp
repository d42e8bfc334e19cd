#include "system/byte_source.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace zentil {
namespace {

// The least a file window reads at once.
constexpr std::size_t kWindowBytes = std::size_t{256} << 10;

}  // namespace

bool ByteSource::copy(std::uint64_t offset, std::uint8_t* to, std::size_t n) {
    while (n > 0) {
        std::size_t got = 0;
        const std::uint8_t* from = bytesAt(offset, n, got);
        if (from == nullptr || got == 0) return false;
        std::memcpy(to, from, got);
        to += got;
        offset += got;
        n -= got;
    }
    return true;
}

const std::uint8_t* MemorySource::bytesAt(std::uint64_t offset, std::size_t want,
                                          std::size_t& got) {
    got = offset < bytes_.size()
              ? static_cast<std::size_t>(std::min<std::uint64_t>(want, bytes_.size() - offset))
              : 0;
    return bytes_.data() + std::min<std::uint64_t>(offset, bytes_.size());
}

ReadResult FileSource::open(const std::string& path, std::uint64_t maxBytes) {
    const ReadResult opened = file_.open(path);
    if (opened != ReadResult::Ok) return opened;
    return file_.size() > maxBytes ? ReadResult::TooLarge : ReadResult::Ok;
}

const std::uint8_t* FileSource::bytesAt(std::uint64_t offset, std::size_t want, std::size_t& got) {
    got = 0;
    const std::uint64_t size = file_.size();
    if (file_.fd() < 0) return nullptr;
    if (offset >= size) return window_.data();
    want = static_cast<std::size_t>(std::min<std::uint64_t>(want, size - offset));
    if (offset < windowAt_ || offset + want > windowAt_ + window_.size()) {
        // Read ahead, so that small steps through the file cost one read.
        const auto bytes = static_cast<std::size_t>(
            std::min<std::uint64_t>(std::max(want, kWindowBytes), size - offset));
        try {
            window_.resize(bytes);
        } catch (const std::bad_alloc&) {
            return nullptr;
        }
        std::size_t done = 0;
        while (done < bytes) {
            const ssize_t n = ::pread(file_.fd(), window_.data() + done, bytes - done,
                                      static_cast<off_t>(offset + done));
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;  // a read error, or the file got shorter
            done += static_cast<std::size_t>(n);
        }
        window_.resize(done);
        windowAt_ = offset;
        if (done < want) {
            got = done;
            return done > 0 ? window_.data() : nullptr;
        }
    }
    got = want;
    return window_.data() + (offset - windowAt_);
}

}  // namespace zentil
