// Zip archives as maps of entry names to bytes, for building work files
// that are damaged in chosen ways.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace zentil::test {

using ZipEntries = std::map<std::string, std::string>;

// The entries of an archive; empty when it cannot be opened.
ZipEntries unzip(const std::vector<std::uint8_t>& archive);
// An archive of the entries, compressed.
std::vector<std::uint8_t> zipOf(const ZipEntries& entries);

// What the local header of an entry followed by a data descriptor holds in
// place of the CRC and sizes, which the descriptor after the data gives.
enum class LocalSizes {
    None,              // all zero, as streaming writers leave them
    UncompressedOnly,  // the uncompressed size alone, as "zip -fd" writes it
};
// An archive of the entries, each stored and followed by a data descriptor,
// written byte by byte (libzip writes none).
std::vector<std::uint8_t> zipWithDataDescriptors(const ZipEntries& entries, LocalSizes local);

}  // namespace zentil::test
