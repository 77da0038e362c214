#include "BsFrameObjects.h"

#include "BsFrameGeometry.h"
#include "BsSkinDataGeometry.h"
#include "Bseffects.h"
#include "Bsskindata.h"
#include "Bsutils.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

using namespace bsutils;

namespace {

QSize SizeOf(const QImage* picture)
{
    return picture ? picture->size() : QSize(0, 0);
}

// The piece r of src stretched over target of dest (copied when the sizes agree).
void CopyLook(QImage& dest, const TRect& target, const QImage* src, const TRect& r)
{
    if (!src || src->isNull() || r.IsEmpty() || target.IsEmpty())
        return;
    if (r.Width() == target.Width() && r.Height() == target.Height())
        CopyPiece(dest, target.Left, target.Top, *src, r);
    else
        StretchPiece(dest, target, *src, r);
}

// The piece r of src (already inside src).
QImage Piece(const QImage* src, const TRect& r)
{
    return As32Bit(*src).copy(r.ToQRect() & src->rect()).convertToFormat(QImage::Format_RGB32);
}

} // namespace

// ---------------------------------------------------------------- base

TbsActiveSkinObject::TbsActiveSkinObject(const TbsDataSkinObject& d, const TbsSkinData& skinData)
    : IDName(d.IDName)
    , Hint(d.Hint)
    , SkinRectInAPicture(d.SkinRectInAPicture)
    , Morphing(d.Morphing)
    , MorphKind(d.MorphKind)
    , ActivePictureIndex(skinData.GetActivePicture(d.PictureIndex) ? d.PictureIndex : -1)
{
    // Every look is clipped to the picture it is in; without its library
    // picture an object has no active look and does not morph.
    const QImage* library = skinData.GetActivePicture(ActivePictureIndex);
    SkinRect = ClipSkinRect(d.SkinRect, SizeOf(SkinRectInAPicture ? library : &skinData.Picture));
    ActiveSkinRect = InLibrary(d.ActiveSkinRect, skinData);
    InActiveSkinRect = InLibrary(d.InActiveSkinRect, skinData);
}

TbsActiveSkinObject::TbsActiveSkinObject(std::string idName)
    : IDName(std::move(idName))
    , builtIn_(true)
{
}

TRect TbsActiveSkinObject::InLibrary(const TRect& r, const TbsSkinData& skinData) const
{
    return ClipSkinRect(r, SizeOf(skinData.GetActivePicture(ActivePictureIndex)));
}

bool TbsActiveSkinObject::SetActive(bool active)
{
    if (Active == active)
        return false;
    Active = active;
    return HasActiveLook();
}

const QImage* TbsActiveSkinObject::ActivePicture(const TbsFrameDrawContext& c) const
{
    return c.SkinData ? c.SkinData->GetActivePicture(ActivePictureIndex) : nullptr;
}

const QImage* TbsActiveSkinObject::NormalPicture(const TbsFrameDrawContext& c) const
{
    return SkinRectInAPicture ? ActivePicture(c) : c.Picture;
}

TbsActiveSkinObject::Looks TbsActiveSkinObject::CurrentLooks(const TbsFrameDrawContext&) const
{
    return { SkinRect, ActiveSkinRect, InActiveSkinRect };
}

void TbsActiveSkinObject::Draw(QImage& dest, QPoint origin, const TbsFrameDrawContext& c) const
{
    if (!c.Skinned || builtIn_ || !Visible || ObjectRect.IsEmpty())
        return;
    DrawLook(dest, ObjectRect.Offset(-origin.x(), -origin.y()), c, CurrentLooks(c));
}

void TbsActiveSkinObject::DrawLook(
    QImage& dest, const TRect& target, const TbsFrameDrawContext& c, const Looks& looks) const
{
    const QImage* library = ActivePicture(c);
    const QImage* normalSource = NormalPicture(c);
    TbsObjectLookState s;
    s.WindowActive = c.WindowActive;
    s.Enabled = Enabled;
    s.Active = Active;
    s.HasActiveRect = library && !looks.Active.IsNull();
    s.HasInactiveRect = library && !looks.Inactive.IsNull();
    s.MorphKf = MorphKf;
    s.Morphing = MorphsWith(c);
    switch (ChooseObjectLook(s)) {
    case TbsObjectLook::None:
        break;
    case TbsObjectLook::Normal:
        // While inactive the frame bands already show the main picture's look.
        if (c.WindowActive || !LookInMainPicture() || looks.Normal != SkinRect)
            CopyLook(dest, target, normalSource, looks.Normal);
        break;
    case TbsObjectLook::Active:
        CopyLook(dest, target, library, looks.Active);
        break;
    case TbsObjectLook::Inactive:
        CopyLook(dest, target, library, looks.Inactive);
        break;
    case TbsObjectLook::Morph:
        if (normalSource && !looks.Normal.IsEmpty() && !looks.Active.IsEmpty()) {
            const QImage blend = MorphImages(
                Piece(normalSource, looks.Normal), Piece(library, looks.Active), MorphKf, MorphKind);
            CopyLook(dest, target, &blend, TRect(0, 0, blend.width(), blend.height()));
        }
        break;
    }
}

