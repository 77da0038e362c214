// Draws the program's icon, a rising line chart in a rounded square, from one
// description: as qelvo.svg and as PNGs of the sizes the desktop asks for.
//   icon_painter <folder>   writes qelvo.svg and qelvo-<size>.png
#include <QColor>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cstdio>

namespace {

// The drawing on a 256 × 256 canvas.
constexpr double Side = 256;
constexpr double Margin = 8;
constexpr double Corner = 44;
const QColor Top(0x2f, 0x6f, 0xd6);
const QColor Bottom(0x17, 0x40, 0x8a);
const QColor Dot(0xff, 0x5a, 0x4e);
constexpr double GridY[] = { 88, 136, 184 };
constexpr double GridLeft = 40, GridRight = 216, GridWidth = 4, GridOpacity = 0.22;
const QPointF Line[] = { { 40, 186 }, { 88, 150 }, { 124, 168 }, { 168, 104 }, { 216, 64 } };
constexpr double LineWidth = 18;
constexpr double DotRadius = 16, DotRing = 6;

QString Svg()
{
    QString points;
    for (const QPointF& p : Line)
        points += QStringLiteral("%1,%2 ").arg(p.x()).arg(p.y());
    QString grid;
    for (const double y : GridY)
        grid += QStringLiteral("    <line x1=\"%1\" y1=\"%3\" x2=\"%2\" y2=\"%3\"/>\n")
                    .arg(GridLeft)
                    .arg(GridRight)
                    .arg(y);
    const QPointF end = Line[std::size(Line) - 1];
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%1\" viewBox=\"0 0 %1 %1\">\n"
               "  <defs>\n"
               "    <linearGradient id=\"face\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
               "      <stop offset=\"0\" stop-color=\"%2\"/>\n"
               "      <stop offset=\"1\" stop-color=\"%3\"/>\n"
               "    </linearGradient>\n"
               "  </defs>\n"
               "  <rect x=\"%4\" y=\"%4\" width=\"%5\" height=\"%5\" rx=\"%6\" ry=\"%6\" "
               "fill=\"url(#face)\"/>\n"
               "  <g stroke=\"#ffffff\" stroke-opacity=\"%7\" stroke-width=\"%8\">\n%9  </g>\n")
               .arg(Side)
               .arg(Top.name(), Bottom.name())
               .arg(Margin)
               .arg(Side - 2 * Margin)
               .arg(Corner)
               .arg(GridOpacity)
               .arg(GridWidth)
               .arg(grid)
        + QStringLiteral(
            "  <polyline points=\"%1\" fill=\"none\" stroke=\"#ffffff\" stroke-width=\"%2\" "
            "stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n"
            "  <circle cx=\"%3\" cy=\"%4\" r=\"%5\" fill=\"%6\" stroke=\"#ffffff\" stroke-width=\"%7\"/>\n"
            "</svg>\n")
              .arg(points.trimmed())
              .arg(LineWidth)
              .arg(end.x())
              .arg(end.y())
              .arg(DotRadius)
              .arg(Dot.name())
              .arg(DotRing);
}

QImage Png(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / Side, size / Side);

    QLinearGradient face(0, Margin, 0, Side - Margin);
    face.setColorAt(0, Top);
    face.setColorAt(1, Bottom);
    QPainterPath square;
    square.addRoundedRect(QRectF(Margin, Margin, Side - 2 * Margin, Side - 2 * Margin), Corner, Corner);
    painter.fillPath(square, face);

    QColor gridColour(Qt::white);
    gridColour.setAlphaF(static_cast<float>(GridOpacity));
    painter.setPen(QPen(gridColour, GridWidth));
    for (const double y : GridY)
        painter.drawLine(QPointF(GridLeft, y), QPointF(GridRight, y));

    painter.setPen(QPen(Qt::white, LineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(Line, static_cast<int>(std::size(Line)));

    painter.setPen(QPen(Qt::white, DotRing));
    painter.setBrush(Dot);
    painter.drawEllipse(Line[std::size(Line) - 1], DotRadius, DotRadius);
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: icon_painter <folder>\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QFile svg(folder.filePath(QStringLiteral("qelvo.svg")));
    if (!svg.open(QIODevice::WriteOnly | QIODevice::Truncate) || svg.write(Svg().toUtf8()) < 0)
        return 1;
    for (const int size : { 16, 24, 32, 48, 64, 128, 256 }) {
        if (!Png(size).save(folder.filePath(QStringLiteral("qelvo-%1.png").arg(size)), "PNG"))
            return 1;
    }
    return 0;
}
