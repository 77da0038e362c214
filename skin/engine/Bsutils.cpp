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

    TRect Bounds(const QImage& image)
    {
        return { 0, 0, image.width(), image.height() };
    }

    TRect Intersect(const TRect& a, const TRect& b)
    {
        return { std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom) };
    }

    bool Is32Bit(const QImage& image)
    {
        return image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
    }

    const QRgb* Row(const QImage& image, int y)
    {
        return reinterpret_cast<const QRgb*>(image.constScanLine(y));
    }
    QRgb* Row(QImage& image, int y)
    {
        return reinterpret_cast<QRgb*>(image.scanLine(y));
    }

    int FloorMod(long long value, int m)
    {
        const long long r = value % m;
        return static_cast<int>(r < 0 ? r + m : r);
    }

} // namespace

PixelReader::PixelReader(const QImage& image)
    : image_(image)
    , format_(image.format())
{
    if (format_ == QImage::Format_Mono || format_ == QImage::Format_MonoLSB
        || format_ == QImage::Format_Indexed8)
        table_ = image.colorTable();
}

QRgb PixelReader::operator()(int x, int y) const
{
    return At(image_.constScanLine(y), x, y);
}

QRgb PixelReader::At(const uchar* row, int x, int y) const
{
    int index = 0;
    switch (format_) {
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
        return reinterpret_cast<const QRgb*>(row)[x];
    case QImage::Format_Grayscale8:
        return qRgb(row[x], row[x], row[x]);
    case QImage::Format_Indexed8:
        index = row[x];
        break;
    case QImage::Format_Mono:
        index = (row[x >> 3] >> (7 - (x & 7))) & 1;
        break;
    case QImage::Format_MonoLSB:
        index = (row[x >> 3] >> (x & 7)) & 1;
        break;
    default:
        return image_.pixel(x, y);
    }
    return index < table_.size() ? table_[index] | 0xFF000000u : 0xFF000000u;
}

QRgb PixelAt(const QImage& image, int x, int y)
{
    return PixelReader(image)(x, y);
}

