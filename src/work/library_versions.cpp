#include "work/library_versions.h"

#include <libdeflate.h>
#include <spng.h>
#include <zip.h>
#include <zlib.h>

#include <nlohmann/json_fwd.hpp>
#ifndef NLOHMANN_JSON_VERSION_MAJOR  // before 3.11 only the whole header names it
#include <nlohmann/json.hpp>
#endif

namespace zentil {

std::vector<LibraryVersion> coreLibraries() {
    const std::string json = std::to_string(NLOHMANN_JSON_VERSION_MAJOR) + "." +
                             std::to_string(NLOHMANN_JSON_VERSION_MINOR) + "." +
                             std::to_string(NLOHMANN_JSON_VERSION_PATCH);
    // zlib comes in through libspng and libzip; its header names the version.
    return {{"libspng", spng_version_string()},
            {"libdeflate", LIBDEFLATE_VERSION_STRING},
            {"zlib", ZLIB_VERSION},
            {"libzip", zip_libzip_version()},
            {"nlohmann-json", json}};
}

}  // namespace zentil
