#pragma once
// Size limits and window-state geometry of a skinned window: minimum and
// maximum sizes, the maximized rect, where minimized windows park, and
// magnetic snapping to the work area's edges.

#include "BsTypes.h"

#include <QPoint>
#include <QSize>

#include <optional>
#include <vector>

// What the limits depend on. PictureSize and ClientRect come from the skin's
// frame values; without a skin they are ignored.
struct TbsSizeLimitsInput {
    bool Skinned = false;
    QSize PictureSize;
    TRect ClientRect;
    int FormMinWidth = 0;
    int MinWidth = 0;
    int MinHeight = 0;
    int MaxWidth = 0;
    int MaxHeight = 0;
    bool Minimized = false;
    bool RolledUp = false;
    bool ToolWindow = false;
};

int GetMinWidth(const TbsSizeLimitsInput& in);
int GetMinHeight(const TbsSizeLimitsInput& in);
// area: the work area of the window's monitor, or the whole monitor when it
// maximizes over it; MaxWidth/MaxHeight apply when set and smaller.
int GetMaxWidth(const TbsSizeLimitsInput& in, const TRect& area);
int GetMaxHeight(const TbsSizeLimitsInput& in, const TRect& area);

// The rect a maximized window covers: the work area (the monitor with
// fullScreen), shrunk by one pixel on each side when it equals the whole
// primary monitor (so an auto-hidden task bar can still be reached).
TRect MaximizedRect(
    const TRect& workArea, const TRect& monitor, bool fullScreen, const TRect& primaryMonitor);

// The top-left corner where a minimized window parks: the first minimum-size
// cell of a grid laid from the work area's bottom-left corner, left to right,
// then row by row upward, that no other parked window's top-left occupies;
// the bottom-left cell when every row is full.
QPoint MinimizedParkingSlot(const TRect& workArea, QSize minSize, const std::vector<QPoint>& taken);

// Magnetic edges while a window is dragged: snaps the proposed position to
// an edge of the work area it comes near, and holds it there until the cursor
// has moved more than the snap distance from where it snapped.
class TbsMagneticSnap {
public:
    explicit TbsMagneticSnap(int snapSize = 5)
        : size_(snapSize)
    {
    }
    QPoint DoMagnetic(QPoint proposed, QSize windowSize, const TRect& workArea, QPoint cursor);
    // Sizing the window forgets the snapped state.
    void Reset();

private:
    struct Axis {
        std::optional<int> snapped; // held coordinate
        int cursorAtSnap = 0;
        bool wasNearLow = false;
        bool wasNearHigh = false;
    };
    int SnapAxis(Axis& axis, int proposed, int extent, int low, int high, int cursor) const;

    int size_;
    Axis x_, y_;
};
