// The program itself on a real X server with openbox and trayer
// (qelvo_add_x11_test ... WM tray), used as a person uses it: the executable
// in a folder of its own with a code list, its quotes from the loopback fake
// services this test runs, driven with xdotool and looked at with xprop and
// xwininfo. Closing its window ends it, a second start shows the first and
// ends, its first quotes come as soon as its window shows, and an answer that
// is no quote answer leaves the quote file as it was.
#include "FakeServices.h"
#include "TempDir.h"
#include "WaitUntil.h"
#include "X11Windows.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include <signal.h>

using fakes::FakeServices;
using testsupport::RunTool;
using testsupport::WaitUntil;
using testsupport::Xdotool;

namespace {

const QString Title = QStringLiteral("Qelvo桌面股票");
const std::string CodeList = "sh000001\r\nsz000001\r\n";

// One start of the program: its own executable in dir (so the files it keeps
// beside itself are dir's), its requests going to the fake services.
class Program {
public:
    Program(const testsupport::TempDir& dir, const FakeServices& services)
    {
        const std::filesystem::path program = dir.Path() / "qelvo";
        if (!std::filesystem::exists(program)) {
            std::error_code linked;
            std::filesystem::create_hard_link(QELVO_PROGRAM, program, linked);
            if (linked)
                std::filesystem::copy_file(QELVO_PROGRAM, program);
        }
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("http_proxy"), QString::fromStdString(services.BaseUrl() + "/"));
        process.setProcessEnvironment(environment);
        process.setProgram(QString::fromStdString(program.string()));
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start();
        process.waitForStarted(5000);
    }

    ~Program()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    // Its windows on screen under the program's title (the main window, a report).
    QStringList Windows() const
    {
        QStringList titled;
        const QStringList all = RunTool(QStringLiteral("xdotool"),
            { QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                QString::number(process.processId()) })
                                    .split(u'\n', Qt::SkipEmptyParts);
        for (const QString& id : all)
            if (testsupport::XProp(id.toULongLong(), QStringLiteral("_NET_WM_NAME"))
                    .endsWith(u'"' + Title + u'"'))
                titled << id;
        return titled;
    }

    // The main window once it is on screen, or 0.
    WId MainWindow() const
    {
        WaitUntil([&] { return !Windows().isEmpty(); }, 10000);
        const QStringList windows = Windows();
        return windows.isEmpty() ? 0 : windows.first().toULongLong();
    }

    // Whether it ended by itself within the time, with status 0.
    bool EndsWell(int milliseconds = 5000)
    {
        WaitUntil([&] { return process.state() == QProcess::NotRunning; }, milliseconds);
        return process.state() == QProcess::NotRunning && process.exitStatus() == QProcess::NormalExit
            && process.exitCode() == 0;
    }

    QProcess process;
};

QString WindowTree()
{
    return RunTool(QStringLiteral("xwininfo"), { QStringLiteral("-root"), QStringLiteral("-tree") });
}

// The program's icons in the notification area: windows of its class inside
// trayer's panel.
int TrayIcons()
{
    const QStringList tree = WindowTree().split(u'\n');
    const auto indent = [](const QString& line) { return line.size() - line.trimmed().size(); };
    int icons = 0;
    qsizetype panel = -1;
    for (const QString& line : tree) {
        if (line.contains(QStringLiteral("(\"panel\" \"trayer\")")))
            panel = indent(line);
        else if (panel >= 0 && !line.trimmed().isEmpty() && indent(line) <= panel)
            panel = -1;
        else if (panel >= 0 && line.contains(QStringLiteral("\"qelvo\": (\"qelvo\" \"qelvo\")")))
            ++icons;
    }
    return icons;
}

std::size_t QuoteRequests(const FakeServices& services)
{
    std::size_t count = 0;
    for (const auto& request : services.Requests())
        count += request.path.starts_with("/list=") ? 1 : 0;
    return count;
}

QRect Geometry(WId window)
{
    const QString shell = RunTool(QStringLiteral("xdotool"),
        { QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), QString::number(window) });
    auto value = [&](const char* key) {
        const QRegularExpression line(
            QStringLiteral("^%1=(\\d+)$").arg(QLatin1String(key)), QRegularExpression::MultilineOption);
        return line.match(shell).captured(1).toInt();
    };
    return { value("X"), value("Y"), value("WIDTH"), value("HEIGHT") };
}

class ProgramX11 : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(testsupport::XProp(0, QStringLiteral("_NET_SUPPORTING_WM_CHECK")).contains(u'#'))
            << "run with a window manager";
        testsupport::WriteFile(dir.File("Stocks.cfg"), CodeList);
    }

    FakeServices services;
    testsupport::TempDir dir;
};

