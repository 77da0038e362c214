// The browser view against the loopback fake services: what it shows for
// pictures, documents and failures, the order of answers, and its end while
// a fetch hangs.
#include "CppWebBrowser.h"
#include "CurlWebAccess.h"
#include "GifPictures.h"
#include "LoopbackWeb.h"
#include "RepeatedText.h"
#include "TempDir.h"
#include "WaitUntil.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMovie>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using fakes::FakeServices;
using fakes::Fault;
using fakes::LoopbackWeb;
using Shows = TCppWebBrowser::Shows;

namespace {

const std::u16string ChartUrl = u"http://image.sinajs.cn/newchart/min/n/sh600000.gif";
const std::u16string DailyChartUrl = u"http://image.sinajs.cn/newchart/daily/n/sh600000.gif";
const std::u16string AdUrl = u"http://maker.example/ad.php?id=tavrel";

using testsupport::Repeated;
using testsupport::WaitUntil;

class BrowserViewTest : public ::testing::Test {
protected:
    ~BrowserViewTest() override
    {
        // Workers still fetching would read the proxy settings LoopbackWeb takes away.
        WaitUntil([] { return TCppWebBrowser::FetchesRunning() == 0; }, 10000);
    }

    bool WaitFor(TCppWebBrowser& view, Shows shows)
    {
        return WaitUntil([&] { return view.CurrentView().shows == shows; });
    }

    FakeServices services;
    LoopbackWeb web { services };
};

// A page fetch with a fixed answer, no network.
class FixedPage final : public IPageFetch {
public:
    explicit FixedPage(PageAnswer answer)
        : answer_(std::move(answer))
    {
    }
    PageAnswer Fetch(const PageRequest&) noexcept override { return answer_; }

private:
    PageAnswer answer_;
};

} // namespace

TEST_F(BrowserViewTest, ChartPictureIsShownAtItsSizeAfterNavigateReturned)
{
    TCppWebBrowser view;
    view.resize(611, 345);
    view.Navigate(ChartUrl);
    EXPECT_EQ(view.CurrentView().shows, Shows::Loading); // returned before the answer
    ASSERT_TRUE(WaitFor(view, Shows::Image));
    const TCppWebBrowser::View shown = view.CurrentView();
    EXPECT_EQ(shown.imageSize, QSize(fakes::ChartWidth, fakes::ChartHeight));
    EXPECT_EQ(shown.frameCount, 1);
    EXPECT_EQ(shown.address, ChartUrl);

    const auto requests = services.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].host, "image.sinajs.cn");
    EXPECT_EQ(requests[0].path, "/newchart/min/n/sh600000.gif");
    EXPECT_EQ(requests[0].referer, ""); // like an address typed by the user

    view.SetReferer("https://finance.sina.com.cn/");
    view.Navigate(DailyChartUrl);
    ASSERT_TRUE(WaitFor(view, Shows::Image));
    EXPECT_EQ(services.Requests().back().referer, "https://finance.sina.com.cn/");
    EXPECT_TRUE(web.reports.empty());
}

