// The window-style component on a real X server with a window manager
// (qelvo_add_x11_test ... WM openbox): the states the manager gives the form's
// window, read back with xprop, for top-most, pinned and normal.
#include "NuvFormStyle.h"
#include "X11Windows.h"

#include <QGuiApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

namespace {

using testsupport::XProp;

struct Seen {
    QString state, desktop;
};

class FormStyleX11 : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run on an X server";
        // The manager announces itself on the root window.
        ASSERT_TRUE(XProp(0, QStringLiteral("_NET_SUPPORTING_WM_CHECK")).contains(QLatin1Char('#')))
            << "run with a window manager";
        for (auto& item : items)
            item = new TMenuItem(&menu);
        style = new TNuvFormStyle(&form);
        style->SetAutoChecked(true);
        style->SetFSNormalMenuItem(items[0]);
        style->SetFSStayOnTopMenuItem(items[1]);
        style->SetFSOnDesktopMenuItem(items[2]);
        form.setWindowTitle(QStringLiteral("Qelvo桌面股票"));
        form.resize(306, 300);
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    Seen Read() const
    {
        const WId id = form.windowHandle()->winId();
        return { XProp(id, QStringLiteral("_NET_WM_STATE")), XProp(id, QStringLiteral("_NET_WM_DESKTOP")) };
    }

    // Waits until the manager shows what wanted says of the window, and a
    // little longer for a change that might still undo it; then answers what
    // the manager shows.
    template <typename Wanted> Seen WaitFor(Wanted wanted) const
    {
        Seen seen = Read();
        for (int i = 0; i < 50 && !wanted(seen); ++i) {
            QTest::qWait(100);
            seen = Read();
        }
        QTest::qWait(300);
        return Read();
    }

    QWidget form;
    QObject menu;
    TMenuItem* items[3] {};
    TNuvFormStyle* style = nullptr;
};

const QString above = QStringLiteral("_NET_WM_STATE_ABOVE");
const QString below = QStringLiteral("_NET_WM_STATE_BELOW");
const QString everyDesktop = QStringLiteral("4294967295");

bool Pinned(const Seen& s)
{
    return s.state.contains(below) && s.desktop.endsWith(everyDesktop);
}
bool TopMost(const Seen& s)
{
    return s.state.contains(above) && !s.state.contains(below) && !s.desktop.endsWith(everyDesktop);
}
bool Ordinary(const Seen& s)
{
    return !s.state.contains(above) && !s.state.contains(below) && !s.desktop.endsWith(everyDesktop);
}

TEST_F(FormStyleX11, TheManagerStacksTheFormAsChosen)
{
    items[1]->Click();
    Seen seen = WaitFor(TopMost);
    EXPECT_TRUE(TopMost(seen)) << seen.state.toStdString() << " / " << seen.desktop.toStdString();

    items[2]->Click();
    seen = WaitFor(Pinned);
    EXPECT_TRUE(Pinned(seen)) << seen.state.toStdString() << " / " << seen.desktop.toStdString();
    EXPECT_FALSE(seen.state.contains(above));

    // Hidden from the tray menu and shown again, it stays pinned.
    form.hide();
    QTest::qWait(200);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    seen = WaitFor(Pinned);
    EXPECT_TRUE(Pinned(seen)) << "after hide and show: " << seen.state.toStdString() << " / "
                              << seen.desktop.toStdString();

    items[0]->Click();
    seen = WaitFor(Ordinary);
    EXPECT_TRUE(Ordinary(seen)) << seen.state.toStdString() << " / " << seen.desktop.toStdString();

    items[2]->Click();
    WaitFor(Pinned);
    items[1]->Click();
    seen = WaitFor(TopMost);
    EXPECT_TRUE(TopMost(seen)) << "pinned, then top-most: " << seen.state.toStdString() << " / "
                               << seen.desktop.toStdString();
}

} // namespace
