#pragma once
// Geometry and pictures of a skinned window frame: where the frame's pieces go
// at the window's current size, the four band images, where frame objects and
// caption buttons sit, the window shape cut from the mask, the client
// background, hit codes, and the built-in frame drawn without a skin.
// Everything works on values and images, so the window only feeds it sizes
// and draws the results.

#include "BsTypes.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QSize>
#include <QString>

#include <optional>
#include <vector>

// The window-frame values of a skin (its frame keys after the reader's
// corrections) and the size of its main picture.
struct TbsFrameSkin {
    QSize PictureSize; // Pw x Ph
    QPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ClientRect, CaptionRect, ButtonsRect, MaskRectArea;
    QPoint HitTestLTPoint, HitTestRTPoint, HitTestLBPoint, HitTestRBPoint;
    bool LeftStretch = false;
    bool RightStretch = false;
    bool TopStretch = false;
    bool BottomStretch = false;
    bool StretchEffect = false;
    TbsStretchType StretchType = bsstFull;
    int ButtonsOffset = 0;
    bool ButtonsInLeft = false;
    int BorderWidth = 0;
    bool AutoRenderingInActiveImage = false;
    TbsInActiveEffect InActiveEffect = ieBrightness;
    int FormMinWidth = 0;
};

// The frame's pieces at window size Width x Height.
struct TbsFrameGeometry {
    int Width = 0;
    int Height = 0;
    int DX = 0; // Width - Pw
    int DY = 0; // Height - Ph
    QPoint NewLTPoint, NewRTPoint, NewLBPoint, NewRBPoint;
    TRect NewClientRect, NewCaptionRect, NewButtonsRect, NewMaskRectArea;
    QPoint NewHitTestLTPoint, NewHitTestRTPoint, NewHitTestLBPoint, NewHitTestRBPoint;
    bool ButtonsFromLeft = false; // caption buttons laid out from the left edge
};

TbsFrameGeometry CalcRects(const TbsFrameSkin& skin, int width, int height);

// The frame's thickness on each side (client rect = window rect shrunk by these).
struct TbsFrameMargins {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    QSize WindowSize(QSize client) const
    {
        return { client.width() + Left + Right, client.height() + Top + Bottom };
    }
    TRect ClientRect(int width, int height) const { return { Left, Top, width - Right, height - Bottom }; }
};

// Caption height of the built-in frame: 19, or 15 for tool windows.
int DefaultCaptionHeight(bool toolWindow);
TbsFrameMargins SkinFrameMargins(const TbsFrameSkin& skin);
// Without a skin: 3-pixel borders, and the caption below the top border.
TbsFrameMargins DefaultFrameMargins(bool toolWindow);

// The four band images of the frame at window size w x h, cut from picture
// (the main or inactive frame picture). A band with no extent stays null.
struct TbsBorderImages {
    QImage Top, Bottom, Left, Right;
};
TbsBorderImages CreateSkinBorderImages(const TbsFrameSkin& skin, const QImage& picture, int w, int h);

// Where an object whose normal look lies on the main picture (rect r) is drawn
// at the current size: it follows the corner area it lies in, or grows
// between the areas its corners fall in.
TRect CalcRealObjectRect(const TbsFrameSkin& skin, const TbsFrameGeometry& g, const TRect& r);

// One caption button that takes part in the row (its look is in a library picture).
struct TbsCaptionButtonSlot {
    TbsStdCommand Command = cmDefault;
    bool Visible = true;
    QSize Size; // its "skinrect" size
};
struct TbsCaptionButtonRow {
    bool HasRow = false;
    std::vector<TRect> Rects; // one per slot; null for a slot not placed
    std::optional<int> CaptionLeft; // new left edge of the caption object, when the row moves it
    std::optional<int> CaptionRight; // new right edge of the caption object, when the row moves it
};
TbsCaptionButtonRow CalcCaptionButtonRow(
    const TbsFrameSkin& skin, const TbsFrameGeometry& g, const std::vector<TbsCaptionButtonSlot>& buttons);

// The window shape: the mask cut into four strips around the mask area, each
// strip repeated (never stretched) to the current size. The strips are
// Format_Grayscale8 images, 0 where the shape is and 255 elsewhere.
class TbsFrameShape {
public:
    TbsFrameShape() = default;
    // An empty mask gives an empty shape (the window keeps no region).
    TbsFrameShape(const TbsFrameSkin& skin, const TbsFrameGeometry& g, const QImage& mask);

