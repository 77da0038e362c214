#include "BsSkinDataGeometry.h"

#include "ChineseFonts.h"

#include "BsBitmapFile.h"
#include "BsSkinSectionIO.h"
#include "GbkText.h"

#include <algorithm>
#include <string_view>

bool IsSkinLoaded(const TbsSkinData* skinData)
{
    return skinData && !skinData->Empty();
}

QSize SkinPictureBounds(const QImage* picture)
{
    if (picture && !picture->isNull())
        return picture->size();
    return { MaxBitmapDimension, MaxBitmapDimension };
}

TRect ClipSkinRect(const TRect& r, QSize bounds)
{
    const int left = std::clamp(r.Left, 0, bounds.width());
    const int top = std::clamp(r.Top, 0, bounds.height());
    return { left, top, std::clamp(r.Right, left, bounds.width()),
        std::clamp(r.Bottom, top, bounds.height()) };
}

QPoint ClipSkinPoint(QPoint p, QSize bounds)
{
    return { std::clamp(p.x(), 0, bounds.width()), std::clamp(p.y(), 0, bounds.height()) };
}

namespace {

int ClipExtent(int value, int bound)
{
    return std::clamp(value, -bound, bound);
}

QSize SizeOf(const TRect& r)
{
    return { r.Width(), r.Height() };
}

} // namespace

TbsFrameSkin FrameSkinOf(const TbsSkinData& d)
{
    TbsFrameSkin s;
    // Bounded by the main picture itself: a skin without one has no frame
    // bands at all, so every figure of the frame clips to nothing.
    const QSize b = d.Picture.size();
    // The mask area is cut from the mask, which may be of another size.
    const QSize maskBounds = d.Mask.isNull() ? b : d.Mask.size();
    s.PictureSize = d.Picture.size();
    s.LTPoint = ClipSkinPoint(d.LTPoint, b);
    s.RTPoint = ClipSkinPoint(d.RTPoint, b);
    s.LBPoint = ClipSkinPoint(d.LBPoint, b);
    s.RBPoint = ClipSkinPoint(d.RBPoint, b);
    s.ClientRect = ClipSkinRect(d.ClRect, b);
    s.CaptionRect = ClipSkinRect(d.CaptionRect, b);
    s.ButtonsRect = ClipSkinRect(d.ButtonsRect, b);
    s.MaskRectArea = ClipSkinRect(d.MaskRectArea, maskBounds);
    s.HitTestLTPoint = ClipSkinPoint(d.HitTestLTPoint, b);
    s.HitTestRTPoint = ClipSkinPoint(d.HitTestRTPoint, b);
    s.HitTestLBPoint = ClipSkinPoint(d.HitTestLBPoint, b);
    s.HitTestRBPoint = ClipSkinPoint(d.HitTestRBPoint, b);
    s.LeftStretch = d.LeftStretch;
    s.RightStretch = d.RightStretch;
    s.TopStretch = d.TopStretch;
    s.BottomStretch = d.BottomStretch;
    s.StretchEffect = d.StretchEffect;
    s.StretchType = d.StretchType;
    s.ButtonsOffset = ClipExtent(d.ButtonsOffset, b.width());
    s.ButtonsInLeft = d.ButtonsInLeft;
    s.BorderWidth = ClipExtent(d.BorderW, std::max({ b.width(), b.height(), 0 }));
    s.AutoRenderingInActiveImage = d.AutoRenderingInActiveImage;
    s.InActiveEffect = d.InActiveEffect;
    s.FormMinWidth = std::clamp(d.FormMinWidth, 0, MaxBitmapDimension);
    return s;
}

