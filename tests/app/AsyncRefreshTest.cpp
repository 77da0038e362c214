// The refresh cycle with its network part on a worker thread, against the
// loopback services, with a running Qt event loop.
#include "AsyncRefresh.h"
#include "LoopbackWeb.h"
#include "Stockcodeconfig.h"
#include "Stockdate.h"
#include "TempDir.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

using fakes::FakeServices;
using fakes::Fault;
using fakes::LoopbackWeb;
using namespace std::chrono_literals;

namespace {

const std::string OldAnswer
    = "var hq_str_sh600000=\"\xC6\xD6\xB7\xA2\xD2\xF8\xD0\xD0,7.850,7.840,7.870,7.900,"
      "7.820,7.860,7.870,25384617,199713446.000,2026-12-08,15:00:00,00,\";\n";

void RunEventLoopFor(std::chrono::milliseconds time)
{
    QDeadlineTimer deadline(time);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

class AsyncRefreshTest : public ::testing::Test {
protected:
    AsyncRefreshTest()
    {
        services.SetDelay(10000ms);
        cycle->OnRefilled = [this] {
            events.push_back("refilled");
            EXPECT_EQ(QThread::currentThread(), qApp->thread());
        };
        web.onReport = [this] {
            events.push_back("report");
            EXPECT_EQ(QThread::currentThread(), qApp->thread());
            if (nestedStarts.empty()) // the quote timer fires while the first report is open
                nestedStarts.push_back(cycle->Start());
        };
    }

    ~AsyncRefreshTest() override
    {
        cycle.reset();
        // No worker may still use the web services when LoopbackWeb swaps them back.
        EXPECT_TRUE(OffThreadCalls::WaitForAllThreads(5000ms));
    }

    // Runs the event loop until the cycle is over.
    bool FinishCycle()
    {
        QDeadlineTimer deadline(10000);
        while (cycle->Running() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return !cycle->Running();
    }

    std::vector<std::string> Codes() const
    {
        std::vector<std::string> codes;
        for (int i = 0; i < set.Count(); ++i)
            codes.push_back(set.Items(i)->Code);
        return codes;
    }

    std::size_t QuoteRequests() const
    {
        std::size_t count = 0;
        for (const auto& request : services.Requests())
            count += request.path.starts_with("/list=") ? 1 : 0;
        return count;
    }

    FakeServices services;
    LoopbackWeb web { services };
    testsupport::TempDir dir;
    std::string quoteFile = dir.File("Stocks.dat");
    TStockCodeConfig codeList { dir.File("Stocks.cfg") };
    TStockDataSet set { quoteFile };
    std::unique_ptr<TAsyncRefreshCycle> cycle = std::make_unique<TAsyncRefreshCycle>(set, codeList);
    std::vector<std::string> events;
    std::vector<bool> nestedStarts;
};

} // namespace

TEST_F(AsyncRefreshTest, FillsTheSetWithTheServicesQuotesFromTheEventLoop)
{
    testsupport::WriteFile(codeList.FileName(), "sz000001\r\nsh600519\r\n");
    std::vector<QThread*> askedOn;
    SetProgramWindowShowingPredicate([&] {
        askedOn.push_back(QThread::currentThread());
        return true;
    });
    ASSERT_TRUE(cycle->Start());
    EXPECT_TRUE(events.empty()); // nothing happens inside Start
    ASSERT_TRUE(FinishCycle());

    EXPECT_EQ(askedOn, std::vector<QThread*> { qApp->thread() });
    EXPECT_EQ(events, std::vector<std::string> { "refilled" });
    EXPECT_EQ(testsupport::ReadFile(quoteFile), services.LastQuoteAnswer());
    EXPECT_EQ(Codes(), (std::vector<std::string> { "000001", "600519" }));
    EXPECT_EQ(set.Items(0)->Name, "\xC6\xBD\xB0\xB2\xD2\xF8\xD0\xD0"); // 平安银行
    EXPECT_EQ(set.Items(1)->Name, "\xB9\xF3\xD6\xDD\xC3\xA9\xCC\xA8"); // 贵州茅台
    EXPECT_EQ(set.StockCodes, (std::vector<std::string> { "sz000001", "sh600519" }));
    EXPECT_TRUE(web.reports.empty());
}

TEST_F(AsyncRefreshTest, AFailedDownloadIsReportedOnceThenTheOldQuotesAreShown)
{
    testsupport::WriteFile(codeList.FileName(), "sh600000\r\n");
    testsupport::WriteFile(quoteFile, OldAnswer);
    services.SetFault("/list=*", Fault::ServerError500);
    ASSERT_TRUE(cycle->Start());
    ASSERT_TRUE(FinishCycle());

    EXPECT_EQ(
        web.reports, std::vector<std::string> { "Error downloading URL: " + QuoteListUrl + "sh600000" });
    EXPECT_EQ(events, (std::vector<std::string> { "report", "refilled" }));
    EXPECT_EQ(nestedStarts, std::vector<bool> { false }); // skipped while the report is open
    EXPECT_EQ(QuoteRequests(), 1u);
    EXPECT_EQ(testsupport::ReadFile(quoteFile), OldAnswer);
    EXPECT_EQ(Codes(), std::vector<std::string> { "600000" });
}

TEST_F(AsyncRefreshTest, ACycleWhileOneWaitsForTheServiceIsSkipped)
{
    testsupport::WriteFile(codeList.FileName(), "sh600000\r\n");
    services.SetDelay(300ms);
    services.SetFault("/list=*", Fault::Delay);
    ASSERT_TRUE(cycle->Start());
    EXPECT_FALSE(cycle->Start());
    ASSERT_TRUE(FinishCycle());
    EXPECT_EQ(QuoteRequests(), 1u);
    EXPECT_EQ(events, std::vector<std::string> { "refilled" });
    EXPECT_TRUE(cycle->Start()); // and the next tick runs again
    ASSERT_TRUE(FinishCycle());
}

TEST_F(AsyncRefreshTest, AHungServiceLeavesTheEventLoopRunningAndDestroyingReturnsAtOnce)
{
    // The real limits: the transfer would wait 20 s for this service.
    const auto access = std::make_shared<CurlWebAccess>();
    InstallUrlDownloader(access);
    InstallConnectivity(access);
    testsupport::WriteFile(codeList.FileName(), "sh600000\r\n");
    testsupport::WriteFile(quoteFile, OldAnswer);
    services.SetDelay(60000ms);
    services.SetFault("/list=*", Fault::Delay);

    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    ASSERT_TRUE(cycle->Start());
    QDeadlineTimer waiting(5000);
    while (QuoteRequests() == 0 && !waiting.hasExpired())
        RunEventLoopFor(20ms);
    ASSERT_EQ(QuoteRequests(), 1u);
    const int ticksBefore = ticks;
    RunEventLoopFor(400ms);
    EXPECT_GT(ticks - ticksBefore, 10);
    EXPECT_TRUE(cycle->Running());

    const auto started = std::chrono::steady_clock::now();
    cycle.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 1000ms);
    // The transfer ends well before its time-out, and nothing is delivered.
    EXPECT_TRUE(OffThreadCalls::WaitForAllThreads(5000ms));
    RunEventLoopFor(50ms);
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(web.reports.empty());
    EXPECT_EQ(testsupport::ReadFile(quoteFile), OldAnswer);
    EXPECT_EQ(
        std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 2); // no temporary file left
    cycle = std::make_unique<TAsyncRefreshCycle>(set, codeList); // for the fixture's end
}

TEST_F(AsyncRefreshTest, AParseErrorIsReportedAndTheListIsNotRefilled)
{
    testsupport::WriteFile(codeList.FileName(), "sh600000\r\n");
    testsupport::WriteFile(quoteFile, "var hq_str_sh600000=\"name,1.0,abc,3.0,4,5,6,7,8,9,10,11,12,13,\";");
    services.SetFault("/", Fault::Refused); // offline: the broken file stays
    ASSERT_TRUE(cycle->Start());
    ASSERT_TRUE(FinishCycle());
    // The cycle runs until its report is dismissed: the tick during that
    // report is skipped, so a failure left alone shows one report.
    EXPECT_EQ(nestedStarts, std::vector<bool> { false });
    EXPECT_EQ(web.reports, std::vector<std::string> { "'abc' is not a valid floating point value" });
    EXPECT_EQ(events, std::vector<std::string> { "report" });
    EXPECT_TRUE(cycle->Start()) << "once dismissed, the next tick runs";
}

TEST_F(AsyncRefreshTest, WithoutAWindowShowingOnlyTheFileIsRead)
{
    web.windowShowing = false;
    testsupport::WriteFile(codeList.FileName(), "sz000001\r\n");
    testsupport::WriteFile(quoteFile, OldAnswer);
    ASSERT_TRUE(cycle->Start());
    EXPECT_TRUE(events.empty());
    ASSERT_TRUE(FinishCycle());
    EXPECT_EQ(services.RequestCount(), 0u);
    EXPECT_EQ(events, std::vector<std::string> { "refilled" });
    EXPECT_EQ(Codes(), std::vector<std::string> { "600000" });
}

// An answer that is no quote answer never replaces the last good one: the
// file stays byte for byte, the set keeps its records, and one report says
// why (and the ticks while it is open are skipped).
TEST_F(AsyncRefreshTest, AnAnswerThatIsNoQuoteAnswerLeavesTheLastGoodQuotes)
{
    struct Row {
        const char* what;
        std::string answer;
        std::string report;
    };
    const Row rows[] = {
        { "a record of five fields", "var hq_str_sh600000=\"\xC6\xD6\xB7\xA2,7.850,7.840,7.870,7.900\";\n",
            "List index out of bounds (6)" },
        { "a price that is no number",
            "var hq_str_sh600000=\"\xC6\xD6\xB7\xA2,7.850,7.840,NaN,7.900,7.820,7.860,7.870,1,2,\";\n",
            "'NaN' is not a valid floating point value" },
        { "an empty answer", "", "The quote service answered nothing" },
        { "line ends only", "\n\n", "The quote service answered nothing" },
    };
    testsupport::WriteFile(codeList.FileName(), "sh600000\r\n");
    ASSERT_TRUE(cycle->Start()); // a good answer first
    ASSERT_TRUE(FinishCycle());
    ASSERT_EQ(Codes(), std::vector<std::string> { "600000" });
    const std::string lastGood = testsupport::ReadFile(quoteFile);
    const std::string price = set.Items(0)->Price;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        services.SetQuoteAnswer(row.answer);
        events.clear();
        web.reports.clear();
        nestedStarts.clear();
        ASSERT_TRUE(cycle->Start());
        ASSERT_TRUE(FinishCycle());
        EXPECT_EQ(web.reports, std::vector<std::string> { row.report });
        EXPECT_EQ(nestedStarts, std::vector<bool> { false });
        EXPECT_EQ(events, std::vector<std::string> { "report" }) << "the set is not refilled";
        EXPECT_EQ(testsupport::ReadFile(quoteFile), lastGood);
        EXPECT_EQ(Codes(), std::vector<std::string> { "600000" });
        EXPECT_EQ(set.Items(0)->Price, price);
    }
    // Without codes nothing is asked for in the answer, and an empty one is taken.
    testsupport::WriteFile(codeList.FileName(), "");
    services.SetQuoteAnswer("");
    web.reports.clear();
    ASSERT_TRUE(cycle->Start());
    ASSERT_TRUE(FinishCycle());
    EXPECT_TRUE(web.reports.empty());
    EXPECT_EQ(testsupport::ReadFile(quoteFile), "");
    EXPECT_EQ(set.Count(), 0);
}

TEST_F(AsyncRefreshTest, ACodeListThatCannotBeReadIsReportedOnceWhileItsReportIsOpen)
{
    std::filesystem::create_directory(codeList.FileName()); // there, but no file to read
    testsupport::WriteFile(quoteFile, OldAnswer);
    EXPECT_TRUE(cycle->Start());
    EXPECT_EQ(web.reports.size(), 1u);
    EXPECT_EQ(nestedStarts, std::vector<bool> { false });
    EXPECT_FALSE(cycle->Running());
    EXPECT_EQ(services.RequestCount(), 0u);
}
