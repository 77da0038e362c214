// The main window's web side against the loopback fake services: the web
// start-up step with a maker's site (waiting while the site is down, then
// advertisement, update check and news once), a failing update check, the
// search hook, and the strip of a window without a maker's site.
#include "BsSkinLabels.h"
#include "BsSkinPanel.h"
#include "CppWebBrowser.h"
#include "GbkText.h"
#include "LoopbackWeb.h"
#include "MainFormFM.h"
#include "ModalAnswers.h"
#include "NuvAdPanel.h"
#include "NuvCheckUpdate.h"
#include "NuvPopupForm.h"
#include "NuvWebSerachPanel.h"
#include "RecordingOpener.h"
#include "SkinCtrlDM.h"
#include "SkinModuleSuite.h"
#include "TempDir.h"

#include <QDeadlineTimer>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <chrono>

using fakes::Fault;
using namespace std::chrono_literals;

namespace {

const std::string MakerHost = "maker.qelvo.test";

void RunEventLoopFor(std::chrono::milliseconds time)
{
    QDeadlineTimer deadline(time);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

class MainFormWeb : public SkinModuleSuite {
protected:
    void Make(const std::string& site)
    {
        testsupport::WriteFile(codeFile, "sh600000\r\nsz000001\r\n");
        form = std::make_unique<TMainForm>(
            nullptr, TMainFormFiles { quoteFile, codeFile, TMakerAddresses::At(site) });
    }

    // Paths asked of the maker's site, in the order they arrived.
    std::vector<std::string> MakerPaths() const
    {
        std::vector<std::string> paths;
        for (const auto& request : services.Requests())
            if (request.host == MakerHost)
                paths.push_back(request.path);
        return paths;
    }

    fakes::FakeServices services;
    fakes::LoopbackWeb web { services };
    testsupport::TempDir dir;
    std::string quoteFile = dir.File("Stocks.dat");
    std::string codeFile = dir.File("Stocks.cfg");
    std::unique_ptr<TMainForm> form;
};

TEST_F(MainFormWeb, TheStartUpStepWaitsForTheSiteThenRunsAdCheckAndNewsOnce)
{
    Make("http://" + MakerHost);
    EXPECT_TRUE(form->AdTimer->isActive());
    EXPECT_EQ(form->AdTimer->interval(), 10000);
    EXPECT_TRUE(form->NuvAdPanel1->isVisible() || !form->isVisible());

    // While the site is down every tick tests it and does nothing more.
    services.SetFault("/", Fault::Refused, MakerHost);
    for (int tick = 1; tick <= 2; ++tick) {
        form->AdTimerTimer(form->AdTimer);
        ASSERT_TRUE(QTest::qWaitFor([&] { return MakerPaths().size() == static_cast<size_t>(tick); }));
        RunEventLoopFor(100ms);
        EXPECT_EQ(MakerPaths(), std::vector<std::string>(tick, "/"));
        EXPECT_TRUE(form->AdTimer->isActive());
    }
    EXPECT_EQ(form->NuvAdPanel1->WebBrowser()->CurrentView().shows, TCppWebBrowser::Shows::Nothing);

    // The site is back: the advertisement loads before the check asks, and
    // the news come after its answer.
    services.ClearFaults();
    services.ClearRequests();
    services.SetVersionAnswer("1");
    std::vector<std::string> seenAtCheck;
    form->NuvCheckUpdate1->SetOnNewVersion([&](QObject*) {
        seenAtCheck.push_back(
            QString::fromStdU16String(form->NuvAdPanel1->WebBrowser()->CurrentView().address).toStdString());
        seenAtCheck.push_back(std::to_string(form->NuvPopupNewsForm1->FormCount()));
    });
    form->AdTimerTimer(form->AdTimer);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->NuvPopupNewsForm1->FormCount() == 1; }, 5000));
    EXPECT_FALSE(form->AdTimer->isActive());
    EXPECT_EQ(seenAtCheck, (std::vector<std::string> { "http://maker.qelvo.test/ad.php?id=tavrel", "0" }));
    ASSERT_TRUE(QTest::qWaitFor([&] { return MakerPaths().size() == 4; }));
    const std::vector<std::string> paths = MakerPaths();
    EXPECT_EQ(paths[0], "/");
    EXPECT_EQ(paths.back(), "/news.php");
    EXPECT_NE(std::find(paths.begin(), paths.end(), "/ad.php?id=tavrel"), paths.end());
    EXPECT_NE(std::find(paths.begin(), paths.end(), "/ver.php?id=tavrel&&ver=2010-03-23"), paths.end());

    // Done for this run: a later tick asks nothing.
    form->AdTimerTimer(form->AdTimer);
    RunEventLoopFor(200ms);
    EXPECT_EQ(MakerPaths().size(), 4u);
    EXPECT_EQ(form->NuvPopupNewsForm1->FormCount(), 1);
    EXPECT_TRUE(web.reports.empty());
}

