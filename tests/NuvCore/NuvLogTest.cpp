#include "NuvLog.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

std::tm Moment()
{
    std::tm when{};
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
    std::replace_if(bytes.begin(), bytes.end(), [](unsigned char c) { return std::isdigit(c) != 0; }, '9');
    return bytes;
}

const std::string TimeLine = "\r\ntime: 99/99/99 99:99:99\r\n";

}  // namespace

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
