#include "BsMenuGeometry.h"

#include "Bsutils.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <limits>
#include <numeric>

int MenuItemHeight(bool separator, const TbsMenuItemSkinGeom* itemSkin, int defaultItemHeight)
{
    if (itemSkin)
        return separator ? itemSkin->DividerRect.Height() : itemSkin->SkinRect.Height();
    return separator ? 4 : defaultItemHeight;
}

int MenuGlyphWidth(bool hasImages, int imageWidth)
{
    return hasImages ? imageWidth + 5 : 19;
}

TbsMenuWindowSize CalcMenuWindowSize(const TbsMenuSizeInput& in)
{
    TbsMenuWindowSize size;
    const TbsPopupWindowSkinGeom* window = in.WindowSkin;
    size.Width = in.MaxTextWidth + 2 + 19 + MenuGlyphWidth(in.HasImages, in.ImageWidth);
    int frameHeight = 4;
    if (!window) {
        size.Width += 10;
    } else {
        // Without an item skin the item's own margins are taken as the default look's.
        size.Width += in.ItemSkin ? in.ItemSkin->SkinRect.Width() - in.ItemSkin->TextRect.Width() : 10;
        size.Width += window->PictureSize.width() - window->ItemsRect.Width();
        frameHeight = window->PictureSize.height() - window->ItemsRect.Height();
    }
    // Summed wide and kept in range: many tall items must not wrap around.
    auto fit = [](long long v) {
        return static_cast<int>(std::clamp<long long>(v, 0, std::numeric_limits<int>::max() / 2));
    };
    size.Height = fit(std::accumulate(in.ItemHeights.begin(), in.ItemHeights.end(), 0LL) + frameHeight);
    if (in.MaxMenuItemsInWindow > 0 && static_cast<int>(in.ItemHeights.size()) > in.MaxMenuItemsInWindow) {
        const int itemHeight = in.ItemSkin ? in.ItemSkin->SkinRect.Height() : in.DefaultItemHeight;
        size.Height = fit(static_cast<long long>(in.MaxMenuItemsInWindow) * itemHeight + frameHeight + 20);
        size.Scroll = size.Scroll2 = true;
    }
    if (in.WorkAreaHeight > 0 && size.Height > in.WorkAreaHeight) {
        size.Height = in.WorkAreaHeight;
        size.Scroll = true;
    }
    return size;
}

TRect CalcMenuItemsRect(const TbsPopupWindowSkinGeom* window, int w, int h)
{
    if (!window)
        return { 2, 2, w - 2, h - 2 };
    const TRect& r = window->ItemsRect;
    return { r.Left, r.Top, r.Right + w - window->PictureSize.width(),
        r.Bottom + h - window->PictureSize.height() };
}

TbsMenuItemLayout CalcItemRects(
    const TRect& itemsRect, const std::vector<int>& heights, bool scroll, int visibleStart)
{
    TbsMenuItemLayout layout;
    layout.Rects.assign(heights.size(), TRect());
    layout.Visible.assign(heights.size(), false);
    const int bottom = itemsRect.Bottom - (scroll ? 10 : 0);
    int y = itemsRect.Top + (scroll ? 10 : 0);
    for (size_t i = static_cast<size_t>(std::max(visibleStart, 0)); i < heights.size(); ++i) {
        if (y + heights[i] > bottom)
            break;
        layout.Rects[i] = { itemsRect.Left, y, itemsRect.Right, y + heights[i] };
        layout.Visible[i] = true;
        ++layout.VisibleCount;
        y += heights[i];
    }
    return layout;
}

int LastPageStartIndex(const TRect& itemsRect, const std::vector<int>& heights)
{
    // Room between the two scroll areas, filled from the last item upward.
    int room = (itemsRect.Bottom - 10) - (itemsRect.Top + 10);
    int count = 0;
    for (auto it = heights.rbegin(); it != heights.rend(); ++it) {
        room -= *it;
        if (room < 0)
            break;
        ++count;
    }
    return static_cast<int>(heights.size()) - count;
}

