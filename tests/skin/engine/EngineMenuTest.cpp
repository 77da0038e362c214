// Pop-up menu geometry with the figures of the program's skin: window picture
// 182 x 224 with items rect 2,3,179,221, item look 63 x 20 with a 38-wide
// text rect, 2-pixel divider.
#include "BsMenuGeometry.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <functional>

namespace {

TbsPopupWindowSkinGeom WindowSkin()
{
    TbsPopupWindowSkinGeom w;
    w.PictureSize = { 182, 224 };
    w.ItemsRect = { 2, 3, 179, 221 };
    return w;
}

TbsMenuItemSkinGeom ItemSkin()
{
    TbsMenuItemSkinGeom i;
    i.SkinRect = { 0, 0, 63, 20 };
    i.ActiveSkinRect = { 0, 20, 63, 40 };
    i.TextRect = { 20, 0, 58, 20 };
    i.DividerRect = { 0, 40, 63, 42 };
    return i;
}

TbsMenuWindowSize Size(int items, int separators = 0, int workHeight = 1040, int maxItems = 0)
{
    const TbsPopupWindowSkinGeom window = WindowSkin();
    const TbsMenuItemSkinGeom item = ItemSkin();
    TbsMenuSizeInput in;
    in.MaxTextWidth = 80;
    for (int i = 0; i < items; ++i)
        in.ItemHeights.push_back(MenuItemHeight(false, &item, 20));
    for (int i = 0; i < separators; ++i)
        in.ItemHeights.push_back(MenuItemHeight(true, &item, 20));
    in.WorkAreaHeight = workHeight;
    in.MaxMenuItemsInWindow = maxItems;
    in.WindowSkin = &window;
    in.ItemSkin = &item;
    return CalcMenuWindowSize(in);
}

const TRect kWork(0, 0, 1920, 1040);

// Text needs the font system; one application serves every test.
void EnsureGui()
{
    if (QGuiApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "skin_engine_tests";
    static char* argv[] = { name, nullptr };
    static QGuiApplication app(argc, argv);
}

// Item look picture: normal look grey, active look (rows 20-40) blue.
QImage ItemPicture()
{
    QImage picture(63, 42, QImage::Format_RGB32);
    picture.fill(qRgb(200, 200, 200));
    for (int y = 20; y < 40; ++y)
        for (int x = 0; x < 63; ++x)
            picture.setPixel(x, y, qRgb(0, 0, 255));
    return picture;
}

// Colours as skins write them: red in the low byte.
constexpr TColor kRed = 0x0000FF, kGreen = 0x00FF00, kDark = 0x202020;

bool HasPixel(const QImage& image, const QRect& area, const std::function<bool(QRgb)>& test)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (test(image.pixel(x, y)))
                return true;
    return false;
}

} // namespace

TEST(EngineMenu, WindowSizeWithTheSkin)
{
    const TbsMenuWindowSize five = Size(5);
    EXPECT_EQ(five.Height, 106);
    EXPECT_EQ(five.Width, 80 + 70);
    EXPECT_FALSE(five.Scroll);
    EXPECT_EQ(Size(3).Height, 66);
    EXPECT_EQ(Size(3, 2).Height, 70);

    const TbsMenuWindowSize limited = Size(12, 0, 1040, 5);
    EXPECT_EQ(limited.Height, 5 * 20 + 6 + 20);
    EXPECT_TRUE(limited.Scroll && limited.Scroll2);
    const TbsMenuWindowSize tall = Size(60, 0, 700);
    EXPECT_EQ(tall.Height, 700);
    EXPECT_TRUE(tall.Scroll);
    EXPECT_FALSE(tall.Scroll2);
}

TEST(EngineMenu, WindowSizeWithoutASkin)
{
    TbsMenuSizeInput in;
    in.MaxTextWidth = 80;
    in.ItemHeights = { MenuItemHeight(false, nullptr, 20), MenuItemHeight(true, nullptr, 20) };
    in.HasImages = true;
    in.ImageWidth = 16;
    const TbsMenuWindowSize size = CalcMenuWindowSize(in);
    EXPECT_EQ(size.Width, 80 + 2 + 19 + 21 + 10);
    EXPECT_EQ(size.Height, 20 + 4 + 4);
    EXPECT_EQ(CalcMenuItemsRect(nullptr, 100, 50), TRect(2, 2, 98, 48));
    const TbsPopupWindowSkinGeom window = WindowSkin();
    EXPECT_EQ(CalcMenuItemsRect(&window, 150, 106), TRect(2, 3, 147, 103));
}

