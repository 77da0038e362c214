// The main window on a desktop without a notification area (qelvo_add_x11_test
// ... WM openbox), and one whose notification area starts after the program
// and goes away again: the window is never lost. Without a tray host it keeps
// its taskbar entry in every style and "隐藏" minimizes it; a tray host that
// starts later gets the icon and the window moves into it; when the host goes,
// the window comes back with its taskbar entry.
#include "MainWindowOnX11.h"
#include "MenuModel.h"

#include <QProcess>
#include <QSystemTrayIcon>

using testsupport::WaitUntil;

namespace {

class MainFormNoTrayX11 : public MainWindowOnX11 {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(testsupport::XProp(0, QStringLiteral("_NET_SUPPORTING_WM_CHECK")).contains(u'#'))
            << "run with a window manager";
        ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable()) << "run without a notification area";
        ShowMainWindow();
    }

    void TearDown() override
    {
        if (trayer.state() != QProcess::NotRunning) {
            trayer.kill();
            trayer.waitForFinished(5000);
        }
        MainWindowOnX11::TearDown();
    }

    void StartTrayHost()
    {
        trayer.start(QStringLiteral("trayer"),
            { QStringLiteral("--edge"), QStringLiteral("bottom"), QStringLiteral("--align"),
                QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("pixel"),
                QStringLiteral("--width"), QStringLiteral("120"), QStringLiteral("--height"),
                QStringLiteral("32") });
    }

    bool InTaskbar() const { return !StateHas("_NET_WM_STATE_SKIP_TASKBAR"); }

    QProcess trayer;
};

TEST_F(MainFormNoTrayX11, PinnedThenHiddenTheWindowStaysReachableThroughTheTaskbar)
{
    EXPECT_FALSE(form->InTray());
    form->mmFormStyleOnDesttop->Click();
    ASSERT_TRUE(WaitUntil([&] { return StateHas("_NET_WM_STATE_BELOW"); })) << State().toStdString();
    EXPECT_TRUE(InTaskbar()) << State().toStdString();

    form->mmHide->Click();
    ASSERT_TRUE(WaitUntil([&] { return StateHas("_NET_WM_STATE_HIDDEN"); })) << State().toStdString();
    EXPECT_TRUE(InTaskbar()) << "minimized, not hidden away: " << State().toStdString();
    EXPECT_TRUE(form->mmShow->Visible());

    // Back as a taskbar brings it: activated through the window manager.
    testsupport::Xdotool({ QStringLiteral("windowactivate"), QString::number(Id()) });
    EXPECT_TRUE(WaitUntil([&] { return !form->isMinimized() && form->mmHide->Visible(); }))
        << State().toStdString();
    EXPECT_TRUE(StateHas("_NET_WM_STATE_BELOW")) << "still pinned";
}

TEST_F(MainFormNoTrayX11, ATrayHostThatComesLaterGetsTheIconAndOneThatGoesGivesTheWindowBack)
{
    ASSERT_TRUE(InTaskbar());
    StartTrayHost();
    ASSERT_TRUE(WaitUntil([&] { return form->InTray(); })) << "the program follows the new tray host";
    ASSERT_NE(form->TrayIcon1, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return form->TrayIcon1->geometry().isValid(); }))
        << "the icon is in the tray";
    EXPECT_TRUE(WaitUntil([&] { return !InTaskbar(); })) << State().toStdString();

    form->mmHide->Click();
    EXPECT_TRUE(WaitUntil([&] { return !form->isVisible(); })) << "hidden into the tray, not minimized";

    trayer.kill();
    trayer.waitForFinished(5000);
    ASSERT_TRUE(WaitUntil([&] { return !form->InTray(); }));
    EXPECT_TRUE(WaitUntil([&] { return form->isVisible() && InTaskbar(); })) << State().toStdString();
    EXPECT_TRUE(form->mmHide->Visible());

    // A host that comes again takes the icon again.
    StartTrayHost();
    EXPECT_TRUE(WaitUntil([&] { return form->InTray() && form->TrayIcon1->geometry().isValid(); }));
    EXPECT_TRUE(WaitUntil([&] { return !InTaskbar(); })) << State().toStdString();
}

} // namespace
