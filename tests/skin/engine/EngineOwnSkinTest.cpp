// The engine's geometry fed with the program's own skin through the bridges
// from the skin data: the figures every window of the program is laid out by.
// A change to the skin's INI text or pictures that moves one of these figures
// shows up here before it shows up on screen.
#include "BsSkinDataGeometry.h"
#include "BsWindowStates.h"
#include "OwnSkinFixture.h"
#include "SkinCtrlDM.h"

#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <stdexcept>
#include <string>

namespace {

class EngineOwnSkin : public OwnSkinFixture {
protected:
    static TRect CaptionSkinRect()
    {
        const int index = Skin().GetIndex("caption");
        if (index < 0)
            throw std::runtime_error("no caption object");
        return Skin().ObjectList[index]->SkinRect;
    }

    // The main window: sizeable, buttons hidden (none of the skin's buttons
    // has its look in the main picture, so none takes part in the row).
    struct MainWindow {
        TbsFrameSkin skin;
        TbsFrameGeometry g;
        TbsFrameShape shape;
        TRect caption;
        int Hit(int x, int y) const
        {
            TbsHitTestState state;
            state.Sizeable = true;
            return NewNCHitTest({ x, y }, skin, g, shape, { caption }, state);
        }
    };
    static MainWindow Main(int w, int h)
    {
        MainWindow m { FrameSkinOf(Skin()), {}, {}, {} };
        m.g = CalcRects(m.skin, w, h);
        m.shape = TbsFrameShape(m.skin, m.g, Skin().Mask);
        m.caption = CalcRealObjectRect(m.skin, m.g, CaptionSkinRect());
        return m;
    }
};

} // namespace

TEST_F(EngineOwnSkin, MainWindowAtClient306By300Measures314By333)
{
    ASSERT_TRUE(IsSkinLoaded(&Skin()));
    const TbsFrameSkin skin = FrameSkinOf(Skin());
    const TbsFrameMargins m = SkinFrameMargins(skin);
    EXPECT_EQ(m.Top, 29);
    EXPECT_EQ(m.Left, 4);
    EXPECT_EQ(m.Right, 4);
    EXPECT_EQ(m.Bottom, 4);
    ASSERT_EQ(m.WindowSize({ 306, 300 }), QSize(314, 333));

    const TbsFrameGeometry g = CalcRects(skin, 314, 333);
    EXPECT_EQ(g.NewClientRect, TRect(4, 29, 310, 329));
    EXPECT_EQ(g.NewClientRect, m.ClientRect(314, 333));
    const TbsBorderImages bands = CreateSkinBorderImages(skin, Skin().Picture, 314, 333);
    EXPECT_EQ(bands.Top.size(), QSize(314, 29));
    EXPECT_EQ(bands.Bottom.size(), QSize(314, 4));
    EXPECT_EQ(bands.Left.size(), QSize(4, 300));
    EXPECT_EQ(bands.Right.size(), QSize(4, 300));
}

TEST_F(EngineOwnSkin, ShapeHasRoundedTopCornersAndSquareBottomOnes)
{
    for (const QSize size : { QSize(314, 333), QSize(700, 500) }) {
        const MainWindow m = Main(size.width(), size.height());
        ASSERT_FALSE(m.shape.IsEmpty());
        const int r = size.width() - 1, b = size.height() - 1;
        const QRegion region = m.shape.Region();
        for (const QPoint corner : { QPoint(0, 0), QPoint(r, 0) }) {
            EXPECT_FALSE(m.shape.Contains(corner)) << corner.x() << "," << corner.y();
            EXPECT_FALSE(region.contains(corner)) << corner.x() << "," << corner.y();
        }
        for (const QPoint inside : { QPoint(size.width() / 2, 0), QPoint(0, b), QPoint(r, b),
                 QPoint(0, size.height() / 2), QPoint(r, size.height() / 2), QPoint(size.width() / 2, b) }) {
            EXPECT_TRUE(m.shape.Contains(inside)) << inside.x() << "," << inside.y();
            EXPECT_TRUE(region.contains(inside)) << inside.x() << "," << inside.y();
        }
        // The shape covers the whole window below the rounded corners.
        EXPECT_EQ(region.boundingRect(), QRect(0, 0, size.width(), size.height()));
    }
}