TbsControlSkinGeom ControlSkinGeomOf(const TbsDataSkinCustomControl& c, const QImage* picture)
{
    TbsControlSkinGeom g;
    g.SkinRect = ClipSkinRect(c.SkinRect, SkinPictureBounds(picture));
    // Points and client rect are relative to the look.
    const QSize look = SizeOf(g.SkinRect);
    g.Layout.LTPoint = ClipSkinPoint(c.LTPoint, look);
    g.Layout.RTPoint = ClipSkinPoint(c.RTPoint, look);
    g.Layout.LBPoint = ClipSkinPoint(c.LBPoint, look);
    g.Layout.RBPoint = ClipSkinPoint(c.RBPoint, look);
    g.Layout.ClientRect = ClipSkinRect(c.ClRect, look);
    g.Layout.LeftStretch = c.LeftStretch;
    g.Layout.TopStretch = c.TopStretch;
    g.Layout.RightStretch = c.RightStretch;
    g.Layout.BottomStretch = c.BottomStretch;
    g.Layout.StretchEffect = c.StretchEffect;
    g.Layout.StretchType = c.StretchType;
    return g;
}

TbsScrollBarSkinGeom ScrollBarSkinGeomOf(const TbsDataSkinScrollBarControl& c, const QImage* picture)
{
    TbsScrollBarSkinGeom g;
    const QSize b = SkinPictureBounds(picture);
    g.SkinRect = ClipSkinRect(c.SkinRect, b);
    const QSize look = SizeOf(g.SkinRect);
    g.RTPoint = ClipSkinPoint(c.RTPoint, look);
    g.LBPoint = ClipSkinPoint(c.LBPoint, look);
    g.TrackArea = ClipSkinRect(c.TrackArea, look);
    g.UpButtonRect = ClipSkinRect(c.UpButtonRect, look);
    g.DownButtonRect = ClipSkinRect(c.DownButtonRect, look);
    g.ThumbRect = ClipSkinRect(c.ThumbRect, b);
    g.ThumbMinSize = std::clamp(c.ThumbMinSize, 0, MaxBitmapDimension);
    g.ThumbMinPageSize = std::clamp(c.ThumbMinPageSize, 0, MaxBitmapDimension);
    return g;
}

TbsMenuItemSkinGeom MenuItemSkinGeomOf(const TbsDataSkinMenuItem& i, const QImage* picture)
{
    TbsMenuItemSkinGeom g;
    const QSize b = SkinPictureBounds(picture);
    g.SkinRect = ClipSkinRect(i.SkinRect, b);
    g.ActiveSkinRect = ClipSkinRect(i.ActiveSkinRect, b);
    g.DividerRect = ClipSkinRect(i.DividerRect, b);
    // Text and image rects are relative to the item's look.
    g.TextRect = ClipSkinRect(i.TextRect, SizeOf(g.SkinRect));
    g.ImageRect = ClipSkinRect(i.ImageRect, SizeOf(g.SkinRect));
    g.ItemLeftOffset = std::clamp(i.ItemLeftOffset, 0, b.width());
    g.ItemRightOffset = std::clamp(i.ItemRightOffset, 0, b.width());
    g.DividerLeftOffset = std::clamp(i.DividerLeftOffset, 0, b.width());
    g.DividerRightOffset = std::clamp(i.DividerRightOffset, 0, b.width());
    g.StretchEffect = i.StretchEffect;
    g.InActiveStretchEffect = i.InActiveStretchEffect;
    g.DividerStretchEffect = i.DividerStretchEffect;
    g.InActiveTransparent = i.InActiveTransparent;
    g.FontColor = i.FontColor;
    g.ActiveFontColor = i.ActiveFontColor;
    g.UnEnabledFontColor = i.UnEnabledFontColor;
    g.CheckImageRect = ClipSkinRect(i.CheckImageRect, b);
    g.ActiveCheckImageRect = ClipSkinRect(i.ActiveCheckImageRect, b);
    g.RadioImageRect = ClipSkinRect(i.RadioImageRect, b);
    g.ActiveRadioImageRect = ClipSkinRect(i.ActiveRadioImageRect, b);
    g.ArrowImageRect = ClipSkinRect(i.ArrowImageRect, b);
    g.ActiveArrowImageRect = ClipSkinRect(i.ActiveArrowImageRect, b);
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
    const QSize b = SkinPictureBounds(picture);
    g.PictureSize = picture->size();
    g.LTPoint = ClipSkinPoint(w.LTPoint, b);
    g.RTPoint = ClipSkinPoint(w.RTPoint, b);
    g.LBPoint = ClipSkinPoint(w.LBPoint, b);
    g.RBPoint = ClipSkinPoint(w.RBPoint, b);
    g.ItemsRect = ClipSkinRect(w.ItemsRect, b);
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
    AddChineseFallback(font);
    // A glyph as tall as a small window is the most any skin text needs.
    if (height > 0)
        font.setPixelSize(std::min(height, MaxSkinFontHeight));
    font.setBold(style & fsBold);
    font.setItalic(style & fsItalic);
    font.setUnderline(style & fsUnderline);
    font.setStrikeOut(style & fsStrikeOut);
    return font;
}

