#include "Stockcodeconfig.h"
#include "Exception.h"
#include "FullDisk.h"
#include "NuvBase.h"
#include "ProgramFolder.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;
using List = std::vector<std::string>;

namespace {

std::vector<std::string> FolderEntries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

struct LoadCase {
    const char* what;
    std::string bytes;
    List entries;
};

} // namespace

TEST(StockCodeConfig, LoadsEntriesByTheLineRules)
{
    const LoadCase cases[] = {
        { "LF", "sh600000\nsz000002\n", { "sh600000", "sz000002" } },
        { "CR LF", "sh600000\r\nsz000002\r\n", { "sh600000", "sz000002" } },
        { "lone CR", "sh600000\rsz000002\r", { "sh600000", "sz000002" } },
        { "mixed endings", "a\nb\r\nc\rd", { "a", "b", "c", "d" } },
        { "last line without ending", "sh600000\r\nsz000002", { "sh600000", "sz000002" } },
        { "empty line in the middle", "a\r\n\r\nb\r\n", { "a", "", "b" } },
        { "only a line ending", "\r\n", { "" } },
        { "LF then CR are two endings", "a\n\rb", { "a", "", "b" } },
        { "blanks kept", " sh600000 \r\n\tsz000002\r\n", { " sh600000 ", "\tsz000002" } },
        { "NUL ends the text", std::string("a\r\nb\0c\r\nd\r\n", 11), { "a", "b" } },
        { "empty file", "", {} },
        { "GBK bytes verbatim", "\xC6\xD6\xB7\xA2\r\n", { "\xC6\xD6\xB7\xA2" } },
        { "UTF-8 byte-order mark", "\xEF\xBB\xBFsh600000\r\n", { "sh600000" } },
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        WriteFile(dir.File("Stocks.cfg"), c.bytes);
        List list = { "left over" };
        TStockCodeConfig(dir.File("Stocks.cfg")).Load(list);
        EXPECT_EQ(list, c.entries);
    }
}

// Files far beyond any code list are refused whole, before they cost memory:
// the list keeps what it held, and the message names the file and the bound.
TEST(StockCodeConfig, FilesBeyondTheBoundsAreRefusedAndTheListStays)
{
    const std::string code = "sh600000\r\n";
    struct Case {
        const char* what;
        std::string bytes;
        const char* message; // empty: loads
    } const cases[] = {
        { "largest file", std::string(MaxCodeListBytes, '\n'), "holds more than 100000 codes" },
        { "one byte too many", std::string(MaxCodeListBytes + 1, 's'),
            "too large for a list of stock codes" },
        { "a 50 MB line", std::string(50 << 20, '6'), "too large for a list of stock codes" },
        { "most entries", std::string(MaxCodeListEntries, '\n'), "" },
        { "one entry too many", std::string(MaxCodeListEntries + 1, '\n'), "holds more than 100000 codes" },
        { "longest entry", std::string(MaxCodeEntryBytes, 'x') + "\r\n", "" },
        { "entry too long", code + std::string(MaxCodeEntryBytes + 1, 'x'), "Line 2 of " },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        WriteFile(dir.File("Stocks.cfg"), c.bytes);
        List list = { "sh600000" };
        std::string message;
        try {
            TStockCodeConfig(dir.File("Stocks.cfg")).Load(list);
        } catch (const EReadError& e) {
            message = e.Message();
        }
        if (*c.message == 0) {
            EXPECT_EQ(message, "");
            EXPECT_NE(list, List { "sh600000" });
        } else {
            EXPECT_NE(message.find(c.message), std::string::npos) << message;
            EXPECT_NE(message.find(dir.File("Stocks.cfg")), std::string::npos) << message;
            EXPECT_EQ(list, List { "sh600000" });
        }
    }
}

TEST(StockCodeConfig, SaveRefusesWhatLoadWouldRefuseAndWritesNothing)
{
    TempDir dir;
    const std::string path = dir.File("Stocks.cfg");
    WriteFile(path, "sh600000\r\n");
    for (const List& list : { List { "sz000002", std::string(MaxCodeEntryBytes + 1, 'x') },
             List(MaxCodeListEntries + 1, "sz000002") }) {
        EXPECT_THROW(TStockCodeConfig(path).Save(list), EReadError);
        EXPECT_EQ(ReadFile(path), "sh600000\r\n");
    }
}

