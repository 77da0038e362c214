// The main window on a real X server with a window manager and a
// notification area (qelvo_add_x11_test ... WM tray): its size
// and taskbar state, the window styles as the manager shows them, and the
// tray icon's menu opened by a real right click, the web side with a maker's
// site. Saves main-window.png, main-menu.png and main-web.png into
// QELVO_ARTIFACT_DIR.
#include "BsSkinLabels.h"
#include "BsSkinListView.h"
#include "BsSkinPanel.h"
#include "Bsskinform.h"
#include "CppWebBrowser.h"
#include "MainWindowOnX11.h"
#include "MenuModel.h"
#include "NuvAdPanel.h"
#include "NuvMessageBox.h"
#include "NuvPopupForm.h"
#include "NuvSelfPopupNewsFormFM.h"
#include "NuvWebSerachPanel.h"
#include "OptionFormFM.h"

#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>

#include <functional>
#include <optional>
#include <vector>

using testsupport::RunTool;
using testsupport::SaveScreen;
using testsupport::WaitUntil;
using testsupport::Xdotool;

namespace {

QString Number(int n)
{
    return QString::number(n);
}

// A left-button drag from one screen point to another, as a person drags:
// the window manager takes it over after the first pixel.
void Drag(QPoint from, QPoint to)
{
    Xdotool({ QStringLiteral("mousemove"), Number(from.x()), Number(from.y()), QStringLiteral("mousedown"),
        QStringLiteral("1"), QStringLiteral("sleep"), QStringLiteral("0.2"), QStringLiteral("mousemove"),
        Number(from.x() + 1), Number(from.y()), QStringLiteral("sleep"), QStringLiteral("0.2"),
        QStringLiteral("mousemove"), Number(to.x()), Number(to.y()), QStringLiteral("sleep"),
        QStringLiteral("0.3"), QStringLiteral("mouseup"), QStringLiteral("1") });
}

void DoubleClick(QPoint at)
{
    Xdotool({ QStringLiteral("mousemove"), Number(at.x()), Number(at.y()), QStringLiteral("click"),
        QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("--delay"), QStringLiteral("80"),
        QStringLiteral("1") });
}

std::vector<QMessageBox*> OpenReports()
{
    std::vector<QMessageBox*> boxes;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible())
            boxes.push_back(box);
    return boxes;
}

class MainFormX11 : public MainWindowOnX11 {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(WaitUntil([] { return QSystemTrayIcon::isSystemTrayAvailable(); }))
            << "run with a notification area";
        ShowMainWindow();
    }
};

// The same with a maker's site that the loopback services play.
class MainFormX11Web : public MainFormX11 {
protected:
    MainFormX11Web() { maker = TMakerAddresses::At("http://maker.qelvo.test"); }
};

TEST_F(MainFormX11, TheWindowHasItsSizeNoTaskbarEntryAndShowsTheServicesQuotes)
{
    EXPECT_TRUE(form->InTray());
    EXPECT_EQ(form->size(), QSize(314, 333));
    EXPECT_TRUE(WaitUntil([&] { return State().contains(QStringLiteral("_NET_WM_STATE_SKIP_TASKBAR")); }))
        << State().toStdString();

    form->tmr1Timer(form->tmr1);
    ASSERT_TRUE(WaitUntil([&] { return !form->Refreshing(); }));
    EXPECT_EQ(form->bsSkinListView1->ItemCount(), 5);
    QTest::qWait(300);
    SaveScreen(QStringLiteral("main-window.png"), form->frameGeometry().adjusted(-10, -10, 10, 10));
}

TEST_F(MainFormX11, StyleItemsReachTheWindowManager)
{
    struct Row {
        TMenuItem* item;
        bool above, below;
    };
    const Row rows[] = { { form->mmFormStyleStayOnTop, true, false },
        { form->mmFormStyleOnDesttop, false, true }, { form->mmFormStyleNormal, false, false } };
    for (const Row& row : rows) {
        row.item->Click();
        QTest::qWait(50);
        const bool settled = WaitUntil([&] {
            const QString s = State();
            return s.contains(QStringLiteral("_NET_WM_STATE_ABOVE")) == row.above
                && s.contains(QStringLiteral("_NET_WM_STATE_BELOW")) == row.below;
        });
        EXPECT_TRUE(settled) << row.item->Name() << ": " << State().toStdString();
    }
}

