// The skinned popup menu on a real X server (qelvo_add_x11_test): the tray
// menu of a hidden main window opens with its style sub-menu, follows the
// real pointer, and shows on screen exactly the pictures it painted off-screen,
// cut to the window mask. Saves the screen as test-artifacts/menu.png.
#include "Bsskinmenus.h"

#include "GbkText.h"
#include "SkinCtrlDM.h"
#include "X11Windows.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace {

std::string Gbk(const char* utf8)
{
    return QStringToGbk(QString::fromUtf8(utf8));
}

TMenuItem* AddItem(TMenuItem* parent, const std::string& caption)
{
    auto* item = new TMenuItem();
    item->SetCaption(caption);
    parent->Add(item);
    return item;
}

QRegion ShapeOf(const QWidget* w)
{
    return w->mask().isEmpty() ? QRegion(w->rect()) : w->mask();
}

// Pixels of the window's off-screen picture that differ on screen, inside its
// shape and not under the window above it (a sub-menu overlaps its parent's edge).
int ScreenMismatches(const QImage& screen, const TbsSkinPopupWindow* w, const QWidget* above = nullptr)
{
    const QImage painted = w->Buffer().convertToFormat(QImage::Format_RGB32);
    QRegion shape = ShapeOf(w);
    if (above)
        shape -= ShapeOf(above).translated(above->pos() - w->pos());
    int bad = 0;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x)
            if (shape.contains(QPoint(x, y))
                && (screen.pixel(w->x() + x, w->y() + y) & 0xFFFFFF) != (painted.pixel(x, y) & 0xFFFFFF))
                ++bad;
    return bad;
}

// Every item shows its final look: morphing has ended.
bool Settled(TbsSkinPopupWindow* w)
{
    for (int i = 0; i < w->ItemCount(); ++i)
        if (w->Item(i).MorphKf != (w->Item(i).Active || w->Item(i).Down ? 1.0 : 0.0))
            return false;
    return true;
}

TEST(SkinMenuX11, TrayMenuWithOpenSubMenuIsOnScreenAsPainted)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run on an X server";
    TSkinCtrlModule module;
    QWidget mainWindow; // never shown, as after "隐藏"
    auto* frameEngine = new TbsSkinMenu(&mainWindow);
    TbsSkinPopupMenu menu(&mainWindow);
    menu.SetSkinData(module.bsSkinData1);
    TMenuItem* style = AddItem(menu.Items(), Gbk("窗口风格"));
    AddItem(style, Gbk("正常"))->SetChecked(true);
    AddItem(style, Gbk("保持最上"));
    AddItem(style, Gbk("钉在桌面"));
    AddItem(menu.Items(), Gbk("显示"));
    AddItem(menu.Items(), Gbk("选项"));
    AddItem(menu.Items(), "-");
    AddItem(menu.Items(), Gbk("关于"));
    AddItem(menu.Items(), Gbk("退出"));

    QCursor::setPos(5, 5);
    menu.Popup(60, 60);
    ASSERT_EQ(frameEngine->Count(), 1) << "the hidden main window's frame engine shows it";
    TbsSkinPopupWindow* top = frameEngine->Window(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(top));
    QTest::keyClick(top, Qt::Key_Right);
    ASSERT_EQ(frameEngine->Count(), 2);
    TbsSkinPopupWindow* sub = frameEngine->Window(1);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sub));

    // The real pointer over the sub-menu's second item: the tracking timer follows it.
    QCursor::setPos(sub->mapToGlobal(sub->Item(1).Rect.center()));
    QTRY_COMPARE_WITH_TIMEOUT(sub->ActiveItem(), 1, 2000);
    // Morphing settles (5 ticks of 20 ms), then the last paint reaches the screen.
    QTRY_VERIFY_WITH_TIMEOUT(Settled(top) && Settled(sub), 5000);
    QTest::qWait(200);

    const QImage screen
        = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    testsupport::SaveArtifact(screen, QStringLiteral("menu.png"));

    EXPECT_EQ(ScreenMismatches(screen, top, sub), 0);
    EXPECT_EQ(ScreenMismatches(screen, sub), 0);

    // Key pixels against the skin's own pictures: the window corner, the
    // active look's left end on the highlighted and the down items, and the
    // normal look on another.
    const TbsSkinData& skin = *module.bsSkinData1;
    const QImage& windowPicture = *skin.GetActivePicture(skin.PopupWindow.WindowPictureIndex);
    const auto* itemSkin = skin.FindObject<TbsDataSkinMenuItem>("menuitem");
    ASSERT_NE(itemSkin, nullptr);
    const QImage itemPicture
        = skin.GetActivePicture(itemSkin->PictureIndex)->convertToFormat(QImage::Format_RGB32);
    auto onScreen
        = [&](const TbsSkinPopupWindow* w, QPoint p) { return screen.pixel(w->mapToGlobal(p)) & 0xFFFFFF; };
    auto itemPixel = [&](const TRect& look, int x, int y) {
        return itemPicture.pixel(look.Left + x, look.Top + y) & 0xFFFFFF;
    };

    ASSERT_TRUE(ShapeOf(top).contains(QPoint(4, 1)));
    EXPECT_EQ(onScreen(top, QPoint(4, 1)), windowPicture.pixel(4, 1) & 0xFFFFFF);
    const QRect down = top->Item(0).Rect;
    EXPECT_TRUE(top->Item(0).Down);
    EXPECT_EQ(onScreen(top, down.topLeft() + QPoint(2, 10)), itemPixel(itemSkin->ActiveSkinRect, 2, 10));
    const QRect hovered = sub->Item(1).Rect;
    EXPECT_EQ(onScreen(sub, hovered.topLeft() + QPoint(2, 10)), itemPixel(itemSkin->ActiveSkinRect, 2, 10));
    const QRect normal = sub->Item(2).Rect;
    EXPECT_EQ(onScreen(sub, normal.topLeft() + QPoint(2, 10)), itemPixel(itemSkin->SkinRect, 2, 10));
    EXPECT_NE(itemPixel(itemSkin->ActiveSkinRect, 2, 10), itemPixel(itemSkin->SkinRect, 2, 10))
        << "the two looks must differ for the checks above to mean anything";

    // A click outside closes the whole menu.
    QTest::mouseClick(sub, Qt::LeftButton, {}, QPoint(-30, -30));
    EXPECT_EQ(frameEngine->Count(), 0);
    EXPECT_FALSE(frameEngine->Visible());
}

} // namespace
