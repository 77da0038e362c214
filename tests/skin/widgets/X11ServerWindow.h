#pragma once
// What the X server holds for a window: its size and bounding shape. Kept in
// its own unit so Xlib's macros stay away from the test code.

#include <QRegion>
#include <QSize>
#include <QWidget>

struct ServerWindow {
    QSize size;
    QRegion shape; // the bounding shape's rectangles
    bool shaped = false;
};

ServerWindow QueryServer(WId id);
