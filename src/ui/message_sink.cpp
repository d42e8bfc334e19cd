#include "message_sink.h"

#include "system/outcome.h"

namespace zentil {

void MessageSink::report(const Outcome& outcome, std::string_view detail) {
    if (outcome.reportable()) message(outcome.caption, outcome.text, detail);
}

}  // namespace zentil
