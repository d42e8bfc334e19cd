// Messages and questions of the core shown in message boxes.
#pragma once

#include <QWidget>

#include "message_sink.h"

namespace zentil {

class QtMessageSink final : public MessageSink {
  public:
    explicit QtMessageSink(QWidget* parent = nullptr) : parent_(parent) {}
    using MessageSink::ask;
    using MessageSink::message;
    void message(std::string_view caption, std::string_view text, std::string_view detail) override;
    bool ask(std::string_view caption, std::string_view text, std::string_view detail) override;
    int choose(std::string_view caption, std::string_view text,
               const std::vector<std::string>& answers, int fallback) override;

  private:
    QWidget* parent_;
};

}  // namespace zentil
