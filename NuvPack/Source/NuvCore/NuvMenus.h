#pragma once
// Popping a popup menu up at the mouse cursor or under a control. The menu
// places itself by its own alignment (left aligned: its top-left corner at
// the point).

class QWidget;
class TPopupMenu;

namespace nuv {

// Pops pm up at the mouse cursor. Throws EAssertionFailed when pm is null.
void PopMenu(TPopupMenu* pm);

// Pops pm up at the point (dx, height of ctrl + dy) in ctrl's own
// coordinates, so with 0 and 0 at ctrl's bottom-left corner. Throws
// EAssertionFailed when pm or ctrl is null.
void PopMenu(TPopupMenu* pm, QWidget* ctrl, int dy, int dx);

} // namespace nuv
