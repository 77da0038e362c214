// HideAppBar is never undone, so its tests run in a program of their own.
#include "NuvForms.h"

#include "NuvGuiStandIns.h"

#include <QDialog>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using nuvgui_standin::IsBelowAll;
using nuvgui_standin::SkipsTaskbar;

TEST(NuvHideAppBar, EveryWindowOfTheProgramLeavesTheTaskbar)
{
    QWidget before; // exists, not shown yet
    QWidget shownBefore;
    shownBefore.show();
    ASSERT_FALSE(SkipsTaskbar(&before));

    EXPECT_FALSE(nuv::HideAppBar());
    EXPECT_TRUE(SkipsTaskbar(&before));
    EXPECT_TRUE(SkipsTaskbar(&shownBefore));
    EXPECT_TRUE(shownBefore.isVisible()) << "a window on screen stays on screen";

    QWidget later;
    later.show();
    EXPECT_TRUE(SkipsTaskbar(&later)) << "windows shown later have no entry either";

    // A window made anew with other flags (as a style change does) loses it not.
    later.setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
    later.show();
    EXPECT_TRUE(SkipsTaskbar(&later));
    EXPECT_TRUE(later.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    QDialog owned(&later); // owned windows never had an entry: left as they are
    owned.show();
    EXPECT_EQ(owned.windowType(), Qt::Dialog);

    EXPECT_TRUE(nuv::HideAppBar()) << "a second call finds it in force";
    EXPECT_TRUE(SkipsTaskbar(&later));
}

TEST(NuvSetFormOnDeskTop, BelowAllAndNoLongerTopMost)
{
    QWidget form(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
    form.show();
    EXPECT_FALSE(nuv::SetFormOnDeskTop(&form));
    EXPECT_TRUE(IsBelowAll(&form));
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(nuv::SetFormOnDeskTop(&form));

    QWidget unshown;
    nuv::SetFormOnDeskTop(&unshown);
    EXPECT_TRUE(unshown.testAttribute(Qt::WA_WState_Created)) << "its window is made first";
    EXPECT_TRUE(IsBelowAll(&unshown));
}

} // namespace
