// Draws every picture of the program's own skin into BMP files, so the skin
// is kept as source: this program plus the INI text beside it (Vadar2.ini).
// The rectangles named in the INI text point into these pictures; each block
// below says which section uses it. The look: light grey-white surfaces,
// 1-pixel borders, a soft blue accent, rounded top corners on the frame.
//
// Usage: SkinPainter <output folder>
// Needs only Qt Gui's QImage and QPainter (no display, no text drawing).

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// ---- palette -------------------------------------------------------------
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kSurface(0xF3, 0xF5, 0xF8); // panels and dialog surfaces
const QColor kSurfaceTop(0xF8, 0xFA, 0xFC);
const QColor kSurfaceBottom(0xEE, 0xF1, 0xF5);
const QColor kBorder(0xC3, 0xCB, 0xD5); // control borders
const QColor kFrameBorder(0xA9, 0xB4, 0xC1); // window outline
const QColor kHairline(0xDC, 0xE2, 0xE9); // separators
const QColor kAccent(0x2F, 0x74, 0xD0); // the blue accent
const QColor kAccentDark(0x24, 0x5F, 0xB0);
const QColor kAccentSoft(0xE3, 0xED, 0xFB); // hover and selection fills
const QColor kAccentEdge(0xA9, 0xC7, 0xF0);
const QColor kGlyph(0x3C, 0x45, 0x50); // arrows, check marks
const QColor kGlyphMuted(0xA3, 0xAB, 0xB5);
const QColor kCloseRed(0xE0, 0x3E, 0x3E);
const QColor kCloseRedDown(0xB9, 0x2E, 0x2E);

QColor Mix(const QColor& a, const QColor& b, double t)
{
    auto ch = [t](int x, int y) { return static_cast<int>(x + (y - x) * t + 0.5); };
    return QColor(ch(a.red(), b.red()), ch(a.green(), b.green()), ch(a.blue(), b.blue()));
}

// ---- drawing helpers -----------------------------------------------------
QImage NewPicture(int w, int h, const QColor& fill)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

void Fill(QImage& img, int l, int t, int r, int b, const QColor& c)
{
    QPainter p(&img);
    p.fillRect(l, t, r - l, b - t, c);
}

// Vertical gradient over rows t..b-1 (exclusive right and bottom, as the INI writes rects).
void VGradient(QImage& img, int l, int t, int r, int b, const QColor& top, const QColor& bottom)
{
    QPainter p(&img);
    const int h = b - t;
    for (int y = t; y < b; ++y)
        p.fillRect(l, y, r - l, 1, Mix(top, bottom, h > 1 ? double(y - t) / (h - 1) : 0.0));
}

// A rounded box: the rect l,t,r,b is filled with `back` first (what shows
// outside the rounded corners), then the box drawn inside with a 1-pixel edge.
void Box(QImage& img, int l, int t, int r, int b, const QColor& back, const QColor& edge,
    const QColor& fillTop, const QColor& fillBottom, double radius = 3.0)
{
    Fill(img, l, t, r, b, back);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, t, 0, b);
    g.setColorAt(0, fillTop);
    g.setColorAt(1, fillBottom);
    QPainterPath path;
    path.addRoundedRect(QRectF(l + 0.5, t + 0.5, r - l - 1.0, b - t - 1.0), radius, radius);
    p.fillPath(path, g);
    p.setPen(QPen(edge, 1.0));
    p.drawPath(path);
}

void Pen(QPainter& p, const QColor& c, double width = 1.0)
{
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

// Small chevron arrow centred on (cx, cy); dir: 0 up, 1 down, 2 left, 3 right.
void Arrow(QImage& img, double cx, double cy, int dir, const QColor& c, double size = 3.0)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Pen(p, c, 1.5);
    const double s = size;
    QPointF a, m, b;
    switch (dir) {
    case 0:
        a = { cx - s, cy + s / 2 };
        m = { cx, cy - s / 2 };
        b = { cx + s, cy + s / 2 };
        break;
    case 1:
        a = { cx - s, cy - s / 2 };
        m = { cx, cy + s / 2 };
        b = { cx + s, cy - s / 2 };
        break;
    case 2:
        a = { cx + s / 2, cy - s };
        m = { cx - s / 2, cy };
        b = { cx + s / 2, cy + s };
        break;
    default:
        a = { cx - s / 2, cy - s };
        m = { cx + s / 2, cy };
        b = { cx - s / 2, cy + s };
        break;
    }
    const QPointF pts[3] = { a, m, b };
    p.drawPolyline(pts, 3);
}

void CheckMark(QImage& img, double x, double y, const QColor& c)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Pen(p, c, 1.8);
    const QPointF pts[3] = { { x + 3.5, y + 8.0 }, { x + 6.5, y + 11.0 }, { x + 12.5, y + 4.5 } };
    p.drawPolyline(pts, 3);
}

void Dot(QImage& img, double cx, double cy, double r, const QColor& c)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(cx, cy), r, r);
}

bool Save(const QImage& img, const QString& folder, const char* name)
{
    const QString path = folder + QLatin1Char('/') + QLatin1String(name);
    if (!img.save(path, "BMP")) {
        std::fprintf(stderr, "SkinPainter: cannot write %s\n", path.toLocal8Bit().constData());
        return false;
    }
    return true;
}

