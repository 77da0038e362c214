// The library's web components on live widgets: the search panel's layout,
// menu and searches; the advertisement panel's browser; the update checker
// and the popup windows against the loopback fake services and a recording
// window system.
#include "CppWebBrowser.h"
#include "FakeWindowSystem.h"
#include "GbkText.h"
#include "LoopbackWeb.h"
#include "MenuModel.h"
#include "ModalDriver.h"
#include "NuvAdPanel.h"
#include "NuvCheckUpdate.h"
#include "NuvMessageBox.h"
#include "NuvPopupForm.h"
#include "NuvSelfPopupMsgFormFM.h"
#include "NuvSelfPopupNewsFormFM.h"
#include "NuvWebSerachPanel.h"
#include "PresetAnswers.h"
#include "RecordingOpener.h"
#include "SearchPictures.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string G(const char* utf8)
{
    return QStringToGbk(QString::fromUtf8(utf8));
}

// --- search panel

struct Search {
    QObject* sender;
    std::string address;
};

class SearchPanel : public ::testing::Test {
protected:
    SearchPanel()
    {
        panel = new TNuvWebSerachPanel(&host);
        panel->setGeometry(0, 0, 129, 24);
        host.resize(400, 100);
        host.show();
        panel->SetOnSerachButtonClick([this](QObject* sender, const std::string& address) {
            searches.push_back({ sender, address });
        });
    }

    QWidget host;
    TNuvWebSerachPanel* panel;
    std::vector<Search> searches;
};

TEST_F(SearchPanel, StaysTwentyFourHighAndLaysOutItsPartsFromTheWidth)
{
    struct {
        int width;
        int height;
    } sizes[] = { { 129, 24 }, { 200, 60 }, { 80, 3 } };
    for (const auto& size : sizes) {
        panel->resize(size.width, size.height);
        EXPECT_EQ(panel->height(), 24) << size.width;
        EXPECT_EQ(panel->SubRightImage()->geometry(), QRect(size.width - 20, 4, 16, 16)) << size.width;
        EXPECT_EQ(panel->SubEdit()->geometry(), QRect(24, 5, size.width - 48, 16)) << size.width;
        EXPECT_EQ(panel->SubLeftImage()->geometry(), QRect(4, 4, 16, 16)) << size.width;
    }
}

TEST_F(SearchPanel, EnterAndTheButtonSearchTheChosenServiceWithTheirOwnSender)
{
    panel->SubEdit()->setText(QString::fromUtf8("股票"));
    // Google before the menu was ever opened, the UTF-8 bytes of the term.
    QTest::keyClick(panel->SubEdit(), Qt::Key_Return);
    ASSERT_EQ(searches.size(), 1u);
    EXPECT_EQ(searches[0].sender, panel->SubEdit());
    EXPECT_EQ(searches[0].address, "https://www.google.com.hk/search?hl=zh-CN&client=&&q=%E8%82%A1%E7%A5%A8");

    panel->SubMenu()->Items()->Items(1)->Click(); // 淘宝搜索
    EXPECT_EQ(panel->EngineIndex(), 1);
    QTest::keyClick(panel->SubEdit(), Qt::Key_Enter);
    QTest::mouseClick(panel->SubRightImage(), Qt::LeftButton);
    QTest::keyClick(panel->SubEdit(), Qt::Key_A); // other keys search nothing
    ASSERT_EQ(searches.size(), 3u);
    EXPECT_EQ(searches[1].sender, panel->SubEdit());
    EXPECT_EQ(searches[2].sender, panel->SubRightImage());
    EXPECT_EQ(searches[1].address, "https://s.taobao.com/search?q=%E8%82%A1%E7%A5%A8");
    EXPECT_EQ(searches[2].address, searches[1].address);
    EXPECT_EQ(panel->SubEdit()->text(), QString::fromUtf8("股票a")); // the keys still reach the edit box
}

TEST_F(SearchPanel, AnEntryBeyondTaobaoSearchesGoogle)
{
    TMenuItem* baidu = panel->AddBaiDuMenuItem(); // the panel offers two services; a caller may add more
    EXPECT_EQ(baidu->Caption(), G("百度搜索"));
    baidu->Click();
    EXPECT_EQ(panel->EngineIndex(), 2);
    panel->SetText("x");
    QTest::keyClick(panel->SubEdit(), Qt::Key_Return);
    ASSERT_EQ(searches.size(), 1u);
    EXPECT_EQ(searches[0].address, "https://www.google.com.hk/search?hl=zh-CN&client=&&q=%78");
}

