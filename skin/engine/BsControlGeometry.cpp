#include "BsControlGeometry.h"

TbsResizeMode CalcResizeMode(const TbsControlSkinGeom& skin)
{
    const TbsNinePieceLayout& l = skin.Layout;
    if (skin.SkinRect.IsNull())
        return rmNone;
    if (l.RBPoint.x() != 0 && l.RBPoint.y() != 0)
        return rmBoth;
    if (l.RTPoint.x() != 0 || l.RTPoint.y() != 0)
        return rmWidth;
    if (l.LBPoint.x() != 0 || l.LBPoint.y() != 0)
        return rmHeight;
    return rmFixed;
}

QSize CalcControlSize(const TbsControlSkinGeom& skin, QSize size)
{
    switch (CalcResizeMode(skin)) {
    case rmFixed:
        return {skin.SkinRect.Width(), skin.SkinRect.Height()};
    case rmWidth:
        return {size.width(), skin.SkinRect.Height()};
    case rmHeight:
        return {skin.SkinRect.Width(), size.height()};
    case rmNone:
    case rmBoth:
        break;
    }
    return size;
}

TbsNinePieceLayout CalcCurrentLayout(const TbsControlSkinGeom& skin, int w, int h)
{
    TbsNinePieceLayout l = skin.Layout;
    const int dx = w - skin.SkinRect.Width();
    const int dy = h - skin.SkinRect.Height();
    switch (CalcResizeMode(skin)) {
    case rmBoth:
        l.RTPoint += QPoint(dx, 0);
        l.LBPoint += QPoint(0, dy);
        l.RBPoint += QPoint(dx, dy);
        l.ClientRect.Right += dx;
        l.ClientRect.Bottom += dy;
        break;
    case rmWidth:
        l.RTPoint += QPoint(dx, 0);
        l.ClientRect.Right += dx;
        break;
    case rmHeight:
        l.LBPoint += QPoint(0, dy);
        l.ClientRect.Bottom += dy;
        break;
    case rmNone:
    case rmFixed:
        break;
    }
    return l;
}

QImage CreateControlSkinImage(const TbsControlSkinGeom& skin, const QImage& picture, const TRect& r, int w, int h)
{
    const TbsNinePieceLayout& l = skin.Layout;
    const int sw = skin.SkinRect.Width();
    const int sh = skin.SkinRect.Height();
    switch (CalcResizeMode(skin)) {
    case rmNone:
        break;
    case rmFixed: {
        QImage image(r.Width(), r.Height(), QImage::Format_RGB32);
        image.fill(0xFF000000u);
        bsutils::CopyPiece(image, 0, 0, picture, r);
        return image;
    }
    case rmWidth:
        return CreateHSkinImage(l.LTPoint.x(), sw - l.RTPoint.x(), picture, r, w, r.Height(), l.StretchEffect);
    case rmHeight:
        return CreateVSkinImage(l.LTPoint.y(), sh - l.LBPoint.y(), picture, r, r.Width(), h, l.StretchEffect);
    case rmBoth:
        return CreateSkinImage(l, picture, r, w, h);
    }
    QImage blank(std::max(w, 0), std::max(h, 0), QImage::Format_RGB32);
    blank.fill(0xFF000000u);
    return blank;
}

QRegion CreateControlSkinRegion(const TbsControlSkinGeom& skin, const QImage& mask, int w, int h)
{
    if (mask.isNull())
        return {};
    const TRect whole(0, 0, skin.SkinRect.Width(), skin.SkinRect.Height());
    const TbsNinePieceLayout& l = skin.Layout;
    switch (CalcResizeMode(skin)) {
    case rmNone:
        return {};
    case rmFixed:
        return CreateSkinSimplyRegion(mask);
    case rmBoth:
        return CreateSkinRegion(l, mask, whole, w, h);
    case rmWidth:
        return RegionFromBlackPixels(
            CreateHSkinImage(l.LTPoint.x(), whole.Width() - l.RTPoint.x(), mask, whole, w, whole.Height(), false));
    case rmHeight:
        return RegionFromBlackPixels(
            CreateVSkinImage(l.LTPoint.y(), whole.Height() - l.LBPoint.y(), mask, whole, whole.Width(), h, false));
    }
    return {};
}