TEST_F(MainFormX11, ARightClickOnTheTrayIconOpensTheMenuAlsoWhileTheWindowIsHidden)
{
    // The icon comes right after the first paint; the tray host then gives it its size.
    ASSERT_TRUE(WaitUntil([&] { return form->TrayIcon1 && form->TrayIcon1->geometry().width() >= 16; }))
        << "icon not embedded";
    QTest::qWait(200);
    const QRect icon = form->TrayIcon1->geometry();
    form->mmHide->Click();
    ASSERT_TRUE(WaitUntil([&] { return !form->isVisible(); }));
    const QPoint c = icon.center();
    Xdotool({ QStringLiteral("mousemove"), QString::number(c.x()), QString::number(c.y()),
        QStringLiteral("click"), QStringLiteral("3") });
    TbsSkinMenu* engine = form->pmMainMenu->Engine();
    ASSERT_TRUE(WaitUntil([&] { return engine->Visible() && engine->Count() > 0; }));
    ASSERT_TRUE(WaitUntil([&] { return engine->Window(0)->isVisible(); }));
    // The menu offers "显示" now, and not "隐藏".
    EXPECT_TRUE(form->mmShow->Visible());
    EXPECT_FALSE(form->mmHide->Visible());
    QTest::qWait(300);
    SaveScreen(QStringLiteral("main-menu.png"),
        engine->Window(0)->geometry().united(icon).adjusted(-20, -20, 20, 20));
}

TEST_F(MainFormX11, MinimizedByTheWindowManagerTheMenuOffersToShowTheWindowAgain)
{
    const QString id = QString::number(Id());
    ASSERT_TRUE(WaitUntil([&] { return StateHas("_NET_WM_STATE_SKIP_TASKBAR"); }));
    ASSERT_TRUE(MinimizeByWindowManager(form.get())) << State().toStdString();
    EXPECT_TRUE(form->mmShow->Visible());
    EXPECT_FALSE(form->mmHide->Visible());

    form->mmShow->Click();
    EXPECT_TRUE(WaitUntil([&] { return !State().contains(QStringLiteral("_NET_WM_STATE_HIDDEN")); }))
        << State().toStdString();
    EXPECT_FALSE(form->isMinimized());
    EXPECT_TRUE(form->mmHide->Visible());

    // Restored by the window manager (a pager, a keyboard shortcut): the menu follows too.
    ASSERT_TRUE(MinimizeByWindowManager(form.get()));
    RunTool(QStringLiteral("xdotool"), { QStringLiteral("windowactivate"), id });
    EXPECT_TRUE(WaitUntil([&] { return !form->isMinimized() && form->mmHide->Visible(); }))
        << State().toStdString();
}

} // namespace

// With a maker's site (the loopback services): the search panel with a term,
// the advertisement strip and the news popup above the tray, on one screenshot
// (main-web.png).
TEST_F(MainFormX11Web, TheWebSideShowsSearchPanelAdvertisementAndNews)
{
    form->tmr1Timer(form->tmr1);
    ASSERT_TRUE(WaitUntil([&] { return !form->Refreshing(); }, 15000));
    form->NuvWebSerachPanel1->SubEdit()->setText(QStringLiteral("股票"));

    form->AdTimerTimer(form->AdTimer);
    ASSERT_TRUE(WaitUntil([&] { return form->NuvPopupNewsForm1->FormCount() == 1; }, 15000));
    auto* news = qobject_cast<TNuvSelfPopupNewsForm*>(form->NuvPopupNewsForm1->Form(0));
    ASSERT_NE(news, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(news));
    ASSERT_TRUE(WaitUntil(
        [&] {
            return news->WebNews->CurrentView().shows == TCppWebBrowser::Shows::Html
                && form->NuvAdPanel1->WebBrowser()->CurrentView().shows == TCppWebBrowser::Shows::Html;
        },
        15000));
    // The window manager's frame included, the popup sits in the corner of
    // the work area, above the tray.
    QTest::qWait(300);
    const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(news->frameGeometry(), QRect(work.right() - 249, work.bottom() - 199, 250, 200));
    SaveScreen(QStringLiteral("main-web.png"), QGuiApplication::primaryScreen()->geometry());
}

