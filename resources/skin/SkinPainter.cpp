// Draws every picture of the program's own skin into BMP files, so the skin
// is kept as source: this program plus the INI text (Vadar2.ini). The INI text
// is the one place where the pieces lie: each look below is drawn into the rect
// its section names (Sheet), and each picture is written under the file name
// [PICTURES] gives it. Only the pictures' sizes, colours and glyphs live here.
// The look: light grey-white surfaces, 1-pixel borders, a soft blue accent,
// rounded top corners on the frame.
//
// Usage: skin_painter <skin.ini> <output folder>
// Needs only Qt Gui's QImage and QPainter (no display, no text drawing).

#include "SkinSheet.h"

#include "Exception.h"
#include "GbkText.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <span>
#include <string>
#include <vector>

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
const QColor kAccentPressed(0xD2, 0xE2, 0xF8);
const QColor kAccentLight(0x4A, 0x8B, 0xE0);
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
// Rects are the INI text's: right and bottom just outside.
QImage NewPicture(QSize size, const QColor& fill)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

void Fill(QImage& img, const TRect& r, const QColor& c)
{
    QPainter p(&img);
    p.fillRect(r.Left, r.Top, r.Width(), r.Height(), c);
}

TRect TopRow(const TRect& r)
{
    return { r.Left, r.Top, r.Right, r.Top + 1 };
}

TRect BottomRow(const TRect& r)
{
    return { r.Left, r.Bottom - 1, r.Right, r.Bottom };
}

QPointF Centre(const TRect& r)
{
    return { r.Left + r.Width() / 2.0, r.Top + r.Height() / 2.0 };
}

// Vertical gradient over the rows of r.
void VGradient(QImage& img, const TRect& r, const QColor& top, const QColor& bottom)
{
    QPainter p(&img);
    const int h = r.Height();
    for (int y = r.Top; y < r.Bottom; ++y)
        p.fillRect(r.Left, y, r.Width(), 1, Mix(top, bottom, h > 1 ? double(y - r.Top) / (h - 1) : 0.0));
}

// A rounded box: r is filled with `back` first (what shows outside the
// rounded corners), then the box drawn inside with a 1-pixel edge.
void Box(QImage& img, const TRect& r, const QColor& back, const QColor& edge, const QColor& fillTop,
    const QColor& fillBottom, double radius = 3.0)
{
    Fill(img, r, back);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, r.Top, 0, r.Bottom);
    g.setColorAt(0, fillTop);
    g.setColorAt(1, fillBottom);
    QPainterPath path;
    path.addRoundedRect(QRectF(r.Left + 0.5, r.Top + 0.5, r.Width() - 1.0, r.Height() - 1.0), radius, radius);
    p.fillPath(path, g);
    p.setPen(QPen(edge, 1.0));
    p.drawPath(path);
}

void Pen(QPainter& p, const QColor& c, double width = 1.0)
{
    p.setPen(QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

enum Direction { Up, Down, Left, Right };

// Small chevron arrow centred on c.
void Arrow(QImage& img, QPointF c, Direction dir, const QColor& colour, double size = 3.0)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Pen(p, colour, 1.5);
    const double s = size, cx = c.x(), cy = c.y();
    QPointF a, m, b;
    switch (dir) {
    case Up:
        a = { cx - s, cy + s / 2 };
        m = { cx, cy - s / 2 };
        b = { cx + s, cy + s / 2 };
        break;
    case Down:
        a = { cx - s, cy - s / 2 };
        m = { cx, cy + s / 2 };
        b = { cx + s, cy - s / 2 };
        break;
    case Left:
        a = { cx + s / 2, cy - s };
        m = { cx - s / 2, cy };
        b = { cx + s / 2, cy + s };
        break;
    case Right:
        a = { cx - s / 2, cy - s };
        m = { cx + s / 2, cy };
        b = { cx - s / 2, cy + s };
        break;
    }
    const QPointF pts[3] = { a, m, b };
    p.drawPolyline(pts, 3);
}

// A check mark drawn from the top-left corner of its place.
void CheckMark(QImage& img, double x, double y, const QColor& c)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Pen(p, c, 1.8);
    const QPointF pts[3] = { { x + 3.5, y + 8.0 }, { x + 6.5, y + 11.0 }, { x + 12.5, y + 4.5 } };
    p.drawPolyline(pts, 3);
}

void Dot(QImage& img, QPointF centre, double r, const QColor& c)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(centre, r, r);
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

// The looks of a control in the states it is drawn in.
enum LookState { Normal, Active, Pressed, Inactive };

// ---- the window frame: main picture and mask ([FORMINFO]) ----------------
// Everything above "clientrect" is the caption band.

// Caption band colour of row y; the caption buttons repeat it behind their glyphs.
QColor CaptionRow(int y, int clientTop)
{
    if (y <= 0)
        return kFrameBorder;
    if (y <= 2)
        return kAccent; // the accent line along the top
    if (y >= clientTop - 1)
        return kHairline; // separator under the caption
    return Mix(QColor(0xFD, 0xFE, 0xFF), QColor(0xEC, 0xF0, 0xF5), double(y - 3) / (clientTop - 5));
}

// Pixels cut away at each top corner: row 0 loses 3, rows 1 and 2 lose 1.
bool OutsideTopCorner(int x, int y, int w)
{
    const int cut = y == 0 ? 3 : (y <= 2 ? 1 : 0);
    return x < cut || x >= w - cut;
}

