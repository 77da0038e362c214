#include "BsSkinButtons.h"

#include "BsSkinDataGeometry.h"
#include "Bseffects.h"
#include "Bsskindata.h"
#include "GbkText.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

// Picture n of a glyph strip, transparent in the colour of its bottom-left pixel.
QImage GlyphPiece(const QImage& glyph, int numGlyphs, int n)
{
    if (glyph.isNull())
        return {};
    const int count = std::max(numGlyphs, 1);
    const int w = glyph.width() / count;
    if (n >= count)
        n = 0;
    QImage piece = glyph.copy(n * w, 0, w, glyph.height()).convertToFormat(QImage::Format_ARGB32);
    const QRgb transparent = piece.pixel(0, piece.height() - 1);
    for (int y = 0; y < piece.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
        for (int x = 0; x < piece.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (transparent & 0xFFFFFF))
                line[x] = 0;
    }
    return piece;
}

} // namespace

TbsSkinButton::TbsSkinButton(QWidget* parent)
    : TbsSkinCustomControl(parent, "button")
{
    resize(75, 25);
    setFocusPolicy(Qt::StrongFocus);
    morphTimer_.setInterval(20);
    connect(&morphTimer_, &QTimer::timeout, this, &TbsSkinButton::MorphTick);
    connect(&repeatTimer_, &QTimer::timeout, this, &TbsSkinButton::RepeatTick);
}

void TbsSkinButton::SetCaption(const std::string& value)
{
    caption_ = value;
    update();
}

void TbsSkinButton::SetUseSkinSize(bool value)
{
    useSkinSize_ = value;
    ChangeSkinData();
}

void TbsSkinButton::SetUseSkinFontColor(bool value)
{
    useSkinFontColor_ = value;
    update();
}

void TbsSkinButton::SetCanFocused(bool value)
{
    canFocused_ = value;
    setFocusPolicy(value ? Qt::StrongFocus : Qt::NoFocus);
    if (!value && hasFocus())
        clearFocus();
    update();
}

void TbsSkinButton::SetDown(bool value)
{
    if (down_ == value)
        return;
    down_ = value;
    if (value)
        ReleaseGroup();
    update();
}

void TbsSkinButton::ReleaseGroup()
{
    if (groupIndex_ == 0 || !parentWidget())
        return;
    for (auto* other : parentWidget()->findChildren<TbsSkinButton*>(QString(), Qt::FindDirectChildrenOnly))
        if (other != this && other->groupIndex_ == groupIndex_ && other->down_) {
            other->down_ = false;
            other->update();
        }
}

void TbsSkinButton::SetGlyph(const QImage& value)
{
    glyph_ = value;
    update();
}

void TbsSkinButton::SetNumGlyphs(int value)
{
    numGlyphs_ = std::clamp(value, 1, 4);
    update();
}

void TbsSkinButton::SetLayout(TButtonLayout value)
{
    layout_ = value;
    update();
}

void TbsSkinButton::SetSpacing(int value)
{
    spacing_ = value;
    update();
}

void TbsSkinButton::SetMargin(int value)
{
    margin_ = value;
    update();
}

void TbsSkinButton::ChangeSkinData()
{
    morphTimer_.stop();
    morphKf_ = MouseIn() || IsFocused() ? 1.0 : 0.0;
    TbsSkinCustomControl::ChangeSkinData();
}

QSize TbsSkinButton::CalcSize(QSize size) const
{
    return useSkinSize_ ? TbsSkinCustomControl::CalcSize(size) : size;
}

TbsButtonLook TbsSkinButton::CurrentLook() const
{
    if (!isEnabled())
        return bsDisabled;
    if (Pressed() || down_)
        return bsDown;
    if (IsFocused())
        return bsFocused;
    if (MouseIn())
        return bsActive;
    return bsNormal;
}

QColor TbsSkinButton::DefaultTextColor(TbsButtonLook look) const
{
    if (look == bsDisabled)
        return ToQColor(clGrayText);
    return ToQColor(DefaultFontColor());
}

