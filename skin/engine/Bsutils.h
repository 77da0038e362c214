#pragma once
// Picture helpers every skinned element builds its looks with: copying,
// stretching and repeating pieces of a skin picture, the nine-piece and
// three-piece images, and window shapes made from the black pixels of a mask.
//
// All images produced here are QImage::Format_RGB32 (shapes are worked out on
// Format_Grayscale8 images). Source pictures of any format are read in place,
// pixel by pixel, so a 1-bit or 8-bit picture is never widened as a whole and
// every piece of work is bounded by the size of the image it draws into.
// Stretching is nearest-neighbour, as the platform's plain stretch copy is,
// so every pixel of a result can be predicted from the source.

#include "BsTypes.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRegion>
#include <QSize>

#include <vector>

namespace bsutils {

// Reads pixels of a picture of any format as 32-bit colours (the colour
// table is taken once, not per pixel). The caller keeps x and y inside.
class PixelReader {
public:
    explicit PixelReader(const QImage& image);
    QRgb operator()(int x, int y) const;
    // The same with row y's scan line already at hand.
    QRgb At(const uchar* row, int x, int y) const;

private:
    const QImage& image_;
    QImage::Format format_;
    QList<QRgb> table_;
};
QRgb PixelAt(const QImage& image, int x, int y);
// Colour value 0; false outside the image.
bool IsBlackPixel(const QImage& image, int x, int y);

// For each destination column (or row) the source column (row) it shows, or
// -1 where nothing is drawn.
using AxisMap = std::vector<int>;
// Entries destStart.. take srcStart.. one to one (clipped to the map).
void MapFixed(AxisMap& map, int destStart, int srcStart, int length);
// Entries destStart..destEnd take the source span srcStart..srcEnd, stretched
// (nearest neighbour) or repeated so that entry i shows
// srcStart + ((i - phaseOrigin) mod span).
void MapMiddle(
    AxisMap& map, int destStart, int destEnd, int srcStart, int srcEnd, bool stretch, int phaseOrigin);
// dest(x0 + i, y0 + j) = src(columns[i], rows[j]) wherever both are inside
// src and the point inside dest. A Format_Grayscale8 dest receives 0 for black
// source pixels and 255 for every other colour.
void DrawMapped(QImage& dest, int x0, int y0, const QImage& src, const AxisMap& columns, const AxisMap& rows);

// The picture in a form the pixel loops can read directly (shares data when
// it already is 32-bit).
QImage As32Bit(const QImage& picture);

// Copies the source piece s so that its top-left lands at (x, y); clipped to
// both images.
void CopyPiece(QImage& dest, int x, int y, const QImage& src, const TRect& s);
// Stretches the source piece s over d (nearest neighbour); clipped to dest.
void StretchPiece(QImage& dest, const TRect& d, const QImage& src, const TRect& s);
// Repeats the source piece s over d starting at d's top-left, the last copies cut.
void TilePiece(QImage& dest, const TRect& d, const QImage& src, const TRect& s);
// Repeats s over d in the phase of origin: dest pixel (x, y) shows
// s.Left + ((x - origin.x) mod width(s)), s.Top + ((y - origin.y) mod height(s)).
void TilePieceFrom(QImage& dest, const TRect& d, const QImage& src, const TRect& s, QPoint origin);
// Stretches (stretch true) or repeats the piece s over d.
void StretchOrTilePiece(QImage& dest, const TRect& d, const QImage& src, const TRect& s, bool stretch);
// Fills d from the piece s the way skins fill a middle or a background:
// without stretchEffect the piece is repeated; with it bsstFull stretches it
// over d, bsstHorz stretches it to d's height at its own width and repeats that
// strip across, bsstVert stretches it to d's width at its own height and
// repeats that strip down.
void FillFromPiece(QImage& dest, const TRect& d, const QImage& src, const TRect& s, bool stretchEffect,
    TbsStretchType stretchType);

} // namespace bsutils

// How a look is cut into nine pieces: corner points and client rect relative to
// the look's top-left, which edges stretch, and how the middle is filled.
struct TbsNinePieceLayout {
    QPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClientRect;
    bool LeftStretch = false;
    bool TopStretch = false;
    bool RightStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
};

// The nine-piece image of look r of picture, sized w x h. Corners are copied,
// edges stretched or repeated per their flag, and the middle (when drawClient)
// filled per StretchEffect/StretchType. Nothing is drawn (the image stays
// black) when RB.x equals LT.x, RB.y equals LT.y, or the picture is empty.
QImage CreateSkinImage(const TbsNinePieceLayout& layout, const QImage& picture, const TRect& r, int w, int h,
    bool drawClient = true);
// Draws the same into dest (which must be 32-bit and at least w x h).
void DrawSkinImage(QImage& dest, const TbsNinePieceLayout& layout, const QImage& picture, const TRect& r,
    int w, int h, bool drawClient = true);

// Three pieces across: the first leftOffset columns and the last rightOffset
// columns of r go to the ends of a w-wide image, the middle is stretched or
// repeated from the left piece's end. The image is h high; when h differs from
// r's height every piece is stretched to it.
QImage CreateHSkinImage(
    int leftOffset, int rightOffset, const QImage& picture, const TRect& r, int w, int h, bool stretch);
// Three pieces down, the same along y (the image is w wide, h high).
QImage CreateVSkinImage(
    int topOffset, int bottomOffset, const QImage& picture, const TRect& r, int w, int h, bool stretch);
// The same drawn into image (32-bit or Grayscale8, at least w x h); pixels the
// pieces do not cover keep their colour.
void DrawHSkinImage(QImage& image, int leftOffset, int rightOffset, const QImage& picture, const TRect& r,
    int w, int h, bool stretch);
void DrawVSkinImage(QImage& image, int topOffset, int bottomOffset, const QImage& picture, const TRect& r,
    int w, int h, bool stretch);

// The nine-piece image of look r whose corner points are the corners of
// centre (relative to r), every edge and the middle stretched; the middle is
// drawn only when drawCentre.
QImage CreateStretchImage(
    const QImage& picture, const TRect& r, int w, int h, bool drawCentre, const TRect& centre);

// Runs a shape holds one by one; past this a row gives one rectangle from its
// first to its last black pixel (a real mask needs one or two runs a row).
constexpr size_t MaxRegionRuns = 1u << 18;
// Region of the black pixels (colour value 0) of mask, one rectangle per
// horizontal run, moved by offset. Rows with the same runs are merged into one
// band. A valid limit reads only the mask's top-left limit-sized part.
QRegion RegionFromBlackPixels(const QImage& mask, QPoint offset = QPoint(0, 0), QSize limit = QSize());
// A control's shape from its whole mask (or its top-left limit-sized part).
QRegion CreateSkinSimplyRegion(const QImage& mask, QSize limit = QSize());
// A control's shape from the mask's look r cut like a nine-piece image of
// size w x h, every piece repeated (masks are never stretched).
QRegion CreateSkinRegion(const TbsNinePieceLayout& layout, const QImage& mask, const TRect& r, int w, int h);
