// Window frame geometry with a skin carrying the main window's figures: a
// 429 x 330 frame picture with client rect 4,29,425,326, caption 7,5,423,27 and
// a mask with rounded top corners around the mask area 3,3,426,327.
#include "BsFrameGeometry.h"

#include <gtest/gtest.h>

namespace {

TbsFrameSkin MainWindowSkin()
{
    TbsFrameSkin s;
    s.PictureSize = { 429, 330 };
    s.ClientRect = { 4, 29, 425, 326 };
    s.LTPoint = s.HitTestLTPoint = { 60, 29 };
    s.RTPoint = s.HitTestRTPoint = { 370, 29 };
    s.LBPoint = s.HitTestLBPoint = { 60, 326 };
    s.RBPoint = s.HitTestRBPoint = { 370, 326 };
    s.CaptionRect = { 7, 5, 423, 27 };
    s.MaskRectArea = { 3, 3, 426, 327 };
    s.BorderWidth = 3;
    return s;
}

// Black inside, white outside; the top corners cut 3, 2 and 1 pixels deep.
QImage RoundedMask()
{
    QImage mask(429, 330, QImage::Format_RGB32);
    mask.fill(qRgb(0, 0, 0));
    for (int y = 0; y < 3; ++y)
        for (int i = 0; i < 3 - y; ++i) {
            mask.setPixel(i, y, qRgb(255, 255, 255));
            mask.setPixel(428 - i, y, qRgb(255, 255, 255));
        }
    return mask;
}

// Frame picture whose pixel names its own column and row (low bytes).
QImage CoordinatePicture()
{
    QImage image(429, 330, QImage::Format_RGB32);
    for (int y = 0; y < 330; ++y)
        for (int x = 0; x < 429; ++x)
            image.setPixel(x, y, qRgb(x & 0xFF, y & 0xFF, x >> 8));
    return image;
}
int SourceX(const QImage& image, int x, int y)
{
    return qRed(image.pixel(x, y)) | (qBlue(image.pixel(x, y)) << 8);
}

} // namespace

TEST(EngineFrame, MainWindowMeasures314By333AtItsClientSize)
{
    const TbsFrameSkin skin = MainWindowSkin();
    const TbsFrameMargins m = SkinFrameMargins(skin);
    EXPECT_EQ(m.Left, 4);
    EXPECT_EQ(m.Top, 29);
    EXPECT_EQ(m.Right, 4);
    EXPECT_EQ(m.Bottom, 4);
    EXPECT_EQ(m.WindowSize(QSize(306, 300)), QSize(314, 333));
    const TbsFrameGeometry g = CalcRects(skin, 314, 333);
    EXPECT_EQ(g.NewClientRect, TRect(4, 29, 310, 329));
    EXPECT_EQ(g.NewCaptionRect, TRect(7, 5, 308, 27));
    EXPECT_EQ(g.NewRBPoint, QPoint(255, 329));
    EXPECT_EQ(DefaultFrameMargins(false).WindowSize(QSize(306, 300)), QSize(312, 325));
    EXPECT_EQ(DefaultFrameMargins(true).Top, 18);
}

TEST(EngineFrame, CaptionObjectGrowsWithTheWidth)
{
    const TbsFrameSkin skin = MainWindowSkin();
    for (int width : { 314, 429, 800 }) {
        const TbsFrameGeometry g = CalcRects(skin, width, 333);
        EXPECT_EQ(CalcRealObjectRect(skin, g, TRect(7, 5, 423, 27)), TRect(7, 5, 423 + width - 429, 27));
    }
    const TbsFrameGeometry g = CalcRects(skin, 500, 400); // dx 71, dy 70
    struct Case {
        TRect in, out;
    };
    for (Case c : { Case { { 5, 5, 20, 20 }, { 5, 5, 20, 20 } }, // left-top area: stays
             Case { { 380, 5, 400, 20 }, { 451, 5, 471, 20 } }, // right-top: moves right
             Case { { 5, 327, 20, 329 }, { 5, 397, 20, 399 } }, // left-bottom: moves down
             Case { { 380, 327, 400, 329 }, { 451, 397, 471, 399 } },
             Case { { 5, 5, 400, 329 }, { 5, 5, 471, 399 } }, // left-top to right-bottom: grows
             Case { { 5, 5, 20, 329 }, { 5, 5, 20, 399 } }, // left-top to left-bottom: taller
             Case { { 380, 5, 400, 329 }, { 451, 5, 471, 399 } },
             Case { { 100, 100, 200, 200 }, { 100, 100, 200, 200 } } }) {
        EXPECT_EQ(CalcRealObjectRect(skin, g, c.in), c.out) << c.in.Left << "," << c.in.Top;
    }
}