TEST_F(SearchPanel, WithoutHandlerNothingIsSearchedAndAnEmptyTermStillIs)
{
    panel->SetOnSerachButtonClick({});
    QTest::keyClick(panel->SubEdit(), Qt::Key_Return);
    QTest::mouseClick(panel->SubRightImage(), Qt::LeftButton);
    EXPECT_TRUE(searches.empty());

    panel->SetOnSerachButtonClick([this](QObject* sender, const std::string& address) {
        searches.push_back({ sender, address });
    });
    QTest::mouseClick(panel->SubRightImage(), Qt::LeftButton);
    ASSERT_EQ(searches.size(), 1u);
    EXPECT_EQ(searches[0].address, "https://www.google.com.hk/search?hl=zh-CN&client=&&q=");
}

// Records where a menu was popped up instead of showing it.
class RecordingPresenter : public TMenuPresenter {
public:
    void Present(TPopupMenu& menu, const QPoint& point) override { shown.push_back({ &menu, point }); }
    std::vector<std::pair<TPopupMenu*, QPoint>> shown;
};

TEST_F(SearchPanel, TheIconOpensTwoPlainEntriesAndTheChoiceShowsOnIt)
{
    TPopupMenu* menu = panel->SubMenu();
    ASSERT_EQ(menu->Items()->Count(), 2);
    EXPECT_FALSE(menu->AutoHotkeys());
    const char* captions[] = { "谷歌搜索", "淘宝搜索" };
    for (int i = 0; i < 2; ++i) {
        TMenuItem* item = menu->Items()->Items(i);
        EXPECT_EQ(item->Caption(), G(captions[i]));
        EXPECT_EQ(item->Accelerator(), 0);
        EXPECT_EQ(item->Bitmap().size(), QSize(16, 16));
    }

    RecordingPresenter presenter;
    menu->SetPresenter(&presenter);
    QTest::mouseClick(panel->SubLeftImage(), Qt::LeftButton);
    ASSERT_EQ(presenter.shown.size(), 1u);
    EXPECT_EQ(presenter.shown[0].second, panel->SubLeftImage()->mapToGlobal(QPoint(0, 17)));

    // The menu draws item pictures as they are, so they come without their
    // background; the icon takes a copy of the chosen one.
    EXPECT_EQ(qAlpha(menu->Items()->Items(1)->Bitmap().pixel(0, 15)), 0);
    menu->Items()->Items(1)->Click();
    EXPECT_EQ(panel->SubLeftImage()->Picture(), menu->Items()->Items(1)->Bitmap());
    menu->Items()->Items(0)->Click();
    EXPECT_EQ(panel->EngineIndex(), 0);
    EXPECT_EQ(panel->SubLeftImage()->Picture(), menu->Items()->Items(0)->Bitmap());
}

TEST(SearchPictures, FiveSixteenSquarePicturesWithATransparentCorner)
{
    for (const char* name : { "NuvPackGoogleIcon", "NuvPackBaiDuIcon", "NuvPackTaoBaoIcon",
             "NuvPackSogouIcon", "NuvPackSearch" }) {
        const QImage picture = LoadSearchPicture(name);
        EXPECT_EQ(picture.size(), QSize(16, 16)) << name;
        EXPECT_EQ(picture.format(), QImage::Format_RGB888) << name;
        TNuvImage image;
        image.resize(16, 16);
        image.SetPicture(picture);
        QImage drawn(16, 16, QImage::Format_ARGB32);
        drawn.fill(Qt::transparent);
        image.render(&drawn, QPoint(), QRegion(), QWidget::DrawChildren);
        EXPECT_EQ(qAlpha(drawn.pixel(0, 15)), 0) << name << ": the lower-left colour is left out";
        EXPECT_EQ(qAlpha(drawn.pixel(7, 7)), 255) << name << ": the middle is drawn";
    }
    EXPECT_TRUE(LoadSearchPicture("NuvPackYahooIcon").isNull());
}

// --- advertisement panel