QImage ToMask(const QImage& shape)
{
    // 1-bit: index 0 black (inside the window), index 1 white (outside).
    QImage mask(shape.size(), QImage::Format_Mono);
    mask.setColorTable({ qRgb(0, 0, 0), qRgb(255, 255, 255) });
    for (int y = 0; y < shape.height(); ++y)
        for (int x = 0; x < shape.width(); ++x)
            mask.setPixel(x, y, qGray(shape.pixel(x, y)) < 128 ? 0 : 1);
    return mask;
}

// ---- the window frame ([FORMINFO], main picture and mask) ----------------
// 429 x 330; "clientrect" 4,29,425,326; caption band rows 0..28.
constexpr int kMainW = 429, kMainH = 330;
constexpr int kClientL = 4, kClientT = 29, kClientR = 425, kClientB = 326;

// Caption band colour of row y; the caption buttons repeat it behind their glyphs.
QColor CaptionRow(int y)
{
    if (y <= 0)
        return kFrameBorder;
    if (y <= 2)
        return kAccent; // the accent line along the top
    if (y >= kClientT - 1)
        return kHairline; // separator under the caption
    return Mix(QColor(0xFD, 0xFE, 0xFF), QColor(0xEC, 0xF0, 0xF5), double(y - 3) / (kClientT - 5));
}

// Pixels cut away at each top corner: row 0 loses 3, rows 1 and 2 lose 1.
bool OutsideTopCorner(int x, int y, int w)
{
    const int cut = y == 0 ? 3 : (y <= 2 ? 1 : 0);
    return x < cut || x >= w - cut;
}

QImage PaintMainPicture()
{
    QImage img = NewPicture(kMainW, kMainH, kSurfaceBottom);
    for (int y = 0; y < kClientT; ++y)
        Fill(img, 0, y, kMainW, y + 1, CaptionRow(y));
    // side and bottom bands
    Fill(img, 0, kClientT, kClientL, kMainH, kSurfaceBottom);
    Fill(img, kClientR, kClientT, kMainW, kMainH, kSurfaceBottom);
    Fill(img, 0, kClientB, kMainW, kMainH, kSurfaceBottom);
    // client piece: stretched vertically by the frame, so a soft gradient reads well
    VGradient(img, kClientL, kClientT, kClientR, kClientB, kWhite, QColor(0xF4, 0xF6, 0xF9));
    // a hairline around the client area, then the outline
    QPainter p(&img);
    p.setPen(kHairline);
    p.drawLine(kClientL - 1, kClientT, kClientL - 1, kClientB);
    p.drawLine(kClientR, kClientT, kClientR, kClientB);
    p.drawLine(kClientL - 1, kClientB, kClientR, kClientB);
    p.setPen(kFrameBorder);
    p.drawLine(0, 3, 0, kMainH - 1);
    p.drawLine(kMainW - 1, 3, kMainW - 1, kMainH - 1);
    p.drawLine(0, kMainH - 1, kMainW - 1, kMainH - 1);
    p.drawLine(3, 0, kMainW - 4, 0);
    // the rounded top corners: outline follows the cut, the rest is outside
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < kMainW; ++x)
            if (OutsideTopCorner(x, y, kMainW))
                img.setPixel(x, y, kFrameBorder.rgb());
    p.end();
    for (int side = 0; side < 2; ++side) {
        auto px = [&](int x, int y, const QColor& c) { img.setPixel(side ? kMainW - 1 - x : x, y, c.rgb()); };
        px(1, 1, kFrameBorder);
        px(2, 1, Mix(kFrameBorder, kAccent, 0.5));
        px(1, 2, kFrameBorder);
    }
    return img;
}

QImage PaintMainMask()
{
    QImage shape = NewPicture(kMainW, kMainH, Qt::black);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < kMainW; ++x)
            if (OutsideTopCorner(x, y, kMainW))
                shape.setPixel(x, y, qRgb(255, 255, 255));
    return ToMask(shape);
}

// ---- picture 0: caption buttons ([closebutton] ... [sysmenubutton]) -------
// Columns of 26 x 20 looks: 0 close, 1 maximize, 2 restore, 3 minimize,
// 4 roll up, 5 roll down, 6 to tray; column 7 holds the 20 x 20 system menu
// button. Rows: 0 normal, 1 active (hover), 2 down, 3 inactive window.
// The buttons sit at caption rows 5..24, so their backs repeat those rows.
constexpr int kCapBtnW = 26, kCapBtnH = 20, kCapBtnTop = 5;