TEST_F(EngineOwnSkin, CaptionObjectGrowsWithTheWidth)
{
    EXPECT_EQ(CaptionSkinRect(), TRect(7, 5, 423, 27));
    EXPECT_EQ(Main(314, 333).caption, TRect(7, 5, 308, 27));
    EXPECT_EQ(Main(514, 333).caption, TRect(7, 5, 508, 27));
    EXPECT_EQ(Main(514, 600).caption, TRect(7, 5, 508, 27)); // height leaves it alone
}

TEST_F(EngineOwnSkin, HitCodesAroundTheMainWindow)
{
    const MainWindow m = Main(314, 333);
    EXPECT_EQ(m.Hit(0, 0), htTopLeft);
    EXPECT_EQ(m.Hit(313, 0), htTopRight);
    EXPECT_EQ(m.Hit(0, 332), htBottomLeft);
    EXPECT_EQ(m.Hit(313, 332), htBottomRight);
    EXPECT_EQ(m.Hit(150, 1), htTop);
    EXPECT_EQ(m.Hit(150, 331), htBottom);
    EXPECT_EQ(m.Hit(1, 150), htLeft);
    EXPECT_EQ(m.Hit(312, 150), htRight);
    EXPECT_EQ(m.Hit(150, 15), htCaption);
    EXPECT_EQ(m.Hit(150, 150), htClient);
    EXPECT_EQ(m.Hit(4, 29), htClient);
    EXPECT_EQ(m.Hit(5, 15), htFrameObject); // frame left of the caption object
    EXPECT_EQ(m.Hit(310, 15), htFrameObject); // frame right of it, inside the mask area
    EXPECT_EQ(m.Hit(311, 15), htRight); // the 3-pixel mask strip sizes the window

    // Not sizeable (the option dialog's single border): no border codes.
    TbsHitTestState fixed;
    EXPECT_EQ(NewNCHitTest({ 0, 150 }, m.skin, m.g, m.shape, { m.caption }, fixed), htFrameObject);
    EXPECT_EQ(NewNCHitTest({ 150, 15 }, m.skin, m.g, m.shape, { m.caption }, fixed), htCaption);
    TbsHitTestState rolled;
    rolled.Sizeable = rolled.RolledUp = true;
    EXPECT_EQ(NewNCHitTest({ 0, 0 }, m.skin, m.g, m.shape, { m.caption }, rolled), htFrameObject);
}

TEST_F(EngineOwnSkin, MinimumSizeIs200By33)
{
    const TbsFrameSkin skin = FrameSkinOf(Skin());
    TbsSizeLimitsInput in;
    in.Skinned = true;
    in.PictureSize = skin.PictureSize;
    in.ClientRect = skin.ClientRect;
    in.FormMinWidth = skin.FormMinWidth;
    EXPECT_EQ(GetMinWidth(in), 200);
    EXPECT_EQ(GetMinHeight(in), 33);
    in.MinHeight = 100;
    EXPECT_EQ(GetMinHeight(in), 100);
    in.RolledUp = true; // the option dialog rolled up keeps only its frame
    EXPECT_EQ(GetMinHeight(in), 33);
}