QImage PaintMainPicture(const Sheet& sheet)
{
    const TRect client = sheet.Look("FORMINFO", "clientrect");
    const int w = sheet.Size().width(), h = sheet.Size().height();
    QImage img = NewPicture(sheet.Size(), kSurfaceBottom);
    for (int y = 0; y < client.Top; ++y)
        Fill(img, { 0, y, w, y + 1 }, CaptionRow(y, client.Top));
    // side and bottom bands
    Fill(img, { 0, client.Top, client.Left, h }, kSurfaceBottom);
    Fill(img, { client.Right, client.Top, w, h }, kSurfaceBottom);
    Fill(img, { 0, client.Bottom, w, h }, kSurfaceBottom);
    // client piece: stretched vertically by the frame, so a soft gradient reads well
    VGradient(img, client, kWhite, QColor(0xF4, 0xF6, 0xF9));
    // a hairline around the client area, then the outline
    QPainter p(&img);
    p.setPen(kHairline);
    p.drawLine(client.Left - 1, client.Top, client.Left - 1, client.Bottom);
    p.drawLine(client.Right, client.Top, client.Right, client.Bottom);
    p.drawLine(client.Left - 1, client.Bottom, client.Right, client.Bottom);
    p.setPen(kFrameBorder);
    p.drawLine(0, 3, 0, h - 1);
    p.drawLine(w - 1, 3, w - 1, h - 1);
    p.drawLine(0, h - 1, w - 1, h - 1);
    p.drawLine(3, 0, w - 4, 0);
    // the rounded top corners: outline follows the cut, the rest is outside
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < w; ++x)
            if (OutsideTopCorner(x, y, w))
                img.setPixel(x, y, kFrameBorder.rgb());
    p.end();
    for (int side = 0; side < 2; ++side) {
        auto px = [&](int x, int y, const QColor& c) { img.setPixel(side ? w - 1 - x : x, y, c.rgb()); };
        px(1, 1, kFrameBorder);
        px(2, 1, Mix(kFrameBorder, kAccent, 0.5));
        px(1, 2, kFrameBorder);
    }
    return img;
}

QImage PaintMainMask(const Sheet& sheet)
{
    QImage shape = NewPicture(sheet.Size(), Qt::black);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < shape.width(); ++x)
            if (OutsideTopCorner(x, y, shape.width()))
                shape.setPixel(x, y, qRgb(255, 255, 255));
    return ToMask(shape);
}

// ---- caption buttons ([closebutton] ... [sysmenubutton]) -------------------
// Each button in four looks: normal, active (hover), down and inactive window;
// maximize and roll up also in their restore looks. The buttons stand on the
// caption band, so their backs repeat its rows from the top of the button row.
enum class CaptionGlyph { Close, Maximize, Restore, Minimize, RollUp, RollDown, ToTray, AppMark };

struct ButtonLook {
    const char* key;
    LookState state;
};
const ButtonLook kButtonLooks[] = { { "skinrect", Normal }, { "activeskinrect", Active },
    { "downrect", Pressed }, { "inactiveskinrect", Inactive } };
const ButtonLook kRestoreLooks[] = { { "restorerect", Normal }, { "restoreactiverect", Active },
    { "restoredownrect", Pressed }, { "restoreinactiverect", Inactive } };

struct CaptionButton {
    const char* section;
    std::span<const ButtonLook> looks;
    CaptionGlyph glyph;
};
const CaptionButton kCaptionButtons[] = {
    { "closebutton", kButtonLooks, CaptionGlyph::Close },
    { "maxbutton", kButtonLooks, CaptionGlyph::Maximize },
    { "maxbutton", kRestoreLooks, CaptionGlyph::Restore },
    { "minbutton", kButtonLooks, CaptionGlyph::Minimize },
    { "rollupbutton", kButtonLooks, CaptionGlyph::RollUp },
    { "rollupbutton", kRestoreLooks, CaptionGlyph::RollDown },
    { "traybutton", kButtonLooks, CaptionGlyph::ToTray },
    { "sysmenubutton", kButtonLooks, CaptionGlyph::AppMark },
};

void PaintCaptionGlyph(QImage& img, CaptionGlyph glyph, const TRect& r, const QColor& c)
{
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    Pen(p, c, 1.2);
    const double cx = Centre(r).x(), cy = Centre(r).y();
    switch (glyph) {
    case CaptionGlyph::Close:
        p.drawLine(QPointF(cx - 4, cy - 4), QPointF(cx + 4, cy + 4));
        p.drawLine(QPointF(cx - 4, cy + 4), QPointF(cx + 4, cy - 4));
        break;
    case CaptionGlyph::Maximize:
        p.drawRect(QRectF(cx - 4.5, cy - 4.5, 9, 9));
        p.drawLine(QPointF(cx - 4.5, cy - 3.5), QPointF(cx + 4.5, cy - 3.5));
        break;
    case CaptionGlyph::Restore:
        p.drawRect(QRectF(cx - 4.5, cy - 2.5, 7, 7));
        p.drawPolyline(QPolygonF({ QPointF(cx - 2.5, cy - 2.5), QPointF(cx - 2.5, cy - 4.5),
            QPointF(cx + 4.5, cy - 4.5), QPointF(cx + 4.5, cy + 2.5), QPointF(cx + 2.5, cy + 2.5) }));
        break;
    case CaptionGlyph::Minimize:
        p.drawLine(QPointF(cx - 4.5, cy + 3.5), QPointF(cx + 4.5, cy + 3.5));
        break;
    case CaptionGlyph::RollUp:
        p.drawPolyline(QPolygonF({ QPointF(cx - 4, cy + 2), QPointF(cx, cy - 2), QPointF(cx + 4, cy + 2) }));
        p.drawLine(QPointF(cx - 4.5, cy - 4.5), QPointF(cx + 4.5, cy - 4.5));
        break;
    case CaptionGlyph::RollDown:
        p.drawPolyline(QPolygonF({ QPointF(cx - 4, cy - 2), QPointF(cx, cy + 2), QPointF(cx + 4, cy - 2) }));
        p.drawLine(QPointF(cx - 4.5, cy + 4.5), QPointF(cx + 4.5, cy + 4.5));
        break;
    case CaptionGlyph::ToTray: // an arrow into a tray line
        p.drawLine(QPointF(cx, cy - 5), QPointF(cx, cy + 1.5));
        p.drawPolyline(QPolygonF({ QPointF(cx - 3, cy - 1), QPointF(cx, cy + 2), QPointF(cx + 3, cy - 1) }));
        p.drawLine(QPointF(cx - 5, cy + 4.5), QPointF(cx + 5, cy + 4.5));
        break;
    case CaptionGlyph::AppMark:
        break;
    }
}