TEST(EngineMenu, PlacementAtAPoint)
{
    const QSize size(150, 106);
    auto at = [&](int x, int y, bool up = false) {
        TbsMenuPlacement p;
        p.Request = { x, y, x, y };
        p.Size = size;
        p.WorkArea = kWork;
        p.Up = up;
        return CalcMenuPosition(p);
    };
    EXPECT_EQ(at(100, 100), QPoint(100, 100));
    EXPECT_EQ(at(100, 1000), QPoint(100, 894)); // near the bottom: opens above the point
    EXPECT_EQ(at(1850, 100), QPoint(1770, 100)); // near the right edge: shifted left
    EXPECT_EQ(at(100, 500, true), QPoint(100, 394));
    EXPECT_EQ(at(100, 50, true), QPoint(100, 50)); // no room above in the upper half: below
}

TEST(EngineMenu, SubMenuLinesUpWithItsParentItem)
{
    TbsMenuPlacement p;
    p.Request = { 100, 203, 250, 223 }; // parent item's screen rect
    p.Size = { 150, 66 };
    p.WorkArea = kWork;
    p.SubMenu = true;
    p.ItemsRectTop = 3;
    const QPoint at = CalcMenuPosition(p);
    EXPECT_EQ(at, QPoint(251, 200));
    EXPECT_EQ(at.y() + p.ItemsRectTop, p.Request.Top); // its first item level with the parent
    p.Request = { 1700, 203, 1850, 223 }; // no room on the right: opens on the left
    EXPECT_EQ(CalcMenuPosition(p).x(), 1700 - 150 - 1);
    p.Request = { 100, 1000, 250, 1020 }; // lower half, would pass the bottom
    EXPECT_EQ(CalcMenuPosition(p).y(), 1020 - 66 + 3);
}

TEST(EngineMenu, TallMenuStartsAtTheTopWithScrollAreas)
{
    const TbsMenuWindowSize tall = Size(60, 0, 1040);
    TbsMenuPlacement p;
    p.Request = { 500, 600, 500, 600 };
    p.Size = { 150, tall.Height };
    p.WorkArea = kWork;
    p.Scroll = tall.Scroll;
    p.Scroll2 = tall.Scroll2;
    EXPECT_EQ(CalcMenuPosition(p), QPoint(501, 0));

    const TbsPopupWindowSkinGeom window = WindowSkin();
    const TRect items = CalcMenuItemsRect(&window, 150, tall.Height);
    const std::vector<int> heights(60, 20);
    const TbsMenuItemLayout layout = CalcItemRects(items, heights, true, 0);
    EXPECT_EQ(layout.Rects[0].Top, items.Top + 10);
    EXPECT_EQ(layout.VisibleCount, (items.Height() - 20) / 20);
    EXPECT_FALSE(layout.Visible[layout.VisibleCount]);
    const int last = LastPageStartIndex(items, heights);
    const TbsMenuItemLayout end = CalcItemRects(items, heights, true, last);
    EXPECT_TRUE(end.Visible[59]);
    EXPECT_FALSE(end.Visible[last - 1]);
    EXPECT_EQ(end.VisibleCount, 60 - last);
}

TEST(EngineMenu, ItemPicturesFollowTheirState)
{
    EnsureGui();
    const QImage picture = ItemPicture();
    const TbsMenuItemSkinGeom skin = ItemSkin();
    TbsMenuItemState item;
    item.Caption = QStringLiteral("&Open");
    const QFont font(QStringLiteral("Arial"), 9);
    const QImage normal = CreateSkinMenuItemImage(skin, picture, item, 140, 20, font, 16);
    item.Active = true;
    const QImage active = CreateSkinMenuItemImage(skin, picture, item, 140, 20, font, 16);
    ASSERT_EQ(normal.size(), QSize(140, 20));
    EXPECT_EQ(normal.pixel(139, 0), qRgb(200, 200, 200));
    EXPECT_EQ(active.pixel(139, 0), qRgb(0, 0, 255));
    item.Separator = true;
    EXPECT_EQ(CreateSkinMenuItemImage(skin, picture, item, 140, 2, font, 16).size(), QSize(140, 2));

    TbsMenuItemState plain;
    plain.Caption = QStringLiteral("Exit");
    const QImage def = CreateDefaultMenuItemImage(plain, 120, 20, font, 19);
    EXPECT_EQ(def.pixel(5, 1), qRgb(240, 240, 240)); // glyph column
    EXPECT_EQ(def.pixel(100, 1), qRgb(255, 255, 255));
    plain.Active = true;
    const QImage hot = CreateDefaultMenuItemImage(plain, 120, 20, font, 19);
    EXPECT_EQ(hot.pixel(0, 0), qRgb(0, 0, 128));
    EXPECT_EQ(hot.pixel(100, 1), qRgb(0xB6, 0xBD, 0xD2));
}