QFont SkinFont(const TbsSkinFontKeys& font)
{
    return SkinFont(font.FontName, font.FontHeight, font.FontStyle);
}

QFont DefaultControlFont()
{
    return SkinFont("Arial", 14, {});
}

std::optional<TbsMenuHeaderSkin> MenuHeaderSkinOf(const TbsSkinData* d)
{
    if (!IsSkinLoaded(d))
        return std::nullopt;
    for (const char* name : { "menuheader", "label" }) {
        auto* label = d->FindControl<TbsDataSkinLabelControl>(name);
        if (!label)
            continue;
        TbsMenuHeaderSkin h;
        const QImage* picture = d->GetActivePicture(label->PictureIndex);
        if (picture)
            h.Picture = *picture;
        h.SkinRect = ClipSkinRect(label->SkinRect, SkinPictureBounds(picture));
        // The fixed ends are the look's columns left of the left-top point
        // and right of the right-top point; without points it is all middle.
        const int width = h.SkinRect.Width();
        h.LeftOffset = std::clamp(label->LTPoint.x(), 0, width);
        h.RightOffset = label->RTPoint.x() > 0 ? width - std::clamp(label->RTPoint.x(), 0, width) : 0;
        h.StretchEffect = label->StretchEffect;
        h.Font = SkinFont(*label);
        h.FontColor = label->FontColor;
        return h;
    }
    return std::nullopt;
}

namespace {

// One pass over a control skin's keys that clips its figures in place.
class TbsSkinClipper final : public TbsSkinSectionIO {
public:
    explicit TbsSkinClipper(QSize bounds)
        : bounds_(bounds)
    {
    }
    bool Reading() const override { return false; }
    void Integer(const char* key, int& value, int) override
    {
        // Picture indices keep their -1 and their place in the library.
        if (!std::string_view(key).ends_with("pictureindex"))
            value = std::clamp(value, -MaxBitmapDimension, MaxBitmapDimension);
    }
    void Point(const char*, QPoint& value) override { value = ClipSkinPoint(value, bounds_); }
    void Rect(const char*, TRect& value) override { value = ClipSkinRect(value, bounds_); }
    void String(const char*, std::string&, const std::string&) override { }
    void Bool(const char*, bool&) override { }
    void Color(const char*, TColor&, TColor) override { }
    void FontStyles(const char*, TFontStyles&) override { }
    void Alignment(const char*, TAlignment&) override { }
    void StretchType(const char*, TbsStretchType&) override { }
    void MorphKind(const char*, TbsMorphKind&) override { }
    void InActiveEffect(const char*, TbsInActiveEffect&) override { }
    void StdCommand(const char*, TbsStdCommand&) override { }

private:
    QSize bounds_;
};

} // namespace

std::unique_ptr<TbsDataSkinControl> ClippedControlSkin(
    const TbsDataSkinControl& control, const QImage* picture)
{
    std::unique_ptr<TbsDataSkinControl> copy = CloneSkinControl(control);
    if (copy) {
        TbsSkinClipper clipper(SkinPictureBounds(picture));
        copy->ExchangeSection(clipper);
    }
    return copy;
}
