// Saves behave as writing the file would, and never lose the old file.
#include <fcntl.h>
#include <grp.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <vector>

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

// Runs `body` in a child process as another user, of group `gid` and the
// one further group `extraGroup`, when the tests run as root (whom no
// permission stops), and gives its exit status.
int runAs(uid_t uid, gid_t gid, gid_t extraGroup, const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 &&
            (::setgroups(1, &extraGroup) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0))
            ::_exit(99);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int runAsOrdinaryUser(const std::function<int()>& body) {
    return runAs(65534, 65534, 65534, body);
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

// Starts a save of `bytes` to `path` in a child process that the system
// stops at its rename, once the temporary file is named: the child says so
// through `ready` and waits there until it is killed. -1 where the system
// does not let a process filter its own calls.
pid_t saveStoppedAtItsRename(const std::string& path, const Bytes& bytes, int ready) {
    const pid_t child = ::fork();
    if (child != 0) return child;
    static int readyFd = ready;
    std::signal(SIGSYS, [](int) {
        const char mark = 'r';
        [[maybe_unused]] const ssize_t told = ::write(readyFd, &mark, 1);
        for (;;)
            ::pause();
    });
    // Every call that renames traps instead of running.
    const unsigned renames[] = {SYS_renameat, SYS_renameat2,
#ifdef SYS_rename
                                SYS_rename
#endif
    };
    std::vector<sock_filter> filter;
    filter.push_back(BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)));
    for (const unsigned call : renames) {
        filter.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, call, 0, 1));
        filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_TRAP));
    }
    filter.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));
    const sock_fprog program{static_cast<unsigned short>(filter.size()), filter.data()};
    if (::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0 ||
        ::prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &program) != 0) {
        const char mark = 'x';
        [[maybe_unused]] const ssize_t told = ::write(ready, &mark, 1);
        ::_exit(1);
    }
    const bool saved = save(path, bytes);  // the trap stops it at the rename
    const char mark = 'x';
    [[maybe_unused]] const ssize_t told = ::write(ready, &mark, 1);
    ::_exit(saved ? 0 : 1);
}

