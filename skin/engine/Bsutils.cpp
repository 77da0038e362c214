#include "Bsutils.h"

#include <QRect>

#include <algorithm>
#include <cstring>
#include <vector>

namespace bsutils {

QImage As32Bit(const QImage& picture)
{
    if (picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32)
        return picture;
    return picture.convertToFormat(QImage::Format_RGB32);
}

namespace {

TRect Bounds(const QImage& image) { return {0, 0, image.width(), image.height()}; }

TRect Intersect(const TRect& a, const TRect& b)
{
    return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
}

const QRgb* Row(const QImage& image, int y) { return reinterpret_cast<const QRgb*>(image.constScanLine(y)); }
QRgb* Row(QImage& image, int y) { return reinterpret_cast<QRgb*>(image.scanLine(y)); }

}  // namespace

void CopyPiece(QImage& dest, int x, int y, const QImage& srcAny, const TRect& s)
{
    const QImage src = As32Bit(srcAny);
    // Clip the source to the picture, then the placed piece to the destination.
    const TRect sc = Intersect(s, Bounds(src));
    if (sc.IsEmpty())
        return;
    const int px = x + (sc.Left - s.Left);
    const int py = y + (sc.Top - s.Top);
    const TRect d = Intersect(TRect(px, py, px + sc.Width(), py + sc.Height()), Bounds(dest));
    if (d.IsEmpty())
        return;
    const int sx = sc.Left + (d.Left - px);
    const int sy = sc.Top + (d.Top - py);
    for (int row = 0; row < d.Height(); ++row)
        std::memcpy(Row(dest, d.Top + row) + d.Left, Row(src, sy + row) + sx, sizeof(QRgb) * d.Width());
}

void StretchPiece(QImage& dest, const TRect& d, const QImage& srcAny, const TRect& s)
{
    if (d.IsEmpty() || s.IsEmpty())
        return;
    const QImage src = As32Bit(srcAny);
    if (!Intersect(s, Bounds(src)).IsEmpty() && s.Width() == d.Width() && s.Height() == d.Height()) {
        CopyPiece(dest, d.Left, d.Top, src, s);
        return;
    }
    const TRect dc = Intersect(d, Bounds(dest));
    if (dc.IsEmpty())
        return;
    // Source column of every destination column, computed once.
    std::vector<int> columns(static_cast<size_t>(dc.Width()));
    for (int x = dc.Left; x < dc.Right; ++x) {
        const int sx = s.Left + static_cast<int>(static_cast<long long>(x - d.Left) * s.Width() / d.Width());
        columns[static_cast<size_t>(x - dc.Left)] = std::clamp(sx, 0, src.width() - 1);
    }
    if (src.isNull())
        return;
    for (int y = dc.Top; y < dc.Bottom; ++y) {
        const int sy = s.Top + static_cast<int>(static_cast<long long>(y - d.Top) * s.Height() / d.Height());
        if (sy < 0 || sy >= src.height())
            continue;
        const QRgb* in = Row(src, sy);
        QRgb* out = Row(dest, y) + dc.Left;
        for (size_t i = 0; i < columns.size(); ++i)
            out[i] = in[columns[i]];
    }
}

void TilePiece(QImage& dest, const TRect& d, const QImage& srcAny, const TRect& s)
{
    if (d.IsEmpty() || s.IsEmpty())
        return;
    const QImage src = As32Bit(srcAny);
    const TRect dc = Intersect(d, Bounds(dest));
    for (int y = d.Top; y < dc.Bottom; y += s.Height()) {
        for (int x = d.Left; x < dc.Right; x += s.Width()) {
            // Cut the last copies at d's right and bottom edges.
            const int cw = std::min(s.Width(), d.Right - x);
            const int ch = std::min(s.Height(), d.Bottom - y);
            if (x + cw <= dc.Left || y + ch <= dc.Top)
                continue;
            CopyPiece(dest, x, y, src, TRect(s.Left, s.Top, s.Left + cw, s.Top + ch));
        }
    }
}

void StretchOrTilePiece(QImage& dest, const TRect& d, const QImage& src, const TRect& s, bool stretch)
{
    if (stretch)
        StretchPiece(dest, d, src, s);
    else
        TilePiece(dest, d, src, s);
}

void FillFromPiece(QImage& dest, const TRect& d, const QImage& srcAny, const TRect& s, bool stretchEffect,
                   TbsStretchType stretchType)
{
    if (d.IsEmpty() || s.IsEmpty())
        return;
    const QImage src = As32Bit(srcAny);
    if (!stretchEffect) {
        TilePiece(dest, d, src, s);
        return;
    }
    switch (stretchType) {
    case bsstFull:
        StretchPiece(dest, d, src, s);
        return;
    case bsstHorz: {
        // One strip of the piece's width stretched to d's height, repeated across.
        QImage strip(s.Width(), d.Height(), QImage::Format_RGB32);
        StretchPiece(strip, TRect(0, 0, s.Width(), d.Height()), src, s);
        TilePiece(dest, d, strip, TRect(0, 0, strip.width(), strip.height()));
        return;
    }
    case bsstVert: {
        QImage strip(d.Width(), s.Height(), QImage::Format_RGB32);
        StretchPiece(strip, TRect(0, 0, d.Width(), s.Height()), src, s);
        TilePiece(dest, d, strip, TRect(0, 0, strip.width(), strip.height()));
        return;
    }
    }
}

}  // namespace bsutils

