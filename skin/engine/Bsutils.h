#pragma once
// Picture helpers every skinned element builds its looks with: copying,
// stretching and repeating pieces of a skin picture, the nine-piece and
// three-piece images, and window shapes made from the black pixels of a mask.
//
// All images produced here are QImage::Format_RGB32. Source pictures of any
// format are accepted (they are converted once per call when not 32-bit).
// Stretching is nearest-neighbour, as the platform's plain stretch copy is,
// so every pixel of a result can be predicted from the source.

#include "BsTypes.h"

#include <QImage>
#include <QPoint>
#include <QRegion>

namespace bsutils {

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
// Stretches (stretch true) or repeats the piece s over d.
void StretchOrTilePiece(QImage& dest, const TRect& d, const QImage& src, const TRect& s, bool stretch);
// Fills d from the piece s the way skins fill a middle or a background:
// without stretchEffect the piece is repeated; with it bsstFull stretches it
// over d, bsstHorz stretches it to d's height at its own width and repeats that
// strip across, bsstVert stretches it to d's width at its own height and
// repeats that strip down.
void FillFromPiece(QImage& dest, const TRect& d, const QImage& src, const TRect& s, bool stretchEffect,
                   TbsStretchType stretchType);

}  // namespace bsutils

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
void DrawSkinImage(QImage& dest, const TbsNinePieceLayout& layout, const QImage& picture, const TRect& r, int w,
                   int h, bool drawClient = true);

// Three pieces across: the first leftOffset columns and the last rightOffset
// columns of r go to the ends of a w-wide image, the middle is stretched or
// repeated from the left piece's end. The image is h high; when h differs from
// r's height every piece is stretched to it.
QImage CreateHSkinImage(int leftOffset, int rightOffset, const QImage& picture, const TRect& r, int w, int h,
                        bool stretch);
// Three pieces down, the same along y (the image is w wide, h high).
QImage CreateVSkinImage(int topOffset, int bottomOffset, const QImage& picture, const TRect& r, int w, int h,
                        bool stretch);

// The nine-piece image of look r whose corner points are the corners of
// centre (relative to r), every edge and the middle stretched; the middle is
// drawn only when drawCentre.
QImage CreateStretchImage(const QImage& picture, const TRect& r, int w, int h, bool drawCentre, const TRect& centre);

// Region of the black pixels (colour value 0) of mask, one rectangle per
// horizontal run, moved by offset. Rows with the same runs are merged into one band.
QRegion RegionFromBlackPixels(const QImage& mask, QPoint offset = QPoint(0, 0));
// A control's shape from its whole mask.
QRegion CreateSkinSimplyRegion(const QImage& mask);
// A control's shape from the mask's look r cut like a nine-piece image of
// size w x h, every piece repeated (masks are never stretched).
QRegion CreateSkinRegion(const TbsNinePieceLayout& layout, const QImage& mask, const TRect& r, int w, int h);