void CaptionGlyph(QImage& img, int col, int l, int t, const QColor& c)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Pen(p, c, 1.2);
    const double cx = l + kCapBtnW / 2.0, cy = t + kCapBtnH / 2.0;
    switch (col) {
    case 0: // close
        p.drawLine(QPointF(cx - 4, cy - 4), QPointF(cx + 4, cy + 4));
        p.drawLine(QPointF(cx - 4, cy + 4), QPointF(cx + 4, cy - 4));
        break;
    case 1: // maximize
        p.drawRect(QRectF(cx - 4.5, cy - 4.5, 9, 9));
        p.drawLine(QPointF(cx - 4.5, cy - 3.5), QPointF(cx + 4.5, cy - 3.5));
        break;
    case 2: // restore
        p.drawRect(QRectF(cx - 4.5, cy - 2.5, 7, 7));
        p.drawPolyline(QPolygonF({ QPointF(cx - 2.5, cy - 2.5), QPointF(cx - 2.5, cy - 4.5),
            QPointF(cx + 4.5, cy - 4.5), QPointF(cx + 4.5, cy + 2.5), QPointF(cx + 2.5, cy + 2.5) }));
        break;
    case 3: // minimize
        p.drawLine(QPointF(cx - 4.5, cy + 3.5), QPointF(cx + 4.5, cy + 3.5));
        break;
    case 4: // roll up
        p.drawPolyline(QPolygonF({ QPointF(cx - 4, cy + 2), QPointF(cx, cy - 2), QPointF(cx + 4, cy + 2) }));
        p.drawLine(QPointF(cx - 4.5, cy - 4.5), QPointF(cx + 4.5, cy - 4.5));
        break;
    case 5: // roll down
        p.drawPolyline(QPolygonF({ QPointF(cx - 4, cy - 2), QPointF(cx, cy + 2), QPointF(cx + 4, cy - 2) }));
        p.drawLine(QPointF(cx - 4.5, cy + 4.5), QPointF(cx + 4.5, cy + 4.5));
        break;
    default: // to tray: an arrow into a tray line
        p.drawLine(QPointF(cx, cy - 5), QPointF(cx, cy + 1.5));
        p.drawPolyline(QPolygonF({ QPointF(cx - 3, cy - 1), QPointF(cx, cy + 2), QPointF(cx + 3, cy - 1) }));
        p.drawLine(QPointF(cx - 5, cy + 4.5), QPointF(cx + 5, cy + 4.5));
        break;
    }
}

// The program's mark: a blue rounded square with a rising quote line.
void AppMark(QImage& img, int l, int t, bool muted, bool lighter)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QColor fill = muted ? kGlyphMuted : (lighter ? QColor(0x45, 0x88, 0xE0) : kAccent);
    QPainterPath sq;
    sq.addRoundedRect(QRectF(l + 2.5, t + 2.5, 15, 15), 3.5, 3.5);
    p.fillPath(sq, fill);
    Pen(p, kWhite, 1.5);
    p.drawPolyline(QPolygonF({ QPointF(l + 5.5, t + 13.5), QPointF(l + 8.5, t + 10.0),
        QPointF(l + 11.0, t + 12.0), QPointF(l + 14.5, t + 6.5) }));
}

QImage PaintCaptionButtons()
{
    QImage img = NewPicture(7 * kCapBtnW + 20, 4 * kCapBtnH, kWhite);
    for (int row = 0; row < 4; ++row) {
        const int t = row * kCapBtnH;
        for (int y = 0; y < kCapBtnH; ++y)
            Fill(img, 0, t + y, img.width(), t + y + 1, CaptionRow(kCapBtnTop + y));
        for (int col = 0; col < 7; ++col) {
            const int l = col * kCapBtnW;
            const bool close = col == 0;
            QColor glyph = kGlyph;
            if (row == 1 || row == 2) {
                QPainter p(&img);
                p.setRenderHint(QPainter::Antialiasing);
                QColor back = close ? (row == 1 ? kCloseRed : kCloseRedDown)
                                    : (row == 1 ? QColor(0xDF, 0xE5, 0xEC) : QColor(0xC9, 0xD2, 0xDD));
                QPainterPath path;
                path.addRoundedRect(QRectF(l + 1, t + 1, kCapBtnW - 2, kCapBtnH - 2), 3, 3);
                p.fillPath(path, back);
                if (close)
                    glyph = kWhite;
            } else if (row == 3) {
                glyph = kGlyphMuted;
            }
            CaptionGlyph(img, col, l, t, glyph);
        }
        const int sl = 7 * kCapBtnW;
        if (row == 1 || row == 2) {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            QPainterPath path;
            path.addRoundedRect(QRectF(sl + 0.5, t + 0.5, 19, 19), 3, 3);
            p.fillPath(path, row == 1 ? QColor(0xDF, 0xE5, 0xEC) : QColor(0xC9, 0xD2, 0xDD));
        }
        AppMark(img, sl, t, row == 3, row == 1);
    }
    return img;
}

// ---- picture 1 and 2: pop-up menu window ([POPUPWINDOW]) ------------------
// 182 x 224, "itemsrect" 2,3,179,221; picture 2 is its 1-bit mask with all
// four corners rounded.
constexpr int kPopupW = 182, kPopupH = 224;

bool OutsideAnyCorner(int x, int y, int w, int h)
{
    auto cut = [](int d) { return d == 0 ? 3 : (d <= 2 ? 1 : 0); };
    const int c = std::max(y < 3 ? cut(y) : 0, y >= h - 3 ? cut(h - 1 - y) : 0);
    return x < c || x >= w - c;
}

QImage PaintPopupWindow()
{
    QImage img = NewPicture(kPopupW, kPopupH, kWhite);
    QPainter p(&img);
    p.setPen(kBorder);
    p.drawRect(0, 0, kPopupW - 1, kPopupH - 1);
    p.end();
    for (int y = 0; y < kPopupH; ++y)
        for (int x = 0; x < kPopupW; ++x)
            if (OutsideAnyCorner(x, y, kPopupW, kPopupH))
                img.setPixel(x, y, kBorder.rgb());
    for (int sx : { 1, kPopupW - 2 })
        for (int sy : { 1, kPopupH - 2 })
            img.setPixel(sx, sy, kBorder.rgb());
    return img;
}

