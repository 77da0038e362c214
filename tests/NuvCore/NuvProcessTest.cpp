#include "NuvProcess.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>

using testsupport::TempDir;
using testsupport::WriteFile;

extern char** environ;

namespace {

// A running copy of sleep under a name of the test's choosing, stopped at the end.
class NamedSleeper {
public:
    NamedSleeper(const TempDir& dir, const std::string& name)
    {
        const std::string program = dir.File(name);
        if (!std::filesystem::exists(program))
            std::filesystem::copy_file("/bin/sleep", program);
        char* argv[] = { const_cast<char*>(program.c_str()), const_cast<char*>("30"), nullptr };
        if (posix_spawn(&pid_, program.c_str(), nullptr, nullptr, argv, environ) != 0)
            pid_ = 0;
        // posix_spawn returns once the new program runs, so /proc names it.
    }
    ~NamedSleeper()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    std::uint32_t Pid() const { return static_cast<std::uint32_t>(pid_); }

private:
    pid_t pid_ = 0;
};

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

} // namespace

TEST(GetProcessID, FindsTheProgramByItsExactFileNameOnly)
{
    TempDir dir;
    // Longer than the 15 bytes the kernel keeps of a name, however short the process id
    // (a fresh container hands out ids of two or three digits).
    const std::string name = "QelvoLongSleeper" + std::to_string(::getpid());
    NamedSleeper sleeper(dir, name);
    ASSERT_NE(sleeper.Pid(), 0u);

    EXPECT_EQ(nuv::GetProcessID(name), sleeper.Pid());
    EXPECT_EQ(nuv::GetProcessID(Upper(name)), 0u) << "letter case counts";
    EXPECT_EQ(nuv::GetProcessID(name.substr(0, 15)), 0u) << "a cut name is another name";
    EXPECT_EQ(nuv::GetProcessID(dir.File(name)), 0u) << "the bare file name, not the path";
    EXPECT_EQ(nuv::GetProcessID(""), 0u);
}

TEST(GetProcessID, AnswersTheLowestIdOfSeveral)
{
    TempDir dir;
    const std::string name = "QelvoTwin" + std::to_string(::getpid());
    NamedSleeper first(dir, name);
    NamedSleeper second(dir, name);
    ASSERT_NE(first.Pid(), 0u);
    ASSERT_NE(second.Pid(), 0u);
    EXPECT_EQ(nuv::GetProcessID(name), std::min(first.Pid(), second.Pid()));
}

TEST(RegComServer, CallsTheEntryPointByNameAndIgnoresItsAnswer)
{
    TempDir dir;
    WriteFile(dir.File("text.so"), "not a library\n");
    ::unsetenv("QELVO_REGISTER_CALLED");

    // The module has only the registration entry point, and it answers failure.
    EXPECT_TRUE(nuv::RegComServer(QELVO_REG_MODULE, true));
    EXPECT_STREQ(std::getenv("QELVO_REGISTER_CALLED"), "yes");
    EXPECT_FALSE(nuv::RegComServer(QELVO_REG_MODULE, false));

    EXPECT_FALSE(nuv::RegComServer(dir.File("text.so"), true));
    EXPECT_FALSE(nuv::RegComServer(dir.File("missing.so"), true));
}