QPoint CalcMenuPosition(const TbsMenuPlacement& p)
{
    const TRect& R = p.Request;
    const TRect& A = p.WorkArea;
    const int W = p.Size.width();
    const int H = p.Size.height();
    const bool fitsBelow = R.Bottom + H <= A.Bottom;
    const bool upperHalf = R.Top < A.Top + A.Height() / 2;
    const bool limitedByWorkArea = p.Scroll && !p.Scroll2;
    bool overlapping = false;
    int y = 0;
    if (limitedByWorkArea) {
        y = A.Top;
    } else if (p.SubMenu) {
        // Aligns the first item with the parent item.
        y = R.Top - p.ItemsRectTop;
        if (y + H > A.Bottom)
            y = upperHalf ? A.Bottom - H : std::max(A.Top, R.Bottom - H + p.ItemsRectTop);
    } else if (p.Up) {
        if (R.Top - H >= A.Top) {
            y = R.Top - H;
        } else if (!upperHalf) {
            y = A.Top;
            overlapping = true;
        } else if (fitsBelow) {
            y = R.Bottom;
        } else {
            y = A.Bottom - H;
            overlapping = true;
        }
    } else {
        if (fitsBelow) {
            y = R.Bottom;
        } else if (upperHalf) {
            y = A.Bottom - H;
            overlapping = true;
        } else if (R.Top - H >= A.Top) {
            y = R.Top - H;
        } else {
            y = A.Top;
            overlapping = true;
        }
    }
    int x = 0;
    if (p.SubMenu || overlapping || limitedByWorkArea) {
        // Beside the rect, so the window does not cover what opened it.
        x = R.Right + 1;
        if (R.Right + W + 1 > A.Right)
            x = R.Left - W - 1;
    } else {
        x = R.Left;
        if (x + W > A.Right)
            x = A.Right - W;
        if (x < A.Left)
            x = A.Left;
    }
    return { x, y };
}

namespace {

// Built-in arrow: a small right-pointing triangle with its tip at x + 4.
void DrawArrow(QPainter& painter, int x, int y, const QColor& color)
{
    painter.setPen(color);
    for (int i = 0; i < 4; ++i)
        painter.drawLine(x + i, y + i, x + i, y + 8 - i);
}

void DrawCheckMark(QPainter& painter, int x, int y, const QColor& color)
{
    painter.setPen(color);
    for (int i = 0; i < 2; ++i) {
        painter.drawLine(x, y + 3 + i, x + 2, y + 5 + i);
        painter.drawLine(x + 2, y + 5 + i, x + 6, y + 1 + i);
    }
}

void DrawRadioDot(QPainter& painter, int x, int y, const QColor& color)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawEllipse(QRect(x + 1, y + 1, 6, 6));
    painter.setBrush(Qt::NoBrush);
}

// Built-in pictures of the frame's system and tray menu items; false when the
// name has none.
bool DrawNamedMarker(QPainter& painter, const QString& name, int x, int y, const QColor& color)
{
    painter.setPen(QPen(color, 1));
    const QRect box(x, y, 9, 9);
    if (name == u"BSF_CLOSE" || name == u"TRAY_BSF_CLOSE") {
        painter.drawLine(box.topLeft(), box.bottomRight());
        painter.drawLine(box.topRight(), box.bottomLeft());
    } else if (name == u"BSF_MINITEM") {
        painter.drawLine(box.left(), box.bottom(), box.right(), box.bottom());
        painter.drawLine(box.left(), box.bottom() - 1, box.right(), box.bottom() - 1);
    } else if (name == u"BSF_MAXITEM") {
        painter.drawRect(box.adjusted(0, 0, -1, -1));
        painter.drawLine(box.left(), box.top() + 1, box.right() - 1, box.top() + 1);
    } else if (name == u"BSF_RESTORE" || name == u"TRAY_BSF_RESTORE") {
        painter.drawRect(QRect(x + 2, y, 6, 5));
        painter.drawRect(QRect(x, y + 3, 6, 5));
    } else if (name == u"BSF_ROLLUP") {
        painter.drawLine(box.left(), box.bottom() - 2, box.center().x(), box.top() + 2);
        painter.drawLine(box.center().x(), box.top() + 2, box.right(), box.bottom() - 2);
    } else if (name == u"BSF_MINTOTRAY") {
        painter.drawLine(box.left(), box.bottom(), box.right(), box.bottom());
        painter.drawLine(box.right(), box.top(), box.right(), box.bottom());
    } else {
        return false;
    }
    return true;
}