TEST(EngineFrame, BandImagesCopyCornersAndRepeatOrStretchTheMiddle)
{
    TbsFrameSkin skin = MainWindowSkin();
    const QImage picture = CoordinatePicture();
    const TbsBorderImages bands = CreateSkinBorderImages(skin, picture, 314, 333);
    EXPECT_EQ(bands.Top.size(), QSize(314, 29));
    EXPECT_EQ(bands.Bottom.size(), QSize(314, 4));
    EXPECT_EQ(bands.Left.size(), QSize(4, 300));
    EXPECT_EQ(bands.Right.size(), QSize(4, 300));
    EXPECT_EQ(SourceX(bands.Top, 10, 3), 10);
    EXPECT_EQ(SourceX(bands.Top, 313, 3), 428); // right piece moved by dx = -115
    EXPECT_EQ(SourceX(bands.Top, 255, 3), 370);
    EXPECT_EQ(qGreen(bands.Bottom.pixel(5, 3)), 329 & 0xFF);
    EXPECT_EQ(qGreen(bands.Left.pixel(0, 0)), 29);
    EXPECT_EQ(qGreen(bands.Left.pixel(0, 299)), 31); // 297-row middle repeated from row 29
    EXPECT_EQ(SourceX(bands.Right, 3, 10), 428);

    // At 1000 wide the 310-column middle repeats in the band's own phase:
    // x shows column 60 + (x mod 310), so x = 375 shows 125.
    const TbsBorderImages wide = CreateSkinBorderImages(skin, picture, 1000, 333);
    EXPECT_EQ(SourceX(wide.Top, 375, 0), 125);
    EXPECT_EQ(SourceX(wide.Bottom, 375, 0), 125);
    EXPECT_EQ(SourceX(wide.Top, 999, 0), 428);
    skin.TopStretch = true;
    const TbsBorderImages stretched = CreateSkinBorderImages(skin, picture, 1000, 333);
    EXPECT_EQ(SourceX(stretched.Top, 375, 0), 60 + (375 - 60) * 310 / 881);

    // A skin whose top band has no middle gets no top band.
    skin.RTPoint = skin.LTPoint;
    EXPECT_TRUE(CreateSkinBorderImages(skin, picture, 314, 333).Top.isNull());
}

TEST(EngineFrame, RepeatedBandsTakeTheirPhaseFromTheBandOrigin)
{
    // Top and bottom middles: x shows "lefttoppoint".x + (x mod m); left and
    // right middles repeat from the band's top, so row y shows
    // "lefttoppoint".y + (y mod m) even below a fixed top piece.
    TbsFrameSkin skin = MainWindowSkin();
    skin.LTPoint = { 50, 40 };
    skin.RTPoint = { 380, 40 };
    const QImage picture = CoordinatePicture();
    const TbsBorderImages bands = CreateSkinBorderImages(skin, picture, 800, 360);
    struct Case {
        const QImage* band;
        int x, y, sourceX, sourceY;
    };
    // Middles: 330 columns (50..380) on top, 310 (60..370) at the bottom, 286
    // rows (40..326) down the sides below 11 fixed rows.
    for (const Case& c : { Case { &bands.Top, 60, 0, 110, 0 }, Case { &bands.Top, 400, 0, 120, 0 },
             Case { &bands.Bottom, 400, 0, 150, 326 }, Case { &bands.Left, 0, 5, 0, 34 },
             Case { &bands.Left, 0, 297, 0, 51 }, Case { &bands.Right, 0, 297, 425, 51 } }) {
        EXPECT_EQ(SourceX(*c.band, c.x, c.y), c.sourceX) << c.x << "," << c.y;
        EXPECT_EQ(qGreen(c.band->pixel(c.x, c.y)), c.sourceY & 0xFF) << c.x << "," << c.y;
    }
}

TEST(EngineFrame, ShapeHasRoundedTopCorners)
{
    const TbsFrameSkin skin = MainWindowSkin();
    const TbsFrameGeometry g = CalcRects(skin, 314, 333);
    const TbsFrameShape shape(skin, g, RoundedMask());
    ASSERT_FALSE(shape.IsEmpty());
    const QRegion region = shape.Region();
    for (QPoint outside : { QPoint(0, 0), QPoint(2, 0), QPoint(1, 1), QPoint(0, 2), QPoint(313, 0),
             QPoint(311, 0), QPoint(313, 2) }) {
        EXPECT_FALSE(region.contains(outside)) << outside.x() << "," << outside.y();
        EXPECT_FALSE(shape.Contains(outside));
    }
    for (QPoint inside : { QPoint(3, 0), QPoint(2, 1), QPoint(310, 0), QPoint(0, 3), QPoint(0, 332),
             QPoint(313, 332), QPoint(150, 150), QPoint(313, 100) }) {
        EXPECT_TRUE(region.contains(inside)) << inside.x() << "," << inside.y();
        EXPECT_TRUE(shape.Contains(inside));
    }
    EXPECT_EQ(region.boundingRect(), QRect(0, 0, 314, 333));
    EXPECT_TRUE(TbsFrameShape(skin, g, QImage()).IsEmpty());
}

