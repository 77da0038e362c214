#include "NuvFiles.h"

#include "FullDisk.h"
#include "TempDir.h"
#include "Unprivileged.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <memory>

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

std::vector<std::string> Sorted(std::vector<std::string> list)
{
    std::sort(list.begin(), list.end());
    return list;
}

// Runs the test body with the working folder set to `folder`, restoring it after.
class WorkingFolder {
public:
    explicit WorkingFolder(const std::filesystem::path& folder)
        : saved_(std::filesystem::current_path())
    {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder() { std::filesystem::current_path(saved_); }

private:
    std::filesystem::path saved_;
};

std::vector<std::string> FolderEntries(const std::filesystem::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return Sorted(names);
}

// A socket: an entry that exists but cannot be opened, whoever runs the test.
int BindSocket(const std::string& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, std::min(path.size(), sizeof address.sun_path - 1));
    if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

TEST(NuvFiles, GetAppPathIsTheFolderHoldingTheRunningProgram)
{
    const std::string folder = nuv::GetAppPath();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::is_regular_file(folder + program_invocation_short_name)) << folder;
}

TEST(NuvFiles, GetFileSizeAnswersForFilesFoldersAndMissingEntries)
{
    TempDir dir;
    WriteFile(dir.File("empty.dat"), "");
    WriteFile(dir.File("four.dat"), "abcd");
    std::filesystem::create_directory(dir.Path() / "sub");

    struct Case {
        std::string path;
        std::int64_t size;
    };
    const Case cases[] = {
        { dir.File("empty.dat"), 0 },
        { dir.File("four.dat"), 4 },
        { dir.File("four.*"), 4 },
        { dir.File("missing.dat"), -1 },
        { dir.File("*.none"), -1 },
        { dir.File("nofolder/four.dat"), -1 },
        { dir.File("sub"), 0 },
        { "", -1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(nuv::GetFileSize(c.path), c.size) << c.path;
}

TEST(NuvFiles, GetFileSizeOfAPatternIsTheSizeOfTheFirstMatchOnly)
{
    TempDir dir;
    WriteFile(dir.File("a.log"), "1");
    WriteFile(dir.File("b.log"), "22");
    WriteFile(dir.File("c.log"), "333");

    std::vector<std::string> matches;
    nuv::GetFileList(matches, dir.File("*.log"), nuv::faAnyFile);
    ASSERT_EQ(matches.size(), 3u);
    EXPECT_EQ(nuv::GetFileSize(dir.File("*.log")), nuv::GetFileSize(matches.front()));
}

// Only "*" and "?" are wildcards: a folder or file named with brackets or a
// backslash is found under its own name, not under the names a shell pattern
// would make of it ("a[1]" is not "a1").
TEST(NuvFiles, BracketsAndBackslashesInNamesAreOrdinaryCharacters)
{
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "q[1]");
    std::filesystem::create_directory(dir.Path() / "q1");
    WriteFile(dir.File("q[1]/a[1].dat"), "abcdef");
    WriteFile(dir.File("q1/a1.dat"), "x");
    WriteFile(dir.File("back\\slash.dat"), "abc");

    EXPECT_EQ(nuv::GetFileSize(dir.File("q[1]/a[1].dat")), 6);
    EXPECT_EQ(nuv::GetFileSize(dir.File("q[1]/*.dat")), 6);
    EXPECT_EQ(nuv::GetFileSize(dir.File("back\\slash.dat")), 3);
    EXPECT_EQ(nuv::GetFileSize(dir.File("q[1]/a1.dat")), -1);

    char* buf = nullptr;
    EXPECT_EQ(nuv::LoadFileToBuf(dir.File("q[1]/a[1].dat"), buf, -1), 6);
    std::unique_ptr<char[]> owned(buf);
    EXPECT_EQ(std::string(buf, 6), "abcdef");

    std::vector<std::string> list;
    nuv::GetFileList(list, dir.File("q[1]/*"), 0);
    EXPECT_EQ(list, std::vector<std::string> { dir.File("q[1]/a[1].dat") });
}

TEST(NuvFiles, LoadFileToBufReadsUpToTheAskedSizeIntoANewBuffer)
{
    TempDir dir;
    WriteFile(dir.File("four.bin"), std::string("ab\0d", 4));

    struct Case {
        int size;
        int read;
    };
    for (const Case c : { Case { 10, 4 }, Case { -1, 4 }, Case { 2, 2 }, Case { 0, 0 } }) {
        char* buf = nullptr;
        EXPECT_EQ(nuv::LoadFileToBuf(dir.File("four.bin"), buf, c.size), c.read) << c.size;
        std::unique_ptr<char[]> owned(buf);
        ASSERT_NE(buf, nullptr);
        EXPECT_EQ(
            std::string(buf, static_cast<std::size_t>(c.read)), std::string("ab\0d", 4).substr(0, c.read));
    }
}

TEST(NuvFiles, LoadFileToBufLeavesTheBufferAloneWhenThereIsNoFile)
{
    TempDir dir;
    char sentinel = 0;
    for (const std::string& path : { dir.File("missing.bin"), dir.Folder() }) {
        char* buf = &sentinel;
        EXPECT_EQ(nuv::LoadFileToBuf(path, buf, -1), 0) << path;
        EXPECT_EQ(buf, &sentinel);
    }
}

TEST(NuvFiles, LoadFileToBufAllocatesButFailsWhenTheFileCannotBeOpened)
{
    // A socket is an entry that exists but cannot be opened, whoever runs the test.
    TempDir dir;
    const std::string path = dir.File("socket");
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    path.copy(address.sun_path, path.size());
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

    char* buf = nullptr;
    EXPECT_EQ(nuv::LoadFileToBuf(path, buf, 8), -1);
    ::close(fd);
    std::unique_ptr<char[]> owned(buf);
    EXPECT_NE(buf, nullptr);
}

TEST(NuvFiles, LoadFileToBufDoesNotWaitForAPipeWriter)
{
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    char* buf = nullptr;
    EXPECT_EQ(nuv::LoadFileToBuf(dir.File("pipe"), buf, 8), 0);
    std::unique_ptr<char[]> owned(buf);
}

TEST(NuvFiles, GetFileListKeepsTheFolderPartOfTheMaskAndAppends)
{
    TempDir dir;
    WriteFile(dir.File("a.txt"), "a");
    WriteFile(dir.File("b.txt"), "b");
    WriteFile(dir.File("c.csv"), "c");
    WriteFile(dir.File(".hidden.txt"), "h");
    std::filesystem::create_directory(dir.Path() / "d.txt");

    std::vector<std::string> list { "kept" };
    nuv::GetFileList(list, dir.File("*.txt"), 0);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list.front(), "kept");
    EXPECT_EQ(
        Sorted({ list[1], list[2] }), (std::vector<std::string> { dir.File("a.txt"), dir.File("b.txt") }));

    std::vector<std::string> none;
    nuv::GetFileList(none, dir.File("*.none"), nuv::faAnyFile);
    EXPECT_TRUE(none.empty());
}