QImage PaintPopupMask()
{
    QImage shape = NewPicture(kPopupW, kPopupH, Qt::black);
    for (int y = 0; y < kPopupH; ++y)
        for (int x = 0; x < kPopupW; ++x)
            if (OutsideAnyCorner(x, y, kPopupW, kPopupH))
                shape.setPixel(x, y, qRgb(255, 255, 255));
    return ToMask(shape);
}

// ---- picture 3: menu items ([menuitem], [mainmenubaritem]) -----------------
// 0,0,63,20 normal; 0,20,63,40 active; 0,40,63,42 divider;
// 16 x 16 marks: check 63,0 / 63,20; radio 79,0 / 79,20; arrow 95,0 / 95,20.
// Main-menu-bar item: 0,44,40,64 normal, 0,64,40,84 active, 0,84,40,104 down.
QImage PaintMenuItems()
{
    QImage img = NewPicture(111, 104, kWhite);
    Box(img, 0, 20, 63, 40, kWhite, kAccentEdge, kAccentSoft, kAccentSoft, 3.0);
    Fill(img, 63, 20, 111, 40, kAccentSoft);
    Fill(img, 0, 40, 63, 42, kWhite);
    Fill(img, 0, 40, 63, 41, QColor(0xE3, 0xE7, 0xEC));
    for (int row = 0; row < 2; ++row) {
        const int t = row * 20;
        CheckMark(img, 63, t, row ? kAccentDark : kGlyph);
        Dot(img, 79 + 8, t + 8, 3.0, row ? kAccentDark : kGlyph);
        Arrow(img, 95 + 8, t + 8, 3, row ? kAccentDark : kGlyph, 3.5);
    }
    Fill(img, 0, 44, 40, 64, kSurface);
    Box(img, 0, 64, 40, 84, kSurface, kAccentEdge, kAccentSoft, kAccentSoft, 3.0);
    Box(img, 0, 84, 40, 104, kSurface, kAccent, QColor(0xD2, 0xE2, 0xF8), QColor(0xD2, 0xE2, 0xF8), 3.0);
    return img;
}

