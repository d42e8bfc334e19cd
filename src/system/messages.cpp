#include "system/messages.h"

#include <cstdarg>
#include <cstdio>

namespace zentil {
namespace {

class StderrSink final : public MessageSink {
  public:
    void message(std::string_view caption, std::string_view text) override {
        std::fprintf(stderr, "[%.*s] %.*s\n", static_cast<int>(caption.size()), caption.data(),
                     static_cast<int>(text.size()), text.data());
    }
    bool ask(std::string_view caption, std::string_view text) override {
        message(caption, text);
        return false;
    }
};

StderrSink defaultSink;
MessageSink* installed = nullptr;

std::string formatV(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed <= 0) return {};
    std::string out(static_cast<size_t>(needed) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<size_t>(needed));
    return out;
}

}  // namespace

MessageSink* setMessageSink(MessageSink* sink) {
    MessageSink* previous = installed;
    installed = sink;
    return previous;
}

MessageSink& messageSink() {
    return installed ? *installed : defaultSink;
}

void showMessage(std::string_view caption, std::string_view text) {
    messageSink().message(caption, text);
}

void showMessageF(const char* caption, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string text = formatV(format, args);
    va_end(args);
    showMessage(caption, text);
}

bool askYesNo(std::string_view caption, std::string_view text) {
    return messageSink().ask(caption, text);
}

std::string formatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = formatV(format, args);
    va_end(args);
    return text;
}

}  // namespace zentil
