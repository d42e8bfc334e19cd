#include "message_sink.h"

#include "core_texts.h"
#include "system/files.h"
#include "system/outcome.h"
#include "system/texts.h"

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

bool MessageSink::mayReplace(const std::string& path) {
    return !fileExists(path) || ask(texts::kCaptionNotice, texts::kAskOverwrite);
}

}  // namespace zentil