// Caption (from the glyph column's end, limited short of the right edge) and short cut text.
void DrawTexts(QPainter& painter, const TbsMenuItemState& item, const QRect& textArea, int glyphWidth,
    int rightGap, const QColor& color, const QFont& font)
{
    painter.setFont(font);
    painter.setPen(color);
    const QRect captionRect(textArea.left() + glyphWidth, textArea.top(),
        std::max(textArea.width() - glyphWidth - rightGap, 0), textArea.height());
    painter.drawText(captionRect,
        Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine, item.Caption);
    if (!item.ShortCut.isEmpty()) {
        const QRect cutRect(
            textArea.left(), textArea.top(), std::max(textArea.width() - rightGap, 0), textArea.height());
        painter.drawText(cutRect, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine, item.ShortCut);
    }
}

// Glyph or marker in the glyph area: with a glyph, centred in the area (or at
// its left edge when centreGlyph is off, always centred vertically), with a
// frame in the text colour when checked; without one, a named, radio or check
// marker, built-in ones in pictureColor, a skin one centred in markerBox.
void DrawGlyphOrMarker(QPainter& painter, const TbsMenuItemState& item, const QRect& area, bool centreGlyph,
    int markerX, int markerY, const QColor& color, const QColor& pictureColor, const QImage* skinMarker,
    const QRect& skinMarkerSource, const TRect& markerBox)
{
    if (!item.Glyph.isNull()) {
        const QPoint at(area.left() + (centreGlyph ? (area.width() - item.Glyph.width()) / 2 : 0),
            area.top() + (area.height() - item.Glyph.height()) / 2);
        painter.drawImage(at, item.Glyph);
        if (item.Checked) {
            painter.setPen(color);
            painter.drawRect(QRect(at - QPoint(1, 1), item.Glyph.size() + QSize(1, 1)));
        }
        return;
    }
    if (DrawNamedMarker(painter, item.Name, markerX, markerY, pictureColor))
        return;
    if (!item.Checked)
        return;
    if (skinMarker && !skinMarkerSource.isEmpty()) {
        // Centred in the area but never left of or above it.
        const int x
            = std::max(markerBox.Left, markerBox.Left + (markerBox.Width() - skinMarkerSource.width()) / 2);
        const int y
            = std::max(markerBox.Top, markerBox.Top + (markerBox.Height() - skinMarkerSource.height()) / 2);
        // Only what can show: the source inside the picture and no larger than the item.
        const QRect source = skinMarkerSource.intersected(skinMarker->rect())
                                 .intersected(QRect(skinMarkerSource.topLeft(),
                                     QSize(painter.device()->width(), painter.device()->height())));
        if (source.isEmpty())
            return;
        QImage piece = skinMarker->copy(source).convertToFormat(QImage::Format_ARGB32);
        // The marker's first pixel is its transparent colour.
        const QRgb key = piece.pixel(0, 0);
        for (int py = 0; py < piece.height(); ++py)
            for (int px = 0; px < piece.width(); ++px)
                if (piece.pixel(px, py) == key)
                    piece.setPixel(px, py, 0);
        painter.drawImage(QPoint(x, y), piece);
        return;
    }
    if (item.Radio)
        DrawRadioDot(painter, markerX, markerY, pictureColor);
    else
        DrawCheckMark(painter, markerX, markerY, pictureColor);
}

