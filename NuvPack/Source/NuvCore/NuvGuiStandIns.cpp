#include "NuvGuiStandIns.h"

#include <QCursor>
#include <QWidget>
#include <QWindow>

namespace nuvgui_standin {

QPoint CursorPos()
{
    return QCursor::pos();
}

namespace {

    // Sets new flags on a window without recreating it while it is being shown,
    // and by a re-show when it is already on screen.
    void ApplyFlags(QWidget* window, Qt::WindowFlags flags)
    {
        if (flags == window->windowFlags())
            return;
        if (window->isVisible()) {
            window->setWindowFlags(flags);
            window->show();
            return;
        }
        window->overrideWindowFlags(flags);
        if (QWindow* handle = window->windowHandle())
            handle->setFlags(flags);
    }

} // namespace

// A tool window has no taskbar or pager entry on the X11 desktops.
void SetSkipTaskbar(QWidget* window)
{
    ApplyFlags(window, (window->windowFlags() & ~Qt::WindowType_Mask) | Qt::Tool);
}

bool SkipsTaskbar(const QWidget* window)
{
    return window->windowType() == Qt::Tool;
}

void SetBelowAll(QWidget* window)
{
    ApplyFlags(window, (window->windowFlags() & ~Qt::WindowStaysOnTopHint) | Qt::WindowStaysOnBottomHint);
}

bool IsBelowAll(const QWidget* window)
{
    return window->windowFlags().testFlag(Qt::WindowStaysOnBottomHint);
}

} // namespace nuvgui_standin