bool IsBlackPixel(const QImage& image, int x, int y)
{
    if (image.isNull() || x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return false;
    return (PixelAt(image, x, y) & 0x00FFFFFFu) == 0;
}

void MapFixed(AxisMap& map, int destStart, int srcStart, int length)
{
    const long long n = static_cast<long long>(map.size());
    const long long from = std::max<long long>(destStart, 0);
    const long long to = std::min<long long>(static_cast<long long>(destStart) + std::max(length, 0), n);
    for (long long i = from; i < to; ++i)
        map[static_cast<size_t>(i)] = static_cast<int>(srcStart + (i - destStart));
}

void MapMiddle(
    AxisMap& map, int destStart, int destEnd, int srcStart, int srcEnd, bool stretch, int phaseOrigin)
{
    const int m = srcEnd - srcStart;
    const long long span = static_cast<long long>(destEnd) - destStart;
    if (m <= 0 || span <= 0)
        return;
    const long long n = static_cast<long long>(map.size());
    const long long from = std::max<long long>(destStart, 0);
    const long long to = std::min<long long>(destEnd, n);
    for (long long i = from; i < to; ++i)
        map[static_cast<size_t>(i)] = stretch ? static_cast<int>(srcStart + (i - destStart) * m / span)
                                              : srcStart + FloorMod(i - phaseOrigin, m);
}

void DrawMapped(QImage& dest, int x0, int y0, const QImage& src, const AxisMap& columns, const AxisMap& rows)
{
    if (src.isNull() || dest.isNull())
        return;
    const bool gray = dest.format() == QImage::Format_Grayscale8;
    const size_t bytes = gray ? 1 : sizeof(QRgb);
    const bool direct = Is32Bit(src) && !gray;
    const PixelReader read(src);
    const int sw = src.width();
    const int sh = src.height();
    const long long xFrom = std::max<long long>(0, -static_cast<long long>(x0));
    const long long xTo = std::min<long long>(
        static_cast<long long>(columns.size()), static_cast<long long>(dest.width()) - x0);

    // The columns as runs of destination pixels showing consecutive source
    // columns, found once for all rows.
    struct Run {
        int x; // first destination column
        int sx; // its source column
        int length;
    };
    std::vector<Run> runs;
    for (long long i = xFrom; i < xTo;) {
        const int sx = columns[static_cast<size_t>(i)];
        if (sx < 0 || sx >= sw) {
            ++i;
            continue;
        }
        int length = 1;
        while (
            i + length < xTo && sx + length < sw && columns[static_cast<size_t>(i + length)] == sx + length)
            ++length;
        runs.push_back({ static_cast<int>(x0 + i), sx, length });
        i += length;
    }
    if (runs.empty())
        return;

    const uchar* previous = nullptr; // the row drawn last, when its source row is this one's
    int previousSource = -1;
    for (size_t j = 0; j < rows.size(); ++j) {
        const long long y = y0 + static_cast<long long>(j);
        const int sy = rows[j];
        if (y < 0 || y >= dest.height() || sy < 0 || sy >= sh) {
            previous = nullptr;
            continue;
        }
        uchar* out = dest.scanLine(static_cast<int>(y));
        if (previous && previousSource == sy) {
            // A stretched or repeated row: the same pixels as the row above.
            for (const Run& run : runs)
                std::memcpy(out + run.x * bytes, previous + run.x * bytes, run.length * bytes);
        } else if (direct) {
            const QRgb* in = Row(src, sy);
            for (const Run& run : runs)
                std::memcpy(reinterpret_cast<QRgb*>(out) + run.x, in + run.sx, run.length * sizeof(QRgb));
        } else {
            const uchar* in = src.constScanLine(sy);
            for (const Run& run : runs) {
                for (int k = 0; k < run.length; ++k) {
                    const QRgb pixel = read.At(in, run.sx + k, sy);
                    if (gray)
                        out[run.x + k] = (pixel & 0x00FFFFFFu) == 0 ? 0 : 255;
                    else
                        reinterpret_cast<QRgb*>(out)[run.x + k] = pixel;
                }
            }
        }
        previous = out;
        previousSource = sy;
    }
}

void CopyPiece(QImage& dest, int x, int y, const QImage& src, const TRect& s)
{
    // Clip the source to the picture, then the placed piece to the destination.
    const TRect sc = Intersect(s, Bounds(src));
    if (sc.IsEmpty())
        return;
    const long long px = static_cast<long long>(x) + (sc.Left - s.Left);
    const long long py = static_cast<long long>(y) + (sc.Top - s.Top);
    const long long left = std::max<long long>(px, 0), top = std::max<long long>(py, 0);
    const long long right = std::min<long long>(px + sc.Width(), dest.width());
    const long long bottom = std::min<long long>(py + sc.Height(), dest.height());
    if (right <= left || bottom <= top)
        return;
    const int sx = static_cast<int>(sc.Left + (left - px));
    const int sy = static_cast<int>(sc.Top + (top - py));
    const int width = static_cast<int>(right - left);
    const int height = static_cast<int>(bottom - top);
    if (Is32Bit(dest) && Is32Bit(src)) {
        for (int row = 0; row < height; ++row)
            std::memcpy(Row(dest, static_cast<int>(top) + row) + left, Row(src, sy + row) + sx,
                sizeof(QRgb) * static_cast<size_t>(width));
        return;
    }
    AxisMap columns(static_cast<size_t>(width)), rows(static_cast<size_t>(height));
    MapFixed(columns, 0, sx, width);
    MapFixed(rows, 0, sy, height);
    DrawMapped(dest, static_cast<int>(left), static_cast<int>(top), src, columns, rows);
}

void StretchPiece(QImage& dest, const TRect& d, const QImage& src, const TRect& s)
{
    if (d.IsEmpty() || s.IsEmpty() || src.isNull())
        return;
    if (!Intersect(s, Bounds(src)).IsEmpty() && s.Width() == d.Width() && s.Height() == d.Height()) {
        CopyPiece(dest, d.Left, d.Top, src, s);
        return;
    }
    const TRect dc = Intersect(d, Bounds(dest));
    if (dc.IsEmpty())
        return;
    // Source column of every destination column and source row of every row.
    AxisMap columns(static_cast<size_t>(dc.Width())), rows(static_cast<size_t>(dc.Height()));
    MapMiddle(columns, d.Left - dc.Left, d.Right - dc.Left, s.Left, s.Right, true, 0);
    MapMiddle(rows, d.Top - dc.Top, d.Bottom - dc.Top, s.Top, s.Bottom, true, 0);
    for (int& column : columns)
        column = std::clamp(column, 0, src.width() - 1);
    DrawMapped(dest, dc.Left, dc.Top, src, columns, rows);
}

void TilePieceFrom(QImage& dest, const TRect& d, const QImage& src, const TRect& s, QPoint origin)
{
    if (d.IsEmpty() || s.IsEmpty() || src.isNull())
        return;
    const TRect dc = Intersect(d, Bounds(dest));
    if (dc.IsEmpty())
        return;
    AxisMap columns(static_cast<size_t>(dc.Width()), -1), rows(static_cast<size_t>(dc.Height()), -1);
    MapMiddle(columns, d.Left - dc.Left, d.Right - dc.Left, s.Left, s.Right, false, origin.x() - dc.Left);
    MapMiddle(rows, d.Top - dc.Top, d.Bottom - dc.Top, s.Top, s.Bottom, false, origin.y() - dc.Top);
    DrawMapped(dest, dc.Left, dc.Top, src, columns, rows);
}

void TilePiece(QImage& dest, const TRect& d, const QImage& src, const TRect& s)
{
    TilePieceFrom(dest, d, src, s, QPoint(d.Left, d.Top));
}

void StretchOrTilePiece(QImage& dest, const TRect& d, const QImage& src, const TRect& s, bool stretch)
{
    if (stretch)
        StretchPiece(dest, d, src, s);
    else
        TilePiece(dest, d, src, s);
}

void FillFromPiece(QImage& dest, const TRect& d, const QImage& src, const TRect& s, bool stretchEffect,
    TbsStretchType stretchType)
{
    if (d.IsEmpty() || s.IsEmpty())
        return;
    if (!stretchEffect) {
        TilePiece(dest, d, src, s);
        return;
    }
    // The strips below are repeated from d's top-left, so no more of them than
    // d holds is ever needed.
    switch (stretchType) {
    case bsstFull:
        StretchPiece(dest, d, src, s);
        return;
    case bsstHorz: {
        // One strip of the piece's width stretched to d's height, repeated across.
        QImage strip(std::min(s.Width(), d.Width()), d.Height(), QImage::Format_RGB32);
        strip.fill(0xFF000000u);
        StretchPiece(strip, TRect(0, 0, s.Width(), d.Height()), src, s);
        TilePiece(
            dest, TRect(d.Left, d.Top, d.Right, d.Bottom), strip, TRect(0, 0, s.Width(), strip.height()));
        return;
    }
    case bsstVert: {
        QImage strip(d.Width(), std::min(s.Height(), d.Height()), QImage::Format_RGB32);
        strip.fill(0xFF000000u);
        StretchPiece(strip, TRect(0, 0, d.Width(), s.Height()), src, s);
        TilePiece(dest, d, strip, TRect(0, 0, strip.width(), s.Height()));
        return;
    }
    }
}

} // namespace bsutils

