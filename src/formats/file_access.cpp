#include "formats/file_access.h"

#include "system/files.h"
#include "system/safe_file_writer.h"
#include "system/texts.h"

namespace zentil {

Outcome readPageFile(const std::string& path, std::uint64_t maxBytes, const char* cannotOpenText,
                     PageDecoder decode, Page& page, const PageDefaults& defaults) {
    std::vector<std::uint8_t> bytes;
    switch (readWholeFile(path, bytes, maxBytes)) {
        case ReadResult::Ok:
            return decode(bytes, page, defaults);
        case ReadResult::CannotOpen:
            return Outcome::error(cannotOpenText);
        case ReadResult::TooLarge:
            return Outcome::error(texts::kCannotCreateImage);
        case ReadResult::Failed:
            break;
    }
    return Outcome::error(texts::kReadFailed);
}

Outcome readPageSource(const std::string& path, std::uint64_t maxBytes, const char* cannotOpenText,
                       SourceDecoder decode, Page& page, const PageDefaults& defaults) {
    FileSource source;
    switch (source.open(path, maxBytes)) {
        case ReadResult::Ok:
            return decode(source, page, defaults);
        case ReadResult::CannotOpen:
            return Outcome::error(cannotOpenText);
        case ReadResult::TooLarge:
            return Outcome::error(texts::kCannotCreateImage);
        case ReadResult::Failed:
            break;
    }
    return Outcome::error(texts::kReadFailed);
}

Outcome saveFile(const std::string& path, std::span<const std::uint8_t> bytes,
                 const char* failureText) {
    SafeFileWriter out;
    if (!out.open(path) || !out.write(bytes.data(), bytes.size()) || !out.commit())
        return Outcome::error(failureText);
    return Outcome::done();
}

}  // namespace zentil
