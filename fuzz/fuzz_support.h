// Shared pieces of the fuzz targets: a silent message sink, a fresh program
// state for every input, and a failure that libFuzzer records as a crash.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "image/page_table.h"
#include "image/palette.h"
#include "system/config.h"
#include "system/messages.h"

namespace zentil::fuzz {

// Swallows every message and answers every question with No.
class SilentSink final : public MessageSink {
  public:
    void message(std::string_view, std::string_view) override {}
    bool ask(std::string_view, std::string_view) override { return false; }
};

// The program state of one input: installs the silent sink, starts from the
// settings, default palette and (empty) page table of a fresh program, and
// releases every page at the end so that no input sees what an earlier one
// left. The table is emptied once per input because that is most of the cost
// of a short input.
class FreshState {
  public:
    FreshState() {
        static SilentSink sink;
        setMessageSink(&sink);
        config() = Config{};
        defaultPalette() = Palette{};
    }
    ~FreshState() { releaseAllPages(); }
    FreshState(const FreshState&) = delete;
    FreshState& operator=(const FreshState&) = delete;
};

// Reports a broken property and aborts, so that the input is kept as a crash.
[[noreturn]] inline void propertyFailed(const char* what) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
}

inline void require(bool ok, const char* what) {
    if (!ok) propertyFailed(what);
}

}  // namespace zentil::fuzz
