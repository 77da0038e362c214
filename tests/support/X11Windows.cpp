#include "X11Windows.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QScreen>

#include <X11/Xlib.h>
#include <X11/extensions/shape.h>

namespace testsupport {

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

void CloseLikeATaskbar(WId id)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return;
    XEvent event {};
    event.xclient.type = ClientMessage;
    event.xclient.window = static_cast<Window>(id);
    event.xclient.message_type = XInternAtom(display, "_NET_CLOSE_WINDOW", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = CurrentTime;
    event.xclient.data.l[1] = 2; // source: a pager or taskbar
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
        &event);
    XCloseDisplay(display);
}

QString RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(5000);
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

void Xdotool(const QStringList& arguments)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    QDeadlineTimer deadline(10000);
    while (process.state() != QProcess::NotRunning && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    process.waitForFinished(100);
}

QString XProp(WId window, const QString& property)
{
    const QStringList which = window == 0 ? QStringList { QStringLiteral("-root") }
                                          : QStringList { QStringLiteral("-id"), QString::number(window) };
    return RunTool(QStringLiteral("xprop"), which + QStringList { property });
}

QString WindowState(WId window)
{
    return XProp(window, QStringLiteral("_NET_WM_STATE"));
}

bool SaveArtifact(const QImage& image, const QString& name)
{
    const QString dir = qEnvironmentVariable("QELVO_ARTIFACT_DIR");
    if (dir.isEmpty())
        return false;
    QDir().mkpath(dir);
    return image.save(dir + u'/' + name);
}

QImage SaveScreen(const QString& name, QRect area)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    area = area.intersected(screen->geometry());
    const QImage shot = screen->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
    SaveArtifact(shot, name);
    return shot;
}

} // namespace testsupport
