#pragma once
// The plain look of a popup menu: a QMenu built from the menu's items, for
// menus that nothing else presents. The program and the widget tests install
// it as the default presenter when their application object is made.

#include "MenuModel.h"

// Shows a popup menu as a plain QMenu built from its items; a chosen item's
// Click runs after the QMenu has closed.
class TQMenuPresenter : public TMenuPresenter {
public:
    void Present(TPopupMenu& menu, const QPoint& screenPoint) override;
};

// Makes the plain QMenu presenter the default presenter of popup menus.
void InstallPlainMenuPresenter();
