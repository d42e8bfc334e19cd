// Where the windows show messages and ask yes/no questions: message boxes in
// the editor, a recorder in the window tests.
#pragma once

#include <string_view>

namespace zentil {

struct Outcome;

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // A box with the caption, the text and a single OK button.
    virtual void message(std::string_view caption, std::string_view text) = 0;
    // A box with Yes and No (No the default); true means Yes.
    virtual bool ask(std::string_view caption, std::string_view text) = 0;

    // Shows a failure that has something to tell; nothing otherwise.
    void report(const Outcome& outcome);
};

}  // namespace zentil