TEST(AdPanel, TheBrowserSitsAtMinusSixteenAndReachesPastTheStrip)
{
    struct {
        QSize panel;
        QSize browser;
    } cases[] = {
        { { 306, 60 }, { 1000, 1000 } },
        { { 999, 60 }, { 1000, 1000 } }, // right edge at 984, inside the panel
        { { 1000, 1000 }, { 1040, 1040 } }, // 24 beyond the right and bottom edges
    };
    QWidget host;
    host.resize(1200, 1200);
    auto* panel = new TNuvAdPanel(&host);
    host.show();
    for (const auto& c : cases) {
        panel->resize(c.panel);
        EXPECT_EQ(panel->WebBrowser()->geometry(), QRect(QPoint(-16, -16), c.browser)) << c.panel.width();
    }
    EXPECT_TRUE(panel->WebBrowser()->Silent());
    EXPECT_TRUE(panel->WebBrowser()->TheaterMode());
}

TEST(AdPanel, NothingLoadsBeforeExecuteAndEachExecuteLoadsAgain)
{
    fakes::FakeServices services;
    fakes::LoopbackWeb web { services };
    TNuvAdPanel panel;
    panel.SetUrl(u"http://maker.example/ad.php?id=tavrel");
    QTest::qWait(50);
    EXPECT_EQ(panel.WebBrowser()->CurrentView().shows, TCppWebBrowser::Shows::Nothing);

    auto adRequests = [&] {
        int count = 0;
        for (const auto& request : services.Requests())
            count += request.path == "/ad.php?id=tavrel" && request.host == "maker.example";
        return count;
    };
    panel.Execute();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return panel.WebBrowser()->CurrentView().shows == TCppWebBrowser::Shows::Html; }));
    panel.Execute();
    ASSERT_TRUE(QTest::qWaitFor([&] { return adRequests() == 2; }));
}

// --- update checker

class CheckUpdate : public ::testing::Test {
protected:
    CheckUpdate()
    {
        check.SetID("tavrel");
        check.SetVersion("2010-03-23");
        check.SetUrl("http://maker.example/ver.php");
        check.SetGoto("http://maker.example/");
    }

    // Runs one check to its end: "done", or the failure's message.
    std::string Run()
    {
        std::optional<std::string> outcome;
        check.Execute([&] { outcome = "done"; },
            [&](std::exception_ptr error) {
                try {
                    std::rethrow_exception(error);
                } catch (const std::exception& e) {
                    outcome = std::string("failed: ") + e.what();
                }
            });
        EXPECT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 5000));
        return outcome.value_or("no answer");
    }

    fakes::FakeServices services;
    fakes::LoopbackWeb web { services };
    testsupport::RecordingOpener opener;
    TNuvCheckUpdate check;
};

TEST_F(CheckUpdate, AsksWithIdAndVersionUnencoded)
{
    check.SetID("a&b");
    check.SetVersion("\xB0\xE6"); // a GBK character, sent as its bytes
    EXPECT_EQ(check.RequestUrl(), "http://maker.example/ver.php?id=a&b&&ver=\xB0\xE6");
    check.SetVersion("2010-03-23");
    EXPECT_EQ(Run(), "done");
    ASSERT_EQ(services.RequestCount(), 1u);
    EXPECT_EQ(services.Requests()[0].path, "/ver.php?id=a&b&&ver=2010-03-23");
}

TEST_F(CheckUpdate, OnlyTheOneByteOneIsANewVersion)
{
    struct {
        const char* body;
        int answer; // the user's answer to the question, 0: no question expected
        bool opens;
    } cases[] = {
        { "1", nuv::IdOk, true },
        { "1", nuv::IdCancel, false },
        { "1\r\n", 0, false },
        { "1\n", 0, false },
        { "0", 0, false },
        { "", 0, false },
    };
    for (const auto& c : cases) {
        services.SetVersionAnswer(c.body);
        opener.requests.clear();
        modal::ClearAnswers();
        modal::PushAnswer(c.answer ? c.answer : nuv::IdOk);
        EXPECT_EQ(Run(), "done") << c.body;
        EXPECT_EQ(modal::PendingAnswers(), c.answer ? 0 : 1) << "question asked for body '" << c.body << "'";
        if (c.answer) {
            EXPECT_EQ(modal::LastAnsweredCaption(), nuv::kAskCaption);
        }
        EXPECT_EQ(opener.Addresses(),
            c.opens ? std::vector<std::string> { "http://maker.example/" } : std::vector<std::string> {})
            << c.body;
    }
    modal::ClearAnswers();
}

