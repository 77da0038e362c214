// The libcurl web services against the loopback fake services.
#include "DownLoadURL.h"
#include "Exception.h"
#include "IdHTTP.h"
#include "LoopbackWeb.h"
#include "TempDir.h"
#include "Unprivileged.h"
#include "WebStop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <functional>
#include <stop_token>
#include <thread>

#include <sys/stat.h>

using fakes::FakeServices;
using fakes::Fault;
using fakes::LoopbackWeb;

namespace {

const std::string QuoteUrl = "http://hq.sinajs.cn/list=sh600000,sz000001";
const std::string Referer = "https://finance.sina.com.cn/";

const char* FaultName(Fault fault)
{
    switch (fault) {
    case Fault::None:
        return "none";
    case Fault::Refused:
        return "refused";
    case Fault::Delay:
        return "delay";
    case Fault::Redirect302:
        return "302";
    case Fault::NotFound404:
        return "404";
    case Fault::ServerError500:
        return "500";
    case Fault::TruncatedBody:
        return "truncated";
    case Fault::OversizedBody:
        return "oversized";
    case Fault::ConnectionReset:
        return "reset";
    }
    return "?";
}

const Fault AllFaults[] = { Fault::Refused, Fault::Delay, Fault::Redirect302, Fault::NotFound404,
    Fault::ServerError500, Fault::TruncatedBody, Fault::OversizedBody, Fault::ConnectionReset };

std::size_t FilesIn(const std::filesystem::path& folder)
{
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

class WebAccessTest : public ::testing::Test {
protected:
    WebAccessTest() { services.SetDelay(std::chrono::milliseconds(5000)); }

    FakeServices services;
    LoopbackWeb web { services };
    testsupport::TempDir dir;
    std::string target = dir.File("Stocks.dat");
};

} // namespace

TEST_F(WebAccessTest, DownloadStoresTheBodyByteForByteAndSendsTheReferer)
{
    testsupport::WriteFile(target, "old answer");
    const DownloadOutcome outcome = UrlDownloader()->Download({ QuoteUrl, target, Referer });
    ASSERT_TRUE(outcome.ok) << outcome.detail;
    EXPECT_EQ(testsupport::ReadFile(target), services.LastQuoteAnswer());
    EXPECT_NE(services.LastQuoteAnswer().find("\xC6\xD6\xB7\xA2"), std::string::npos); // GBK name intact
    const auto requests = services.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].host, "hq.sinajs.cn");
    EXPECT_EQ(requests[0].path, "/list=sh600000,sz000001");
    EXPECT_EQ(requests[0].referer, Referer);
    EXPECT_EQ(FilesIn(dir.Path()), 1u); // no temporary file left behind
}

TEST_F(WebAccessTest, DownloadWithoutRefererIsRefusedByTheQuoteService)
{
    EXPECT_FALSE(UrlDownloader()->Download({ QuoteUrl, target, "" }).ok);
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(WebAccessTest, EveryFaultLeavesTheTargetAsItWasAndNoTemporaryFile)
{
    const std::string old = "var hq_str_sh600000=\"old\";\n";
    for (const Fault fault : AllFaults) {
        SCOPED_TRACE(FaultName(fault));
        testsupport::WriteFile(target, old);
        services.ClearFaults();
        services.SetFault("/list=*", fault);
        const auto started = std::chrono::steady_clock::now();
        const DownloadOutcome outcome = UrlDownloader()->Download({ QuoteUrl, target, Referer });
        EXPECT_FALSE(outcome.ok);
        EXPECT_FALSE(outcome.detail.empty());
        EXPECT_EQ(testsupport::ReadFile(target), old);
        EXPECT_EQ(FilesIn(dir.Path()), 1u);
        // Bounded by the total time-out (1.5 s), not by the server's 5 s delay.
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(4000));
    }
}

TEST_F(WebAccessTest, DownloadDoesNotFollowARedirect)
{
    services.SetFault("/list=*", Fault::Redirect302);
    EXPECT_FALSE(UrlDownloader()->Download({ QuoteUrl, target, Referer }).ok);
    EXPECT_EQ(services.RequestCount(), 1u);
}

TEST_F(WebAccessTest, DownloadIntoAMissingFolderFailsCleanly)
{
    const DownloadOutcome outcome
        = UrlDownloader()->Download({ QuoteUrl, dir.File("no/such/Stocks.dat"), Referer });
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(services.RequestCount(), 0u);
}