// Maximized by a caption double click, restored by another, resized by a
// border drag: each time the strips span the window and the list fills the
// middle, and the top strip's search panel and "菜单" stay where they were.
TEST_F(MainFormX11, TheWindowLaysOutAtEverySizeTheWindowManagerGivesIt)
{
    const QRect start = form->geometry();
    const QRect work = form->screen()->availableGeometry();
    struct Row {
        const char* what;
        std::function<void()> act;
        std::function<bool(QRect)> reached;
        const char* screenshot;
    };
    const Row rows[] = {
        { "caption double click", [&] { DoubleClick(form->geometry().topLeft() + QPoint(100, 10)); },
            [&](QRect r) { return r.width() >= work.width() - 2 && r.height() >= work.height() - 2; },
            "main-maximized.png" },
        { "second double click", [&] { DoubleClick(form->geometry().topLeft() + QPoint(100, 10)); },
            [&](QRect r) { return r.size() == start.size(); }, nullptr },
        { "bottom-right border drag",
            [&] {
                const QPoint corner = form->geometry().bottomRight() - QPoint(1, 1);
                Drag(corner, corner + QPoint(60, 40));
            },
            [&](QRect r) { return r.size() == start.size() + QSize(60, 40); }, "main-resized.png" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        row.act();
        ASSERT_TRUE(WaitUntil([&] { return row.reached(form->geometry()); }))
            << form->geometry().width() << "x" << form->geometry().height();
        QTest::qWait(200);
        const QSize client = form->contentsRect().size();
        EXPECT_EQ(form->bsSkinPanel1->geometry(), QRect(0, 0, client.width(), 25));
        EXPECT_EQ(form->bsSkinListView1->geometry(), QRect(0, 25, client.width(), client.height() - 85));
        EXPECT_EQ(form->bsSkinPanel3->geometry(), QRect(0, client.height() - 60, client.width(), 60));
        EXPECT_EQ(form->bsSkinPanel2->geometry(), QRect(0, 0, 129, 24));
        EXPECT_EQ(form->btnShowMenu->geometry(), QRect(152, 3, 41, 17));
        if (row.screenshot)
            SaveScreen(QString::fromLatin1(row.screenshot), form->geometry().adjusted(-4, -4, 4, 4));
    }
    // Never smaller than its layout.
    form->resize(200, 200);
    EXPECT_EQ(form->size(), start.size());
}

// The option dialog minimized by the window manager is still the open modal
// dialog: the main window takes no input until it is closed.
TEST_F(MainFormX11, AModalDialogMinimizedByTheWindowManagerStaysModal)
{
    TOptionForm option(form.get(), dir.File("Stocks.cfg"));
    OptionForm = &option;
    bool returned = false;
    std::optional<bool> modalWhileMinimized;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (QApplication::activeModalWidget() != &option)
            return; // not shown yet
        driver.stop();
        const bool minimized = MinimizeByWindowManager(&option);
        // Looked at once the modal loop has had the minimize for a while.
        QTimer::singleShot(1000, form.get(), [&, minimized] {
            modalWhileMinimized = minimized && !returned && option.isMinimized()
                && QApplication::activeModalWidget() == &option;
            option.close();
        });
    });
    driver.start(50);
    QTimer::singleShot(20000, &option, [&] { option.close(); }); // never left open
    form->mmOptionClick(form->mmOption);
    returned = true;
    ASSERT_TRUE(WaitUntil([&] { return modalWhileMinimized.has_value(); }));
    OptionForm = nullptr;
    EXPECT_TRUE(*modalWhileMinimized);
}

// A refresh that keeps failing while the user is away shows one report, not
// one per tick; once it is dismissed, the next failing tick may report again.
TEST_F(MainFormX11, AFailingRefreshLeftAloneShowsOneReport)
{
    nuv::InstallStandardErrorReport(); // real message boxes
    services.SetQuoteAnswer("var hq_str_sh000001=\"x,1,2,3,4,5\";\n");
    form->tmr1->setInterval(100); // a minute of ticks in a few seconds
    form->tmr1->start();
    std::vector<std::size_t> seen;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, [&] {
        const std::vector<QMessageBox*> boxes = OpenReports();
        seen.push_back(boxes.size());
        for (QMessageBox* box : boxes)
            box->done(QMessageBox::Ok);
        if (seen.size() == 3) {
            look.stop();
            form->tmr1->stop();
        }
    });
    look.start(2000);
    ASSERT_TRUE(WaitUntil([&] { return seen.size() == 3; }, 15000));
    EXPECT_EQ(seen, (std::vector<std::size_t> { 1, 1, 1 }));
    EXPECT_TRUE(WaitUntil([&] { return !form->Refreshing(); }));
}

// Idle costs nothing, also with the pointer resting on the caption: no timer
// of the frame runs then (a polling timer would wake the program twenty times
// a second for as long as the pointer rests there).
TEST_F(MainFormX11, APointerRestingOnTheCaptionRunsNoTimer)
{
    Xdotool({ QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(Id()) });
    ASSERT_TRUE(WaitUntil([&] { return form->bsSkinForm1->WindowActive(); }));
    const QPoint caption = form->geometry().topLeft() + QPoint(form->width() / 3, 10);
    Xdotool({ QStringLiteral("mousemove"), QString::number(caption.x()), QString::number(caption.y()) });
    ASSERT_TRUE(WaitUntil([&] { return form->bsSkinForm1->ActiveObject() >= 0; })) << "on a frame object";
    QTest::qWait(300);
    EXPECT_GE(form->bsSkinForm1->ActiveObject(), 0) << "still on the caption";
    EXPECT_FALSE(form->bsSkinForm1->MouseTimer().isActive());
    EXPECT_FALSE(form->bsSkinForm1->MorphTimer().isActive());
}