TEST_F(CheckUpdate, TheQuestionIsMessageOrTheDefaultAndCancelIsTheDefaultButton)
{
    services.SetVersionAnswer("1");
    const struct {
        std::string message;
        QString shown;
    } cases[] = {
        { "", QString::fromUtf8("有新版本软件是否查看？") },
        { G("新版 1.2 已发布"), QString::fromUtf8("新版 1.2 已发布") },
    };
    for (const auto& c : cases) {
        check.SetMessage(c.message);
        opener.requests.clear();
        QString text, title;
        bool cancelIsDefault = false;
        ModalDriver driver([&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            text = box->text();
            title = box->windowTitle();
            cancelIsDefault = box->defaultButton() == box->button(QMessageBox::Cancel);
            box->button(QMessageBox::Ok)->click();
        });
        EXPECT_EQ(Run(), "done");
        EXPECT_TRUE(driver.Fired());
        EXPECT_EQ(text, c.shown);
        EXPECT_EQ(title, QString::fromUtf8("询问"));
        EXPECT_TRUE(cancelIsDefault);
        EXPECT_EQ(opener.Addresses(), std::vector<std::string> { "http://maker.example/" });
    }
}

TEST_F(CheckUpdate, OnNewVersionReplacesTheQuestion)
{
    services.SetVersionAnswer("1");
    std::vector<QObject*> senders;
    check.SetOnNewVersion([&](QObject* sender) { senders.push_back(sender); });
    modal::ClearAnswers();
    modal::PushAnswer(nuv::IdOk);
    EXPECT_EQ(Run(), "done");
    EXPECT_EQ(senders, std::vector<QObject*> { nullptr });
    EXPECT_EQ(modal::PendingAnswers(), 1); // no question
    EXPECT_TRUE(opener.requests.empty());
    modal::ClearAnswers();
}

TEST_F(CheckUpdate, FailedRequestsAskNothingAndReachTheCaller)
{
    const fakes::Fault faults[]
        = { fakes::Fault::Redirect302, fakes::Fault::ServerError500, fakes::Fault::Refused };
    services.SetVersionAnswer("1");
    for (const fakes::Fault fault : faults) {
        services.SetFault("/ver.php*", fault);
        const testsupport::PresetAnswers none {};
        EXPECT_TRUE(Run().starts_with("failed: ")) << static_cast<int>(fault);
        EXPECT_TRUE(opener.requests.empty());
    }
}

TEST_F(CheckUpdate, WithoutFailureHandlerTheErrorIsReportedOnce)
{
    services.SetFault("/ver.php*", fakes::Fault::Redirect302);
    check.Execute();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !web.reports.empty(); }, 5000));
    QTest::qWait(50);
    EXPECT_EQ(web.reports.size(), 1u);
}

// --- popup windows

class Popups : public ::testing::Test {
protected:
    Popups()
    {
        windows.Primary = QRect(0, 0, 1024, 768);
        windows.Work = QRect(0, 0, 1024, 738); // a bottom panel 30 high
    }
    testsupport::FakeWindowSystem windows;
};

TEST_F(Popups, AWindowGoesToTheBottomRightCornerOfTheWorkArea)
{
    struct {
        const char* panel;
        QRect work;
        QPoint place;
    } cases[] = {
        { "bottom", { 0, 0, 1024, 738 }, { 774, 538 } },
        { "left", { 30, 0, 994, 768 }, { 774, 568 } },
        { "right", { 0, 0, 994, 768 }, { 744, 568 } },
        { "top", { 0, 30, 1024, 738 }, { 774, 568 } },
        { "none", { 0, 0, 1024, 768 }, { 774, 568 } },
    };
    for (const auto& c : cases) {
        windows.Work = c.work;
        TNuvPopupMsgForm popup;
        popup.SetMsg(G("第一行\r\n第二行"));
        popup.Execute();
        ASSERT_EQ(popup.FormCount(), 1) << c.panel;
        QWidget* window = popup.Form(0);
        EXPECT_EQ(window->frameGeometry(), QRect(c.place, QSize(250, 200))) << c.panel;
        EXPECT_TRUE(window->isVisible());
        auto* msg = qobject_cast<TNuvSelfPopupMsgForm*>(window);
        ASSERT_NE(msg, nullptr);
        EXPECT_EQ(msg->MemoMsg->document()->blockCount(), 2);
        EXPECT_EQ(msg->windowTitle(), QString::fromUtf8("消息"));
    }
}

