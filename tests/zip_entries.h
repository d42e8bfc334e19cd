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

}  // namespace zentil::test