// ---- picture 4: the common controls sheet --------------------------------
// [button]      74 x 21 looks at x 0: normal y 0, active 22, down 44, focused 66, disabled 88
// [toolbutton]  74 x 21 flat looks at x 80, same rows
// [resizetoolbutton] 40 x 39 at x 280: normal y 0, active 40, down 80
// [panel]       40 x 40 at 210,0
// [edit]        57 x 19 at 0,112 (normal) and 0,132 (active); field button 15 x 15 at 60/76/92,114
// [combobox]    80 x 20 at 0,154 (normal) and 0,176 (active); button looks 16 x 16 at 84/100/116,178;
//               selected item 50 x 16 at 140,178
// [listbox]     59 x 52 at 110,112; items 54 x 19 at 172,112 / 172,132 / 172,152
// [updown]      32 x 16 at 232,50; button looks 16 x 16 at 232/248,68 (active) and 232/248,86 (down)
// [menuheader]  40 x 18 at 232,106
// [spinedit]    57 x 19 at 0,200 with 13 x 9 button looks at 60..,200
QImage PaintControls()
{
    QImage img = NewPicture(320, 224, kSurface);
    // push buttons
    Box(img, 0, 0, 74, 21, kSurface, kBorder, kWhite, QColor(0xF0, 0xF3, 0xF7));
    Box(img, 0, 22, 74, 43, kSurface, QColor(0x8F, 0xB3, 0xE6), QColor(0xFA, 0xFC, 0xFF), kAccentSoft);
    Box(img, 0, 44, 74, 65, kSurface, QColor(0x6E, 0x99, 0xD6), QColor(0xD6, 0xE3, 0xF5),
        QColor(0xE2, 0xEB, 0xF8));
    Box(img, 0, 66, 74, 87, kSurface, kAccent, kWhite, QColor(0xF0, 0xF3, 0xF7));
    Box(img, 0, 88, 74, 109, kSurface, QColor(0xD9, 0xDE, 0xE4), QColor(0xF6, 0xF7, 0xF9),
        QColor(0xF2, 0xF4, 0xF6));
    // flat tool buttons
    Fill(img, 80, 0, 154, 21, kSurface);
    Box(img, 80, 22, 154, 43, kSurface, kAccentEdge, kAccentSoft, kAccentSoft);
    Box(img, 80, 44, 154, 65, kSurface, QColor(0x6E, 0x99, 0xD6), QColor(0xD2, 0xE2, 0xF8),
        QColor(0xD2, 0xE2, 0xF8));
    Box(img, 80, 66, 154, 87, kSurface, kAccentEdge, kSurface, kSurface);
    Fill(img, 80, 88, 154, 109, kSurface);
    // list-view column headers: a light bar with a bottom rule and a right divider
    for (int look = 0; look < 3; ++look) {
        const int t = look * 40;
        const QColor top
            = look == 2 ? QColor(0xE4, 0xE9, 0xF0) : (look == 1 ? QColor(0xF6, 0xF9, 0xFE) : kWhite);
        const QColor bottom
            = look == 2 ? QColor(0xDE, 0xE4, 0xEC) : (look == 1 ? kAccentSoft : QColor(0xF2, 0xF4, 0xF7));
        VGradient(img, 280, t, 320, t + 39, top, bottom);
        Fill(img, 280, t + 38, 320, t + 39, kBorder);
        Fill(img, 319, t + 6, 320, t + 33, kHairline);
    }
    // panel: a soft surface with no visible border
    VGradient(img, 210, 0, 250, 40, kSurfaceTop, kSurfaceBottom);
    // edit fields and their field button
    Box(img, 0, 112, 57, 131, kSurface, kBorder, kWhite, kWhite, 2.5);
    Box(img, 0, 132, 57, 151, kSurface, kAccent, kWhite, kWhite, 2.5);
    Box(img, 60, 114, 75, 129, kWhite, kBorder, kSurfaceTop, kSurfaceBottom, 2.0);
    Box(img, 76, 114, 91, 129, kWhite, kAccentEdge, kAccentSoft, kAccentSoft, 2.0);
    Box(img, 92, 114, 107, 129, kWhite, kAccent, QColor(0xD2, 0xE2, 0xF8), QColor(0xD2, 0xE2, 0xF8), 2.0);
    for (int x : { 60, 76, 92 })
        Arrow(img, x + 7.5, 121.5, 1, kGlyph, 3.0);
    // combo boxes: an edit-like field with a chevron button at the right
    Box(img, 0, 154, 80, 174, kSurface, kBorder, kWhite, kWhite, 2.5);
    Box(img, 0, 176, 80, 196, kSurface, kAccent, kWhite, kWhite, 2.5);
    Arrow(img, 70, 164.5, 1, kGlyph, 3.0);
    Arrow(img, 70, 186.5, 1, kAccentDark, 3.0);
    Box(img, 84, 178, 100, 194, kWhite, kAccentEdge, kAccentSoft, kAccentSoft, 2.0);
    Box(img, 100, 178, 116, 194, kWhite, kAccent, QColor(0xD2, 0xE2, 0xF8), QColor(0xD2, 0xE2, 0xF8), 2.0);
    Fill(img, 116, 178, 132, 194, kWhite);
    Arrow(img, 92, 186.5, 1, kAccentDark, 3.0);
    Arrow(img, 108, 186.5, 1, kAccentDark, 3.0);
    Arrow(img, 124, 186.5, 1, kGlyphMuted, 3.0);
    Box(img, 140, 178, 190, 194, kWhite, kAccent, kAccent, kAccent, 2.0); // selected item
    // list box frame and its items
    Box(img, 110, 112, 169, 164, kSurface, kBorder, kWhite, kWhite, 2.5);
    Fill(img, 172, 112, 226, 131, kWhite);
    Box(img, 172, 132, 226, 151, kWhite, kAccent, kAccent, kAccent, 2.5);
    Box(img, 172, 152, 226, 171, kWhite, kAccentDark, kAccentDark, kAccentDark, 2.5);
    // up-down buttons: left/right chevrons (tab scrolling)
    for (int look = 0; look < 3; ++look) {
        const int t = 50 + look * 18;
        for (int half = 0; half < 2; ++half) {
            const int l = 232 + half * 16;
            if (look == 0)
                Box(img, l, t, l + 16, t + 16, kSurface, kBorder, kWhite, kSurfaceBottom, 2.0);
            else
                Box(img, l, t, l + 16, t + 16, kSurface, look == 1 ? kAccentEdge : kAccent,
                    look == 1 ? kAccentSoft : QColor(0xD2, 0xE2, 0xF8),
                    look == 1 ? kAccentSoft : QColor(0xD2, 0xE2, 0xF8), 2.0);
            Arrow(img, l + 8, t + 8, half ? 3 : 2, kGlyph, 3.0);
        }
    }
    // menu header bar
    Box(img, 232, 106, 272, 124, kWhite, kHairline, kSurface, kSurface, 3.0);
    // spin edit: field plus two stacked buttons
    Box(img, 0, 200, 57, 219, kSurface, kBorder, kWhite, kWhite, 2.5);
    Fill(img, 43, 201, 44, 218, kHairline);
    Arrow(img, 50, 205, 0, kGlyph, 2.5);
    Arrow(img, 50, 214, 1, kGlyph, 2.5);
    for (int look = 0; look < 2; ++look) {
        const int l = 60 + look * 14;
        Fill(img, l, 200, l + 13, 218, look ? QColor(0xD2, 0xE2, 0xF8) : kAccentSoft);
        Arrow(img, l + 6.5, 204.5, 0, kAccentDark, 2.5);
        Arrow(img, l + 6.5, 213.5, 1, kAccentDark, 2.5);
    }
    return img;
}

// ---- picture 5: scroll bars ([hscrollbar], [vscrollbar], [bothhscrollbar]) -
// hscrollbar 64 x 15 at 0,0; bothhscrollbar 79 x 15 at 0,16; vscrollbar 15 x 64 at 80,0.
// Button looks 15 x 15: active at 0,32 (left) 15,32 (right) 30,32 (up) 45,32 (down),
// down looks one row lower (y 47). Thumbs: horizontal 30 x 15 at 0,64 / 0,80 / 0,96;
// vertical 15 x 30 at 96,0 / 112,0 / 128,0.
constexpr int kBarT = 15;
const QColor kTrack(0xF1, 0xF3, 0xF6);