QColor TbsSkinButton::CurrentFontColor() const
{
    const TbsButtonLook look = CurrentLook();
    auto* entry = SkinEntry<TbsDataSkinButtonControl>();
    if (!entry)
        return DefaultTextColor(look);
    if (!useSkinFontColor_)
        return ToQColor(DefaultFontColor());
    switch (look) {
    case bsDisabled:
        return ToQColor(entry->DisabledFontColor);
    case bsDown:
        return ToQColor(entry->DownFontColor);
    case bsActive:
    case bsFocused:
        return ToQColor(entry->ActiveFontColor);
    case bsNormal:
        break;
    }
    return ToQColor(entry->FontColor);
}

void TbsSkinButton::ButtonClick()
{
    if (groupIndex_ != 0) {
        if (down_ && allowAllUp_)
            SetDown(false);
        else
            SetDown(true);
    }
    if (OnClick)
        OnClick(this);
}

// --- input

void TbsSkinButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        TbsSkinCustomControl::mousePressEvent(event);
        return;
    }
    if (canFocused_)
        setFocus(Qt::MouseFocusReason);
    mousePressed_ = true;
    pressOver_ = true;
    if (repeatMode_) {
        ButtonClick();
        repeatTimer_.start(repeatInterval_);
    }
    update();
}

void TbsSkinButton::mouseMoveEvent(QMouseEvent* event)
{
    if (mousePressed_) {
        // The widget keeps the mouse while the button is held; the look
        // follows whether the mouse is still over it.
        const bool over = rect().contains(event->position().toPoint());
        if (over != pressOver_) {
            pressOver_ = over;
            update();
        }
    }
    TbsSkinCustomControl::mouseMoveEvent(event);
}

void TbsSkinButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !mousePressed_) {
        TbsSkinCustomControl::mouseReleaseEvent(event);
        return;
    }
    const bool over = rect().contains(event->position().toPoint());
    mousePressed_ = false;
    pressOver_ = false;
    repeatTimer_.stop();
    update();
    if (over && !repeatMode_)
        ButtonClick();
}

void TbsSkinButton::RepeatTick()
{
    if (mousePressed_ && pressOver_ && isEnabled())
        ButtonClick();
}

void TbsSkinButton::keyPressEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat() && event->key() == Qt::Key_Space) {
        keyPressed_ = true;
        update();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ButtonClick();
        return;
    }
    TbsSkinCustomControl::keyPressEvent(event);
}

void TbsSkinButton::keyReleaseEvent(QKeyEvent* event)
{
    if (!event->isAutoRepeat() && event->key() == Qt::Key_Space && keyPressed_) {
        keyPressed_ = false;
        update();
        ButtonClick();
        return;
    }
    TbsSkinCustomControl::keyReleaseEvent(event);
}

void TbsSkinButton::focusInEvent(QFocusEvent* event)
{
    TbsSkinCustomControl::focusInEvent(event);
    StartMorph();
    update();
}

void TbsSkinButton::focusOutEvent(QFocusEvent* event)
{
    keyPressed_ = false;
    TbsSkinCustomControl::focusOutEvent(event);
    StartMorph();
    update();
}

void TbsSkinButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        mousePressed_ = keyPressed_ = false;
        repeatTimer_.stop();
    }
    TbsSkinCustomControl::changeEvent(event);
    update();
}

void TbsSkinButton::MouseEnter()
{
    StartMorph();
    update();
}

void TbsSkinButton::MouseLeave()
{
    StartMorph();
    update();
}

// --- morphing

void TbsSkinButton::StartMorph()
{
    auto* entry = SkinEntry<TbsDataSkinButtonControl>();
    const bool active = MouseIn() || IsFocused();
    if (!entry || !entry->Morphing || !LoadedSkin()->EnableSkinEffects() || entry->ActiveSkinRect.IsNull()) {
        morphKf_ = active ? 1.0 : 0.0;
        morphTimer_.stop();
        return;
    }
    if (!morphTimer_.isActive())
        morphTimer_.start();
}

void TbsSkinButton::MorphTick()
{
    const bool active = MouseIn() || IsFocused();
    morphKf_ = NextMorphKf(morphKf_, active);
    if ((active && morphKf_ >= 1.0) || (!active && morphKf_ <= 0.0))
        morphTimer_.stop();
    update();
}

