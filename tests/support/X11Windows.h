#pragma once
// Looking at windows the way the X server and the window manager see them, for
// tests on a real X server (qelvo_add_x11_test): the server's size and shape of
// a window, the window manager's properties read with xprop, the desktop tools
// (xdotool, trayer ...) run to the end, and screenshots kept for a person to
// look at. Xlib stays inside the .cpp: its macros clash with Qt's names.

#include <QImage>
#include <QRect>
#include <QRegion>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace testsupport {

// What the X server holds for a window: its size and bounding shape.
struct ServerWindow {
    QSize size;
    QRegion shape; // the bounding shape's rectangles
    bool shaped = false;
};
ServerWindow QueryServer(WId id);

// Asks the window manager to close a window, as a taskbar or pager does
// (_NET_CLOSE_WINDOW); the manager then asks the window's client politely.
void CloseLikeATaskbar(WId window);

// Runs a program to its end (at most 5 s) and answers its standard output, trimmed.
QString RunTool(const QString& program, const QStringList& arguments);

// Runs xdotool to its end (at most 10 s) while this program's event loop runs,
// so its windows answer the pointer and keys as they would a person's (a
// drag on a border reaches the window while the button is still down).
void Xdotool(const QStringList& arguments);

// xprop's answer for one property of a window, or of the root window for 0.
QString XProp(WId window, const QString& property);

// The window manager's state atoms of a window (_NET_WM_STATE), as xprop shows them.
QString WindowState(WId window);

// Saves the part of the primary screen into QELVO_ARTIFACT_DIR under the name;
// nothing when the variable is not set. Answers the grabbed picture.
QImage SaveScreen(const QString& name, QRect area);
// Saves a picture into QELVO_ARTIFACT_DIR under the name; false when it is not set or the save fails.
bool SaveArtifact(const QImage& image, const QString& name);

} // namespace testsupport
