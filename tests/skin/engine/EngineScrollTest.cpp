// Scroll bar geometry with and without a skin, thumb drags, position clamping
// and list box heights.
#include "BsScrollGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

// A 64 x 15 horizontal bar resizable in width: 15-pixel buttons at both ends,
// the track between them, a 15 x 13 thumb look.
TbsScrollBarSkinGeom HorizontalSkin()
{
    TbsScrollBarSkinGeom s;
    s.SkinRect = { 0, 0, 64, 15 };
    s.RTPoint = { 49, 0 };
    s.TrackArea = { 15, 0, 49, 15 };
    s.DownButtonRect = { 0, 0, 15, 15 };
    s.UpButtonRect = { 49, 0, 64, 15 };
    s.ThumbRect = { 0, 20, 15, 33 };
    return s;
}

} // namespace

TEST(EngineScroll, SkinnedBarGrowsItsTrackAndMovesTheFarButton)
{
    TbsScrollRange range;
    const TbsScrollBarRects r = CalcSkinScrollBarRects(HorizontalSkin(), false, 200, 15, range);
    EXPECT_EQ(r.Track, TRect(15, 0, 185, 15));
    EXPECT_EQ(r.DownButton, TRect(0, 0, 15, 15));
    EXPECT_EQ(r.UpButton, TRect(185, 0, 200, 15));
    EXPECT_EQ(r.Thumb, TRect(15, 1, 30, 14)); // fixed 15-pixel thumb, 13 thick, centred
}

TEST(EngineScroll, ThumbLengthAndPlaceWithAndWithoutAPage)
{
    struct Case {
        TbsScrollRange range;
        TRect thumb;
    };
    // Track 15..185 (170 long).
    for (Case c : { Case { { 0, 100, 100, 0 }, { 170, 1, 185, 14 } },
             Case { { 0, 100, 50, 0 }, { 93, 1, 108, 14 } }, // 77.5 rounds to even
             Case { { 0, 99, 0, 10 }, { 15, 1, 32, 14 } }, // 170 * 10 / 100 = 17
             Case { { 0, 99, 90, 10 }, { 168, 1, 185, 14 } }, // last page: the thumb ends at the track's end
             Case { { 0, 999, 0, 1 }, { 15, 1, 30, 14 } }, // never shorter than the look
             Case { { 5, 5, 5, 0 }, { 15, 1, 30, 14 } } }) {
        EXPECT_EQ(CalcSkinScrollBarRects(HorizontalSkin(), false, 200, 15, c.range).Thumb, c.thumb)
            << c.range.Position << "/" << c.range.PageSize;
    }
    TbsScrollBarSkinGeom minimum = HorizontalSkin();
    minimum.ThumbMinPageSize = 40;
    EXPECT_EQ(CalcSkinScrollBarRects(minimum, false, 200, 15, { 0, 100, 0, 0 }).Thumb.Width(), 40);
}

TEST(EngineScroll, VerticalBarRunsAlongY)
{
    TbsScrollBarSkinGeom s;
    s.SkinRect = { 0, 0, 15, 64 };
    s.LBPoint = { 0, 49 };
    s.TrackArea = { 0, 15, 15, 49 };
    s.DownButtonRect = { 0, 0, 15, 15 };
    s.UpButtonRect = { 0, 49, 15, 64 };
    s.ThumbRect = { 0, 0, 13, 15 };
    const TbsScrollBarRects r = CalcSkinScrollBarRects(s, true, 15, 214, { 0, 100, 100, 0 });
    EXPECT_EQ(r.Track, TRect(0, 15, 15, 199));
    EXPECT_EQ(r.UpButton, TRect(0, 199, 15, 214));
    EXPECT_EQ(r.Thumb, TRect(1, 184, 14, 199));
}

TEST(EngineScroll, DefaultBar)
{
    const TbsScrollBarRects r = CalcDefaultScrollBarRects(false, 200, 19, { 0, 100, 0, 0 });
    EXPECT_EQ(r.DownButton, TRect(1, 1, 17, 18));
    EXPECT_EQ(r.UpButton, TRect(183, 1, 199, 18));
    EXPECT_EQ(r.Track, TRect(17, 1, 183, 18));
    EXPECT_EQ(r.Thumb, TRect(17, 1, 33, 18));
    const TbsScrollBarRects both = CalcDefaultScrollBarRects(false, 200, 19, { 0, 100, 0, 50 }, true, 19);
    EXPECT_EQ(both.UpButton.Right, 180);
    EXPECT_EQ(both.Thumb.Width(), 73); // 147 * 50 / 101
}