TEST_F(EngineOwnSkin, MenusAre70WiderThanTheirTextAnd6TallerThanTheirItems)
{
    const std::optional<TbsPopupWindowSkinGeom> window = PopupWindowSkinGeomOf(&Skin());
    const TbsDataSkinMenuItem* itemData = FindMenuItemSkin(&Skin());
    ASSERT_TRUE(window);
    ASSERT_NE(itemData, nullptr);
    const TbsMenuItemSkinGeom item = MenuItemSkinGeomOf(*itemData);

    auto size = [&](int items, int separators, int textWidth) {
        TbsMenuSizeInput in;
        in.MaxTextWidth = textWidth;
        in.ItemHeights.assign(items, MenuItemHeight(false, &item, 20));
        in.ItemHeights.insert(in.ItemHeights.end(), separators, MenuItemHeight(true, &item, 20));
        in.WorkAreaHeight = 1040;
        in.WindowSkin = &*window;
        in.ItemSkin = &item;
        return CalcMenuWindowSize(in);
    };
    const TbsMenuWindowSize main = size(5, 0, 83);
    EXPECT_EQ(main.Height, 106);
    EXPECT_EQ(main.Width, 83 + 70);
    EXPECT_FALSE(main.Scroll);
    EXPECT_EQ(size(5, 0, 140).Width, 140 + 70);
    EXPECT_EQ(size(4, 1, 83).Height, 4 * 20 + 2 + 6);

    // The sub-menu opened from the main menu's second item.
    const TbsMenuWindowSize sub = size(3, 0, 60);
    EXPECT_EQ(sub.Height, 66);
    const TRect parentItems = CalcMenuItemsRect(&*window, main.Width, main.Height);
    const TbsMenuItemLayout parentLayout = CalcItemRects(parentItems, std::vector<int>(5, 20), false, 0);
    const QPoint parentAt(400, 300);
    const TRect parentItem = parentLayout.Rects[1].Offset(parentAt.x(), parentAt.y());
    TbsMenuPlacement p;
    p.Request = parentItem;
    p.Size = { sub.Width, sub.Height };
    p.WorkArea = { 0, 0, 1920, 1040 };
    p.SubMenu = true;
    p.ItemsRectTop = CalcMenuItemsRect(&*window, sub.Width, sub.Height).Top;
    const QPoint at = CalcMenuPosition(p);
    EXPECT_EQ(at.x(), parentItem.Right + 1);
    const TbsMenuItemLayout subLayout = CalcItemRects(
        CalcMenuItemsRect(&*window, sub.Width, sub.Height), std::vector<int>(3, 20), false, 0);
    EXPECT_EQ(at.y() + subLayout.Rects[0].Top, parentItem.Top);
    EXPECT_EQ(subLayout.VisibleCount, 3);
}

TEST_F(EngineOwnSkin, ListBoxOfFiveRowsIs99High)
{
    const auto& list = Control<TbsDataSkinListBox>("listbox");
    const int itemHeight = ListBoxItemHeight(true, true, list.ItemRect.Height(), 20);
    EXPECT_EQ(itemHeight, 19);
    TbsListBoxRowsInput in;
    in.Skinned = true;
    in.SkinRectHeight = list.SkinRect.Height();
    in.ClientRectHeight = list.ClRect.Height();
    in.ItemHeight = itemHeight;
    EXPECT_EQ(ListBoxHeightForRows(in, 5), 99);
    // Its look is a nine-piece image: the list box takes any size.
    EXPECT_EQ(CalcResizeMode(ControlSkinGeomOf(list)), rmBoth);
}

TEST_F(EngineOwnSkin, ScrollBarsResizeAlongTheirLengthOnly)
{
    const auto& vData = Control<TbsDataSkinScrollBarControl>("vscrollbar");
    const auto& hData = Control<TbsDataSkinScrollBarControl>("hscrollbar");
    EXPECT_EQ(CalcResizeMode(ControlSkinGeomOf(vData)), rmHeight);
    EXPECT_EQ(CalcResizeMode(ControlSkinGeomOf(hData)), rmWidth);
    EXPECT_EQ(CalcControlSize(ControlSkinGeomOf(vData), { 40, 214 }), QSize(15, 214));
    EXPECT_EQ(CalcControlSize(ControlSkinGeomOf(hData), { 160, 40 }), QSize(160, 15));

    const TbsScrollBarSkinGeom v = ScrollBarSkinGeomOf(vData);
    TbsScrollRange range; // 0..100, no page: the thumb keeps its look's 30 pixels
    range.Position = 50;
    TbsScrollBarRects r = CalcSkinScrollBarRects(v, true, 15, 100, range);
    EXPECT_EQ(r.DownButton, TRect(0, 0, 15, 15));
    EXPECT_EQ(r.UpButton, TRect(0, 85, 15, 100));
    EXPECT_EQ(r.Track, TRect(0, 15, 15, 85));
    EXPECT_EQ(r.Thumb, TRect(0, 35, 15, 65));
    range = { 0, 99, 20, 60 }; // a page of 60 of 100: 42 of the 70-pixel track, halfway
    r = CalcSkinScrollBarRects(v, true, 15, 100, range);
    EXPECT_EQ(r.Thumb, TRect(0, 29, 15, 71));
    range.Position = 40;
    EXPECT_EQ(CalcSkinScrollBarRects(v, true, 15, 100, range).Thumb, TRect(0, 43, 15, 85));
    range.PageSize = 5; // a small page never shrinks the thumb below its look
    EXPECT_EQ(CalcSkinScrollBarRects(v, true, 15, 100, range).Thumb.Height(), 30);

    const TbsScrollBarSkinGeom h = ScrollBarSkinGeomOf(hData);
    r = CalcSkinScrollBarRects(h, false, 200, 15, { 0, 100, 100, 0 });
    EXPECT_EQ(r.DownButton, TRect(0, 0, 15, 15));
    EXPECT_EQ(r.UpButton, TRect(185, 0, 200, 15));
    EXPECT_EQ(r.Track, TRect(15, 0, 185, 15));
    EXPECT_EQ(r.Thumb, TRect(155, 0, 185, 15));
}

