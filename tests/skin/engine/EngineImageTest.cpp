// Nine-piece and three-piece images, stretch images, mask regions and control
// resize modes, on pictures whose every pixel names its own coordinates.
#include "BsControlGeometry.h"
#include "Bsutils.h"

#include <gtest/gtest.h>

namespace {

// Pixel (x, y) has red x and green y, so a result pixel tells where it came from.
QImage CoordinatePicture(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb(x, y, 7));
    return image;
}

QPoint SourceOf(const QImage& image, int x, int y)
{
    const QRgb c = image.pixel(x, y);
    return { qRed(c), qGreen(c) };
}

// A 12 x 12 look at (20, 10) in the picture: 4-pixel corners, 4-pixel edges and middle.
TbsNinePieceLayout Layout()
{
    TbsNinePieceLayout l;
    l.LTPoint = { 4, 4 };
    l.RTPoint = { 8, 4 };
    l.LBPoint = { 4, 8 };
    l.RBPoint = { 8, 8 };
    l.ClientRect = { 4, 4, 8, 8 };
    return l;
}
const TRect kLook(20, 10, 32, 22);

} // namespace

TEST(EngineImage, NinePieceKeepsCornersAtEverySize)
{
    const QImage picture = CoordinatePicture(40, 30);
    for (QSize size : { QSize(12, 12), QSize(20, 16), QSize(13, 31), QSize(100, 9) }) {
        const QImage image = CreateSkinImage(Layout(), picture, kLook, size.width(), size.height());
        ASSERT_EQ(image.size(), size);
        const int w = size.width(), h = size.height();
        EXPECT_EQ(SourceOf(image, 0, 0), QPoint(20, 10)) << w << "x" << h;
        EXPECT_EQ(SourceOf(image, w - 1, 0), QPoint(31, 10)) << w << "x" << h;
        EXPECT_EQ(SourceOf(image, 0, h - 1), QPoint(20, 21)) << w << "x" << h;
        EXPECT_EQ(SourceOf(image, w - 1, h - 1), QPoint(31, 21)) << w << "x" << h;
        EXPECT_EQ(SourceOf(image, w - 3, h - 2), QPoint(29, 20)) << w << "x" << h;
    }
}

TEST(EngineImage, NinePieceEdgesRepeatOrStretchPerFlag)
{
    const QImage picture = CoordinatePicture(40, 30);
    TbsNinePieceLayout l = Layout();
    // 24 x 20: the top edge spans 16 pixels (four copies), the left edge 12 rows.
    QImage repeated = CreateSkinImage(l, picture, kLook, 24, 20);
    for (int x = 4; x < 20; ++x)
        EXPECT_EQ(SourceOf(repeated, x, 1), QPoint(24 + (x - 4) % 4, 11)) << x;
    for (int y = 4; y < 16; ++y)
        EXPECT_EQ(SourceOf(repeated, 2, y), QPoint(22, 14 + (y - 4) % 4)) << y;

    l.TopStretch = l.LeftStretch = l.RightStretch = l.BottomStretch = true;
    QImage stretched = CreateSkinImage(l, picture, kLook, 24, 20);
    for (int x = 4; x < 20; ++x)
        EXPECT_EQ(SourceOf(stretched, x, 1), QPoint(24 + (x - 4) / 4, 11)) << x;
    for (int y = 4; y < 16; ++y)
        EXPECT_EQ(SourceOf(stretched, 23, y), QPoint(31, 14 + (y - 4) / 3)) << y;
    // The bottom edge sits below the grown client rect.
    EXPECT_EQ(SourceOf(stretched, 10, 18), QPoint(25, 20));
}

TEST(EngineImage, NinePieceMiddlePerStretchType)
{
    const QImage picture = CoordinatePicture(40, 30);
    struct Case {
        bool effect;
        TbsStretchType type;
        bool stretchX, stretchY;
    };
    // Client grows from 4 x 4 to 16 x 8 at size 24 x 16.
    for (Case c : { Case { false, bsstFull, false, false }, Case { true, bsstFull, true, true },
             Case { true, bsstHorz, false, true }, Case { true, bsstVert, true, false } }) {
        TbsNinePieceLayout l = Layout();
        l.StretchEffect = c.effect;
        l.StretchType = c.type;
        const QImage image = CreateSkinImage(l, picture, kLook, 24, 16);
        for (int y = 4; y < 12; ++y) {
            for (int x = 4; x < 20; ++x) {
                const int sx = 24 + (c.stretchX ? (x - 4) / 4 : (x - 4) % 4);
                const int sy = 14 + (c.stretchY ? (y - 4) / 2 : (y - 4) % 4);
                ASSERT_EQ(SourceOf(image, x, y), QPoint(sx, sy))
                    << c.effect << c.type << " at " << x << "," << y;
            }
        }
    }
}