    bool IsEmpty() const { return !hasMask_; }
    // The union of the new mask area and the black pixels of the strips.
    QRegion Region() const;
    // Inside when in the new mask area or on a black pixel of the matching strip.
    bool Contains(QPoint p) const;

    const QImage& TopStrip() const { return top_; }
    const QImage& BottomStrip() const { return bottom_; }
    const QImage& LeftStrip() const { return left_; }
    const QImage& RightStrip() const { return right_; }

private:
    bool hasMask_ = false;
    TRect area_; // the new mask area
    int bottomY_ = 0; // where the bottom strip starts
    int rightX_ = 0; // where the right strip starts
    int width_ = 0;
    int height_ = 0;
    QImage top_, bottom_, left_, right_;
};

// The client background at client size w x h. tile is the main picture's
// client piece (or the whole background picture); without one the button
// face colour fills it.
QImage CreateClientBackground(const QImage& picture, const TRect& tile, bool stretchEffect,
    TbsStretchType stretchType, int w, int h, QRgb buttonFace);

// Hit codes answered to the window manager.
enum TbsHitCode {
    htClient = 1,
    htCaption = 2,
    htLeft = 10,
    htRight = 11,
    htTop = 12,
    htTopLeft = 13,
    htTopRight = 14,
    htBottom = 15,
    htBottomLeft = 16,
    htBottomRight = 17,
    htFrameObject = 19, // the frame's own objects react through the mouse messages
};

struct TbsHitTestState {
    bool RolledUp = false;
    bool Minimized = false;
    bool Maximized = false;
    bool Sizeable = false; // sizeable border style, or AlwaysResize
    bool ObjectUnderMouse = false;
    bool Dragging = false;
};

// Hit code of window point p with a skin. captionRects are the caption
// objects' rects; shape may be empty (no mask).
TbsHitCode NewNCHitTest(QPoint p, const TbsFrameSkin& skin, const TbsFrameGeometry& g,
    const TbsFrameShape& shape, const std::vector<TRect>& captionRects, const TbsHitTestState& state);

// Hit code of window point p of a w x h window drawn with the built-in frame.
// buttonRects are the default caption buttons (frame objects, code 19).
TbsHitCode DefaultNCHitTest(QPoint p, int w, int h, bool toolWindow, const std::vector<TRect>& buttonRects,
    const TbsHitTestState& state);

// Which look a frame object shows (the drawing rule of frame objects).
enum class TbsObjectLook { None, Normal, Active, Inactive, Morph };
struct TbsObjectLookState {
    bool WindowActive = true;
    bool Enabled = true;
    bool Active = false; // mouse over it (caption object: window active)
    bool HasActiveRect = false; // an active look exists in a valid library picture
    bool HasInactiveRect = false;
    double MorphKf = 0;
    bool Morphing = false; // morphing enabled for this object
    bool RefreshOnly = false; // the frame image already shows the normal look
};
TbsObjectLook ChooseObjectLook(const TbsObjectLookState& s);

// Colours of the built-in frame (classic desktop values by default).
struct TbsDefaultFrameColors {
    QRgb Light3D = qRgb(227, 227, 227);
    QRgb DarkShadow3D = qRgb(105, 105, 105);
    QRgb BtnHighlight = qRgb(255, 255, 255);
    QRgb BtnShadow = qRgb(160, 160, 160);
    QRgb BtnFace = qRgb(240, 240, 240);
    QRgb BtnText = qRgb(0, 0, 0);
};

// Rects of the six default caption buttons (close, maximize, minimize,
// roll-up, tray on the right, system menu on the left), in that order; a
// button not wanted gets a null rect.
struct TbsDefaultButtonWish {
    TbsStdCommand Command;
    bool Visible;
};
std::vector<TRect> DefaultCaptionButtonRects(
    int w, bool toolWindow, const std::vector<TbsDefaultButtonWish>& wishes);

// Draws the built-in frame of a w x h window into image (client area left
// untouched): raised 3-pixel border, striped caption bar, the caption text and
// the default buttons' glyphs.
void DrawDefaultFrame(QImage& image, const QString& caption, const QFont& font, bool active, bool toolWindow,
    const std::vector<TbsDefaultButtonWish>& buttons, const TbsDefaultFrameColors& colors = {});
// Draws one built-in caption button glyph into rect.
void DrawDefaultButtonGlyph(QImage& image, const TRect& rect, TbsStdCommand command, bool active, bool down,
    const TbsDefaultFrameColors& colors = {});
