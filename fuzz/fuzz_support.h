// Shared pieces of the fuzz targets: a failure that libFuzzer records as a
// crash. Every input builds its own pages, so none sees what another left.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>


namespace zentil::fuzz {

// Reports a broken property and aborts, so that the input is kept as a crash.
[[noreturn]] inline void propertyFailed(const char* what) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

inline void require(bool ok, const char* what) {
    if (!ok) propertyFailed(what);
}

}  // namespace zentil::fuzz