void makeOld(const fs::path& path) {
    const timespec times[2] = {{0, UTIME_OMIT},
                               {::time(nullptr) - kStaleTemporaryAgeSeconds - 60, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, AT_SYMLINK_NOFOLLOW);
}

// A save killed between naming its temporary file and the rename leaves the
// file behind; the next save into the folder removes it once it has been
// left alone a while (a process looks through a folder once in that while). The file of a save
// still running, one written to lately, one with a second name, another user's, and names that only
// look alike stay.
TEST(SafeSave, LeftoversOfSavesCutOffGoAtTheNextSaveIntoTheirFolder) {
    test::TempDir dir;
    const fs::path folder = dir.path();
    const Bytes old{1, 2, 3};
    test::writeBytes(dir.file("sheet.tga"), old);
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    // A save stopped at its rename, and the name its temporary file took.
    const auto stopAtRename = [&](const std::string& name, std::string& temporary) {
        const std::set<std::string> before = entriesOf(folder);
        const pid_t child = saveStoppedAtItsRename(dir.file(name), Bytes(1 << 16, 7), ready[1]);
        char mark = 0;
        EXPECT_EQ(::read(ready[0], &mark, 1), 1);
        for (const std::string& entry : entriesOf(folder))
            if (!before.count(entry)) temporary = entry;
        return mark == 'r' ? child : -1;
    };
    std::string killedOnes, runningOnes;
    const pid_t killed = stopAtRename("sheet.tga", killedOnes);
    if (killed < 0) GTEST_SKIP() << "this system lets no process filter its own calls";
    ::kill(killed, SIGKILL);
    ::waitpid(killed, nullptr, 0);
    const pid_t running = stopAtRename("other.tga", runningOnes);
    ASSERT_TRUE(killedOnes.starts_with(".zt-") && runningOnes.starts_with(".zt-"));
    // Another process, which saves into the folder when told, after this one.
    int go[2];
    ASSERT_EQ(::pipe(go), 0);
    const pid_t later = ::fork();
    if (later == 0) {
        ::close(go[1]);  // so that the read ends if this process is gone
        char mark = 0;
        ::_exit(::read(go[0], &mark, 1) == 1 && save(dir.file("third.tga"), old) ? 0 : 1);
    }
    EXPECT_EQ(test::readBytes(dir.file("sheet.tga")), old);

    for (const char* name : {".zt-abc12", ".zt-abc1234", ".zt-ABC123", "zt-abc123", ".zt-twice0",
                             ".zt-theirs", ".sheet.tga.zentil-old"})
        test::writeBytes(dir.file(name), {1});
    fs::create_hard_link(folder / ".zt-twice0", folder / "second name");
    const bool asRoot = ::geteuid() == 0;  // who alone can give a file to another user
    if (asRoot) {
        ASSERT_EQ(::lchown(dir.file(".zt-theirs").c_str(), 65534, 65534), 0);
    }
    fs::create_directory(folder / ".zt-dir000");
    fs::create_symlink("sheet.tga", folder / ".zt-link00");
    std::set<std::string> expected = entriesOf(folder);
    for (const std::string& name : expected)
        makeOld(folder / name);
    test::writeBytes(dir.file(".zt-recent"), {1});  // a save writing now

    expected.erase(killedOnes);
    if (!asRoot) expected.erase(".zt-theirs");  // this user's after all
    expected.insert({".zt-recent", "third.tga"});
    ASSERT_TRUE(save(dir.file("third.tga"), old));
    EXPECT_EQ(entriesOf(folder), expected);

    // Once that save is killed too, its file goes at the next save of a
    // process that has not looked through the folder lately.
    ::kill(running, SIGKILL);
    ::waitpid(running, nullptr, 0);
    ASSERT_TRUE(save(dir.file("third.tga"), old));
    EXPECT_TRUE(fs::exists(folder / runningOnes)) << "looked through again at once";
    int status = -1;
    ASSERT_EQ(::write(go[1], "g", 1), 1);
    ::waitpid(later, &status, 0);
    EXPECT_EQ(status, 0);
    expected.erase(runningOnes);
    EXPECT_EQ(entriesOf(folder), expected);
    for (const int end : {ready[0], ready[1], go[0], go[1]})
        ::close(end);
}

// A save in place (the file has a second name) killed while it overwrites the
// file leaves a whole copy of the old contents beside it until the new ones
// are on disk; the next save uses that copy and removes it when it succeeds.
TEST(SafeSave, AnInPlaceSaveKilledPartWayKeepsTheOldContentsWhole) {
    test::TempDir dir;
    const std::string file = dir.file("sheet.tga"), backup = dir.file(".sheet.tga.zentil-old");
    const Bytes old(std::size_t{32} << 20, 'o'), fresh(old.size(), 'n');
    // The copy is 32 MiB in 64 KiB pieces: the kill comes after the first
    // piece, long before the last, unless this process was not running.
    bool caught = false;
    for (int attempt = 0; attempt < 8 && !caught; ++attempt) {
        fs::remove_all(dir.path());
        fs::create_directories(dir.path());
        test::writeBytes(file, old);
        fs::create_hard_link(file, dir.file("other name"));
        const pid_t child = ::fork();
        if (child == 0) {
            SafeFileWriter out;
            ::_exit(out.open(file) && out.writeAll(fresh) && out.commit() ? 0 : 1);
        }
        const int watch = ::open(file.c_str(), O_RDONLY);
        char first = 'o';
        bool finished = false;
        while (first == 'o' && !(finished = ::waitpid(child, nullptr, WNOHANG) == child))
            ASSERT_EQ(::pread(watch, &first, 1, 0), 1);
        if (!finished) {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
        }
        ::close(watch);

        const Bytes now = test::readBytes(dir.file("other name"));
        if (now == fresh) {
            EXPECT_TRUE(!fs::exists(backup) || test::readBytes(backup) == old);
            continue;  // the save was done before the kill
        }
        caught = true;
        ASSERT_TRUE(fs::exists(backup)) << "the old contents are lost";
        EXPECT_TRUE(test::readBytes(backup) == old);
        EXPECT_EQ(fs::status(backup).permissions(), fs::status(file).permissions());
        // The half-written file cannot be read; the message names the copy.
        Page page;
        const Outcome read = readTgaFile(file, page, {});
        EXPECT_FALSE(read);
        EXPECT_EQ(read.detail, formatText(texts::kOldContentsKeptF, backup.c_str()));
    }
    if (!caught) GTEST_SKIP() << "every save finished before it could be killed";
    ASSERT_TRUE(save(file, {1, 2, 3}));
    EXPECT_EQ(test::readBytes(dir.file("other name")), (Bytes{1, 2, 3}));
    EXPECT_EQ(entriesOf(dir.path()), (std::set<std::string>{"sheet.tga", "other name"}));
}

// A member of a file's group saving another user's group-writable file keeps
// its owner, group and mode: the file is written in place, through a copy of
// the old contents beside it (or in the temporary folder when the folder
// takes no new names) that is gone afterwards.
TEST(SafeSave, AnotherUsersGroupWritableFileKeepsItsOwnerAndGroup) {
    if (::geteuid() != 0) GTEST_SKIP() << "making files of other users needs root";
    constexpr uid_t kOwner = 61001, kMember = 61002;
    constexpr gid_t kShared = 61010, kMembersOwnGroup = 61011;
    for (const bool folderTakesNames : {true, false}) {
        test::TempDir dir;
        const fs::path shared = dir.path() / "shared";
        fs::create_directories(shared);
        ASSERT_EQ(::chown(shared.c_str(), kOwner, kShared), 0);
        ::chmod(shared.c_str(), folderTakesNames ? 0777 : 0755);
        const std::string file = (shared / "sheet.gpf").string();
        test::writeBytes(file, {1, 2, 3});
        ASSERT_EQ(::chown(file.c_str(), kOwner, kShared), 0);
        ::chmod(file.c_str(), 0664);

        const Bytes fresh{9, 8, 7, 6, 5};
        EXPECT_EQ(
            runAs(kMember, kMembersOwnGroup, kShared, [&] { return save(file, fresh) ? 0 : 1; }), 0)
            << folderTakesNames;
        struct stat info {};
        ASSERT_EQ(::stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, kOwner) << folderTakesNames;
        EXPECT_EQ(info.st_gid, kShared) << folderTakesNames;
        EXPECT_EQ(info.st_mode & 07777, 0664u) << folderTakesNames;
        EXPECT_EQ(test::readBytes(file), fresh) << folderTakesNames;
        EXPECT_EQ(entriesOf(shared), std::set<std::string>{"sheet.gpf"}) << folderTakesNames;
        std::string copyInTemp = "-";
        copyInTemp += std::to_string(info.st_ino);
        copyInTemp += "-sheet.gpf.zentil-old";
        for (const std::string& name : entriesOf(fs::temp_directory_path()))
            EXPECT_FALSE(name.ends_with(copyInTemp)) << name;
    }
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

    // Each gives the system's reason beside its own text, but the settings
    // file, whose save says only that it failed.
    const std::vector<std::pair<const char*, std::function<Outcome(const std::string&)>>> saves = {
        {"gpf", [&](const std::string& p) { return writeSpriteFile(p, page); }},
        {"tga", [&](const std::string& p) { return writeTgaFile(p, page); }},
        {"pal", [&](const std::string& p) { return savePaletteFile(p, page.palette); }},
        {"cfg",
         [&](const std::string& p) {
             Outcome saved;
             saved.ok = writeConfigFile(p, settings);
             return saved;
         }},
    };
    const Bytes old{'o', 'l', 'd', 0, 0xFF};
    for (const auto& [kind, saveTo] : saves) {
        for (const bool linked : {false, true}) {
            test::TempDir dir;
            const std::string file = dir.file(std::string("old.") + kind);
            test::writeBytes(file, old);
            if (linked) fs::create_hard_link(file, dir.file("other-name"));
            Outcome saved;
            {
                test::FileSizeLimit limit(40);  // less than any of the new files
                ASSERT_TRUE(limit.ok());
                saved = saveTo(file);
            }
            EXPECT_FALSE(saved) << kind << linked;
            EXPECT_EQ(saved.detail, std::string(kind) == "cfg" ? "" : std::strerror(EFBIG))
                << kind << linked;
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
