// Saves behave as writing the file would, and never lose the old file.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <set>

#include "file_builders.h"
#include "formats/gpf_file.h"
#include "formats/palette_file.h"
#include "formats/tga_file.h"
#include "system/config_file.h"
#include "system/safe_file_writer.h"
#include "test_support.h"

namespace zentil {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::CoreTest;

std::set<std::string> entriesOf(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

bool save(const std::string& path, const Bytes& bytes) {
    SafeFileWriter out;
    return out.open(path) && out.writeAll(bytes) && out.commit();
}

// Runs `body` in a child process as an ordinary user (when the tests run as
// root, whom no permission stops) and gives its exit status.
int runAsOrdinaryUser(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(99);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SafeSave, SavesFollowLinksKeepModesAndTakeEveryName) {
    test::TempDir dir;
    const fs::path work = dir.path() / "work", other = dir.path() / "other";
    fs::create_directories(work);
    fs::create_directories(other);
    const Bytes old{1, 2, 3}, fresh{9, 8, 7, 6};

    // A symbolic link (relative, into another folder) stays a link; the file it names changes.
    test::writeBytes((other / "real.gpf").string(), old);
    fs::create_symlink("../other/real.gpf", work / "link.gpf");
    ASSERT_TRUE(save((work / "link.gpf").string(), fresh));
    EXPECT_TRUE(fs::is_symlink(work / "link.gpf"));
    EXPECT_EQ(test::readBytes((other / "real.gpf").string()), fresh);

    // A link to nowhere makes the file it names.
    fs::create_symlink("made.gpf", work / "dangling.gpf");
    ASSERT_TRUE(save((work / "dangling.gpf").string(), fresh));
    EXPECT_EQ(test::readBytes((work / "made.gpf").string()), fresh);

    // Every hard link sees the new contents.
    test::writeBytes((work / "a.tga").string(), old);
    fs::create_hard_link(work / "a.tga", work / "b.tga");
    ASSERT_TRUE(save((work / "a.tga").string(), fresh));
    EXPECT_EQ(test::readBytes((work / "b.tga").string()), fresh);
    EXPECT_EQ(fs::hard_link_count(work / "a.tga"), 2u);
    ASSERT_TRUE(save((work / "b.tga").string(), old));  // shorter than before
    EXPECT_EQ(test::readBytes((work / "a.tga").string()), old);

    // The permission bits stay.
    test::writeBytes((work / "mode.pal").string(), old);
    ::chmod((work / "mode.pal").c_str(), 0640);
    ASSERT_TRUE(save((work / "mode.pal").string(), fresh));
    EXPECT_EQ(fs::status(work / "mode.pal").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // The longest name the file system takes.
    const std::string longest = (work / (std::string(251, 'n') + ".gpf")).string();
    ASSERT_TRUE(save(longest, fresh));
    EXPECT_EQ(test::readBytes(longest), fresh);

    // Nothing but the saved files is left in either folder.
    EXPECT_EQ(entriesOf(other), std::set<std::string>{"real.gpf"});
    EXPECT_EQ(entriesOf(work).size(), 7u);
}

TEST(SafeSave, AFileTheUserMayNotWriteIsRefused) {
    test::TempDir dir;
    const std::string file = dir.file("locked.gpf");
    test::writeBytes(file, {1, 2, 3});
    ::chmod(file.c_str(), 0444);
    ::chmod(dir.path().c_str(), 0777);  // the folder itself would take a replacement
    EXPECT_EQ(runAsOrdinaryUser([&] { return save(file, {4, 5}) ? 1 : 0; }), 0);
    EXPECT_EQ(test::readBytes(file), (Bytes{1, 2, 3}));
    EXPECT_EQ(entriesOf(dir.path()), std::set<std::string>{"locked.gpf"});
}

TEST(SafeSave, ASaveKilledPartWayLeavesNothingBehind) {
    test::TempDir dir;
    const int probe = ::open(dir.path().c_str(), O_TMPFILE | O_RDWR, 0600);
    if (probe < 0) GTEST_SKIP() << "this file system has no unnamed files";
    ::close(probe);
    const std::string file = dir.file("big.tga");
    test::writeBytes(file, {1, 2, 3});
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        SafeFileWriter out;
        const Bytes chunk(1 << 20, 0x5A);
        if (!out.open(file) || !out.writeAll(chunk)) ::_exit(1);
        const char mark = 'w';
        if (::write(ready[1], &mark, 1) != 1) ::_exit(1);
        for (int i = 0; i < 64; ++i)
            out.writeAll(chunk);  // killed while writing
        ::pause();
    }
    char mark = 0;
    ASSERT_EQ(::read(ready[0], &mark, 1), 1);
    EXPECT_EQ(entriesOf(dir.path()), std::set<std::string>{"big.tga"});
    ::kill(child, SIGTERM);
    ::waitpid(child, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    EXPECT_EQ(entriesOf(dir.path()), std::set<std::string>{"big.tga"});
    EXPECT_EQ(test::readBytes(file), (Bytes{1, 2, 3}));
}

// Every save of the program, made to fail by a full "disk" (a file size
// limit), reports it and leaves the old file byte for byte, also through a
// hard link.
TEST_F(CoreTest, EverySaveThatCannotBeWrittenKeepsTheOldFile) {
    Page page;
    ASSERT_TRUE(createPage(page, 8, 4, 8, 4, kMode8));
    for (int i = 0; i < 32; ++i)
        putPixel(page, i, i % 32, static_cast<std::uint8_t>(i + 1));
    page.kind = kKindTga;
    Config settings{};
    setConfigDefaults(settings);

    const std::vector<std::pair<const char*, std::function<bool(const std::string&)>>> saves = {
        {"gpf", [&](const std::string& p) { return writeSpriteFile(p, page).ok; }},
        {"tga", [&](const std::string& p) { return writeTgaFile(p, page).ok; }},
        {"pal", [&](const std::string& p) { return savePaletteFile(p, page).ok; }},
        {"cfg", [&](const std::string& p) { return writeConfigFile(p, settings); }},
    };
    const Bytes old{'o', 'l', 'd', 0, 0xFF};
    for (const auto& [kind, saveTo] : saves) {
        for (const bool linked : {false, true}) {
            test::TempDir dir;
            const std::string file = dir.file(std::string("old.") + kind);
            test::writeBytes(file, old);
            if (linked) fs::create_hard_link(file, dir.file("other-name"));
            bool saved = true;
            {
                test::FileSizeLimit limit(40);  // less than any of the new files
                ASSERT_TRUE(limit.ok());
                saved = saveTo(file);
            }
            EXPECT_FALSE(saved) << kind << linked;
            EXPECT_EQ(test::readBytes(file), old) << kind << linked;
            EXPECT_EQ(entriesOf(dir.path()).size(), linked ? 2u : 1u) << kind << linked;
            EXPECT_TRUE(saveTo(file)) << kind << linked;  // and without the limit it saves
            if (linked) {
                EXPECT_EQ(test::readBytes(dir.file("other-name")), test::readBytes(file));
            }
        }
    }
}

}  // namespace
}  // namespace zentil