// --- drawing

void TbsSkinButton::DrawContent(QPainter& painter, const QRect& r, const QFont& font, const QColor& color)
{
    const QString text = GbkToQString(caption_);
    const int glyphIndex = !isEnabled() ? 1 : (CurrentLook() == bsDown ? 2 : 0);
    const QImage glyph = GlyphPiece(glyph_, numGlyphs_, glyphIndex < numGlyphs_ ? glyphIndex : 0);
    painter.setFont(font);
    painter.setPen(color);
    const QFontMetrics metrics(font);
    const QSize textSize
        = text.isEmpty() ? QSize() : QSize(metrics.horizontalAdvance(text), metrics.height());
    const QSize glyphSize = glyph.isNull() ? QSize() : glyph.size();
    const int gap = (text.isEmpty() || glyph.isNull()) ? 0 : spacing_;
    const bool across = layout_ == blGlyphLeft || layout_ == blGlyphRight;
    const int total
        = across ? glyphSize.width() + gap + textSize.width() : glyphSize.height() + gap + textSize.height();
    const int room = across ? r.width() : r.height();
    int start = margin_ < 0 ? (room - total) / 2 : margin_;
    if (layout_ == blGlyphRight || layout_ == blGlyphBottom)
        start = margin_ < 0 ? start : room - margin_ - total;
    QPoint glyphAt, textAt;
    if (across) {
        const int first = r.left() + start;
        const bool glyphFirst = layout_ == blGlyphLeft;
        const int gx = glyphFirst ? first : first + textSize.width() + gap;
        const int tx = glyphFirst ? first + glyphSize.width() + gap : first;
        glyphAt = QPoint(gx, r.top() + (r.height() - glyphSize.height()) / 2);
        textAt = QPoint(tx, r.top() + (r.height() - textSize.height()) / 2);
    } else {
        const int first = r.top() + start;
        const bool glyphFirst = layout_ == blGlyphTop;
        const int gy = glyphFirst ? first : first + textSize.height() + gap;
        const int ty = glyphFirst ? first + glyphSize.height() + gap : first;
        glyphAt = QPoint(r.left() + (r.width() - glyphSize.width()) / 2, gy);
        textAt = QPoint(r.left() + (r.width() - textSize.width()) / 2, ty);
    }
    if (!glyph.isNull())
        painter.drawImage(glyphAt, glyph);
    if (!text.isEmpty())
        painter.drawText(QRect(textAt, textSize), Qt::AlignCenter | Qt::TextSingleLine, text);
}

void TbsSkinButton::CreateControlDefaultImage(QImage& image)
{
    using namespace bswidgets;
    QPainter painter(&image);
    const TbsButtonLook look = CurrentLook();
    const QRect r = rect();
    if (look == bsDown)
        FrameAndFill(painter, r, ToQColor(NavyFrame), ToQColor(PressedFill));
    else if (look == bsActive || (look == bsFocused && MouseIn()))
        FrameAndFill(painter, r, ToQColor(NavyFrame), ToQColor(HotFill));
    else
        FrameAndFill(painter, r, ToQColor(clBtnShadow), ToQColor(clBtnFace));
    DrawContent(painter, r.adjusted(2, 2, -2, -2), DefaultFont(), DefaultTextColor(look));
    if (IsFocused())
        DrawFocusRect(painter, r.adjusted(3, 3, -3, -3), ToQColor(clBtnFace));
}