// The header's look across the item at its own height, centred vertically,
// and the text left-aligned in textArea, centred vertically in the item.
void DrawHeader(
    QImage& image, const TbsMenuHeaderSkin& header, const TbsMenuItemState& item, const QRect& textArea)
{
    QPainter painter(&image);
    const TRect& look = header.SkinRect;
    if (!header.Picture.isNull() && !look.IsEmpty()) {
        // Centred at its own height; rows that fall outside the item are not made.
        const int top = (image.height() - look.Height()) / 2;
        const int skip = std::max(-top, 0);
        const TRect rows(look.Left, look.Top + skip, look.Right,
            look.Top + skip + std::min(look.Height() - skip, image.height()));
        const QImage strip = CreateHSkinImage(header.LeftOffset, header.RightOffset, header.Picture, rows,
            image.width(), rows.Height(), header.StretchEffect);
        painter.drawImage(QPoint(0, std::max(top, 0)), strip);
    }
    painter.setFont(header.Font);
    painter.setPen(ToQColor(header.FontColor));
    const QRect textRect(textArea.left(), 0, std::max(textArea.width(), 0), image.height());
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextSingleLine,
        MenuHeaderText(item.Caption));
}

} // namespace

bool IsMenuHeader(const TbsMenuItemState& item)
{
    return !item.Enabled && !item.Separator && item.Caption.size() >= 2 && item.Caption.startsWith(u'-')
        && item.Caption.endsWith(u'-');
}

QString MenuHeaderText(const QString& caption)
{
    return caption.size() >= 2 ? caption.mid(1, caption.size() - 2) : QString();
}

QImage CreateSkinMenuItemImage(const TbsMenuItemSkinGeom& s, const QImage& picture,
    const TbsMenuItemState& item, int w, int h, const QFont& font, int glyphWidth, const QImage* paintBuffer,
    const TbsMenuHeaderSkin* header)
{
    if (w <= 0 || h <= 0)
        return {};
    if (item.Separator)
        return CreateHSkinImage(
            s.DividerLeftOffset, s.DividerRightOffset, picture, s.DividerRect, w, h, s.DividerStretchEffect);
    QImage image;
    const bool isHeader = IsMenuHeader(item);
    const bool highlighted = item.Active && !isHeader;
    if (!highlighted && s.InActiveTransparent && paintBuffer && !paintBuffer->isNull()) {
        image = paintBuffer->copy(0, 0, w, h).convertToFormat(QImage::Format_RGB32);
    } else {
        const TRect look = highlighted && !s.ActiveSkinRect.IsNull() ? s.ActiveSkinRect : s.SkinRect;
        image = CreateHSkinImage(s.ItemLeftOffset, s.ItemRightOffset, picture, look, w, h,
            highlighted ? s.StretchEffect : s.InActiveStretchEffect);
    }

    const int growth = w - s.SkinRect.Width();
    const QRect textArea
        = TRect(s.TextRect.Left, s.TextRect.Top, s.TextRect.Right + growth, s.TextRect.Bottom).ToQRect();
    if (isHeader) {
        if (header)
            DrawHeader(image, *header, item, textArea);
        return image;
    }

    QPainter painter(&image);
    const int glyph = s.ImageRect.IsNull() ? glyphWidth : 0;
    const QColor color = ToQColor(!item.Enabled ? s.UnEnabledFontColor
            : highlighted                       ? s.ActiveFontColor
                                                : s.FontColor);
    const QColor pictureColor
        = s.UseImageColor ? ToQColor(highlighted ? s.ActiveImageColor : s.ImageColor) : color;
    DrawTexts(painter, item, textArea, glyph, 16, color, font);

    if (item.HasSubItems) {
        const TRect arrow = highlighted ? s.ActiveArrowImageRect : s.ArrowImageRect;
        if (!arrow.IsEmpty()) {
            const QRect box(textArea.right() + 1 - arrow.Width() - 5, textArea.top(), arrow.Width() + 5,
                textArea.height());
            // A piece of its own, so the painter never converts the whole picture.
            const QRect source = arrow.ToQRect().intersected(picture.rect());
            painter.drawImage(QPoint(box.left() + (box.width() - arrow.Width()) / 2,
                                  box.top() + (box.height() - arrow.Height()) / 2),
                picture.copy(source.intersected(QRect(source.topLeft(), QSize(w, h)))));
        } else {
            DrawArrow(painter, textArea.right() + 1 - 7, textArea.center().y() - 4, pictureColor);
        }
    }

    // Glyphs and markers are centred in the image rect; without one a glyph
    // sits at the text area's left + 2, centred vertically, and a skin check
    // or radio image in the box from there to left + 16, from the text rect's
    // top down to the image rect's bottom (so, never above it, at its top).
    const bool hasImageRect = !s.ImageRect.IsNull();
    const QRect markerArea = hasImageRect ? s.ImageRect.ToQRect()
                                          : QRect(textArea.left() + 2, textArea.top(), 14, textArea.height());
    const TRect markerBox = hasImageRect
        ? s.ImageRect
        : TRect(textArea.left() + 2, s.TextRect.Top, textArea.left() + 16, s.ImageRect.Bottom);
    const int markerX = hasImageRect ? markerArea.center().x() - 4 : textArea.left() + 2;
    const int markerY = hasImageRect ? markerArea.center().y() - 4 : textArea.center().y() - 4;
    const TRect skinMarker = item.Radio ? (highlighted ? s.ActiveRadioImageRect : s.RadioImageRect)
                                        : (highlighted ? s.ActiveCheckImageRect : s.CheckImageRect);
    DrawGlyphOrMarker(painter, item, markerArea, hasImageRect, markerX, markerY, color, pictureColor,
        &picture, skinMarker.ToQRect(), markerBox);
    return image;
}