TEST_F(BrowserViewTest, MarkupIsShownAsTextWithoutRunningItsScript)
{
    TCppWebBrowser view;
    view.Navigate(AdUrl);
    ASSERT_TRUE(WaitFor(view, Shows::Html));
    const QString text = view.CurrentView().text;
    EXPECT_TRUE(text.contains(QStringLiteral("Qelvo"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("script ran"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("document.write"))) << text.toStdString();
}

TEST_F(BrowserViewTest, LinkInADocumentNavigatesTheViewToItsResolvedAddress)
{
    TCppWebBrowser view;
    view.Navigate(AdUrl);
    ASSERT_TRUE(WaitFor(view, Shows::Html));
    auto* document = view.findChild<QTextBrowser*>();
    ASSERT_NE(document, nullptr);
    emit document->anchorClicked(QUrl(QStringLiteral("/")));
    ASSERT_TRUE(WaitUntil([&] { return view.CurrentView().address == u"http://maker.example/"; }));
    ASSERT_TRUE(WaitFor(view, Shows::Html));
    EXPECT_EQ(services.Requests().back().path, "/");
}

TEST_F(BrowserViewTest, FailedLoadsShowThePlaceholderAndReportNothing)
{
    services.SetOversize(2 * 1024 * 1024); // above the test limits' 1 MiB
    const std::string refusedUrl = "http://127.0.0.1:" + std::to_string(fakes::UnusedLoopbackPort()) + "/";
    ::setenv("no_proxy", "127.0.0.1", 1); // straight to the closed port, not through the fake proxy
    struct Case {
        const char* name;
        std::string url;
        Fault fault;
    };
    const Case cases[] = {
        { "404", "http://maker.example/missing.php", Fault::None },
        { "refused connection", refusedUrl, Fault::None },
        { "redirect, not followed", "http://maker.example/news.php", Fault::Redirect302 },
        { "oversized body", "http://maker.example/ad.php", Fault::OversizedBody },
        { "truncated picture", "http://image.sinajs.cn/newchart/daily/n/sz000001.gif", Fault::TruncatedBody },
    };
    TCppWebBrowser view;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        services.ClearFaults();
        if (c.fault != Fault::None)
            services.SetFault("*", c.fault);
        view.Navigate(QString::fromStdString(c.url).toStdU16String());
        EXPECT_TRUE(WaitFor(view, Shows::Placeholder));
    }
    ::unsetenv("no_proxy");
    EXPECT_TRUE(web.reports.empty());
}

TEST_F(BrowserViewTest, AnEarlierAnswerArrivingLastDoesNotReplaceTheLaterPage)
{
    services.SetDelay(std::chrono::milliseconds(300));
    services.SetFault("/newchart/min/*", Fault::Delay);
    TCppWebBrowser view;
    view.Navigate(ChartUrl); // answered after 300 ms
    view.Navigate(AdUrl); // answered at once; the chart's fetch is abandoned
    ASSERT_TRUE(WaitFor(view, Shows::Html));
    // The chart's answer has been posted once its worker ended; let it be delivered.
    ASSERT_TRUE(WaitUntil([] { return TCppWebBrowser::FetchesRunning() == 0; }));
    QTest::qWait(50);
    EXPECT_EQ(view.CurrentView().shows, Shows::Html);
    EXPECT_EQ(view.CurrentView().address, AdUrl);
    const auto requests = services.Requests();
    EXPECT_TRUE(std::any_of(requests.begin(), requests.end(),
        [](const auto& request) { return request.path == "/ad.php?id=tavrel"; }));
}

TEST_F(BrowserViewTest, DestroyingTheViewDuringAHungFetchNeitherWaitsNorLeavesTheFetchRunning)
{
    WebLimits patient;
    patient.totalTimeout = std::chrono::seconds(30);
    patient.lowSpeedWindow = std::chrono::seconds(30);
    InstallPageFetch(std::make_shared<CurlWebAccess>(patient));
    services.SetDelay(std::chrono::seconds(60));
    services.SetFault("*", Fault::Delay);

    auto view = std::make_unique<TCppWebBrowser>();
    view->Navigate(ChartUrl);
    ASSERT_TRUE(WaitUntil([&] { return services.RequestCount() == 1; }));
    QElapsedTimer clock;
    clock.start();
    view.reset();
    EXPECT_LT(clock.elapsed(), 1000);
    // Abandoned, not left to the 30 s limit.
    EXPECT_TRUE(WaitUntil([] { return TCppWebBrowser::FetchesRunning() == 0; }, 10000));
    EXPECT_TRUE(web.reports.empty());
}

TEST_F(BrowserViewTest, AnimatedGifPlays)
{
    PageAnswer answer;
    answer.ok = true;
    answer.status = 200;
    answer.contentType = "image/gif";
    answer.body = fakes::AnimatedPicture(20, 10, 3);
    InstallPageFetch(std::make_shared<FixedPage>(answer));
    TCppWebBrowser view;
    view.Navigate(u"http://maker.example/banner.gif");
    ASSERT_TRUE(WaitFor(view, Shows::Image));
    EXPECT_EQ(view.CurrentView().imageSize, QSize(20, 10));
    EXPECT_EQ(view.CurrentView().frameCount, 3);
    QMovie* movie = nullptr;
    for (QLabel* label : view.findChildren<QLabel*>())
        if (label->movie())
            movie = label->movie();
    ASSERT_NE(movie, nullptr);
    const int first = movie->currentFrameNumber();
    EXPECT_TRUE(WaitUntil([&] { return movie->currentFrameNumber() != first; }, 2000));
}

TEST_F(BrowserViewTest, APageCannotPullLocalFilesIntoTheView)
{
    testsupport::TempDir dir;
    QImage red(60, 60, QImage::Format_RGB32);
    red.fill(Qt::red);
    red.save(QString::fromStdString(dir.File("red.png")));
    testsupport::WriteFile(dir.File("red.css"), "body { background-color: #ff0000; color: #ff0000 }");
    const std::string folder = "file://" + dir.Folder();
    PageAnswer answer;
    answer.ok = true;
    answer.status = 200;
    answer.contentType = "text/html";
    answer.body = "<html><head><link rel=\"stylesheet\" href=\"" + folder + "red.css\"></head><body>words"
        + "<img src=\"" + folder + "red.png\"><img src=\"" + dir.File("red.png") + "\"></body></html>";
    InstallPageFetch(std::make_shared<FixedPage>(answer));
    TCppWebBrowser view;
    view.resize(300, 200);
    view.Navigate(u"http://maker.example/page.html");
    ASSERT_TRUE(WaitFor(view, Shows::Html));
    const QImage shot = view.grab().toImage();
    int reddish = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QColor c = shot.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                ++reddish;
        }
    EXPECT_EQ(reddish, 0);
}