TEST(NuvFiles, GetFileListWithoutFolderPartGivesBareNames)
{
    TempDir dir;
    WriteFile(dir.File("a.txt"), "a");
    WriteFile(dir.File("b.csv"), "b");
    WorkingFolder inside(dir.Path());

    std::vector<std::string> list;
    nuv::GetFileList(list, "*.txt", 0);
    EXPECT_EQ(list, std::vector<std::string> { "a.txt" });
}

TEST(NuvFiles, GetFileListHiddenSystemAndDirectoryEntriesOnlyWhenAsked)
{
    TempDir dir;
    WriteFile(dir.File("plain"), "p");
    WriteFile(dir.File("readonly"), "r");
    ::chmod(dir.File("readonly").c_str(), 0444);
    WriteFile(dir.File(".dot"), "h");
    std::filesystem::create_directory(dir.Path() / "sub");
    std::filesystem::create_directory(dir.Path() / ".git");
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);

    struct Case {
        int attr;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        { 0, { "plain", "readonly" } },
        { nuv::faReadOnly | nuv::faArchive, { "plain", "readonly" } },
        { nuv::faHidden, { ".dot", "plain", "readonly" } },
        { nuv::faSysFile, { "pipe", "plain", "readonly" } },
        { nuv::faDirectory, { ".", "..", "plain", "readonly", "sub" } },
        { nuv::faDirectory | nuv::faHidden, { ".", "..", ".dot", ".git", "plain", "readonly", "sub" } },
        { nuv::faAnyFile, { ".", "..", ".dot", ".git", "pipe", "plain", "readonly", "sub" } },
    };
    for (const Case& c : cases) {
        std::vector<std::string> list;
        nuv::GetFileList(list, dir.File("*"), c.attr);
        std::vector<std::string> expected;
        for (const std::string& name : c.names)
            expected.push_back(dir.File(name));
        EXPECT_EQ(Sorted(list), Sorted(expected)) << "attr " << c.attr;
    }
}

