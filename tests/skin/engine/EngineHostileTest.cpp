// Skin figures far outside their pictures: the bridges clip them, and what is
// built from them stays the size of the window or control it is built for.
#include "BsSkinDataGeometry.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

QImage Picture(int w, int h, QImage::Format format)
{
    QImage image(w, h, format);
    if (format == QImage::Format_Mono)
        image.setColorTable({ qRgb(0, 0, 0), qRgb(255, 255, 255) });
    image.fill(0);
    return image;
}

} // namespace

TEST(EngineHostile, FrameFiguresAreClippedToTheMainPicture)
{
    TbsSkinData data;
    data.Picture = Picture(40, 30, QImage::Format_RGB32);
    data.LTPoint = { INT_MAX, INT_MAX };
    data.RTPoint = { INT_MAX - 1, 5 };
    data.RBPoint = { INT_MAX, INT_MAX };
    data.ClRect = { 4, INT_MAX - 10, 20000, INT_MAX }; // a huge top band
    data.CaptionRect = { 5, 2, INT_MAX, 9 };
    data.ButtonsOffset = INT_MAX;
    const TbsFrameSkin skin = FrameSkinOf(data);
    EXPECT_EQ(skin.LTPoint, QPoint(40, 30));
    EXPECT_EQ(skin.ClientRect, TRect(4, 30, 40, 30));
    EXPECT_EQ(skin.CaptionRect, TRect(5, 2, 40, 9));
    EXPECT_EQ(skin.ButtonsOffset, 40);

    const TbsFrameGeometry g = CalcRects(skin, 4096, 4096);
    EXPECT_EQ(g.NewRBPoint, QPoint(40 + 4056, 30 + 4066));
    const TbsBorderImages bands = CreateSkinBorderImages(skin, data.Picture, 4096, 4096);
    EXPECT_LE(bands.Top.height(), 30);
    const TbsCaptionButtonRow row
        = CalcCaptionButtonRow(skin, g, { { cmClose, true, { INT_MAX, INT_MAX } } });
    EXPECT_TRUE(row.HasRow);
}

TEST(EngineHostile, PicturesNeverOutgrowTheirTarget)
{
    // A 20000 x 20000 look on a picture that large: the control gets no more
    // than its own size, in each mode; the mask shape likewise.
    const QImage picture = Picture(20000, 20000, QImage::Format_Mono);
    TbsDataSkinPanelControl panel("panel");
    panel.SkinRect = { 0, 0, 20000, 20000 };
    struct Case {
        QPoint rt, lb, rb;
        QSize maxSize;
    };
    for (Case c :
        { Case { {}, {}, {}, { 64, 48 } }, Case { { 10, 0 }, {}, {}, { 64, 48 } },
            Case { {}, { 0, 10 }, {}, { 64, 48 } }, Case { { 10, 0 }, { 0, 10 }, { 10, 10 }, { 64, 48 } } }) {
        panel.RTPoint = c.rt;
        panel.LBPoint = c.lb;
        panel.RBPoint = c.rb;
        const TbsControlSkinGeom geom = ControlSkinGeomOf(panel, &picture);
        const QImage image = CreateControlSkinImage(geom, picture, geom.SkinRect, 64, 48);
        EXPECT_LE(image.width(), c.maxSize.width()) << CalcResizeMode(geom);
        EXPECT_LE(image.height(), c.maxSize.height()) << CalcResizeMode(geom);
        EXPECT_LE(CreateControlSkinRegion(geom, picture, 64, 48).boundingRect().bottom(), 47);
    }
    // Rects outside a small picture shrink to it.
    const QImage small = Picture(10, 10, QImage::Format_RGB32);
    EXPECT_EQ(ControlSkinGeomOf(panel, &small).SkinRect, TRect(0, 0, 10, 10));
}

TEST(EngineHostile, NoisyMasksGiveBoundedRegions)
{
    // A checkerboard has one run per black pixel; past the run limit rows
    // fall back to one run each, so the region stays bounded.
    QImage mask(2048, 1024, QImage::Format_Grayscale8);
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            mask.scanLine(y)[x] = (x + y) % 2 ? 255 : 0;
    const QRegion region = RegionFromBlackPixels(mask);
    EXPECT_LE(static_cast<size_t>(region.rectCount()), MaxRegionRuns + static_cast<size_t>(mask.height()));
    EXPECT_TRUE(region.contains(QPoint(0, 0)));
    EXPECT_FALSE(region.contains(QPoint(1, 0))); // rows before the limit keep their runs
}

TEST(EngineHostile, BandsAndStripsTallerThanTheWindowKeepTheirVisibleEnd)
{
    // A 2000-row frame on a 40 x 50 window: the top band keeps its first 50
    // rows, the bottom mask strip its last 50 (it ends at the window's bottom).
    TbsFrameSkin skin;
    skin.PictureSize = { 40, 2000 };
    skin.ClientRect = { 2, 1500, 38, 1900 };
    skin.MaskRectArea = { 2, 2, 38, 1900 };
    skin.LTPoint = { 2, 1500 };
    skin.RTPoint = { 38, 1500 };
    skin.LBPoint = { 2, 1900 };
    skin.RBPoint = { 38, 1900 };
    QImage picture(40, 2000, QImage::Format_RGB32);
    for (int y = 0; y < 2000; ++y)
        for (int x = 0; x < 40; ++x)
            picture.setPixel(x, y, qRgb(x, y & 0xFF, y >> 8));
    const TbsBorderImages bands = CreateSkinBorderImages(skin, picture, 40, 50);
    ASSERT_EQ(bands.Top.size(), QSize(40, 50));
    EXPECT_EQ(qGreen(bands.Top.pixel(5, 49)), 49);
    ASSERT_EQ(bands.Bottom.size(), QSize(40, 50));
    EXPECT_EQ(qGreen(bands.Bottom.pixel(5, 49)) | (qBlue(bands.Bottom.pixel(5, 49)) << 8), 1999);

    QImage mask(40, 2000, QImage::Format_Mono);
    mask.setColorTable({ qRgb(0, 0, 0), qRgb(255, 255, 255) });
    mask.fill(0);
    mask.setPixel(0, 1999, 1); // the shape's bottom-left corner is cut
    const TbsFrameShape shape(skin, CalcRects(skin, 40, 50), mask);
    EXPECT_FALSE(shape.Contains({ 0, 49 }));
    EXPECT_TRUE(shape.Contains({ 1, 49 }));
    EXPECT_FALSE(shape.Region().contains(QPoint(0, 49)));
    EXPECT_TRUE(shape.Region().contains(QPoint(1, 49)));
}
