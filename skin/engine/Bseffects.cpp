#include "Bseffects.h"

#include "Bsutils.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace {

int Clamp255(long v)
{
    return static_cast<int>(std::clamp<long>(v, 0, 255));
}
int Round(double v)
{
    return static_cast<int>(std::lround(v));
}

QRgb* Row(QImage& image, int y)
{
    return reinterpret_cast<QRgb*>(image.scanLine(y));
}

// Applies f to every channel of every pixel.
template <typename F> void PerChannel(QImage& image, F f)
{
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = Row(image, y);
        for (int x = 0; x < image.width(); ++x)
            row[x] = qRgb(f(qRed(row[x])), f(qGreen(row[x])), f(qBlue(row[x])));
    }
}

void SplitBlur(QImage& image)
{
    const int w = image.width();
    const int h = image.height();
    // In place, top to bottom: a row reads its upper neighbours already blurred.
    for (int y = 0; y < h; ++y) {
        const QRgb* above = Row(image, std::max(y - 1, 0));
        const QRgb* below = Row(image, std::min(y + 1, h - 1));
        QRgb* row = Row(image, y);
        for (int x = 0; x < w; ++x) {
            const int l = std::max(x - 1, 0);
            const int r = std::min(x + 1, w - 1);
            const QRgb p[4] = { above[l], above[r], below[l], below[r] };
            int red = 0, green = 0, blue = 0;
            for (QRgb c : p) {
                red += qRed(c);
                green += qGreen(c);
                blue += qBlue(c);
            }
            row[x] = qRgb(red / 4, green / 4, blue / 4);
        }
    }
}

} // namespace

void ApplyInActiveEffect(QImage& image, TbsInActiveEffect effect, const TbsNoiseSource& noise)
{
    if (image.isNull())
        return;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
    switch (effect) {
    case ieBrightness:
        PerChannel(image, [](int c) { return Clamp255(Round(0.5 * c + 127.5)); });
        return;
    case ieDarkness:
        PerChannel(image, [](int c) { return Clamp255(Round(0.7 * c)); });
        return;
    case ieInvert:
        PerChannel(image, [](int c) { return 255 - c; });
        return;
    case ieGrayScale:
        for (int y = 0; y < image.height(); ++y) {
            QRgb* row = Row(image, y);
            for (int x = 0; x < image.width(); ++x) {
                const int g
                    = Clamp255(Round(0.3 * qRed(row[x]) + 0.59 * qGreen(row[x]) + 0.11 * qBlue(row[x])));
                row[x] = qRgb(g, g, g);
            }
        }
        return;
    case ieNoise: {
        std::minstd_rand engine(std::random_device {}());
        TbsNoiseSource source = noise;
        if (!source)
            source = [&engine](
                         int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine); };
        for (int y = 0; y < image.height(); ++y) {
            QRgb* row = Row(image, y);
            for (int x = 0; x < image.width(); ++x) {
                const int n = source(-25, 24);
                row[x] = qRgb(
                    Clamp255(qRed(row[x]) + n), Clamp255(qGreen(row[x]) + n), Clamp255(qBlue(row[x]) + n));
            }
        }
        return;
    }
    case ieSplitBlur:
        SplitBlur(image);
        return;
    }
}

namespace {

QRgb Blend(QRgb a, QRgb b, double k)
{
    return qRgb(Round((1 - k) * qRed(a) + k * qRed(b)), Round((1 - k) * qGreen(a) + k * qGreen(b)),
        Round((1 - k) * qBlue(a) + k * qBlue(b)));
}

// Fills the result per pixel from a weight w(x, y) in 0..1 (0: a, 1: b).
template <typename W> QImage Weighted(const QImage& a, const QImage& b, W weight)
{
    QImage out(a.width(), a.height(), QImage::Format_RGB32);
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        QRgb* ro = Row(out, y);
        for (int x = 0; x < a.width(); ++x)
            ro[x] = Blend(ra[x], rb[x], std::clamp(weight(x, y), 0.0, 1.0));
    }
    return out;
}

// Picks each pixel from a or b at a column of either: source(x) returns
// {fromB, column}.
template <typename S> QImage Columns(const QImage& a, const QImage& b, S source)
{
    QImage out(a.width(), a.height(), QImage::Format_RGB32);
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* ra = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* rb = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        QRgb* ro = Row(out, y);
        for (int x = 0; x < a.width(); ++x) {
            const auto [fromB, column] = source(x);
            ro[x] = fromB ? rb[column] : ra[column];
        }
    }
    return out;
}

} // namespace

QImage MorphImages(const QImage& aAny, const QImage& bAny, double k, TbsMorphKind kind)
{
    const QImage a = bsutils::As32Bit(aAny);
    const QImage b = bsutils::As32Bit(bAny);
    if (a.size() != b.size() || a.isNull())
        return (k >= 1 ? b : a).copy();
    k = std::clamp(k, 0.0, 1.0);
    const int w = a.width();
    const int n = Round(k * w); // columns taken over by b in the one-sided kinds
    switch (kind) {
    case mkDefault:
        return Weighted(a, b, [k](int, int) { return k; });
    case mkGradient: {
        // A ramp along the longer side that sweeps from all a (k = 0) to all b (k = 1).
        const bool across = a.width() >= a.height();
        const double length = std::max(across ? a.width() : a.height(), 1);
        return Weighted(a, b, [=](int x, int y) { return 2 * k - (across ? x : y) / length; });
    }
    case mkLeftGradient:
        // Inside the first n columns the weight falls from 1 at the edge to k.
        return Weighted(a, b, [=](int x, int) { return x < n ? k + (1 - k) * (1 - double(x) / n) : 0.0; });
    case mkRightGradient:
        return Weighted(a, b, [=](int x, int) {
            const int fromRight = w - 1 - x;
            return fromRight < n ? k + (1 - k) * (1 - double(fromRight) / n) : 0.0;
        });
    case mkLeftSlide:
        // b's right part slides over a from the left edge.
        return Columns(a, b, [=](int x) { return x < n ? std::pair(true, x + w - n) : std::pair(false, x); });
    case mkRightSlide:
        return Columns(
            a, b, [=](int x) { return x >= w - n ? std::pair(true, x - (w - n)) : std::pair(false, x); });
    case mkPush:
        // b enters from the left and pushes a out to the right.
        return Columns(
            a, b, [=](int x) { return x < n ? std::pair(true, x + w - n) : std::pair(false, x - n); });
    }
    return a.copy();
}

double NextMorphKf(double kf, bool active, double step)
{
    // Steps of 0.2 do not add up exactly in binary; land on the ends exactly.
    const double next = kf + (active ? step : -step);
    if (next <= 1e-9)
        return 0.0;
    if (next >= 1 - 1e-9)
        return 1.0;
    return next;
}