TEST(EngineImage, NinePieceDrawsNothingWithoutExtentOrPicture)
{
    TbsNinePieceLayout l = Layout();
    l.RBPoint.setX(l.LTPoint.x());
    const QImage flat = CreateSkinImage(l, CoordinatePicture(40, 30), kLook, 20, 20);
    EXPECT_EQ(flat.pixel(0, 0), qRgb(0, 0, 0));
    const QImage none = CreateSkinImage(Layout(), QImage(), kLook, 20, 20);
    EXPECT_EQ(none.size(), QSize(20, 20));
    EXPECT_EQ(none.pixel(10, 10), qRgb(0, 0, 0));
}

TEST(EngineImage, ThreePieceImagesCutTheLastCopy)
{
    const QImage picture = CoordinatePicture(40, 30);
    // Look 10 wide: 3 left, 2 right, 5 in the middle; 16 wide leaves 11 = 5 + 5 + 1.
    const QImage h = CreateHSkinImage(3, 2, picture, TRect(5, 2, 15, 6), 16, 4, false);
    ASSERT_EQ(h.size(), QSize(16, 4));
    EXPECT_EQ(SourceOf(h, 0, 0), QPoint(5, 2));
    EXPECT_EQ(SourceOf(h, 3, 1), QPoint(8, 3));
    EXPECT_EQ(SourceOf(h, 8, 1), QPoint(8, 3));
    EXPECT_EQ(SourceOf(h, 13, 1), QPoint(8, 3));
    EXPECT_EQ(SourceOf(h, 14, 3), QPoint(13, 5));
    const QImage hs = CreateHSkinImage(3, 2, picture, TRect(5, 2, 15, 6), 13, 4, true);
    EXPECT_EQ(SourceOf(hs, 4, 0), QPoint(8, 2)); // 8 middle columns from 5: two per source
    EXPECT_EQ(SourceOf(hs, 10, 0), QPoint(12, 2));

    const QImage v = CreateVSkinImage(2, 1, picture, TRect(0, 0, 3, 6), 3, 9, false);
    ASSERT_EQ(v.size(), QSize(3, 9));
    EXPECT_EQ(SourceOf(v, 1, 2), QPoint(1, 2));
    EXPECT_EQ(SourceOf(v, 1, 6), QPoint(1, 3)); // 3-row middle repeated from row 2
    EXPECT_EQ(SourceOf(v, 1, 8), QPoint(1, 5));
}

TEST(EngineImage, StretchImageLeavesTheCentreWhenAsked)
{
    const QImage picture = CoordinatePicture(40, 30);
    const QImage with = CreateStretchImage(picture, kLook, 30, 30, true, TRect(4, 4, 8, 8));
    const QImage without = CreateStretchImage(picture, kLook, 30, 30, false, TRect(4, 4, 8, 8));
    EXPECT_EQ(SourceOf(with, 0, 0), QPoint(20, 10));
    EXPECT_EQ(SourceOf(with, 29, 29), QPoint(31, 21));
    EXPECT_EQ(SourceOf(with, 15, 15), QPoint(26, 16)); // 22 pixels from 4
    EXPECT_EQ(without.pixel(15, 15), qRgb(0, 0, 0));
    EXPECT_EQ(SourceOf(without, 15, 1), SourceOf(with, 15, 1));
}

TEST(EngineImage, RegionHoldsOneRectPerBlackRunMergedAcrossEqualRows)
{
    QImage mask(8, 4, QImage::Format_Mono);
    mask.fill(1); // index 1: white in the default mono table
    mask.setColor(0, qRgb(0, 0, 0));
    mask.setColor(1, qRgb(255, 255, 255));
    for (int y = 0; y < 4; ++y) {
        for (int x = 1; x < 3; ++x)
            mask.setPixel(x, y, 0);
        if (y < 2)
            mask.setPixel(5, y, 0);
    }
    const QRegion region = RegionFromBlackPixels(mask, QPoint(10, 0));
    EXPECT_TRUE(region.contains(QPoint(11, 3)));
    EXPECT_TRUE(region.contains(QPoint(15, 1)));
    EXPECT_FALSE(region.contains(QPoint(15, 2)));
    EXPECT_FALSE(region.contains(QPoint(13, 0)));
    EXPECT_EQ(region.rectCount(), 3); // two runs in rows 0-1, one in rows 2-3
    EXPECT_TRUE(RegionFromBlackPixels(QImage()).isEmpty());
}