void BarButton(QImage& img, int l, int t, int dir, int look)
{
    if (look > 0) {
        const QColor c = look == 1 ? QColor(0xE1, 0xE6, 0xEC) : QColor(0xC9, 0xD2, 0xDD);
        Box(img, l, t, l + kBarT, t + kBarT, kTrack, c, c, c, 2.0);
    }
    Arrow(img, l + 7.5, t + 7.5, dir, look == 2 ? kAccentDark : QColor(0x6B, 0x75, 0x81), 2.5);
}

void Thumb(QImage& img, int l, int t, int w, int h, const QColor& c)
{
    Fill(img, l, t, l + w, t + h, kTrack);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    const bool horizontal = w > h;
    const QRectF r = horizontal ? QRectF(l + 1, t + 4, w - 2, h - 8) : QRectF(l + 4, t + 1, w - 8, h - 2);
    path.addRoundedRect(r, 3.5, 3.5);
    p.fillPath(path, c);
}

QImage PaintScrollBars()
{
    QImage img = NewPicture(144, 112, kTrack);
    // horizontal: down (left) button 0..15, track 15..49, up (right) button 49..64
    BarButton(img, 0, 0, 2, 0);
    BarButton(img, 49, 0, 3, 0);
    // with the corner piece: same bar, then a 15-pixel corner at 64..79
    BarButton(img, 0, 16, 2, 0);
    BarButton(img, 49, 16, 3, 0);
    Fill(img, 64, 16, 79, 31, kSurface);
    // vertical: down (top) button 0..15, up (bottom) button 49..64
    BarButton(img, 80, 0, 0, 0);
    BarButton(img, 80, 49, 1, 0);
    for (int look = 1; look <= 2; ++look) {
        const int t = 32 + (look - 1) * 15;
        BarButton(img, 0, t, 2, look);
        BarButton(img, 15, t, 3, look);
        BarButton(img, 30, t, 0, look);
        BarButton(img, 45, t, 1, look);
    }
    const QColor thumbs[3] = { QColor(0xC2, 0xC9, 0xD2), QColor(0xA6, 0xB0, 0xBC), QColor(0x8B, 0x97, 0xA5) };
    for (int look = 0; look < 3; ++look) {
        Thumb(img, 0, 64 + look * 16, 30, kBarT, thumbs[look]);
        Thumb(img, 96 + look * 16, 0, kBarT, 30, thumbs[look]);
    }
    return img;
}

// ---- picture 6: tabs ([tab]) --------------------------------------------
// tabrect 0,0,59,18; activetabrect 0,20,59,39; focustabrect 0,40,59,59;
// page frame ("skinrect") 64,0,104,40 with a 2-pixel border; tab strip back 64,44,104,64.
QImage PaintTabs()
{
    QImage img = NewPicture(108, 64, kSurface);
    auto tab = [&](int t, int h, const QColor& fill, bool accent, const QColor& back) {
        Fill(img, 0, t, 59, t + h, back);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        path.addRoundedRect(QRectF(0.5, t + 0.5, 58, h + 4), 3, 3); // open at the bottom
        p.setClipRect(0, t, 59, h);
        p.fillPath(path, fill);
        p.setPen(QPen(kBorder, 1.0));
        p.drawPath(path);
        if (accent) {
            p.setPen(Qt::NoPen);
            QPainterPath top;
            top.addRoundedRect(QRectF(1, t + 1, 57, 3), 1.5, 1.5);
            p.fillPath(top, kAccent);
        }
    };
    tab(0, 18, QColor(0xE8, 0xEC, 0xF1), false, kSurface);
    tab(20, 19, kWhite, true, kSurface);
    tab(40, 19, kWhite, true, kSurface);
    // the page: white, bordered 1 pixel plus 1 pixel of page colour
    Fill(img, 64, 0, 104, 40, kWhite);
    QPainter p(&img);
    p.setPen(kBorder);
    p.drawRect(64, 0, 39, 39);
    p.end();
    Fill(img, 64, 44, 104, 64, kSurface);
    return img;
}

// ---- picture 7: hint window ([HINTWINDOW]) 60 x 30 ------------------------
QImage PaintHintWindow()
{
    QImage img = NewPicture(60, 30, kWhite);
    Box(img, 0, 0, 60, 30, kWhite, QColor(0xB9, 0xC2, 0xCC), QColor(0xFD, 0xFE, 0xFF),
        QColor(0xF3, 0xF6, 0xFA), 3.0);
    return img;
}

