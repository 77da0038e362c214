#pragma once
// TEMPORARY STAND-IN, the one place that holds it for the window helpers: the
// window-system actions (no taskbar entry, below all windows, cursor
// position), until the platform's window-system interface is on this branch.
// The helpers call nothing else for these; replacing this file replaces them.

#include <QPoint>

class QWidget;

namespace nuvgui_standin {

// The mouse cursor in screen coordinates.
QPoint CursorPos();
// Gives the window no taskbar or pager entry. Safe on a window that is being
// shown (its native window may exist but is not mapped yet) and on one that
// is on screen.
void SetSkipTaskbar(QWidget* window);
bool SkipsTaskbar(const QWidget* window);
// Keeps the window below all ordinary windows (no longer top-most).
void SetBelowAll(QWidget* window);
bool IsBelowAll(const QWidget* window);

} // namespace nuvgui_standin