TEST(StockCodeConfig, SavesEveryEntryWithCrLfAndLoadsItBack)
{
    const std::pair<List, std::string> cases[] = {
        { { "sh600000", "sz000002" }, "sh600000\r\nsz000002\r\n" },
        { {}, "" },
        { { "a", "", " b " }, "a\r\n\r\n b \r\n" },
        { { "" }, "\r\n" },
    };
    for (const auto& [list, bytes] : cases) {
        TempDir dir;
        const TStockCodeConfig config(dir.File("Stocks.cfg"));
        WriteFile(dir.File("Stocks.cfg"), "an older and much longer content\r\n");
        config.Save(list);
        EXPECT_EQ(ReadFile(dir.File("Stocks.cfg")), bytes);
        List loaded = { "x" };
        config.Load(loaded);
        EXPECT_EQ(loaded, list);
        EXPECT_EQ(FolderEntries(dir.Path()), List { "Stocks.cfg" });
    }
}

TEST(StockCodeConfig, MissingFileLeavesTheListAsItWas)
{
    TempDir dir;
    List list = { "sh600000", "sz000002" };
    TStockCodeConfig(dir.File("Stocks.cfg")).Load(list);
    EXPECT_EQ(list, (List { "sh600000", "sz000002" }));
}

TEST(StockCodeConfig, EntryThatIsNoReadableFileRaisesCannotOpen)
{
    TempDir dir;
    fs::create_directory(dir.File("folder"));
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0600), 0); // must not block either
    for (const std::string& path : { dir.File("folder"), dir.File("pipe") }) {
        List list = { "kept" };
        try {
            TStockCodeConfig(path).Load(list);
            ADD_FAILURE() << "no error raised for " << path;
        } catch (const EFOpenError& e) {
            EXPECT_EQ(e.Message(), "Cannot open file " + path);
        }
        EXPECT_EQ(list, List { "kept" });
    }
}

// The message is GBK program text; the file name in it is the UTF-8 name
// converted (用户 is D3C3 BBA7 in GBK).
TEST(StockCodeConfig, MessagesCarryTheFileNameAsGbk)
{
    TempDir dir;
    const std::string folder = dir.File("用户");
    fs::create_directory(folder);
    const std::string gbkFolder = dir.Folder() + "\xD3\xC3\xBB\xA7";
    try {
        List list;
        TStockCodeConfig(folder).Load(list);
        ADD_FAILURE() << "no error raised";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file " + gbkFolder);
    }
    try {
        TStockCodeConfig(folder + "/gone/Stocks.cfg").Save({ "sh600000" });
        ADD_FAILURE() << "no error raised";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file " + gbkFolder + "/gone/Stocks.cfg");
    }
}

TEST(StockCodeConfig, SaveIntoMissingFolderRaisesCannotCreate)
{
    TempDir dir;
    const std::string path = dir.File("gone/Stocks.cfg");
    try {
        TStockCodeConfig(path).Save({ "sh600000" });
        FAIL() << "no error raised";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file " + path);
    }
}

// A save that cannot write must leave the old list intact: the user's codes are
// the only thing the program stores.
TEST(StockCodeConfig, SaveIntoReadOnlyFolderKeepsTheOldFile)
{
    TempDir dir;
    const fs::path folder = dir.Path() / "ro";
    fs::create_directory(folder);
    const std::string path = (folder / "Stocks.cfg").string();
    const std::string old = "sh600000\r\nsz000002\r\n";
    WriteFile(path, old);
    ::chmod(dir.Path().c_str(), 0711);
    ::chmod(folder.c_str(), 0555);

    // Root may write anywhere, so the save runs in a child that gives that up.
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipeEnds[0]);
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(2);
        std::string outcome = "saved";
        try {
            TStockCodeConfig(path).Save({ "sh601398" });
        } catch (const EFCreateError& e) {
            outcome = e.Message();
        }
        if (::write(pipeEnds[1], outcome.data(), outcome.size()) < 0)
            ::_exit(3);
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string outcome;
    char chunk[512];
    for (ssize_t got; (got = ::read(pipeEnds[0], chunk, sizeof chunk)) > 0;)
        outcome.append(chunk, static_cast<size_t>(got));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ::chmod(folder.c_str(), 0755);

    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
    EXPECT_EQ(outcome, "Cannot create file " + path);
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_EQ(FolderEntries(folder), List { "Stocks.cfg" });
}

