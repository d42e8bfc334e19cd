// Builders of file images for reader tests, written byte by byte from the
// published layouts rather than with the program's own writers.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

namespace zentil::test {

using Bytes = std::vector<std::uint8_t>;

inline void put16(Bytes& b, int v) {
    b.push_back(static_cast<std::uint8_t>(v));
    b.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void put32(Bytes& b, std::int64_t v) {
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

struct TgaFields {
    int idLength = 0, mapType = 1, type = 1, mapFirst = 0, mapLength = 256, mapBits = 24;
    int xOrigin = 0, yOrigin = 0, width = 2, height = 2, depth = 8, descriptor = 0;
};

inline Bytes tgaHeader(const TgaFields& s) {
    Bytes b;
    b.push_back(static_cast<std::uint8_t>(s.idLength));
    b.push_back(static_cast<std::uint8_t>(s.mapType));
    b.push_back(static_cast<std::uint8_t>(s.type));
    put16(b, s.mapFirst);
    put16(b, s.mapLength);
    b.push_back(static_cast<std::uint8_t>(s.mapBits));
    put16(b, s.xOrigin);
    put16(b, s.yOrigin);
    put16(b, s.width);
    put16(b, s.height);
    b.push_back(static_cast<std::uint8_t>(s.depth));
    b.push_back(static_cast<std::uint8_t>(s.descriptor));
    return b;
}

// A fresh folder under the system's temporary folder, removed at the end.
class TempDir {
  public:
    TempDir() {
        static int counter = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("zentil-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

Bytes readBytes(const std::string& path);
void writeBytes(const std::string& path, const Bytes& bytes);

}  // namespace zentil::test
