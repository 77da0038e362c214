#include "NuvProcess.h"

#include "TempDir.h"
#include "Unprivileged.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

extern char** environ;

namespace {

// A child process of the test, killed and reaped at the end.
class Child {
public:
    Child() = default;
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    ~Child()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    std::uint32_t Pid() const { return static_cast<std::uint32_t>(pid_); }

protected:
    pid_t pid_ = 0;
};

// A running copy of sleep under a name of the test's choosing.
class NamedSleeper : public Child {
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

namespace {

// A process that names itself `name` but runs another executable (this test
// program): a decoy, kept by root, so that an ordinary user cannot read its
// executable.
class Decoy : public Child {
public:
    explicit Decoy(const std::string& name)
    {
        int ready[2];
        if (::pipe(ready) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::prctl(PR_SET_NAME, name.c_str());
            ::close(ready[0]);
            ::close(ready[1]); // named now
            for (;;)
                ::pause();
        }
        ::close(ready[1]);
        char byte;
        while (::read(ready[0], &byte, 1) < 0 && errno == EINTR) { }
        ::close(ready[0]);
    }
};

// `program` run by the ordinary user 65534.
class UserSleeper : public Child {
public:
    explicit UserSleeper(const std::string& program)
    {
        pid_ = ::fork();
        if (pid_ == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(2);
            ::execl(program.c_str(), program.c_str(), "30", nullptr);
            ::_exit(3);
        }
        // Until the child has started the program.
        const std::string exe = "/proc/" + std::to_string(pid_) + "/exe";
        const std::string name = std::filesystem::path(program).filename();
        std::error_code error;
        for (int i = 0; i < 400 && std::filesystem::read_symlink(exe, error).filename() != name; ++i)
            ::usleep(5000);
    }
};

} // namespace

// A process may name itself anything; only its executable counts. The decoy
// starts first, so it would win by its lower id if its names counted.
TEST(GetProcessID, ADecoyNamedLikeTheProgramIsNeverTaken)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to start a process another user cannot inspect";
    TempDir dir;
    const std::string name = "QDecoy" + std::to_string(::getpid() % 100000); // fits the kernel's 15 bytes
    Decoy decoy(name);
    ASSERT_NE(decoy.Pid(), 0u);
    ASSERT_EQ(ReadFile("/proc/" + std::to_string(decoy.Pid()) + "/comm"), name + "\n");

    const auto lookup = [&] { return std::to_string(nuv::GetProcessID(name)); };
    EXPECT_EQ(testsupport::RunUnprivileged(lookup), "0") << "the decoy alone";

    ::chmod(dir.Path().c_str(), 0755);
    std::filesystem::copy_file("/bin/sleep", dir.File(name));
    ::chmod(dir.File(name).c_str(), 0755);
    UserSleeper real(dir.File(name));

    EXPECT_EQ(testsupport::RunUnprivileged(lookup), std::to_string(real.Pid())) << "the user's own program";
    EXPECT_EQ(nuv::GetProcessID(name), real.Pid()) << "root sees what the decoy really runs";
}