// The program's mark: a blue rounded square with a rising quote line.
void PaintAppMark(QImage& img, int l, int t, bool muted, bool lighter)
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

void PaintCaptionButton(
    QImage& img, const TRect& r, LookState state, CaptionGlyph glyph, int rowTop, int clientTop)
{
    for (int y = 0; y < r.Height(); ++y)
        Fill(img, TopRow(r.Offset(0, y)), CaptionRow(rowTop + y, clientTop));
    const bool lit = state == Active || state == Pressed;
    const QColor litBack = state == Active ? QColor(0xDF, 0xE5, 0xEC) : QColor(0xC9, 0xD2, 0xDD);
    if (glyph == CaptionGlyph::AppMark) {
        if (lit) {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            QPainterPath path;
            path.addRoundedRect(QRectF(r.Left + 0.5, r.Top + 0.5, r.Width() - 1, r.Height() - 1), 3, 3);
            p.fillPath(path, litBack);
        }
        PaintAppMark(img, r.Left, r.Top, state == Inactive, state == Active);
        return;
    }
    const bool close = glyph == CaptionGlyph::Close;
    QColor colour = state == Inactive ? kGlyphMuted : kGlyph;
    if (lit) {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        path.addRoundedRect(QRectF(r.Left + 1, r.Top + 1, r.Width() - 2, r.Height() - 2), 3, 3);
        p.fillPath(path, close ? (state == Active ? kCloseRed : kCloseRedDown) : litBack);
        if (close)
            colour = kWhite;
    }
    PaintCaptionGlyph(img, glyph, r, colour);
}

QImage PaintCaptionButtons(const Sheet& sheet)
{
    const SkinText& text = sheet.Text();
    const int clientTop = text.Rect("FORMINFO", "clientrect").Top;
    // The row starts at the buttons rect, or at the caption rect without one.
    const TRect buttons = text.OptionalRect("FORMINFO", "buttonsrect");
    const int rowTop = buttons.IsNull() ? text.Rect("FORMINFO", "captionrect").Top : buttons.Top;
    QImage img = NewPicture(sheet.Size(), kWhite);
    for (const CaptionButton& button : kCaptionButtons)
        for (const ButtonLook& look : button.looks)
            PaintCaptionButton(
                img, sheet.Look(button.section, look.key), look.state, button.glyph, rowTop, clientTop);
    return img;
}

// ---- pop-up menu window and its mask ([POPUPWINDOW]) ------------------------
// The whole picture is the window: white with a border; the mask rounds all
// four corners.
bool OutsideAnyCorner(int x, int y, int w, int h)
{
    auto cut = [](int d) { return d == 0 ? 3 : (d <= 2 ? 1 : 0); };
    const int c = std::max(y < 3 ? cut(y) : 0, y >= h - 3 ? cut(h - 1 - y) : 0);
    return x < c || x >= w - c;
}

QImage PaintPopupWindow(const Sheet& sheet)
{
    QImage img = NewPicture(sheet.Size(), kWhite);
    const int w = img.width(), h = img.height();
    QPainter p(&img);
    p.setPen(kBorder);
    p.drawRect(0, 0, w - 1, h - 1);
    p.end();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (OutsideAnyCorner(x, y, w, h))
                img.setPixel(x, y, kBorder.rgb());
    for (int sx : { 1, w - 2 })
        for (int sy : { 1, h - 2 })
            img.setPixel(sx, sy, kBorder.rgb());
    return img;
}

QImage PaintPopupMask(const Sheet& sheet)
{
    QImage shape = NewPicture(sheet.Size(), Qt::black);
    for (int y = 0; y < shape.height(); ++y)
        for (int x = 0; x < shape.width(); ++x)
            if (OutsideAnyCorner(x, y, shape.width(), shape.height()))
                shape.setPixel(x, y, qRgb(255, 255, 255));
    return ToMask(shape);
}

// ---- menu items ([menuitem], [mainmenubaritem]) ------------------------------
// Item looks with their check, radio and sub-menu marks; the main menu bar's
// items normal, active and down.
QImage PaintMenuItems(const Sheet& sheet)
{
    QImage img = NewPicture(sheet.Size(), kWhite);
    Fill(img, sheet.Look("menuitem", "skinrect"), kWhite);
    const TRect active = sheet.Look("menuitem", "activeskinrect");
    Box(img, active, kWhite, kAccentEdge, kAccentSoft, kAccentSoft, 3.0);
    // the active marks stand on the active item's colour, right of it
    Fill(img, { active.Right, active.Top, img.width(), active.Bottom }, kAccentSoft);
    const TRect divider = sheet.Look("menuitem", "dividerrect");
    Fill(img, divider, kWhite);
    Fill(img, TopRow(divider), QColor(0xE3, 0xE7, 0xEC));
    for (const bool lit : { false, true }) {
        const std::string prefix = lit ? "active" : "";
        const QColor c = lit ? kAccentDark : kGlyph;
        const TRect check = sheet.Look("menuitem", prefix + "checkimagerect");
        CheckMark(img, check.Left, check.Top, c);
        Dot(img, Centre(sheet.Look("menuitem", prefix + "radioimagerect")), 3.0, c);
        Arrow(img, Centre(sheet.Look("menuitem", prefix + "arrowimagerect")), Right, c, 3.5);
    }
    Fill(img, sheet.Look("mainmenubaritem", "skinrect"), kSurface);
    Box(img, sheet.Look("mainmenubaritem", "activeskinrect"), kSurface, kAccentEdge, kAccentSoft, kAccentSoft,
        3.0);
    Box(img, sheet.Look("mainmenubaritem", "downrect"), kSurface, kAccent, kAccentPressed, kAccentPressed,
        3.0);
    return img;
}

