#include "BsSkinCtrls.h"

#include "BsSkinAnnouncer.h"
#include "BsSkinDataGeometry.h"
#include "Bsskindata.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

// --- TbsSkinnable

TbsSkinnable::TbsSkinnable(QWidget* host, std::string skinDataName)
    : host_(host)
    , skinDataName_(std::move(skinDataName))
{
}

TbsSkinnable::~TbsSkinnable() = default;

void TbsSkinnable::SetSkinData(TbsSkinData* value)
{
    if (skinData_ == value)
        return;
    if (skinData_)
        TbsSkinAnnouncer::Of(skinData_)->Unregister(host_);
    skinData_ = value;
    if (value)
        TbsSkinAnnouncer::Of(value)->Register(host_);
    changing_ = false;
    ChangeSkinData();
}

void TbsSkinnable::SetSkinDataName(const std::string& value)
{
    if (skinDataName_ == value)
        return;
    skinDataName_ = value;
    ChangeSkinData();
}

void TbsSkinnable::BeforeChangeSkinData()
{
    changing_ = true;
    clipped_.clear();
    host_->update();
}

void TbsSkinnable::ChangeSkinData()
{
    changing_ = false;
    clipped_.clear();
    host_->update();
}

const TbsSkinData* TbsSkinnable::LoadedSkin() const
{
    return !changing_ && IsSkinLoaded(skinData_) ? skinData_.data() : nullptr;
}

const TbsDataSkinControl* TbsSkinnable::FindEntry(const std::string& name) const
{
    const TbsSkinData* skin = LoadedSkin();
    if (!skin)
        return nullptr;
    const int index = skin->GetControlIndex(name);
    if (index < 0)
        return nullptr;
    const TbsDataSkinControl* original = skin->CtrlList[static_cast<size_t>(index)].get();
    const QImage* picture = skin->GetActivePicture(original->PictureIndex);
    const QSize pictureSize = picture ? picture->size() : QSize();
    for (const ClippedEntry& entry : clipped_)
        if (entry.Name == name && entry.Original == original && entry.PictureSize == pictureSize)
            return entry.Copy.get();
    std::erase_if(clipped_, [&name](const ClippedEntry& entry) { return entry.Name == name; });
    clipped_.push_back({ name, original, pictureSize, ClippedControlSkin(*original, picture) });
    return clipped_.back().Copy.get();
}

const QImage* TbsSkinnable::SkinPicture(int index) const
{
    const TbsSkinData* skin = LoadedSkin();
    const QImage* picture = skin ? skin->GetActivePicture(index) : nullptr;
    return picture && !picture->isNull() ? picture : nullptr;
}

QColor TbsSkinnable::SkinColor(TColor TbsSkinColors::*member, TColor fallback) const
{
    const TbsSkinData* skin = LoadedSkin();
    return ToQColor(skin ? skin->SkinColors.*member : fallback);
}

QSize MaxSkinControlSize()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return { 4096, 4096 };
    const QSize desktop = screen->virtualGeometry().size();
    return desktop.isValid() && !desktop.isEmpty() ? desktop : QSize(4096, 4096);
}

QSize BoundedSkinSize(QSize size)
{
    return size.boundedTo(MaxSkinControlSize()).expandedTo(QSize(0, 0));
}

bool TbsSkinnable::HandleSkinEvent(QEvent* event)
{
    const int message = TbsSkinDataEvent::MessageOf(event);
    if (!message)
        return false;
    auto* skinEvent = static_cast<TbsSkinDataEvent*>(event);
    if (skinEvent->SkinData() != skinData_)
        return true;
    if (message == SKIN_MSG_BEFORE_CHANGE)
        BeforeChangeSkinData();
    else if (message == SKIN_MSG_CHANGE)
        ChangeSkinData();
    return true;
}

// --- TbsSkinControl

TbsSkinControl::TbsSkinControl(QWidget* parent, const std::string& skinDataName)
    : QWidget(parent)
    , TbsSkinnable(this, skinDataName)
{
}