TEST_F(BrowserViewTest, EmptyAddressShowsNothingAndFetchesNothing)
{
    TCppWebBrowser view;
    view.Navigate(ChartUrl);
    view.Navigate(u"");
    EXPECT_EQ(view.CurrentView().shows, Shows::Nothing);
    ASSERT_TRUE(WaitUntil([] { return TCppWebBrowser::FetchesRunning() == 0; }));
    QTest::qWait(20);
    EXPECT_EQ(view.CurrentView().shows, Shows::Nothing); // the chart's answer came too late
}

namespace {

std::string Jpeg(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(30, 120, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "jpeg", 50);
    return bytes.toStdString();
}

// The longest time a 10 ms timer waited while `view` took in its page.
qint64 LongestStall(TCppWebBrowser& view)
{
    QElapsedTimer since;
    since.start();
    qint64 longest = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] { longest = std::max(longest, since.restart()); });
    ticks.start(10);
    view.Navigate(u"http://maker.example/page");
    EXPECT_TRUE(QTest::qWaitFor([&] { return view.CurrentView().shows != Shows::Loading; }, 20000));
    QTest::qWait(300); // what the view lays out later, bit by bit
    return std::max(longest, since.elapsed());
}

} // namespace

// The largest answers the web layer takes, shaped to cost the most: the view
// takes them in while a timer on its thread keeps firing on time.
TEST_F(BrowserViewTest, TheLargestPagesAndPicturesNeverStallTheWindows)
{
    const std::size_t size = 4 * 1024 * 1024;
    struct Case {
        const char* what;
        std::string contentType;
        std::string body;
        Shows shows;
    } const cases[] = {
        { "nested tables", "text/html", Repeated("<table><tr><td>", size), Shows::Html },
        { "table cells", "text/html", "<table>" + Repeated("<tr><td>a</td><td>b</td><td>c</td></tr>", size),
            Shows::Html },
        { "nested blocks", "text/html", Repeated("<div><ul><li>", size), Shows::Html },
        { "one line of text", "text/plain", Repeated("word ", size), Shows::Html },
        { "a picture of 16000 x 12000", "image/jpeg", Jpeg(16000, 12000), Shows::Image },
    };
    TCppWebBrowser view;
    view.resize(611, 345);
    view.show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        PageAnswer answer;
        answer.ok = true;
        answer.status = 200;
        answer.contentType = c.contentType;
        answer.body = c.body;
        ASSERT_LE(answer.body.size(), size);
        InstallPageFetch(std::make_shared<FixedPage>(answer));
        const qint64 stall = LongestStall(view);
        EXPECT_EQ(view.CurrentView().shows, c.shows);
        // Laid out whole, each of these took the thread for seconds to minutes.
        EXPECT_LT(stall, 500) << "ms";
        RecordProperty(c.what, static_cast<int>(stall));
    }
    const QSize shown = view.CurrentView().imageSize;
    const QSize screen = QGuiApplication::primaryScreen()->size();
    EXPECT_TRUE(shown.width() <= screen.width() && shown.height() <= screen.height())
        << shown.width() << " x " << shown.height();
    EXPECT_EQ(shown.width() * 3, shown.height() * 4);
}