TEST(EngineImage, ResizeModesAndSizes)
{
    struct Case {
        QPoint rt, lb, rb;
        TbsResizeMode mode;
        QSize size; // for a request of 100 x 50 on a 20 x 10 look
    };
    for (Case c : { Case { { 0, 0 }, { 0, 0 }, { 5, 5 }, rmBoth, { 100, 50 } },
             Case { { 15, 0 }, { 0, 0 }, { 0, 0 }, rmWidth, { 100, 10 } },
             Case { { 15, 0 }, { 0, 0 }, { 15, 0 }, rmWidth, { 100, 10 } },
             Case { { 0, 0 }, { 0, 7 }, { 0, 0 }, rmHeight, { 20, 50 } },
             Case { { 0, 0 }, { 0, 0 }, { 0, 0 }, rmFixed, { 20, 10 } } }) {
        TbsControlSkinGeom skin;
        skin.SkinRect = { 0, 0, 20, 10 };
        skin.Layout.RTPoint = c.rt;
        skin.Layout.LBPoint = c.lb;
        skin.Layout.RBPoint = c.rb;
        EXPECT_EQ(CalcResizeMode(skin), c.mode);
        EXPECT_EQ(CalcControlSize(skin, QSize(100, 50)), c.size);
    }
    EXPECT_EQ(CalcResizeMode(TbsControlSkinGeom()), rmNone);
}

TEST(EngineImage, ControlImageAndShapeFollowTheMode)
{
    const QImage picture = CoordinatePicture(40, 30);
    TbsControlSkinGeom skin;
    skin.SkinRect = { 0, 0, 10, 4 };
    skin.Layout.LTPoint = { 3, 0 };
    skin.Layout.RTPoint = { 8, 0 };
    skin.Layout.ClientRect = { 3, 0, 8, 4 };
    ASSERT_EQ(CalcResizeMode(skin), rmWidth);
    const TbsNinePieceLayout grown = CalcCurrentLayout(skin, 30, 4);
    EXPECT_EQ(grown.RTPoint, QPoint(28, 0));
    EXPECT_EQ(grown.ClientRect, TRect(3, 0, 28, 4));
    // A button's down look at (0, 20) drawn at width 30 keeps its 2-pixel right end.
    const QImage image = CreateControlSkinImage(skin, picture, TRect(0, 20, 10, 24), 30, 4);
    EXPECT_EQ(SourceOf(image, 29, 0), QPoint(9, 20));

    // The mask's black left 3 columns stay at the left; the rest is outside.
    QImage mask(10, 4, QImage::Format_RGB32);
    mask.fill(qRgb(255, 255, 255));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x)
            mask.setPixel(x, y, qRgb(0, 0, 0));
    const QRegion shape = CreateControlSkinRegion(skin, mask, 30, 4);
    EXPECT_TRUE(shape.contains(QPoint(2, 3)));
    EXPECT_FALSE(shape.contains(QPoint(20, 1)));
    EXPECT_TRUE(CreateControlSkinRegion(skin, QImage(), 30, 4).isEmpty());
}

TEST(EngineImage, MaskPixelsNoPieceCoversAreOutsideInEveryMode)
{
    // An all-black 10 x 4 mask smaller than its 16 x 8 look: whatever the mask
    // does not reach stays outside the shape, whichever way the control resizes.
    QImage mask(10, 4, QImage::Format_Mono);
    mask.setColorTable({ qRgb(0, 0, 0), qRgb(255, 255, 255) });
    mask.fill(0);
    struct Case {
        QPoint rt, lb, rb;
        QPoint inside, outside;
    };
    for (Case c : { Case { { 12, 0 }, { 0, 0 }, { 12, 6 }, { 1, 1 }, { 1, 6 } }, // nine pieces
             Case { { 12, 0 }, { 0, 0 }, { 0, 0 }, { 1, 1 }, { 1, 6 } }, // three across: rows below the mask
             Case { { 0, 0 }, { 0, 6 }, { 0, 0 }, { 1, 1 }, { 12, 1 } }, // three down: columns right of it
             Case { { 0, 0 }, { 0, 0 }, { 0, 0 }, { 1, 1 }, { 12, 6 } } }) {
        TbsControlSkinGeom skin;
        skin.SkinRect = { 0, 0, 16, 8 };
        skin.Layout.LTPoint = { 2, 2 };
        skin.Layout.RTPoint = c.rt;
        skin.Layout.LBPoint = c.lb;
        skin.Layout.RBPoint = c.rb;
        skin.Layout.ClientRect = { 2, 2, 12, 6 };
        const QRegion shape = CreateControlSkinRegion(skin, mask, 16, 8);
        EXPECT_TRUE(shape.contains(c.inside)) << CalcResizeMode(skin);
        EXPECT_FALSE(shape.contains(c.outside)) << CalcResizeMode(skin);
    }
}
