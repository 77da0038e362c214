#include "BsControlGeometry.h"

#include <algorithm>

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
        return { skin.SkinRect.Width(), skin.SkinRect.Height() };
    case rmWidth:
        return { size.width(), skin.SkinRect.Height() };
    case rmHeight:
        return { skin.SkinRect.Width(), size.height() };
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

namespace {

// A look never yields an image larger than the control: in mode 0 the look is
// cut to w x h, in mode 2 to h rows, in mode 3 to w columns (the part cut off
// lies outside the control and would never show).
TRect CutToControl(const TRect& r, int w, int h, bool cutWidth, bool cutHeight)
{
    TRect cut = r;
    if (cutWidth)
        cut.Right = r.Left + std::clamp(r.Width(), 0, std::max(w, 0));
    if (cutHeight)
        cut.Bottom = r.Top + std::clamp(r.Height(), 0, std::max(h, 0));
    return cut;
}

} // namespace

QImage CreateControlSkinImage(
    const TbsControlSkinGeom& skin, const QImage& picture, const TRect& look, int w, int h)
{
    const TbsNinePieceLayout& l = skin.Layout;
    const int sw = skin.SkinRect.Width();
    const int sh = skin.SkinRect.Height();
    switch (CalcResizeMode(skin)) {
    case rmNone:
        break;
    case rmFixed: {
        const TRect r = CutToControl(look, w, h, true, true);
        QImage image(std::max(r.Width(), 0), std::max(r.Height(), 0), QImage::Format_RGB32);
        image.fill(0xFF000000u);
        bsutils::CopyPiece(image, 0, 0, picture, r);
        return image;
    }
    case rmWidth: {
        const TRect r = CutToControl(look, w, h, false, true);
        return CreateHSkinImage(
            l.LTPoint.x(), sw - l.RTPoint.x(), picture, r, w, r.Height(), l.StretchEffect);
    }
    case rmHeight: {
        const TRect r = CutToControl(look, w, h, true, false);
        return CreateVSkinImage(l.LTPoint.y(), sh - l.LBPoint.y(), picture, r, r.Width(), h, l.StretchEffect);
    }
    case rmBoth:
        return CreateSkinImage(l, picture, look, w, h);
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
    // Pixels the mask's pieces do not cover are outside the shape, in every mode.
    auto blank = [](int bw, int bh) {
        QImage image(std::max(bw, 0), std::max(bh, 0), QImage::Format_Grayscale8);
        image.fill(255);
        return image;
    };
    switch (CalcResizeMode(skin)) {
    case rmNone:
        return {};
    case rmFixed:
        return CreateSkinSimplyRegion(mask, QSize(std::max(w, 0), std::max(h, 0)));
    case rmBoth:
        return CreateSkinRegion(l, mask, whole, w, h);
    case rmWidth: {
        const TRect r = CutToControl(whole, w, h, false, true);
        QImage image = blank(w, r.Height());
        DrawHSkinImage(image, l.LTPoint.x(), whole.Width() - l.RTPoint.x(), mask, r, w, r.Height(), false);
        return RegionFromBlackPixels(image);
    }
    case rmHeight: {
        const TRect r = CutToControl(whole, w, h, true, false);
        QImage image = blank(r.Width(), h);
        DrawVSkinImage(image, l.LTPoint.y(), whole.Height() - l.LBPoint.y(), mask, r, r.Width(), h, false);
        return RegionFromBlackPixels(image);
    }
    }
    return {};
}