TEST(NuvFiles, GetEntryAttributesMapsTheEntryKind)
{
    TempDir dir;
    WriteFile(dir.File("plain"), "p");
    WriteFile(dir.File("readonly"), "r");
    ::chmod(dir.File("readonly").c_str(), 0444);
    WriteFile(dir.File(".dot"), "h");

    EXPECT_EQ(nuv::GetEntryAttributes(dir.File("plain")), nuv::faArchive);
    EXPECT_EQ(nuv::GetEntryAttributes(dir.File("readonly")), nuv::faArchive | nuv::faReadOnly);
    EXPECT_EQ(nuv::GetEntryAttributes(dir.File(".dot")), nuv::faArchive | nuv::faHidden);
    EXPECT_EQ(nuv::GetEntryAttributes(dir.Folder()), nuv::faDirectory);
    EXPECT_EQ(nuv::GetEntryAttributes(dir.File("..")), nuv::faDirectory);
}

// "?" and "*" are ordinary characters of Linux names: a path naming a file reads
// that file, and only a path naming nothing is taken as a pattern.
TEST(NuvFiles, APathNamingAFileIsNoPatternEvenWithWildcardCharacters)
{
    TempDir dir;
    for (const auto& [name, bytes] : { std::pair { "a?.dat", "0123456789" }, { "ab.dat", "x" },
             { "*.log", "1234" }, { "b.log", "12345678" } })
        WriteFile(dir.File(name), bytes);

    EXPECT_EQ(nuv::GetFileSize(dir.File("a?.dat")), 10);
    EXPECT_EQ(nuv::GetFileSize(dir.File("*.log")), 4);
    EXPECT_EQ(nuv::GetFileSize(dir.File("a*.none")), -1);
    char* buf = nullptr;
    ASSERT_EQ(nuv::LoadFileToBuf(dir.File("a?.dat"), buf, -1), 10);
    std::unique_ptr<char[]> owned(buf);
    EXPECT_EQ(std::string(buf, 10), "0123456789");
}

TEST(NuvFiles, GetFileListTakesTheFolderPartLiterally)
{
    TempDir dir;
    std::filesystem::create_directory(dir.Path() / "d?");
    std::filesystem::create_directory(dir.Path() / "dx");
    WriteFile(dir.File("d?/in.txt"), "1");
    WriteFile(dir.File("dx/out.txt"), "2");

    std::vector<std::string> list;
    nuv::GetFileList(list, dir.File("d?/*.txt"), 0);
    EXPECT_EQ(list, std::vector<std::string> { dir.File("d?/in.txt") });
    list.clear();
    nuv::GetFileList(list, dir.File("d*/*.txt"), 0);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(nuv::GetFileSize(dir.File("d*/out.txt")), -1);
}

TEST(NuvFiles, ReadWholeFileReadsRegularFilesOnlyAndNeverWaits)
{
    TempDir dir;
    WriteFile(dir.File("data"), std::string("ab\0cd", 5));
    std::filesystem::create_directory(dir.Path() / "folder");
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0);
    const int socket = BindSocket(dir.File("socket"));
    ASSERT_GE(socket, 0);

    struct Case {
        std::string name;
        std::int64_t limit;
        nuv::FileRead result;
        std::string bytes;
    };
    const Case cases[] = {
        { "data", -1, nuv::FileRead::Done, std::string("ab\0cd", 5) },
        { "data", 2, nuv::FileRead::Done, "ab" },
        { "missing", -1, nuv::FileRead::Missing, "" },
        { "data/below", -1, nuv::FileRead::Missing, "" },
        { "folder", -1, nuv::FileRead::NotAFile, "" },
        { "pipe", -1, nuv::FileRead::NotAFile, "" },
        { "socket", -1, nuv::FileRead::CannotOpen, "" },
    };
    for (const Case& c : cases) {
        std::string bytes = "stale";
        EXPECT_EQ(nuv::ReadWholeFile(dir.File(c.name), bytes, c.limit), c.result) << c.name;
        EXPECT_EQ(bytes, c.bytes) << c.name;
    }
    ::close(socket);
}

