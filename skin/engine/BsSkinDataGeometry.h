#pragma once
// Bridges from the loaded skin's data classes to the value inputs of the
// picture and geometry algorithms, so windows pass their skin data directly.

#include "BsControlGeometry.h"
#include "BsFrameGeometry.h"
#include "BsMenuGeometry.h"
#include "BsScrollGeometry.h"
#include "BsSkinControls.h"
#include "BsSkinObjects.h"
#include "Bsskindata.h"

#include <optional>

// True when the skin data is present and loaded (not Empty).
bool IsSkinLoaded(const TbsSkinData* skinData);

// The frame values of a loaded skin.
TbsFrameSkin FrameSkinOf(const TbsSkinData& skinData);
TbsControlSkinGeom ControlSkinGeomOf(const TbsDataSkinCustomControl& control);
TbsScrollBarSkinGeom ScrollBarSkinGeomOf(const TbsDataSkinScrollBarControl& scrollBar);
TbsMenuItemSkinGeom MenuItemSkinGeomOf(const TbsDataSkinMenuItem& item);

// The pop-up window skin when the skin data is loaded and its window picture
// exists; none otherwise (menus then draw their default look).
std::optional<TbsPopupWindowSkinGeom> PopupWindowSkinGeomOf(const TbsSkinData* skinData);
// The first "menuitem" skin object, or null.
const TbsDataSkinMenuItem* FindMenuItemSkin(const TbsSkinData* skinData);
// The skin header items are drawn on: the "menuheader" label skin, else the
// "label" one; none without a loaded skin or either entry.
std::optional<TbsMenuHeaderSkin> MenuHeaderSkinOf(const TbsSkinData* skinData);

// A skin font: name (GBK, as the skin stores it), pixel height and styles.
QFont SkinFont(const std::string& name, int height, TFontStyles style);
