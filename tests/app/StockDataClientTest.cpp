// The quote client and the identity constants against the loopback services.
#include "StockDataClient.h"
#include "Durora.h"
#include "FullDisk.h"
#include "LoopbackWeb.h"
#include "Stockdate.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using fakes::FakeServices;
using fakes::Fault;
using fakes::LoopbackWeb;

namespace {

class StockDataClientTest : public ::testing::Test {
protected:
    FakeServices services;
    LoopbackWeb web { services };
    testsupport::TempDir dir;
    std::string quoteFile = dir.File("Stocks.dat");
    TStockDataClient client;
};

} // namespace

TEST(Durora, DefaultBuildNamesNoMakerSiteAndProbesTheQuoteService)
{
    if (MakerSiteConfigured())
        GTEST_SKIP() << "built with a maker's site";
    EXPECT_EQ(HomePageUrl, "");
    EXPECT_EQ(NewsUrl, "");
    EXPECT_EQ(UpdateUrl, "");
    EXPECT_EQ(ConnectivityProbeUrl(), "http://hq.sinajs.cn/");
    EXPECT_TRUE(QuoteListUrl.starts_with(ConnectivityProbeUrl())); // the probe goes where quotes come from
    EXPECT_EQ(ProductId, "tavrel");
    EXPECT_EQ(ProductVersion, "2010-03-23");
}

TEST(Durora, MakerAddressesHangOffOneSite)
{
    if (!MakerSiteConfigured())
        GTEST_SKIP() << "built without a maker's site";
    EXPECT_EQ(ConnectivityProbeUrl(), HomePageUrl);
    EXPECT_TRUE(HomePageUrl.ends_with("/") && !HomePageUrl.ends_with("//"));
    EXPECT_EQ(NewsUrl, HomePageUrl + "news.php");
    EXPECT_EQ(UpdateUrl, HomePageUrl + "ver.php");
}

TEST_F(StockDataClientTest, DownloadProbesThenFetchesWithTheFinanceReferer)
{
    client.Download(QuoteListUrl + "sh600000", quoteFile);
    EXPECT_EQ(testsupport::ReadFile(quoteFile), services.LastQuoteAnswer());
    EXPECT_TRUE(web.reports.empty());

    const auto requests = services.Requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].method, "HEAD");
    EXPECT_EQ(requests[0].path, "/");
    EXPECT_EQ(requests[1].path, "/list=sh600000");
    EXPECT_EQ(requests[1].referer, QuoteReferer);
    // A build without a maker's site talks to the quote service only.
    if (!MakerSiteConfigured()) {
        for (const auto& request : requests)
            EXPECT_EQ(request.host, "hq.sinajs.cn");
    }
}

TEST_F(StockDataClientTest, WithoutConnectionNothingIsRequestedOrReported)
{
    testsupport::WriteFile(quoteFile, "old");
    services.SetFault("/", Fault::Refused);
    client.Download(QuoteListUrl + "sh600000", quoteFile);
    ASSERT_EQ(services.RequestCount(), 1u); // the probe only
    EXPECT_EQ(services.Requests()[0].path, "/");
    EXPECT_TRUE(web.reports.empty());
    EXPECT_EQ(testsupport::ReadFile(quoteFile), "old");
}

TEST_F(StockDataClientTest, WhileNoWindowShowsOnlyTheProbeRuns)
{
    web.windowShowing = false;
    client.Download(QuoteListUrl + "sh600000", quoteFile);
    for (const auto& request : services.Requests())
        EXPECT_FALSE(request.path.starts_with("/list="));
    EXPECT_TRUE(web.reports.empty());
    EXPECT_FALSE(std::filesystem::exists(quoteFile));
}

// A failed download is reported once; the report quotes a few hundred
// characters of the address at most and says when the disk is full. The
// quote file stays whole in every case.
TEST_F(StockDataClientTest, AFailedDownloadIsReportedWithAShortAddressAndWhy)
{
    const std::string shortUrl = QuoteListUrl + "sh600000";
    std::string longUrl = QuoteListUrl + "sh600000";
    while (longUrl.size() < 1'000'000)
        longUrl += ",sz000002";
    struct Case {
        const char* what;
        const std::string& url;
        Fault fault;
        testsupport::FullDisk disk;
        std::string report;
    } const cases[] = {
        { "not found", shortUrl, Fault::NotFound404, {}, "Error downloading URL: " + shortUrl },
        { "a 1 MB address", longUrl, Fault::NotFound404, {},
            "Error downloading URL: " + longUrl.substr(0, 200) + "..." },
        { "disk full while writing", shortUrl, Fault::None, { false, 100 },
            "Error downloading URL: " + shortUrl + " (the disk is full)" },
        { "no inode and no room", shortUrl, Fault::None, { true, SIZE_MAX, ENOSPC, ENOSPC },
            "Error downloading URL: " + shortUrl + " (the disk is full)" },
        { "no inode, room reserved", shortUrl, Fault::None, { true }, "" },
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::WriteFile(quoteFile, "old");
        services.ClearFaults();
        services.SetFault("/list=*", c.fault);
        web.reports.clear();
        {
            const testsupport::InstalledWriteCalls installed(c.disk.Calls());
            client.Download(c.url, quoteFile);
        }
        if (c.report.empty()) {
            EXPECT_TRUE(web.reports.empty());
            EXPECT_EQ(testsupport::ReadFile(quoteFile), services.LastQuoteAnswer());
        } else {
            EXPECT_EQ(web.reports, std::vector<std::string> { c.report });
            EXPECT_EQ(testsupport::ReadFile(quoteFile), "old");
        }
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
    }
}
