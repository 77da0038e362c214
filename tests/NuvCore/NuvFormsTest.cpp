#include "NuvForms.h"
#include "NuvDpi.h"
#include "NuvMenus.h"

#include "Exception.h"
#include "FakeWindowSystem.h"
#include "MenuModel.h"
#include "ModalDriver.h"
#include "PresetAnswers.h"

#include <QDialog>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

// A form that counts how often it was shown.
class CountingForm : public QWidget {
public:
    int shows = 0;

protected:
    void showEvent(QShowEvent*) override { ++shows; }
};

TEST(NuvFormShowModal, DestroysTheFormWhicheverWayTheLoopEnds)
{
    struct Row {
        const char* what;
        std::function<QWidget*()> make;
        std::function<void(QWidget*)> end;
    };
    const Row rows[] = {
        { "plain form closed", [] { return new CountingForm; }, [](QWidget* w) { w->close(); } },
        { "plain form hidden", [] { return new CountingForm; }, [](QWidget* w) { w->hide(); } },
        { "form that deletes itself on close",
            [] {
                auto* form = new CountingForm;
                form->setAttribute(Qt::WA_DeleteOnClose);
                return form;
            },
            [](QWidget* w) { w->close(); } },
        { "form destroyed while modal", [] { return new CountingForm; },
            [](QWidget* w) { w->deleteLater(); } },
        { "owned dialog rejected", [] { return new QDialog(nuv::MainForm()); },
            [](QWidget* w) { static_cast<QDialog*>(w)->reject(); } },
    };
    QWidget mainForm;
    nuv::SetMainForm(&mainForm);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        QWidget* form = row.make();
        QPointer<QWidget> guard(form);
        ModalDriver driver([&](QWidget* modal) {
            EXPECT_EQ(modal, form) << "the form runs application-modal";
            row.end(modal);
        });
        nuv::FormShowModal(form);
        EXPECT_TRUE(driver.Fired());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(guard.isNull()) << "the form outlived its modal run";
    }
    EXPECT_EQ(mainForm.children().size(), 0) << "the owned dialog is gone from its owner";
    nuv::SetMainForm(nullptr);
}

TEST(NuvFormShowModal, PresetAnswerDestroysTheFormUnshown)
{
    auto* form = new CountingForm;
    form->setWindowTitle(QStringLiteral("关于"));
    QPointer<CountingForm> guard(form);
    testsupport::PresetAnswers answers { 1 };
    nuv::FormShowModal(form);
    EXPECT_TRUE(guard.isNull());
    EXPECT_EQ(modal::LastAnsweredCaption(), "\xB9\xD8\xD3\xDA");
}

TEST(NuvFormPlacement, CursorPlacementAndDragSteps)
{
    testsupport::FakeWindowSystem system;
    QWidget form;
    form.resize(306, 300);
    form.move(50, 60);

    system.Cursor = QPoint(1200, 950);
    nuv::SetFormPosAtMouse(&form);
    EXPECT_EQ(form.pos(), QPoint(1200, 950)) << "top-left corner at the cursor, even near the screen's edge";

    struct Row {
        QPoint last, cursor, formAfter;
    };
    const Row rows[] = {
        { { 10, 10 }, { 15, 7 }, { 105, 97 } }, // right 5, up 3
        { { 40, 40 }, { 40, 40 }, { 100, 100 } }, // cursor unmoved: the form stays
        { { 0, 0 }, { -20, 30 }, { 80, 130 } }, // left beyond the screen's origin
    };
    for (const Row& row : rows) {
        form.move(100, 100);
        system.Cursor = row.cursor;
        QPoint last = row.last;
        nuv::SetFormPosAsMouseMove(&form, last);
        EXPECT_EQ(form.pos(), row.formAfter) << row.cursor.x() << "," << row.cursor.y();
        EXPECT_EQ(last, row.cursor);
    }

    EXPECT_THROW(nuv::SetFormPosAtMouse(nullptr), EAssertionFailed);
}

TEST(NuvZoomControl, TruncatesEachSideTowardZero)
{
    QWidget ctrl;
    nuv::ZoomControl(&ctrl, 75, 30, 0.5f);
    EXPECT_EQ(ctrl.size(), QSize(37, 15));
    nuv::ZoomControl(&ctrl, 10, 3, 0.7f); // 7.0000002 and 2.1
    EXPECT_EQ(ctrl.size(), QSize(7, 2));
    EXPECT_THROW(nuv::ZoomControl(nullptr, 1, 1, 1.0f), EAssertionFailed);
}

class RecordingPresenter : public TMenuPresenter {
public:
    std::vector<QPoint> points;
    void Present(TPopupMenu&, const QPoint& screenPoint) override { points.push_back(screenPoint); }
};

TEST(NuvPopMenu, UnderAControlAndAtTheCursor)
{
    testsupport::FakeWindowSystem system;
    TPopupMenu menu;
    RecordingPresenter presenter;
    menu.SetPresenter(&presenter);

    // A label 21 pixels high whose top-left corner is at (100, 50) on screen.
    QWidget window;
    window.setGeometry(80, 20, 200, 100);
    QWidget label(&window);
    label.setGeometry(20, 30, 41, 21);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_EQ(label.mapToGlobal(QPoint(0, 0)), QPoint(100, 50));

    nuv::PopMenu(&menu, &label, 0, 0);
    nuv::PopMenu(&menu, &label, 1, 0); // the search panel's icon: one pixel lower
    nuv::PopMenu(&menu, &label, 0, 3); // dy comes before dx
    system.Cursor = QPoint(333, 222);
    nuv::PopMenu(&menu);
    const std::vector<QPoint> expected { { 100, 71 }, { 100, 72 }, { 103, 71 }, { 333, 222 } };
    EXPECT_EQ(presenter.points, expected);
    EXPECT_EQ(menu.PopupPoint(), QPoint(333, 222));

    EXPECT_THROW(nuv::PopMenu(nullptr), EAssertionFailed);
    EXPECT_THROW(nuv::PopMenu(&menu, nullptr, 0, 0), EAssertionFailed);
}

TEST(NuvDots, MillimetresAndDotsRoundTrip)
{
    EXPECT_NEAR(nuv::PixelToMm(96, 96), 25.4, 1e-12);
    EXPECT_NEAR(nuv::MmToPixel(96, 25.4), 96.0, 1e-12);
    EXPECT_NEAR(nuv::MmToPixel(600, 10), 236.22047244094489, 1e-9); // dpi first, then millimetres
    for (double dpi : { 72.0, 96.0, 300.0, 1200.0 })
        for (double mm : { 0.1, 1.0, 210.0, 297.0 })
            EXPECT_NEAR(nuv::PixelToMm(dpi, nuv::MmToPixel(dpi, mm)), mm, 1e-12) << dpi << " " << mm;
    EXPECT_THROW(nuv::PixelToMm(0, 10), EZeroDivide) << "no printer gives 0 dots per inch";
}

} // namespace