TEST_F(Popups, ClosingTheUpperOfTwoLeavesTheOtherOpenAndListed)
{
    TNuvPopupNewsForm popup;
    popup.SetUrl("http://maker.example/news.php");
    popup.Execute();
    popup.Execute();
    ASSERT_EQ(popup.FormCount(), 2);
    QPointer<QWidget> lower = popup.Form(0);
    QPointer<QWidget> upper = popup.Form(1);
    EXPECT_EQ(lower->frameGeometry(), upper->frameGeometry());
    auto* news = qobject_cast<TNuvSelfPopupNewsForm*>(upper.data());
    ASSERT_NE(news, nullptr);
    EXPECT_EQ(news->WebNews->CurrentView().address, u"http://maker.example/news.php");
    EXPECT_EQ(news->windowTitle(), QString::fromUtf8("网站新闻"));

    upper->close();
    ASSERT_TRUE(QTest::qWaitFor([&] { return upper.isNull(); }));
    ASSERT_EQ(popup.FormCount(), 1);
    EXPECT_EQ(popup.Form(0), lower.data());
    EXPECT_TRUE(lower->isVisible());
    popup.FormClose(nullptr); // nothing
    QWidget stranger;
    popup.FormClose(&stranger); // not one of its windows: nothing
    EXPECT_EQ(popup.FormCount(), 1);
}

TEST_F(Popups, DestroyingTheComponentDestroysItsOpenWindows)
{
    auto popup = std::make_unique<TNuvPopupMsgForm>();
    popup->Execute();
    popup->Execute();
    QPointer<QWidget> first = popup->Form(0);
    QPointer<QWidget> second = popup->Form(1);
    popup.reset();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second.isNull());
    QTest::qWait(20); // no close handler runs on a destroyed component
}

// A handler may give its window a Qt parent; when the parent goes first, so
// does the window, and the list lets go of it at once.
TEST_F(Popups, AWindowDestroyedWithItsParentLeavesTheListAtOnce)
{
    auto parent = std::make_unique<QWidget>();
    auto popup = std::make_unique<TNuvPopupForm>();
    bool withParent = true;
    popup->SetOnPopupForm([&](QObject*, QWidget*& window) {
        window = withParent ? new QWidget(parent.get(), Qt::Window) : new QWidget;
    });
    popup->Execute();
    withParent = false;
    popup->Execute();
    withParent = true;
    popup->Execute();
    ASSERT_EQ(popup->FormCount(), 3);
    QPointer<QWidget> own = popup->Form(1);

    parent.reset();
    ASSERT_EQ(popup->FormCount(), 1);
    EXPECT_EQ(popup->Form(0), own.data());
    popup.reset(); // destroys the one left, and nothing twice
    EXPECT_TRUE(own.isNull());
}

// A window goes to its corner when it shows; once the user has moved it, it
// stays where it was put.
TEST_F(Popups, AWindowTheUserMovedStaysWhereItWasPut)
{
    TNuvPopupMsgForm popup;
    popup.Execute();
    QWidget* window = popup.Form(0);
    const QRect corner(774, 538, 250, 200);
    ASSERT_EQ(window->frameGeometry(), corner);
    QTest::qWait(1100); // as a person does: it has been seen before it is dragged
    for (const QPoint to : { QPoint(100, 120), QPoint(300, 50), QPoint(10, 10), QPoint(500, 400) }) {
        window->move(to);
        QTest::qWait(10);
        EXPECT_EQ(window->frameGeometry().topLeft(), to);
    }
}

TEST_F(Popups, WithoutHandlerOrWindowNothingShows)
{
    TNuvPopupForm popup;
    popup.Execute();
    EXPECT_EQ(popup.FormCount(), 0);
    int asked = 0;
    popup.SetOnPopupForm([&](QObject* sender, QWidget*& window) {
        ++asked;
        EXPECT_EQ(sender, &popup);
        EXPECT_EQ(window, nullptr);
    });
    popup.Execute();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(popup.FormCount(), 0);

    popup.SetFormWidth(300);
    popup.SetOnPopupForm([](QObject*, QWidget*& window) { window = new QWidget; });
    popup.Execute();
    ASSERT_EQ(popup.FormCount(), 1);
    EXPECT_EQ(popup.Form(0)->frameGeometry(), QRect(724, 538, 300, 200));
}

} // namespace