// ---- the common controls sheet -------------------------------------------
// Push and tool buttons in five looks, list-view column headers, panel, edit
// fields with their field button, combo boxes, list box and its items, up-down
// buttons, the menu header and the spin edit.
QImage PaintControls(const Sheet& sheet)
{
    QImage img = NewPicture(sheet.Size(), kSurface);
    // push buttons
    Box(img, sheet.Look("button", "skinrect"), kSurface, kBorder, kWhite, QColor(0xF0, 0xF3, 0xF7));
    Box(img, sheet.Look("button", "activeskinrect"), kSurface, QColor(0x8F, 0xB3, 0xE6),
        QColor(0xFA, 0xFC, 0xFF), kAccentSoft);
    Box(img, sheet.Look("button", "downskinrect"), kSurface, QColor(0x6E, 0x99, 0xD6),
        QColor(0xD6, 0xE3, 0xF5), QColor(0xE2, 0xEB, 0xF8));
    Box(img, sheet.Look("button", "focusedskinrect"), kSurface, kAccent, kWhite, QColor(0xF0, 0xF3, 0xF7));
    Box(img, sheet.Look("button", "disabledskinrect"), kSurface, QColor(0xD9, 0xDE, 0xE4),
        QColor(0xF6, 0xF7, 0xF9), QColor(0xF2, 0xF4, 0xF6));
    // flat tool buttons
    Fill(img, sheet.Look("toolbutton", "skinrect"), kSurface);
    Box(img, sheet.Look("toolbutton", "activeskinrect"), kSurface, kAccentEdge, kAccentSoft, kAccentSoft);
    Box(img, sheet.Look("toolbutton", "downskinrect"), kSurface, QColor(0x6E, 0x99, 0xD6), kAccentPressed,
        kAccentPressed);
    Box(img, sheet.Look("toolbutton", "focusedskinrect"), kSurface, kAccentEdge, kSurface, kSurface);
    Fill(img, sheet.Look("toolbutton", "disabledskinrect"), kSurface);
    // list-view column headers: a light bar with a bottom rule and a right divider
    const struct {
        const char* key;
        QColor top, bottom;
    } headers[] = {
        { "skinrect", kWhite, QColor(0xF2, 0xF4, 0xF7) },
        { "activeskinrect", QColor(0xF6, 0xF9, 0xFE), kAccentSoft },
        { "downskinrect", QColor(0xE4, 0xE9, 0xF0), QColor(0xDE, 0xE4, 0xEC) },
    };
    for (const auto& header : headers) {
        const TRect r = sheet.Look("resizetoolbutton", header.key);
        VGradient(img, r, header.top, header.bottom);
        Fill(img, BottomRow(r), kBorder);
        Fill(img, { r.Right - 1, r.Top + 6, r.Right, r.Bottom - 6 }, kHairline);
    }
    // panel: a soft surface with no visible border
    VGradient(img, sheet.Look("panel", "skinrect"), kSurfaceTop, kSurfaceBottom);
    // edit fields and their field button
    Box(img, sheet.Look("edit", "skinrect"), kSurface, kBorder, kWhite, kWhite, 2.5);
    Box(img, sheet.Look("edit", "activeskinrect"), kSurface, kAccent, kWhite, kWhite, 2.5);
    const TRect fieldButtons[] = { sheet.Look("buttonedit", "unenabledbuttonrect"),
        sheet.Look("buttonedit", "activebuttonrect"), sheet.Look("buttonedit", "downbuttonrect") };
    Box(img, fieldButtons[0], kWhite, kBorder, kSurfaceTop, kSurfaceBottom, 2.0);
    Box(img, fieldButtons[1], kWhite, kAccentEdge, kAccentSoft, kAccentSoft, 2.0);
    Box(img, fieldButtons[2], kWhite, kAccent, kAccentPressed, kAccentPressed, 2.0);
    for (const TRect& r : fieldButtons)
        Arrow(img, Centre(r), Down, kGlyph, 3.0);
    // combo boxes: an edit-like field with a chevron button at the right; the
    // chevrons sit half a pixel low, which reads as centred
    const QPointF chevronNudge(0, 0.5);
    const TRect combo = sheet.Look("combobox", "skinrect");
    const TRect activeCombo = sheet.Look("combobox", "activeskinrect");
    Box(img, combo, kSurface, kBorder, kWhite, kWhite, 2.5);
    Box(img, activeCombo, kSurface, kAccent, kWhite, kWhite, 2.5);
    Arrow(img, Centre(sheet.Within(combo, "combobox", "buttonrect")) + chevronNudge, Down, kGlyph, 3.0);
    Arrow(img, Centre(sheet.Within(activeCombo, "combobox", "buttonrect")) + chevronNudge, Down, kAccentDark,
        3.0);
    const TRect comboButtons[] = { sheet.Look("combobox", "activebuttonrect"),
        sheet.Look("combobox", "downbuttonrect"), sheet.Look("combobox", "unenabledbuttonrect") };
    Box(img, comboButtons[0], kWhite, kAccentEdge, kAccentSoft, kAccentSoft, 2.0);
    Box(img, comboButtons[1], kWhite, kAccent, kAccentPressed, kAccentPressed, 2.0);
    Fill(img, comboButtons[2], kWhite);
    Arrow(img, Centre(comboButtons[0]) + chevronNudge, Down, kAccentDark, 3.0);
    Arrow(img, Centre(comboButtons[1]) + chevronNudge, Down, kAccentDark, 3.0);
    Arrow(img, Centre(comboButtons[2]) + chevronNudge, Down, kGlyphMuted, 3.0);
    // the selected item of the drop-down list
    Box(img, sheet.Look("combobox", "focusitemrect"), kWhite, kAccent, kAccent, kAccent, 2.0);
    // list box frame and its items
    Box(img, sheet.Look("listbox", "skinrect"), kSurface, kBorder, kWhite, kWhite, 2.5);
    Fill(img, sheet.Look("listbox", "itemrect"), kWhite);
    Box(img, sheet.Look("listbox", "activeitemrect"), kWhite, kAccent, kAccent, kAccent, 2.5);
    Box(img, sheet.Look("listbox", "focusitemrect"), kWhite, kAccentDark, kAccentDark, kAccentDark, 2.5);
    // up-down buttons: left/right chevrons (tab scrolling); the normal looks
    // are the parts of the control's own look
    const TRect upDown = sheet.Look("updown", "skinrect");
    const struct {
        TRect left, right;
        QColor edge, fill, fillBottom;
    } upDownLooks[] = {
        { sheet.Within(upDown, "updown", "downbuttonrect"), sheet.Within(upDown, "updown", "upbuttonrect"),
            kBorder, kWhite, kSurfaceBottom },
        { sheet.Look("updown", "activedownbuttonrect"), sheet.Look("updown", "activeupbuttonrect"),
            kAccentEdge, kAccentSoft, kAccentSoft },
        { sheet.Look("updown", "downdownbuttonrect"), sheet.Look("updown", "downupbuttonrect"), kAccent,
            kAccentPressed, kAccentPressed },
    };
    for (const auto& look : upDownLooks) {
        Box(img, look.left, kSurface, look.edge, look.fill, look.fillBottom, 2.0);
        Arrow(img, Centre(look.left), Left, kGlyph, 3.0);
        Box(img, look.right, kSurface, look.edge, look.fill, look.fillBottom, 2.0);
        Arrow(img, Centre(look.right), Right, kGlyph, 3.0);
    }
    // menu header bar
    Box(img, sheet.Look("menuheader", "skinrect"), kWhite, kHairline, kSurface, kSurface, 3.0);
    // spin edit: field plus two stacked buttons, a hairline left of them
    const TRect spin = sheet.Look("spinedit", "skinrect");
    const TRect spinUp = sheet.Within(spin, "spinedit", "upbuttonrect");
    const TRect spinDown = sheet.Within(spin, "spinedit", "downbuttonrect");
    Box(img, spin, kSurface, kBorder, kWhite, kWhite, 2.5);
    Fill(img, { spinUp.Left - 1, spinUp.Top, spinUp.Left, spinDown.Bottom }, kHairline);
    Arrow(img, Centre(spinUp), Up, kGlyph, 2.5);
    Arrow(img, Centre(spinDown), Down, kGlyph, 2.5);
    const struct {
        const char* up;
        const char* down;
        QColor fill;
    } spinLooks[] = { { "activeupbuttonrect", "activedownbuttonrect", kAccentSoft },
        { "downupbuttonrect", "downdownbuttonrect", kAccentPressed } };
    for (const auto& look : spinLooks) {
        const TRect up = sheet.Look("spinedit", look.up), down = sheet.Look("spinedit", look.down);
        Fill(img, up, look.fill);
        Fill(img, down, look.fill);
        Arrow(img, Centre(up), Up, kAccentDark, 2.5);
        Arrow(img, Centre(down), Down, kAccentDark, 2.5);
    }
    return img;
}

