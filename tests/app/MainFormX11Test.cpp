// The main window on a real X server with a window manager and a
// notification area (qelvo_add_x11_test ... WM tray): its size
// and taskbar state, the window styles as the manager shows them, and the
// tray icon's menu opened by a real right click, the web side with a maker's
// site. Saves main-window.png, main-menu.png and main-web.png into
// QELVO_ARTIFACT_DIR.
#include "BsSkinListView.h"
#include "Bsskinmenus.h"
#include "CppWebBrowser.h"
#include "LoopbackWeb.h"
#include "MainFormFM.h"
#include "MenuModel.h"
#include "NuvAdPanel.h"
#include "NuvPopupForm.h"
#include "NuvSelfPopupNewsFormFM.h"
#include "NuvWebSerachPanel.h"
#include "SkinCtrlDM.h"
#include "TempDir.h"
#include "WaitUntil.h"
#include "X11Windows.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

using fakes::FakeServices;
using fakes::LoopbackWeb;
using testsupport::RunTool;
using testsupport::SaveScreen;
using testsupport::WaitUntil;

namespace {

class MainFormX11 : public ::testing::Test {
protected:
    static void SetUpTestSuite() { SkinCtrlModule = new TSkinCtrlModule; }
    static void TearDownTestSuite()
    {
        delete SkinCtrlModule;
        SkinCtrlModule = nullptr;
    }

    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run on an X server";
        ASSERT_TRUE(WaitUntil([] { return QSystemTrayIcon::isSystemTrayAvailable(); }))
            << "run with a notification area";
        testsupport::WriteFile(
            dir.File("Stocks.cfg"), "sh000001\r\nsz399001\r\nsh600519\r\nsh601318\r\nsz000858\r\n");
        form = std::make_unique<TMainForm>(
            nullptr, TMainFormFiles { dir.File("Stocks.dat"), dir.File("Stocks.cfg"), maker });
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }

    void TearDown() override
    {
        if (form)
            form->pmMainMenu->Engine()->CloseMenu(0);
        form.reset();
    }

    QString State() const { return testsupport::WindowState(form->windowHandle()->winId()); }

    FakeServices services;
    LoopbackWeb web { services };
    testsupport::TempDir dir;
    TMakerAddresses maker; // none: no web start-up step
    std::unique_ptr<TMainForm> form;
};

// The same with a maker's site that the loopback services play.
class MainFormX11Web : public MainFormX11 {
protected:
    MainFormX11Web() { maker = TMakerAddresses::At("http://maker.qelvo.test"); }
};