TEST_F(ProgramX11, ClosingTheWindowEndsTheProgramHoweverItIsClosed)
{
    struct Row {
        const char* how;
        std::function<void(WId)> close;
    };
    const Row rows[] = {
        { "Alt+F4",
            [](WId w) {
                Xdotool({ QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(w),
                    QStringLiteral("key"), QStringLiteral("alt+F4") });
            } },
        { "the frame's system menu",
            [](WId w) {
                // A right click on the caption opens the skinned system menu
                // at the pointer; its last item is "Close".
                const QRect frame = Geometry(w);
                const QPoint at = frame.topLeft() + QPoint(100, 10);
                Xdotool({ QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                    QStringLiteral("click"), QStringLiteral("3") });
                QTest::qWait(500);
                const QString top = RunTool(
                    QStringLiteral("xwininfo"), { QStringLiteral("-root"), QStringLiteral("-children") });
                const QRegularExpression menu(QStringLiteral(
                    "\"qelvo\": \\(\"qelvo\" \"qelvo\"\\)\\s+(\\d+)x(\\d+)\\+(\\d+)\\+(\\d+)"));
                const QRegularExpressionMatch found = menu.match(top);
                ASSERT_TRUE(found.hasMatch()) << top.toStdString();
                const QPoint close(found.captured(3).toInt() + 30,
                    found.captured(4).toInt() + found.captured(2).toInt() - 10);
                Xdotool({ QStringLiteral("mousemove"), QString::number(close.x()), QString::number(close.y()),
                    QStringLiteral("sleep"), QStringLiteral("0.3"), QStringLiteral("click"),
                    QStringLiteral("1") });
            } },
        { "a taskbar", [](WId w) { testsupport::CloseLikeATaskbar(w); } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        Program program(dir, services);
        const WId window = program.MainWindow();
        ASSERT_NE(window, 0u);
        ASSERT_TRUE(WaitUntil([] { return TrayIcons() == 1; })) << WindowTree().toStdString();
        row.close(window);
        EXPECT_TRUE(program.EndsWell());
        EXPECT_EQ(TrayIcons(), 0);
    }
}

TEST_F(ProgramX11, ASecondStartShowsTheFirstAndEndsAndACrashedRunBlocksNothing)
{
    Program first(dir, services);
    const WId window = first.MainWindow();
    ASSERT_NE(window, 0u);
    ASSERT_TRUE(WaitUntil([] { return TrayIcons() == 1; }));
    // The manager may still be taking the new window over: ask until it minimizes.
    const auto minimized
        = [&] { return testsupport::WindowState(window).contains(QStringLiteral("_NET_WM_STATE_HIDDEN")); };
    for (int attempt = 0; attempt < 5 && !minimized(); ++attempt) {
        Xdotool({ QStringLiteral("windowminimize"), QString::number(window) });
        WaitUntil(minimized, 1000);
    }
    ASSERT_TRUE(minimized());
    const std::string codes = testsupport::ReadFile(dir.File("Stocks.cfg"));

    {
        Program second(dir, services);
        EXPECT_TRUE(second.EndsWell(3000));
    }
    EXPECT_TRUE(WaitUntil([&] { return !minimized(); })) << "the first one's window shows again";
    EXPECT_EQ(TrayIcons(), 1);
    EXPECT_EQ(testsupport::ReadFile(dir.File("Stocks.cfg")), codes);

    // A run that crashed leaves its lock file; the next start runs all the same.
    ::kill(static_cast<pid_t>(first.process.processId()), SIGKILL);
    first.process.waitForFinished(5000);
    Program after(dir, services);
    EXPECT_NE(after.MainWindow(), 0u);
    EXPECT_TRUE(WaitUntil([] { return TrayIcons() == 1; }));
}

TEST_F(ProgramX11, TheFirstQuotesAreAskedForAsSoonAsTheWindowShows)
{
    Program program(dir, services);
    ASSERT_NE(program.MainWindow(), 0u);
    QDeadlineTimer soon(3000);
    EXPECT_TRUE(WaitUntil([&] { return QuoteRequests(services) >= 1; }, 3000));
    EXPECT_FALSE(soon.hasExpired());
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(dir.File("Stocks.dat")); }));
    EXPECT_EQ(testsupport::ReadFile(dir.File("Stocks.dat")), services.LastQuoteAnswer());
    testsupport::SaveScreen(QStringLiteral("program-first-quotes.png"), Geometry(program.MainWindow()));
}

TEST_F(ProgramX11, AnAnswerThatIsNoQuoteAnswerLeavesTheQuoteFileAndShowsOneReport)
{
    struct Row {
        const char* what;
        std::string answer;
    };
    const Row rows[] = {
        { "a record of five fields",
            "var hq_str_sh000001=\"\xC9\xCF\xD6\xA4,3000.1,2990.2,3001.3,3010.4\";\n" },
        { "an empty answer", "" },
    };
    const std::string good = "var hq_str_sh000001=\"\xC9\xCF\xD6\xA4\xD6\xB8\xCA\xFD,3000.10,2990.20,3001.30,"
                             "3010.40,2980.50,0,0,100,200,2026-12-08,15:00:00,00,\";\n";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        testsupport::WriteFile(dir.File("Stocks.dat"), good);
        services.SetQuoteAnswer(row.answer);
        services.ClearRequests();
        Program program(dir, services);
        ASSERT_NE(program.MainWindow(), 0u);
        ASSERT_TRUE(WaitUntil([&] { return QuoteRequests(services) >= 1; })) << WindowTree().toStdString();
        // The report: a second window of the program under its title.
        EXPECT_TRUE(WaitUntil([&] { return program.Windows().size() == 2; }));
        QTest::qWait(300);
        EXPECT_EQ(program.Windows().size(), 2);
        EXPECT_EQ(testsupport::ReadFile(dir.File("Stocks.dat")), good);
    }
}

} // namespace
