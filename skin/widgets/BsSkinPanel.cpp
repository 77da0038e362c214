#include "BsSkinPanel.h"

#include "GbkText.h"

#include <QPainter>

TbsSkinPanel::TbsSkinPanel(QWidget* parent)
    : TbsSkinCustomControl(parent, "panel")
{
    resize(185, 41);
    UpdateClientMargins();
}

void TbsSkinPanel::SetBorderStyle(TbsSkinBorderStyle value)
{
    borderStyle_ = value;
    UpdateClientMargins();
    update();
}

void TbsSkinPanel::SetCaptionMode(bool value)
{
    captionMode_ = value;
    UpdateClientMargins();
    update();
}

void TbsSkinPanel::SetDefaultCaptionHeight(int value)
{
    defaultCaptionHeight_ = value;
    UpdateClientMargins();
    update();
}

void TbsSkinPanel::SetDefaultAlignment(TAlignment value)
{
    defaultAlignment_ = value;
    update();
}

void TbsSkinPanel::SetCaption(const std::string& value)
{
    caption_ = value;
    update();
}

namespace {

// The borderless nine-piece panel without caption is only its client piece.
bool IsClientPieceOnly(const TbsSkinLook& look, TbsSkinBorderStyle border, bool captionMode)
{
    return border == bvNone && look.Mode == rmBoth && !captionMode && !look.Geom.Layout.StretchEffect;
}

} // namespace

QRect TbsSkinPanel::RealClientRect() const
{
    TbsSkinLook look;
    if (GetSkinData(look)) {
        if (look.Mode == rmBoth && borderStyle_ == bvNone && !captionMode_)
            return rect();
        return TbsSkinCustomControl::RealClientRect();
    }
    QRect r = rect();
    if (borderStyle_ != bvNone)
        r.adjust(1, 1, -1, -1);
    if (captionMode_)
        r.setTop(r.top() + defaultCaptionHeight_);
    return r;
}

void TbsSkinPanel::CreateControlDefaultImage(QImage& image)
{
    QPainter painter(&image);
    const QRect r = rect();
    painter.fillRect(r, ToQColor(clBtnFace));
    const QColor light = ToQColor(clBtnHighlight);
    const QColor dark = ToQColor(clBtnShadow);
    auto bevel = [&](const QColor& topLeft, const QColor& bottomRight) {
        painter.setPen(topLeft);
        painter.drawLine(r.topLeft(), r.topRight());
        painter.drawLine(r.topLeft(), r.bottomLeft());
        painter.setPen(bottomRight);
        painter.drawLine(r.bottomLeft(), r.bottomRight());
        painter.drawLine(r.topRight(), r.bottomRight());
    };
    switch (borderStyle_) {
    case bvFrame:
        painter.setPen(dark);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        break;
    case bvRaised:
        bevel(light, dark);
        break;
    case bvLowered:
        bevel(dark, light);
        break;
    case bvNone:
        break;
    }
    if (!caption_.empty()) {
        QRect text = captionMode_ ? QRect(2, 0, width() - 4, defaultCaptionHeight_) : r.adjusted(4, 0, -4, 0);
        painter.setFont(DefaultFont());
        painter.setPen(ToQColor(DefaultFontColor()));
        painter.drawText(text, int(bswidgets::AlignmentFlags(defaultAlignment_) | Qt::AlignVCenter),
            GbkToQString(caption_));
    }
}

void TbsSkinPanel::CreateControlSkinImage(QImage& image, const TbsSkinLook& look)
{
    if (IsClientPieceOnly(look, borderStyle_, captionMode_)) {
        if (look.Picture) {
            const TRect& s = look.Geom.SkinRect;
            const TRect client = look.Geom.Layout.ClientRect.Offset(s.Left, s.Top);
            bsutils::TilePiece(image, TRect(0, 0, width(), height()), *look.Picture, client);
        }
    } else {
        DrawCommonSkinImage(image, look, look.Geom.SkinRect);
    }
    auto* entry = SkinEntry<TbsDataSkinPanelControl>();
    if (!entry || caption_.empty() || entry->CaptionRect.IsNull())
        return;
    // The caption rect moves with the image like a frame object: what lies
    // right of the right-top point moves with the width.
    TRect r = entry->CaptionRect;
    const int dx = width() - look.Geom.SkinRect.Width();
    if (look.Mode == rmBoth || look.Mode == rmWidth) {
        if (r.Left >= look.Geom.Layout.RTPoint.x())
            r = r.Offset(dx, 0);
        else if (r.Right > look.Geom.Layout.LTPoint.x())
            r.Right += dx;
    }
    QPainter painter(&image);
    painter.setFont(ControlFont(*entry, true));
    painter.setPen(ToQColor(entry->FontColor));
    painter.drawText(r.ToQRect(), int(bswidgets::AlignmentFlags(entry->Alignment) | Qt::AlignVCenter),
        GbkToQString(caption_));
}
