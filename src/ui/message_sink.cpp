#include "message_sink.h"

#include "system/outcome.h"

namespace zentil {

void MessageSink::report(const Outcome& outcome) {
    if (outcome.reportable()) message(outcome.caption, outcome.text);
}

}  // namespace zentil
