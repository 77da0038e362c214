#include "QtWindowSystem.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {

QScreen* ScreenOf(const QWidget* window)
{
    if (window) {
        if (QScreen* screen = window->screen())
            return screen;
    }
    return QGuiApplication::primaryScreen();
}

// Changing window flags hides a window; a visible one is shown again.
void SetFlag(QWidget* window, Qt::WindowType flag, bool on)
{
    if (window->windowFlags().testFlag(flag) == on)
        return;
    const bool visible = window->isVisible();
    window->setWindowFlag(flag, on);
    if (visible)
        window->show();
}

QWindow* HandleOf(QWidget* window)
{
    if (!window)
        return nullptr;
    window->winId(); // makes the native window when there is none yet
    return window->windowHandle();
}

} // namespace

bool QtWindowSystem::StartSystemMove(QWidget* window)
{
    QWindow* handle = HandleOf(window);
    return handle && handle->startSystemMove();
}

bool QtWindowSystem::StartSystemResize(QWidget* window, Qt::Edges edges)
{
    QWindow* handle = HandleOf(window);
    return handle && handle->startSystemResize(edges);
}

void QtWindowSystem::SetShape(QWidget* window, const QRegion& region)
{
    if (region.isEmpty())
        window->clearMask();
    else
        window->setMask(region);
}

QRect QtWindowSystem::WorkArea(const QWidget* window) const
{
    QScreen* screen = ScreenOf(window);
    return screen ? screen->availableGeometry() : QRect();
}

QRect QtWindowSystem::MonitorRect(const QWidget* window) const
{
    QScreen* screen = ScreenOf(window);
    return screen ? screen->geometry() : QRect();
}

QRect QtWindowSystem::PrimaryMonitorRect() const
{
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}

QPoint QtWindowSystem::CursorPos() const
{
    return QCursor::pos();
}

void QtWindowSystem::SetTopMost(QWidget* window, bool on)
{
    SetFlag(window, Qt::WindowStaysOnTopHint, on);
}

void QtWindowSystem::SetBelowAll(QWidget* window, bool on)
{
    SetFlag(window, Qt::WindowStaysOnBottomHint, on);
}

void QtWindowSystem::SetSkipTaskbar(QWidget* window, bool on)
{
    // A tool window gets no taskbar entry; keep the frameless hint and the rest.
    const Qt::WindowFlags others = window->windowFlags() & ~Qt::WindowType_Mask;
    const Qt::WindowFlags wanted = others | (on ? Qt::Tool : Qt::Window);
    if (window->windowFlags() == wanted)
        return;
    const bool visible = window->isVisible();
    window->setWindowFlags(wanted);
    if (visible)
        window->show();
}

void QtWindowSystem::MinimizeApplication()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->isWindow())
            window->setWindowState(window->windowState() | Qt::WindowMinimized);
}

void QtWindowSystem::RestoreApplication()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isWindow() && window->windowState().testFlag(Qt::WindowMinimized)) {
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
            window->show();
        }
}