// Without a temporary file beside it (a folder the user cannot write), a quote
// file the user may write is still refreshed: in place, once the answer is in.
TEST_F(WebAccessTest, DownloadIntoAReadOnlyFolderUpdatesAWritableFileInPlace)
{
    const std::filesystem::path folder = dir.Path() / "ro";
    std::filesystem::create_directory(folder);
    const std::string file = (folder / "Stocks.dat").string();
    testsupport::WriteFile(file, "old answer");
    ::chmod(file.c_str(), 0666);
    ::chmod(dir.Path().c_str(), 0711);
    ::chmod(folder.c_str(), 0555);

    const std::string answer = testsupport::RunUnprivileged([&] {
        const DownloadOutcome outcome = UrlDownloader()->Download({ QuoteUrl, file, Referer });
        return outcome.ok ? std::string("ok") : outcome.detail;
    });
    ::chmod(folder.c_str(), 0755);

    EXPECT_EQ(answer, "ok");
    EXPECT_EQ(testsupport::ReadFile(file), services.LastQuoteAnswer());
    EXPECT_EQ(FilesIn(folder), 1u);
}

TEST_F(WebAccessTest, DownloadToAnUnusedPortFails)
{
    ::unsetenv("http_proxy");
    const std::string url
        = "http://127.0.0.1:" + std::to_string(fakes::UnusedLoopbackPort()) + "/list=sh600000";
    EXPECT_FALSE(UrlDownloader()->Download({ url, target, Referer }).ok);
}

TEST_F(WebAccessTest, GetReturnsTheBodyUnchanged)
{
    for (const std::string body : { "1", "0", "1\r\n", "" }) {
        services.SetVersionAnswer(body);
        EXPECT_EQ(HttpGet()->Get("http://maker.example/ver.php?id=tavrel&&ver=2010-03-23"), body);
    }
    EXPECT_EQ(services.Requests().back().path, "/ver.php?id=tavrel&&ver=2010-03-23");
    EXPECT_EQ(HttpGet()->Get("http://image.sinajs.cn/newchart/daily/n/sh600000.gif"), fakes::ChartGif());
}

TEST_F(WebAccessTest, GetRaisesEveryFailureAndFollowsNoRedirect)
{
    TIdHTTP http;
    for (const Fault fault : AllFaults) {
        SCOPED_TRACE(FaultName(fault));
        services.ClearFaults();
        services.ClearRequests();
        services.SetFault("/ver.php*", fault);
        EXPECT_THROW(http.Get("http://maker.example/ver.php?id=tavrel&&ver=1"), ENetError);
        EXPECT_EQ(services.RequestCount(), 1u);
    }
}

TEST_F(WebAccessTest, GetNamesTheStatusOfAnHttpError)
{
    services.SetFault("/ver.php*", Fault::NotFound404);
    try {
        HttpGet()->Get("http://maker.example/ver.php");
        FAIL() << "no error";
    } catch (const ENetError& error) {
        EXPECT_EQ(error.Message(), "HTTP/1.1 404 Not Found");
    }
}

TEST_F(WebAccessTest, PageFetchGivesBodyAndContentTypeAndAnswersEveryFailure)
{
    const std::string chart = "http://image.sinajs.cn/newchart/daily/n/sh600000.gif";
    const PageAnswer page = PageFetch()->Fetch({ chart, Referer });
    EXPECT_TRUE(page.ok);
    EXPECT_EQ(page.status, 200);
    EXPECT_EQ(page.contentType, "image/gif");
    EXPECT_EQ(page.body, fakes::ChartGif());
    EXPECT_EQ(services.Requests().back().referer, Referer);

    for (const Fault fault : AllFaults) {
        SCOPED_TRACE(FaultName(fault));
        services.ClearFaults();
        services.SetFault("/newchart/*", fault);
        const PageAnswer failed = PageFetch()->Fetch({ chart, "" });
        EXPECT_FALSE(failed.ok);
        EXPECT_EQ(failed.body, ""); // not half a picture
        EXPECT_FALSE(failed.detail.empty());
    }
}

TEST_F(WebAccessTest, CancelledPageFetchGivesUpWithoutWaitingForTheServer)
{
    services.SetFault("/newchart/*", Fault::Delay);
    std::stop_source stop;
    stop.request_stop();
    const WebStopScope scope(stop.get_token());
    const PageAnswer answer
        = PageFetch()->Fetch({ "http://image.sinajs.cn/newchart/min/n/sh600000.gif", "" });
    EXPECT_FALSE(answer.ok);
    EXPECT_EQ(answer.detail, "cancelled");
}