TEST_F(MainFormX11, TheWindowHasItsSizeNoTaskbarEntryAndShowsTheServicesQuotes)
{
    EXPECT_TRUE(form->InTray());
    EXPECT_EQ(form->size(), QSize(314, 333));
    EXPECT_TRUE(WaitUntil([&] { return State().contains(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")); }))
        << State().toStdString();

    form->tmr1Timer(form->tmr1);
    ASSERT_TRUE(WaitUntil([&] { return !form->Refreshing(); }));
    EXPECT_EQ(form->bsSkinListView1->ItemCount(), 5);
    QTest::qWait(300);
    SaveScreen(QStringLiteral("main-window.png"), form->frameGeometry().adjusted(-10, -10, 10, 10));
}

TEST_F(MainFormX11, StyleItemsReachTheWindowManager)
{
    struct Row {
        TMenuItem* item;
        bool above, below;
    };
    const Row rows[] = { { form->mmFormStyleStayOnTop, true, false },
        { form->mmFormStyleOnDesttop, false, true }, { form->mmFormStyleNormal, false, false } };
    for (const Row& row : rows) {
        row.item->Click();
        QTest::qWait(50);
        const bool settled = WaitUntil([&] {
            const QString s = State();
            return s.contains(QStringLiteral("_NET_WM_STATE_ABOVE")) == row.above
                && s.contains(QStringLiteral("_NET_WM_STATE_BELOW")) == row.below;
        });
        EXPECT_TRUE(settled) << row.item->Name() << ": " << State().toStdString();
    }
}

TEST_F(MainFormX11, ARightClickOnTheTrayIconOpensTheMenuAlsoWhileTheWindowIsHidden)
{
    ASSERT_TRUE(WaitUntil([&] { return form->TrayIcon1->geometry().isValid(); })) << "icon not embedded";
    const QRect icon = form->TrayIcon1->geometry();
    form->mmHide->Click();
    ASSERT_TRUE(WaitUntil([&] { return !form->isVisible(); }));
    const QPoint c = icon.center();
    RunTool(QStringLiteral("xdotool"),
        { QStringLiteral("mousemove"), QString::number(c.x()), QString::number(c.y()),
            QStringLiteral("click"), QStringLiteral("3") });
    TbsSkinMenu* engine = form->pmMainMenu->Engine();
    ASSERT_TRUE(WaitUntil([&] { return engine->Visible() && engine->Count() > 0; }));
    ASSERT_TRUE(WaitUntil([&] { return engine->Window(0)->isVisible(); }));
    // The menu offers "显示" now, and not "隐藏".
    EXPECT_TRUE(form->mmShow->Visible());
    EXPECT_FALSE(form->mmHide->Visible());
    QTest::qWait(300);
    SaveScreen(QStringLiteral("main-menu.png"),
        engine->Window(0)->geometry().united(icon).adjusted(-20, -20, 20, 20));
}

TEST_F(MainFormX11, MinimizedByTheWindowManagerTheMenuOffersToShowTheWindowAgain)
{
    const QString id = QString::number(form->windowHandle()->winId());
    // The manager may still be taking the new window over: ask again until it minimizes.
    const auto minimize = [&] {
        for (int attempt = 0; attempt < 5 && !form->isMinimized(); ++attempt) {
            RunTool(QStringLiteral("xdotool"), { QStringLiteral("windowminimize"), id });
            WaitUntil([&] { return form->isMinimized(); }, 1000);
        }
        return form->isMinimized();
    };
    ASSERT_TRUE(WaitUntil([&] { return State().contains(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")); }));
    ASSERT_TRUE(minimize()) << State().toStdString();
    EXPECT_TRUE(form->mmShow->Visible());
    EXPECT_FALSE(form->mmHide->Visible());

    form->mmShow->Click();
    EXPECT_TRUE(WaitUntil([&] { return !State().contains(QStringLiteral("_NET_WM_STATE_HIDDEN")); }))
        << State().toStdString();
    EXPECT_FALSE(form->isMinimized());
    EXPECT_TRUE(form->mmHide->Visible());

    // Restored by the window manager (a pager, a keyboard shortcut): the menu follows too.
    ASSERT_TRUE(minimize());
    RunTool(QStringLiteral("xdotool"), { QStringLiteral("windowactivate"), id });
    EXPECT_TRUE(WaitUntil([&] { return !form->isMinimized() && form->mmHide->Visible(); }))
        << State().toStdString();
}

} // namespace

// With a maker's site (the loopback services): the search panel with a term,
// the advertisement strip and the news popup above the tray, on one screenshot
// (main-web.png).
TEST_F(MainFormX11Web, TheWebSideShowsSearchPanelAdvertisementAndNews)
{
    form->tmr1Timer(form->tmr1);
    ASSERT_TRUE(WaitUntil([&] { return !form->Refreshing(); }, 15000));
    form->NuvWebSerachPanel1->SubEdit()->setText(QStringLiteral("股票"));

    form->AdTimerTimer(form->AdTimer);
    ASSERT_TRUE(WaitUntil([&] { return form->NuvPopupNewsForm1->FormCount() == 1; }, 15000));
    auto* news = qobject_cast<TNuvSelfPopupNewsForm*>(form->NuvPopupNewsForm1->Form(0));
    ASSERT_NE(news, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(news));
    ASSERT_TRUE(WaitUntil(
        [&] {
            return news->WebNews->CurrentView().shows == TCppWebBrowser::Shows::Html
                && form->NuvAdPanel1->WebBrowser()->CurrentView().shows == TCppWebBrowser::Shows::Html;
        },
        15000));
    // The window manager's frame included, the popup sits in the corner of
    // the work area, above the tray.
    QTest::qWait(300);
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(news->frameGeometry(), QRect(work.right() - 249, work.bottom() - 199, 250, 200));
    SaveScreen(QStringLiteral("main-web.png"), QGuiApplication::primaryScreen()->geometry());
}
