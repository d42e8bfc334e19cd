#include "message_sink.h"

#include "core_texts.h"
#include "system/outcome.h"

namespace zentil {

void MessageSink::report(const Outcome& outcome, std::string_view detail) {
    if (!outcome.reportable()) return;
    // The file first, then what more the core said about the failure.
    std::string details(detail);
    if (!outcome.detail.empty()) {
        if (!details.empty()) details += '\n';
        details += uiText(outcome.detail).toStdString();
    }
    message(outcome.caption, outcome.text, details);
}

}  // namespace zentil
