#include "BsSkinLabels.h"

#include "BsSkinDataGeometry.h"
#include "Bsskindata.h"
#include "GbkText.h"

#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

// --- TbsSkinLabelBase

TbsSkinLabelBase::TbsSkinLabelBase(QWidget* parent)
    : TbsSkinControl(parent, "stdlabel")
    , defaultFont_(DefaultControlFont())
{
}

void TbsSkinLabelBase::SetUseSkinFont(bool value)
{
    useSkinFont_ = value;
    AdjustBounds();
    update();
}

void TbsSkinLabelBase::SetUseSkinColor(bool value)
{
    useSkinColor_ = value;
    update();
}

void TbsSkinLabelBase::SetDefaultFont(const QFont& value)
{
    defaultFont_ = value;
    AdjustBounds();
    update();
}

void TbsSkinLabelBase::SetDefaultFontColor(TColor value)
{
    defaultFontColor_ = value;
    update();
}

void TbsSkinLabelBase::SetFontColor(TColor value)
{
    fontColor_ = value;
    update();
}

void TbsSkinLabelBase::SetAutoSize(bool value)
{
    autoSize_ = value;
    AdjustBounds();
}

void TbsSkinLabelBase::ChangeSkinData()
{
    TbsSkinControl::ChangeSkinData();
    AdjustBounds();
}

QFont TbsSkinLabelBase::TextFont() const
{
    if (!useSkinFont_)
        return font();
    if (auto* entry = SkinEntry<TbsDataSkinStdLabelControl>())
        return SkinFont(*entry);
    return defaultFont_;
}

QColor TbsSkinLabelBase::TextColor() const
{
    auto* entry = SkinEntry<TbsDataSkinStdLabelControl>();
    if (entry && useSkinColor_)
        return ToQColor(entry->FontColor);
    return ToQColor(useSkinFont_ ? defaultFontColor_ : fontColor_);
}

void TbsSkinLabelBase::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        AdjustBounds();
    TbsSkinControl::changeEvent(event);
}

void TbsSkinLabelBase::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setFont(TextFont());
    DrawText(painter);
}

void TbsSkinLabelBase::DrawLabelText(QPainter& painter, const QRect& r, int flags, const QString& text)
{
    if (isEnabled()) {
        painter.setPen(TextColor());
        painter.drawText(r, flags, text);
        return;
    }
    painter.setPen(SkinColor(&TbsSkinColors::cBtnHighLight, clBtnHighlight));
    painter.drawText(r.translated(1, 1), flags, text);
    painter.setPen(SkinColor(&TbsSkinColors::cBtnShadow, clBtnShadow));
    painter.drawText(r, flags, text);
}

// --- TbsSkinStdLabel

TbsSkinStdLabel::TbsSkinStdLabel(QWidget* parent)
    : TbsSkinLabelBase(parent)
{
    SetAutoSize(true);
}

void TbsSkinStdLabel::SetCaption(const std::string& value)
{
    caption_ = value;
    AdjustBounds();
    update();
}

void TbsSkinStdLabel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    update();
}

void TbsSkinStdLabel::SetEllipsType(TbsEllipsType value)
{
    ellipsType_ = value;
    update();
}

void TbsSkinStdLabel::AdjustBounds()
{
    if (!AutoSize())
        return;
    const QFontMetrics metrics(TextFont());
    const QString text = GbkToQString(caption_);
    // The skin's font sets the size: never larger than the screens.
    resize(BoundedSkinSize({ std::max(metrics.horizontalAdvance(text), 1), metrics.height() }));
}

void TbsSkinStdLabel::DrawText(QPainter& painter)
{
    QString text = GbkToQString(caption_);
    const QFontMetrics metrics(painter.font());
    if (ellipsType_ != bsetNone && metrics.horizontalAdvance(text) > width())
        text = metrics.elidedText(
            text, ellipsType_ == bsetEndEllips ? Qt::ElideRight : Qt::ElideMiddle, width());
    DrawLabelText(painter, rect(),
        int(bswidgets::AlignmentFlags(alignment_) | Qt::AlignTop | Qt::TextSingleLine), text);
}

