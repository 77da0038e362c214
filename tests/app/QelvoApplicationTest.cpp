// The application object: errors escaping an event handler reach the error
// report and the program goes on; the choice of X11 on a Wayland session.
#include "QelvoApplication.h"
#include "ErrorReport.h"
#include "Exception.h"

#include <QCoreApplication>
#include <QEvent>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <optional>

namespace {

class Thrower : public QObject {
public:
    std::function<void()> action;
    int events = 0;

protected:
    bool event(QEvent* e) override
    {
        if (e->type() != QEvent::User)
            return QObject::event(e);
        ++events;
        action();
        return true;
    }
};

TEST(QelvoApplication, AnErrorEscapingAHandlerIsReportedAndTheProgramGoesOn)
{
    int argc = 1;
    char name[] = "qelvo";
    char* argv[] = { name, nullptr };
    TQelvoApplication app(argc, argv);
    std::vector<std::string> reports;
    const auto old = SetErrorReportHandler([&](const std::string& m) { reports.push_back(m); });

    struct Case {
        const char* what;
        std::function<void()> action;
        std::string report;
    };
    const Case cases[] = {
        { "error object", [] { throw EFOpenError("Cannot open file x"); }, "Cannot open file x" },
        { "standard exception", [] { throw std::runtime_error("bad"); }, "bad" },
        { "no error object", [] { throw 42; }, "" },
    };
    Thrower target;
    for (const Case& c : cases) {
        reports.clear();
        target.action = c.action;
        QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
        QCoreApplication::processEvents();
        EXPECT_EQ(reports, std::vector<std::string> { c.report }) << c.what;
    }
    // Still delivering events afterwards.
    target.action = [] {};
    QCoreApplication::postEvent(&target, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    EXPECT_EQ(target.events, 4);
    EXPECT_TRUE(reports.size() == 1);
    SetErrorReportHandler(old);
}

// The entry routine: an error that escapes the start-up is reported once, with
// the application object still there to show it, and the program's status
// says it failed; a run that ends normally gives the loop's status.
TEST(QelvoApplication, AStartUpThatThrowsIsReportedOnceAndEndsWithAFailure)
{
    int argc = 1;
    char name[] = "qelvo";
    char* argv[] = { name, nullptr };
    std::vector<std::string> reports;
    bool appAlive = false;
    const auto record = [&](const std::string& message) {
        reports.push_back(message);
        appAlive = QCoreApplication::instance() != nullptr;
    };
    const auto old = SetErrorReportHandler(record);

    const int failed = RunEntryRoutine(argc, argv, [&](TQelvoApplication&) -> int {
        SetErrorReportHandler(record); // in place of the message box the set-up installed
        throw EFOpenError("Cannot open file Stocks.cfg");
    });
    EXPECT_NE(failed, 0);
    EXPECT_EQ(reports, std::vector<std::string> { "Cannot open file Stocks.cfg" });
    EXPECT_TRUE(appAlive);
    EXPECT_EQ(QCoreApplication::instance(), nullptr);

    reports.clear();
    EXPECT_EQ(RunEntryRoutine(argc, argv, [&](TQelvoApplication&) { return 0; }), 0);
    EXPECT_TRUE(reports.empty());
    SetErrorReportHandler(old);
}

TEST(QelvoApplication, X11IsChosenOnAWaylandSessionOnlyWhenTheUserChoseNothing)
{
    struct Case {
        const char* platform;
        const char* wayland;
        const char* display;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        { nullptr, "wayland-0", ":0", "xcb" }, { "wayland", "wayland-0", ":0", "wayland" },
        { nullptr, "wayland-0", nullptr, std::nullopt }, // no X11 to go to
        { nullptr, nullptr, ":0", std::nullopt }, // an X11 session already
    };
    auto set = [](const char* name, const char* value) {
        if (value)
            ::setenv(name, value, 1);
        else
            ::unsetenv(name);
    };
    const std::string saved = std::getenv("QT_QPA_PLATFORM") ? std::getenv("QT_QPA_PLATFORM") : "";
    for (const Case& c : cases) {
        set("QT_QPA_PLATFORM", c.platform);
        set("WAYLAND_DISPLAY", c.wayland);
        set("DISPLAY", c.display);
        PreferX11OnWayland();
        const char* now = std::getenv("QT_QPA_PLATFORM");
        EXPECT_EQ(now ? std::optional<std::string>(now) : std::nullopt, c.expected)
            << (c.platform ? c.platform : "-") << " " << (c.wayland ? c.wayland : "-") << " "
            << (c.display ? c.display : "-");
    }
    set("WAYLAND_DISPLAY", nullptr);
    set("DISPLAY", nullptr);
    set("QT_QPA_PLATFORM", saved.empty() ? nullptr : saved.c_str());
}

} // namespace
