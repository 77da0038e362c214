// Size limits, the maximized rect, the parking grid of minimized windows and
// magnetic edges.
#include "BsWindowStates.h"

#include <gtest/gtest.h>

namespace {

// The main window's skin: 429 x 330 frame picture, client rect 297 high, minimum width 200.
TbsSizeLimitsInput Skinned()
{
    TbsSizeLimitsInput in;
    in.Skinned = true;
    in.PictureSize = { 429, 330 };
    in.ClientRect = { 4, 29, 425, 326 };
    in.FormMinWidth = 200;
    return in;
}

} // namespace

TEST(EngineStates, MinimumSizes)
{
    TbsSizeLimitsInput in = Skinned();
    EXPECT_EQ(GetMinWidth(in), 200);
    EXPECT_EQ(GetMinHeight(in), 33);
    in.MinWidth = 500; // wider than the picture
    EXPECT_EQ(GetMinWidth(in), 500);
    in.Minimized = true;
    EXPECT_EQ(GetMinWidth(in), 200);
    in = Skinned();
    in.FormMinWidth = 0;
    EXPECT_EQ(GetMinWidth(in), 429);
    in.MinHeight = 80;
    EXPECT_EQ(GetMinHeight(in), 80);
    in.RolledUp = true;
    EXPECT_EQ(GetMinHeight(in), 33);

    TbsSizeLimitsInput plain;
    EXPECT_EQ(GetMinWidth(plain), 120);
    EXPECT_EQ(GetMinHeight(plain), 25);
    plain.ToolWindow = true;
    EXPECT_EQ(GetMinHeight(plain), 21);
    plain.MinWidth = 300;
    EXPECT_EQ(GetMinWidth(plain), 300);
}

TEST(EngineStates, MaximumSizesAndMaximizedRect)
{
    const TRect work(0, 0, 1920, 1040);
    const TRect monitor(0, 0, 1920, 1080);
    TbsSizeLimitsInput in = Skinned();
    EXPECT_EQ(GetMaxWidth(in, work), 1920);
    EXPECT_EQ(GetMaxHeight(in, work), 1040);
    in.MaxWidth = 800;
    in.MaxHeight = 5000;
    EXPECT_EQ(GetMaxWidth(in, work), 800);
    EXPECT_EQ(GetMaxHeight(in, work), 1040);

    EXPECT_EQ(MaximizedRect(work, monitor, false, monitor), work);
    EXPECT_EQ(MaximizedRect(work, monitor, true, monitor), TRect(1, 1, 1919, 1079));
    const TRect second(1920, 0, 3200, 1024);
    EXPECT_EQ(MaximizedRect(second, second, false, monitor), second);
}

TEST(EngineStates, ParkingGridFillsBottomRowThenUpward)
{
    const TRect work(0, 0, 500, 400);
    const QSize min(200, 33);
    EXPECT_EQ(MinimizedParkingSlot(work, min, {}), QPoint(0, 367));
    EXPECT_EQ(MinimizedParkingSlot(work, min, { { 0, 367 } }), QPoint(200, 367));
    // Two cells fit across 500; the third would pass the right edge.
    EXPECT_EQ(MinimizedParkingSlot(work, min, { { 0, 367 }, { 200, 367 } }), QPoint(0, 334));
    EXPECT_EQ(MinimizedParkingSlot(work, min, { { 200, 367 } }), QPoint(0, 367));
    // Every slot taken: back to the bottom-left one.
    std::vector<QPoint> all;
    for (int y = 367; y >= 0; y -= 33)
        for (int x = 0; x + 200 <= 500; x += 200)
            all.emplace_back(x, y);
    EXPECT_EQ(MinimizedParkingSlot(work, min, all), QPoint(0, 367));
}

TEST(EngineStates, MagneticEdgesSnapHoldAndRelease)
{
    const TRect area(0, 0, 1000, 800);
    const QSize size(200, 100);
    struct Case {
        QPoint proposed, snapped;
    };
    for (Case c : { Case { { 3, 300 }, { 0, 300 } }, Case { { 400, -4 }, { 400, 0 } },
             Case { { 797, 300 }, { 800, 300 } }, Case { { 400, 702 }, { 400, 700 } },
             Case { { -2, 698 }, { 0, 700 } } }) {
        TbsMagneticSnap snap(5);
        EXPECT_EQ(snap.DoMagnetic(c.proposed, size, area, QPoint(500, 500)), c.snapped)
            << c.proposed.x() << "," << c.proposed.y();
    }
    TbsMagneticSnap snap(5);
    EXPECT_EQ(
        snap.DoMagnetic({ 100, 300 }, size, area, { 150, 310 }), QPoint(100, 300)); // far from every edge
    EXPECT_EQ(snap.DoMagnetic({ 4, 300 }, size, area, { 54, 310 }), QPoint(0, 300)); // comes near: snaps
    EXPECT_EQ(snap.DoMagnetic({ 1, 300 }, size, area, { 51, 310 }), QPoint(0, 300)); // held
    EXPECT_EQ(
        snap.DoMagnetic({ 9, 300 }, size, area, { 59, 310 }), QPoint(0, 300)); // cursor moved 5: still held
    EXPECT_EQ(snap.DoMagnetic({ 10, 300 }, size, area, { 60, 310 }), QPoint(10, 300)); // moved 6: follows
    EXPECT_EQ(snap.DoMagnetic({ 12, 300 }, size, area, { 62, 310 }), QPoint(12, 300));
    snap.Reset();
    EXPECT_EQ(snap.DoMagnetic({ 2, 300 }, size, area, { 52, 310 }), QPoint(0, 300));
}