// ---- picture 8: check boxes and radio buttons ([checkbox], [radiobox]) ----
// control look 100 x 20 at 0,0 (active 0,20); 13 x 13 marks at y 42 / 56:
// x 0 unchecked, 14 checked, 28 active unchecked, 42 active checked,
// 56 disabled unchecked, 70 disabled checked, 84 grayed, 98 active grayed.
QImage PaintCheckRadio()
{
    QImage img = NewPicture(112, 70, kSurface);
    Fill(img, 0, 20, 100, 40, QColor(0xEE, 0xF2, 0xF7));
    for (int kind = 0; kind < 2; ++kind) {
        const int t = 42 + kind * 14;
        for (int i = 0; i < 8; ++i) {
            const int l = i * 14;
            const bool checked = i % 2 == 1 && i < 6;
            const bool active = i == 2 || i == 3 || i == 7;
            const bool disabled = i == 4 || i == 5;
            const QColor edge
                = disabled ? QColor(0xD3, 0xD8, 0xDE) : (active ? kAccent : QColor(0x9A, 0xA5, 0xB2));
            QColor fill = checked && !disabled ? kAccent : (disabled ? kSurface : kWhite);
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(checked && !disabled ? kAccent : edge, 1.0));
            p.setBrush(fill);
            if (kind == 0)
                p.drawRoundedRect(QRectF(l + 0.5, t + 0.5, 12, 12), 2.5, 2.5);
            else
                p.drawEllipse(QRectF(l + 0.5, t + 0.5, 12, 12));
            p.end();
            const QColor mark = disabled ? kGlyphMuted : kWhite;
            if (checked || disabled) {
                if (checked && kind == 0)
                    CheckMark(img, l - 1.5, t - 1.5, mark);
                if (checked && kind == 1)
                    Dot(img, l + 6.5, t + 6.5, 2.5, mark);
            }
            if (i >= 6)
                Fill(img, l + 3, t + 6, l + 10, t + 7, active ? kAccent : kGlyph);
        }
    }
    return img;
}

// ---- picture 9: gauge, track bar and slider ([gauge], [trackbar], [slider]) -
// gauge 60 x 14 at 0,0 with progress 60 x 10 at 0,16; vertical gauge 14 x 60 at 64,0
// with progress 10 x 60 at 80,0; track bar 60 x 20 at 0,30 (thumb 11 x 18 at 0,52,
// active 12,52); vertical track bar 20 x 60 at 96,0 (thumb 18 x 11 at 118,0 / 118,12);
// slider rulers/thumbs reuse the track bar pieces.
QImage PaintGauges()
{
    QImage img = NewPicture(140, 72, kSurface);
    Box(img, 0, 0, 60, 14, kSurface, kBorder, QColor(0xEC, 0xEF, 0xF3), QColor(0xEC, 0xEF, 0xF3), 3.0);
    Box(img, 0, 16, 60, 26, kSurface, kAccent, QColor(0x4A, 0x8B, 0xE0), kAccent, 2.5);
    Box(img, 64, 0, 78, 60, kSurface, kBorder, QColor(0xEC, 0xEF, 0xF3), QColor(0xEC, 0xEF, 0xF3), 3.0);
    Box(img, 80, 0, 90, 60, kSurface, kAccent, QColor(0x4A, 0x8B, 0xE0), kAccent, 2.5);
    Fill(img, 0, 30, 60, 50, kSurface);
    Box(img, 2, 38, 58, 42, kSurface, kBorder, QColor(0xDD, 0xE2, 0xE8), QColor(0xDD, 0xE2, 0xE8), 2.0);
    Box(img, 0, 52, 11, 70, kSurface, kAccentDark, kAccent, kAccent, 3.0);
    Box(img, 12, 52, 23, 70, kSurface, kAccentDark, QColor(0x4A, 0x8B, 0xE0), QColor(0x4A, 0x8B, 0xE0), 3.0);
    Fill(img, 96, 0, 116, 60, kSurface);
    Box(img, 104, 2, 108, 58, kSurface, kBorder, QColor(0xDD, 0xE2, 0xE8), QColor(0xDD, 0xE2, 0xE8), 2.0);
    Box(img, 118, 0, 136, 11, kSurface, kAccentDark, kAccent, kAccent, 3.0);
    Box(img, 118, 12, 136, 23, kSurface, kAccentDark, QColor(0x4A, 0x8B, 0xE0), QColor(0x4A, 0x8B, 0xE0),
        3.0);
    return img;
}

// ---- picture 10: expanding panel ([expanel]) -----------------------------
// look 80 x 60 at 0,0 with a 20-pixel caption; rolled looks 80 x 20 at 0,62
// and 20 x 60 at 84,0; 14 x 14 buttons (close, roll, restore) at y 84, looks
// normal/active/down in rows 84, 98, 112 and columns 0, 14, 28.
QImage PaintExPanel()
{
    QImage img = NewPicture(108, 126, kSurface);
    Box(img, 0, 0, 80, 60, kSurface, kBorder, kWhite, kWhite, 3.0);
    VGradient(img, 1, 1, 79, 20, QColor(0xF7, 0xF9, 0xFC), QColor(0xEC, 0xF0, 0xF5));
    Fill(img, 1, 20, 79, 21, kHairline);
    Box(img, 0, 62, 80, 82, kSurface, kBorder, QColor(0xF7, 0xF9, 0xFC), QColor(0xEC, 0xF0, 0xF5), 3.0);
    Box(img, 84, 0, 104, 60, kSurface, kBorder, QColor(0xF7, 0xF9, 0xFC), QColor(0xEC, 0xF0, 0xF5), 3.0);
    for (int look = 0; look < 3; ++look) {
        const int t = 84 + look * 14;
        for (int col = 0; col < 3; ++col) {
            const int l = col * 14;
            if (look > 0)
                Box(img, l, t, l + 14, t + 14, kSurface, kAccentEdge,
                    look == 1 ? kAccentSoft : QColor(0xD2, 0xE2, 0xF8),
                    look == 1 ? kAccentSoft : QColor(0xD2, 0xE2, 0xF8), 2.0);
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            Pen(p, kGlyph, 1.2);
            if (col == 0) {
                p.drawLine(QPointF(l + 4, t + 4), QPointF(l + 10, t + 10));
                p.drawLine(QPointF(l + 4, t + 10), QPointF(l + 10, t + 4));
            }
            p.end();
            if (col == 1)
                Arrow(img, l + 7, t + 7, 0, kGlyph, 3.0);
            if (col == 2)
                Arrow(img, l + 7, t + 7, 1, kGlyph, 3.0);
        }
    }
    return img;
}

