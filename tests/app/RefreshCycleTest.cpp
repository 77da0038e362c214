// The refresh cycle end to end, all on the calling thread: code list file,
// request, quote file, records.
#include "LoopbackWeb.h"
#include "StockDataClient.h"
#include "StockRefresh.h"
#include "Stockcodeconfig.h"
#include "Stockdate.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using fakes::FakeServices;
using fakes::Fault;
using fakes::LoopbackWeb;

namespace {

class RefreshCycleTest : public ::testing::Test {
protected:
    RefreshCycleTest()
    {
        services.SetDelay(std::chrono::milliseconds(10000));
        cycle.OnRefilled = [this] { ++refills; };
    }

    void WriteCodes(const std::string& text) { testsupport::WriteFile(codeFile, text); }

    // The paths of the quote requests the service saw, in order.
    std::vector<std::string> QuoteRequests() const
    {
        std::vector<std::string> paths;
        for (const auto& request : services.Requests())
            if (request.path.starts_with("/list="))
                paths.push_back(request.path);
        return paths;
    }

    std::vector<std::string> Codes() const
    {
        std::vector<std::string> codes;
        for (int i = 0; i < set.Count(); ++i)
            codes.push_back(set.Items(i)->Code);
        return codes;
    }

    FakeServices services;
    LoopbackWeb web { services };
    testsupport::TempDir dir;
    std::string codeFile = dir.File("Stocks.cfg");
    std::string quoteFile = dir.File("Stocks.dat");
    TStockCodeConfig codeList { codeFile };
    TStockDataSet set { quoteFile };
    TStockRefreshCycle cycle { set, codeList };
    int refills = 0;
};

const std::string OldAnswer
    = "var hq_str_sh600000=\"\xC6\xD6\xB7\xA2\xD2\xF8\xD0\xD0,7.850,7.840,7.870,7.900,"
      "7.820,7.860,7.870,25384617,199713446.000,2026-12-08,15:00:00,00,\";\n";

} // namespace

TEST_F(RefreshCycleTest, RequestCarriesTheCodesOfTheListFile)
{
    struct Case {
        const char* file; // nullptr: no Stocks.cfg
        std::string path;
    };
    const Case cases[] = {
        { "sh600000\r\nsz000001\r\n", "/list=sh600000,sz000001" },
        { "sz000001\nsh600000", "/list=sz000001,sh600000" },
        { "sh600000 \r\n", "/list=\"sh600000 \"" },
        { nullptr, "/list=" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        std::filesystem::remove(codeFile);
        if (c.file)
            WriteCodes(c.file);
        services.ClearRequests();
        ASSERT_TRUE(cycle.Run());
        EXPECT_EQ(QuoteRequests(), std::vector<std::string> { c.path });
        EXPECT_TRUE(web.reports.empty());
    }
}

TEST_F(RefreshCycleTest, FreshQuotesReplaceTheOldOnesInFileOrder)
{
    testsupport::WriteFile(quoteFile, OldAnswer);
    WriteCodes("sz000001\r\nsh999999\r\nsh600519\r\n");
    services.SetUnknownCode("sh999999");
    ASSERT_TRUE(cycle.Run());
    EXPECT_EQ(testsupport::ReadFile(quoteFile), services.LastQuoteAnswer());
    EXPECT_EQ(Codes(), (std::vector<std::string> { "000001", "600519" }));
    EXPECT_EQ(set.Items(0)->Name, "\xC6\xBD\xB0\xB2\xD2\xF8\xD0\xD0"); // 平安银行, GBK as sent

    // The prices move from one cycle to the next.
    const std::string firstPrice = set.Items(0)->Price;
    ASSERT_TRUE(cycle.Run());
    ASSERT_EQ(set.Count(), 2);
    EXPECT_NE(set.Items(0)->Price, firstPrice);
}

TEST_F(RefreshCycleTest, AFailedDownloadKeepsTheOldFileAndIsReportedOnce)
{
    const Fault faults[] = { Fault::Refused, Fault::Delay, Fault::Redirect302, Fault::NotFound404,
        Fault::ServerError500, Fault::TruncatedBody, Fault::OversizedBody, Fault::ConnectionReset };
    WriteCodes("sh600000\r\n");
    for (const Fault fault : faults) {
        SCOPED_TRACE(static_cast<int>(fault));
        testsupport::WriteFile(quoteFile, OldAnswer);
        services.ClearFaults();
        services.SetFault("/list=*", fault);
        web.reports.clear();
        const auto started = std::chrono::steady_clock::now();
        ASSERT_TRUE(cycle.Run());
        // A hung service holds the cycle no longer than the time-outs (1.5 s here).
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(5000));
        EXPECT_EQ(testsupport::ReadFile(quoteFile), OldAnswer);
        EXPECT_EQ(
            web.reports, std::vector<std::string> { "Error downloading URL: " + QuoteListUrl + "sh600000" });
        EXPECT_EQ(Codes(), std::vector<std::string> { "600000" }); // the old quotes are shown
    }
}