// A write that fails half-way (a full disk) must not cut the old file either.
TEST(StockCodeConfig, FailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile)
{
    TempDir dir;
    const std::string path = dir.File("Stocks.cfg");
    const std::string old = "sh600000\r\n";
    WriteFile(path, old);
    const List longList(200, "sz000002");

    rlimit saved;
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit tiny = saved;
    tiny.rlim_cur = 64; // writes past 64 bytes fail with EFBIG
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    bool raised = false;
    try {
        TStockCodeConfig(path).Save(longList);
    } catch (const EFCreateError& e) {
        raised = e.Message() == "Cannot create file " + path;
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(raised);
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_EQ(FolderEntries(dir.Path()), List { "Stocks.cfg" });
}

// A full disk, also where no temporary file can be made (no free inode): the
// old list stays whole and the message says why.
TEST(StockCodeConfig, AFullDiskKeepsTheOldListAndSaysSo)
{
    const List longList(5000, "sz000002"); // 50,000 bytes, more than the disk has left
    for (const bool noInodes : { false, true }) {
        SCOPED_TRACE(noInodes ? "no inode" : "no room");
        TempDir dir;
        const std::string path = dir.File("Stocks.cfg");
        const std::string old = "sh600000\r\n";
        WriteFile(path, old);
        testsupport::FullDisk disk { noInodes, 36'864, ENOSPC, noInodes ? ENOSPC : 0 };
        const testsupport::InstalledWriteCalls installed(disk.Calls());
        std::string message;
        try {
            TStockCodeConfig(path).Save(longList);
        } catch (const EFCreateError& e) {
            message = e.Message();
        }
        EXPECT_EQ(message, "Cannot create file " + path + " (the disk is full)");
        EXPECT_EQ(ReadFile(path), old);
        EXPECT_EQ(FolderEntries(dir.Path()), List { "Stocks.cfg" });
    }
}

// A Stocks.cfg the user made read-only keeps its list, whoever runs the program.
TEST(StockCodeConfig, SaveOverAReadOnlyFileRaisesCannotCreate)
{
    TempDir dir;
    const std::string path = dir.File("Stocks.cfg");
    WriteFile(path, "sh600000\r\n");
    ::chmod(path.c_str(), 0444);
    try {
        TStockCodeConfig(path).Save({ "sz000002" });
        ADD_FAILURE() << "no error raised";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), "Cannot create file " + path);
    }
    EXPECT_EQ(ReadFile(path), "sh600000\r\n");
    EXPECT_EQ(FolderEntries(dir.Path()), List { "Stocks.cfg" });
}

TEST(StockCodeConfig, SaveKeepsTheFilePermissions)
{
    TempDir dir;
    const std::string path = dir.File("Stocks.cfg");
    WriteFile(path, "sh600000\r\n");
    ::chmod(path.c_str(), 0640);
    TStockCodeConfig(path).Save({ "sz000002" });
    struct stat info;
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

// A Stocks.cfg that is a link to a file kept elsewhere stays a link; the save
// reaches the file it names.
TEST(StockCodeConfig, SaveThroughALinkUpdatesTheLinkedFile)
{
    TempDir dir;
    fs::create_directory(dir.Path() / "kept");
    const std::string target = dir.File("kept/codes.cfg");
    WriteFile(target, "sh600000\r\n");
    fs::create_symlink(target, dir.Path() / "Stocks.cfg");

    TStockCodeConfig(dir.File("Stocks.cfg")).Save({ "sz000002" });
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "Stocks.cfg"));
    EXPECT_EQ(ReadFile(target), "sz000002\r\n");
    EXPECT_EQ(FolderEntries(dir.Path() / "kept"), List { "codes.cfg" });
}

TEST(StockCodeConfig, DefaultFileIsStocksCfgInTheProgramFolder)
{
    EXPECT_EQ(StockCodeFileName, ProgramDataFolder() + "Stocks.cfg");
    EXPECT_EQ(TStockCodeConfig().FileName(), StockCodeFileName);
}
