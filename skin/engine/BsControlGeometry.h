#pragma once
// How a skinned control's look resizes: the resize mode a control skin's
// points give, the corner points and client rect at the control's current
// size, and the skin image and shape built for that size.

#include "BsTypes.h"
#include "Bsutils.h"

#include <QImage>
#include <QRegion>
#include <QSize>

// -1: no skin image; 0: fixed size; 1: both directions (nine pieces);
// 2: width only (three pieces across); 3: height only (three pieces down).
enum TbsResizeMode { rmNone = -1, rmFixed = 0, rmBoth = 1, rmWidth = 2, rmHeight = 3 };

// The resizable-image part of a control skin: its look rect in the picture
// and the nine-piece layout relative to it.
struct TbsControlSkinGeom {
    TRect SkinRect;
    TbsNinePieceLayout Layout;
};

TbsResizeMode CalcResizeMode(const TbsControlSkinGeom& skin);

// The size a control of the given size takes: mode 0 takes the skin's size,
// mode 2 its height, mode 3 its width.
QSize CalcControlSize(const TbsControlSkinGeom& skin, QSize size);

// The layout (points and client rect) at size w x h: every point follows its
// corner in mode 1, only the right-top point and client right in mode 2, only
// the left-bottom point and client bottom in mode 3, nothing in mode 0.
TbsNinePieceLayout CalcCurrentLayout(const TbsControlSkinGeom& skin, int w, int h);

// The skin image of look r (S's size; a button passes its state's look) at
// w x h, per mode: 0 copies r, 1 nine pieces, 2 three across, 3 three down.
// The image is never larger than w x h: a look larger than the control is cut
// to it.
QImage CreateControlSkinImage(
    const TbsControlSkinGeom& skin, const QImage& picture, const TRect& r, int w, int h);

// The control's shape from its mask, cut and repeated like the image (whole in
// mode 0, up to w x h); pixels no piece of the mask covers are outside in
// every mode. Empty when there is no mask.
QRegion CreateControlSkinRegion(const TbsControlSkinGeom& skin, const QImage& mask, int w, int h);
