#include "NuvMenus.h"

#include "Exception.h"
#include "MenuModel.h"
#include "WindowSystem.h"

#include <QWidget>

#include <string>

namespace {

void Require(const void* argument, const char* name)
{
    if (!argument)
        throw EAssertionFailed(std::string("Assertion failed: ") + name);
}

} // namespace

namespace nuv {

void PopMenu(TPopupMenu* pm)
{
    Require(pm, "pm");
    const QPoint cursor = WindowSystem().CursorPos();
    pm->Popup(cursor.x(), cursor.y());
}

void PopMenu(TPopupMenu* pm, QWidget* ctrl, int dy, int dx)
{
    Require(pm, "pm");
    Require(ctrl, "ctrl");
    const QPoint point = ctrl->mapToGlobal(QPoint(dx, ctrl->height() + dy));
    pm->Popup(point.x(), point.y());
}

} // namespace nuv
