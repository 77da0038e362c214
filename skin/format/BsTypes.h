#pragma once
// The skin engine's shared vocabulary: rectangles with exclusive right and
// bottom edges (as every figure in a skin's INI text is written), colours as
// 0x00BBGGRR values, and the enumerations a skin's values name.

#include <QColor>
#include <QPoint>
#include <QRect>

#include <climits>
#include <cstdint>

// A rectangle as skins write it: "left,top,right,bottom" with right and bottom
// just outside the rectangle, so Width() is Right - Left. Kept apart from QRect,
// whose right() is inclusive, so the skin arithmetic reads as it is written.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    constexpr TRect() = default;
    constexpr TRect(int left, int top, int right, int bottom)
        : Left(left)
        , Top(top)
        , Right(right)
        , Bottom(bottom)
    {
    }

    // Sums are worked out in 64 bits and clamped to int: a skin's figures may
    // lie anywhere in int's range, and a wrapped sum would turn a far-away
    // piece into a near one.
    static constexpr int Saturate(long long value)
    {
        return value > INT_MAX ? INT_MAX : value < INT_MIN ? INT_MIN : static_cast<int>(value);
    }

    constexpr int Width() const { return Saturate(static_cast<long long>(Right) - Left); }
    constexpr int Height() const { return Saturate(static_cast<long long>(Bottom) - Top); }
    // The rect with all four values 0 means "this piece is absent".
    constexpr bool IsNull() const { return Left == 0 && Top == 0 && Right == 0 && Bottom == 0; }
    constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    constexpr bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    constexpr bool Contains(QPoint p) const { return Contains(p.x(), p.y()); }
    constexpr TRect Offset(int dx, int dy) const
    {
        return { Saturate(static_cast<long long>(Left) + dx), Saturate(static_cast<long long>(Top) + dy),
            Saturate(static_cast<long long>(Right) + dx), Saturate(static_cast<long long>(Bottom) + dy) };
    }
    constexpr bool operator==(const TRect&) const = default;

    QRect ToQRect() const { return QRect(Left, Top, Width(), Height()); }
    static TRect FromQRect(const QRect& r) { return { r.x(), r.y(), r.x() + r.width(), r.y() + r.height() }; }
};

// A colour as skins write it: 0x00BBGGRR (red in the low byte). A value with
// the top bit set, 0x80000000 + n, names system colour n.
using TColor = std::uint32_t;
constexpr TColor SystemColorFlag = 0x80000000u;

// System colour numbers used as defaults by the skin readers.
enum TSystemColor : std::uint32_t {
    clScrollBar = SystemColorFlag | 0,
    clBackground = SystemColorFlag | 1,
    clActiveCaption = SystemColorFlag | 2,
    clInactiveCaption = SystemColorFlag | 3,
    clMenu = SystemColorFlag | 4,
    clWindow = SystemColorFlag | 5,
    clWindowFrame = SystemColorFlag | 6,
    clMenuText = SystemColorFlag | 7,
    clWindowText = SystemColorFlag | 8,
    clCaptionText = SystemColorFlag | 9,
    clActiveBorder = SystemColorFlag | 10,
    clInactiveBorder = SystemColorFlag | 11,
    clAppWorkSpace = SystemColorFlag | 12,
    clHighlight = SystemColorFlag | 13,
    clHighlightText = SystemColorFlag | 14,
    clBtnFace = SystemColorFlag | 15,
    clBtnShadow = SystemColorFlag | 16,
    clGrayText = SystemColorFlag | 17,
    clBtnText = SystemColorFlag | 18,
    clInactiveCaptionText = SystemColorFlag | 19,
    clBtnHighlight = SystemColorFlag | 20,
    cl3DDkShadow = SystemColorFlag | 21,
    cl3DLight = SystemColorFlag | 22,
    clInfoText = SystemColorFlag | 23,
    clInfoBk = SystemColorFlag | 24,
};

constexpr TColor RGBColor(int r, int g, int b)
{
    return static_cast<TColor>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(TColor c)
{
    return static_cast<int>(c & 0xFF);
}
constexpr int GetGValue(TColor c)
{
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int GetBValue(TColor c)
{
    return static_cast<int>((c >> 16) & 0xFF);
}

// The colour to paint with. System colours get fixed light-theme values: skins
// name them only as defaults, and the engine's built-in looks are drawn in them.
inline QColor ToQColor(TColor c)
{
    if (c & SystemColorFlag) {
        switch (c) {
        case clHighlight:
            return QColor(0, 120, 215);
        case clHighlightText:
        case clWindow:
        case clBtnHighlight:
            return QColor(255, 255, 255);
        case clBtnFace:
        case clMenu:
            return QColor(240, 240, 240);
        case clBtnShadow:
        case clGrayText:
            return QColor(160, 160, 160);
        default:
            return QColor(0, 0, 0);
        }
    }
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Text alignment ("taleftjustify", "tarightjustify", "tacenter").
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Font style set ("fsbold,fsitalic" ...), as bits.
enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

// How a picture piece is stretched ("stfull", "sthorz", "stvert").
enum TbsStretchType { bsstFull, bsstHorz, bsstVert };

// How a look fades into another.
enum TbsMorphKind {
    mkDefault,
    mkGradient,
    mkLeftGradient,
    mkRightGradient,
    mkLeftSlide,
    mkRightSlide,
    mkPush
};

// How the inactive frame is derived from the active one.
enum TbsInActiveEffect { ieBrightness, ieDarkness, ieGrayScale, ieNoise, ieSplitBlur, ieInvert };

// The command of a caption button.
enum TbsStdCommand { cmClose, cmMaximize, cmMinimize, cmSysMenu, cmDefault, cmRollUp, cmMinimizeToTray };
