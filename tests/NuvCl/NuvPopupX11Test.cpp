// A popup window on a real X server with openbox (qelvo_add_x11_test ... WM
// openbox): it shows in the bottom-right corner, framed by the window manager,
// and when the user drags it by its title bar it stays where it was dragged.
#include "NuvPopupForm.h"
#include "X11Windows.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

using testsupport::RunTool;
using testsupport::SaveScreen;

void Xdotool(const QStringList& arguments)
{
    RunTool(QStringLiteral("xdotool"), arguments);
}

// The user's drag: press on the title bar, move there in steps, release.
void DragBy(QPoint from, QPoint by)
{
    Xdotool({ QStringLiteral("mousemove"), QString::number(from.x()), QString::number(from.y()) });
    QTest::qWait(100);
    Xdotool({ QStringLiteral("mousedown"), QStringLiteral("1") });
    QTest::qWait(100);
    for (int step = 1; step <= 10; ++step) {
        const QPoint at = from + by * step / 10;
        Xdotool({ QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()) });
        QTest::qWait(30);
    }
    Xdotool({ QStringLiteral("mouseup"), QStringLiteral("1") });
}

} // namespace

TEST(PopupX11, AWindowDraggedByTheUserStaysWhereItWasDragged)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run on an X server";
    if (RunTool(QStringLiteral("sh"), { QStringLiteral("-c"), QStringLiteral("command -v xdotool") })
            .isEmpty())
        GTEST_SKIP() << "xdotool is missing";

    TNuvPopupMsgForm popup;
    popup.SetMsg("Qelvo");
    popup.Execute();
    ASSERT_EQ(popup.FormCount(), 1);
    QWidget* window = popup.Form(0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    // Framed by the window manager, the window is put in its corner again.
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect corner(work.right() + 1 - 250, work.bottom() + 1 - 200, 250, 200);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return window->frameGeometry() == corner && window->geometry() != window->frameGeometry(); },
        5000))
        << "at " << window->frameGeometry().x() << "," << window->frameGeometry().y();

    QTest::qWait(1200); // as a person does: the window is seen before it is dragged
    const QPoint titleBar(corner.center().x(), (corner.top() + window->geometry().top()) / 2);
    const QPoint by(-400, -300);
    DragBy(titleBar, by);
    const QPoint dragged = corner.topLeft() + by;
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->frameGeometry().topLeft() == dragged; }, 3000))
        << "at " << window->frameGeometry().x() << "," << window->frameGeometry().y();
    QTest::qWait(500); // time for a move back, which must not come
    EXPECT_EQ(window->frameGeometry().topLeft(), dragged);
    SaveScreen(QStringLiteral("popup-dragged.png"), QRect(QPoint(0, 0), work.size()));

    // A second drag is left alone too.
    DragBy(titleBar + by, QPoint(100, 50));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return window->frameGeometry().topLeft() == dragged + QPoint(100, 50); }, 3000));
    QTest::qWait(500);
    EXPECT_EQ(window->frameGeometry().topLeft(), dragged + QPoint(100, 50));
}