// ---- scroll bars ([hscrollbar], [bothhscrollbar], [vscrollbar]) ------------
// Each bar with its two buttons (the one with the corner piece after it),
// the buttons' active and down looks, and three thumbs per direction.
const QColor kTrack(0xF1, 0xF3, 0xF6);

void BarButton(QImage& img, const TRect& r, Direction dir, LookState state)
{
    if (state != Normal) {
        const QColor c = state == Active ? QColor(0xE1, 0xE6, 0xEC) : QColor(0xC9, 0xD2, 0xDD);
        Box(img, r, kTrack, c, c, c, 2.0);
    }
    Arrow(img, Centre(r), dir, state == Pressed ? kAccentDark : QColor(0x6B, 0x75, 0x81), 2.5);
}

void Thumb(QImage& img, const TRect& r, const QColor& c)
{
    Fill(img, r, kTrack);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    const bool horizontal = r.Width() > r.Height();
    const QRectF grip = horizontal ? QRectF(r.Left + 1, r.Top + 4, r.Width() - 2, r.Height() - 8)
                                   : QRectF(r.Left + 4, r.Top + 1, r.Width() - 8, r.Height() - 2);
    path.addRoundedRect(grip, 3.5, 3.5);
    p.fillPath(path, c);
}

QImage PaintScrollBars(const Sheet& sheet)
{
    QImage img = NewPicture(sheet.Size(), kTrack);
    // A bar's "down" button lowers its position: left or top.
    const struct {
        const char* section;
        Direction down, up;
    } bars[]
        = { { "hscrollbar", Left, Right }, { "bothhscrollbar", Left, Right }, { "vscrollbar", Up, Down } };
    for (const auto& bar : bars) {
        const TRect skin = sheet.Look(bar.section, "skinrect");
        const TRect up = sheet.Within(skin, bar.section, "upbuttonrect");
        BarButton(img, sheet.Within(skin, bar.section, "downbuttonrect"), bar.down, Normal);
        BarButton(img, up, bar.up, Normal);
        if (up.Right < skin.Right) // the corner piece where both bars meet
            Fill(img, { up.Right, skin.Top, skin.Right, skin.Bottom }, kSurface);
    }
    for (const LookState state : { Active, Pressed }) {
        const std::string prefix = state == Active ? "active" : "down";
        for (const auto& bar : { bars[0], bars[2] }) {
            BarButton(img, sheet.Look(bar.section, prefix + "downbuttonrect"), bar.down, state);
            BarButton(img, sheet.Look(bar.section, prefix + "upbuttonrect"), bar.up, state);
        }
    }
    const struct {
        const char* key;
        QColor colour;
    } thumbs[] = { { "thumbrect", QColor(0xC2, 0xC9, 0xD2) }, { "activethumbrect", QColor(0xA6, 0xB0, 0xBC) },
        { "downthumbrect", QColor(0x8B, 0x97, 0xA5) } };
    for (const auto& thumb : thumbs) {
        Thumb(img, sheet.Look("hscrollbar", thumb.key), thumb.colour);
        Thumb(img, sheet.Look("vscrollbar", thumb.key), thumb.colour);
    }
    return img;
}