TEST_F(MainFormWeb, AFailingUpdateCheckIsReportedOnceAndShowsNoNews)
{
    Make("http://" + MakerHost);
    services.SetFault("/ver.php*", Fault::Redirect302, MakerHost);
    form->AdTimerTimer(form->AdTimer);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !web.reports.empty(); }, 5000));
    RunEventLoopFor(200ms);
    form->AdTimerTimer(form->AdTimer); // not retried
    RunEventLoopFor(200ms);
    EXPECT_EQ(web.reports.size(), 1u);
    EXPECT_EQ(form->NuvPopupNewsForm1->FormCount(), 0);
    EXPECT_FALSE(form->AdTimer->isActive());
    for (const std::string& path : MakerPaths())
        EXPECT_NE(path, "/news.php");
}

TEST_F(MainFormWeb, TheSearchButtonOpensTheBrowserOnTheSearchAddress)
{
    Make("");
    form->show();
    testsupport::RecordingOpener opener;
    form->NuvWebSerachPanel1->SubEdit()->setText(QStringLiteral("股票"));
    QTest::mouseClick(form->NuvWebSerachPanel1->SubRightImage(), Qt::LeftButton);
    EXPECT_EQ(opener.Addresses(),
        std::vector<std::string> {
            "https://www.google.com.hk/search?hl=zh-CN&client=&&q=%E8%82%A1%E7%A5%A8" });
    EXPECT_EQ(form->NuvWebSerachPanel1->geometry(), QRect(0, 0, 129, 24));
    EXPECT_EQ(form->NuvWebSerachPanel1->parentWidget(), static_cast<QWidget*>(form->bsSkinPanel2));
}

TEST_F(MainFormWeb, WithoutAMakersSiteNothingGoesToItAndTheStripTellsTheQuotesTime)
{
    Make("");
    form->show();
    EXPECT_FALSE(form->AdTimer->isActive());
    EXPECT_FALSE(form->NuvAdPanel1->isVisible());
    EXPECT_TRUE(form->lblUpdated->isVisible());
    EXPECT_EQ(form->lblUpdated->Caption(), ""); // no quotes yet

    form->AdTimerTimer(form->AdTimer);
    form->tmr1Timer(form->tmr1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Quotes().Count() == 2; }, 5000));
    RunEventLoopFor(100ms);
    // The fake service's quotes carry 2010-03-23 and a time after 09:30:00.
    const std::string caption = form->lblUpdated->Caption();
    EXPECT_TRUE(caption.starts_with(QStringToGbk(QStringLiteral("更新于 2010-03-23 09:30:")))) << caption;
    for (const auto& request : services.Requests())
        EXPECT_EQ(request.host, "hq.sinajs.cn") << request.path;
}

TEST(MakerAddresses, HangOffTheSiteGivenAndAreEmptyWithoutOne)
{
    const TMakerAddresses at = TMakerAddresses::At("http://maker.example/");
    EXPECT_EQ(at.HomePage, "http://maker.example/");
    EXPECT_EQ(at.News, "http://maker.example/news.php");
    EXPECT_EQ(at.Update, "http://maker.example/ver.php");
    EXPECT_EQ(at.Ad, "http://maker.example/ad.php?id=tavrel");
    const TMakerAddresses none = TMakerAddresses::At("");
    EXPECT_FALSE(none.Configured());
    EXPECT_EQ(none.Ad, "");
}

} // namespace
