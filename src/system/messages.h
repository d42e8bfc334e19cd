// Messages and yes/no questions leave the core through one installed sink.
// The editor installs message boxes, the command-line tool prints, and tests
// install a recorder.
#pragma once

#include <string>
#include <string_view>

namespace zentil {

class MessageSink {
  public:
    virtual ~MessageSink() = default;
    // A box with the caption, the text and a single OK button.
    virtual void message(std::string_view caption, std::string_view text) = 0;
    // A box with Yes and No; true means Yes.
    virtual bool ask(std::string_view caption, std::string_view text) = 0;
};

// Installs `sink` (not owned; nullptr restores the default, which prints to
// standard error and answers every question with No). Gives the previous sink.
MessageSink* setMessageSink(MessageSink* sink);
MessageSink& messageSink();

void showMessage(std::string_view caption, std::string_view text);
// printf-style formatting; the whole formatted text is shown, however long.
void showMessageF(const char* caption, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
bool askYesNo(std::string_view caption, std::string_view text);

// Formats printf-style into a string (no length limit).
std::string formatText(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Installs a sink for the lifetime of the guard and restores the previous one.
class ScopedMessageSink {
  public:
    explicit ScopedMessageSink(MessageSink& sink) : previous_(setMessageSink(&sink)) {}
    ~ScopedMessageSink() { setMessageSink(previous_); }
    ScopedMessageSink(const ScopedMessageSink&) = delete;
    ScopedMessageSink& operator=(const ScopedMessageSink&) = delete;

  private:
    MessageSink* previous_;
};

}  // namespace zentil
