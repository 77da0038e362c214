#pragma once
// Geometry of skinned pop-up menu windows: item heights, window size, the
// items area at a size, item layout with scrolling, where a window opens, and
// the pictures of one item with and without an item skin.

#include "BsTypes.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <vector>

// The parts of the "menuitem" skin object the geometry and pictures use.
struct TbsMenuItemSkinGeom {
    TRect SkinRect, ActiveSkinRect, DividerRect, TextRect, ImageRect;
    int ItemLeftOffset = 0, ItemRightOffset = 0, DividerLeftOffset = 0, DividerRightOffset = 0;
    bool StretchEffect = false, InActiveStretchEffect = false, DividerStretchEffect = false;
    bool InActiveTransparent = false;
    TColor FontColor = 0, ActiveFontColor = 0, UnEnabledFontColor = 0;
    TRect CheckImageRect, ActiveCheckImageRect, RadioImageRect, ActiveRadioImageRect;
    TRect ArrowImageRect, ActiveArrowImageRect;
    // With UseImageColor the built-in pictures (arrow, check mark, radio dot,
    // the system menu's pictures) take these instead of the text colour.
    bool UseImageColor = false;
    TColor ImageColor = 0, ActiveImageColor = 0;
};

// The control skin header items are drawn on ("menuheader", else "label"):
// a look repeated or stretched across between fixed ends, and the text's
// font and colour. A null picture draws the text alone.
struct TbsMenuHeaderSkin {
    QImage Picture;
    TRect SkinRect;
    int LeftOffset = 0; // fixed columns at the look's left
    int RightOffset = 0; // and at its right
    bool StretchEffect = false;
    QFont Font;
    TColor FontColor = 0;
};

// The pop-up window skin's picture size, corner points and items rect.
struct TbsPopupWindowSkinGeom {
    QSize PictureSize;
    QPoint LTPoint, RTPoint, LBPoint, RBPoint;
    TRect ItemsRect;
};

// Height of one item: the item skin's divider or look height, else 4 for a
// separator and the default height for others.
int MenuItemHeight(bool separator, const TbsMenuItemSkinGeom* itemSkin, int defaultItemHeight);
// Width of the glyph column: the image list's width + 5 with images, else 19.
int MenuGlyphWidth(bool hasImages, int imageWidth);

struct TbsMenuSizeInput {
    int MaxTextWidth = 0; // widest caption (with two spaces and short cut when it has one)
    std::vector<int> ItemHeights; // of the shown items
    bool HasImages = false;
    int ImageWidth = 0;
    int MaxMenuItemsInWindow = 0; // 0: no limit
    int DefaultItemHeight = 20;
    int WorkAreaHeight = 0;
    const TbsPopupWindowSkinGeom* WindowSkin = nullptr;
    const TbsMenuItemSkinGeom* ItemSkin = nullptr;
};
struct TbsMenuWindowSize {
    int Width = 0;
    int Height = 0;
    bool Scroll = false; // not every item fits
    bool Scroll2 = false; // the limit came from MaxMenuItemsInWindow
};
TbsMenuWindowSize CalcMenuWindowSize(const TbsMenuSizeInput& in);

// The window's items rect at size w x h (the skin's items rect grown with the
// window, or (2, 2, w - 2, h - 2) without a window skin).
TRect CalcMenuItemsRect(const TbsPopupWindowSkinGeom* windowSkin, int w, int h);

struct TbsMenuItemLayout {
    std::vector<TRect> Rects; // one per item; null outside the visible range
    std::vector<bool> Visible;
    int VisibleCount = 0;
};
// Items from visibleStart down the items rect (10-pixel scroll areas at top and
// bottom while scrolling); the first that does not fit and all after it are hidden.
TbsMenuItemLayout CalcItemRects(
    const TRect& itemsRect, const std::vector<int>& heights, bool scroll, int visibleStart);
// Start index that shows the last items (the jump to the end when wrapping upward).
int LastPageStartIndex(const TRect& itemsRect, const std::vector<int>& heights);

struct TbsMenuPlacement {
    TRect Request; // the point (as an empty rect) or the parent item's screen rect
    QSize Size;
    TRect WorkArea;
    bool SubMenu = false;
    bool Up = false;
    bool Scroll = false;
    bool Scroll2 = false;
    int ItemsRectTop = 0;
};
QPoint CalcMenuPosition(const TbsMenuPlacement& p);

// One item to draw.
struct TbsMenuItemState {
    QString Caption; // with "&" accelerators
    QString ShortCut;
    bool Separator = false;
    bool Enabled = true;
    bool Active = false; // highlighted, or its sub-menu is open
    bool Checked = false;
    bool Radio = false;
    bool HasSubItems = false;
    QImage Glyph; // the item's bitmap or its image-list picture
    QString Name; // names such as "BSF_CLOSE" get built-in pictures
};

// A header item: disabled, not a separator, its caption between two "-".
bool IsMenuHeader(const TbsMenuItemState& item);
// The caption a header item shows: without its first and last character.
QString MenuHeaderText(const QString& caption);

// Item picture drawn from an item skin (look in picture), sized w x h.
// paintBuffer, when not null, is the window background behind the item for a
// skin whose normal items are transparent. header is the skin header items
// are drawn on; without one a header item shows only its background.
QImage CreateSkinMenuItemImage(const TbsMenuItemSkinGeom& skin, const QImage& picture,
    const TbsMenuItemState& item, int w, int h, const QFont& font, int glyphWidth,
    const QImage* paintBuffer = nullptr, const TbsMenuHeaderSkin* header = nullptr);
// Item picture without a skin; a header item is button shadow with its text
// in the button highlight colour.
struct TbsDefaultMenuColors {
    QRgb BtnFace = qRgb(240, 240, 240);
    QRgb Window = qRgb(255, 255, 255);
    QRgb WindowText = qRgb(0, 0, 0);
    QRgb BtnShadow = qRgb(160, 160, 160);
    QRgb BtnHighlight = qRgb(255, 255, 255);
};
QImage CreateDefaultMenuItemImage(const TbsMenuItemState& item, int w, int h, const QFont& font,
    int glyphWidth, const TbsDefaultMenuColors& colors = {});
