// File services shared by the readers, writers and windows: existence tests,
// file names, sorting and whole-file reads.
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

enum class ReadResult { Ok, CannotOpen, TooLarge, Failed };

// Reads the whole file into `out`; files larger than `maxBytes` are refused
// before anything is allocated.
ReadResult readWholeFile(const std::string& path, std::vector<std::uint8_t>& out,
                         std::uint64_t maxBytes);

}  // namespace zentil
