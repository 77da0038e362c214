#include "NuvLog.h"

#include "TempDir.h"
#include "TestClock.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <clocale>
#include <cstdlib>
#include <ctime>

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

std::tm Moment()
{
    std::tm when {};
    when.tm_year = 2008 - 1900;
    when.tm_mon = 2;
    when.tm_mday = 21;
    when.tm_hour = 14;
    when.tm_min = 5;
    when.tm_sec = 9;
    return when;
}

// The log's bytes with every digit shown as "9", so entries stamped with the
// current time compare exactly (C locale: "%x" is mm/dd/yy, "%X" hh:mm:ss).
std::string DigitsMasked(std::string bytes)
{
    std::replace_if(
        bytes.begin(), bytes.end(), [](unsigned char c) { return std::isdigit(c) != 0; }, '9');
    return bytes;
}

const std::string TimeLine = "\r\ntime: 99/99/99 99:99:99\r\n";

} // namespace

TEST(NuvLog, EntryBytesFollowTheLogLayout)
{
    EXPECT_EQ(nuv::BuildLogEntry(Moment(), "Quote", "line 1\nline 2"),
        "\r\ntime: 03/21/08 14:05:09\r\nfrom: Quote\r\nmessage: line 1\nline 2\r\n");
    EXPECT_EQ(nuv::BuildLogEntry(Moment(), "", ""), "\r\ntime: 03/21/08 14:05:09\r\nfrom: \r\nmessage: \r\n");
}

TEST(NuvLog, TwoCallsCreateTheLogAndAppendTwoEntries)
{
    TempDir dir;
    const std::string log = dir.File("debug_log.txt");
    nuv::WriteLogTo(log, "Main", "first");
    nuv::WriteLogTo(log, "", "second");

    EXPECT_EQ(DigitsMasked(ReadFile(log)),
        TimeLine + "from: Main\r\nmessage: first\r\n" + TimeLine + "from: \r\nmessage: second\r\n");
}

TEST(NuvLog, KeepsWhatTheLogAlreadyHolds)
{
    TempDir dir;
    const std::string log = dir.File("debug_log.txt");
    WriteFile(log, "old");
    nuv::WriteLogTo(log, "a", "b");
    EXPECT_EQ(DigitsMasked(ReadFile(log)), "old" + TimeLine + "from: a\r\nmessage: b\r\n");
}

TEST(NuvLog, EntryIsLostWhileAnotherWriterHoldsTheLog)
{
    TempDir dir;
    const std::string log = dir.File("debug_log.txt");
    WriteFile(log, "held");
    const int holder = ::open(log.c_str(), O_WRONLY);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);

    nuv::WriteLogTo(log, "a", "b");
    EXPECT_EQ(ReadFile(log), "held");

    ::close(holder);
    nuv::WriteLogTo(log, "a", "b");
    EXPECT_NE(ReadFile(log), "held");
}

TEST(NuvLog, UnwritableFolderLosesTheEntryQuietly)
{
    TempDir dir;
    EXPECT_NO_THROW(nuv::WriteLogTo(dir.File("no/such/folder/debug_log.txt"), "a", "b"));
}

// The stamp is digits in one layout whatever the locale says: a Chinese locale
// in GBK would otherwise put its own words ("14时05分09秒") into the log.
TEST(NuvLog, TimeStampIsNumericWhateverTheLocale)
{
    TempDir dir;
    const std::string source = dir.File("time.src");
    WriteFile(source, "LC_TIME\ncopy \"zh_CN\"\nEND LC_TIME\n");
    const std::string build
        = "localedef -c -i '" + source + "' -f GBK '" + dir.File("zh_CN.GBK") + "' >/dev/null 2>&1";
    // localedef answers 1 for the categories it was not given; whether the locale
    // is usable shows when it is set.
    const bool built = std::system(build.c_str()) >= 0;
    const char* oldPath = std::getenv("LOCPATH");
    const std::string savedPath = oldPath ? oldPath : "";
    ::setenv("LOCPATH", dir.Folder().c_str(), 1);
    const std::string savedLocale = std::setlocale(LC_TIME, nullptr);
    const bool haveLocale = built && std::setlocale(LC_TIME, "zh_CN.GBK") != nullptr;

    std::tm later = Moment();
    later.tm_year = 2031 - 1900;
    later.tm_mon = 11;
    later.tm_mday = 5;
    later.tm_hour = 0;
    const std::string entry = nuv::BuildLogEntry(later, "a", "b");
    std::setlocale(LC_TIME, savedLocale.c_str());
    if (oldPath)
        ::setenv("LOCPATH", savedPath.c_str(), 1);
    else
        ::unsetenv("LOCPATH");

    if (!haveLocale)
        GTEST_SKIP() << "no Chinese locale can be made here";
    EXPECT_EQ(entry, "\r\ntime: 12/05/31 00:05:09\r\nfrom: a\r\nmessage: b\r\n");
}

TEST(NuvLog, EntryIsStampedWithTheProgramClockInLocalTime)
{
    const char* oldZone = std::getenv("TZ");
    const std::string savedZone = oldZone ? oldZone : "";
    ::setenv("TZ", "UTC-8", 1); // eight hours east of UTC
    ::tzset();
    // 2008-03-21 06:05:09 UTC
    testsupport::TestClock clock(std::chrono::system_clock::from_time_t(1206079509));

    TempDir dir;
    nuv::WriteLogTo(dir.File("debug_log.txt"), "Quote", "m");
    EXPECT_EQ(
        ReadFile(dir.File("debug_log.txt")), "\r\ntime: 03/21/08 14:05:09\r\nfrom: Quote\r\nmessage: m\r\n");

    if (oldZone)
        ::setenv("TZ", savedZone.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}