// ---------------------------------------------------------------- buttons

TbsSkinButtonObject::TbsSkinButtonObject(const TbsDataSkinObject& d, const TbsSkinData& skinData)
    : TbsActiveSkinObject(d, skinData)
{
    if (auto* button = dynamic_cast<const TbsDataSkinButton*>(&d)) {
        DownRect = InLibrary(button->DownRect, skinData);
        DisableSkinRect = InLibrary(button->DisableSkinRect, skinData);
    }
}

TbsSkinButtonObject::TbsSkinButtonObject(std::string idName)
    : TbsActiveSkinObject(std::move(idName))
{
}

void TbsSkinButtonObject::Draw(QImage& dest, QPoint origin, const TbsFrameDrawContext& c) const
{
    if (!c.Skinned || IsBuiltIn() || !Visible || ObjectRect.IsEmpty())
        return;
    const TRect target = ObjectRect.Offset(-origin.x(), -origin.y());
    const QImage* library = ActivePicture(c);
    if (library && IsButton()) {
        if (!Enabled && !DisableSkinRect.IsNull()) {
            CopyLook(dest, target, library, DisableSkinRect);
            return;
        }
        const TRect down = CurrentDownLook(c);
        if (Enabled && Down && MouseIn && !down.IsNull()) {
            CopyLook(dest, target, library, down);
            return;
        }
    }
    DrawLook(dest, target, c, CurrentLooks(c));
}

TbsSkinStdButtonObject::TbsSkinStdButtonObject(const TbsDataSkinStdButton& d, const TbsSkinData& skinData)
    : TbsSkinStdButtonObject(d, skinData, d.Command)
{
    RestoreRect = InLibrary(d.RestoreRect, skinData);
    RestoreActiveRect = InLibrary(d.RestoreActiveRect, skinData);
    RestoreDownRect = InLibrary(d.RestoreDownRect, skinData);
    RestoreInActiveRect = InLibrary(d.RestoreInActiveRect, skinData);
}

TbsSkinStdButtonObject::TbsSkinStdButtonObject(
    const TbsDataSkinObject& d, const TbsSkinData& skinData, TbsStdCommand command)
    : TbsSkinButtonObject(d, skinData)
    , command_(command)
{
}

TbsSkinStdButtonObject::TbsSkinStdButtonObject(std::string idName, TbsStdCommand command)
    : TbsSkinButtonObject(std::move(idName))
    , command_(command)
{
}

bool TbsSkinStdButtonObject::UsesRestoreLooks(const TbsFrameDrawContext& c) const
{
    if (RestoreRect.IsNull())
        return false;
    return (command_ == cmMaximize && c.Maximized) || (command_ == cmMinimize && c.Minimized)
        || (command_ == cmRollUp && c.RolledUp);
}

TbsActiveSkinObject::Looks TbsSkinStdButtonObject::CurrentLooks(const TbsFrameDrawContext& c) const
{
    if (UsesRestoreLooks(c))
        return { RestoreRect, RestoreActiveRect, RestoreInActiveRect };
    return TbsSkinButtonObject::CurrentLooks(c);
}

TRect TbsSkinStdButtonObject::CurrentDownLook(const TbsFrameDrawContext& c) const
{
    return UsesRestoreLooks(c) ? RestoreDownRect : DownRect;
}

// ---------------------------------------------------------------- animation

TbsSkinAnimateObject::TbsSkinAnimateObject(const TbsDataSkinAnimate& d, const TbsSkinData& skinData)
    : TbsSkinStdButtonObject(d, skinData, d.Command)
    , Cycle(d.Cycle)
    , ButtonStyle(d.ButtonStyle)
    , TimerInterval(std::max(d.TimerInterval, 1))
{
    DownRect = InLibrary(d.DownSkinRect, skinData);
    RestoreRect = InLibrary(d.RestoreRect, skinData);
    RestoreActiveRect = InLibrary(d.RestoreActiveRect, skinData);
    RestoreDownRect = InLibrary(d.RestoreDownRect, skinData);
    RestoreInActiveRect = InLibrary(d.RestoreInActiveRect, skinData);
    // Every frame is at least one pixel wide; the object is the first frame.
    strip_ = SkinRect;
    CountFrames = std::clamp(d.CountFrames, 1, std::max(strip_.Width(), 1));
    SkinRect.Right = SkinRect.Left + strip_.Width() / CountFrames;
}