using namespace bsutils;

void DrawSkinImage(QImage& dest, const TbsNinePieceLayout& l, const QImage& picture, const TRect& r, int w,
    int h, bool drawClient)
{
    if (picture.isNull() || l.RBPoint.x() == l.LTPoint.x() || l.RBPoint.y() == l.LTPoint.y() || w <= 0
        || h <= 0)
        return;
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
    StretchOrTilePiece(
        dest, TRect(LT.x(), 0, RT.x() + dx, CR.Top), picture, src(LT.x(), 0, RT.x(), CR.Top), l.TopStretch);
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

QImage CreateSkinImage(
    const TbsNinePieceLayout& layout, const QImage& picture, const TRect& r, int w, int h, bool drawClient)
{
    QImage image(std::max(w, 0), std::max(h, 0), QImage::Format_RGB32);
    image.fill(0xFF000000u);
    DrawSkinImage(image, layout, picture, r, w, h, drawClient);
    return image;
}

namespace {

// Three pieces along one axis of look r: `along` maps the w (or h) columns
// (rows) of the image, `across` brings r's other extent to the image's by
// nearest-neighbour stretching. Draws straight into image, so no picture
// larger than the image is ever made.
AxisMap ThreePieces(int length, int first, int last, int start, int end, bool stretch)
{
    AxisMap map(static_cast<size_t>(std::max(length, 0)), -1);
    const int span = end - start;
    const int lo = std::clamp(first, 0, span);
    const int hi = std::clamp(last, 0, span - lo);
    MapMiddle(map, lo, length - hi, start + lo, end - hi, stretch, lo);
    MapFixed(map, 0, start, lo);
    MapFixed(map, length - hi, end - hi, hi);
    return map;
}

AxisMap Scaled(int length, int start, int end)
{
    AxisMap map(static_cast<size_t>(std::max(length, 0)), -1);
    MapMiddle(map, 0, length, start, end, true, 0);
    return map;
}

} // namespace

void DrawHSkinImage(QImage& image, int leftOffset, int rightOffset, const QImage& picture, const TRect& r,
    int w, int h, bool stretch)
{
    if (picture.isNull() || r.IsEmpty() || w <= 0 || h <= 0)
        return;
    DrawMapped(image, 0, 0, picture, ThreePieces(w, leftOffset, rightOffset, r.Left, r.Right, stretch),
        Scaled(h, r.Top, r.Bottom));
}

void DrawVSkinImage(QImage& image, int topOffset, int bottomOffset, const QImage& picture, const TRect& r,
    int w, int h, bool stretch)
{
    if (picture.isNull() || r.IsEmpty() || w <= 0 || h <= 0)
        return;
    DrawMapped(image, 0, 0, picture, Scaled(w, r.Left, r.Right),
        ThreePieces(h, topOffset, bottomOffset, r.Top, r.Bottom, stretch));
}

QImage CreateHSkinImage(
    int leftOffset, int rightOffset, const QImage& picture, const TRect& r, int w, int h, bool stretch)
{
    QImage image(std::max(w, 0), std::max(h, 0), QImage::Format_RGB32);
    image.fill(0xFF000000u);
    DrawHSkinImage(image, leftOffset, rightOffset, picture, r, w, h, stretch);
    return image;
}

QImage CreateVSkinImage(
    int topOffset, int bottomOffset, const QImage& picture, const TRect& r, int w, int h, bool stretch)
{
    QImage image(std::max(w, 0), std::max(h, 0), QImage::Format_RGB32);
    image.fill(0xFF000000u);
    DrawVSkinImage(image, topOffset, bottomOffset, picture, r, w, h, stretch);
    return image;
}

QImage CreateStretchImage(
    const QImage& picture, const TRect& r, int w, int h, bool drawCentre, const TRect& centre)
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

QRegion RegionFromBlackPixels(const QImage& mask, QPoint offset, QSize limit)
{
    if (mask.isNull())
        return {};
    const int width = limit.isValid() ? std::min(mask.width(), limit.width()) : mask.width();
    const int height = limit.isValid() ? std::min(mask.height(), limit.height()) : mask.height();
    const PixelReader read(mask);
    const bool gray = mask.format() == QImage::Format_Grayscale8;
    const bool direct = mask.format() == QImage::Format_RGB32 || mask.format() == QImage::Format_ARGB32;
    const uchar* line = nullptr; // the row being read
    auto black = [&](int x, int y) {
        if (gray)
            return line[x] == 0;
        if (direct)
            return (reinterpret_cast<const QRgb*>(line)[x] & 0x00FFFFFFu) == 0;
        return (read.At(line, x, y) & 0x00FFFFFFu) == 0;
    };
    std::vector<QRect> rects;
    std::vector<std::pair<int, int>> previousRuns; // [start, end) of the band being grown
    std::vector<std::pair<int, int>> runs;
    size_t bandStart = 0; // index in rects of the current band
    for (int y = 0; y < height; ++y) {
        runs.clear();
        line = mask.constScanLine(y);
        for (int x = 0; x < width;) {
            if (!black(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width && black(x, y))
                ++x;
            runs.emplace_back(start, x);
        }
        // Past the run limit a row keeps one run from its first to its last
        // black pixel, so a noisy mask cannot make the region unbounded.
        if (rects.size() + runs.size() > MaxRegionRuns && runs.size() > 1)
            runs = { { runs.front().first, runs.back().second } };
        if (!runs.empty() && runs == previousRuns && y > 0) {
            // Same runs as the row above: make that band one row taller.
            for (size_t i = bandStart; i < rects.size(); ++i)
                rects[i].setBottom(rects[i].bottom() + 1);
            continue;
        }
        bandStart = rects.size();
        for (const auto& [start, end] : runs)
            rects.emplace_back(start + offset.x(), y + offset.y(), end - start, 1);
        previousRuns.swap(runs);
    }
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

QRegion CreateSkinSimplyRegion(const QImage& mask, QSize limit)
{
    return RegionFromBlackPixels(mask, {}, limit);
}

QRegion CreateSkinRegion(const TbsNinePieceLayout& layout, const QImage& mask, const TRect& r, int w, int h)
{
    TbsNinePieceLayout repeated = layout;
    repeated.LeftStretch = repeated.TopStretch = repeated.RightStretch = repeated.BottomStretch = false;
    repeated.StretchEffect = false;
    // Pixels the pieces do not cover stay white, so they stay outside the shape.
    QImage image(std::max(w, 0), std::max(h, 0), QImage::Format_Grayscale8);
    image.fill(255);
    DrawSkinImage(image, repeated, mask, r, w, h, true);
    return RegionFromBlackPixels(image);
}
