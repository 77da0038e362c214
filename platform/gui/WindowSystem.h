#pragma once
// What a window asks of the window system: moves and resizes run by the window
// manager, the window's shape, the work area of its monitor, the cursor
// position, stacking (top-most, below all), workspaces and the taskbar entry. One
// implementation talks to Qt (X11 is the reference); tests install a fake
// that records what was asked.

#include <QPoint>
#include <QRect>
#include <QRegion>

#include <Qt>

class QWidget;

class IWindowSystem {
public:
    virtual ~IWindowSystem() = default;

    // Hands a move or resize of the top-level window to the window manager,
    // which follows the pressed mouse button. False when it cannot (the
    // caller then moves or resizes the window itself).
    virtual bool StartSystemMove(QWidget* window) = 0;
    virtual bool StartSystemResize(QWidget* window, Qt::Edges edges) = 0;

    // Cuts the window to region, in window coordinates; an empty region
    // removes the shape.
    virtual void SetShape(QWidget* window, const QRegion& region) = 0;

    // The available area (without panels) of the monitor the window is on,
    // that monitor's whole rect, and the primary monitor's rect; global coordinates.
    virtual QRect WorkArea(const QWidget* window) const = 0;
    virtual QRect MonitorRect(const QWidget* window) const = 0;
    virtual QRect PrimaryMonitorRect() const = 0;

    virtual QPoint CursorPos() const = 0;

    // Stacking and the taskbar entry; each keeps the window's visibility.
    virtual void SetTopMost(QWidget* window, bool on) = 0;
    virtual void SetBelowAll(QWidget* window, bool on) = 0;
    virtual void SetSkipTaskbar(QWidget* window, bool on) = 0;
    virtual bool SkipsTaskbar(const QWidget* window) const = 0;
    // Shows the window on every workspace (virtual desktop), or on one again.
    virtual void SetOnAllDesktops(QWidget* window, bool on) = 0;

    // Minimizes, or brings back, every visible top-level window of the program.
    virtual void MinimizeApplication() = 0;
    virtual void RestoreApplication() = 0;
};

// The window system in use: the Qt one unless a test installed another.
IWindowSystem& WindowSystem();
// Installs system (null: the Qt one again) and answers the previous one.
IWindowSystem* SetWindowSystem(IWindowSystem* system);
