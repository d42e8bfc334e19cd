// Where the windows show messages and ask questions: message boxes in
// the editor, a recorder in the window tests.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zentil {

struct Outcome;

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // A box with the caption, the text and a single OK button; a `detail`
    // (the file a message is about) is shown beneath the text.
    virtual void message(std::string_view caption, std::string_view text,
                         std::string_view detail) = 0;
    void message(std::string_view caption, std::string_view text) { message(caption, text, {}); }
    // A box with Yes and No (No the default) and a `detail` beneath the
    // question (the files it is about); true means Yes.
    virtual bool ask(std::string_view caption, std::string_view text, std::string_view detail) = 0;
    bool ask(std::string_view caption, std::string_view text) { return ask(caption, text, {}); }
    // A box with a button per answer, left to right; gives the answer's
    // index, or `fallback` when the box is closed without one.
    virtual int choose(std::string_view caption, std::string_view text,
                       const std::vector<std::string>& answers, int fallback) = 0;

    // Shows a failure that has something to tell, with the outcome's own
    // detail beneath `detail`; nothing otherwise.
    void report(const Outcome& outcome, std::string_view detail = {});
    // Asks before a save replaces the file at `path` (bytes, as the file
    // system names it); true when there is none or the answer is Yes.
    bool mayReplace(const std::string& path);
};

}  // namespace zentil