// ---- tabs ([tab]) ---------------------------------------------------------
// Tab looks normal, active and focused (open at the bottom, the chosen ones
// with an accent line), the page frame and the tab strip's back.
QImage PaintTabs(const Sheet& sheet)
{
    QImage img = NewPicture(sheet.Size(), kSurface);
    auto tab = [&](const TRect& r, const QColor& fill, bool accent) {
        Fill(img, r, kSurface);
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        path.addRoundedRect(QRectF(r.Left + 0.5, r.Top + 0.5, r.Width() - 1, r.Height() + 4), 3, 3);
        p.setClipRect(r.ToQRect());
        p.fillPath(path, fill);
        p.setPen(QPen(kBorder, 1.0));
        p.drawPath(path);
        if (accent) {
            p.setPen(Qt::NoPen);
            QPainterPath top;
            top.addRoundedRect(QRectF(r.Left + 1, r.Top + 1, r.Width() - 2, 3), 1.5, 1.5);
            p.fillPath(top, kAccent);
        }
    };
    tab(sheet.Look("tab", "tabrect"), QColor(0xE8, 0xEC, 0xF1), false);
    tab(sheet.Look("tab", "activetabrect"), kWhite, true);
    tab(sheet.Look("tab", "focustabrect"), kWhite, true);
    // the page: white, bordered 1 pixel plus 1 pixel of page colour
    const TRect page = sheet.Look("tab", "skinrect");
    Fill(img, page, kWhite);
    QPainter p(&img);
    p.setPen(kBorder);
    p.drawRect(page.Left, page.Top, page.Width() - 1, page.Height() - 1);
    p.end();
    Fill(img, sheet.Look("tab", "tabsbgrect"), kSurface);
    return img;
}

// ---- hint window ([HINTWINDOW]): the whole picture --------------------------
QImage PaintHintWindow(const Sheet& sheet)
{
    QImage img = NewPicture(sheet.Size(), kWhite);
    Box(img, { 0, 0, img.width(), img.height() }, kWhite, QColor(0xB9, 0xC2, 0xCC), QColor(0xFD, 0xFE, 0xFF),
        QColor(0xF3, 0xF6, 0xFA), 3.0);
    return img;
}

// ---- check boxes and radio buttons ([checkbox], [radiobox]) ----------------
// The control's looks, then each kind's 13 x 13 marks: unchecked and checked,
// active, disabled, and grayed (check boxes only).
QImage PaintCheckRadio(const Sheet& sheet)
{
    QImage img = NewPicture(sheet.Size(), kSurface);
    Fill(img, sheet.Look("checkbox", "skinrect"), kSurface);
    Fill(img, sheet.Look("checkbox", "activeskinrect"), QColor(0xEE, 0xF2, 0xF7));
    const struct {
        const char* key;
        bool checked, active, disabled, grayed;
    } marks[] = {
        { "uncheckimagerect", false, false, false, false },
        { "checkimagerect", true, false, false, false },
        { "activeuncheckimagerect", false, true, false, false },
        { "activecheckimagerect", true, true, false, false },
        { "unenableduncheckimagerect", false, false, true, false },
        { "unenabledcheckimagerect", true, false, true, false },
        { "grayedcheckimagerect", false, false, false, true },
        { "activegrayedcheckimagerect", false, true, false, true },
    };
    for (const char* kind : { "checkbox", "radiobox" }) {
        const bool radio = std::string_view(kind) == "radiobox";
        for (const auto& mark : marks) {
            if (radio && mark.grayed)
                continue;
            const TRect r = sheet.Look(kind, mark.key);
            const int l = r.Left, t = r.Top;
            const QColor edge = mark.disabled ? QColor(0xD3, 0xD8, 0xDE)
                                              : (mark.active ? kAccent : QColor(0x9A, 0xA5, 0xB2));
            const bool filled = mark.checked && !mark.disabled;
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(filled ? kAccent : edge, 1.0));
            p.setBrush(filled ? kAccent : (mark.disabled ? kSurface : kWhite));
            if (radio)
                p.drawEllipse(QRectF(l + 0.5, t + 0.5, 12, 12));
            else
                p.drawRoundedRect(QRectF(l + 0.5, t + 0.5, 12, 12), 2.5, 2.5);
            p.end();
            const QColor sign = mark.disabled ? kGlyphMuted : kWhite;
            if (mark.checked && !radio)
                CheckMark(img, l - 1.5, t - 1.5, sign);
            if (mark.checked && radio)
                Dot(img, QPointF(l + 6.5, t + 6.5), 2.5, sign);
            if (mark.grayed)
                Fill(img, { l + 3, t + 6, l + 10, t + 7 }, mark.active ? kAccent : kGlyph);
        }
    }
    return img;
}