TEST(EngineMenu, BuiltInPicturesTakeTheImageColourWhenTheSkinAsks)
{
    EnsureGui();
    const QImage picture = ItemPicture();
    TbsMenuItemSkinGeom skin = ItemSkin();
    skin.FontColor = skin.ActiveFontColor = kDark;
    skin.ImageColor = kRed;
    skin.ActiveImageColor = kGreen;
    const QFont font(QStringLiteral("Arial"), 9);
    // Text area at 140 wide: 20..134; check mark at (22, 5), arrow tip column 128.
    TbsMenuItemState item;
    item.Checked = true;
    item.HasSubItems = true;
    auto colours = [&](bool useImageColor, bool active) {
        skin.UseImageColor = useImageColor;
        item.Active = active;
        const QImage image = CreateSkinMenuItemImage(skin, picture, item, 140, 20, font, 16);
        return std::pair(image.pixel(22, 8), image.pixel(128, 9));
    };
    const QRgb dark = qRgb(0x20, 0x20, 0x20);
    EXPECT_EQ(colours(false, false), std::pair(dark, dark));
    EXPECT_EQ(colours(true, false), std::pair(qRgb(255, 0, 0), qRgb(255, 0, 0)));
    EXPECT_EQ(colours(true, true), std::pair(qRgb(0, 255, 0), qRgb(0, 255, 0)));

    // The system menu's pictures too; the frame round a checked glyph keeps the text colour.
    skin.UseImageColor = true;
    TbsMenuItemState close;
    close.Name = QStringLiteral("BSF_CLOSE");
    EXPECT_EQ(CreateSkinMenuItemImage(skin, picture, close, 140, 20, font, 16).pixel(22, 5), qRgb(255, 0, 0));
    TbsMenuItemState glyph;
    glyph.Checked = true;
    glyph.Glyph = QImage(8, 8, QImage::Format_RGB32);
    glyph.Glyph.fill(qRgb(255, 255, 255));
    const QImage framed = CreateSkinMenuItemImage(skin, picture, glyph, 140, 20, font, 16);
    // Without an image rect the glyph sits at the text area's left + 2, centred vertically.
    EXPECT_EQ(framed.pixel(22, 6), qRgb(255, 255, 255));
    EXPECT_EQ(framed.pixel(29, 13), qRgb(255, 255, 255));
    EXPECT_EQ(framed.pixel(21, 5), dark);
    EXPECT_EQ(framed.pixel(30, 14), dark);
    // With one it is centred in it.
    skin.ImageRect = { 2, 2, 18, 18 };
    const QImage centred = CreateSkinMenuItemImage(skin, picture, glyph, 140, 20, font, 16);
    EXPECT_EQ(centred.pixel(6, 6), qRgb(255, 255, 255));
    EXPECT_EQ(centred.pixel(5, 5), dark);

    // A skin check image: centred in the image rect; without one at the box's
    // left (text area left + 2) and never above the text rect's top.
    QImage marked = picture.copy();
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            marked.setPixel(x, y, x == 0 && y == 0 ? qRgb(1, 2, 3) : qRgb(255, 0, 255));
    skin.CheckImageRect = { 0, 0, 6, 6 };
    TbsMenuItemState checked;
    checked.Checked = true;
    skin.ImageRect = { 2, 2, 18, 18 };
    const QImage inRect = CreateSkinMenuItemImage(skin, marked, checked, 140, 20, font, 16);
    EXPECT_EQ(inRect.pixel(8, 8), qRgb(255, 0, 255)); // 7..12 both ways, its key pixel see-through
    EXPECT_EQ(inRect.pixel(12, 12), qRgb(255, 0, 255));
    EXPECT_NE(inRect.pixel(13, 13), qRgb(255, 0, 255));
    skin.ImageRect = {};
    const QImage atTop = CreateSkinMenuItemImage(skin, marked, checked, 140, 20, font, 16);
    EXPECT_EQ(atTop.pixel(27, 0), qRgb(255, 0, 255)); // centred across 22..36: 26..31
    EXPECT_EQ(atTop.pixel(31, 5), qRgb(255, 0, 255));
    EXPECT_NE(atTop.pixel(31, 6), qRgb(255, 0, 255));
}