TEST_F(WebAccessTest, ConnectivityThroughTheProxyAsksTheHost)
{
    EXPECT_TRUE(Connectivity()->Check("http://maker.example/"));
    services.SetFault("/", Fault::Refused, "maker.example");
    EXPECT_FALSE(Connectivity()->Check("http://maker.example/"));
    EXPECT_TRUE(Connectivity()->Check("http://hq.sinajs.cn/"));
    services.SetFault("/", Fault::Delay, "hq.sinajs.cn");
    EXPECT_FALSE(Connectivity()->Check("http://hq.sinajs.cn/"));
    EXPECT_FALSE(Connectivity()->Check("no address"));
}

TEST_F(WebAccessTest, ConnectivityWithoutProxyConnectsToTheHostItself)
{
    ::unsetenv("http_proxy");
    EXPECT_TRUE(Connectivity()->Check(services.BaseUrl() + "/"));
    EXPECT_EQ(services.RequestCount(), 0u); // a connection, no request
    EXPECT_FALSE(
        Connectivity()->Check("http://127.0.0.1:" + std::to_string(fakes::UnusedLoopbackPort()) + "/"));
}

TEST_F(WebAccessTest, ConnectivityThroughADeadProxyIsFalse)
{
    ::setenv("http_proxy", ("http://127.0.0.1:" + std::to_string(fakes::UnusedLoopbackPort())).c_str(), 1);
    EXPECT_FALSE(Connectivity()->Check("http://hq.sinajs.cn/"));
}

TEST_F(WebAccessTest, DownloadActionRunsOnlyWhileAWindowShowsAndReportsFailuresOnce)
{
    TDownLoadURL action;
    action.URL = QuoteUrl;
    action.Filename = target;
    action.Referer = Referer;

    web.windowShowing = false;
    EXPECT_FALSE(action.Execute());
    EXPECT_EQ(services.RequestCount(), 0u);
    EXPECT_TRUE(web.reports.empty());

    web.windowShowing = true;
    EXPECT_TRUE(action.Execute());
    EXPECT_TRUE(web.reports.empty());

    services.SetFault("/list=*", Fault::ServerError500);
    EXPECT_FALSE(action.Execute());
    EXPECT_EQ(web.reports, std::vector<std::string> { "Error downloading URL: " + QuoteUrl });
}

TEST(WebStop, AStopFromAnotherThreadEndsEveryKindOfTransferAtOnce)
{
    FakeServices services;
    LoopbackWeb web(services, WebLimits {}); // the real limits: 20 s before a time-out
    services.SetDelay(std::chrono::milliseconds(60000));
    services.SetFault("/list=*", Fault::Delay);
    services.SetFault("/", Fault::Delay);
    testsupport::TempDir dir;
    const std::string target = dir.File("Stocks.dat");
    testsupport::WriteFile(target, "old");

    using Call = std::function<bool()>; // true when the call succeeded
    const std::pair<const char*, Call> calls[] = {
        { "download",
            [&] {
                return UrlDownloader()->Download({ QuoteUrl, target, Referer }).ok;
            } },
        { "get",
            [&] {
                try {
                    HttpGet()->Get(QuoteUrl);
                    return true;
                } catch (const ENetError&) {
                    return false;
                }
            } },
        { "connectivity", [&] { return Connectivity()->Check("http://hq.sinajs.cn/"); } },
    };
    for (const auto& [what, call] : calls) {
        SCOPED_TRACE(what);
        std::stop_source stop;
        std::atomic<int> outcome = -1;
        const std::size_t before = services.RequestCount();
        std::thread worker([&, token = stop.get_token()] {
            const WebStopScope scope(token);
            outcome = call() ? 1 : 0;
        });
        for (int i = 0; i < 500 && services.RequestCount() == before; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_GT(services.RequestCount(), before); // the request waits for its answer now
        const auto stopped = std::chrono::steady_clock::now();
        stop.request_stop();
        worker.join();
        EXPECT_LT(std::chrono::steady_clock::now() - stopped, std::chrono::milliseconds(2000));
        EXPECT_EQ(outcome, 0);
    }
    EXPECT_EQ(testsupport::ReadFile(target), "old");
    EXPECT_EQ(FilesIn(dir.Path()), 1u);

    // Once stopped, a transfer does not even start.
    std::stop_source stop;
    stop.request_stop();
    const WebStopScope scope(stop.get_token());
    const std::size_t before = services.RequestCount();
    EXPECT_FALSE(UrlDownloader()->Download({ QuoteUrl, target, Referer }).ok);
    EXPECT_EQ(services.RequestCount(), before);
}