// ---- gauges, track bars ([gauge], [vgauge], [trackbar], [vtrackbar]) --------
// Gauges with their progress pieces; track bars as a plain look with a groove
// along the middle, and their thumbs normal and active.
TRect Groove(const TRect& track, bool vertical)
{
    if (vertical) {
        const int x = track.Left + track.Width() / 2;
        return { x - 2, track.Top + 2, x + 2, track.Bottom - 2 };
    }
    const int y = track.Top + track.Height() / 2;
    return { track.Left + 2, y - 2, track.Right - 2, y + 2 };
}

QImage PaintGauges(const Sheet& sheet)
{
    QImage img = NewPicture(sheet.Size(), kSurface);
    const QColor trough(0xEC, 0xEF, 0xF3), groove(0xDD, 0xE2, 0xE8);
    for (const char* gauge : { "gauge", "vgauge" }) {
        Box(img, sheet.Look(gauge, "skinrect"), kSurface, kBorder, trough, trough, 3.0);
        Box(img, sheet.Look(gauge, "progressrect"), kSurface, kAccent, kAccentLight, kAccent, 2.5);
    }
    for (const char* bar : { "trackbar", "vtrackbar" }) {
        const TRect track = sheet.Look(bar, "skinrect");
        Fill(img, track, kSurface);
        Box(img, Groove(track, std::string_view(bar) == "vtrackbar"), kSurface, kBorder, groove, groove, 2.0);
        Box(img, sheet.Look(bar, "buttonrect"), kSurface, kAccentDark, kAccent, kAccent, 3.0);
        Box(img, sheet.Look(bar, "activebuttonrect"), kSurface, kAccentDark, kAccentLight, kAccentLight, 3.0);
    }
    return img;
}

// ---- expanding panel ([expanel]) -------------------------------------------
// The panel with its caption band, its rolled-up looks, and the close, roll
// and restore buttons normal, active and down.
QImage PaintExPanel(const Sheet& sheet)
{
    QImage img = NewPicture(sheet.Size(), kSurface);
    const QColor bandTop(0xF7, 0xF9, 0xFC), bandBottom(0xEC, 0xF0, 0xF5);
    const TRect panel = sheet.Look("expanel", "skinrect");
    const TRect caption = sheet.Within(panel, "expanel", "captionrect");
    Box(img, panel, kSurface, kBorder, kWhite, kWhite, 3.0);
    VGradient(img, { panel.Left + 1, caption.Top, panel.Right - 1, caption.Bottom }, bandTop, bandBottom);
    Fill(img, { panel.Left + 1, caption.Bottom, panel.Right - 1, caption.Bottom + 1 }, kHairline);
    Box(img, sheet.Look("expanel", "rollhskinrect"), kSurface, kBorder, bandTop, bandBottom, 3.0);
    Box(img, sheet.Look("expanel", "rollvskinrect"), kSurface, kBorder, bandTop, bandBottom, 3.0);
    const struct {
        const char* suffix;
        LookState state;
    } looks[] = { { "rect", Normal }, { "activerect", Active }, { "downrect", Pressed } };
    for (const auto& look : looks) {
        for (const char* button : { "closebutton", "hrollbutton", "hrestorebutton" }) {
            const TRect r = sheet.Look("expanel", std::string(button) + look.suffix);
            if (look.state != Normal) {
                const QColor fill = look.state == Active ? kAccentSoft : kAccentPressed;
                Box(img, r, kSurface, kAccentEdge, fill, fill, 2.0);
            }
            const std::string_view name(button);
            if (name == "closebutton") {
                QPainter p(&img);
                p.setRenderHint(QPainter::Antialiasing);
                Pen(p, kGlyph, 1.2);
                p.drawLine(QPointF(r.Left + 4, r.Top + 4), QPointF(r.Right - 4, r.Bottom - 4));
                p.drawLine(QPointF(r.Left + 4, r.Bottom - 4), QPointF(r.Right - 4, r.Top + 4));
            } else {
                Arrow(img, Centre(r), name == "hrollbutton" ? Up : Down, kGlyph, 3.0);
            }
        }
    }
    return img;
}

// ---- grid cells ([grid]): fixed, selected and focused ------------------------
QImage PaintGrid(const Sheet& sheet)
{
    QImage img = NewPicture(sheet.Size(), kWhite);
    const TRect fixed = sheet.Look("grid", "fixedcellrect");
    VGradient(img, fixed, kWhite, QColor(0xF0, 0xF3, 0xF7));
    Fill(img, BottomRow(fixed), kBorder);
    Fill(img, { fixed.Right - 1, fixed.Top, fixed.Right, fixed.Bottom }, kHairline);
    Fill(img, sheet.Look("grid", "selectcellrect"), kAccentSoft);
    Box(img, sheet.Look("grid", "focuscellrect"), kWhite, kAccent, kAccentSoft, kAccentSoft, 1.0);
    return img;
}

// ---- main menu bar ([mainmenubar]) -------------------------------------------
QImage PaintMainMenuBar(const Sheet& sheet)
{
    QImage img = NewPicture(sheet.Size(), kSurface);
    const TRect bar = sheet.Look("mainmenubar", "skinrect");
    VGradient(img, bar, kSurfaceTop, kSurface);
    Fill(img, BottomRow(bar), kHairline);
    return img;
}

