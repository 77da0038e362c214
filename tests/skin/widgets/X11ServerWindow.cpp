#include "X11ServerWindow.h"

#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

ServerWindow QueryServer(WId id)
{
    ServerWindow result;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return result;
    const auto window = static_cast<Window>(id);
    Window root;
    int x, y;
    unsigned w, h, border, depth;
    if (XGetGeometry(display, window, &root, &x, &y, &w, &h, &border, &depth))
        result.size = QSize(static_cast<int>(w), static_cast<int>(h));
    int events, errors;
    if (XShapeQueryExtension(display, &events, &errors)) {
        Bool boundingShaped = False, clipShaped = False;
        int bx, by, cx, cy;
        unsigned bw, bh, cw, ch;
        XShapeQueryExtents(
            display, window, &boundingShaped, &bx, &by, &bw, &bh, &clipShaped, &cx, &cy, &cw, &ch);
        result.shaped = boundingShaped;
        int count = 0, ordering = 0;
        XRectangle* rects = XShapeGetRectangles(display, window, ShapeBounding, &count, &ordering);
        for (int i = 0; i < count; ++i)
            result.shape += QRect(rects[i].x, rects[i].y, rects[i].width, rects[i].height);
        if (rects)
            XFree(rects);
    }
    XCloseDisplay(display);
    return result;
}