QImage CreateDefaultMenuItemImage(const TbsMenuItemState& item, int w, int h, const QFont& font,
    int glyphWidth, const TbsDefaultMenuColors& c)
{
    if (w <= 0 || h <= 0)
        return {};
    QImage image(w, h, QImage::Format_RGB32);
    QPainter painter(&image);
    const QRect textArea(2, 2, w - 4, h - 4);
    if (IsMenuHeader(item)) {
        painter.fillRect(image.rect(), QColor(c.BtnShadow));
        TbsMenuItemState text;
        text.Caption = MenuHeaderText(item.Caption);
        DrawTexts(painter, text, textArea, glyphWidth, 19, QColor(c.BtnHighlight), font);
        return image;
    }
    const bool highlighted = item.Active && !item.Separator;
    if (highlighted) {
        painter.fillRect(image.rect(), QColor(0xB6, 0xBD, 0xD2)); // 13811126
        painter.setPen(QColor(0, 0, 0x80)); // navy, 8388608
        painter.drawRect(0, 0, w - 1, h - 1);
    } else {
        painter.fillRect(QRect(0, 0, std::min(glyphWidth + 2, w), h), QColor(c.BtnFace));
        painter.fillRect(QRect(glyphWidth + 2, 0, std::max(w - glyphWidth - 2, 0), h), QColor(c.Window));
    }
    if (item.Separator) {
        painter.setPen(QColor(c.BtnShadow));
        painter.drawLine(glyphWidth + 2, h / 2, w - 1, h / 2);
        return image;
    }
    const QColor color(item.Enabled ? c.WindowText : c.BtnShadow);
    DrawTexts(painter, item, textArea, glyphWidth, 19, color, font);
    if (item.HasSubItems)
        DrawArrow(painter, w - 2 - 7, textArea.center().y() - 4, color);
    const QRect glyphArea(
        textArea.left() + 2, textArea.top(), std::max(glyphWidth - 2, 0), textArea.height());
    DrawGlyphOrMarker(painter, item, glyphArea, false, textArea.left() + 3, textArea.center().y() - 4, color,
        color, nullptr, {}, {});
    return image;
}
