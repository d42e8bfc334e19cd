#include "formats/save_file.h"

#include "system/files.h"
#include "system/messages.h"
#include "system/texts.h"

namespace zentil {

bool saveFileAsked(const std::string& path, std::span<const std::uint8_t> bytes,
                   const char* failureText) {
    if (fileExists(path) && !askYesNo(texts::kCaptionNotice, texts::kAskOverwrite)) return false;
    SafeFileWriter out;
    if (!out.open(path) || !out.write(bytes.data(), bytes.size()) || !out.commit()) {
        showMessage(texts::kCaptionError, failureText);
        return false;
    }
    return true;
}

}  // namespace zentil