TEST_F(RefreshCycleTest, WithoutConnectionTheOldQuotesStaySilently)
{
    testsupport::WriteFile(quoteFile, OldAnswer);
    WriteCodes("sz000001\r\n");
    services.SetFault("/", Fault::Refused);
    ASSERT_TRUE(cycle.Run());
    EXPECT_TRUE(QuoteRequests().empty());
    EXPECT_TRUE(web.reports.empty());
    EXPECT_EQ(Codes(), std::vector<std::string> { "600000" });
}

TEST_F(RefreshCycleTest, WithoutQuoteFileAndConnectionTheSetIsEmpty)
{
    testsupport::WriteFile(quoteFile, OldAnswer);
    set.LoadQuoteFile();
    ASSERT_EQ(set.Count(), 1);
    std::filesystem::remove(quoteFile);
    WriteCodes("sh600000\r\n");
    services.SetFault("/", Fault::Refused);
    ASSERT_TRUE(cycle.Run());
    EXPECT_EQ(set.Count(), 0);
    EXPECT_EQ(set.StockCodes, std::vector<std::string> { "sh600000" });
    EXPECT_TRUE(web.reports.empty());
}

TEST_F(RefreshCycleTest, ACycleWhileAReportIsOpenIsSkippedAndCorruptsNothing)
{
    testsupport::WriteFile(quoteFile, OldAnswer);
    WriteCodes("sh600000\r\n");
    services.SetFault("/list=*", Fault::ServerError500);
    std::vector<bool> nestedRan;
    web.onReport = [&] { nestedRan.push_back(cycle.Run()); };
    ASSERT_TRUE(cycle.Run());
    EXPECT_EQ(nestedRan, std::vector<bool> { false });
    EXPECT_EQ(web.reports.size(), 1u);
    EXPECT_EQ(QuoteRequests().size(), 1u);
    EXPECT_EQ(Codes(), std::vector<std::string> { "600000" });

    // Once the report is closed the next tick runs normally.
    web.onReport = nullptr;
    services.ClearFaults();
    EXPECT_TRUE(cycle.Run());
    EXPECT_EQ(testsupport::ReadFile(quoteFile), services.LastQuoteAnswer());
}

TEST_F(RefreshCycleTest, AParseErrorIsReportedTheSetStaysAndTheNextCycleStillRuns)
{
    web.windowShowing = false; // keep the broken file
    WriteCodes("sh600000\r\n");
    testsupport::WriteFile(quoteFile, OldAnswer);
    ASSERT_TRUE(cycle.Run());
    ASSERT_EQ(refills, 1);
    testsupport::WriteFile(quoteFile, "var hq_str_sh600000=\"name,1.0,abc,3.0,4,5,6,7,8,9,10,11,12,13,\";");
    ASSERT_TRUE(cycle.Run());
    EXPECT_EQ(web.reports, std::vector<std::string> { "'abc' is not a valid floating point value" });
    EXPECT_EQ(refills, 1) << "the list is not refilled";
    EXPECT_EQ(Codes(), std::vector<std::string> { "600000" }) << "the last good records stay";
    EXPECT_FALSE(cycle.Running());
    web.windowShowing = true;
    EXPECT_TRUE(cycle.Run());
    EXPECT_EQ(Codes(), std::vector<std::string> { "600000" });
    EXPECT_EQ(refills, 2);
}

TEST_F(RefreshCycleTest, WithoutAWindowShowingNothingGoesOnTheNetwork)
{
    web.windowShowing = false;
    testsupport::WriteFile(quoteFile, OldAnswer);
    WriteCodes("sz000001\r\n");
    ASSERT_TRUE(cycle.Run());
    EXPECT_EQ(services.RequestCount(), 0u) << "not even the connectivity test";
    EXPECT_EQ(Codes(), std::vector<std::string> { "600000" });
    EXPECT_EQ(refills, 1);
}

TEST_F(RefreshCycleTest, TheSetsOwnRefreshAsksThroughItsClientOrOnlyRereadsTheFile)
{
    testsupport::WriteFile(quoteFile, OldAnswer);
    set.StockCodes = { "sz000001" };
    set.Refresh(); // no client: nothing is asked, the earlier answer is read
    EXPECT_TRUE(QuoteRequests().empty());
    EXPECT_EQ(Codes(), std::vector<std::string> { "600000" });

    TStockDataClient client;
    set.Client = &client;
    set.Clear();
    set.Refresh();
    EXPECT_EQ(QuoteRequests(), std::vector<std::string> { "/list=sz000001" });
    EXPECT_EQ(testsupport::ReadFile(quoteFile), services.LastQuoteAnswer());
    EXPECT_EQ(Codes(), std::vector<std::string> { "000001" });
}
