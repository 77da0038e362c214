#pragma once
// TEMPORARY STAND-INS, the one place that holds them for the window helpers:
//  - GBK text at the Qt boundary, until the platform's GbkText.h
//    (Qelvo::PlatformText) is on this branch;
//  - the window-system actions (no taskbar entry, below all windows, cursor
//    position), until the platform's window-system interface is.
// The helpers call nothing else for these; replacing this file replaces them.

#include <QPoint>
#include <QString>

#include <string>

class QWidget;

namespace nuvgui_standin {

QString GbkToQString(const std::string& gbk);
std::string QStringToGbk(const QString& text);

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
