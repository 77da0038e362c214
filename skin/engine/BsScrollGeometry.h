#pragma once
// Geometry of skinned scroll bars (track, arrow buttons, thumb length and
// place, the position a thumb drag gives, position clamping) and of skinned
// list boxes (item height, height for a row count).

#include "BsTypes.h"

#include <QPoint>

// The parts of a scroll bar skin the geometry uses; "trackarea" and the two
// button rects are relative to "skinrect".
struct TbsScrollBarSkinGeom {
    TRect SkinRect;
    QPoint RTPoint, LBPoint; // where the look splits for resizing
    TRect TrackArea, UpButtonRect, DownButtonRect;
    TRect ThumbRect; // the thumb's look (its size matters here)
    int ThumbMinSize = 0;
    int ThumbMinPageSize = 0;
};

struct TbsScrollRange {
    int Min = 0;
    int Max = 100;
    int Position = 0;
    int PageSize = 0; // 0: fixed-size thumb
};

struct TbsScrollBarRects {
    TRect Track, UpButton, DownButton, Thumb;
};

// Skinned bar of size w x h; vertical bars run the same way along y.
TbsScrollBarRects CalcSkinScrollBarRects(
    const TbsScrollBarSkinGeom& skin, bool vertical, int w, int h, const TbsScrollRange& range);
// Built-in bar: 16-pixel buttons inside a 1-pixel margin, the track between;
// with both, a horizontal bar leaves bothMarkerWidth at its right for the corner.
TbsScrollBarRects CalcDefaultScrollBarRects(
    bool vertical, int w, int h, const TbsScrollRange& range, bool both = false, int bothMarkerWidth = 19);

// The thumb's place along a track: the fraction the position stands for and
// the thumb's start for a given length.
double ScrollFraction(const TbsScrollRange& range);
int ThumbStart(int trackStart, int trackLength, int thumbLength, double fraction);

// Position clamped to [Min, Max - PageSize + 1] with a page, else [Min, Max].
int ClampScrollPosition(const TbsScrollRange& range, int position);
// A page size is accepted only when Max - Min + 1 >= pageSize + Position.
bool AcceptsPageSize(const TbsScrollRange& range, int pageSize);
// The position while dragging a thumb that started thumbOffset pixels into
// its run and has travelled by travel pixels.
int ScrollPositionFromDrag(
    const TbsScrollRange& range, int trackLength, int thumbLength, int thumbOffset, int travel);

// Turns mouse-wheel deltas into whole steps. A wheel notch (an angle delta of
// 120) is one step; the finer deltas of high-resolution wheels and touchpads
// add up until they make one, and a touchpad's pixel delta counts against a
// step's height in pixels when one is given. Turning the other way starts
// afresh.
class TbsWheelSteps {
public:
    static constexpr int NotchDelta = 120;
    // Steps for one wheel event, positive away from the user.
    int Add(int angleDelta, int pixelDelta = 0, int pixelsPerStep = 0);
    void Reset();

private:
    long long rest_ = 0;
    bool pixels_ = false;
};

// List box item height: the skin's item look height when skinned and
// useSkinItemHeight, else the default.
int ListBoxItemHeight(bool skinned, bool useSkinItemHeight, int skinItemHeight, int defaultItemHeight);

struct TbsListBoxRowsInput {
    bool Skinned = false;
    int SkinRectHeight = 0; // height of "skinrect"
    int ClientRectHeight = 0; // height of "clientrect"
    int ItemHeight = 0;
    bool CaptionMode = false;
    int DefaultCaptionHeight = 20;
    int HorizontalBarHeight = 0; // 0 when there is none
};
// The control height that shows rows items.
int ListBoxHeightForRows(const TbsListBoxRowsInput& in, int rows);
