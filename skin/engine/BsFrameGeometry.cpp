#include "BsFrameGeometry.h"

#include "Bsutils.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <array>
#include <limits>

using namespace bsutils;

namespace {

// Skin figures moved by the window's growth saturate instead of wrapping, so a
// figure no bridge clipped still gives a defined (if useless) geometry.
int Moved(int value, long long by)
{
    return static_cast<int>(
        std::clamp<long long>(value + by, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}
QPoint Moved(QPoint p, long long dx, long long dy)
{
    return { Moved(p.x(), dx), Moved(p.y(), dy) };
}

} // namespace

TbsFrameGeometry CalcRects(const TbsFrameSkin& s, int width, int height)
{
    TbsFrameGeometry g;
    g.Width = width;
    g.Height = height;
    g.DX = Moved(width, -static_cast<long long>(s.PictureSize.width()));
    g.DY = Moved(height, -static_cast<long long>(s.PictureSize.height()));
    const long long dx = g.DX, dy = g.DY;
    g.NewLTPoint = s.LTPoint;
    g.NewRTPoint = Moved(s.RTPoint, dx, 0);
    g.NewLBPoint = Moved(s.LBPoint, 0, dy);
    g.NewRBPoint = Moved(s.RBPoint, dx, dy);
    g.NewHitTestLTPoint = s.HitTestLTPoint;
    g.NewHitTestRTPoint = Moved(s.HitTestRTPoint, dx, 0);
    g.NewHitTestLBPoint = Moved(s.HitTestLBPoint, 0, dy);
    g.NewHitTestRBPoint = Moved(s.HitTestRBPoint, dx, dy);
    g.NewClientRect = { s.ClientRect.Left, s.ClientRect.Top, Moved(s.ClientRect.Right, dx),
        Moved(s.ClientRect.Bottom, dy) };
    g.NewMaskRectArea = { s.MaskRectArea.Left, s.MaskRectArea.Top, Moved(s.MaskRectArea.Right, dx),
        Moved(s.MaskRectArea.Bottom, dy) };
    if (!s.CaptionRect.IsNull())
        g.NewCaptionRect
            = { s.CaptionRect.Left, s.CaptionRect.Top, Moved(s.CaptionRect.Right, dx), s.CaptionRect.Bottom };
    g.ButtonsFromLeft = s.ButtonsInLeft;
    if (!s.ButtonsRect.IsNull()) {
        // A buttons rect in the picture's right half follows the right edge;
        // one in the left half stays and its buttons are laid out from the left.
        if (s.ButtonsRect.Left >= s.PictureSize.width() / 2) {
            g.NewButtonsRect = { Moved(s.ButtonsRect.Left, dx), s.ButtonsRect.Top,
                Moved(s.ButtonsRect.Right, dx), s.ButtonsRect.Bottom };
        } else {
            g.NewButtonsRect = s.ButtonsRect;
            g.ButtonsFromLeft = true;
        }
    }
    return g;
}

int DefaultCaptionHeight(bool toolWindow)
{
    return toolWindow ? 15 : 19;
}

TbsFrameMargins SkinFrameMargins(const TbsFrameSkin& s)
{
    return { s.ClientRect.Left, s.ClientRect.Top, s.PictureSize.width() - s.ClientRect.Right,
        s.PictureSize.height() - s.ClientRect.Bottom };
}

TbsFrameMargins DefaultFrameMargins(bool toolWindow)
{
    return { 3, 3 + DefaultCaptionHeight(toolWindow), 3, 3 };
}

namespace {

// The four bands of a picture around area a, its pieces split at the corner
// points and brought to window size w x h (dx, dy: growth over the picture).
// Each band is a map from its pixels to picture pixels, drawn in one pass, so
// the picture is read in its own format and nothing larger than the band is
// made. A band never exceeds the window: the top band keeps its first rows,
// the bottom band its last (it sits at the window's bottom), and likewise the
// left and right bands across.
//
// Frame bands (mask false) are 32-bit, start black, stretch the edges the
// skin asks for and repeat the others in the phase of the band's own origin.
// Mask strips (mask true) are Grayscale8 (0 black, 255 white), start white
// (outside the shape), always repeat, and repeat from the start of the middle.
TbsBorderImages CutBands(const QImage& picture, const TRect& a, QPoint LT, QPoint RT, QPoint LB, QPoint RB,
    int w, int h, int dx, int dy, std::array<bool, 4> stretchLTRB, bool mask)
{
    TbsBorderImages bands;
    if (picture.isNull() || w <= 0 || h <= 0)
        return bands;
    const int pw = picture.width();
    const int ph = picture.height();
    auto band = [mask](int bw, int bh) {
        QImage image(bw, bh, mask ? QImage::Format_Grayscale8 : QImage::Format_RGB32);
        if (mask)
            image.fill(255);
        else
            image.fill(0xFF000000u);
        return image;
    };
    // One axis of a band, its first `kept` entries: the fixed first piece, the
    // middle, the fixed last piece (drawn in that order).
    auto axis = [mask](int kept, int firstEnd, int srcFirst, int lastStart, int srcLast, int srcLastEnd,
                    int middleEnd, int srcMiddle, int srcMiddleEnd, bool stretch) {
        AxisMap map(static_cast<size_t>(kept), -1);
        MapMiddle(map, firstEnd, middleEnd, srcMiddle, srcMiddleEnd, stretch && !mask, mask ? firstEnd : 0);
        MapFixed(map, 0, srcFirst, firstEnd);
        MapFixed(map, lastStart, srcLast, srcLastEnd - srcLast);
        return map;
    };
    auto straight = [](int kept, int src) {
        AxisMap map(static_cast<size_t>(kept), -1);
        MapFixed(map, 0, src, kept);
        return map;
    };

    // Top: rows 0..a.Top, split across at LT.x and RT.x.
    if (a.Top > 0 && RT.x() > LT.x()) {
        const int bh = std::min(a.Top, h);
        bands.Top = band(w, bh);
        DrawMapped(bands.Top, 0, 0, picture,
            axis(w, LT.x(), 0, RT.x() + dx, RT.x(), pw, RT.x() + dx, LT.x(), RT.x(), stretchLTRB[1]),
            straight(bh, 0));
    }
    // Bottom: rows a.Bottom..ph, split at LB.x and RB.x.
    const int bottomHeight = ph - a.Bottom;
    if (bottomHeight > 0 && RB.x() > LB.x()) {
        const int bh = std::min(bottomHeight, h);
        bands.Bottom = band(w, bh);
        DrawMapped(bands.Bottom, 0, 0, picture,
            axis(w, LB.x(), 0, RB.x() + dx, RB.x(), pw, RB.x() + dx, LB.x(), RB.x(), stretchLTRB[3]),
            straight(bh, ph - bh));
    }
    // Left and right: as tall as the space between top and bottom bands.
    const long long sideFull = static_cast<long long>(a.Height()) + dy;
    const int sideHeight = static_cast<int>(std::min<long long>(sideFull, h));
    const int rightFull = pw - a.Right;
    const int rightWidth = std::min(rightFull, w);
    if (a.Left > 0 && sideHeight > 0 && LB.y() > LT.y()) {
        const int bw = std::min(a.Left, w);
        const int topPart = LT.y() - a.Top;
        const int bottomPart = a.Bottom - LB.y();
        const int side = static_cast<int>(sideFull);
        bands.Left = band(bw, sideHeight);
        DrawMapped(bands.Left, 0, 0, picture, straight(bw, 0),
            axis(sideHeight, topPart, a.Top, side - bottomPart, LB.y(), a.Bottom, side - bottomPart, LT.y(),
                LB.y(), stretchLTRB[0]));
    }
    if (rightWidth > 0 && sideHeight > 0 && RB.y() > RT.y()) {
        const int topPart = RT.y() - a.Top;
        const int bottomPart = a.Bottom - RB.y();
        const int side = static_cast<int>(sideFull);
        bands.Right = band(rightWidth, sideHeight);
        DrawMapped(bands.Right, 0, 0, picture, straight(rightWidth, pw - rightWidth),
            axis(sideHeight, topPart, a.Top, side - bottomPart, RB.y(), a.Bottom, side - bottomPart, RT.y(),
                RB.y(), stretchLTRB[2]));
    }
    return bands;
}

bool IsBlack(const QImage& image, int x, int y)
{
    return IsBlackPixel(image, x, y);
}

bool Inside(const TRect& outer, const TRect& r)
{
    return !outer.IsEmpty() && r.Left >= outer.Left && r.Top >= outer.Top && r.Right <= outer.Right
        && r.Bottom <= outer.Bottom;
}

} // namespace

TbsBorderImages CreateSkinBorderImages(const TbsFrameSkin& s, const QImage& picture, int w, int h)
{
    return CutBands(picture, s.ClientRect, s.LTPoint, s.RTPoint, s.LBPoint, s.RBPoint, w, h,
        w - s.PictureSize.width(), h - s.PictureSize.height(),
        { s.LeftStretch, s.TopStretch, s.RightStretch, s.BottomStretch }, false);
}

TRect CalcRealObjectRect(const TbsFrameSkin& s, const TbsFrameGeometry& g, const TRect& r)
{
    const int pw = s.PictureSize.width();
    const int ph = s.PictureSize.height();
    const TRect leftTop(0, 0, s.LTPoint.x(), s.LTPoint.y());
    const TRect rightTop(s.RTPoint.x(), 0, pw, s.RTPoint.y());
    const TRect leftBottom(0, s.LBPoint.y(), s.LBPoint.x(), ph);
    const TRect rightBottom(s.RBPoint.x(), s.RBPoint.y(), pw, ph);
    const int dx = g.DX;
    const int dy = g.DY;
    if (Inside(leftTop, r))
        return r;
    if (Inside(rightTop, r))
        return r.Offset(dx, 0);
    if (Inside(leftBottom, r))
        return r.Offset(0, dy);
    if (Inside(rightBottom, r))
        return r.Offset(dx, dy);

    // Which areas its first and last pixels fall in.
    const int tlx = r.Left, tly = r.Top, brx = r.Right - 1, bry = r.Bottom - 1;
    auto in = [](const TRect& a, int x, int y) { return a.Contains(x, y); };
    const bool tlInLT = in(leftTop, tlx, tly);
    const bool tlInRT = in(rightTop, tlx, tly);
    const bool tlInLB = in(leftBottom, tlx, tly);
    if (tlInLT && in(rightBottom, brx, bry))
        return { r.Left, r.Top, r.Right + dx, r.Bottom + dy };
    if (tlInLT && in(rightTop, brx, bry))
        return { r.Left, r.Top, r.Right + dx, r.Bottom };
    if (tlInLB && in(rightBottom, brx, bry))
        return { r.Left, r.Top + dy, r.Right + dx, r.Bottom + dy };
    if (tlInLT && in(leftBottom, brx, bry))
        return { r.Left, r.Top, r.Right, r.Bottom + dy };
    if (tlInRT && in(rightBottom, brx, bry))
        return { r.Left + dx, r.Top, r.Right + dx, r.Bottom + dy };
    return r;
}

TbsCaptionButtonRow CalcCaptionButtonRow(
    const TbsFrameSkin& s, const TbsFrameGeometry& g, const std::vector<TbsCaptionButtonSlot>& buttons)
{
    TbsCaptionButtonRow row;
    row.Rects.assign(buttons.size(), TRect());
    const bool hasButtonsRect = !s.ButtonsRect.IsNull();
    const TRect& rowRect = hasButtonsRect ? g.NewButtonsRect : g.NewCaptionRect;
    if (rowRect.IsNull())
        return row;
    row.HasRow = true;
    const bool fromLeft = g.ButtonsFromLeft;
    const int top = rowRect.Top;

    // The first visible button of each command in this order, then every
    // visible custom button in list order.
    std::vector<size_t> order;
    for (TbsStdCommand command : { cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray }) {
        for (size_t i = 0; i < buttons.size(); ++i) {
            if (buttons[i].Visible && buttons[i].Command == command) {
                order.push_back(i);
                break;
            }
        }
    }
    for (size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].Visible && buttons[i].Command == cmDefault)
            order.push_back(i);

    // Wide arithmetic: offsets and sizes are the skin's and many buttons may add up.
    auto clamp = [](long long v) {
        return static_cast<int>(std::clamp<long long>(
            v, std::numeric_limits<int>::min() / 2, std::numeric_limits<int>::max() / 2));
    };
    long long x = fromLeft ? rowRect.Left : rowRect.Right;
    for (size_t i : order) {
        const long long bw = buttons[i].Size.width();
        const long long bh = buttons[i].Size.height();
        if (fromLeft) {
            row.Rects[i] = { clamp(x), top, clamp(x + bw), clamp(top + bh) };
            x += bw + s.ButtonsOffset;
        } else {
            row.Rects[i] = { clamp(x - bw), top, clamp(x), clamp(top + bh) };
            x -= bw + s.ButtonsOffset;
        }
    }
    // Without a buttons rect the row sits in the caption rect and the caption
    // object ends one offset short of the last button placed (or, with none
    // placed, one offset past the caption rect's edge).
    if (!hasButtonsRect) {
        if (fromLeft)
            row.CaptionLeft = clamp(x - s.ButtonsOffset);
        else
            row.CaptionRight = clamp(x + s.ButtonsOffset);
    }

    // The system menu button sits at the caption rect's outer edge, centred vertically.
    const TRect& caption = g.NewCaptionRect;
    if (!caption.IsNull()) {
        for (size_t i = 0; i < buttons.size(); ++i) {
            if (!buttons[i].Visible || buttons[i].Command != cmSysMenu)
                continue;
            const QSize size = buttons[i].Size;
            const int y = caption.Top + (caption.Height() - size.height()) / 2;
            if (fromLeft) {
                row.Rects[i] = { caption.Right - size.width(), y, caption.Right, y + size.height() };
                row.CaptionRight = row.Rects[i].Left;
            } else {
                row.Rects[i] = { caption.Left, y, caption.Left + size.width(), y + size.height() };
                row.CaptionLeft = row.Rects[i].Right;
            }
            break;
        }
    }
    return row;
}

TbsFrameShape::TbsFrameShape(const TbsFrameSkin& s, const TbsFrameGeometry& g, const QImage& mask)
{
    if (mask.isNull() || g.Width <= 0 || g.Height <= 0)
        return;
    hasMask_ = true;
    area_ = g.NewMaskRectArea;
    width_ = g.Width;
    height_ = g.Height;
    const TbsBorderImages strips = CutBands(mask, s.MaskRectArea, s.LTPoint, s.RTPoint, s.LBPoint, s.RBPoint,
        g.Width, g.Height, g.DX, g.DY, { false, false, false, false }, true);
    top_ = strips.Top;
    bottom_ = strips.Bottom;
    left_ = strips.Left;
    right_ = strips.Right;
    // A strip cut short to the window keeps its far end, so it starts later.
    bottomY_ = area_.Bottom + std::max(mask.height() - s.MaskRectArea.Bottom - bottom_.height(), 0);
    rightX_ = area_.Right + std::max(mask.width() - s.MaskRectArea.Right - right_.width(), 0);
}

QRegion TbsFrameShape::Region() const
{
    if (!hasMask_)
        return {};
    QRegion region(area_.ToQRect());
    region += RegionFromBlackPixels(top_);
    region += RegionFromBlackPixels(bottom_, QPoint(0, bottomY_));
    region += RegionFromBlackPixels(left_, QPoint(0, area_.Top));
    region += RegionFromBlackPixels(right_, QPoint(rightX_, area_.Top));
    return region;
}

bool TbsFrameShape::Contains(QPoint p) const
{
    if (!hasMask_ || p.x() < 0 || p.y() < 0 || p.x() >= width_ || p.y() >= height_)
        return false;
    if (area_.Contains(p))
        return true;
    if (p.y() < area_.Top)
        return IsBlack(top_, p.x(), p.y());
    if (p.y() >= area_.Bottom)
        return IsBlack(bottom_, p.x(), p.y() - bottomY_);
    if (p.x() < area_.Left)
        return IsBlack(left_, p.x(), p.y() - area_.Top);
    return IsBlack(right_, p.x() - rightX_, p.y() - area_.Top);
}

QImage CreateClientBackground(const QImage& picture, const TRect& tile, bool stretchEffect,
    TbsStretchType stretchType, int w, int h, QRgb buttonFace)
{
    QImage image(std::max(w, 0), std::max(h, 0), QImage::Format_RGB32);
    image.fill(buttonFace);
    if (picture.isNull() || tile.IsEmpty() || w <= 0 || h <= 0)
        return image;
    FillFromPiece(image, TRect(0, 0, w, h), picture, tile, stretchEffect, stretchType);
    return image;
}

namespace {

bool OnAny(const std::vector<TRect>& rects, QPoint p)
{
    return std::any_of(rects.begin(), rects.end(), [p](const TRect& r) { return r.Contains(p); });
}

} // namespace

TbsHitCode NewNCHitTest(QPoint p, const TbsFrameSkin& s, const TbsFrameGeometry& g,
    const TbsFrameShape& shape, const std::vector<TRect>& captionRects, const TbsHitTestState& state)
{
    const bool onCaption = OnAny(captionRects, p);
    const bool inClient = g.NewClientRect.Contains(p);
    if (state.RolledUp || state.Minimized)
        return onCaption ? htCaption : htFrameObject;
    if (state.ObjectUnderMouse && !onCaption && !inClient && !state.Dragging)
        return htFrameObject;

    if (!state.Maximized && state.Sizeable) {
        const int b = s.BorderWidth;
        const std::array<QPoint, 4> probes
            = { p - QPoint(b, 0), p - QPoint(0, b), p + QPoint(b, 0), p + QPoint(0, b) };
        const TRect window(0, 0, g.Width, g.Height);
        bool near = false;
        if (shape.IsEmpty())
            near = std::any_of(probes.begin(), probes.end(), [&](QPoint q) { return !window.Contains(q); });
        else
            near = !g.NewMaskRectArea.Contains(p)
                && std::any_of(probes.begin(), probes.end(), [&](QPoint q) { return !shape.Contains(q); });
        if (near) {
            const QPoint lt = g.NewHitTestLTPoint, rt = g.NewHitTestRTPoint;
            const QPoint lb = g.NewHitTestLBPoint, rb = g.NewHitTestRBPoint;
            const TRect& c = g.NewClientRect;
            if (p.x() <= lt.x() && p.y() <= lt.y())
                return htTopLeft;
            if (p.x() >= rt.x() && p.y() <= rt.y())
                return htTopRight;
            if (p.x() <= lb.x() && p.y() >= lb.y())
                return htBottomLeft;
            if (p.x() >= rb.x() && p.y() >= rb.y())
                return htBottomRight;
            if (TRect(lt.x(), 0, rt.x(), c.Top).Contains(p))
                return htTop;
            if (TRect(lb.x(), c.Bottom, rb.x(), g.Height).Contains(p))
                return htBottom;
            if (TRect(0, lt.y(), c.Left, lb.y()).Contains(p))
                return htLeft;
            if (TRect(c.Right, rt.y(), g.Width, rb.y()).Contains(p))
                return htRight;
        }
    }
    if (inClient)
        return htClient;
    return onCaption ? htCaption : htFrameObject;
}

TbsHitCode DefaultNCHitTest(QPoint p, int w, int h, bool toolWindow, const std::vector<TRect>& buttonRects,
    const TbsHitTestState& state)
{
    const int ch = DefaultCaptionHeight(toolWindow);
    const TRect caption(3, 3, w - 3, 3 + ch);
    const bool onButton = OnAny(buttonRects, p);
    const bool onCaption = caption.Contains(p) && !onButton;
    if (state.RolledUp || state.Minimized)
        return onCaption ? htCaption : htFrameObject;
    if (state.Sizeable && !state.Maximized && TRect(0, 0, w, h).Contains(p)) {
        const bool left = p.x() < 3, right = p.x() >= w - 3, top = p.y() < 3, bottom = p.y() >= h - 3;
        if (top && left)
            return htTopLeft;
        if (top && right)
            return htTopRight;
        if (bottom && left)
            return htBottomLeft;
        if (bottom && right)
            return htBottomRight;
        if (left)
            return htLeft;
        if (right)
            return htRight;
        if (top)
            return htTop;
        if (bottom)
            return htBottom;
    }
    if (onCaption)
        return htCaption;
    if (TRect(3, ch + 3, w - 3, h - 3).Contains(p))
        return htClient;
    return htFrameObject;
}

TbsObjectLook ChooseObjectLook(const TbsObjectLookState& s)
{
    if (!s.WindowActive && s.Enabled && s.HasInactiveRect)
        return TbsObjectLook::Inactive;
    if (s.Morphing && s.HasActiveRect && s.MorphKf > 0 && s.MorphKf < 1)
        return TbsObjectLook::Morph;
    if (!s.Active || !s.HasActiveRect)
        return s.RefreshOnly ? TbsObjectLook::None : TbsObjectLook::Normal;
    return TbsObjectLook::Active;
}

std::vector<TRect> DefaultCaptionButtonRects(
    int w, bool toolWindow, const std::vector<TbsDefaultButtonWish>& wishes)
{
    const int ch = DefaultCaptionHeight(toolWindow);
    const int bh = ch - 4;
    const int bw = bh + 2;
    std::vector<TRect> rects(wishes.size());
    int x = w - 3 - 2;
    for (TbsStdCommand command : { cmClose, cmMaximize, cmMinimize, cmRollUp, cmMinimizeToTray }) {
        for (size_t i = 0; i < wishes.size(); ++i) {
            if (wishes[i].Command == command && wishes[i].Visible) {
                rects[i] = { x - bw, 5, x, 5 + bh };
                x -= bw + 2;
                break;
            }
        }
    }
    for (size_t i = 0; i < wishes.size(); ++i)
        if (wishes[i].Command == cmSysMenu && wishes[i].Visible)
            rects[i] = { 5, 5, 5 + bw, 5 + bh };
    return rects;
}

void DrawDefaultButtonGlyph(QImage& image, const TRect& r, TbsStdCommand command, bool active, bool down,
    const TbsDefaultFrameColors& c)
{
    if (r.IsEmpty())
        return;
    QPainter painter(&image);
    const QRect q = r.ToQRect();
    painter.fillRect(q, QColor(c.BtnFace));
    // A raised (or, pressed, sunken) one-pixel edge.
    painter.setPen(QColor(down ? c.BtnShadow : c.BtnHighlight));
    painter.drawLine(q.topLeft(), q.topRight());
    painter.drawLine(q.topLeft(), q.bottomLeft());
    painter.setPen(QColor(down ? c.BtnHighlight : c.DarkShadow3D));
    painter.drawLine(q.bottomLeft(), q.bottomRight());
    painter.drawLine(q.topRight(), q.bottomRight());
    painter.setPen(QPen(QColor(active ? c.BtnText : c.BtnShadow), 2));
    const QRect g = q.adjusted(4, 3, -4, -3).translated(down ? 1 : 0, down ? 1 : 0);
    switch (command) {
    case cmClose:
        painter.drawLine(g.topLeft(), g.bottomRight());
        painter.drawLine(g.topRight(), g.bottomLeft());
        break;
    case cmMaximize:
        painter.setPen(QPen(QColor(active ? c.BtnText : c.BtnShadow), 1));
        painter.drawRect(g.adjusted(0, 0, -1, -1));
        painter.drawLine(g.topLeft() + QPoint(0, 1), g.topRight() + QPoint(-1, 1));
        break;
    case cmMinimize:
        painter.drawLine(g.bottomLeft(), g.bottomRight());
        break;
    case cmRollUp:
        painter.drawLine(g.bottomLeft(), QPoint(g.center().x(), g.top()));
        painter.drawLine(QPoint(g.center().x(), g.top()), g.bottomRight());
        break;
    case cmMinimizeToTray:
        painter.drawLine(QPoint(g.left(), g.bottom()), QPoint(g.right(), g.bottom()));
        painter.drawLine(QPoint(g.right(), g.top()), QPoint(g.right(), g.bottom()));
        break;
    case cmSysMenu:
        painter.fillRect(g.adjusted(1, 1, -1, -1), QColor(active ? c.BtnText : c.BtnShadow));
        break;
    case cmDefault:
        break;
    }
}

void DrawDefaultFrame(QImage& image, const QString& caption, const QFont& font, bool active, bool toolWindow,
    const std::vector<TbsDefaultButtonWish>& buttons, const TbsDefaultFrameColors& c)
{
    const int w = image.width();
    const int h = image.height();
    if (w < 6 || h < 6)
        return;
    const int ch = DefaultCaptionHeight(toolWindow);
    {
        QPainter painter(&image);
        // Three rings from outside in: 3-D light / dark shadow, highlight / shadow, face.
        const std::array<std::pair<QRgb, QRgb>, 3> rings = { std::pair { c.Light3D, c.DarkShadow3D },
            std::pair { c.BtnHighlight, c.BtnShadow }, std::pair { c.BtnFace, c.BtnFace } };
        for (int i = 0; i < 3; ++i) {
            const QRect r(i, i, w - 2 * i, h - 2 * i);
            painter.setPen(QColor(rings[i].first));
            painter.drawLine(r.topLeft(), r.topRight());
            painter.drawLine(r.topLeft(), r.bottomLeft());
            painter.setPen(QColor(rings[i].second));
            painter.drawLine(r.bottomLeft(), r.bottomRight());
            painter.drawLine(r.topRight(), r.bottomRight());
        }
        const QRect bar(3, 3, w - 6, ch);
        painter.fillRect(bar, QColor(c.BtnFace));

        // Stripes between the button areas, from the bar's third row to four rows above its bottom.
        const std::vector<TRect> rects = DefaultCaptionButtonRects(w, toolWindow, buttons);
        int stripeLeft = bar.left() + 2;
        int stripeRight = bar.right() - 1;
        for (size_t i = 0; i < rects.size(); ++i) {
            if (rects[i].IsEmpty())
                continue;
            if (buttons[i].Command == cmSysMenu)
                stripeLeft = std::max(stripeLeft, rects[i].Right + 2);
            else
                stripeRight = std::min(stripeRight, rects[i].Left - 3);
        }
        for (int y = bar.top() + 2, n = 0; y <= bar.bottom() - 4; ++y, ++n) {
            painter.setPen(QColor(n % 2 == 0 ? c.BtnShadow : c.BtnHighlight));
            if (stripeRight > stripeLeft)
                painter.drawLine(stripeLeft, y, stripeRight, y);
        }

        // The caption centred over a face box two pixels larger than the text.
        if (!caption.isEmpty()) {
            painter.setFont(font);
            const QFontMetrics metrics(font);
            const int available = std::max(stripeRight - stripeLeft - 4, 0);
            const QString text = metrics.elidedText(caption, Qt::ElideRight, available);
            const int tw = metrics.horizontalAdvance(text);
            const int th = metrics.height();
            const QRect box(
                (stripeLeft + stripeRight) / 2 - tw / 2 - 2, bar.top() + (ch - th) / 2 - 2, tw + 4, th + 4);
            painter.fillRect(box, QColor(c.BtnFace));
            painter.setPen(QColor(active ? c.BtnText : c.BtnShadow));
            painter.drawText(box, Qt::AlignCenter, text);
        }
    }
    const std::vector<TRect> rects = DefaultCaptionButtonRects(w, toolWindow, buttons);
    for (size_t i = 0; i < rects.size(); ++i)
        DrawDefaultButtonGlyph(image, rects[i], buttons[i].Command, active, false, c);
}
