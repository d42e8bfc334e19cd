#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "fifo_rescue.h"
#include "file_builders.h"
#include "formats/page_formats.h"
#include "formats/palette_file.h"
#include "formats/palette_formats.h"
#include "system/byte_source.h"
#include "system/config_file.h"
#include "system/texts.h"
#include "work/work_file.h"
#include "work/workspace.h"

namespace zentil {
namespace {

// Every reader of the core refuses a FIFO without waiting for a writer, and
// a folder, before reading: a path kept in the settings or a work file may
// name either, and a read that waits would hang every later start.
TEST(NonRegularFiles, EveryReaderRefusesWhatIsNotARegularFile) {
    using Read = std::function<std::string(const std::string&)>;
    const std::string notAFile = texts::kNotAFile;
    const auto result = [](ReadResult r) { return std::to_string(static_cast<int>(r)); };
    const std::string notAFileResult = result(ReadResult::NotAFile);
    struct Reader {
        const char* extension;
        Read read;
        std::string refusal;
    };
    std::vector<Reader> readers = {
        {"bin",
         [&](const std::string& path) {
             std::vector<std::uint8_t> bytes;
             return result(readWholeFile(path, bytes, 1 << 20));
         },
         notAFileResult},
        {"bin",
         [&](const std::string& path) {
             FileSource source;
             return result(source.open(path, 1 << 20));
         },
         notAFileResult},
        {"pal",
         [](const std::string& path) {
             Palette palette{};
             return readPaletteFile(path, palette).text;
         },
         notAFile},
        {"gpl",
         [](const std::string& path) {
             Palette palette{};
             return readPaletteOfFile(path, palette).text;
         },
         notAFile},
        {"cfg",
         [](const std::string& path) {
             Config record{};
             return std::to_string(readConfigFile(path, record) == ConfigRead::Loaded);
         },
         "0"},
        {"zws",
         [](const std::string& path) {
             Workspace workspace;
             return openWorkFile(path, workspace).text;
         },
         notAFile},
    };
    for (const PageFormat& format : pageFormats())
        readers.push_back({format.extension,
                           [&format](const std::string& path) {
                               Page page;
                               return format.read(path, page, {}).text;
                           },
                           notAFile});

    test::TempDir dir;
    int n = 0;
    for (const Reader& reader : readers) {
        const std::string fifo = dir.file("fifo" + std::to_string(n) + "." + reader.extension);
        const std::string folder = dir.file("dir" + std::to_string(n++) + "." + reader.extension);
        ASSERT_TRUE(test::makeFifo(fifo));
        ASSERT_TRUE(std::filesystem::create_directory(folder));
        std::string said;
        EXPECT_TRUE(test::returnsWithoutWaiting(fifo, [&] { said = reader.read(fifo); })) << fifo;
        EXPECT_EQ(said, reader.refusal) << fifo;
        EXPECT_EQ(reader.read(folder), reader.refusal) << folder;
    }
}

}  // namespace
}  // namespace zentil