void TbsSkinButton::CreateControlSkinImage(QImage& image, const TbsSkinLook& look)
{
    auto* entry = SkinEntry<TbsDataSkinButtonControl>();
    if (!entry) {
        TbsSkinCustomControl::CreateControlSkinImage(image, look);
        return;
    }
    const TbsButtonLook state = CurrentLook();
    auto pick = [&](const TRect& r) { return r.IsNull() ? look.Geom.SkinRect : r; };
    TRect r = look.Geom.SkinRect;
    switch (state) {
    case bsDisabled:
        r = pick(entry->DisabledSkinRect);
        break;
    case bsDown:
        r = pick(entry->DownSkinRect);
        break;
    case bsFocused:
        r = !entry->FocusedSkinRect.IsNull() ? entry->FocusedSkinRect : pick(entry->ActiveSkinRect);
        break;
    case bsActive:
        r = pick(entry->ActiveSkinRect);
        break;
    case bsNormal:
        break;
    }
    auto build = [&](const TRect& lookRect) {
        if (!look.Picture)
            return QImage();
        if (!useSkinSize_ && look.Mode != rmBoth) {
            QImage stretched(width(), height(), QImage::Format_RGB32);
            bsutils::StretchPiece(stretched, TRect(0, 0, width(), height()), *look.Picture, lookRect);
            return stretched;
        }
        return ::CreateControlSkinImage(look.Geom, *look.Picture, lookRect, width(), height());
    };
    QImage face = build(r);
    const bool morphing
        = morphTimer_.isActive() && (state == bsNormal || state == bsActive || state == bsFocused);
    if (morphing && !entry->ActiveSkinRect.IsNull())
        face = MorphImages(
            build(look.Geom.SkinRect), build(entry->ActiveSkinRect), morphKf_, entry->MorphKind);
    QPainter painter(&image);
    if (!face.isNull())
        painter.drawImage(0, 0, face);
    const QRect client = RealClientRect();
    DrawContent(painter, client, ControlFont(*entry, true), CurrentFontColor());
    if (entry->ShowFocus && IsFocused())
        bswidgets::DrawFocusRect(painter, client, SkinColor(&TbsSkinColors::cBtnFace, clBtnFace));
}

// --- TbsSkinXFormButton

TbsSkinXFormButton::TbsSkinXFormButton(QWidget* parent)
    : TbsSkinButton(parent)
{
    TbsSkinButton::SetCanFocused(false);
}

void TbsSkinXFormButton::SetCanFocused(bool)
{
    TbsSkinButton::SetCanFocused(false);
}

void TbsSkinXFormButton::SetDefImage(const QImage& value)
{
    defImage_ = value;
    ChangeSkinData();
}

void TbsSkinXFormButton::SetDefActiveImage(const QImage& value)
{
    defActiveImage_ = value;
    update();
}

void TbsSkinXFormButton::SetDefDownImage(const QImage& value)
{
    defDownImage_ = value;
    update();
}

void TbsSkinXFormButton::SetDefMask(const QImage& value)
{
    defMask_ = value;
    ChangeSkinData();
}

void TbsSkinXFormButton::SetDefActiveFontColor(TColor value)
{
    defActiveFontColor_ = value;
    update();
}

void TbsSkinXFormButton::SetDefDownFontColor(TColor value)
{
    defDownFontColor_ = value;
    update();
}

void TbsSkinXFormButton::ChangeSkinData()
{
    TbsSkinButton::ChangeSkinData();
    if (!LoadedSkin() || !SkinEntry<TbsDataSkinControl>())
        ApplyDefImageSize();
}

void TbsSkinXFormButton::ApplyDefImageSize()
{
    if (defImage_.isNull())
        return;
    resize(defImage_.size());
    if (!defMask_.isNull())
        setMask(CreateSkinSimplyRegion(defMask_));
}

QColor TbsSkinXFormButton::DefaultTextColor(TbsButtonLook look) const
{
    switch (look) {
    case bsDown:
        return ToQColor(defDownFontColor_);
    case bsActive:
    case bsFocused:
        return ToQColor(defActiveFontColor_);
    default:
        return TbsSkinButton::DefaultTextColor(look);
    }
}

void TbsSkinXFormButton::CreateControlDefaultImage(QImage& image)
{
    if (defImage_.isNull()) {
        TbsSkinButton::CreateControlDefaultImage(image);
        return;
    }
    const TbsButtonLook look = CurrentLook();
    const QImage& picture = look == bsDown && !defDownImage_.isNull()       ? defDownImage_
        : (look == bsActive || look == bsDown) && !defActiveImage_.isNull() ? defActiveImage_
                                                                            : defImage_;
    QPainter painter(&image);
    painter.drawImage(image.rect(), picture);
    DrawContent(painter, rect(), DefaultFont(), DefaultTextColor(look));
}