TEST(EngineFrame, HitCodesWithTheSkin)
{
    const TbsFrameSkin skin = MainWindowSkin();
    const TbsFrameGeometry g = CalcRects(skin, 314, 333);
    const TbsFrameShape masked(skin, g, RoundedMask());
    const std::vector<TRect> captions = { CalcRealObjectRect(skin, g, TRect(7, 5, 423, 27)) };
    TbsHitTestState sizeable;
    sizeable.Sizeable = true;
    struct Case {
        QPoint p;
        int sizeableCode, singleCode;
    };
    for (const TbsFrameShape& shape : { masked, TbsFrameShape() }) {
        for (Case c :
            { Case { { 1, 1 }, htTopLeft, htFrameObject }, Case { { 312, 1 }, htTopRight, htFrameObject },
                Case { { 1, 331 }, htBottomLeft, htFrameObject },
                Case { { 312, 331 }, htBottomRight, htFrameObject },
                Case { { 150, 1 }, htTop, htFrameObject }, Case { { 150, 331 }, htBottom, htFrameObject },
                Case { { 1, 100 }, htLeft, htFrameObject }, Case { { 312, 100 }, htRight, htFrameObject },
                Case { { 150, 15 }, htCaption, htCaption }, Case { { 150, 200 }, htClient, htClient },
                Case { { 150, 28 }, htFrameObject, htFrameObject } }) {
            EXPECT_EQ(NewNCHitTest(c.p, skin, g, shape, captions, sizeable), c.sizeableCode)
                << c.p.x() << "," << c.p.y() << " mask " << !shape.IsEmpty();
            EXPECT_EQ(NewNCHitTest(c.p, skin, g, shape, captions, TbsHitTestState()), c.singleCode)
                << c.p.x() << "," << c.p.y();
        }
    }
    TbsHitTestState state = sizeable;
    state.Maximized = true;
    EXPECT_EQ(NewNCHitTest({ 1, 100 }, skin, g, masked, captions, state), htFrameObject);
    state = sizeable;
    state.RolledUp = true;
    EXPECT_EQ(NewNCHitTest({ 150, 200 }, skin, g, masked, captions, state), htFrameObject);
    EXPECT_EQ(NewNCHitTest({ 150, 15 }, skin, g, masked, captions, state), htCaption);
    state = sizeable;
    state.ObjectUnderMouse = true;
    EXPECT_EQ(NewNCHitTest({ 1, 100 }, skin, g, masked, captions, state), htFrameObject);
    EXPECT_EQ(NewNCHitTest({ 150, 15 }, skin, g, masked, captions, state), htCaption);
}

TEST(EngineFrame, HitCodesWithoutASkin)
{
    TbsHitTestState sizeable;
    sizeable.Sizeable = true;
    const std::vector<TRect> buttons = { { 290, 5, 307, 20 } };
    struct Case {
        QPoint p;
        int sizeableCode, singleCode;
    };
    for (Case c :
        { Case { { 0, 0 }, htTopLeft, htFrameObject }, Case { { 313, 0 }, htTopRight, htFrameObject },
            Case { { 0, 332 }, htBottomLeft, htFrameObject },
            Case { { 313, 332 }, htBottomRight, htFrameObject }, Case { { 1, 100 }, htLeft, htFrameObject },
            Case { { 312, 100 }, htRight, htFrameObject }, Case { { 100, 1 }, htTop, htFrameObject },
            Case { { 100, 331 }, htBottom, htFrameObject }, Case { { 100, 10 }, htCaption, htCaption },
            Case { { 295, 10 }, htFrameObject, htFrameObject }, Case { { 100, 100 }, htClient, htClient } }) {
        EXPECT_EQ(DefaultNCHitTest(c.p, 314, 333, false, buttons, sizeable), c.sizeableCode)
            << c.p.x() << "," << c.p.y();
        EXPECT_EQ(DefaultNCHitTest(c.p, 314, 333, false, buttons, TbsHitTestState()), c.singleCode)
            << c.p.x() << "," << c.p.y();
    }
}