TEST_F(EngineOwnSkin, BridgesAnswerNothingWithoutALoadedSkin)
{
    EXPECT_FALSE(IsSkinLoaded(nullptr));
    TbsSkinData empty;
    EXPECT_FALSE(IsSkinLoaded(&empty));
    EXPECT_FALSE(PopupWindowSkinGeomOf(&empty));
    EXPECT_EQ(FindMenuItemSkin(&empty), nullptr);
    EXPECT_FALSE(MenuHeaderSkinOf(&empty));
    EXPECT_FALSE(PopupWindowSkinGeomOf(nullptr));
    EXPECT_FALSE(MenuHeaderSkinOf(nullptr));
}

TEST_F(EngineOwnSkin, HeaderItemsUseTheMenuHeaderSkinElseTheLabel)
{
    const std::optional<TbsMenuHeaderSkin> header = MenuHeaderSkinOf(&Skin());
    ASSERT_TRUE(header);
    EXPECT_EQ(header->SkinRect, TRect(232, 106, 272, 124));
    EXPECT_EQ(header->LeftOffset, 4);
    EXPECT_EQ(header->RightOffset, 4);
    EXPECT_TRUE(header->StretchEffect);
    ASSERT_FALSE(header->Picture.isNull());
    EXPECT_TRUE(header->Picture.rect().contains(header->SkinRect.ToQRect()));
    EXPECT_EQ(header->Font.family(), QStringLiteral("Arial"));
    EXPECT_EQ(header->Font.pixelSize(), 13);
    EXPECT_TRUE(header->Font.bold());
    EXPECT_EQ(header->FontColor, 7365722u);

    // A copy of the skin to take entries away from.
    TbsSkinData copy;
    copy.LoadCompressedStoredSkin(Module().bsCompressedStoredSkin1);
    ASSERT_TRUE(IsSkinLoaded(&copy));
    // Font names are stored as GBK (宋体 is CB CE CC E5).
    auto* headerLabel
        = dynamic_cast<TbsDataSkinLabelControl*>(copy.CtrlList[copy.GetControlIndex("menuheader")].get());
    ASSERT_NE(headerLabel, nullptr);
    headerLabel->FontName = "\xCB\xCE\xCC\xE5";
    EXPECT_EQ(MenuHeaderSkinOf(&copy)->Font.family(), QString::fromUtf8("宋体"));
    copy.CtrlList[copy.GetControlIndex("menuheader")]->IDName = "gone";
    const std::optional<TbsMenuHeaderSkin> label = MenuHeaderSkinOf(&copy);
    ASSERT_TRUE(label);
    EXPECT_TRUE(label->Picture.isNull()); // the label has no picture: text alone
    EXPECT_EQ(label->Font.pixelSize(), 14);
    EXPECT_FALSE(label->Font.bold());
    EXPECT_EQ(label->FontColor, 2630431u);
    copy.CtrlList[copy.GetControlIndex("label")]->IDName = "gone too";
    EXPECT_FALSE(MenuHeaderSkinOf(&copy));

    // The item skin's image colours reach the item pictures.
    auto* item = dynamic_cast<TbsDataSkinMenuItem*>(copy.ObjectList[copy.GetIndex("menuitem")].get());
    ASSERT_NE(item, nullptr);
    ASSERT_EQ(FindMenuItemSkin(&copy), item);
    item->UseImageColor = true;
    item->ImageColor = 255;
    item->ActiveImageColor = 65280;
    const TbsMenuItemSkinGeom geom = MenuItemSkinGeomOf(*item);
    EXPECT_TRUE(geom.UseImageColor);
    EXPECT_EQ(geom.ImageColor, 255u);
    EXPECT_EQ(geom.ActiveImageColor, 65280u);

    // A window picture index outside the library gives the default menu look.
    for (const int index : { -1, 99 }) {
        copy.PopupWindow.WindowPictureIndex = index;
        EXPECT_FALSE(PopupWindowSkinGeomOf(&copy)) << index;
    }
}