// --- TbsSkinTextLabel

TbsSkinTextLabel::TbsSkinTextLabel(QWidget* parent)
    : TbsSkinLabelBase(parent)
{
    resize(100, 40);
}

void TbsSkinTextLabel::SetLines(const std::vector<std::string>& value)
{
    lines_ = value;
    AdjustBounds();
    update();
}

void TbsSkinTextLabel::SetAlignment(TAlignment value)
{
    alignment_ = value;
    update();
}

void TbsSkinTextLabel::SetWordWrap(bool value)
{
    wordWrap_ = value;
    AdjustBounds();
    update();
}

QString TbsSkinTextLabel::JoinedText() const
{
    QStringList lines;
    for (const std::string& line : lines_)
        lines << GbkToQString(line);
    return lines.join(QLatin1Char('\n'));
}

int TbsSkinTextLabel::Flags() const
{
    return int(bswidgets::AlignmentFlags(alignment_) | Qt::AlignTop)
        | (wordWrap_ ? int(Qt::TextWordWrap) : 0);
}

void TbsSkinTextLabel::AdjustBounds()
{
    if (!AutoSize())
        return;
    const QFontMetrics metrics(TextFont());
    // Word-wrapped text keeps its width and takes the height it needs.
    const QRect bounds = wordWrap_ ? metrics.boundingRect(QRect(0, 0, width(), 100000), Flags(), JoinedText())
                                   : metrics.boundingRect(QRect(0, 0, 100000, 100000), Flags(), JoinedText());
    resize(BoundedSkinSize(
        { wordWrap_ ? width() : std::max(bounds.width(), 1), std::max(bounds.height(), metrics.height()) }));
}

void TbsSkinTextLabel::DrawText(QPainter& painter)
{
    DrawLabelText(painter, rect(), Flags(), JoinedText());
}

// --- TbsSkinLinkLabel

TbsSkinLinkLabel::TbsSkinLinkLabel(QWidget* parent)
    : TbsSkinStdLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}

void TbsSkinLinkLabel::SetUseUnderLine(bool value)
{
    useUnderLine_ = value;
    update();
}

void TbsSkinLinkLabel::SetDefaultActiveFontColor(TColor value)
{
    defaultActiveFontColor_ = value;
    update();
}

namespace {

TbsSkinLinkLabel::TOpener& SharedOpener()
{
    static TbsSkinLinkLabel::TOpener opener
        = [](const std::string& url) { QDesktopServices::openUrl(QUrl(GbkToQString(url))); };
    return opener;
}

} // namespace

void TbsSkinLinkLabel::SetDefaultOpener(TOpener opener)
{
    SharedOpener() = std::move(opener);
}

const TbsSkinLinkLabel::TOpener& TbsSkinLinkLabel::DefaultOpener()
{
    return SharedOpener();
}

void TbsSkinLinkLabel::SetOpener(TOpener opener)
{
    opener_ = std::move(opener);
}

QColor TbsSkinLinkLabel::TextColor() const
{
    if (!MouseIn())
        return TbsSkinStdLabel::TextColor();
    if (auto* entry = SkinEntry<TbsDataSkinStdLabelControl>())
        return ToQColor(entry->ActiveFontColor);
    return ToQColor(defaultActiveFontColor_);
}

void TbsSkinLinkLabel::DrawText(QPainter& painter)
{
    QFont font = painter.font();
    font.setUnderline(useUnderLine_ || !SkinEntry<TbsDataSkinStdLabelControl>());
    painter.setFont(font);
    TbsSkinStdLabel::DrawText(painter);
}

void TbsSkinLinkLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
}

void TbsSkinLinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click
        = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (!click)
        return;
    if (OnClick)
        OnClick(this);
    const TOpener& open = opener_ ? opener_ : DefaultOpener();
    if (!url_.empty() && open)
        open(url_);
}

