#include "system/outcome.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace zentil {

Outcome Outcome::error(std::string text, int systemError) {
    Outcome failed = error(std::move(text));
    if (systemError != 0) {
        char buffer[256];
        failed.detail = ::strerror_r(systemError, buffer, sizeof buffer);
    }
    return failed;
}

std::string formatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string text;
    if (needed > 0) {
        text.resize(static_cast<std::size_t>(needed) + 1);
        std::vsnprintf(text.data(), text.size(), format, args);
        text.resize(static_cast<std::size_t>(needed));
    }
    va_end(args);
    return text;
}

}  // namespace zentil
