#include "Bsskinform.h"

#include "BsSkinAnnouncer.h"
#include "BsSkinDataGeometry.h"
#include "Bseffects.h"
#include "Bsskindata.h"
#include "Bsskinmenus.h"
#include "GbkText.h"
#include "WindowSystem.h"

#include <QApplication>
#include <QBitmap>
#include <QLayout>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <QWidget>

#include <algorithm>
#include <random>

namespace {

std::vector<TbsSkinForm*>& Forms()
{
    static std::vector<TbsSkinForm*> forms;
    return forms;
}

QRect ToQ(const TRect& r)
{
    return r.ToQRect();
}

TRect ToT(const QRect& r)
{
    return TRect::FromQRect(r);
}

Qt::Edges EdgesOf(TbsHitCode code)
{
    switch (code) {
    case htLeft:
        return Qt::LeftEdge;
    case htRight:
        return Qt::RightEdge;
    case htTop:
        return Qt::TopEdge;
    case htBottom:
        return Qt::BottomEdge;
    case htTopLeft:
        return Qt::TopEdge | Qt::LeftEdge;
    case htTopRight:
        return Qt::TopEdge | Qt::RightEdge;
    case htBottomLeft:
        return Qt::BottomEdge | Qt::LeftEdge;
    case htBottomRight:
        return Qt::BottomEdge | Qt::RightEdge;
    default:
        return {};
    }
}

Qt::CursorShape CursorOf(TbsHitCode code)
{
    switch (code) {
    case htLeft:
    case htRight:
        return Qt::SizeHorCursor;
    case htTop:
    case htBottom:
        return Qt::SizeVerCursor;
    case htTopLeft:
    case htBottomRight:
        return Qt::SizeFDiagCursor;
    case htTopRight:
    case htBottomLeft:
        return Qt::SizeBDiagCursor;
    default:
        return Qt::ArrowCursor;
    }
}

constexpr int AnimationInterval = 25;

// The object as a caption button, or null.
TbsSkinButtonObject* AsButton(TbsActiveSkinObject& object)
{
    return object.IsButton() ? dynamic_cast<TbsSkinButtonObject*>(&object) : nullptr;
}

int RandomNoise(int low, int high)
{
    static std::minstd_rand generator(std::random_device {}());
    return std::uniform_int_distribution<int>(low, high)(generator);
}

} // namespace

std::vector<TbsSystemMenuItem> DefaultSystemMenuItems(TbsBorderIcons icons, bool minimized, bool maximized,
    bool rolledUp, const std::function<std::string(const std::string&)>& word)
{
    std::vector<TbsSystemMenuItem> items;
    auto add
        = [&](TbsSysMenuCommand command, const char* name, const char* caption, std::string shortCut = {}) {
              items.push_back({ command, name, word(caption), std::move(shortCut) });
          };
    if ((icons & biMinimize) && !minimized)
        add(TbsSysMenuCommand::Minimize, "BSF_MINITEM", "MI_MINCAPTION");
    if ((icons & biMaximize) && !maximized)
        add(TbsSysMenuCommand::Maximize, "BSF_MAXITEM", "MI_MAXCAPTION");
    if (minimized || maximized || rolledUp)
        add(TbsSysMenuCommand::Restore, "BSF_RESTORE", "MI_RESTORECAPTION");
    if ((icons & biRollUp) && !rolledUp && !minimized)
        add(TbsSysMenuCommand::RollUp, "BSF_ROLLUP", "MI_ROLLUPCAPTION");
    if (icons & biMinimizeToTray)
        add(TbsSysMenuCommand::MinimizeToTray, "BSF_MINTOTRAY", "MI_MINTOTRAYCAPTION");
    if (!items.empty())
        items.push_back({ TbsSysMenuCommand::Separator, {}, "-", {} });
    add(TbsSysMenuCommand::Close, "BSF_CLOSE", "MI_CLOSECAPTION", "Alt+F4");
    return items;
}

// A caption drag or border drag the frame runs itself (when the window
// system cannot, or to snap to the work area's edges).
struct TbsSkinForm::Drag {
    enum Mode { PendingMove, Move, Resize } mode;
    QPoint pressGlobal;
    QRect start;
    Qt::Edges edges;
};

TbsSkinForm::TbsSkinForm(QWidget* owner)
    : QObject(owner)
    , window_(owner)
    , menuEngine_(new TbsSkinMenu(owner))
    , sysMenu_(new TbsSkinPopupMenu(this))
{
    Q_ASSERT_X(owner, "TbsSkinForm", "owner");
    DefCaptionFont = SkinFont("Arial", 14, fsBold);
    DefInActiveCaptionFont = DefCaptionFont;
    defMenuItemFont_ = SkinFont("Arial", 14, 0);
    mouseTimer_.setInterval(50);
    morphTimer_.setInterval(25);
    fadeTimer_.setInterval(5);
    animationTimer_.setInterval(AnimationInterval);
    connect(&mouseTimer_, &QTimer::timeout, this, &TbsSkinForm::MouseTimerTick);
    connect(&morphTimer_, &QTimer::timeout, this, &TbsSkinForm::MorphStep);
    connect(&fadeTimer_, &QTimer::timeout, this, &TbsSkinForm::FadeStep);
    connect(&animationTimer_, &QTimer::timeout, this, &TbsSkinForm::AnimationStep);

    sysMenu_->SetForm(window_);
    menuEngine_->OnMenuOpen = [this] { SkinMenuOpen(); };
    ApplyMenuSettings();

    window_->setWindowFlag(Qt::FramelessWindowHint, true);
    window_->setMouseTracking(true);
    window_->installEventFilter(this);
    windowActive_ = window_->isActiveWindow();
    Forms().push_back(this);
    ChangeSkinData();
}

TbsSkinForm::~TbsSkinForm()
{
    Forms().erase(std::remove(Forms().begin(), Forms().end(), this), Forms().end());
    if (skinData_)
        TbsSkinAnnouncer::Of(skinData_)->Unregister(this);
    // The menu engine is the window's child (so the window's menus find it) but serves this frame only.
    delete menuEngine_;
}

