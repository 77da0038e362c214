// The skinned window frame on a real X server (qelvo_add_x11_test): the
// window the X server holds has the skin's size for its client size, its
// bounding shape has the mask's rounded top corners, and the screen shows the
// frame exactly as it was painted off-screen. Saves the screen around the
// window as test-artifacts/frame.png.
#include "Bsskinform.h"
#include "SkinCtrlDM.h"
#include "X11Windows.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

TEST(SkinFormX11, TheMainWindowIsShapedAndShownAsPainted)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run on an X server";
    TSkinCtrlModule module;
    QWidget window;
    window.setWindowTitle(QStringLiteral("Qelvo桌面股票"));
    auto* form = new TbsSkinForm(&window);
    form->SetHideCaptionButtons(true);
    form->SetSkinData(module.bsSkinData1);
    form->SetClientWidth(306);
    form->SetClientHeight(300);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("306 × 300"), &window), 0, Qt::AlignCenter);
    window.move(40, 40);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // Without a window manager Qt still gives the window the focus; the frame then shows its active look.
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(form->WindowActive());
    QTest::qWait(200);

    const testsupport::ServerWindow server = testsupport::QueryServer(window.winId());
    EXPECT_EQ(server.size, QSize(314, 333));
    EXPECT_TRUE(server.shaped);
    // Rounded top corners cut away; the square bottom corners and the top edge's middle kept.
    for (QPoint out :
        { QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(313, 0), QPoint(312, 0), QPoint(313, 1) })
        EXPECT_FALSE(server.shape.contains(out)) << out.x() << "," << out.y();
    for (QPoint in : { QPoint(157, 0), QPoint(0, 332), QPoint(313, 332), QPoint(0, 160), QPoint(5, 5) })
        EXPECT_TRUE(server.shape.contains(in)) << in.x() << "," << in.y();

    // The screen shows the painted frame inside the shape, client area left out.
    const QRect r = window.geometry();
    const QImage screen = window.screen()
                              ->grabWindow(0, r.x(), r.y(), r.width(), r.height())
                              .toImage()
                              .convertToFormat(QImage::Format_RGB32);
    const QImage painted = form->FrameImage();
    const QRect client = form->ClientRect();
    int mismatches = 0;
    for (int y = 0; y < painted.height(); ++y)
        for (int x = 0; x < painted.width(); ++x)
            if (!client.contains(x, y) && server.shape.contains(QPoint(x, y))
                && (screen.pixel(x, y) & 0xFFFFFF) != (painted.pixel(x, y) & 0xFFFFFF))
                ++mismatches;
    EXPECT_EQ(mismatches, 0);

    testsupport::SaveScreen(QStringLiteral("frame.png"), r.adjusted(-12, -12, 12, 12));
}

} // namespace
