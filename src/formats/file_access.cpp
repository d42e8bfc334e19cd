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
    return noteKeptOldContents(
        read == ReadResult::Ok ? decode(bytes, page, defaults) : readFailure(read, cannotOpenText),
        path);
}

Outcome readPageSource(const std::string& path, std::uint64_t maxBytes, const char* cannotOpenText,
                       SourceDecoder decode, Page& page, const PageDefaults& defaults) {
    FileSource source;
    const ReadResult opened = source.open(path, maxBytes);
    return noteKeptOldContents(opened == ReadResult::Ok ? decode(source, page, defaults)
                                                        : readFailure(opened, cannotOpenText),
                               path);
}

Outcome saveFile(const std::string& path, std::span<const std::uint8_t> bytes,
                 const char* failureText) {
    SafeFileWriter out;
    if (!out.open(path) || !out.write(bytes.data(), bytes.size()) || !out.commit())
        return Outcome::error(failureText, out.error());
    return Outcome::done();
}

Outcome noteKeptOldContents(Outcome read, const std::string& path) {
    if (read.reportable() && read.detail.empty())
        if (const std::string kept = keptOldContents(path); !kept.empty())
            read.detail = formatText(texts::kOldContentsKeptF, kept.c_str());
    return read;
}

}  // namespace zentil
