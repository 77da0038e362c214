#include "BsFrameObjects.h"

#include "BsFrameGeometry.h"
#include "BsSkinDataGeometry.h"
#include "Bseffects.h"
#include "Bsskindata.h"
#include "Bsutils.h"

#include <QFontMetrics>
#include <QPainter>

using namespace bsutils;

TbsActiveSkinObject::TbsActiveSkinObject(Kind kind, const TbsDataSkinObject& d, const TbsSkinData& skinData)
    : IDName(d.IDName)
    , Hint(d.Hint)
    , SkinRect(d.SkinRect)
    , ActiveSkinRect(d.ActiveSkinRect)
    , InActiveSkinRect(d.InActiveSkinRect)
    , SkinRectInAPicture(d.SkinRectInAPicture)
    , Morphing(d.Morphing)
    , MorphKind(d.MorphKind)
    , ActivePicture(skinData.GetActivePicture(d.PictureIndex))
    , kind_(kind)
{
    if (auto* button = dynamic_cast<const TbsDataSkinButton*>(&d)) {
        DownRect = button->DownRect;
        DisableSkinRect = button->DisableSkinRect;
    }
    if (auto* std = dynamic_cast<const TbsDataSkinStdButton*>(&d)) {
        Command = std->Command;
        RestoreRect = std->RestoreRect;
        RestoreActiveRect = std->RestoreActiveRect;
        RestoreDownRect = std->RestoreDownRect;
        RestoreInActiveRect = std->RestoreInActiveRect;
    }
    if (auto* animate = dynamic_cast<const TbsDataSkinAnimate*>(&d)) {
        // Shown as a button with its first frame; the skin's morphing is off for it.
        Command = animate->Command;
        DownRect = animate->DownSkinRect;
        RestoreRect = animate->RestoreRect;
        RestoreActiveRect = animate->RestoreActiveRect;
        RestoreDownRect = animate->RestoreDownRect;
        RestoreInActiveRect = animate->RestoreInActiveRect;
        if (animate->CountFrames > 1)
            SkinRect.Right = SkinRect.Left + SkinRect.Width() / animate->CountFrames;
    }
    if (auto* caption = dynamic_cast<const TbsDataSkinCaption*>(&d)) {
        TextRect = caption->TextRect;
        FontName = caption->FontName;
        FontHeight = caption->FontHeight;
        FontStyle = caption->FontStyle;
        FontColor = caption->FontColor;
        ActiveFontColor = caption->ActiveFontColor;
        Alignment = caption->Alignment;
        Light = caption->Light;
        LightColor = caption->LightColor;
        ActiveLightColor = caption->ActiveLightColor;
        Shadow = caption->Shadow;
        ShadowColor = caption->ShadowColor;
        ActiveShadowColor = caption->ActiveShadowColor;
    }
    // Without its library picture an object has no active look and does not morph.
    if (!ActivePicture)
        ActiveSkinRect = TRect();
}

TbsActiveSkinObject::TbsActiveSkinObject(std::string idName, TbsStdCommand command)
    : IDName(std::move(idName))
    , Command(command)
    , kind_(Kind::StdButton)
    , builtIn_(true)
{
}

bool TbsActiveSkinObject::SetActive(bool active)
{
    if (Active == active)
        return false;
    Active = active;
    return HasActiveLook();
}

bool TbsActiveSkinObject::UsesRestoreLooks(const TbsFrameDrawContext& c) const
{
    if (RestoreRect.IsNull())
        return false;
    return (Command == cmMaximize && c.Maximized) || (Command == cmMinimize && c.Minimized)
        || (Command == cmRollUp && c.RolledUp);
}

namespace {

// The piece r of src stretched over target of dest (copied when the sizes agree).
void DrawLook(QImage& dest, const TRect& target, const QImage* src, const TRect& r)
{
    if (!src || src->isNull() || r.IsEmpty() || target.IsEmpty())
        return;
    if (r.Width() == target.Width() && r.Height() == target.Height())
        CopyPiece(dest, target.Left, target.Top, *src, r);
    else
        StretchPiece(dest, target, *src, r);
}

QImage Piece(const QImage* src, const TRect& r)
{
    return As32Bit(*src).copy(r.ToQRect()).convertToFormat(QImage::Format_RGB32);
}

} // namespace