TbsSkinForm* TbsSkinForm::Of(const QWidget* window)
{
    return window ? window->findChild<TbsSkinForm*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

// --- properties

void TbsSkinForm::SetSkinData(TbsSkinData* skinData)
{
    if (skinData_ == skinData)
        return;
    if (skinData_)
        TbsSkinAnnouncer::Of(skinData_)->Unregister(this);
    disconnect(skinDataGone_);
    skinData_ = skinData;
    if (skinData_) {
        TbsSkinAnnouncer::Of(skinData_)->Register(this);
        // Its pictures go with it: fall back to the built-in frame.
        skinDataGone_ = connect(skinData_, &QObject::destroyed, this, [this] {
            ApplyMenuSettings();
            ChangeSkinData();
        });
    }
    ApplyMenuSettings();
    ChangeSkinData();
}

void TbsSkinForm::SetMenusSkinData(TbsSkinData* skinData)
{
    disconnect(menusSkinDataGone_);
    menusSkinData_ = skinData;
    // Once it is gone the menus take SkinData again.
    if (skinData)
        menusSkinDataGone_ = connect(skinData, &QObject::destroyed, this, [this] { ApplyMenuSettings(); });
    ApplyMenuSettings();
}

void TbsSkinForm::SetMenusAlphaBlend(bool on)
{
    menusAlphaBlend_ = on;
    ApplyMenuSettings();
}

void TbsSkinForm::SetMenusAlphaBlendValue(int value)
{
    menusAlphaBlendValue_ = std::clamp(value, 0, 255);
    ApplyMenuSettings();
}

void TbsSkinForm::SetMenusAlphaBlendAnimation(bool on)
{
    menusAlphaBlendAnimation_ = on;
    ApplyMenuSettings();
}

void TbsSkinForm::SetDefMenuItemFont(const QFont& font)
{
    if (font.pixelSize() <= 0 && font.pointSizeF() <= 0)
        return;
    defMenuItemFont_ = font;
    ApplyMenuSettings();
}

void TbsSkinForm::SetDefMenuItemHeight(int value)
{
    if (value <= 0)
        return;
    defMenuItemHeight_ = value;
    ApplyMenuSettings();
}

void TbsSkinForm::SetUseSkinFontInMenu(bool value)
{
    useSkinFontInMenu_ = value;
    ApplyMenuSettings();
}

void TbsSkinForm::SetMaxMenuItemsInWindow(int value)
{
    if (value < 0)
        return;
    maxMenuItemsInWindow_ = value;
    ApplyMenuSettings();
}

void TbsSkinForm::ApplyMenuSettings()
{
    TbsSkinMenu& engine = *menuEngine_;
    engine.MenusSkinData = menusSkinData_ ? menusSkinData_.data() : skinData_.data();
    engine.MaxMenuItemsInWindow = maxMenuItemsInWindow_;
    engine.UseSkinFont = useSkinFontInMenu_;
    engine.DefaultMenuItemHeight = defMenuItemHeight_;
    engine.DefaultMenuItemFont = defMenuItemFont_;
    engine.AlphaBlend = menusAlphaBlend_;
    engine.AlphaBlendValue = menusAlphaBlendValue_;
    engine.AlphaBlendAnimation = menusAlphaBlendAnimation_;
}

void TbsSkinForm::SetBorderIcons(TbsBorderIcons icons)
{
    borderIcons_ = icons;
    ApplyCaptionButtonRules();
    Recalculate();
}

void TbsSkinForm::SetBorderStyle(TbsFormBorderStyle style)
{
    borderStyle_ = style;
    ChangeSkinData();
}

void TbsSkinForm::SetHideCaptionButtons(bool hide)
{
    hideCaptionButtons_ = hide;
    ApplyCaptionButtonRules();
    Recalculate();
}

void TbsSkinForm::SetDisableSystemMenu(bool disable)
{
    disableSystemMenu_ = disable;
    ApplyCaptionButtonRules();
    Recalculate();
}

void TbsSkinForm::SetShowIcon(bool show)
{
    showIcon_ = show;
    Recalculate();
}

void TbsSkinForm::SetAlphaBlend(bool on)
{
    alphaBlend_ = on;
    if (!fadeTimer_.isActive())
        window_->setWindowOpacity(on ? alphaBlendValue_ / 255.0 : 1.0);
}

void TbsSkinForm::SetAlphaBlendValue(int value)
{
    alphaBlendValue_ = std::clamp(value, 0, 255);
    SetAlphaBlend(alphaBlend_);
}

void TbsSkinForm::SetMinWidth(int value)
{
    minWidth_ = value;
    ApplySizeLimits();
}

void TbsSkinForm::SetMinHeight(int value)
{
    minHeight_ = value;
    ApplySizeLimits();
}

void TbsSkinForm::SetMaxWidth(int value)
{
    maxWidth_ = value;
    ApplySizeLimits();
}

void TbsSkinForm::SetMaxHeight(int value)
{
    maxHeight_ = value;
    ApplySizeLimits();
}

void TbsSkinForm::SetClientWidth(int value)
{
    clientWidth_ = value;
    if (!rolledUp_)
        ApplyClientSize();
}

void TbsSkinForm::SetClientHeight(int value)
{
    clientHeight_ = value;
    if (!rolledUp_)
        ApplyClientSize();
}

// --- state

bool TbsSkinForm::SkinFrame() const
{
    return skinned_ && skinData_ && skinData_->SkinnableForm();
}

bool TbsSkinForm::Sizeable() const
{
    return borderStyle_ == bsSizeable || borderStyle_ == bsSizeToolWin || alwaysResize_;
}

bool TbsSkinForm::ToolWindow() const
{
    return borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin;
}

TbsFrameMargins TbsSkinForm::Margins() const
{
    if (SkinFrame())
        return SkinFrameMargins(frameSkin_);
    if (skinned_)
        return {}; // the window system's own frame
    return DefaultFrameMargins(ToolWindow());
}

QRect TbsSkinForm::ClientRect() const
{
    const TbsFrameMargins m = Margins();
    return ToQ(m.ClientRect(window_->width(), window_->height()));
}

TbsActiveSkinObject* TbsSkinForm::FindObjectNamed(const std::string& idName) const
{
    for (const auto& object : objects_)
        if (object->IDName == idName)
            return object.get();
    return nullptr;
}

// --- re-reading the frame

void TbsSkinForm::BeforeChangeSkinData()
{
    mouseTimer_.stop();
    morphTimer_.stop();
    animationTimer_.stop();
    objects_.clear();
    activeObject_ = oldActiveObject_ = pressedObject_ = -1;
    frameValid_ = false;
    bands_ = {};
    picture_ = QImage();
    background_ = QImage();
}

void TbsSkinForm::ChangeSkinData()
{
    ++skinGeneration_;
    mouseTimer_.stop();
    morphTimer_.stop();
    animationTimer_.stop();
    activeObject_ = oldActiveObject_ = pressedObject_ = -1;
    skinned_ = IsSkinLoaded(skinData_);
    objects_.clear();
    picture_ = QImage();
    if (SkinFrame()) {
        frameSkin_ = FrameSkinOf(*skinData_);
        picture_ = skinData_->Picture;
        objects_ = CreateFrameObjects(*skinData_);
    } else if (!skinned_) {
        objects_ = CreateDefaultFrameObjects();
    }
    ApplyCaptionButtonRules();
    ApplyFrameFlags();
    const TbsFrameMargins m = Margins();
    window_->setContentsMargins(m.Left, m.Top, m.Right, m.Bottom);
    ApplySizeLimits();
    EnforceMinimumSize();
    for (const auto& object : objects_)
        if (object->IsCaption())
            object->Active = windowActive_;
    Recalculate();
    if (!rolledUp_)
        ApplyClientSize();
    StartAnimation();
    if (skinned_ && OnChangeSkinData)
        OnChangeSkinData();
    window_->update();
}

void TbsSkinForm::ApplyCaptionButtonRules()
{
    for (const auto& object : objects_) {
        TbsActiveSkinObject& o = *object;
        // The rules are for caption buttons with a command (standard and animated ones).
        if (!o.IsButton() || !dynamic_cast<TbsSkinStdButtonObject*>(&o))
            continue;
        const bool inMainPicture = o.LookInMainPicture();
        if (hideCaptionButtons_) {
            o.Enabled = false;
            o.Visible = inMainPicture;
            continue;
        }
        switch (o.Command()) {
        case cmClose:
            o.Enabled = o.Visible = true;
            continue;
        case cmDefault:
            o.Enabled = true;
            o.Visible = false;
            if (OnActivateCustomObject)
                OnActivateCustomObject(o.IDName, o.Visible);
            continue;
        case cmMaximize:
            o.Enabled = borderIcons_ & biMaximize;
            break;
        case cmMinimize:
            o.Enabled = borderIcons_ & biMinimize;
            break;
        case cmRollUp:
            o.Enabled = borderIcons_ & biRollUp;
            break;
        case cmMinimizeToTray:
            o.Enabled = borderIcons_ & biMinimizeToTray;
            break;
        case cmSysMenu:
            o.Enabled = (borderIcons_ & biSystemMenu) && !disableSystemMenu_;
            break;
        }
        o.Visible = o.Enabled || inMainPicture;
    }
    ApplyHints();
}

void TbsSkinForm::ApplyHints()
{
    if (!UseDefaultObjectHint)
        return;
    auto word = [this](const char* name) {
        if (skinData_ && skinData_->ResourceStrData())
            return skinData_->ResourceStrData()->GetResStr(name);
        return TbsResourceStrData::DefaultResStr(name);
    };
    for (const auto& object : objects_) {
        if (!object->IsButton())
            continue;
        switch (object->Command()) {
        case cmClose:
            object->Hint = word("CLOSEBUTTON_HINT");
            break;
        case cmMaximize:
            object->Hint = word("MAXBUTTON_HINT");
            break;
        case cmMinimize:
            object->Hint = word("MINBUTTON_HINT");
            break;
        case cmSysMenu:
            object->Hint = word("MENUBUTTON_HINT");
            break;
        case cmRollUp:
            object->Hint = word("ROLLUPBUTTON_HINT");
            break;
        case cmMinimizeToTray:
            object->Hint = word("TRAYBUTTON_HINT");
            break;
        case cmDefault:
            break;
        }
    }
}

void TbsSkinForm::ApplyFrameFlags()
{
    // A skin whose frame drawing is switched off leaves the frame to the window system.
    const bool frameless = !skinned_ || SkinFrame();
    // The frame paints every pixel of a frameless window; otherwise the window's background shows.
    window_->setAttribute(Qt::WA_OpaquePaintEvent, frameless);
    if (window_->windowFlags().testFlag(Qt::FramelessWindowHint) == frameless)
        return;
    const bool visible = window_->isVisible();
    window_->setWindowFlag(Qt::FramelessWindowHint, frameless);
    if (!frameless)
        WindowSystem().SetShape(window_, QRegion());
    if (visible)
        window_->show();
}

TbsSizeLimitsInput TbsSkinForm::LimitsInput() const
{
    TbsSizeLimitsInput in;
    in.Skinned = SkinFrame();
    in.PictureSize = frameSkin_.PictureSize;
    in.ClientRect = frameSkin_.ClientRect;
    in.FormMinWidth = frameSkin_.FormMinWidth;
    in.MinWidth = minWidth_;
    in.MinHeight = minHeight_;
    in.MaxWidth = maxWidth_;
    in.MaxHeight = maxHeight_;
    in.Minimized = windowState_ == wsMinimized;
    in.RolledUp = rolledUp_;
    in.ToolWindow = ToolWindow();
    return in;
}

TRect TbsSkinForm::ScreenArea(bool fullScreen) const
{
    return ToT(fullScreen ? WindowSystem().MonitorRect(window_) : WindowSystem().WorkArea(window_));
}

// A skin's frame never asks for a window larger than the screen area it may
// cover: a main picture of 20000 pixels would otherwise make every frame band
// and the window's own backing store that large.
int TbsSkinForm::GetMinWidth() const
{
    const TRect area = ScreenArea(MaximizeOnFullScreen);
    const int width = ::GetMinWidth(LimitsInput());
    return area.IsEmpty() ? width : std::min(width, area.Width());
}

int TbsSkinForm::GetMinHeight() const
{
    const TRect area = ScreenArea(MaximizeOnFullScreen);
    const int height = ::GetMinHeight(LimitsInput());
    return area.IsEmpty() ? height : std::min(height, area.Height());
}

int TbsSkinForm::GetMaxWidth() const
{
    const TRect area = ScreenArea(MaximizeOnFullScreen);
    return area.IsEmpty() ? QWIDGETSIZE_MAX : ::GetMaxWidth(LimitsInput(), area);
}

int TbsSkinForm::GetMaxHeight() const
{
    const TRect area = ScreenArea(MaximizeOnFullScreen);
    return area.IsEmpty() ? QWIDGETSIZE_MAX : ::GetMaxHeight(LimitsInput(), area);
}

void TbsSkinForm::ApplySizeLimits()
{
    // An explicit minimum also holds against the window's own layout, and is
    // never smaller than what that layout needs (its controls' minimum
    // sizes), nor larger than the screen area.
    QSize least(GetMinWidth(), GetMinHeight());
    if (const QLayout* layout = window_->layout(); layout && windowState_ != wsMinimized && !rolledUp_) {
        least = least.expandedTo(layout->totalMinimumSize());
        if (const TRect area = ScreenArea(MaximizeOnFullScreen); !area.IsEmpty())
            least = least.boundedTo(QSize(area.Width(), area.Height()));
    }
    window_->setMinimumSize(least);
    window_->setMaximumSize(std::max(GetMaxWidth(), GetMinWidth()), std::max(GetMaxHeight(), GetMinHeight()));
}

void TbsSkinForm::EnforceMinimumSize()
{
    // Rolled up or parked, the window is exactly its frame high.
    if (rolledUp_ || windowState_ == wsMinimized) {
        const int w = windowState_ == wsMinimized ? GetMinWidth() : window_->width();
        window_->resize(std::max(w, GetMinWidth()), GetMinHeight());
    }
}

void TbsSkinForm::ApplyClientSize()
{
    if (clientWidth_ <= 0 && clientHeight_ <= 0)
        return;
    const TbsFrameMargins m = Margins();
    const int w = clientWidth_ > 0 ? clientWidth_ + m.Left + m.Right : window_->width();
    const int h = clientHeight_ > 0 ? clientHeight_ + m.Top + m.Bottom : window_->height();
    window_->resize(w, h);
    Recalculate();
}

// --- geometry and pictures

void TbsSkinForm::Recalculate()
{
    const int w = window_->width();
    const int h = window_->height();
    if (SkinFrame()) {
        geometry_ = CalcRects(frameSkin_, w, h);
        CalcAllRealObjectRect();
        const bool border = borderStyle_ != bsNone;
        // The shape follows only the size and the skin: a window set up property
        // by property cuts it once.
        const ShapeKey key { w, h, border, skinGeneration_ };
        if (key != shapeKey_) {
            shape_ = TbsFrameShape(frameSkin_, geometry_, border ? skinData_->Mask : QImage());
            shapeKey_ = key;
            UpdateShape();
        }
    } else {
        shapeKey_ = {};
        geometry_ = {};
        shape_ = {};
        if (!skinned_) {
            const std::vector<TbsDefaultButtonWish> wishes = DefaultButtonWishes();
            const std::vector<TRect> rects = DefaultCaptionButtonRects(w, ToolWindow(), wishes);
            for (size_t i = 0; i < objects_.size(); ++i)
                objects_[i]->ObjectRect = rects[i];
        }
        UpdateShape();
    }
    RebuildFrame();
}

void TbsSkinForm::CalcAllRealObjectRect()
{
    std::vector<TbsCaptionButtonSlot> rowSlots;
    std::vector<size_t> slotObjects;
    for (size_t i = 0; i < objects_.size(); ++i) {
        TbsActiveSkinObject& o = *objects_[i];
        if (o.LookInMainPicture()) {
            o.ObjectRect = CalcRealObjectRect(frameSkin_, geometry_, o.SkinRect);
            continue;
        }
        if (!o.IsButton()) {
            o.ObjectRect = {};
            continue;
        }
        QSize size(o.SkinRect.Width(), o.SkinRect.Height());
        if (showIcon_ && o.Command() == cmSysMenu)
            size = QSize(16, 16);
        rowSlots.push_back({ o.Command(), o.Visible, size });
        slotObjects.push_back(i);
    }
    const TbsCaptionButtonRow row = CalcCaptionButtonRow(frameSkin_, geometry_, rowSlots);
    for (size_t k = 0; k < slotObjects.size(); ++k)
        objects_[slotObjects[k]]->ObjectRect = row.HasRow ? row.Rects[k] : TRect();
    for (const auto& object : objects_) {
        if (!object->IsCaption())
            continue;
        if (row.CaptionLeft)
            object->ObjectRect.Left = *row.CaptionLeft;
        if (row.CaptionRight)
            object->ObjectRect.Right = *row.CaptionRight;
    }
}

void TbsSkinForm::UpdateShape()
{
    const QRegion region = shape_.IsEmpty() ? QRegion() : shape_.Region();
    if (region == window_->mask())
        return;
    WindowSystem().SetShape(window_, region);
}

std::vector<TbsDefaultButtonWish> TbsSkinForm::DefaultButtonWishes() const
{
    std::vector<TbsDefaultButtonWish> wishes;
    for (const auto& object : objects_)
        wishes.push_back({ object->Command(), object->Visible });
    return wishes;
}

TbsFrameDrawContext TbsSkinForm::DrawContext() const
{
    TbsFrameDrawContext c;
    c.SkinData = skinData_;
    c.Picture = &picture_;
    c.Skinned = SkinFrame();
    c.WindowActive = windowActive_;
    c.Maximized = windowState_ == wsMaximized;
    c.Minimized = windowState_ == wsMinimized;
    c.RolledUp = rolledUp_;
    c.MorphEnabled = c.Skinned && skinData_->EnableSkinEffects();
    c.Caption = window_->windowTitle();
    c.CaptionPaint = OnCaptionPaint;
    return c;
}

void TbsSkinForm::RebuildFrame()
{
    // The pictures are built when next needed: a window set up property by property, or
    // resized several times before it shows, builds them once.
    picturesStale_ = true;
    frameValid_ = false;
    window_->update();
}

void TbsSkinForm::EnsurePictures() const
{
    if (!picturesStale_)
        return;
    picturesStale_ = false;
    auto* self = const_cast<TbsSkinForm*>(this);
    self->BuildFramePictures();
    self->BuildBackground();
}

void TbsSkinForm::BuildFramePictures()
{
    frameValid_ = false;
    bands_ = {};
    defaultFrame_ = QImage();
    const int w = window_->width();
    const int h = window_->height();
    if (w <= 0 || h <= 0 || (skinned_ && !SkinFrame()))
        return;
    if (SkinFrame()) {
        // A window below its minimum size is not painted from the skin.
        if (w < GetMinWidth() || h < GetMinHeight())
            return;
        const bool useInactive = !windowActive_ && !skinData_->InActivePicture.isNull();
        bands_
            = CreateSkinBorderImages(frameSkin_, useInactive ? skinData_->InActivePicture : picture_, w, h);
        if (!windowActive_ && frameSkin_.AutoRenderingInActiveImage)
            for (QImage* band : { &bands_.Top, &bands_.Bottom, &bands_.Left, &bands_.Right })
                if (!band->isNull())
                    ApplyInActiveEffect(*band, frameSkin_.InActiveEffect, RandomNoise);
        frameValid_ = true;
        for (size_t i = 0; i < objects_.size(); ++i)
            RedrawObject(static_cast<int>(i));
        return;
    }
    defaultFrame_ = QImage(w, h, QImage::Format_RGB32);
    defaultFrame_.fill(TbsDefaultFrameColors().BtnFace);
    DrawDefaultFrame(defaultFrame_, window_->windowTitle(),
        windowActive_ ? DefCaptionFont : DefInActiveCaptionFont, windowActive_, ToolWindow(),
        DefaultButtonWishes());
    frameValid_ = true;
    if (pressedObject_ >= 0)
        RedrawObject(pressedObject_);
}

void TbsSkinForm::RedrawObject(int index)
{
    if (picturesStale_ || !frameValid_ || index < 0 || index >= static_cast<int>(objects_.size()))
        return;
    TbsActiveSkinObject& o = *objects_[static_cast<size_t>(index)];
    if (!o.Visible || o.ObjectRect.IsEmpty())
        return;
    if (!SkinFrame()) {
        const TbsSkinButtonObject* button = AsButton(o);
        DrawDefaultButtonGlyph(defaultFrame_, o.ObjectRect, o.Command(), windowActive_,
            button && button->Down && button->MouseIn);
    } else {
        // Objects reaching below the top band live in the bottom band.
        const bool inTop = o.ObjectRect.Bottom <= frameSkin_.ClientRect.Top;
        QImage& band = inTop ? bands_.Top : bands_.Bottom;
        if (band.isNull())
            return;
        const QPoint origin = inTop ? QPoint(0, 0) : QPoint(0, geometry_.NewClientRect.Bottom);
        o.Draw(band, origin, DrawContext());
        if (showIcon_ && o.IsButton() && o.Command() == cmSysMenu && !window_->windowIcon().isNull()) {
            QPainter painter(&band);
            painter.drawPixmap(
                ToQ(o.ObjectRect.Offset(-origin.x(), -origin.y())), window_->windowIcon().pixmap(16, 16));
        }
    }
    window_->update(ToQ(o.ObjectRect));
}

void TbsSkinForm::BuildBackground()
{
    const QRect client = ClientRect();
    background_ = QImage();
    if (skinned_ && !SkinFrame())
        return;
    if (client.width() <= 0 || client.height() <= 0)
        return;
    if (SkinFrame()) {
        const TbsSkinData& d = *skinData_;
        const QRgb face = ToQColor(d.SkinColors.cBtnFace).rgb();
        const QImage* library = d.GetActivePicture(d.BGPictureIndex);
        if (library)
            background_ = CreateClientBackground(*library, TRect(0, 0, library->width(), library->height()),
                d.StretchEffect, d.StretchType, client.width(), client.height(), face);
        else
            background_ = CreateClientBackground(
                picture_, d.ClRect, d.StretchEffect, d.StretchType, client.width(), client.height(), face);
    } else {
        background_ = QImage(client.size(), QImage::Format_RGB32);
        background_.fill(TbsDefaultFrameColors().BtnFace);
    }
    if (!LogoBitMap.isNull()) {
        QPainter painter(&background_);
        if (LogoBitMapTransparent) {
            // The colour of the bottom-left pixel is see-through, as bitmaps mark it.
            QPixmap logo = QPixmap::fromImage(LogoBitMap);
            logo.setMask(QBitmap::fromImage(LogoBitMap.createMaskFromColor(
                LogoBitMap.pixel(0, LogoBitMap.height() - 1), Qt::MaskInColor)));
            painter.drawPixmap(0, 0, logo);
        } else {
            painter.drawImage(0, 0, LogoBitMap);
        }
    }
}

QImage TbsSkinForm::FrameImage() const
{
    EnsurePictures();
    QImage image(window_->size(), QImage::Format_RGB32);
    image.fill(TbsDefaultFrameColors().BtnFace);
    QPainter painter(&image);
    if (!frameValid_)
        return image;
    if (SkinFrame()) {
        const int top = bands_.Top.height();
        painter.drawImage(0, 0, bands_.Top);
        painter.drawImage(0, top, bands_.Left);
        painter.drawImage(image.width() - bands_.Right.width(), top, bands_.Right);
        painter.drawImage(0, image.height() - bands_.Bottom.height(), bands_.Bottom);
    } else {
        painter.drawImage(0, 0, defaultFrame_);
    }
    return image;
}

void TbsSkinForm::Paint(QPaintEvent* event)
{
    if (skinned_ && !SkinFrame())
        return;
    QPainter painter(window_);
    const QRect all = window_->rect();
    const QRect client = ClientRect();
    if (skinData_ && skinData_->SkinChanging()) {
        painter.fillRect(event->rect(), QColor(TbsDefaultFrameColors().BtnFace));
        return;
    }
    EnsurePictures();
    if (!frameValid_) {
        painter.fillRect(event->rect(), QColor(TbsDefaultFrameColors().BtnFace));
    } else if (SkinFrame()) {
        // The four bands around the client area, each copied in one step.
        const int top = bands_.Top.height();
        painter.drawImage(0, 0, bands_.Top);
        painter.drawImage(0, top, bands_.Left);
        painter.drawImage(all.width() - bands_.Right.width(), top, bands_.Right);
        painter.drawImage(0, all.height() - bands_.Bottom.height(), bands_.Bottom);
    } else {
        painter.setClipRegion(QRegion(all) - QRegion(client));
        painter.drawImage(0, 0, defaultFrame_);
        painter.setClipping(false);
    }
    if (!background_.isNull() && event->rect().intersects(client))
        painter.drawImage(client.topLeft(), background_);
    if (OnPaintEvent)
        OnPaintEvent();
}

// --- hit codes and the mouse

TbsHitCode TbsSkinForm::HitTest(QPoint p) const
{
    if (skinned_ && !SkinFrame())
        return htClient;
    TbsHitTestState state;
    state.RolledUp = rolledUp_;
    state.Minimized = windowState_ == wsMinimized;
    state.Maximized = windowState_ == wsMaximized;
    state.Sizeable = Sizeable();
    state.ObjectUnderMouse = activeObject_ >= 0;
    state.Dragging = drag_ != nullptr;
    if (SkinFrame()) {
        std::vector<TRect> captions;
        for (const auto& object : objects_)
            if (object->IsCaption() && object->Visible)
                captions.push_back(object->ObjectRect);
        return NewNCHitTest(p, frameSkin_, geometry_, shape_, captions, state);
    }
    std::vector<TRect> buttons;
    for (const auto& object : objects_)
        if (object->Visible)
            buttons.push_back(object->ObjectRect);
    return DefaultNCHitTest(p, window_->width(), window_->height(), ToolWindow(), buttons, state);
}

int TbsSkinForm::ObjectAt(QPoint p) const
{
    if (ClientRect().contains(p))
        return -1;
    for (size_t i = 0; i < objects_.size(); ++i) {
        const TbsActiveSkinObject& o = *objects_[i];
        if (o.Enabled && o.Visible && o.ObjectRect.Contains(p))
            return static_cast<int>(i);
    }
    return -1;
}

void TbsSkinForm::TrackMouse(QPoint windowPoint)
{
    if (!windowActive_ || drag_)
        return;
    SetActiveObject(window_->rect().contains(windowPoint) ? ObjectAt(windowPoint) : -1);
}

void TbsSkinForm::SetActiveObject(int index)
{
    if (index == activeObject_)
        return;
    const int old = activeObject_;
    oldActiveObject_ = old;
    activeObject_ = index;
    const TbsFrameDrawContext c = DrawContext();
    bool morph = false;
    auto change = [&](int i, bool active) {
        TbsActiveSkinObject& o = *objects_[static_cast<size_t>(i)];
        // The caption object's active state is the window's.
        const bool lookChanges = !o.IsCaption() && o.SetActive(active);
        if (active && OnMouseEnterEvent)
            OnMouseEnterEvent(o.IDName);
        if (!active && OnMouseLeaveEvent)
            OnMouseLeaveEvent(o.IDName);
        if (!lookChanges)
            return;
        if (o.MorphsWith(c)) {
            morph = true;
        } else {
            o.MorphKf = active ? 1 : 0;
            RedrawObject(i);
        }
    };
    if (old >= 0 && old < static_cast<int>(objects_.size()))
        change(old, false);
    if (index >= 0) {
        change(index, true);
        const TbsActiveSkinObject& o = *objects_[static_cast<size_t>(index)];
        if (ShowObjectHint && !o.Hint.empty())
            QToolTip::showText(WindowSystem().CursorPos(), GbkToQString(o.Hint), window_);
    } else if (ShowObjectHint) {
        QToolTip::hideText();
    }
    if (morph && !morphTimer_.isActive())
        morphTimer_.start();
    StartAnimation();
    // Poll the cursor only while it is on an object whose look follows it, to
    // see it leave into a child (leaving the window is an event). The
    // caption's look is the window's: resting on it costs nothing, and its
    // leave is seen at the next move over the frame or out of the window.
    if (activeObject_ >= 0 && !objects_[static_cast<size_t>(activeObject_)]->IsCaption())
        mouseTimer_.start();
    else
        mouseTimer_.stop();
}

void TbsSkinForm::MorphStep()
{
    const TbsFrameDrawContext c = DrawContext();
    bool moving = false;
    for (size_t i = 0; i < objects_.size(); ++i) {
        TbsActiveSkinObject& o = *objects_[i];
        if (!o.MorphsWith(c))
            continue;
        const double target = o.Active ? 1 : 0;
        if (o.MorphKf == target)
            continue;
        o.MorphKf = NextMorphKf(o.MorphKf, o.Active);
        RedrawObject(static_cast<int>(i));
        moving = moving || o.MorphKf != target;
    }
    if (!moving)
        morphTimer_.stop();
}

void TbsSkinForm::StartAnimation()
{
    if (!window_->isVisible() || animationTimer_.isActive())
        return;
    const TbsFrameDrawContext c = DrawContext();
    for (const auto& object : objects_)
        if (auto* animate = dynamic_cast<TbsSkinAnimateObject*>(object.get());
            animate && animate->Animating(c)) {
            animationTimer_.start();
            return;
        }
}

void TbsSkinForm::AnimationStep()
{
    const TbsFrameDrawContext c = DrawContext();
    bool playing = false;
    for (size_t i = 0; i < objects_.size(); ++i) {
        auto* animate = dynamic_cast<TbsSkinAnimateObject*>(objects_[i].get());
        if (!animate)
            continue;
        if (animate->Advance(AnimationInterval, c))
            RedrawObject(static_cast<int>(i));
        playing = playing || animate->Animating(c);
    }
    if (!playing || !window_->isVisible())
        animationTimer_.stop();
}

void TbsSkinForm::MouseTimerTick()
{
    const QPoint p = window_->mapFromGlobal(WindowSystem().CursorPos());
    if (!windowActive_ || !window_->rect().contains(p) || !window_->isVisible())
        SetActiveObject(-1);
    else
        TrackMouse(p);
}

void TbsSkinForm::UpdateCursor(TbsHitCode code)
{
    if (UseFormCursorInNCArea)
        return;
    const Qt::CursorShape shape = CursorOf(code);
    if (shape != Qt::ArrowCursor) {
        window_->setCursor(shape);
        cursorSet_ = true;
    } else if (cursorSet_) {
        window_->unsetCursor();
        cursorSet_ = false;
    }
}

bool TbsSkinForm::MousePress(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    const TbsHitCode code = HitTest(p);
    if (code == htClient)
        return false;
    const QPoint global = event->globalPosition().toPoint();
    if (event->button() == Qt::RightButton) {
        if (code == htCaption && !disableSystemMenu_)
            TrackSystemMenu(global);
        return true;
    }
    if (event->button() != Qt::LeftButton)
        return true;
    if (code == htCaption) {
        // A maximized window stays where it is; others move once the mouse does.
        if (windowState_ != wsMaximized)
            drag_ = std::make_unique<Drag>(Drag { Drag::PendingMove, global, window_->geometry(), {} });
        return true;
    }
    if (EdgesOf(code)) {
        StartResize(code, global);
        return true;
    }
    const int index = ObjectAt(p);
    if (index < 0)
        return true;
    TbsActiveSkinObject& o = *objects_[static_cast<size_t>(index)];
    if (OnMouseDownEvent)
        OnMouseDownEvent(o.IDName);
    TbsSkinButtonObject* button = AsButton(o);
    if (!button || button->Down)
        return true;
    button->Down = true;
    button->MouseIn = true;
    pressedObject_ = index;
    RedrawObject(index);
    if (o.Command() == cmSysMenu) {
        ShowSystemMenu(window_->mapToGlobal(QPoint(o.ObjectRect.Left, o.ObjectRect.Bottom)));
    }
    return true;
}

void TbsSkinForm::StartMove(QPoint globalPress)
{
    SetActiveObject(-1);
    if (!magnetic_ && WindowSystem().StartSystemMove(window_)) {
        drag_.reset();
        return;
    }
    // Moved here: the window system cannot, or the edges must snap.
    drag_->mode = Drag::Move;
    drag_->pressGlobal = globalPress;
}

void TbsSkinForm::StartResize(TbsHitCode code, QPoint globalPress)
{
    SetActiveObject(-1);
    snap_.Reset();
    if (WindowSystem().StartSystemResize(window_, EdgesOf(code)))
        return;
    drag_ = std::make_unique<Drag>(Drag { Drag::Resize, globalPress, window_->geometry(), EdgesOf(code) });
}

bool TbsSkinForm::MouseMove(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    const QPoint global = event->globalPosition().toPoint();
    if (drag_) {
        if (!(event->buttons() & Qt::LeftButton)) {
            drag_.reset();
            return true;
        }
        if (drag_->mode == Drag::PendingMove) {
            if (global == drag_->pressGlobal)
                return true;
            // Handed over at the first movement, not at the press: a window manager
            // that runs the move takes the button's release, and a double click with it.
            StartMove(drag_->pressGlobal);
            if (!drag_)
                return true;
        }
        const QPoint delta = global - drag_->pressGlobal;
        if (drag_->mode == Drag::Move) {
            QPoint place = drag_->start.topLeft() + delta;
            if (magnetic_)
                place = snap_.DoMagnetic(place, window_->size(), ScreenArea(false), global);
            window_->move(place);
        } else {
            QRect r = drag_->start;
            const int minW = GetMinWidth(), minH = GetMinHeight();
            const int maxW = GetMaxWidth(), maxH = GetMaxHeight();
            if (drag_->edges & Qt::LeftEdge)
                r.setLeft(std::clamp(r.left() + delta.x(), r.right() + 1 - maxW, r.right() + 1 - minW));
            if (drag_->edges & Qt::RightEdge)
                r.setRight(std::clamp(r.right() + delta.x(), r.left() - 1 + minW, r.left() - 1 + maxW));
            if (drag_->edges & Qt::TopEdge)
                r.setTop(std::clamp(r.top() + delta.y(), r.bottom() + 1 - maxH, r.bottom() + 1 - minH));
            if (drag_->edges & Qt::BottomEdge)
                r.setBottom(std::clamp(r.bottom() + delta.y(), r.top() - 1 + minH, r.top() - 1 + maxH));
            window_->setGeometry(r);
        }
        return true;
    }
    if (pressedObject_ >= 0) {
        auto& o = static_cast<TbsSkinButtonObject&>(*objects_[static_cast<size_t>(pressedObject_)]);
        const bool in = o.ObjectRect.Contains(p);
        if (in != o.MouseIn) {
            o.MouseIn = in;
            RedrawObject(pressedObject_);
        }
        return true;
    }
    TrackMouse(p);
    const TbsHitCode code = HitTest(p);
    UpdateCursor(code);
    if (code == htClient)
        return false;
    if (activeObject_ >= 0 && OnMouseMoveEvent)
        OnMouseMoveEvent(objects_[static_cast<size_t>(activeObject_)]->IDName);
    return true;
}

bool TbsSkinForm::MouseRelease(QMouseEvent* event)
{
    if (drag_) {
        drag_.reset();
        return true;
    }
    if (event->button() != Qt::LeftButton || pressedObject_ < 0)
        return HitTest(event->position().toPoint()) != htClient;
    const int index = pressedObject_;
    pressedObject_ = -1;
    auto& o = static_cast<TbsSkinButtonObject&>(*objects_[static_cast<size_t>(index)]);
    const bool over = o.ObjectRect.Contains(event->position().toPoint());
    o.Down = false;
    o.MouseIn = over;
    RedrawObject(index);
    const std::string name = o.IDName;
    if (OnMouseUpEvent)
        OnMouseUpEvent(name);
    if (over && o.Enabled)
        RunButtonCommand(o);
    return true;
}

bool TbsSkinForm::MouseDoubleClick(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    const TbsHitCode code = HitTest(p);
    if (code == htClient)
        return false;
    if (event->button() == Qt::LeftButton && code == htCaption) {
        drag_.reset();
        CaptionDoubleClick();
        return true;
    }
    // The second press of a double click on a button is a press like the first.
    return MousePress(event);
}

void TbsSkinForm::RunButtonCommand(TbsActiveSkinObject& button)
{
    switch (button.Command()) {
    case cmClose:
        window_->close();
        break;
    case cmMaximize:
        SetWindowState(windowState_ == wsMaximized ? wsNormal : wsMaximized);
        break;
    case cmMinimize:
        if (AlwaysMinimizeToTray)
            MinimizeToTray();
        else
            SetWindowState(windowState_ == wsMinimized ? wsNormal : wsMinimized);
        break;
    case cmRollUp:
        SetRollUpState(!rolledUp_);
        break;
    case cmMinimizeToTray:
        MinimizeToTray();
        break;
    case cmSysMenu:
    case cmDefault:
        break;
    }
}

void TbsSkinForm::CaptionDoubleClick()
{
    const bool sizeable = Sizeable();
    if (sizeable && windowState_ == wsMinimized)
        SetWindowState(wsNormal);
    else if (sizeable && windowState_ != wsMaximized && !rolledUp_ && (borderIcons_ & biMaximize))
        SetWindowState(wsMaximized);
    else if (!sizeable || windowState_ != wsMaximized || rolledUpWhileMaximized_)
        SetRollUpState(!rolledUp_);
    else
        SetWindowState(wsNormal);
}

// --- window states

void TbsSkinForm::SetWindowState(TbsWindowState state)
{
    if (state == windowState_)
        return;
    switch (state) {
    case wsMaximized:
        Maximize();
        break;
    case wsMinimized:
        Minimize();
        break;
    case wsNormal:
        Restore();
        break;
    }
}

void TbsSkinForm::Maximize()
{
    if (!restoreBounds_)
        restoreBounds_ = window_->geometry();
    const TRect work = ToT(WindowSystem().WorkArea(window_));
    const TRect monitor = ToT(WindowSystem().MonitorRect(window_));
    const TRect primary = ToT(WindowSystem().PrimaryMonitorRect());
    const TRect r = MaximizedRect(work, monitor, MaximizeOnFullScreen, primary);
    windowState_ = wsMaximized;
    ApplySizeLimits();
    window_->setGeometry(ToQ(r));
    Recalculate();
    if (OnMaximize)
        OnMaximize();
}

void TbsSkinForm::Minimize()
{
    if (MainWindow) {
        // The program's main window takes the whole program down with it.
        windowState_ = wsMinimized;
        WindowSystem().MinimizeApplication();
        if (OnMinimize)
            OnMinimize();
        return;
    }
    if (!restoreBounds_)
        restoreBounds_ = window_->geometry();
    windowState_ = wsMinimized;
    ApplySizeLimits();
    const QSize size(GetMinWidth(), GetMinHeight());
    std::vector<QPoint> taken;
    for (TbsSkinForm* other : Forms())
        if (other != this && !other->MainWindow && other->window_->isVisible() && other->SkinFrame()
            && other->windowState_ == wsMinimized)
            taken.push_back(other->window_->pos());
    const QPoint slot = MinimizedParkingSlot(ToT(WindowSystem().WorkArea(window_)), size, taken);
    window_->setGeometry(QRect(slot, size));
    Recalculate();
    if (OnMinimize)
        OnMinimize();
}

QRect TbsSkinForm::FirstRestorePlace(const QRect& bounds) const
{
    QRect r = bounds;
    if (PositionInMonitor == bspScreenCenter)
        r.moveCenter(WindowSystem().MonitorRect(window_).center());
    else if (PositionInMonitor == bspDesktopCenter)
        r.moveCenter(WindowSystem().WorkArea(window_).center());
    return r;
}

void TbsSkinForm::Restore()
{
    if (windowState_ == wsMinimized && MainWindow) {
        windowState_ = wsNormal;
        WindowSystem().RestoreApplication();
        if (OnRestore)
            OnRestore();
        return;
    }
    const bool wasMaximized = windowState_ == wsMaximized;
    QRect bounds = restoreBounds_.value_or(window_->geometry());
    if (firstRestore_) {
        bounds = FirstRestorePlace(bounds);
        firstRestore_ = false;
    }
    restoreBounds_.reset();
    windowState_ = wsNormal;
    if (wasMaximized && rolledUpWhileMaximized_) {
        rolledUp_ = false;
        rolledUpWhileMaximized_ = false;
    }
    ApplySizeLimits();
    window_->setGeometry(bounds);
    Recalculate();
    if (OnRestore)
        OnRestore();
}

void TbsSkinForm::SetRollUpState(bool rollUp)
{
    if (!(borderIcons_ & biRollUp) || windowState_ == wsMinimized || rollUp == rolledUp_)
        return;
    if (rollUp) {
        rollUpHeight_ = window_->height();
        rolledUp_ = true;
        rolledUpWhileMaximized_ = windowState_ == wsMaximized;
        ApplySizeLimits();
        window_->resize(window_->width(), GetMinHeight());
    } else {
        rolledUp_ = false;
        rolledUpWhileMaximized_ = false;
        ApplySizeLimits();
        const TbsFrameMargins m = Margins();
        window_->resize(
            window_->width(), clientHeight_ > 0 ? clientHeight_ + m.Top + m.Bottom : rollUpHeight_);
    }
    Recalculate();
    if (OnChangeRollUpState)
        OnChangeRollUpState();
}

void TbsSkinForm::MinimizeToTray()
{
    if (!TrayIcon)
        return;
    TrayIcon->SetMinimizedToTray(true);
    TrayIcon->ShowIcon();
    inTray_ = true;
    WindowSystem().MinimizeApplication();
    if (OnMinimizeToTray)
        OnMinimizeToTray();
}

void TbsSkinForm::RestoreFromTray()
{
    for (TbsSkinForm* form : Forms())
        if (form->MainWindow)
            form->window_->show();
    WindowSystem().RestoreApplication();
    if (TrayIcon) {
        TrayIcon->SetMinimizedToTray(false);
        if (!AlwaysShowInTray)
            TrayIcon->HideIcon();
    }
    inTray_ = false;
    if (OnRestoreFromTray)
        OnRestoreFromTray();
}

void TbsSkinForm::FadeStep()
{
    const int target = alphaBlend_ ? alphaBlendValue_ : 255;
    fadeValue_ = std::min(fadeValue_ + 10, target);
    window_->setWindowOpacity(fadeValue_ / 255.0);
    if (fadeValue_ >= target)
        fadeTimer_.stop();
}

// --- system menu

std::vector<TbsSystemMenuItem> TbsSkinForm::SystemMenuItems() const
{
    auto word = [this](const std::string& name) {
        if (skinData_ && skinData_->ResourceStrData())
            return skinData_->ResourceStrData()->GetResStr(name);
        return TbsResourceStrData::DefaultResStr(name);
    };
    return DefaultSystemMenuItems(
        borderIcons_, windowState_ == wsMinimized, windowState_ == wsMaximized, rolledUp_, word);
}

void TbsSkinForm::TrackSystemMenu(QPoint p)
{
    ShowSystemMenu(p);
}

void TbsSkinForm::ShowSystemMenu(QPoint globalPoint)
{
    if (SystemMenu) {
        SystemMenu->Popup(globalPoint.x(), globalPoint.y());
        return;
    }
    if (!UseDefaultSysMenu)
        return;
    // Rebuilt before each showing, for the state the window is in now.
    TMenuItem* root = sysMenu_->Items();
    root->Clear();
    for (const TbsSystemMenuItem& entry : SystemMenuItems()) {
        auto* item = new TMenuItem(sysMenu_);
        item->SetCaption(entry.Command == TbsSysMenuCommand::Separator ? "-" : entry.Caption);
        item->SetName(entry.Name);
        if (!entry.ShortCut.empty()) {
            item->SetShortCut(QKeySequence(QString::fromStdString(entry.ShortCut)));
            item->SetShortCutText(entry.ShortCut);
        }
        const TbsSysMenuCommand command = entry.Command;
        QPointer<TbsSkinForm> self(this);
        item->SetOnClick([self, command](QObject*) {
            if (self)
                self->RunSystemMenuCommand(command);
        });
        root->Add(item);
    }
    // The frame's own menu follows the frame's skin, whatever it was last time.
    sysMenu_->SetSkinData(menusSkinData_ ? menusSkinData_.data() : skinData_.data());
    sysMenu_->Popup(globalPoint.x(), globalPoint.y());
}

void TbsSkinForm::SkinMenuOpen()
{
    if (skinMenuOpen_)
        return;
    skinMenuOpen_ = true;
    if (OnSkinMenuOpen)
        OnSkinMenuOpen();
}

void TbsSkinForm::SkinMenuClose()
{
    // A caption button held down for the menu (the system menu button) goes up again.
    if (pressedObject_ >= 0 && objects_[static_cast<size_t>(pressedObject_)]->Command() == cmSysMenu) {
        static_cast<TbsSkinButtonObject&>(*objects_[static_cast<size_t>(pressedObject_)]).Down = false;
        RedrawObject(pressedObject_);
        pressedObject_ = -1;
    }
    if (!skinMenuOpen_)
        return;
    skinMenuOpen_ = false;
    if (OnSkinMenuClose)
        OnSkinMenuClose();
}

void TbsSkinForm::RunSystemMenuCommand(TbsSysMenuCommand command)
{
    switch (command) {
    case TbsSysMenuCommand::Minimize:
        if (AlwaysMinimizeToTray)
            MinimizeToTray();
        else
            SetWindowState(wsMinimized);
        break;
    case TbsSysMenuCommand::Maximize:
        SetWindowState(wsMaximized);
        break;
    case TbsSysMenuCommand::Restore:
        if (windowState_ != wsNormal)
            SetWindowState(wsNormal);
        else
            SetRollUpState(false);
        break;
    case TbsSysMenuCommand::RollUp:
        SetRollUpState(true);
        break;
    case TbsSysMenuCommand::MinimizeToTray:
        MinimizeToTray();
        break;
    case TbsSysMenuCommand::Close:
        window_->close();
        break;
    case TbsSysMenuCommand::Separator:
        break;
    }
}

// --- events

void TbsSkinForm::OnSkinMessage(const TbsSkinDataEvent& event)
{
    const bool own = event.SkinData() == skinData_;
    switch (event.Message()) {
    case SKIN_MSG_BEFORE_CHANGE:
        if (own) {
            BeforeChangeSkinData();
            if (OnBeforeChangeSkinData)
                OnBeforeChangeSkinData();
        }
        break;
    case SKIN_MSG_CHANGE:
        if (own)
            ChangeSkinData();
        break;
    case SKIN_MSG_AFTER_CHANGE:
        if (OnAfterChangeSkinData)
            OnAfterChangeSkinData();
        break;
    case SKIN_MSG_RESSTR_CHANGE:
        ApplyHints();
        break;
    case SKIN_MSG_SKINNABLE_CHANGE:
        if (own)
            ChangeSkinData();
        break;
    default:
        break;
    }
}

bool TbsSkinForm::event(QEvent* event)
{
    if (TbsSkinDataEvent::MessageOf(event)) {
        OnSkinMessage(*static_cast<TbsSkinDataEvent*>(event));
        return true;
    }
    return QObject::event(event);
}

bool TbsSkinForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != window_)
        return false;
    if (event->type() == TbsSkinMenuEvent::TypeOf(SKIN_MSG_CLOSE_MENU)) {
        SkinMenuClose();
        return false;
    }
    const bool ownFrame = !skinned_ || SkinFrame();
    switch (event->type()) {
    case QEvent::Paint:
        Paint(static_cast<QPaintEvent*>(event));
        return false;
    case QEvent::Resize:
        Recalculate();
        return false;
    case QEvent::WindowActivate:
    case QEvent::WindowDeactivate: {
        windowActive_ = event->type() == QEvent::WindowActivate;
        if (!windowActive_) {
            SetActiveObject(-1);
            // Another window took over: an open skinned menu of this window closes,
            // unless the focus went to one of that menu's own windows.
            if (menuEngine_->Visible() && !qobject_cast<TbsSkinPopupWindow*>(QApplication::activeWindow()))
                menuEngine_->Hide();
        }
        for (const auto& object : objects_)
            if (object->IsCaption())
                object->Active = windowActive_;
        RebuildFrame();
        window_->update();
        const auto& handler = windowActive_ ? OnActivate : OnDeActivate;
        if (handler)
            handler();
        return false;
    }
    case QEvent::WindowTitleChange:
    case QEvent::WindowIconChange:
        RebuildFrame();
        window_->update();
        return false;
    case QEvent::WindowStateChange:
        // The window system brought the minimized program back.
        if (MainWindow && windowState_ == wsMinimized && !window_->isMinimized()) {
            windowState_ = wsNormal;
            if (OnRestore)
                OnRestore();
        }
        return false;
    case QEvent::Show:
        if (AlphaBlendAnimation) {
            fadeValue_ = 0;
            window_->setWindowOpacity(0);
            fadeTimer_.start();
        }
        StartAnimation();
        return false;
    case QEvent::Hide:
        SetActiveObject(-1);
        morphTimer_.stop();
        animationTimer_.stop();
        drag_.reset();
        return false;
    case QEvent::Leave:
        if (!drag_ && pressedObject_ < 0)
            SetActiveObject(-1);
        if (cursorSet_)
            UpdateCursor(htClient);
        return false;
    case QEvent::MouseButtonPress:
        return ownFrame && MousePress(static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
        return ownFrame && MouseMove(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
        return ownFrame && MouseRelease(static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonDblClick:
        return ownFrame && MouseDoubleClick(static_cast<QMouseEvent*>(event));
    default:
        return false;
    }
}
