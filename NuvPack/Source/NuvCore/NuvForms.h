#pragma once
// Helpers for the program's windows: the main window, modal showing,
// the taskbar entry, pinning to the desktop, placing at the mouse cursor and
// zooming a control. A form is a top-level QWidget; positions are screen
// coordinates of the window's outer top-left corner.

#include <QPoint>

class QWidget;

namespace nuv {

// The program's main window: the window message boxes belong to when the
// caller names no owner. The main window registers itself while it is being
// created; null before then and after it is destroyed.
void SetMainForm(QWidget* form);
QWidget* MainForm();

// The program's one modal run: shows the form modally (the other windows take
// no input) and returns when the program hides or closes it, or it is
// destroyed. A window manager's minimize does not end it: the form stays
// modal, only out of sight. A dialog runs its own loop (QDialog::exec) and
// answers its result; any other form answers 0. A queued modal answer (under
// the form's title) is answered at once, without showing the form. Throws
// EAssertionFailed when form is null.
int RunFormModal(QWidget* form);

// Shows a newly created form modally (RunFormModal) and destroys it when the
// modal loop ends, also when showing it throws (the exception travels on).
// The function owns the form from the call on; the modal result is dropped.
void FormShowModal(QWidget* form);

// From now on no window of the program has a taskbar or pager entry: the
// top-level windows that exist now and every one shown later (windows owned
// by another window never have one). Never undone. Returns whether it was
// already in force, so a second call changes nothing.
bool HideAppBar();

// Undoes HideAppBar, for a program that lost its notification area: windows
// shown from now on keep their taskbar entries, and the top-level windows that
// would have one get it back. Does nothing while HideAppBar is not in force.
void ShowAppBar();

// Pins the form to the desktop: below every ordinary window, no longer
// top-most and without a taskbar entry, its native window made first if need
// be. Throws EAssertionFailed when form is null.
void SetFormOnDeskTop(QWidget* form);

// Moves the form's top-left corner to the mouse cursor: x first, then y.
void SetFormPosAtMouse(QWidget* form);

// Drag step, called on each mouse move while a button is held: moves the form
// by the distance the cursor travelled since last (vertically, then
// horizontally) and stores the cursor position in last.
void SetFormPosAsMouseMove(QWidget* form, QPoint& last);

// Sets ctrl's width to width × factor and then its height to height × factor,
// each truncated toward zero. Throws EAssertionFailed when ctrl is null.
void ZoomControl(QWidget* ctrl, int width, int height, float factor);

} // namespace nuv