TEST(EngineFrame, CaptionButtonRowFromTheRight)
{
    TbsFrameSkin skin = MainWindowSkin();
    skin.ButtonsOffset = 2;
    const TbsFrameGeometry g = CalcRects(skin, 314, 333);
    // List order differs from the row order: close first, then maximize, minimize.
    const std::vector<TbsCaptionButtonSlot> buttons = { { cmMinimize, true, { 16, 14 } },
        { cmClose, true, { 18, 14 } }, { cmMaximize, false, { 16, 14 } }, { cmSysMenu, true, { 16, 16 } },
        { cmDefault, true, { 10, 14 } } };
    const TbsCaptionButtonRow row = CalcCaptionButtonRow(skin, g, buttons);
    ASSERT_TRUE(row.HasRow);
    EXPECT_EQ(row.Rects[1], TRect(290, 5, 308, 19));
    EXPECT_EQ(row.Rects[0], TRect(272, 5, 288, 19));
    EXPECT_TRUE(row.Rects[2].IsNull());
    EXPECT_EQ(row.Rects[4], TRect(260, 5, 270, 19));
    EXPECT_EQ(row.CaptionRight, 260);
    EXPECT_EQ(row.Rects[3], TRect(7, 8, 23, 24)); // centred in the 22-high caption rect
    EXPECT_EQ(row.CaptionLeft, 23);

    // With no button placed the caption still ends one offset past the final x.
    const TbsCaptionButtonRow none = CalcCaptionButtonRow(skin, g, { { cmClose, false, { 18, 14 } } });
    EXPECT_EQ(none.CaptionRight, 425 + g.DX);

    skin.CaptionRect = TRect();
    EXPECT_FALSE(CalcCaptionButtonRow(skin, CalcRects(skin, 314, 333), buttons).HasRow);
}

TEST(EngineFrame, ButtonsRectInTheLeftHalfLaysOutFromTheLeft)
{
    TbsFrameSkin skin = MainWindowSkin();
    skin.ButtonsRect = { 10, 6, 100, 20 };
    const TbsFrameGeometry g = CalcRects(skin, 314, 333);
    EXPECT_TRUE(g.ButtonsFromLeft);
    const TbsCaptionButtonRow row
        = CalcCaptionButtonRow(skin, g, { { cmClose, true, { 16, 14 } }, { cmMinimize, true, { 16, 14 } } });
    EXPECT_EQ(row.Rects[0], TRect(10, 6, 26, 20));
    EXPECT_EQ(row.Rects[1], TRect(26, 6, 42, 20));
    EXPECT_FALSE(row.CaptionLeft.has_value()); // a buttons rect leaves the caption alone

    skin.ButtonsRect = { 300, 6, 420, 20 };
    const TbsFrameGeometry right = CalcRects(skin, 314, 333);
    EXPECT_FALSE(right.ButtonsFromLeft);
    EXPECT_EQ(right.NewButtonsRect, TRect(185, 6, 305, 20));
}

TEST(EngineFrame, ClientBackgroundStretchesOrRepeatsThePiece)
{
    QImage picture(4, 2, QImage::Format_RGB32);
    for (int x = 0; x < 4; ++x) {
        picture.setPixel(x, 0, qRgb(x, 0, 0));
        picture.setPixel(x, 1, qRgb(x, 1, 0));
    }
    const QImage vert = CreateClientBackground(picture, TRect(0, 0, 4, 2), true, bsstVert, 8, 6, 0);
    EXPECT_EQ(vert.pixel(7, 5), qRgb(3, 1, 0)); // stretched across, repeated down
    EXPECT_EQ(vert.pixel(7, 4), qRgb(3, 0, 0));
    const QImage tiled = CreateClientBackground(picture, TRect(0, 0, 4, 2), false, bsstFull, 8, 6, 0);
    EXPECT_EQ(tiled.pixel(5, 3), qRgb(1, 1, 0));
    const QImage none = CreateClientBackground(picture, TRect(), false, bsstFull, 8, 6, qRgb(9, 9, 9));
    EXPECT_EQ(none.pixel(3, 3), qRgb(9, 9, 9));
}

TEST(EngineFrame, ObjectLookByState)
{
    TbsObjectLookState s;
    s.HasActiveRect = true;
    EXPECT_EQ(ChooseObjectLook(s), TbsObjectLook::Normal);
    s.RefreshOnly = true;
    EXPECT_EQ(ChooseObjectLook(s), TbsObjectLook::None);
    s.Active = true;
    EXPECT_EQ(ChooseObjectLook(s), TbsObjectLook::Active);
    s.Morphing = true;
    s.MorphKf = 0.4;
    EXPECT_EQ(ChooseObjectLook(s), TbsObjectLook::Morph);
    s.HasActiveRect = false; // an active picture out of range never morphs
    EXPECT_EQ(ChooseObjectLook(s), TbsObjectLook::None);
    s.WindowActive = false;
    s.HasInactiveRect = true;
    EXPECT_EQ(ChooseObjectLook(s), TbsObjectLook::Inactive);
    s.Enabled = false;
    EXPECT_EQ(ChooseObjectLook(s), TbsObjectLook::None);
}