bool TbsSkinAnimateObject::SetActive(bool active)
{
    const bool changes = TbsSkinStdButtonObject::SetActive(active);
    // Played forward over the object and back after it.
    return changes || (CountFrames > 1 && !Cycle);
}

int TbsSkinAnimateObject::Target() const
{
    return Active ? CountFrames - 1 : 0;
}

bool TbsSkinAnimateObject::Animating(const TbsFrameDrawContext& c) const
{
    if (CountFrames < 2 || !Visible || ObjectRect.IsEmpty() || !c.MorphEnabled)
        return false;
    return Cycle || Frame != Target();
}

bool TbsSkinAnimateObject::Advance(int elapsed, const TbsFrameDrawContext& c)
{
    if (!Animating(c)) {
        elapsed_ = 0;
        return false;
    }
    elapsed_ += elapsed;
    if (elapsed_ < TimerInterval)
        return false;
    elapsed_ = 0;
    if (Cycle)
        Frame = (Frame + 1) % CountFrames;
    else
        Frame += Frame < Target() ? 1 : -1;
    return true;
}

void TbsSkinAnimateObject::Rewind()
{
    Frame = 0;
    elapsed_ = 0;
}

TbsActiveSkinObject::Looks TbsSkinAnimateObject::CurrentLooks(const TbsFrameDrawContext& c) const
{
    if (CountFrames < 2 || UsesRestoreLooks(c))
        return TbsSkinStdButtonObject::CurrentLooks(c);
    // The frames are its looks: the one shown now, whatever the mouse does.
    const int width = SkinRect.Width();
    const TRect frame = SkinRect.Offset(Frame * width, 0);
    return { frame, {}, InActiveSkinRect };
}

// ---------------------------------------------------------------- caption

TbsSkinCaptionObject::TbsSkinCaptionObject(const TbsDataSkinCaption& d, const TbsSkinData& skinData)
    : TbsActiveSkinObject(d, skinData)
    , TextRect(ClipSkinRect(d.TextRect, QSize(SkinRect.Width(), SkinRect.Height())))
    , FontName(d.FontName)
    , FontHeight(d.FontHeight)
    , FontStyle(d.FontStyle)
    , FontColor(d.FontColor)
    , ActiveFontColor(d.ActiveFontColor)
    , Alignment(d.Alignment)
    , Light(d.Light)
    , Shadow(d.Shadow)
    , LightColor(d.LightColor)
    , ActiveLightColor(d.ActiveLightColor)
    , ShadowColor(d.ShadowColor)
    , ActiveShadowColor(d.ActiveShadowColor)
{
}

void TbsSkinCaptionObject::Draw(QImage& dest, QPoint origin, const TbsFrameDrawContext& c) const
{
    if (!c.Skinned || !Visible || ObjectRect.IsEmpty())
        return;
    TbsActiveSkinObject::Draw(dest, origin, c);
    DrawCaptionText(dest, origin, c);
}

void TbsSkinCaptionObject::DrawCaptionText(QImage& dest, QPoint origin, const TbsFrameDrawContext& c) const
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
    text.Right = TRect::Saturate(static_cast<long long>(text.Right) + ObjectRect.Width() - SkinRect.Width());
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

// ---------------------------------------------------------------- user object

TbsUserObject::TbsUserObject(const TbsDataUserObject& d, const TbsSkinData& skinData)
    : TbsActiveSkinObject(d, skinData)
{
}

// ---------------------------------------------------------------- lists

std::vector<std::unique_ptr<TbsActiveSkinObject>> CreateFrameObjects(const TbsSkinData& skinData)
{
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
        if (auto* std = dynamic_cast<const TbsDataSkinStdButton*>(&data))
            objects.push_back(std::make_unique<TbsSkinStdButtonObject>(*std, skinData));
        else if (dynamic_cast<const TbsDataSkinButton*>(&data))
            objects.push_back(std::make_unique<TbsSkinButtonObject>(data, skinData));
        else if (auto* caption = dynamic_cast<const TbsDataSkinCaption*>(&data))
            objects.push_back(std::make_unique<TbsSkinCaptionObject>(*caption, skinData));
        else if (auto* animate = dynamic_cast<const TbsDataSkinAnimate*>(&data))
            objects.push_back(std::make_unique<TbsSkinAnimateObject>(*animate, skinData));
        else if (auto* user = dynamic_cast<const TbsDataUserObject*>(&data))
            objects.push_back(std::make_unique<TbsUserObject>(*user, skinData));
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
        objects.push_back(std::make_unique<TbsSkinStdButtonObject>(name, command));
    return objects;
}
