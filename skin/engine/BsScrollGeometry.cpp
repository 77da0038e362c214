#include "BsScrollGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// Rounds to the nearest integer, halves to even.
int RoundEven(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

// Works along one axis: a rect's start and end on the bar's long axis.
struct Span {
    int Start;
    int End;
    int Length() const { return End - Start; }
};

Span Along(const TRect& r, bool vertical)
{
    return vertical ? Span { r.Top, r.Bottom } : Span { r.Left, r.Right };
}
Span Across(const TRect& r, bool vertical)
{
    return vertical ? Span { r.Left, r.Right } : Span { r.Top, r.Bottom };
}
TRect Make(Span along, Span across, bool vertical)
{
    return vertical ? TRect(across.Start, along.Start, across.End, along.End)
                    : TRect(along.Start, across.Start, along.End, across.End);
}

// Range arithmetic is done in 64 bits: Max - Min + 1 of a full int range does not fit an int.
long long RangeSpan(const TbsScrollRange& r)
{
    return static_cast<long long>(r.Max) - r.Min + 1;
}

int ThumbLength(int trackLength, const TbsScrollRange& range, int minimum, int minimumWithoutPage)
{
    if (range.PageSize > 0) {
        const long long span = RangeSpan(range);
        const int length
            = span > 0 ? RoundEven(double(trackLength) * range.PageSize / double(span)) : trackLength;
        return std::min(std::max(length, minimum), trackLength);
    }
    return std::min(minimumWithoutPage, std::max(trackLength, 0));
}

} // namespace

double ScrollFraction(const TbsScrollRange& r)
{
    const double offset = double(r.Position) - r.Min;
    if (r.PageSize > 0) {
        const long long denominator = RangeSpan(r) - r.PageSize;
        return denominator > 0 ? std::clamp(offset / double(denominator), 0.0, 1.0) : 0.0;
    }
    if (r.Max <= r.Min)
        return 0.0;
    return std::clamp(offset / (double(r.Max) - r.Min), 0.0, 1.0);
}

int ThumbStart(int trackStart, int trackLength, int thumbLength, double fraction)
{
    // The centre runs from start + L/2 to end - L/2, so the thumb's own start
    // runs over trackLength - L; counting from the start keeps an odd-length
    // thumb inside the track at both ends.
    return trackStart + RoundEven((trackLength - thumbLength) * fraction);
}

TbsScrollBarRects CalcSkinScrollBarRects(
    const TbsScrollBarSkinGeom& s, bool vertical, int w, int h, const TbsScrollRange& range)
{
    TbsScrollBarRects rects;
    const int growth = vertical ? h - s.SkinRect.Height() : w - s.SkinRect.Width();
    const int split = vertical ? s.LBPoint.y() : s.RTPoint.x();
    Span track = Along(s.TrackArea, vertical);
    track.End += growth;
    rects.Track = Make(track, Across(s.TrackArea, vertical), vertical);
    // A button in the part that follows the far end moves with it.
    auto place = [&](const TRect& button) {
        if (Along(button, vertical).Start >= split)
            return vertical ? button.Offset(0, growth) : button.Offset(growth, 0);
        return button;
    };
    rects.UpButton = place(s.UpButtonRect);
    rects.DownButton = place(s.DownButtonRect);

    const int thumbLook = Along(s.ThumbRect, vertical).Length();
    const int minimum = s.ThumbMinSize != 0 ? s.ThumbMinSize : thumbLook;
    const int length
        = ThumbLength(track.Length(), range, minimum, s.ThumbMinPageSize != 0 ? s.ThumbMinPageSize : minimum);
    const int start = ThumbStart(track.Start, track.Length(), length, ScrollFraction(range));
    const Span across = Across(s.TrackArea, vertical);
    const int thickness = Across(s.ThumbRect, vertical).Length();
    const int top = across.Start + (across.Length() - thickness) / 2;
    rects.Thumb = Make({ start, start + length }, { top, top + thickness }, vertical);
    return rects;
}

TbsScrollBarRects CalcDefaultScrollBarRects(
    bool vertical, int w, int h, const TbsScrollRange& range, bool both, int bothMarkerWidth)
{
    TbsScrollBarRects rects;
    int length = vertical ? h : w;
    if (both && !vertical)
        length -= bothMarkerWidth;
    const Span across { 1, (vertical ? w : h) - 1 };
    // The down button (decreasing) at the start, the up button at the end.
    rects.DownButton = Make({ 1, 17 }, across, vertical);
    rects.UpButton = Make({ length - 17, length - 1 }, across, vertical);
    const Span track { 17, std::max(length - 17, 17) };
    rects.Track = Make(track, across, vertical);
    const int thumb = ThumbLength(track.Length(), range, 16, 16);
    const int start = ThumbStart(track.Start, track.Length(), thumb, ScrollFraction(range));
    rects.Thumb = Make({ start, start + thumb }, across, vertical);
    return rects;
}

int ClampScrollPosition(const TbsScrollRange& r, int position)
{
    const long long upper = r.PageSize > 0 ? static_cast<long long>(r.Max) - r.PageSize + 1 : r.Max;
    // Never below Min, even when a page larger than the range puts the upper bound there.
    return static_cast<int>(std::max<long long>(r.Min, std::min<long long>(position, upper)));
}

bool AcceptsPageSize(const TbsScrollRange& r, int pageSize)
{
    return RangeSpan(r) >= static_cast<long long>(pageSize) + r.Position;
}

int ScrollPositionFromDrag(
    const TbsScrollRange& r, int trackLength, int thumbLength, int thumbOffset, int travel)
{
    const int run = trackLength - thumbLength;
    if (run <= 0)
        return r.Min;
    const double k = std::clamp((double(thumbOffset) + travel) / run, 0.0, 1.0);
    const long long span = r.PageSize > 0 ? RangeSpan(r) - r.PageSize : RangeSpan(r) - 1;
    return ClampScrollPosition(r, TRect::Saturate(r.Min + std::llrint(double(std::max(span, 0LL)) * k)));
}

int ListBoxItemHeight(bool skinned, bool useSkinItemHeight, int skinItemHeight, int defaultItemHeight)
{
    return skinned && useSkinItemHeight ? skinItemHeight : defaultItemHeight;
}

int ListBoxHeightForRows(const TbsListBoxRowsInput& in, int rows)
{
    long long height = static_cast<long long>(rows) * in.ItemHeight + in.HorizontalBarHeight;
    if (in.Skinned)
        height += static_cast<long long>(in.SkinRectHeight) - in.ClientRectHeight;
    else
        height += 4 + (in.CaptionMode ? in.DefaultCaptionHeight : 0);
    return TRect::Saturate(height);
}

int TbsWheelSteps::Add(int angleDelta, int pixelDelta, int pixelsPerStep)
{
    const bool pixels = pixelDelta != 0 && pixelsPerStep > 0;
    const long long delta = pixels ? pixelDelta : angleDelta;
    const long long unit = pixels ? pixelsPerStep : NotchDelta;
    if (delta == 0)
        return 0;
    if (pixels != pixels_ || (delta > 0) != (rest_ > 0))
        rest_ = 0; // another kind of device, or the other way round: start afresh
    pixels_ = pixels;
    rest_ += delta;
    const long long steps = rest_ / unit;
    rest_ -= steps * unit;
    return static_cast<int>(steps);
}

void TbsWheelSteps::Reset()
{
    rest_ = 0;
}
