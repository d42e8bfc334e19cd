#include "formats/file_access.h"

#include "system/files.h"
#include "system/safe_file_writer.h"
#include "system/texts.h"

namespace zentil {
namespace {

// What a file that could not be read (`read` is not Ok) is reported as.
Outcome readFailure(ReadResult read, const char* cannotOpenText) {
    switch (read) {
        case ReadResult::CannotOpen:
            return Outcome::error(cannotOpenText);
        case ReadResult::NotAFile:
            return Outcome::error(texts::kNotAFile);
        case ReadResult::TooLarge:
            return Outcome::error(texts::kCannotCreateImage);
        case ReadResult::Ok:
        case ReadResult::Failed:
            break;
    }
    return Outcome::error(texts::kReadFailed);
}

}  // namespace

Outcome readPageFile(const std::string& path, std::uint64_t maxBytes, const char* cannotOpenText,
                     PageDecoder decode, Page& page, const PageDefaults& defaults) {
    std::vector<std::uint8_t> bytes;
    const ReadResult read = readWholeFile(path, bytes, maxBytes);
    return read == ReadResult::Ok ? decode(bytes, page, defaults)
                                  : readFailure(read, cannotOpenText);
}

Outcome readPageSource(const std::string& path, std::uint64_t maxBytes, const char* cannotOpenText,
                       SourceDecoder decode, Page& page, const PageDefaults& defaults) {
    FileSource source;
    const ReadResult opened = source.open(path, maxBytes);
    return opened == ReadResult::Ok ? decode(source, page, defaults)
                                    : readFailure(opened, cannotOpenText);
}

Outcome saveFile(const std::string& path, std::span<const std::uint8_t> bytes,
                 const char* failureText) {
    SafeFileWriter out;
    if (!out.open(path) || !out.write(bytes.data(), bytes.size()) || !out.commit())
        return Outcome::error(failureText);
    return Outcome::done();
}

}  // namespace zentil
