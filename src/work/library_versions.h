// The libraries the core is built on, with the versions in use, for the
// editor's About box.
#pragma once

#include <string>
#include <vector>

namespace zentil {

struct LibraryVersion {
    std::string name;
    std::string version;
};

// libspng, libdeflate, zlib, libzip and nlohmann-json: the running version
// where the library reports it, else the one built against.
std::vector<LibraryVersion> coreLibraries();

}  // namespace zentil