using namespace bsutils;

void DrawSkinImage(QImage& dest, const TbsNinePieceLayout& l, const QImage& pictureAny, const TRect& r, int w, int h,
                   bool drawClient)
{
    if (pictureAny.isNull() || l.RBPoint.x() == l.LTPoint.x() || l.RBPoint.y() == l.LTPoint.y() || w <= 0 || h <= 0)
        return;
    const QImage picture = As32Bit(pictureAny);
    const int rw = r.Width();
    const int rh = r.Height();
    const int dx = w - rw;
    const int dy = h - rh;
    const QPoint LT = l.LTPoint, RT = l.RTPoint, LB = l.LBPoint, RB = l.RBPoint;
    const TRect& CR = l.ClientRect;
    // Source pieces are relative to r; this moves them into the picture.
    auto src = [&](int left, int top, int right, int bottom) {
        return TRect(left, top, right, bottom).Offset(r.Left, r.Top);
    };
    auto copy = [&](int x, int y, const TRect& s) {
        if (!s.IsEmpty())
            CopyPiece(dest, x, y, picture, s);
    };

    // Edges.
    StretchOrTilePiece(dest, TRect(LT.x(), 0, RT.x() + dx, CR.Top), picture, src(LT.x(), 0, RT.x(), CR.Top),
                       l.TopStretch);
    StretchOrTilePiece(dest, TRect(LB.x(), CR.Bottom + dy, RB.x() + dx, h), picture,
                       src(LB.x(), CR.Bottom, RB.x(), rh), l.BottomStretch);
    StretchOrTilePiece(dest, TRect(0, LT.y(), CR.Left, LB.y() + dy), picture, src(0, LT.y(), CR.Left, LB.y()),
                       l.LeftStretch);
    StretchOrTilePiece(dest, TRect(CR.Right + dx, RT.y(), w, RB.y() + dy), picture,
                       src(CR.Right, RT.y(), rw, RB.y()), l.RightStretch);

    // The eight fixed corner pieces.
    copy(0, 0, src(0, 0, LT.x(), CR.Top));
    copy(0, CR.Top, src(0, CR.Top, CR.Left, LT.y()));
    copy(RT.x() + dx, 0, src(RT.x(), 0, rw, CR.Top));
    copy(CR.Right + dx, CR.Top, src(CR.Right, CR.Top, rw, RT.y()));
    copy(0, LB.y() + dy, src(0, LB.y(), CR.Left, rh));
    copy(CR.Left, CR.Bottom + dy, src(CR.Left, CR.Bottom, LB.x(), rh));
    // Its source starts at the client bottom, so it is placed at the new client
    // bottom (the same as the new right-bottom point whenever they coincide).
    copy(RB.x() + dx, CR.Bottom + dy, src(RB.x(), CR.Bottom, rw, rh));
    copy(CR.Right + dx, RB.y() + dy, src(CR.Right, RB.y(), rw, CR.Bottom));

    if (drawClient)
        FillFromPiece(dest, TRect(CR.Left, CR.Top, CR.Right + dx, CR.Bottom + dy), picture,
                      src(CR.Left, CR.Top, CR.Right, CR.Bottom), l.StretchEffect, l.StretchType);
}

QImage CreateSkinImage(const TbsNinePieceLayout& layout, const QImage& picture, const TRect& r, int w, int h,
                       bool drawClient)
{
    QImage image(std::max(w, 0), std::max(h, 0), QImage::Format_RGB32);
    image.fill(0xFF000000u);
    DrawSkinImage(image, layout, picture, r, w, h, drawClient);
    return image;
}

namespace {

// Scales an image to a new height, nearest row.
QImage ToHeight(const QImage& image, int h)
{
    if (image.height() == h)
        return image;
    QImage out(image.width(), h, QImage::Format_RGB32);
    out.fill(0xFF000000u);
    StretchPiece(out, TRect(0, 0, out.width(), h), image, TRect(0, 0, image.width(), image.height()));
    return out;
}

QImage ToWidth(const QImage& image, int w)
{
    if (image.width() == w)
        return image;
    QImage out(w, image.height(), QImage::Format_RGB32);
    out.fill(0xFF000000u);
    StretchPiece(out, TRect(0, 0, w, out.height()), image, TRect(0, 0, image.width(), image.height()));
    return out;
}

}  // namespace