bool TbsSkinControl::event(QEvent* event)
{
    if (HandleSkinEvent(event))
        return true;
    switch (event->type()) {
    case QEvent::Enter:
        mouseIn_ = true;
        MouseEnter();
        if (OnMouseEnter)
            OnMouseEnter(this);
        break;
    case QEvent::Leave:
        mouseIn_ = false;
        MouseLeave();
        if (OnMouseLeave)
            OnMouseLeave(this);
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void TbsSkinControl::MouseEnter() { }
void TbsSkinControl::MouseLeave() { }

// --- TbsSkinCustomControl

TbsSkinCustomControl::TbsSkinCustomControl(QWidget* parent, const std::string& skinDataName)
    : TbsSkinControl(parent, skinDataName)
    , defaultFont_(DefaultControlFont())
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TbsSkinCustomControl::SetDefaultFont(const QFont& font)
{
    defaultFont_ = font;
    update();
}

void TbsSkinCustomControl::SetDefaultFontColor(TColor color)
{
    defaultFontColor_ = color;
    update();
}

void TbsSkinCustomControl::SetDefaultWidth(int value)
{
    defaultWidth_ = value;
    if (value > 0 && !LoadedSkin())
        resize(value, height());
}

void TbsSkinCustomControl::SetDefaultHeight(int value)
{
    defaultHeight_ = value;
    if (value > 0 && !LoadedSkin())
        resize(width(), value);
}

void TbsSkinCustomControl::SetUseSkinFont(bool value)
{
    useSkinFont_ = value;
    update();
}

bool TbsSkinCustomControl::GetSkinData(TbsSkinLook& look) const
{
    const TbsDataSkinControl* entry = FindEntry(SkinDataName());
    if (!entry)
        return false;
    look = TbsSkinLook();
    if (auto* custom = dynamic_cast<const TbsDataSkinCustomControl*>(entry)) {
        look.Picture = SkinPicture(custom->PictureIndex);
        look.Mask = SkinPicture(custom->MaskPictureIndex);
        look.Geom = ControlSkinGeomOf(*custom, look.Picture);
        look.Mode = CalcResizeMode(look.Geom);
    } else {
        // Another kind of entry: a fixed look of its rect with no picture.
        look.Geom.SkinRect = entry->SkinRect;
        look.Mode = rmFixed;
    }
    return true;
}

QSize TbsSkinCustomControl::CalcSize(QSize size) const
{
    TbsSkinLook look;
    if (!GetSkinData(look) || look.Mode == rmNone)
        return size;
    if (look.Mode == rmFixed && !look.Picture)
        return size;
    const QSize wanted = CalcControlSize(look.Geom, size);
    // What the control is given stays; what the skin fixes is bounded.
    return { wanted.width() == size.width() ? size.width() : BoundedSkinSize(wanted).width(),
        wanted.height() == size.height() ? size.height() : BoundedSkinSize(wanted).height() };
}

void TbsSkinCustomControl::ChangeSkinData()
{
    TbsSkinnable::ChangeSkinData();
    TbsSkinLook look;
    if (!GetSkinData(look)) {
        QSize size = this->size();
        if (defaultWidth_ > 0)
            size.setWidth(defaultWidth_);
        if (defaultHeight_ > 0)
            size.setHeight(defaultHeight_);
        if (size != this->size())
            resize(size);
    } else {
        const QSize size = CalcSize(this->size());
        if (size != this->size())
            resize(size);
    }
    UpdateRegion();
    UpdateClientMargins();
    update();
}

QRect TbsSkinCustomControl::RealClientRect() const
{
    TbsSkinLook look;
    if (!GetSkinData(look) || look.Mode == rmNone)
        return rect();
    return CalcCurrentLayout(look.Geom, width(), height()).ClientRect.ToQRect();
}

void TbsSkinCustomControl::UpdateClientMargins()
{
    setContentsMargins(bswidgets::MarginsInside(RealClientRect(), size()));
}

void TbsSkinCustomControl::UpdateRegion()
{
    TbsSkinLook look;
    if (GetSkinData(look) && look.Mask && look.Mode != rmNone) {
        const QRegion region = CreateControlSkinRegion(look.Geom, *look.Mask, width(), height());
        if (!region.isEmpty()) {
            setMask(region);
            return;
        }
    }
    clearMask();
}

void TbsSkinCustomControl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // A skin that fixes a side keeps it whatever size the control is given.
    const QSize wanted = CalcSize(size());
    if (wanted != size()) {
        resize(wanted);
        return;
    }
    UpdateRegion();
    UpdateClientMargins();
}

QImage TbsSkinCustomControl::RenderImage()
{
    QImage image(std::max(width(), 1), std::max(height(), 1), QImage::Format_RGB32);
    image.fill(Qt::black);
    TbsSkinLook look;
    if (GetSkinData(look))
        CreateControlSkinImage(image, look);
    else
        CreateControlDefaultImage(image);
    return image;
}

void TbsSkinCustomControl::paintEvent(QPaintEvent*)
{
    if (width() <= 0 || height() <= 0)
        return;
    const QImage image = RenderImage();
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

void TbsSkinCustomControl::CreateControlDefaultImage(QImage& image)
{
    image.fill(ToQColor(clBtnFace));
}

void TbsSkinCustomControl::DrawCommonSkinImage(QImage& image, const TbsSkinLook& look, const TRect& r)
{
    if (!look.Picture || look.Mode == rmNone)
        return;
    const QImage piece = ::CreateControlSkinImage(look.Geom, *look.Picture, r, width(), height());
    QPainter painter(&image);
    painter.drawImage(0, 0, piece);
}

void TbsSkinCustomControl::CreateControlSkinImage(QImage& image, const TbsSkinLook& look)
{
    DrawCommonSkinImage(image, look, look.Geom.SkinRect);
}

QFont TbsSkinCustomControl::ControlFont(const TbsSkinFontKeys& font, bool skinned) const
{
    if (skinned && useSkinFont_)
        return SkinFont(font);
    return defaultFont_;
}

// --- helpers

namespace bswidgets {

Qt::Alignment AlignmentFlags(TAlignment alignment)
{
    switch (alignment) {
    case taLeftJustify:
        return Qt::AlignLeft;
    case taRightJustify:
        return Qt::AlignRight;
    case taCenter:
        break;
    }
    return Qt::AlignHCenter;
}

void FrameAndFill(QPainter& painter, const QRect& r, const QColor& frame, const QColor& fill)
{
    if (r.width() <= 0 || r.height() <= 0)
        return;
    painter.fillRect(r, frame);
    if (r.width() > 2 && r.height() > 2)
        painter.fillRect(r.adjusted(1, 1, -1, -1), fill);
}

void DrawArrow(QPainter& painter, const QRect& r, TbsArrow arrow, const QColor& color)
{
    const QPoint c = r.center();
    const int s = std::max(2, std::min(r.width(), r.height()) / 4);
    QPainterPath path;
    switch (arrow) {
    case arLeft:
        path.moveTo(c.x() - s / 2, c.y());
        path.lineTo(c.x() + s / 2 + 1, c.y() - s);
        path.lineTo(c.x() + s / 2 + 1, c.y() + s + 1);
        break;
    case arRight:
        path.moveTo(c.x() + s / 2 + 1, c.y());
        path.lineTo(c.x() - s / 2, c.y() - s);
        path.lineTo(c.x() - s / 2, c.y() + s + 1);
        break;
    case arUp:
        path.moveTo(c.x(), c.y() - s / 2);
        path.lineTo(c.x() - s, c.y() + s / 2 + 1);
        path.lineTo(c.x() + s + 1, c.y() + s / 2 + 1);
        break;
    case arDown:
        path.moveTo(c.x(), c.y() + s / 2 + 1);
        path.lineTo(c.x() - s, c.y() - s / 2);
        path.lineTo(c.x() + s + 1, c.y() - s / 2);
        break;
    }
    path.closeSubpath();
    painter.fillPath(path, color);
}

QMargins MarginsInside(const QRect& inner, QSize size)
{
    const int left = std::clamp(inner.left(), 0, size.width());
    const int top = std::clamp(inner.top(), 0, size.height());
    const int right = std::clamp(inner.left() + inner.width(), left, size.width());
    const int bottom = std::clamp(inner.top() + inner.height(), top, size.height());
    return { left, top, size.width() - right, size.height() - bottom };
}

void DrawFocusRect(QPainter& painter, const QRect& r, const QColor& background)
{
    QPen pen(QColor(255 - background.red(), 255 - background.green(), 255 - background.blue()));
    pen.setStyle(Qt::DotLine);
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
    painter.restore();
}

} // namespace bswidgets
