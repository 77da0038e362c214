// The program's command line: what each argument list asks for, and the
// program itself answering without a display.
#include "CommandLine.h"
#include "QelvoVersion.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

CommandLine Read(std::vector<const char*> arguments)
{
    arguments.insert(arguments.begin(), "qelvo");
    return ReadCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

} // namespace

TEST(CommandLine, OurOptionsAnswerQtsPassAndOthersAreRefused)
{
    using enum CommandLineRequest;
    struct Case {
        std::vector<const char*> arguments;
        CommandLineRequest request;
        const char* unknown;
    };
    const Case cases[] = {
        { {}, StartWidget, "" }, { { "--version" }, PrintVersion, "" }, { { "--help" }, PrintHelp, "" },
        { { "-h" }, PrintHelp, "" }, { { "-platform", "offscreen" }, StartWidget, "" },
        { { "--platform", "xcb", "-display", ":1", "-style=fusion", "-reverse" }, StartWidget, "" },
        { { "-platform", "--bogus" }, StartWidget, "" }, // the value of -platform, as Qt reads it
        { { "Stocks.cfg" }, StartWidget, "" }, // not an option: ignored
        { { "--bogus", "-x" }, UnknownOption, "--bogus" }, // the first one is named
        { { "-version" }, UnknownOption, "-version" },
        { { "--bogus", "--version" }, PrintVersion, "" }, // an answer wins over a refusal
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.arguments));
        const CommandLine line = Read(c.arguments);
        EXPECT_EQ(line.request, c.request);
        EXPECT_EQ(line.unknownOption, c.unknown);
    }
}

// The built program, started without any display: it must answer and end
// before it makes its application object.
TEST(CommandLine, TheProgramAnswersWithoutADisplay)
{
    testsupport::TempDir dir;
    struct Case {
        const char* arguments;
        int status;
        std::string out;
        std::string errStart;
    };
    const Case cases[] = {
        { "--version", 0, std::string("qelvo ") + QelvoVersion + "\n", "" },
        { "-platform offscreen --version", 0, std::string("qelvo ") + QelvoVersion + "\n", "" },
        { "--help", 0, "Usage: qelvo", "" },
        { "--bogus", 2, "", "qelvo: unknown option --bogus\n\nUsage: qelvo" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const std::string command = std::string("env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ")
            + QELVO_PROGRAM + " " + c.arguments + " >" + dir.File("out") + " 2>" + dir.File("err");
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), c.status);
        const std::string out = testsupport::ReadFile(dir.File("out"));
        const std::string err = testsupport::ReadFile(dir.File("err"));
        EXPECT_EQ(out.substr(0, c.out.size()), c.out);
        EXPECT_EQ(out.empty(), c.out.empty());
        EXPECT_EQ(err.substr(0, c.errStart.size()), c.errStart);
        EXPECT_EQ(err.empty(), c.errStart.empty());
    }
}