void TbsActiveSkinObject::Draw(QImage& dest, QPoint origin, const TbsFrameDrawContext& c) const
{
    if (!c.Skinned || builtIn_ || !Visible || ObjectRect.IsEmpty())
        return;
    const TRect target = ObjectRect.Offset(-origin.x(), -origin.y());
    const bool restore = UsesRestoreLooks(c);
    const TRect normal = restore ? RestoreRect : SkinRect;
    const TRect active = restore ? RestoreActiveRect : ActiveSkinRect;
    const TRect inactive = restore ? RestoreInActiveRect : InActiveSkinRect;
    const TRect down = restore ? RestoreDownRect : DownRect;
    const QImage* normalSource = SkinRectInAPicture ? ActivePicture : c.Picture;

    bool drawn = false;
    if (IsButton() && ActivePicture) {
        if (!Enabled && !DisableSkinRect.IsNull()) {
            DrawLook(dest, target, ActivePicture, DisableSkinRect);
            drawn = true;
        } else if (Enabled && Down && MouseIn && !down.IsNull()) {
            DrawLook(dest, target, ActivePicture, down);
            drawn = true;
        }
    }
    if (!drawn) {
        TbsObjectLookState s;
        s.WindowActive = c.WindowActive;
        s.Enabled = Enabled;
        s.Active = Active;
        s.HasActiveRect = ActivePicture && !active.IsNull();
        s.HasInactiveRect = ActivePicture && !inactive.IsNull();
        s.MorphKf = MorphKf;
        s.Morphing = MorphsWith(c);
        switch (ChooseObjectLook(s)) {
        case TbsObjectLook::None:
            break;
        case TbsObjectLook::Normal:
            // While inactive the frame bands already show a main-picture look.
            if (c.WindowActive || !LookInMainPicture())
                DrawLook(dest, target, normalSource, normal);
            break;
        case TbsObjectLook::Active:
            DrawLook(dest, target, ActivePicture, active);
            break;
        case TbsObjectLook::Inactive:
            DrawLook(dest, target, ActivePicture, inactive);
            break;
        case TbsObjectLook::Morph:
            if (normalSource && !normal.IsEmpty()) {
                const QImage blend = MorphImages(
                    Piece(normalSource, normal), Piece(ActivePicture, active), MorphKf, MorphKind);
                DrawLook(dest, target, &blend, TRect(0, 0, blend.width(), blend.height()));
            }
            break;
        }
    }
    if (IsCaption())
        DrawCaptionText(dest, origin, c);
}

void TbsActiveSkinObject::DrawCaptionText(QImage& dest, QPoint origin, const TbsFrameDrawContext& c) const
{
    const TRect object = ObjectRect.Offset(-origin.x(), -origin.y());
    QPainter painter(&dest);
    if (c.CaptionPaint) {
        c.CaptionPaint(painter, object.ToQRect());
        return;
    }
    if (c.Caption.isEmpty())
        return;
    // The text rect follows the object; its right edge moves by the object's growth.
    TRect text = TextRect.Offset(object.Left, object.Top);
    text.Right += ObjectRect.Width() - SkinRect.Width();
    if (text.IsEmpty())
        return;
    const QFont font = SkinFont(FontName, FontHeight, FontStyle);
    painter.setFont(font);
    const QString shown = QFontMetrics(font).elidedText(c.Caption, Qt::ElideRight, text.Width());
    int align = Qt::AlignVCenter;
    align |= Alignment == taLeftJustify ? Qt::AlignLeft
        : Alignment == taRightJustify   ? Qt::AlignRight
                                        : Qt::AlignHCenter;
    const QRect r = text.ToQRect();
    if (Light) {
        painter.setPen(ToQColor(c.WindowActive ? ActiveLightColor : LightColor));
        painter.drawText(r.translated(-1, -1), align, shown);
    }
    if (Shadow) {
        painter.setPen(ToQColor(c.WindowActive ? ActiveShadowColor : ShadowColor));
        painter.drawText(r.translated(1, 1), align, shown);
    }
    painter.setPen(ToQColor(c.WindowActive ? ActiveFontColor : FontColor));
    painter.drawText(r, align, shown);
}

std::vector<std::unique_ptr<TbsActiveSkinObject>> CreateFrameObjects(const TbsSkinData& skinData)
{
    using Kind = TbsActiveSkinObject::Kind;
    std::vector<std::unique_ptr<TbsActiveSkinObject>> objects;
    if (skinData.Empty())
        return objects;
    for (const auto& d : skinData.ObjectList) {
        const TbsDataSkinObject& data = *d;
        // Menu items and the main-menu bar's pieces belong to menus, not to the frame.
        if (dynamic_cast<const TbsDataSkinMenuItem*>(&data)
            || dynamic_cast<const TbsDataSkinMainMenuItem*>(&data)
            || dynamic_cast<const TbsDataSkinMainMenuBarButton*>(&data))
            continue;
        Kind kind;
        if (dynamic_cast<const TbsDataSkinStdButton*>(&data))
            kind = Kind::StdButton;
        else if (dynamic_cast<const TbsDataSkinButton*>(&data))
            kind = Kind::Button;
        else if (dynamic_cast<const TbsDataSkinCaption*>(&data))
            kind = Kind::Caption;
        else if (dynamic_cast<const TbsDataSkinAnimate*>(&data))
            kind = Kind::Animate;
        else if (dynamic_cast<const TbsDataUserObject*>(&data))
            kind = Kind::User;
        else
            continue;
        objects.push_back(std::make_unique<TbsActiveSkinObject>(kind, data, skinData));
    }
    return objects;
}

std::vector<std::unique_ptr<TbsActiveSkinObject>> CreateDefaultFrameObjects()
{
    std::vector<std::unique_ptr<TbsActiveSkinObject>> objects;
    const std::pair<const char*, TbsStdCommand> buttons[] = { { "closebutton", cmClose },
        { "maxbutton", cmMaximize }, { "minbutton", cmMinimize }, { "rollupbutton", cmRollUp },
        { "sysmenubutton", cmSysMenu }, { "traybutton", cmMinimizeToTray } };
    for (const auto& [name, command] : buttons)
        objects.push_back(std::make_unique<TbsActiveSkinObject>(name, command));
    return objects;
}
