#pragma once
// The window system through Qt: system moves and resizes through QWindow,
// shapes as widget masks, monitors through QScreen, stacking and the taskbar
// entry as window flags, workspaces through the X11 window manager.

#include "WindowSystem.h"

class QtWindowSystem : public IWindowSystem {
public:
    bool StartSystemMove(QWidget* window) override;
    bool StartSystemResize(QWidget* window, Qt::Edges edges) override;
    void SetShape(QWidget* window, const QRegion& region) override;
    QRect WorkArea(const QWidget* window) const override;
    QRect MonitorRect(const QWidget* window) const override;
    QRect PrimaryMonitorRect() const override;
    QPoint CursorPos() const override;
    void SetTopMost(QWidget* window, bool on) override;
    void SetBelowAll(QWidget* window, bool on) override;
    void SetSkipTaskbar(QWidget* window, bool on) override;
    bool SkipsTaskbar(const QWidget* window) const override;
    void SetOnAllDesktops(QWidget* window, bool on) override;
    void MinimizeApplication() override;
    void RestoreApplication() override;
};