// ---- picture 11: grid cells ([grid]) ---------------------------------------
// fixed cell 40 x 20 at 0,0; selected cell 0,20; focused cell 0,40.
QImage PaintGrid()
{
    QImage img = NewPicture(40, 60, kWhite);
    VGradient(img, 0, 0, 40, 20, kWhite, QColor(0xF0, 0xF3, 0xF7));
    Fill(img, 0, 19, 40, 20, kBorder);
    Fill(img, 39, 0, 40, 20, kHairline);
    Fill(img, 0, 20, 40, 40, kAccentSoft);
    Box(img, 0, 40, 40, 60, kWhite, kAccent, kAccentSoft, kAccentSoft, 1.0);
    return img;
}

// ---- picture 12: main menu bar ([mainmenubar]) ------------------------------
// bar 80 x 20 at 0,0 (items area 2,0,78,20).
QImage PaintMainMenuBar()
{
    QImage img = NewPicture(80, 20, kSurface);
    VGradient(img, 0, 0, 80, 20, kSurfaceTop, kSurface);
    Fill(img, 0, 19, 80, 20, kHairline);
    return img;
}

// ---- picture 13: splitter grips ([splitter], [vsplitter]) -----------------
// Plain surface for the bars (0,0,40,6 and 20,0,26,40); dotted grips
// 16 x 6 at 0,8 (horizontal) and 6 x 16 at 40,0 (vertical).
QImage PaintSplitter()
{
    QImage img = NewPicture(48, 40, kSurface);
    for (int i = 0; i < 4; ++i) {
        Dot(img, 2 + i * 4, 11, 0.9, kGlyphMuted);
        Dot(img, 43, 2 + i * 4, 0.9, kGlyphMuted);
    }
    return img;
}

// ---- picture 14: control bar ([controlbar]) ------------------------------
// bar 80 x 30 at 0,0; band 60 x 26 at 0,32; grips 6 x 26 at 64,32 and 26 x 6 at 0,60.
QImage PaintControlBar()
{
    QImage img = NewPicture(80, 66, kSurface);
    VGradient(img, 0, 0, 80, 30, kSurfaceTop, kSurfaceBottom);
    Box(img, 0, 32, 60, 58, kSurface, kHairline, kWhite, kSurfaceTop, 3.0);
    for (int i = 0; i < 5; ++i) {
        Dot(img, 67, 36 + i * 4, 0.9, kGlyphMuted);
        Dot(img, 4 + i * 4, 63, 0.9, kGlyphMuted);
    }
    return img;
}

// ---- picture 15: group box ([groupbox], [captionpanel]) ---------------------
// look 80 x 60 with a rule under an 18-pixel caption band.
QImage PaintGroupBox()
{
    QImage img = NewPicture(80, 60, kSurface);
    Box(img, 0, 0, 80, 60, kSurface, kHairline, kSurfaceTop, kSurface, 4.0);
    Fill(img, 6, 18, 74, 19, kHairline);
    Fill(img, 6, 19, 7, 19, kAccent);
    Box(img, 6, 4, 10, 14, kSurfaceTop, kAccent, kAccent, kAccent, 1.5);
    return img;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: SkinPainter <output folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    struct Picture {
        const char* name;
        std::function<QImage()> paint;
    };
    const Picture pictures[] = {
        { "main.bmp", PaintMainPicture },
        { "mask.bmp", PaintMainMask },
        { "captionbuttons.bmp", PaintCaptionButtons },
        { "popupwindow.bmp", PaintPopupWindow },
        { "popupmask.bmp", PaintPopupMask },
        { "menuitem.bmp", PaintMenuItems },
        { "controls.bmp", PaintControls },
        { "scrollbars.bmp", PaintScrollBars },
        { "tabs.bmp", PaintTabs },
        { "hintwindow.bmp", PaintHintWindow },
        { "checkradio.bmp", PaintCheckRadio },
        { "gauges.bmp", PaintGauges },
        { "expanel.bmp", PaintExPanel },
        { "grid.bmp", PaintGrid },
        { "mainmenubar.bmp", PaintMainMenuBar },
        { "splitter.bmp", PaintSplitter },
        { "controlbar.bmp", PaintControlBar },
        { "groupbox.bmp", PaintGroupBox },
    };
    for (const Picture& picture : pictures)
        if (!Save(picture.paint(), out, picture.name))
            return 1;
    return 0;
}
