// HideAppBar is never undone, so its tests run in a program of their own.
#include "NuvForms.h"

#include "Exception.h"
#include "FakeWindowSystem.h"

#include <QDialog>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using testsupport::FakeWindowSystem;

bool AskedToSkip(const FakeWindowSystem& system, const QWidget* window)
{
    const auto calls = system.CallsOf("skiptaskbar");
    return std::any_of(
        calls.begin(), calls.end(), [&](const auto& call) { return call.Window == window && call.On; });
}

// Runs the event loop until the posted and queued work is done.
void Settle()
{
    QTest::qWait(20);
}

// First: once HideAppBar is in force, every new native window is taken out too.
TEST(NuvSetFormOnDeskTop, BelowAllNotTopMostNoTaskbarEntry)
{
    FakeWindowSystem system;
    QWidget form;
    nuv::SetFormOnDeskTop(&form);
    EXPECT_TRUE(form.testAttribute(Qt::WA_WState_Created)) << "its window is made first";
    ASSERT_EQ(system.Calls.size(), 3u);
    EXPECT_EQ(system.Calls[0].What, "topmost");
    EXPECT_FALSE(system.Calls[0].On);
    EXPECT_EQ(system.Calls[1].What, "belowall");
    EXPECT_TRUE(system.Calls[1].On);
    EXPECT_EQ(system.Calls[2].What, "skiptaskbar");
    EXPECT_TRUE(system.Calls[2].On);
    EXPECT_THROW(nuv::SetFormOnDeskTop(nullptr), EAssertionFailed);
}

TEST(NuvHideAppBar, EveryWindowOfTheProgramLeavesTheTaskbar)
{
    {
        FakeWindowSystem system;
        QWidget before; // exists, not shown yet
        QWidget shownBefore;
        shownBefore.show();
        Settle();
        ASSERT_TRUE(system.Calls.empty()) << "nothing before HideAppBar";

        EXPECT_FALSE(nuv::HideAppBar());
        EXPECT_TRUE(AskedToSkip(system, &before));
        EXPECT_TRUE(AskedToSkip(system, &shownBefore));

        QWidget createdLater; // made now, shown once the loop has run
        Settle();
        EXPECT_TRUE(AskedToSkip(system, &createdLater)) << "taken out before it is shown";
        QWidget shownAtOnce;
        shownAtOnce.show();
        Settle();
        EXPECT_TRUE(AskedToSkip(system, &shownAtOnce));

        QDialog owned(&shownAtOnce); // owned windows have no entry of their own
        owned.show();
        Settle();
        EXPECT_FALSE(AskedToSkip(system, &owned));

        QWidget secondMainWindow; // no loop runs before it is shown
        EXPECT_TRUE(nuv::HideAppBar()) << "a second call finds it in force";
        EXPECT_TRUE(AskedToSkip(system, &secondMainWindow)) << "taken out at once, before it shows";
    }

    // The real window system: windows shown later and windows made anew (as
    // a style change does) appear on screen, without a taskbar entry.
    QWidget later;
    later.show();
    Settle();
    EXPECT_TRUE(later.isVisible());
    EXPECT_EQ(later.windowType(), Qt::Tool);
    later.setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    later.show();
    Settle();
    EXPECT_TRUE(later.isVisible());
    EXPECT_EQ(later.windowType(), Qt::Tool);
    EXPECT_TRUE(later.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

} // namespace