TEST(EngineMenu, HeaderNeedsADisabledCaptionBetweenDashes)
{
    TbsMenuItemState item;
    item.Caption = QStringLiteral("-Quotes-");
    EXPECT_FALSE(IsMenuHeader(item)); // enabled
    item.Enabled = false;
    EXPECT_TRUE(IsMenuHeader(item));
    EXPECT_EQ(MenuHeaderText(item.Caption), QStringLiteral("Quotes"));
    EXPECT_EQ(MenuHeaderText(QStringLiteral("--")), QString());
    for (const char* caption : { "-Quotes", "Quotes-", "-", "Quotes" }) {
        item.Caption = QString::fromLatin1(caption);
        EXPECT_FALSE(IsMenuHeader(item)) << caption;
    }
    item.Caption = QStringLiteral("--");
    item.Separator = true;
    EXPECT_FALSE(IsMenuHeader(item));
}

TEST(EngineMenu, HeaderItemsDrawnOnTheHeaderSkin)
{
    EnsureGui();
    const QImage picture = ItemPicture();
    const TbsMenuItemSkinGeom skin = ItemSkin();
    // Header look 10 x 14: two red columns, green middle, two blue columns.
    TbsMenuHeaderSkin header;
    header.Picture = QImage(10, 14, QImage::Format_RGB32);
    header.Picture.fill(qRgb(0, 255, 0));
    for (int y = 0; y < 14; ++y)
        for (int x : { 0, 1, 8, 9 })
            header.Picture.setPixel(x, y, x < 2 ? qRgb(255, 0, 0) : qRgb(0, 0, 255));
    header.SkinRect = { 0, 0, 10, 14 };
    header.LeftOffset = header.RightOffset = 2;
    header.Font = QFont(QStringLiteral("Arial"));
    header.Font.setPixelSize(14);
    header.Font.setBold(true);
    header.FontColor = 0xFF00FF; // magenta
    const QFont font(QStringLiteral("Arial"), 9);

    TbsMenuItemState item;
    item.Caption = QStringLiteral("-Quotes-");
    item.Enabled = false;
    item.Active = true; // a header is never highlighted
    const QImage image = CreateSkinMenuItemImage(skin, picture, item, 140, 20, font, 16, nullptr, &header);
    ASSERT_EQ(image.size(), QSize(140, 20));
    // The look at its own height, centred: rows 3 to 16; the item's normal look around it.
    EXPECT_EQ(image.pixel(0, 0), qRgb(200, 200, 200));
    EXPECT_EQ(image.pixel(139, 19), qRgb(200, 200, 200));
    EXPECT_EQ(image.pixel(0, 3), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 16), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(10, 10), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(139, 10), qRgb(0, 0, 255));
    // The text starts at the text area's left, in the header's colour.
    auto magenta = [](QRgb c) { return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) > 200; };
    EXPECT_TRUE(HasPixel(image, QRect(20, 3, 100, 14), magenta));
    EXPECT_FALSE(HasPixel(image, QRect(0, 0, 20, 20), magenta));

    // A header skin without a picture (a plain "label") gives the text alone.
    TbsMenuHeaderSkin label = header;
    label.Picture = QImage();
    const QImage plain = CreateSkinMenuItemImage(skin, picture, item, 140, 20, font, 16, nullptr, &label);
    EXPECT_EQ(plain.pixel(0, 10), qRgb(200, 200, 200));
    EXPECT_TRUE(HasPixel(plain, QRect(20, 3, 100, 14), magenta));

    // Without a header skin only the background shows.
    TbsMenuItemState empty;
    empty.Enabled = false;
    EXPECT_EQ(CreateSkinMenuItemImage(skin, picture, item, 140, 20, font, 16),
        CreateSkinMenuItemImage(skin, picture, empty, 140, 20, font, 16));
}

TEST(EngineMenu, HeaderItemWithoutASkinIsShadowWithHighlightText)
{
    EnsureGui();
    TbsDefaultMenuColors colors;
    colors.BtnShadow = qRgb(100, 100, 100);
    colors.BtnHighlight = qRgb(255, 255, 0);
    TbsMenuItemState item;
    item.Caption = QStringLiteral("-Quotes-");
    item.Enabled = false;
    const QImage image
        = CreateDefaultMenuItemImage(item, 140, 20, QFont(QStringLiteral("Arial"), 10), 19, colors);
    EXPECT_EQ(image.pixel(0, 0), qRgb(100, 100, 100)); // over the glyph column too
    EXPECT_EQ(image.pixel(139, 19), qRgb(100, 100, 100));
    auto yellow = [](QRgb c) { return qRed(c) > 200 && qGreen(c) > 200 && qBlue(c) < 60; };
    EXPECT_TRUE(HasPixel(image, QRect(21, 2, 100, 16), yellow));
    EXPECT_FALSE(HasPixel(image, QRect(0, 0, 21, 20), yellow));
}