void TbsSkinLinkLabel::MouseEnter()
{
    update();
}
void TbsSkinLinkLabel::MouseLeave()
{
    update();
}

// --- TbsSkinButtonLabel

TbsSkinButtonLabel::TbsSkinButtonLabel(QWidget* parent)
    : TbsSkinLabelBase(parent)
{
    resize(75, 17);
}

void TbsSkinButtonLabel::SetCaption(const std::string& value)
{
    caption_ = value;
    update();
}

void TbsSkinButtonLabel::SetGlyph(const QImage& value)
{
    glyph_ = value;
    update();
}

void TbsSkinButtonLabel::SetNumGlyphs(int value)
{
    numGlyphs_ = std::max(value, 1);
    update();
}

void TbsSkinButtonLabel::SetLayout(TButtonLayout value)
{
    layout_ = value;
    update();
}

void TbsSkinButtonLabel::SetSpacing(int value)
{
    spacing_ = value;
    update();
}

void TbsSkinButtonLabel::SetMargin(int value)
{
    margin_ = value;
    update();
}

void TbsSkinButtonLabel::SetWebStyle(bool value)
{
    webStyle_ = value;
    update();
}

void TbsSkinButtonLabel::SetDefaultActiveFontColor(TColor value)
{
    defaultActiveFontColor_ = value;
    update();
}

QColor TbsSkinButtonLabel::TextColor() const
{
    auto* entry = SkinEntry<TbsDataSkinStdLabelControl>();
    if (MouseIn())
        return ToQColor(entry ? entry->ActiveFontColor : defaultActiveFontColor_);
    return entry ? ToQColor(entry->FontColor) : ToQColor(DefaultFontColor());
}

void TbsSkinButtonLabel::DrawText(QPainter& painter)
{
    const QString text = GbkToQString(caption_);
    QFont font = painter.font();
    if (webStyle_ && MouseIn())
        font.setUnderline(true);
    painter.setFont(font);
    QImage glyph;
    if (!glyph_.isNull()) {
        const int w = glyph_.width() / numGlyphs_;
        const int n = !isEnabled() && numGlyphs_ > 1 ? 1 : 0;
        glyph = glyph_.copy(n * w, 0, w, glyph_.height());
    }
    const QFontMetrics metrics(font);
    const int tw = text.isEmpty() ? 0 : metrics.horizontalAdvance(text);
    const int gw = glyph.isNull() ? 0 : glyph.width();
    const int gap = tw && gw ? spacing_ : 0;
    const bool across = layout_ == blGlyphLeft || layout_ == blGlyphRight;
    QRect textRect = rect();
    if (!glyph.isNull()) {
        QPoint at;
        if (across) {
            const int total = gw + gap + tw;
            int x = margin_ < 0 ? (width() - total) / 2 : margin_;
            if (layout_ == blGlyphRight && margin_ >= 0)
                x = width() - margin_ - total;
            const int gx = layout_ == blGlyphLeft ? x : x + tw + gap;
            const int tx = layout_ == blGlyphLeft ? x + gw + gap : x;
            at = QPoint(gx, (height() - glyph.height()) / 2);
            textRect = QRect(tx, 0, tw, height());
        } else {
            const int th = metrics.height();
            const int total = glyph.height() + gap + th;
            const int y = margin_ < 0 ? (height() - total) / 2 : margin_;
            const int gy = layout_ == blGlyphTop ? y : y + th + gap;
            const int ty = layout_ == blGlyphTop ? y + glyph.height() + gap : y;
            at = QPoint((width() - gw) / 2, gy);
            textRect = QRect(0, ty, width(), th);
        }
        painter.drawImage(at, glyph);
    }
    DrawLabelText(painter, textRect, int(Qt::AlignCenter | Qt::TextSingleLine), text);
}

void TbsSkinButtonLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
}

void TbsSkinButtonLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click
        = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click && OnClick)
        OnClick(this);
}

void TbsSkinButtonLabel::MouseEnter()
{
    update();
}
void TbsSkinButtonLabel::MouseLeave()
{
    update();
}
