#include "formats/file_access.h"

#include "system/files.h"
#include "system/messages.h"
#include "system/safe_file_writer.h"
#include "system/texts.h"

namespace zentil {

bool readPageFile(const std::string& path, std::uint64_t maxBytes, const char* cannotOpenText,
                  PageDecoder decode, Page& page) {
    std::vector<std::uint8_t> bytes;
    const char* failure = texts::kReadFailed;
    switch (readWholeFile(path, bytes, maxBytes)) {
        case ReadResult::Ok:
            return decode(bytes, page);
        case ReadResult::CannotOpen:
            failure = cannotOpenText;
            break;
        case ReadResult::TooLarge:
            failure = texts::kCannotCreateImage;
            break;
        case ReadResult::Failed:
            break;
    }
    showMessage(texts::kCaptionError, failure);
    return false;
}

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
