// Blocking calls run off the user-interface thread, results handed back to it.
#include "OffThread.h"
#include "ErrorReport.h"
#include "Exception.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using namespace std::chrono_literals;

namespace {

void RunEventLoopUntil(const std::function<bool()>& done)
{
    QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace

TEST(OffThreadCalls, ResultsAndErrorsComeBackOnTheCallingThread)
{
    OffThreadCalls calls;
    QThread* workedOn = nullptr;
    std::vector<std::string> delivered;
    calls.Start<int>(
        [&](std::stop_token) {
            workedOn = QThread::currentThread();
            return 42;
        },
        [&](int value) {
            EXPECT_EQ(QThread::currentThread(), qApp->thread());
            delivered.push_back("result " + std::to_string(value));
        },
        [&](std::exception_ptr) { delivered.push_back("error"); });
    calls.Start<void>([](std::stop_token) { throw ENetError("no answer"); },
        [&] { delivered.push_back("done"); },
        [&](std::exception_ptr error) {
            EXPECT_EQ(QThread::currentThread(), qApp->thread());
            try {
                std::rethrow_exception(error);
            } catch (const ENetError& e) {
                delivered.push_back("error " + e.Message());
            }
        });
    EXPECT_EQ(calls.Running(), 2);
    EXPECT_TRUE(delivered.empty()); // only through the event loop
    RunEventLoopUntil([&] { return calls.Running() == 0; });
    std::sort(delivered.begin(), delivered.end());
    EXPECT_EQ(delivered, (std::vector<std::string> { "error no answer", "result 42" }));
    EXPECT_NE(workedOn, qApp->thread());
}

TEST(OffThreadCalls, ACallbackThatThrowsEndsInTheErrorReport)
{
    std::vector<std::string> reports;
    SetErrorReportHandler([&](const std::string& message) { reports.push_back(message); });
    OffThreadCalls calls;
    calls.Start<void>([](std::stop_token) {}, [] { throw EListError("List index out of bounds (3)"); }, {});
    RunEventLoopUntil([&] { return calls.Running() == 0; });
    SetErrorReportHandler({});
    EXPECT_EQ(reports, std::vector<std::string> { "List index out of bounds (3)" });
}

TEST(OffThreadCalls, AbandonedCallsAreToldToStopAndTheirResultsDropped)
{
    std::atomic<bool> stopSeen = false;
    int delivered = 0;
    auto calls = std::make_unique<OffThreadCalls>();
    // One that waits until it is told to stop, one that is done but not yet delivered.
    calls->Start<void>(
        [&](std::stop_token stop) {
            for (auto until = std::chrono::steady_clock::now() + 10s; !stop.stop_requested();) {
                if (std::chrono::steady_clock::now() > until)
                    return;
                std::this_thread::sleep_for(1ms);
            }
            stopSeen = true;
        },
        [&] { ++delivered; }, [&](std::exception_ptr) { ++delivered; });
    auto finished = std::make_unique<OffThreadCalls>();
    std::atomic<bool> ran = false;
    finished->Start<void>([&](std::stop_token) { ran = true; }, [&] { ++delivered; }, {});
    while (!ran)
        std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(20ms); // its result is queued now
    finished.reset();

    const auto started = std::chrono::steady_clock::now();
    calls.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 500ms); // does not wait for the worker
    EXPECT_TRUE(OffThreadCalls::WaitForAllThreads(5000ms));
    EXPECT_TRUE(stopSeen);
    QCoreApplication::processEvents();
    EXPECT_EQ(delivered, 0);
}