TEST(NuvFiles, ReplaceFileFollowsLinksAndLeavesNothingBeside)
{
    namespace fs = std::filesystem;
    TempDir dir;
    fs::create_directory(dir.Path() / "kept");
    WriteFile(dir.File("kept/real.cfg"), "old content, longer than the new");
    ::chmod(dir.File("kept/real.cfg").c_str(), 0640);
    fs::create_symlink("kept/real.cfg", dir.Path() / "relative.cfg");
    fs::create_symlink(dir.File("relative.cfg"), dir.Path() / "chained.cfg");
    fs::create_symlink("kept/new.cfg", dir.Path() / "dangling.cfg");

    ASSERT_TRUE(nuv::ReplaceFile(dir.File("chained.cfg"), "new"));
    EXPECT_EQ(ReadFile(dir.File("kept/real.cfg")), "new");
    EXPECT_EQ(fs::status(dir.File("kept/real.cfg")).permissions(),
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(nuv::ReplaceFile(dir.File("dangling.cfg"), "made"));
    EXPECT_EQ(ReadFile(dir.File("kept/new.cfg")), "made");
    for (const char* link : { "relative.cfg", "chained.cfg", "dangling.cfg" })
        EXPECT_TRUE(fs::is_symlink(dir.Path() / link)) << link;
    EXPECT_EQ(FolderEntries(dir.Path() / "kept"), (std::vector<std::string> { "new.cfg", "real.cfg" }));
}

TEST(NuvFiles, ReplaceFileRefusesReadOnlyFilesAndFolders)
{
    TempDir dir;
    WriteFile(dir.File("locked.cfg"), "kept");
    ::chmod(dir.File("locked.cfg").c_str(), 0444);
    std::filesystem::create_directory(dir.Path() / "folder");

    for (const char* name : { "locked.cfg", "folder", "gone/x.cfg" }) {
        nuv::FileReplacer file(dir.File(name));
        EXPECT_FALSE(file.IsOpen()) << name;
        EXPECT_FALSE(file.Write("new", 3)) << name;
        EXPECT_FALSE(file.Commit()) << name;
    }
    EXPECT_EQ(ReadFile(dir.File("locked.cfg")), "kept");
    EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string> { "folder", "locked.cfg" }));
}

TEST(NuvFiles, ReplacerWithoutCommitLeavesTheTargetAsItWas)
{
    TempDir dir;
    WriteFile(dir.File("Stocks.dat"), "old");
    {
        nuv::FileReplacer file(dir.File("Stocks.dat"));
        ASSERT_TRUE(file.IsOpen());
        ASSERT_TRUE(file.Write("half", 4));
        EXPECT_EQ(ReadFile(dir.File("Stocks.dat")), "old");
    }
    EXPECT_EQ(ReadFile(dir.File("Stocks.dat")), "old");
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string> { "Stocks.dat" });
}

// In a folder the user cannot write no temporary file can be made: a file the
// user may write is then written in place, once the whole content is there.
TEST(NuvFiles, ReplacerWritesInPlaceWhereNoFileCanBeMadeBeside)
{
    TempDir dir;
    const std::filesystem::path folder = dir.Path() / "ro";
    std::filesystem::create_directory(folder);
    const std::string target = (folder / "Stocks.dat").string();
    WriteFile(target, "an older and longer answer");
    ::chmod(target.c_str(), 0666);
    ::chmod(dir.Path().c_str(), 0711);
    ::chmod(folder.c_str(), 0555);

    const std::string answer = testsupport::RunUnprivileged([&] {
        std::string seen;
        {
            nuv::FileReplacer dropped(target);
            if (!dropped.IsOpen() || !dropped.Write("lost", 4))
                return std::string("cannot open");
        }
        seen += ReadFile(target) + "|";
        nuv::FileReplacer file(target);
        const bool wrote = file.IsOpen() && file.Write("new ", 4) && file.Write("answer", 6);
        seen += ReadFile(target) + "|";
        seen += wrote && file.Commit() ? "committed|" : "failed|";
        seen += nuv::ReplaceFile((folder / "other.dat").string(), "x") ? "created" : "not created";
        return seen;
    });
    ::chmod(folder.c_str(), 0755);

    EXPECT_EQ(answer, "an older and longer answer|an older and longer answer|committed|not created");
    EXPECT_EQ(ReadFile(target), "new answer");
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string> { "Stocks.dat" });
}