QImage CreateHSkinImage(int leftOffset, int rightOffset, const QImage& pictureAny, const TRect& r, int w, int h,
                        bool stretch)
{
    QImage image(std::max(w, 0), std::max(r.Height(), 0), QImage::Format_RGB32);
    image.fill(0xFF000000u);
    if (pictureAny.isNull() || r.IsEmpty() || w <= 0 || h <= 0)
        return ToHeight(image, std::max(h, 0));
    const QImage picture = As32Bit(pictureAny);
    const int lo = std::clamp(leftOffset, 0, r.Width());
    const int ro = std::clamp(rightOffset, 0, r.Width() - lo);
    StretchOrTilePiece(image, TRect(lo, 0, w - ro, r.Height()), picture,
                       TRect(r.Left + lo, r.Top, r.Right - ro, r.Bottom), stretch);
    CopyPiece(image, 0, 0, picture, TRect(r.Left, r.Top, r.Left + lo, r.Bottom));
    CopyPiece(image, w - ro, 0, picture, TRect(r.Right - ro, r.Top, r.Right, r.Bottom));
    return ToHeight(image, h);
}

QImage CreateVSkinImage(int topOffset, int bottomOffset, const QImage& pictureAny, const TRect& r, int w, int h,
                        bool stretch)
{
    QImage image(std::max(r.Width(), 0), std::max(h, 0), QImage::Format_RGB32);
    image.fill(0xFF000000u);
    if (pictureAny.isNull() || r.IsEmpty() || w <= 0 || h <= 0)
        return ToWidth(image, std::max(w, 0));
    const QImage picture = As32Bit(pictureAny);
    const int to = std::clamp(topOffset, 0, r.Height());
    const int bo = std::clamp(bottomOffset, 0, r.Height() - to);
    StretchOrTilePiece(image, TRect(0, to, r.Width(), h - bo), picture,
                       TRect(r.Left, r.Top + to, r.Right, r.Bottom - bo), stretch);
    CopyPiece(image, 0, 0, picture, TRect(r.Left, r.Top, r.Right, r.Top + to));
    CopyPiece(image, 0, h - bo, picture, TRect(r.Left, r.Bottom - bo, r.Right, r.Bottom));
    return ToWidth(image, w);
}

QImage CreateStretchImage(const QImage& picture, const TRect& r, int w, int h, bool drawCentre, const TRect& centre)
{
    TbsNinePieceLayout l;
    l.LTPoint = QPoint(centre.Left, centre.Top);
    l.RTPoint = QPoint(centre.Right, centre.Top);
    l.LBPoint = QPoint(centre.Left, centre.Bottom);
    l.RBPoint = QPoint(centre.Right, centre.Bottom);
    l.ClientRect = centre;
    l.LeftStretch = l.TopStretch = l.RightStretch = l.BottomStretch = true;
    l.StretchEffect = true;
    l.StretchType = bsstFull;
    return CreateSkinImage(l, picture, r, w, h, drawCentre);
}

QRegion RegionFromBlackPixels(const QImage& maskAny, QPoint offset)
{
    if (maskAny.isNull())
        return {};
    const QImage mask = As32Bit(maskAny);
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> previousRuns;  // [start, end) of the band being grown
    size_t bandStart = 0;                            // index in rects of the current band
    for (int y = 0; y < mask.height(); ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        std::vector<std::pair<int, int>> runs;
        for (int x = 0; x < mask.width();) {
            if ((row[x] & 0x00FFFFFFu) != 0) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < mask.width() && (row[x] & 0x00FFFFFFu) == 0)
                ++x;
            runs.emplace_back(start, x);
        }
        if (!runs.empty() && runs == previousRuns && y > 0) {
            // Same runs as the row above: make that band one row taller.
            for (size_t i = bandStart; i < rects.size(); ++i)
                rects[i].setBottom(rects[i].bottom() + 1);
            continue;
        }
        bandStart = rects.size();
        for (const auto& [start, end] : runs)
            rects.emplace_back(start + offset.x(), y + offset.y(), end - start, 1);
        previousRuns = std::move(runs);
    }
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

QRegion CreateSkinSimplyRegion(const QImage& mask) { return RegionFromBlackPixels(mask); }

QRegion CreateSkinRegion(const TbsNinePieceLayout& layout, const QImage& mask, const TRect& r, int w, int h)
{
    TbsNinePieceLayout repeated = layout;
    repeated.LeftStretch = repeated.TopStretch = repeated.RightStretch = repeated.BottomStretch = false;
    repeated.StretchEffect = false;
    // Pixels the pieces do not cover stay white, so they stay outside the shape.
    QImage image(std::max(w, 0), std::max(h, 0), QImage::Format_RGB32);
    image.fill(0xFFFFFFFFu);
    DrawSkinImage(image, repeated, mask, r, w, h, true);
    return RegionFromBlackPixels(image);
}