TEST(EngineScroll, PositionClampingAndDrag)
{
    EXPECT_EQ(ClampScrollPosition({ 0, 100, 0, 0 }, 150), 100);
    EXPECT_EQ(ClampScrollPosition({ 0, 100, 0, 0 }, -3), 0);
    EXPECT_EQ(ClampScrollPosition({ 0, 99, 0, 10 }, 150), 90);
    EXPECT_EQ(ClampScrollPosition({ 10, 20, 0, 0 }, 0), 10);
    EXPECT_TRUE(AcceptsPageSize({ 0, 99, 0, 0 }, 100));
    EXPECT_FALSE(AcceptsPageSize({ 0, 99, 5, 0 }, 100));

    // Track 170, thumb 17: a run of 153 pixels.
    const TbsScrollRange paged { 0, 99, 0, 10 };
    EXPECT_EQ(ScrollPositionFromDrag(paged, 170, 17, 0, 500), 90); // beyond the end: Max - PageSize + 1
    EXPECT_EQ(ScrollPositionFromDrag(paged, 170, 17, 0, -20), 0);
    EXPECT_EQ(ScrollPositionFromDrag(paged, 170, 17, 0, 76), 45);
    EXPECT_EQ(ScrollPositionFromDrag({ 0, 100, 0, 0 }, 170, 15, 31, 0), 20);
}

TEST(EngineScroll, ListBoxHeights)
{
    EXPECT_EQ(ListBoxItemHeight(true, true, 19, 20), 19);
    EXPECT_EQ(ListBoxItemHeight(true, false, 19, 20), 20);
    EXPECT_EQ(ListBoxItemHeight(false, true, 19, 20), 20);
    TbsListBoxRowsInput skinned;
    skinned.Skinned = true;
    skinned.SkinRectHeight = 52;
    skinned.ClientRectHeight = 48;
    skinned.ItemHeight = 19;
    EXPECT_EQ(ListBoxHeightForRows(skinned, 5), 99);
    skinned.HorizontalBarHeight = 15;
    EXPECT_EQ(ListBoxHeightForRows(skinned, 5), 114);
    TbsListBoxRowsInput plain;
    plain.ItemHeight = 20;
    EXPECT_EQ(ListBoxHeightForRows(plain, 5), 104);
    plain.CaptionMode = true;
    EXPECT_EQ(ListBoxHeightForRows(plain, 5), 124);
}

TEST(EngineScroll, TheWholeIntRangeNeitherWrapsNorReversesItsBounds)
{
    // Max - Min + 1 of these ranges does not fit an int (fields: Min, Max, Position, PageSize).
    const TbsScrollRange whole { INT_MIN, INT_MAX, 0, 0 };
    const TbsScrollRange paged { INT_MIN, INT_MAX, 0, INT_MAX };
    EXPECT_EQ(ClampScrollPosition(whole, INT_MAX), INT_MAX);
    EXPECT_EQ(ClampScrollPosition(paged, INT_MAX), 1); // Max - PageSize + 1
    EXPECT_EQ(ClampScrollPosition({ 0, 10, 0, 50 }, 5), 0) << "a page beyond the range keeps Min";
    EXPECT_TRUE(AcceptsPageSize(whole, INT_MAX));
    EXPECT_DOUBLE_EQ(ScrollFraction({ INT_MIN, INT_MAX, INT_MAX, 0 }), 1.0);
    EXPECT_DOUBLE_EQ(ScrollFraction({ INT_MIN, INT_MAX, INT_MIN, 0 }), 0.0);
    EXPECT_EQ(ScrollPositionFromDrag(whole, 170, 17, 0, 500), INT_MAX);
    EXPECT_EQ(ScrollPositionFromDrag(whole, 170, 17, 0, -500), INT_MIN);
    const TbsScrollBarRects r
        = CalcSkinScrollBarRects(HorizontalSkin(), false, 200, 15, { INT_MIN, INT_MAX, INT_MAX, INT_MAX });
    EXPECT_GE(r.Thumb.Left, r.Track.Left);
    EXPECT_LE(r.Thumb.Right, r.Track.Right);
}

TEST(EngineScroll, WheelDeltasAddUpToWholeSteps)
{
    struct Row {
        const char* what;
        std::vector<std::pair<int, int>> deltas; // angle, pixels
        int pixelsPerStep;
        std::vector<int> steps;
    };
    const Row rows[] = {
        { "a notch is a step", { { 120, 0 } }, 0, { 1 } },
        { "eight 15-unit deltas", std::vector<std::pair<int, int>>(8, { 15, 0 }), 0,
            { 0, 0, 0, 0, 0, 0, 0, 1 } },
        { "towards the user", { { -120, 0 }, { -240, 0 } }, 0, { -1, -2 } },
        { "turning back starts afresh", { { 100, 0 }, { -100, 0 }, { -20, 0 } }, 0, { 0, 0, -1 } },
        { "pixels against the step's height", { { 0, 7 }, { 0, 7 }, { 0, 7 } }, 10, { 0, 1, 1 } },
        { "pixels without a step height count as angle", { { 120, 7 } }, 0, { 1 } },
        { "the largest deltas", { { INT_MAX, 0 }, { INT_MAX, 0 } }, 0, { INT_MAX / 120, INT_MAX / 120 } },
    };
    for (const Row& row : rows) {
        TbsWheelSteps wheel;
        std::vector<int> steps;
        for (auto [angle, pixels] : row.deltas)
            steps.push_back(wheel.Add(angle, pixels, row.pixelsPerStep));
        EXPECT_EQ(steps, row.steps) << row.what;
    }
}