// ---- splitters ([splitter], [vsplitter]) --------------------------------
// Plain surface for the bars; grips of four dots along their middle.
QImage PaintSplitter(const Sheet& sheet)
{
    QImage img = NewPicture(sheet.Size(), kSurface);
    Fill(img, sheet.Look("splitter", "skinrect"), kSurface);
    Fill(img, sheet.Look("vsplitter", "skinrect"), kSurface);
    const TRect grip = sheet.Look("splitter", "gripperrect");
    const TRect vgrip = sheet.Look("vsplitter", "gripperrect");
    for (int i = 0; i < 4; ++i) {
        Dot(img, QPointF(grip.Left + 2 + i * 4, Centre(grip).y()), 0.9, kGlyphMuted);
        Dot(img, QPointF(Centre(vgrip).x(), vgrip.Top + 2 + i * 4), 0.9, kGlyphMuted);
    }
    return img;
}

// ---- control bar ([controlbar]): bar, band and grips of five dots -----------
QImage PaintControlBar(const Sheet& sheet)
{
    QImage img = NewPicture(sheet.Size(), kSurface);
    VGradient(img, sheet.Look("controlbar", "skinrect"), kSurfaceTop, kSurfaceBottom);
    Box(img, sheet.Look("controlbar", "itemrect"), kSurface, kHairline, kWhite, kSurfaceTop, 3.0);
    const TRect hgrip = sheet.Look("controlbar", "hgriprect");
    const TRect vgrip = sheet.Look("controlbar", "vgriprect");
    for (int i = 0; i < 5; ++i) {
        Dot(img, QPointF(Centre(hgrip).x(), hgrip.Top + 4 + i * 4), 0.9, kGlyphMuted);
        Dot(img, QPointF(vgrip.Left + 4 + i * 4, Centre(vgrip).y()), 0.9, kGlyphMuted);
    }
    return img;
}

// ---- group box ([groupbox]) -----------------------------------------------
// A box with an accent marker before its caption and a rule under it.
QImage PaintGroupBox(const Sheet& sheet)
{
    QImage img = NewPicture(sheet.Size(), kSurface);
    const TRect box = sheet.Look("groupbox", "skinrect");
    const TRect caption = sheet.Within(box, "groupbox", "captionrect");
    const TRect marker { caption.Left - 8, caption.Top + 2, caption.Left - 4, caption.Bottom - 3 };
    Box(img, box, kSurface, kHairline, kSurfaceTop, kSurface, 4.0);
    Fill(img, { marker.Left, caption.Bottom + 1, caption.Right, caption.Bottom + 2 }, kHairline);
    Box(img, marker, kSurfaceTop, kAccent, kAccent, kAccent, 1.5);
    return img;
}

// Each picture with its size and where the INI text names it: a frame picture
// by its [PICTURES] key, a library picture by the index key of a section that
// lies in it.
struct Painting {
    const char* section;
    const char* key;
    QSize size;
    QImage (*paint)(const Sheet&);
};
const Painting kPaintings[] = {
    { "PICTURES", "picture", { 429, 330 }, PaintMainPicture },
    { "PICTURES", "mask", { 429, 330 }, PaintMainMask },
    { "closebutton", "activepictureindex", { 202, 80 }, PaintCaptionButtons },
    { "POPUPWINDOW", "windowpictureindex", { 182, 224 }, PaintPopupWindow },
    { "POPUPWINDOW", "maskpictureindex", { 182, 224 }, PaintPopupMask },
    { "menuitem", "activepictureindex", { 111, 104 }, PaintMenuItems },
    { "button", "pictureindex", { 320, 224 }, PaintControls },
    { "hscrollbar", "pictureindex", { 144, 112 }, PaintScrollBars },
    { "tab", "pictureindex", { 108, 64 }, PaintTabs },
    { "HINTWINDOW", "windowpictureindex", { 60, 30 }, PaintHintWindow },
    { "checkbox", "pictureindex", { 112, 70 }, PaintCheckRadio },
    { "gauge", "pictureindex", { 140, 72 }, PaintGauges },
    { "expanel", "pictureindex", { 108, 126 }, PaintExPanel },
    { "grid", "pictureindex", { 40, 60 }, PaintGrid },
    { "mainmenubar", "pictureindex", { 80, 20 }, PaintMainMenuBar },
    { "splitter", "pictureindex", { 48, 40 }, PaintSplitter },
    { "controlbar", "pictureindex", { 80, 66 }, PaintControlBar },
    { "groupbox", "pictureindex", { 80, 60 }, PaintGroupBox },
};

void Save(const QImage& img, const std::string& folder, const std::string& file)
{
    const QString path = QString::fromLocal8Bit(folder + '/' + file);
    if (!img.save(path, "BMP"))
        throw Exception("cannot write " + folder + '/' + file);
}

// Draws every picture the INI text names, each once, into the folder.
void PaintSkin(const SkinText& text, const std::string& folder)
{
    const std::vector<std::string>& library = text.LibraryFiles();
    std::vector<bool> painted(library.size(), false);
    for (const Painting& painting : kPaintings) {
        int picture = SkinText::FramePicture;
        std::string file;
        if (std::string_view(painting.section) == "PICTURES") {
            file = text.FrameFile(painting.key);
        } else {
            picture = text.PictureIndex(painting.section, painting.key);
            file = library[picture];
            if (painted[picture])
                throw Exception(file + " is drawn twice");
            painted[picture] = true;
        }
        Save(painting.paint(Sheet(text, picture, file, painting.size)), folder, file);
    }
    for (std::size_t i = 0; i < library.size(); ++i)
        if (!painted[i])
            throw Exception(
                "nothing draws " + library[i] + ", picture " + std::to_string(i) + " of [PICTURES]");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: skin_painter <skin.ini> <output folder>\n");
        return 2;
    }
    try {
        PaintSkin(SkinText(argv[1]), argv[2]);
    } catch (const Exception& e) {
        // Messages are GBK program text; the terminal takes the locale's encoding.
        std::fprintf(
            stderr, "skin_painter: %s: %s\n", argv[1], GbkToQString(e.Message()).toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