// However the disk fills (no inode for the temporary file, no room for its
// bytes, a quota), the target ends whole: the old content or the new one.
TEST(NuvFiles, AFullDiskLeavesTheTargetWholeOldOrNew)
{
    const std::string oldList = "sh600000\r\nsz000001\r\n";
    const std::string newList = std::string(40'000, 'x'); // larger than the old list
    struct Case {
        const char* name;
        testsupport::FullDisk disk;
        bool saved;
        int error;
    } const cases[] = {
        { "room for everything", { false, SIZE_MAX, ENOSPC, 0 }, true, 0 },
        { "temporary file cut short", { false, 36'864, ENOSPC, 0 }, false, ENOSPC },
        { "quota reached", { false, 8'192, EDQUOT, 0 }, false, EDQUOT },
        { "no inode, room reserved", { true, SIZE_MAX, ENOSPC, 0 }, true, 0 },
        { "no inode, no room", { true, SIZE_MAX, ENOSPC, ENOSPC }, false, ENOSPC },
        { "no inode, no reservation, too little held", { true, SIZE_MAX, ENOSPC, EOPNOTSUPP }, false,
            EOPNOTSUPP },
    };
    for (Case c : cases) {
        TempDir dir;
        const std::string target = dir.File("Stocks.cfg");
        WriteFile(target, oldList);
        const testsupport::InstalledWriteCalls installed(c.disk.Calls());
        errno = 0;
        const bool saved = nuv::ReplaceFile(target, newList);
        const int error = errno;
        EXPECT_EQ(saved, c.saved) << c.name;
        if (!c.saved) {
            EXPECT_EQ(error, c.error) << c.name;
            EXPECT_EQ(nuv::IsDiskFull(error), error != EOPNOTSUPP) << c.name;
        }
        EXPECT_EQ(ReadFile(target), c.saved ? newList : oldList) << c.name;
        EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string> { "Stocks.cfg" }) << c.name;
    }
}

// Where the file system cannot reserve, the blocks the file already holds are
// enough for a content no larger than the old one.
TEST(NuvFiles, InPlaceWithoutReservationFitsIntoTheFilesOwnBlocks)
{
    TempDir dir;
    const std::string target = dir.File("Stocks.dat");
    WriteFile(target, std::string(10'000, 'o'));
    testsupport::FullDisk disk { true, SIZE_MAX, ENOSPC, EOPNOTSUPP };
    const testsupport::InstalledWriteCalls installed(disk.Calls());
    ASSERT_TRUE(nuv::ReplaceFile(target, "shorter"));
    EXPECT_EQ(ReadFile(target), "shorter");
}

TEST(NuvFiles, StaleTemporaryFilesOfEndedRunsAreRemoved)
{
    TempDir dir;
    const std::string target = dir.File("Stocks.dat");
    WriteFile(target, "answer");
    // A process id that is surely gone: a child that has ended and been reaped.
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ::waitpid(gone, nullptr, 0);
    const std::string dead = std::to_string(gone);
    const std::string alive = std::to_string(::getppid());
    for (const std::string& name : { "Stocks.dat." + dead + "-0.tmp", "Stocks.dat." + dead + "-17.tmp",
             "Stocks.dat." + alive + "-0.tmp", "Stocks.cfg." + dead + "-0.tmp", "Stocks.dat." + dead + ".tmp",
             "Stocks.dat.x" + dead + "-0.tmp", std::string("notes.txt") })
        WriteFile(dir.File(name), "partial");

    EXPECT_EQ(nuv::RemoveStaleTemporaryFiles(target), 2);
    EXPECT_EQ(FolderEntries(dir.Path()),
        Sorted({ "Stocks.cfg." + dead + "-0.tmp", "Stocks.dat", "Stocks.dat." + alive + "-0.tmp",
            "Stocks.dat." + dead + ".tmp", "Stocks.dat.x" + dead + "-0.tmp", std::string("notes.txt") }));
}
