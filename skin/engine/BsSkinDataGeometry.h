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

#include <memory>
#include <optional>

// True when the skin data is present and loaded (not Empty).
bool IsSkinLoaded(const TbsSkinData* skinData);

// Every bridge hands on a skin's rectangles and points clipped to the picture
// they refer to (rects relative to a look, to that look's size), offsets and
// sizes to the same bounds, so no figure of a skin, however hostile, makes the
// pictures built from it larger than that picture or their arithmetic
// overflow. Without a picture the bounds are those of the largest picture a
// skin may hold (MaxBitmapDimension on each side).
QSize SkinPictureBounds(const QImage* picture);
TRect ClipSkinRect(const TRect& r, QSize bounds);
QPoint ClipSkinPoint(QPoint p, QSize bounds);

// The frame values of a loaded skin (clipped to its main picture).
TbsFrameSkin FrameSkinOf(const TbsSkinData& skinData);
// A control skin's values; picture is its library picture ("pictureindex").
TbsControlSkinGeom ControlSkinGeomOf(
    const TbsDataSkinCustomControl& control, const QImage* picture = nullptr);
TbsScrollBarSkinGeom ScrollBarSkinGeomOf(
    const TbsDataSkinScrollBarControl& scrollBar, const QImage* picture = nullptr);
// The item skin's values; picture is its library picture ("pictureindex").
TbsMenuItemSkinGeom MenuItemSkinGeomOf(const TbsDataSkinMenuItem& item, const QImage* picture = nullptr);

// The pop-up window skin when the skin data is loaded and its window picture
// exists; none otherwise (menus then draw their default look).
std::optional<TbsPopupWindowSkinGeom> PopupWindowSkinGeomOf(const TbsSkinData* skinData);
// The first "menuitem" skin object, or null.
const TbsDataSkinMenuItem* FindMenuItemSkin(const TbsSkinData* skinData);
// The skin header items are drawn on: the "menuheader" label skin, else the
// "label" one; none without a loaded skin or either entry.
std::optional<TbsMenuHeaderSkin> MenuHeaderSkinOf(const TbsSkinData* skinData);

// A skin font: name (GBK, as the skin stores it), pixel height (at most
// MaxSkinFontHeight) and styles.
constexpr int MaxSkinFontHeight = 256;
QFont SkinFont(const std::string& name, int height, TFontStyles style);
QFont SkinFont(const TbsSkinFontKeys& font);
// A control's font where no skin gives one: the skins' usual face and size,
// with the same Chinese fallback, so that the skin's font, when it comes, is
// the same font and no second face is opened for it.
QFont DefaultControlFont();

// A copy of a control skin with every rect and point clipped to the library
// picture it names (to MaxBitmapDimension without one) and every other figure
// to +-MaxBitmapDimension, picture indices left as they are. Controls draw
// from such copies, so no figure of a skin can make them larger than its
// picture or overflow the sums they make.
std::unique_ptr<TbsDataSkinControl> ClippedControlSkin(
    const TbsDataSkinControl& control, const QImage* picture);
