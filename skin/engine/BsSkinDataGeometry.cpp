#include "BsSkinDataGeometry.h"

#include "GbkText.h"

#include <algorithm>

bool IsSkinLoaded(const TbsSkinData* skinData) { return skinData && !skinData->Empty(); }

TbsFrameSkin FrameSkinOf(const TbsSkinData& d)
{
    TbsFrameSkin s;
    s.PictureSize = d.Picture.size();
    s.LTPoint = d.LTPoint;
    s.RTPoint = d.RTPoint;
    s.LBPoint = d.LBPoint;
    s.RBPoint = d.RBPoint;
    s.ClientRect = d.ClRect;
    s.CaptionRect = d.CaptionRect;
    s.ButtonsRect = d.ButtonsRect;
    s.MaskRectArea = d.MaskRectArea;
    s.HitTestLTPoint = d.HitTestLTPoint;
    s.HitTestRTPoint = d.HitTestRTPoint;
    s.HitTestLBPoint = d.HitTestLBPoint;
    s.HitTestRBPoint = d.HitTestRBPoint;
    s.LeftStretch = d.LeftStretch;
    s.RightStretch = d.RightStretch;
    s.TopStretch = d.TopStretch;
    s.BottomStretch = d.BottomStretch;
    s.StretchEffect = d.StretchEffect;
    s.StretchType = d.StretchType;
    s.ButtonsOffset = d.ButtonsOffset;
    s.ButtonsInLeft = d.ButtonsInLeft;
    s.BorderWidth = d.BorderW;
    s.AutoRenderingInActiveImage = d.AutoRenderingInActiveImage;
    s.InActiveEffect = d.InActiveEffect;
    s.FormMinWidth = d.FormMinWidth;
    return s;
}

TbsControlSkinGeom ControlSkinGeomOf(const TbsDataSkinCustomControl& c)
{
    TbsControlSkinGeom g;
    g.SkinRect = c.SkinRect;
    g.Layout.LTPoint = c.LTPoint;
    g.Layout.RTPoint = c.RTPoint;
    g.Layout.LBPoint = c.LBPoint;
    g.Layout.RBPoint = c.RBPoint;
    g.Layout.ClientRect = c.ClRect;
    g.Layout.LeftStretch = c.LeftStretch;
    g.Layout.TopStretch = c.TopStretch;
    g.Layout.RightStretch = c.RightStretch;
    g.Layout.BottomStretch = c.BottomStretch;
    g.Layout.StretchEffect = c.StretchEffect;
    g.Layout.StretchType = c.StretchType;
    return g;
}

TbsScrollBarSkinGeom ScrollBarSkinGeomOf(const TbsDataSkinScrollBarControl& c)
{
    TbsScrollBarSkinGeom g;
    g.SkinRect = c.SkinRect;
    g.RTPoint = c.RTPoint;
    g.LBPoint = c.LBPoint;
    g.TrackArea = c.TrackArea;
    g.UpButtonRect = c.UpButtonRect;
    g.DownButtonRect = c.DownButtonRect;
    g.ThumbRect = c.ThumbRect;
    g.ThumbMinSize = c.ThumbMinSize;
    g.ThumbMinPageSize = c.ThumbMinPageSize;
    return g;
}

TbsMenuItemSkinGeom MenuItemSkinGeomOf(const TbsDataSkinMenuItem& i)
{
    TbsMenuItemSkinGeom g;
    g.SkinRect = i.SkinRect;
    g.ActiveSkinRect = i.ActiveSkinRect;
    g.DividerRect = i.DividerRect;
    g.TextRect = i.TextRect;
    g.ImageRect = i.ImageRect;
    g.ItemLeftOffset = i.ItemLeftOffset;
    g.ItemRightOffset = i.ItemRightOffset;
    g.DividerLeftOffset = i.DividerLeftOffset;
    g.DividerRightOffset = i.DividerRightOffset;
    g.StretchEffect = i.StretchEffect;
    g.InActiveStretchEffect = i.InActiveStretchEffect;
    g.DividerStretchEffect = i.DividerStretchEffect;
    g.InActiveTransparent = i.InActiveTransparent;
    g.FontColor = i.FontColor;
    g.ActiveFontColor = i.ActiveFontColor;
    g.UnEnabledFontColor = i.UnEnabledFontColor;
    g.CheckImageRect = i.CheckImageRect;
    g.ActiveCheckImageRect = i.ActiveCheckImageRect;
    g.RadioImageRect = i.RadioImageRect;
    g.ActiveRadioImageRect = i.ActiveRadioImageRect;
    g.ArrowImageRect = i.ArrowImageRect;
    g.ActiveArrowImageRect = i.ActiveArrowImageRect;
    g.UseImageColor = i.UseImageColor;
    g.ImageColor = i.ImageColor;
    g.ActiveImageColor = i.ActiveImageColor;
    return g;
}

std::optional<TbsPopupWindowSkinGeom> PopupWindowSkinGeomOf(const TbsSkinData* d)
{
    if (!IsSkinLoaded(d))
        return std::nullopt;
    const TbsDataSkinPopupWindow& w = d->PopupWindow;
    const QImage* picture = d->GetActivePicture(w.WindowPictureIndex);
    if (!picture)
        return std::nullopt;
    TbsPopupWindowSkinGeom g;
    g.PictureSize = picture->size();
    g.LTPoint = w.LTPoint;
    g.RTPoint = w.RTPoint;
    g.LBPoint = w.LBPoint;
    g.RBPoint = w.RBPoint;
    g.ItemsRect = w.ItemsRect;
    return g;
}

const TbsDataSkinMenuItem* FindMenuItemSkin(const TbsSkinData* d)
{
    if (!IsSkinLoaded(d))
        return nullptr;
    for (const auto& object : d->ObjectList)
        if (auto* item = dynamic_cast<const TbsDataSkinMenuItem*>(object.get()))
            return item;
    return nullptr;
}

QFont SkinFont(const std::string& name, int height, TFontStyles style)
{
    QFont font(GbkToQString(name));
    if (height > 0)
        font.setPixelSize(height);
    font.setBold(style & fsBold);
    font.setItalic(style & fsItalic);
    font.setUnderline(style & fsUnderline);
    font.setStrikeOut(style & fsStrikeOut);
    return font;
}

std::optional<TbsMenuHeaderSkin> MenuHeaderSkinOf(const TbsSkinData* d)
{
    if (!IsSkinLoaded(d))
        return std::nullopt;
    for (const char* name : {"menuheader", "label"}) {
        auto* label = d->FindControl<TbsDataSkinLabelControl>(name);
        if (!label)
            continue;
        TbsMenuHeaderSkin h;
        if (const QImage* picture = d->GetActivePicture(label->PictureIndex))
            h.Picture = *picture;
        h.SkinRect = label->SkinRect;
        // The fixed ends are the look's columns left of the left-top point
        // and right of the right-top point; without points it is all middle.
        h.LeftOffset = label->LTPoint.x();
        h.RightOffset = label->RTPoint.x() > 0 ? std::max(label->SkinRect.Width() - label->RTPoint.x(), 0) : 0;
        h.StretchEffect = label->StretchEffect;
        h.Font = SkinFont(label->FontName, label->FontHeight, label->FontStyle);
        h.FontColor = label->FontColor;
        return h;
    }
    return std::nullopt;
}
