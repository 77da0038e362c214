#include "BsWindowStates.h"

#include "BsFrameGeometry.h"

#include <algorithm>
#include <cstdlib>

int GetMinWidth(const TbsSizeLimitsInput& in)
{
    if (!in.Skinned)
        return in.MinWidth > 0 ? in.MinWidth : 120;
    if (in.PictureSize.width() < in.MinWidth && !in.Minimized)
        return in.MinWidth;
    if (in.FormMinWidth > 0)
        return in.FormMinWidth;
    return in.PictureSize.width();
}

int GetMinHeight(const TbsSizeLimitsInput& in)
{
    // The frame's height without any client area.
    const int frameHeight = in.Skinned ? in.PictureSize.height() - in.ClientRect.Height()
                                       : DefaultCaptionHeight(in.ToolWindow) + 6;
    if (frameHeight >= in.MinHeight || in.RolledUp || in.Minimized)
        return frameHeight;
    return in.MinHeight;
}

int GetMaxWidth(const TbsSizeLimitsInput& in, const TRect& area)
{
    return in.MaxWidth > 0 ? std::min(in.MaxWidth, area.Width()) : area.Width();
}

int GetMaxHeight(const TbsSizeLimitsInput& in, const TRect& area)
{
    return in.MaxHeight > 0 ? std::min(in.MaxHeight, area.Height()) : area.Height();
}

TRect MaximizedRect(const TRect& workArea, const TRect& monitor, bool fullScreen, const TRect& primaryMonitor)
{
    const TRect area = fullScreen ? monitor : workArea;
    if (area == primaryMonitor)
        return { area.Left + 1, area.Top + 1, area.Right - 1, area.Bottom - 1 };
    return area;
}

QPoint MinimizedParkingSlot(const TRect& workArea, QSize minSize, const std::vector<QPoint>& taken)
{
    const QPoint first(workArea.Left, workArea.Bottom - minSize.height());
    if (minSize.width() <= 0 || minSize.height() <= 0)
        return first;
    auto isTaken = [&](QPoint p) { return std::find(taken.begin(), taken.end(), p) != taken.end(); };
    for (int y = first.y(); y >= workArea.Top; y -= minSize.height()) {
        for (int x = workArea.Left; x + minSize.width() <= workArea.Right; x += minSize.width()) {
            if (!isTaken(QPoint(x, y)))
                return { x, y };
        }
    }
    return first;
}

int TbsMagneticSnap::SnapAxis(Axis& a, int proposed, int extent, int low, int high, int cursor) const
{
    const bool nearLow = low - size_ < proposed && proposed < low + size_;
    const int far = proposed + extent;
    const bool nearHigh = high - size_ < far && far < high + size_;
    int result = proposed;
    if (a.snapped) {
        // Held until the cursor has travelled away; then it follows the cursor.
        if (std::abs(cursor - a.cursorAtSnap) > size_)
            a.snapped.reset();
        else
            result = *a.snapped;
    } else if (nearLow && !a.wasNearLow) {
        a.snapped = low;
        a.cursorAtSnap = cursor;
        result = low;
    } else if (nearHigh && !a.wasNearHigh) {
        a.snapped = high - extent;
        a.cursorAtSnap = cursor;
        result = high - extent;
    }
    // Only the moment an edge comes near snaps, so a window dragged away is not caught again at once.
    a.wasNearLow = nearLow;
    a.wasNearHigh = nearHigh;
    return result;
}

QPoint TbsMagneticSnap::DoMagnetic(QPoint proposed, QSize windowSize, const TRect& area, QPoint cursor)
{
    const int x = SnapAxis(x_, proposed.x(), windowSize.width(), area.Left, area.Right, cursor.x());
    const int y = SnapAxis(y_, proposed.y(), windowSize.height(), area.Top, area.Bottom, cursor.y());
    return { x, y };
}

void TbsMagneticSnap::Reset()
{
    x_ = Axis();
    y_ = Axis();
}
