// What an operation of the core reports instead of showing it: done, or
// failed with the text the window shows (caption "오류" unless said). A
// failure without a text is a silent one, such as a declined question.
#pragma once

#include <string>
#include <utility>

#include "system/texts.h"

namespace zentil {

struct Outcome {
    bool ok = true;
    std::string caption;
    std::string text;
    // More about a failure, shown beneath the text: the system's own words
    // for what stopped a write, or where a save that was cut off kept the
    // file's old contents. Empty when there is nothing more.
    std::string detail;

    static Outcome done() { return {}; }
    static Outcome error(std::string text) {
        return {false, texts::kCaptionError, std::move(text), {}};
    }
    // A failure with the system's words for `systemError` (an errno value;
    // 0 for none) as its detail.
    static Outcome error(std::string text, int systemError);
    static Outcome silent() { return {false, {}, {}, {}}; }

    explicit operator bool() const { return ok; }
    // A failure that has something to tell.
    bool reportable() const { return !ok && !text.empty(); }
};

// Formats printf-style into a string (no length limit).
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace zentil
